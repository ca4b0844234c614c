// Lines, shapes, fills, frames, focus rectangles and polygons: the exact pixels.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/canvas/Canvas.h"
#include "support/Pixels.h"

using namespace canvastest;

// ---- lines ------------------------------------------------------------------------

struct LineCase {
    int dx, dy;
};

class CanvasLineDirection : public ::testing::TestWithParam<LineCase> {};

TEST_P(CanvasLineDirection, shouldOmitTheLastPixelInEveryDirection)
{
    const auto [dx, dy] = GetParam();
    QImage img = surface(21, 21);
    TCanvas c(img);
    c.MoveTo(10, 10);
    c.LineTo(10 + 5 * dx, 10 + 5 * dy);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(at(img, 10 + i * dx, 10 + i * dy), clBlack) << "step " << i;
    EXPECT_EQ(at(img, 10 + 5 * dx, 10 + 5 * dy), clWhite);
    EXPECT_EQ(count(img, clBlack), 5);
    EXPECT_EQ(c.PenPos(), Point(10 + 5 * dx, 10 + 5 * dy));
}

INSTANTIATE_TEST_SUITE_P(AllEight, CanvasLineDirection,
                         ::testing::Values(LineCase{1, 0}, LineCase{-1, 0}, LineCase{0, 1}, LineCase{0, -1},
                                           LineCase{1, 1}, LineCase{-1, -1}, LineCase{1, -1}, LineCase{-1, 1}));

TEST(CanvasLine, shouldDrawShallowLinesAsOneConnectedStaircase)
{
    QImage img = surface(20, 10);
    TCanvas c(img);
    c.MoveTo(0, 0);
    c.LineTo(10, 3);
    EXPECT_EQ(count(img, clBlack), 10); // one pixel per column, the 11th omitted
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(count(img, clBlack, {x, 0, x + 1, 10}), 1) << x;
    EXPECT_EQ(at(img, 0, 0), clBlack);
}

TEST(CanvasLine, shouldDrawNothingForAZeroLengthLine)
{
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.MoveTo(3, 3);
    c.LineTo(3, 3);
    EXPECT_EQ(count(img, clBlack), 0);
}

TEST(CanvasLine, shouldCoverTheWidthOfAWidePenAroundThePath)
{
    // Width w covers rows y - w div 2 .. y - w div 2 + w - 1 (the grid's line rules).
    for (int w : {2, 3, 4}) {
        QImage img = surface(20, 20);
        TCanvas c(img);
        c.Pen().SetWidth(w);
        c.Pen().SetEndCap(pecFlat);
        c.MoveTo(2, 10);
        c.LineTo(12, 10);
        EXPECT_EQ(col(img, 5, 0, 20), std::string(10 - w / 2, '.') + std::string(w, '#') + std::string(10 - w + w / 2, '.'))
            << "w=" << w;
        EXPECT_EQ(row(img, 10, 0, 20), "..##########........") << "flat ends stop before the end point, w=" << w;
    }
}

TEST(CanvasLine, shouldExtendRoundEndsOfWidePens)
{
    QImage img = surface(30, 20);
    TCanvas c(img);
    c.Pen().SetWidth(5);
    c.MoveTo(10, 10);
    c.LineTo(20, 10);
    EXPECT_EQ(at(img, 8, 10), clBlack);
    EXPECT_EQ(at(img, 21, 10), clBlack);
    EXPECT_EQ(at(img, 6, 10), clWhite);
    EXPECT_EQ(col(img, 15, 0, 20), "........#####.......");
}

TEST(CanvasLine, shouldJoinWidePolylinesWithMitres)
{
    QImage img = surface(20, 20);
    TCanvas c(img);
    c.Pen().SetWidth(3);
    c.Pen().SetEndCap(pecFlat);
    c.Pen().SetJoinStyle(pjsMiter);
    c.Polyline({Point(2, 10), Point(10, 10), Point(10, 2)});
    EXPECT_EQ(at(img, 11, 11), clBlack); // the mitred outer corner
    EXPECT_EQ(row(img, 10, 0, 20), "..##########........");
}

TEST(CanvasLine, shouldDrawDottedPensThreeOnThreeOff)
{
    QImage img = surface(20, 3);
    TCanvas c(img);
    c.Brush().SetStyle(bsClear);
    c.Pen().SetStyle(psDot);
    c.MoveTo(0, 1);
    c.LineTo(20, 1);
    EXPECT_EQ(row(img, 1, 0, 20), "###...###...###...##");
}

TEST(CanvasLine, shouldPaintDashGapsInTheBrushColourWhenTheBrushIsSolid)
{
    QImage img = surface(30, 3);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Pen().SetStyle(psDash);
    c.MoveTo(0, 1);
    c.LineTo(30, 1);
    for (int x = 0; x < 18; ++x)
        EXPECT_EQ(at(img, x, 1), clBlack);
    for (int x = 18; x < 24; ++x)
        EXPECT_EQ(at(img, x, 1), clRed);
    EXPECT_EQ(at(img, 24, 1), clBlack);
}

TEST(CanvasLine, shouldRestoreThePictureWhenAnXorLineIsDrawnTwice)
{
    QImage img = surface(30, 30);
    TCanvas c(img);
    c.Brush().SetColor(clLime);
    c.FillRect({5, 5, 20, 20});
    const QImage before = img.copy();
    c.Pen().SetMode(pmXor);
    c.Pen().SetColor(clYellow);
    c.Brush().SetStyle(bsClear);
    for (int pass = 0; pass < 2; ++pass) {
        c.MoveTo(0, 0);
        c.LineTo(29, 17);
        c.Rectangle(2, 2, 25, 25);
    }
    EXPECT_EQ(img, before);
    c.Pen().SetMode(pmNot);
    c.MoveTo(0, 3);
    c.LineTo(10, 3);
    EXPECT_EQ(at(img, 4, 3), clBlack); // white inverted
    c.MoveTo(0, 3);
    c.LineTo(10, 3);
    EXPECT_EQ(img, before);
}

TEST(CanvasLine, shouldApplyNotXorMode)
{
    QImage img = surface(10, 3);
    TCanvas c(img);
    c.Pen().SetMode(pmNotXor);
    c.Pen().SetColor(clWhite);
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(at(img, 2, 1), clWhite); // not (white xor white) = white
    c.Pen().SetColor(clBlack);
    c.MoveTo(0, 1);
    c.LineTo(5, 1);
    EXPECT_EQ(at(img, 2, 1), clBlack); // not (black xor white) = black
}

// ---- rectangles, ellipses, round rectangles -------------------------------------

TEST(CanvasShape, shouldFrameRectangleInThePenAndFillInteriorWithTheBrush)
{
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(row(img, 0, 0, 12), "##########..");
    EXPECT_EQ(at(img, 0, 9), clBlack);
    EXPECT_EQ(at(img, 9, 9), clBlack);
    EXPECT_EQ(at(img, 10, 5), clWhite);
    EXPECT_EQ(at(img, 5, 10), clWhite);
    EXPECT_EQ(count(img, clRed), 64);
    EXPECT_EQ(count(img, clRed, {1, 1, 9, 9}), 64);
}

TEST(CanvasShape, shouldNormaliseReversedRectangles)
{
    QImage a = surface(12, 12), b = surface(12, 12);
    TCanvas ca(a), cb(b);
    ca.Rectangle(0, 0, 10, 10);
    cb.Rectangle(10, 10, 0, 0);
    EXPECT_EQ(a, b);
}

TEST(CanvasShape, shouldShrinkFiguresByOnePixelWithAClearPen)
{
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Pen().SetStyle(psClear);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(count(img, clRed), 81);
    EXPECT_EQ(at(img, 8, 8), clRed);
    EXPECT_EQ(at(img, 9, 9), clWhite);
    img = surface(12, 12);
    c.Ellipse(0, 0, 10, 10);
    EXPECT_TRUE(contains({0, 0, 9, 9}, inkBox(img)));
    EXPECT_EQ(inkBox(img), Rect(0, 0, 9, 9));
}

TEST(CanvasShape, shouldLeaveTheInteriorWithAClearBrush)
{
    QImage img = surface(12, 12, clLime);
    TCanvas c(img);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(count(img, clBlack), 36);
    EXPECT_EQ(at(img, 5, 5), clLime);
}

TEST(CanvasShape, shouldDrawWidePenRectanglesCentredOnTheOutline)
{
    QImage img = surface(16, 16);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Pen().SetWidth(3);
    c.Rectangle(2, 2, 12, 12);
    // Outline pixels 2..11 grown by one on each side: 1..12.
    EXPECT_EQ(row(img, 1, 0, 16), ".############...");
    EXPECT_EQ(at(img, 3, 3), clBlack);
    EXPECT_EQ(at(img, 4, 4), clRed);
    EXPECT_EQ(at(img, 9, 9), clRed);
    EXPECT_EQ(at(img, 10, 10), clBlack);
    EXPECT_EQ(at(img, 13, 13), clWhite);
}

TEST(CanvasShape, shouldKeepInsideFramePensInsideTheBounds)
{
    QImage img = surface(16, 16);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Pen().SetWidth(3);
    c.Pen().SetStyle(psInsideFrame);
    c.Rectangle(2, 2, 12, 12);
    EXPECT_EQ(inkBox(img), Rect(2, 2, 12, 12));
    EXPECT_EQ(at(img, 4, 4), clBlack);
    EXPECT_EQ(at(img, 5, 5), clRed);
    EXPECT_EQ(at(img, 9, 9), clBlack);
    EXPECT_EQ(count(img, clRed), 16);
}

TEST(CanvasShape, shouldDrawDottedRectanglesAlongThePerimeter)
{
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.Brush().SetStyle(bsClear);
    c.Pen().SetStyle(psDot);
    c.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(row(img, 0, 0, 12), "###...###...");
    EXPECT_EQ(count(img, clBlack, {1, 1, 9, 9}), 0);
}

TEST(CanvasShape, shouldInscribeEllipsesInTheirBounds)
{
    QImage img = surface(22, 12);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Ellipse(0, 0, 20, 10);
    EXPECT_EQ(inkBox(img), Rect(0, 0, 20, 10));
    EXPECT_EQ(at(img, 0, 0), clWhite);
    EXPECT_EQ(at(img, 19, 9), clWhite);
    EXPECT_EQ(at(img, 0, 4), clBlack);
    EXPECT_EQ(at(img, 19, 5), clBlack);
    EXPECT_EQ(at(img, 10, 0), clBlack);
    EXPECT_EQ(at(img, 10, 9), clBlack);
    EXPECT_EQ(at(img, 10, 5), clRed);
    // Symmetric about both axes.
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            EXPECT_EQ(at(img, x, y), at(img, 19 - x, y));
            EXPECT_EQ(at(img, x, y), at(img, x, 9 - y));
        }
    // The outline is closed: every interior row is bounded by pen pixels.
    for (int y = 0; y < 10; ++y) {
        const std::string r = row(img, y, 0, 20);
        EXPECT_EQ(at(img, int(r.find('#')), y), clBlack);
    }
}

TEST(CanvasShape, shouldRoundTheCornersOfRoundRects)
{
    QImage img = surface(24, 14);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.RoundRect(0, 0, 20, 12, 8, 8);
    EXPECT_EQ(inkBox(img), Rect(0, 0, 20, 12));
    EXPECT_EQ(at(img, 0, 0), clWhite);
    EXPECT_EQ(at(img, 19, 11), clWhite);
    EXPECT_EQ(row(img, 0, 0, 20).substr(4, 12), "############");
    EXPECT_EQ(at(img, 0, 6), clBlack);
    EXPECT_EQ(at(img, 10, 6), clRed);
    // A corner larger than the figure is clamped to it.
    QImage e = surface(24, 14), r = surface(24, 14);
    TCanvas ce(e), cr(r);
    ce.Ellipse(0, 0, 20, 12);
    cr.RoundRect(0, 0, 20, 12, 100, 100);
    EXPECT_EQ(e, r);
}

// ---- fills, frames, focus rectangles ---------------------------------------------------

TEST(CanvasFill, shouldFillHalfOpenRectanglesAndNothingForEmptyOnes)
{
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.Brush().SetColor(clBlue);
    c.FillRect({2, 2, 5, 5});
    EXPECT_EQ(count(img, clBlue), 9);
    EXPECT_EQ(inkBox(img), Rect(2, 2, 5, 5));
    c.FillRect({8, 8, 6, 9});
    c.FillRect({7, 7, 7, 9});
    EXPECT_EQ(count(img, clBlue), 9);
}

TEST(CanvasFill, shouldIgnoreThePenModeInFillRect)
{
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.Pen().SetMode(pmXor);
    c.Brush().SetColor(clBlue);
    c.FillRect({0, 0, 4, 4});
    c.FillRect({0, 0, 4, 4});
    EXPECT_EQ(count(img, clBlue), 16);
}

TEST(CanvasFill, shouldDrawHatchedBrushesOverTheBackground)
{
    QImage img = surface(16, 16, clLime);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Brush().SetStyle(bsHorizontal);
    c.FillRect({0, 0, 16, 16});
    EXPECT_EQ(row(img, 0, 0, 16, clLime), "################");
    EXPECT_EQ(row(img, 1, 0, 16, clLime), "................");
    EXPECT_EQ(row(img, 8, 0, 16, clLime), "################");
    c.Brush().SetStyle(bsClear);
    c.FillRect({0, 0, 16, 16});
    EXPECT_EQ(at(img, 0, 1), clLime);
}

TEST(CanvasFill, shouldFrameRectanglesInTheBrushColour)
{
    QImage img = surface(10, 10);
    TCanvas c(img);
    c.Brush().SetColor(clBlue);
    c.FrameRect({2, 2, 6, 6});
    EXPECT_EQ(row(img, 2, 0, 10), "..####....");
    EXPECT_EQ(row(img, 3, 0, 10), "..#..#....");
    EXPECT_EQ(row(img, 5, 0, 10), "..####....");
    EXPECT_EQ(row(img, 6, 0, 10), "..........");
    EXPECT_EQ(count(img, clBlue), 12);
    c.FrameRect({6, 6, 2, 2});
    EXPECT_EQ(count(img, clBlue), 12);
}

TEST(CanvasFill, shouldDrawFocusRectanglesEveryOtherPixelAndUndoThemTheSecondTime)
{
    QImage img = surface(12, 12);
    TCanvas c(img);
    const QImage before = img.copy();
    c.DrawFocusRect({1, 1, 11, 9});
    EXPECT_EQ(row(img, 1, 0, 12), ".#.#.#.#.#..");
    EXPECT_EQ(row(img, 8, 0, 12), "..#.#.#.#.#.");
    EXPECT_EQ(col(img, 1, 0, 12), ".#.#.#.#....");
    EXPECT_EQ(col(img, 10, 0, 12), "..#.#.#.#...");
    EXPECT_EQ(count(img, clBlack, {2, 2, 10, 8}), 0);
    c.DrawFocusRect({1, 1, 11, 9});
    EXPECT_EQ(img, before);
    // On a coloured background the dots invert the colour under them.
    QImage blue = surface(12, 12, clBlue);
    TCanvas cb(blue);
    cb.DrawFocusRect({0, 0, 12, 12});
    EXPECT_EQ(at(blue, 0, 0), RGBColor(255, 255, 0));
    EXPECT_EQ(at(blue, 1, 0), clBlue);
}

// ---- polygons ------------------------------------------------------------------------------

TEST(CanvasPolygon, shouldExcludeRightAndBottomEdgesWithoutOutline)
{
    QImage img = surface(14, 14);
    TCanvas c(img);
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clRed);
    c.Polygon({Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)});
    EXPECT_EQ(inkBox(img), Rect(0, 0, 10, 10));
    EXPECT_EQ(count(img, clRed), 100);
}

TEST(CanvasPolygon, shouldOutlineThroughEveryVertexWithThePen)
{
    QImage img = surface(14, 14);
    TCanvas c(img);
    c.Brush().SetColor(clRed);
    c.Polygon({Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)});
    EXPECT_EQ(inkBox(img), Rect(0, 0, 11, 11));
    EXPECT_EQ(at(img, 10, 10), clBlack);
    EXPECT_EQ(at(img, 10, 0), clBlack);
    EXPECT_EQ(count(img, clBlack), 40);
    EXPECT_EQ(count(img, clRed), 81);
}

TEST(CanvasPolygon, shouldFillTrianglesByThePixelCentres)
{
    QImage img = surface(12, 12);
    TCanvas c(img);
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clRed);
    c.Polygon({Point(0, 0), Point(10, 0), Point(0, 10)});
    // The hypotenuse passes x = 9.5 at the first row's centre: 9 pixels, then 8, ...
    EXPECT_EQ(row(img, 0, 0, 12), "#########...");
    EXPECT_EQ(row(img, 8, 0, 12), "#...........");
    EXPECT_EQ(row(img, 9, 0, 12), "............");
    EXPECT_EQ(count(img, clRed), 45);
}

TEST(CanvasPolygon, shouldLeaveTheStarCentreOpenInAlternateModeOnly)
{
    std::vector<TPoint> star;
    for (int i = 0; i < 5; ++i) {
        const double a = -M_PI / 2 + i * 4 * M_PI / 5;
        star.push_back(Point(int(std::lround(20 + 19 * std::cos(a))), int(std::lround(20 + 19 * std::sin(a)))));
    }
    QImage img = surface(41, 41);
    TCanvas c(img);
    c.Pen().SetStyle(psClear);
    c.Brush().SetColor(clRed);
    c.Polygon(star);
    EXPECT_EQ(at(img, 20, 20), clWhite);
    EXPECT_EQ(at(img, 20, 5), clRed);
    c.SetPolyFillMode(WINDING);
    c.Polygon(star);
    EXPECT_EQ(at(img, 20, 20), clRed);
}
