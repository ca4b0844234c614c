#pragma once

// A chart whose painting, keys and mouse tests can drive directly.

#include <QImage>

#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"

class TestChart : public TOrgChart {
public:
    explicit TestChart(TComponent* owner = nullptr) : TOrgChart(owner) { SetColor(clWhite); }
    using TCustomOrgChart::DblClick;
    using TCustomOrgChart::KeyDown;
    using TCustomOrgChart::KeyPress;
    using TCustomOrgChart::MouseDown;
    using TCustomOrgChart::MouseMove;
    using TCustomOrgChart::MouseUp;
    using TCustomOrgChart::TimerFired;

    // Where a click lands on a node's shape.
    TPoint ShapeCentre(TOcNode* n)
    {
        const TRect r = NodeShapeRect(n);
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }

    // The whole chart painted on a fresh picture.
    QImage Picture()
    {
        QImage image(Width(), Height(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        TCanvas canvas(image);
        canvas.Font().Assign(&Font());
        Paint(canvas);
        return image;
    }
    void Press(int x, int y, TShiftState shift = ssLeft) { MouseDown(mbLeft, shift, x, y); }
    void Key(Word key, TShiftState shift = 0) { KeyDown(key, shift); }
};

inline bool IsBlack(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0;
}
inline bool IsWhite(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}
