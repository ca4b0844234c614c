// Bad input never crashes or hangs.

#include <gtest/gtest.h>

#include <climits>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

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
    c.RoundRect(a, a, b, b, INT_MIN, INT_MAX); // corners beyond any surface
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
    // The canvas is still usable and the picture intact afterwards.
    c.MoveWindowOrg(-kHuge, kHuge);
    c.RemoveClipRegion();
    c.Brush().SetColor(clBlue);
    c.FillRect({0, 0, 2, 2});
    EXPECT_EQ(img.width(), 50);
    EXPECT_EQ(c.Pixels(1, 1), clBlue);
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
    b.SetSize(4, 4);
    EXPECT_THROW(b.SetSize(100000, 100000), EInvalidOperation);
    EXPECT_THROW(b.SetSize(30000, 30000), EInvalidOperation); // each side fits, the area does not
    EXPECT_EQ(b.Width(), 4);
    b.SetSize(0, 0);
    EXPECT_TRUE(b.Empty());
}
