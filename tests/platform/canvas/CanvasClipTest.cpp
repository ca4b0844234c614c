// Clip rectangles and regions, saved states and the window origin.

#include <gtest/gtest.h>

#include <functional>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

using namespace canvastest;

namespace {

// Every primitive, each covering the whole 40 x 40 surface.
std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> primitives()
{
    return {
        {"LineTo", [](TCanvas& c) { c.MoveTo(0, 0); c.LineTo(40, 40); c.MoveTo(0, 20); c.LineTo(40, 20); }},
        {"WideLine", [](TCanvas& c) { c.Pen().SetWidth(7); c.MoveTo(0, 20); c.LineTo(40, 20); }},
        {"DottedLine", [](TCanvas& c) { c.Pen().SetStyle(psDot); c.MoveTo(0, 20); c.LineTo(40, 20); }},
        {"Polyline", [](TCanvas& c) { c.Polyline({Point(0, 0), Point(39, 20), Point(0, 39)}); }},
        {"Polygon", [](TCanvas& c) { c.Polygon({Point(-5, -5), Point(45, -5), Point(45, 45), Point(-5, 45)}); }},
        {"Rectangle", [](TCanvas& c) { c.Rectangle(-1, -1, 41, 41); }},
        {"Ellipse", [](TCanvas& c) { c.Ellipse(-10, -10, 50, 50); }},
        {"RoundRect", [](TCanvas& c) { c.RoundRect(-1, -1, 41, 41, 10, 10); }},
        {"FillRect", [](TCanvas& c) { c.FillRect({0, 0, 40, 40}); }},
        {"FrameRect", [](TCanvas& c) { c.FrameRect({5, 5, 35, 35}); c.FrameRect({15, 15, 25, 25}); }},
        {"DrawFocusRect", [](TCanvas& c) { c.DrawFocusRect({5, 5, 35, 35}); c.DrawFocusRect({15, 15, 25, 25}); }},
        {"SetPixel", [](TCanvas& c) { for (int i = 0; i < 40; ++i) for (int j = 0; j < 40; ++j) c.SetPixel(i, j, clRed); }},
        {"FillCheckerboard", [](TCanvas& c) { c.FillCheckerboard({-3, -3, 43, 43}, clRed, clLime); }},
        {"TextOut", [](TCanvas& c) { for (int y = 0; y < 40; y += 8) c.TextOut(0, y, "MMMMMMMMMMMMMM"); }},
        {"TextRect", [](TCanvas& c) { c.TextRect({0, 0, 40, 40}, 0, 10, "MMMMMMMMMM"); }},
        {"DrawText", [](TCanvas& c) { TRect r{0, 0, 40, 40}; c.DrawText("MMMM MMMM MMMM MMMM MMMM", r, DT_WORDBREAK); }},
        {"RotatedText", [](TCanvas& c) {
             TFont f;
             f.SetOrientation(450);
             c.Font().Assign(&f);
             c.TextOut(0, 38, "MMMMMMMMMMMMMMMMMM");
         }},
        {"BitBlt", [](TCanvas& c) { TBitmap b(40, 40); b.Canvas().Brush().SetColor(clRed); b.Canvas().FillRect({0, 0, 40, 40}); c.BitBlt(0, 0, 40, 40, &b.Canvas(), 0, 0, SRCCOPY); }},
        {"PatBlt", [](TCanvas& c) { c.Brush().SetColor(clRed); c.BitBlt(0, 0, 40, 40, nullptr, 0, 0, PATCOPY); }},
        {"DstInvert", [](TCanvas& c) { c.BitBlt(0, 0, 40, 40, nullptr, 0, 0, DSTINVERT); }},
        {"StretchDraw", [](TCanvas& c) { TBitmap b(4, 4); b.Canvas().Brush().SetColor(clRed); b.Canvas().FillRect({0, 0, 4, 4}); c.StretchDraw({0, 0, 40, 40}, b); }},
        {"DrawImage", [](TCanvas& c) { QImage i(40, 40, QImage::Format_ARGB32); i.fill(Qt::red); c.DrawImage(0, 0, i); }},
    };
}

} // namespace

TEST(CanvasClip, shouldKeepEveryPrimitiveInsideAClipRect)
{
    for (const auto& [name, draw] : primitives()) {
        QImage img = surface(40, 40);
        TCanvas c(img);
        c.Brush().SetColor(clBlue);
        c.SetClipRect({10, 10, 30, 30});
        draw(c);
        EXPECT_TRUE(contains({10, 10, 30, 30}, inkBox(img))) << name;
        EXPECT_FALSE(inkBox(img).IsEmpty()) << name << " draws something inside";
    }
}

TEST(CanvasClip, shouldKeepEveryPrimitiveOutOfAnExcludedRect)
{
    for (const auto& [name, draw] : primitives()) {
        QImage img = surface(40, 40);
        TCanvas c(img);
        c.Brush().SetColor(clBlue);
        c.ExcludeClipRect({10, 10, 30, 30});
        draw(c);
        EXPECT_EQ(count(img, clWhite, {10, 10, 30, 30}), 400) << name;
    }
}

TEST(CanvasClip, shouldHonourRegionsOfSeveralRectangles)
{
    for (const auto& [name, draw] : primitives()) {
        QImage img = surface(40, 40);
        TCanvas c(img);
        c.Brush().SetColor(clBlue);
        QRegion rgn(0, 0, 10, 40);
        rgn += QRect(30, 0, 10, 40);
        c.SelectClipRegion(rgn);
        draw(c);
        EXPECT_EQ(count(img, clWhite, {10, 0, 30, 40}), 800) << name;
    }
}

TEST(CanvasClip, shouldIntersectClipRectangles)
{
    QImage img = surface(20, 20);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.IntersectClipRect({0, 0, 10, 10});
    c.IntersectClipRect({5, 5, 20, 20});
    EXPECT_EQ(c.ClipRect(), Rect(5, 5, 10, 10));
    c.FillRect({0, 0, 20, 20});
    EXPECT_EQ(inkBox(img), Rect(5, 5, 10, 10));
    c.IntersectClipRect({15, 15, 20, 20});
    EXPECT_TRUE(c.ClipRect().IsEmpty());
    img.fill(Qt::white);
    c.FillRect({0, 0, 20, 20});
    EXPECT_TRUE(inkBox(img).IsEmpty());
}

TEST(CanvasClip, shouldReportTheWholeSurfaceWithoutClipRegion)
{
    QImage img = surface(30, 20);
    TCanvas c(img);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 30, 20));
    EXPECT_FALSE(c.HasClipRegion());
    c.SetClipRect({-5, 2, 10, 50});
    EXPECT_TRUE(c.HasClipRegion());
    EXPECT_EQ(c.ClipRect(), Rect(0, 2, 10, 20));
    EXPECT_EQ(c.ClipRegion(), QRegion(-5, 2, 15, 48));
    EXPECT_TRUE(c.RectVisible({8, 0, 12, 4}));
    EXPECT_FALSE(c.RectVisible({12, 0, 20, 4}));
    c.RemoveClipRegion();
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 30, 20));
}

TEST(CanvasClip, shouldAnswerInvalidForPixelsOutsideTheClipOrSurface)
{
    QImage img = surface(10, 10);
    TCanvas c(img);
    EXPECT_EQ(c.Pixels(-1, 0), CLR_INVALID);
    EXPECT_EQ(c.Pixels(10, 0), CLR_INVALID);
    EXPECT_EQ(c.Pixels(3, 3), clWhite);
    c.SetClipRect({0, 0, 2, 2});
    EXPECT_EQ(c.Pixels(3, 3), CLR_INVALID);
    c.SetPixel(3, 3, clRed);
    c.SetPixel(1, 1, clRed);
    c.SetPixel(100, 100, clRed);
    EXPECT_EQ(at(img, 3, 3), clWhite);
    EXPECT_EQ(c.Pixels(1, 1), clRed);
}

TEST(CanvasState, shouldRestoreToolsClipAndOrigin)
{
    QImage img = surface(20, 20);
    TCanvas c(img);
    c.Pen().SetColor(clRed);
    c.Font().SetHeight(-12);
    c.SetClipRect({0, 0, 10, 10});
    const int level = c.SaveState();
    EXPECT_EQ(level, 1);
    c.Pen().SetColor(clBlue);
    c.Pen().SetWidth(3);
    c.Brush().SetStyle(bsClear);
    c.Font().SetHeight(-20);
    c.SetClipRect({5, 5, 6, 6});
    c.MoveWindowOrg(4, 4);
    c.SaveState();
    c.Pen().SetColor(clLime);
    c.RestoreState(level); // drops both
    EXPECT_EQ(c.Pen().Color(), clRed);
    EXPECT_EQ(c.Pen().Width(), 1);
    EXPECT_EQ(c.Brush().Style(), bsSolid);
    EXPECT_EQ(c.Font().Height(), -12);
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 10, 10));
    EXPECT_EQ(c.WindowOrg(), Point(0, 0));
    c.RestoreState(); // nothing saved any more: no effect
    EXPECT_EQ(c.Pen().Color(), clRed);
}

TEST(CanvasOrigin, shouldShiftDrawingAndClipByTheWindowOrigin)
{
    QImage img = surface(30, 30);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.MoveWindowOrg(10, 5);
    EXPECT_EQ(c.WindowOrg(), Point(-10, -5));
    c.FillRect({0, 0, 2, 2});
    EXPECT_EQ(inkBox(img), Rect(10, 5, 12, 7));
    EXPECT_EQ(c.Pixels(0, 0), clRed);
    EXPECT_EQ(c.ClipRect(), Rect(-10, -5, 20, 25));
    c.IntersectClipRect({0, 0, 5, 5}); // a child area, in its own coordinates
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 5, 5));
    c.Rectangle(-10, -10, 100, 100);
    EXPECT_TRUE(contains({10, 5, 15, 10}, inkBox(img)));
    c.MoveTo(0, 1);
    c.LineTo(3, 1);
    EXPECT_EQ(at(img, 10, 6), clBlack);
    EXPECT_EQ(at(img, 12, 6), clBlack);
    EXPECT_EQ(at(img, 13, 6), clRed);
    c.SetWindowOrg(0, 0);
    EXPECT_EQ(c.ClipRect(), Rect(10, 5, 15, 10)); // the clip stays on the device
}
