#pragma once

// The size hint shown while a column or row of a view grid is resized: a
// small read-only top-level box that stays above everything, takes no
// activation and lets the mouse pass through. Positions are screen ones.

#include <QString>

#include "platform/framework/WinControl.h"

class TCustomHintBox : public TCustomControl {
public:
    explicit TCustomHintBox(TComponent* owner);
    const char* ClassName() const override { return "TCustomHintBox"; }

    // Sizes the box to the text: its width plus 10 pixels.
    void SetHintText(const QString& text);
    const QString& HintText() const { return Text(); }
    // As the comment box, but a visible box is hidden before it moves.
    void ShowAt(TPoint p);
    void SetVisible(bool visible) override;
    bool HitTest(int, int) const override { return false; }

protected:
    void Paint(TCanvas& canvas) override;

private:
    TPoint lastPoint_{0, 0};
    TPoint lastCursor_{0, 0};
};
