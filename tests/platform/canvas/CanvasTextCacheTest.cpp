// Text drawn from the shared ink cache, composed glyph by glyph where the face
// allows it, must give exactly the pixels of the platform's own text drawing.

#include <gtest/gtest.h>

#include <QPainter>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/text/FontFaces.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

QImage Reference(const TFont& font, int w, int h, int x, int y, const QString& text)
{
    QImage img = surface(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setPen(Qt::black);
    const FontFaces faces(font);
    for (const FontFaces::Run& run : faces.Layout(text)) {
        p.setFont(faces.Face(run.face));
        p.drawText(QPoint(x + run.x, y + faces.Ascent()), run.text);
    }
    return img;
}

class CanvasTextCache : public ::testing::TestWithParam<const char*> {};

TEST_P(CanvasTextCache, shouldDrawExactlyWhatThePlatformDraws)
{
    TFont font;
    font.SetName(GetParam());
    font.SetHeight(-12);
    font.SetColor(clBlack);
    // Enough distinct texts for the face to be taken as a frequent one.
    {
        QImage warm = surface(200, 20);
        TCanvas c(warm);
        c.Font().Assign(&font);
        for (int i = 0; i < 200; ++i)
            c.TextOut(0, 0, QStringLiteral("warm %1").arg(i));
    }
    const QString texts[] = {QStringLiteral("Hello, World! 0123456789"), QStringLiteral("AV To Ty WA fi fl ffi"),
                             QStringLiteral("0500001:07"), QStringLiteral("[x] {y} |z| ~q~ `g` _j_")};
    for (const QString& text : texts) {
        QImage img = surface(300, 24);
        TCanvas c(img);
        c.Font().Assign(&font);
        c.Brush().SetStyle(bsClear);
        c.TextOut(5, 3, text);
        const QImage ref = Reference(font, 300, 24, 5, 3, text);
        EXPECT_EQ(img, ref) << qPrintable(text);
    }
}

INSTANTIATE_TEST_SUITE_P(Faces, CanvasTextCache, ::testing::Values("宋体", "Tahoma", "Courier New"));

} // namespace
