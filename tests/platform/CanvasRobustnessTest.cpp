// Bad input never crashes or hangs, and a grid-sized paint stays fast.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "CanvasTestUtil.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

using namespace canvastest;

namespace {

constexpr int kHuge = 1000000000;

void drawEverything(TCanvas& c, int a, int b)
{
    c.MoveTo(a, a);
    c.LineTo(b, b);
    c.MoveTo(a, 5);
    c.LineTo(b, 6);
    c.Polyline({Point(a, a), Point(b, a), Point(b, b)});
    c.Polygon({Point(a, a), Point(b, a), Point(b, b), Point(a, b)});
    c.Polygon({Point(a, a), Point(b, b)});
    c.Rectangle(a, a, b, b);
    c.Ellipse(a, a, b, b);
    c.RoundRect(a, a, b, b, b, a);
    c.FillRect({a, a, b, b});
    c.FrameRect({a, a, b, b});
    c.DrawFocusRect({a, a, b, b});
    c.SetPixel(a, b, clRed);
    (void)c.Pixels(a, b);
    c.TextOut(a, b, "text");
    c.TextRect({a, a, b, b}, a, b, "text");
    TRect r{a, a, b, b};
    c.DrawText("some text\nmore", r, DT_WORDBREAK | DT_END_ELLIPSIS);
    r = {a, a, b, b};
    c.DrawText("&x", r, DT_CALCRECT);
    c.BitBlt(a, a, b, b, &c, a, b, SRCCOPY);
    c.BitBlt(a, a, b - a, b - a, &c, 0, 0, SRCINVERT);
    c.StretchBlt(a, a, b - a, b - a, &c, 0, 0, 3, 3, SRCCOPY);
    c.StretchBlt(0, 0, 5, 5, &c, a, a, b - a, b - a, SRCCOPY);
    c.IntersectClipRect({a, a, b, b});
    c.ExcludeClipRect({a, a, b, b});
    c.RemoveClipRegion();
}

} // namespace

TEST(CanvasRobustness, shouldSurviveHugeAndReversedCoordinates)
{
    QImage img = surface(50, 50);
    TCanvas c(img);
    QElapsedTimer t;
    t.start();
    for (int w : {1, 3}) {
        c.Pen().SetWidth(w);
        drawEverything(c, -kHuge, kHuge);
        drawEverything(c, kHuge, -kHuge);
        drawEverything(c, 2147483000, 2147483647);
        drawEverything(c, -2147483647, -2147483000);
        drawEverything(c, 10, 10);
        drawEverything(c, 30, 10);
    }
    c.Pen().SetStyle(psDot);
    drawEverything(c, -kHuge, kHuge);
    c.MoveWindowOrg(kHuge, -kHuge);
    drawEverything(c, -kHuge, kHuge);
    EXPECT_LT(t.elapsed(), 3000);
}

TEST(CanvasRobustness, shouldDrawNothingWithoutSurface)
{
    TCanvas none;
    drawEverything(none, 0, 10);
    QImage null;
    TCanvas onNull(null);
    drawEverything(onNull, 0, 10);
    EXPECT_EQ(onNull.Pixels(0, 0), CLR_INVALID);
    EXPECT_TRUE(onNull.ClipRect().IsEmpty());
    TBitmap empty;
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.Draw(0, 0, empty);
    c.StretchDraw({0, 0, 10, 10}, empty);
    c.BitBlt(0, 0, 10, 10, &empty.Canvas(), 0, 0, SRCCOPY);
    c.BitBlt(0, 0, 10, 10, &none, 0, 0, SRCCOPY);
    c.DrawImage(0, 0, QImage());
    EXPECT_EQ(count(img, clWhite), 100);
}

TEST(CanvasRobustness, shouldAcceptOddPensFontsAndFormats)
{
    QImage img(20, 20, QImage::Format_RGB888);
    img.fill(Qt::white);
    TCanvas c(img);
    EXPECT_EQ(img.format(), QImage::Format_RGB32);
    c.Pen().SetWidth(-4);
    c.MoveTo(0, 0);
    c.LineTo(5, 0);
    EXPECT_EQ(at(img, 4, 0), clBlack);
    TFont f;
    f.SetHeight(0);
    c.Font().Assign(&f);
    EXPECT_GT(c.TextHeight("x"), 0);
    f.SetHeight(5000);
    c.Font().Assign(&f);
    c.TextOut(0, 0, "x");
    c.Brush().SetColor(clBtnFace);
    c.FillRect({0, 0, 2, 2});
    EXPECT_EQ(at(img, 0, 0), RGBColor(240, 240, 240));
    c.RestoreState(5);
    c.RestoreState(-7);
    TBitmap b(-5, 3);
    EXPECT_TRUE(b.Empty());
    b.SetSize(100000, 100000); // refused or allocated, never a crash
    b.SetSize(0, 0);
}

// The paint of a 798 x 550 grid with ~600 text cells, as the grid does it.
TEST(CanvasPerformance, shouldPaintAGridOfTextCellsInAFewMilliseconds)
{
    QImage img(798, 550, QImage::Format_RGB32);
    TCanvas c(img);
    TFont f;
    f.SetName("宋体");
    f.SetHeight(-12);
    c.Font().Assign(&f);
    auto paint = [&] {
        c.Brush().SetColor(clWindow);
        c.FillRect({0, 0, 798, 550});
        const int cw = 66, rh = 20;
        for (int row = 0; row < 27; ++row)
            for (int col = 0; col < 12; ++col) {
                const TRect cell = Bounds(col * cw, row * rh, cw - 1, rh - 1);
                c.Brush().SetColor(row == 0 || col == 0 ? clBtnFace : clWindow);
                c.FillRect(cell);
                c.Pen().SetColor(clSilver);
                c.MoveTo(cell.Left, cell.Bottom);
                c.LineTo(cell.Right, cell.Bottom);
                c.LineTo(cell.Right, cell.Top - 1);
                c.Brush().SetStyle(bsClear);
                TRect tr = cell;
                InflateRect(tr, -2, -2);
                c.DrawText(QStringLiteral("单元格 %1").arg(row * 12 + col), tr,
                           DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
                c.Brush().SetStyle(bsSolid);
                if (row == 3 && col == 3)
                    c.DrawFocusRect(cell);
            }
        // A few hundred more short texts.
        for (int i = 0; i < 300; ++i)
            c.TextOut((i * 37) % 760, (i * 13) % 530, "T");
    };
    paint(); // warm the font caches
    QElapsedTimer t;
    t.start();
    const int rounds = 5;
    for (int i = 0; i < rounds; ++i)
        paint();
    const double ms = double(t.nsecsElapsed()) / 1e6 / rounds;
    RecordProperty("paint_ms", std::to_string(ms));
    std::printf("grid paint: %.2f ms\n", ms);
    EXPECT_LT(ms, 40.0);
}
