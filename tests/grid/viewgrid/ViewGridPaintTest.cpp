#include <gtest/gtest.h>

#include "grid/viewgrid/CheckCell.h"
#include "grid/selection/Selections.h"
#include "platform/framework/actions/ImageList.h"
#include "ViewGridTestUtil.h"
#include "support/PixelChecks.h"

using namespace viewgridtest;

namespace {

// Geometry of the default view grid: column 0 is 20 wide, the others 72; rows
// 18; lines 1. Columns start at 0, 21, 94, 167, 240; rows at 0, 19, 38, 57, 76.

class ViewGridPaint : public ::testing::Test, public MapGrid {
protected:
    void SetUp() override
    {
        grid->SetBlendHighlight(false);
        grid->SetFlat(true);
    }
};

TEST_F(ViewGridPaint, ThickRightLineNarrowsTheContentAndUsesTheBoundColour)
{
    attrs[{2, 2}] = [](TCellAttrInfo& i) { i.RightLine = 3; };
    TRect content;
    grid->AdjustEditorRect(2, 2, content, Rect(94, 38, 166, 56));
    EXPECT_EQ(content, Rect(94, 38, 164, 56));
    const QImage img = Paint();
    for (int x : {164, 165, 166})
        EXPECT_EQ(At(img, x, 45), clBlack) << x;
    EXPECT_EQ(At(img, 163, 45), kData);
    // Width 0: the ordinary grid line.
    EXPECT_EQ(At(img, 166, 25), kLine);
    EXPECT_EQ(At(img, 165, 25), kData);
}

TEST_F(ViewGridPaint, MergedAreaTakesRightLineFromTopRightAndBottomFromBottomLeft)
{
    for (int c = 1; c <= 2; ++c)
        for (int r = 1; r <= 2; ++r)
            attrs[{c, r}] = [c, r](TCellAttrInfo& i) {
                i.MergeID = 5;
                i.RightLine = c == 2 && r == 1 ? 2 : 0;
                i.BottomLine = c == 1 && r == 2 ? 2 : 0;
            };
    const TCellLineWidths w = grid->LineWidths(1, 1);
    EXPECT_EQ(w.Right, 2);
    EXPECT_EQ(w.Bottom, 2);
    const QImage img = Paint();
    // One area from (21, 19) to (166, 56): no inner lines.
    ExpectPixels(img, {{93, 30, kData}, {50, 37, kData}, {166, 30, clBlack}, {165, 30, clBlack}, {164, 30, kData},
                       {50, 56, clBlack}, {50, 55, clBlack}, {50, 54, kData}});
}

TEST_F(ViewGridPaint, HeadGradientInsideAFixedColourBorder)
{
    grid->SetFlat(false);
    grid->SetPaintSelection(false);
    const QImage img = Paint();
    // Head (1, 0): rectangle (21, 0, 93, 18); the gradient fills (22, 1, 92, 17)
    // with 32 bands of 0.5 pixels, each [0.5] + 1 = 1 pixel high.
    ExpectPixels(img, {{21, 5, kFixed}, {50, 0, kFixed}, {92, 5, kFixed}, {50, 17, kFixed}});
    const uint32_t face = ColorToRGB(clBtnFace);
    auto expected = [&](int n) {
        auto ch = [&](int c) { return 255 + static_cast<int>(std::nearbyint(n * double(c - 255) / 32)); };
        return RGBColor(ch(GetRValue(face)), ch(GetGValue(face)), ch(GetBValue(face)));
    };
    // Band n starts at 1 + [n / 2]: band 1 rounds (to even) onto band 0's row,
    // band 31 would start at 17, below the inner rectangle.
    ExpectPixels(img, {{50, 1, expected(1)}, {50, 2, expected(2)}, {50, 3, expected(4)}, {50, 16, expected(30)}});
}

TEST_F(ViewGridPaint, SelectedHeadsTakeTheSelectionColours)
{
    grid->SetFlat(false);
    grid->Selections().Add(std::make_unique<TRowSelection>(2, 2), true);
    QImage img = Paint();
    EXPECT_EQ(At(img, 10, 45), RGBColor(1, 62, 143)) << "row head of a whole selected row";
    EXPECT_EQ(At(img, 50, 9), RGBColor(255, 192, 111)) << "column heads crossed by the range";
    EXPECT_EQ(At(img, 0, 25), kFixed) << "other row heads keep their border";
    EXPECT_NE(At(img, 10, 25), RGBColor(1, 62, 143));

    grid->SetPaintSelection(false);
    img = Paint();
    EXPECT_NE(At(img, 10, 45), RGBColor(1, 62, 143));
    EXPECT_EQ(At(img, 0, 45), kFixed);
}

TEST_F(ViewGridPaint, FlatHeadsInSelectionColoursOrFixedColour)
{
    grid->Selections().SetRange({2, 2, 3, 2}, true);
    const QImage img = Paint();
    ExpectPixels(img, {{120, 9, RGBColor(255, 192, 111)}, {10, 45, RGBColor(255, 192, 111)}, {10, 25, kFixed}});
}

TEST_F(ViewGridPaint, TintsOfCurrentAndSelectedCells)
{
    grid->SetBlendHighlight(true);
    grid->MoveCurrent(1, 1, true, false, false, true);
    grid->Selections().SetRange({2, 2, 3, 2}, true);
    QImage img = Paint();
    EXPECT_EQ(At(img, 50, 25), Rgb(MixColor(clHighlight, kData, 15)));
    EXPECT_EQ(At(img, 120, 45), Rgb(MixColor(clHighlight, kData, 30))) << "unfocused grid";
    EXPECT_EQ(At(img, 120, 65), kData);
    grid->SetBlendHighlight(false);
    img = Paint();
    EXPECT_EQ(At(img, 50, 25), kData);
    EXPECT_EQ(At(img, 120, 45), kData);
}

TEST_F(ViewGridPaint, CheckBoxesInEveryState)
{
    for (int r = 1; r <= 3; ++r)
        attrs[{1, r}] = [](TCellAttrInfo& i) { i.DataType = cdtBoolean; };
    values[{1, 1}] = "TRUE";
    values[{1, 2}] = "f";
    values[{1, 3}] = "X";
    grid->MoveCurrent(3, 3, true, false, false, true);
    QImage img = Paint();
    auto boxOf = [&](int row) { return CheckBoxRect(grid->ContentRect(1, row, grid->CellBounds(1, row))); };
    // Content (23, 21, 91, 35) for row 1: a 13-pixel box at (51, 22).
    EXPECT_EQ(boxOf(1), Rect(51, 22, 64, 35));
    for (int row = 1; row <= 3; ++row) {
        const TRect b = boxOf(row);
        EXPECT_EQ(At(img, b.Left, b.Top), Rgb(clBtnShadow)) << row;
        EXPECT_EQ(At(img, b.Right - 1, b.Bottom - 1), Rgb(clBtnHighlight)) << row;
        EXPECT_EQ(At(img, b.Left + 1, b.Top + 1), Rgb(cl3DDkShadow)) << row;
    }
    const TRect checked = boxOf(1);
    EXPECT_EQ(At(img, checked.Left + 3, checked.Top + 5), Rgb(clWindowText));
    const TRect unchecked = boxOf(2);
    EXPECT_EQ(At(img, unchecked.Left + 3, unchecked.Top + 5), Rgb(clWindow));
    const TRect grayed = boxOf(3);
    EXPECT_EQ(At(img, grayed.Left + 3, grayed.Top + 5), Rgb(clBtnShadow));
    EXPECT_EQ(At(img, grayed.Left + 9, grayed.Top + 9), Rgb(clBtnFace));

    grid->SetOptions(grid->Options() & ~GridOption(goAllowCheckBoxGrayed));
    img = Paint();
    EXPECT_EQ(At(img, grayed.Left, grayed.Top), kData) << "no box without grayed boxes";
}

TEST(CheckCell, StateOfTheText)
{
    const struct {
        const char* text;
        TCheckCellState withGrayed, withoutGrayed;
    } cases[] = {{"TRUE", ccsChecked, ccsChecked},   {"true", ccsChecked, ccsChecked},
                 {"T", ccsChecked, ccsChecked},      {"FALSE", ccsUnchecked, ccsUnchecked},
                 {"f", ccsUnchecked, ccsUnchecked},  {"", ccsGrayed, ccsNoBox},
                 {"0", ccsGrayed, ccsNoBox},         {"X", ccsGrayed, ccsNoBox}};
    for (const auto& c : cases) {
        EXPECT_EQ(CheckCellState(c.text, true), c.withGrayed) << c.text;
        EXPECT_EQ(CheckCellState(c.text, false), c.withoutGrayed) << c.text;
    }
    EXPECT_EQ(ToggledCheckValue("FALSE"), "T");
    EXPECT_EQ(ToggledCheckValue("t"), "F");
    EXPECT_EQ(ToggledCheckValue(""), "T");
    // A low cell gets a smaller box; the hit box is the box grown by 4 and 2.
    EXPECT_EQ(CheckBoxRect(Rect(0, 0, 40, 8)), Rect(16, 1, 25, 10));
    EXPECT_EQ(CheckBoxHitBox(Rect(0, 0, 41, 19)), Rect(10, 1, 31, 18));
}

TEST_F(ViewGridPaint, RowNumbersAndColumnLetters)
{
    grid->SetOptions(grid->Options() | GridOption(goShowRowNo) | GridOption(goShowColNo));
    values[{0, 0}] = "head";
    values[{0, 1}] = "cell";
    EXPECT_EQ(grid->GetCellValue(0, 2), "2") << "the locked column's raw value is the row index";
    EXPECT_EQ(TTavikCustomViewGrid::ColumnLetters(1), "A");
    EXPECT_EQ(TTavikCustomViewGrid::ColumnLetters(25), "Y");
    EXPECT_EQ(TTavikCustomViewGrid::ColumnLetters(26), "AA");
    EXPECT_EQ(TTavikCustomViewGrid::ColumnLetters(255), "IV");
    EXPECT_EQ(TTavikCustomViewGrid::ColumnLetters(256), "");
    const QImage img = Paint();
    auto ink = [&](const TRect& r) { return canvastest::count(img, clBlack, r); };
    EXPECT_EQ(ink(Rect(0, 0, 20, 18)), 0) << "row 0 of column 0 shows nothing";
    EXPECT_GT(ink(Rect(0, 19, 20, 37)), 0) << "row 1 shows \"1\"";
    EXPECT_GT(ink(Rect(21, 0, 93, 18)), 0) << "column 1 shows \"A\"";
}

TEST_F(ViewGridPaint, DataTypesChooseTheDefaultAlignment)
{
    // The same text in a string and a numeric cell: left and right of the content.
    values[{2, 1}] = "88";
    values[{2, 2}] = "88";
    attrs[{2, 2}] = [](TCellAttrInfo& i) { i.DataType = cdtNumeric; };
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    // First and last column of black in the cell's rows.
    auto inkRange = [&](int top, int bottom) {
        const TRect b = canvastest::boxOf(img.copy(94, top, 72, bottom - top), clBlack);
        return std::make_pair(94 + b.Left, 94 + b.Right - 1);
    };
    TCanvas& m = TTavikCustomViewGrid::MeasureCanvas();
    m.Font().Assign(&grid->Font());
    const int w = m.TextWidth("88");
    const auto left = inkRange(19, 37);
    const auto right = inkRange(38, 56);
    EXPECT_GE(left.first, 96);
    EXPECT_LT(left.second, 96 + w);
    EXPECT_GE(right.first, 164 - w);
    EXPECT_LT(right.second, 164);
}

TEST_F(ViewGridPaint, ImageOnTheRightKeepsItsRoom)
{
    TImageList images(nullptr);
    QImage red(16, 16, QImage::Format_ARGB32);
    red.fill(QColor(255, 0, 0));
    images.Add(red);
    grid->SetImages(&images);
    attrs[{2, 1}] = [](TCellAttrInfo& i) {
        i.ImageIndex = 0;
        i.ImageLayout = clImageRight;
    };
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    // Content (96, 21, 164, 35); the image area (144, 21, 164, 35) is 20 wide and
    // too low for 20, so the picture at (146, 20) is clipped to it.
    ExpectPixels(img, {{146, 21, clRed}, {161, 34, clRed}, {145, 25, kData}, {162, 25, kData}});
    EXPECT_EQ(At(img, 150, 20), kData) << "clipped above the content";
    grid->SetImages(nullptr);
}

TEST_F(ViewGridPaint, CommentMarkerIsARedTriangle)
{
    attrs[{2, 1}] = [](TCellAttrInfo& i) { i.ShowComment = true; };
    grid->MoveCurrent(4, 4, true, false, false, true);
    grid->SetShowComment(false);
    const QImage img = Paint();
    // Cell (94, 19, 166, 37): row i from x = 166 - (5 - i) to 165.
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(At(img, 165, 19 + i), clRed) << i;
        EXPECT_EQ(At(img, 166 - (5 - i), 19 + i), clRed) << i;
        EXPECT_EQ(At(img, 166 - (5 - i) - 1, 19 + i), kData) << i;
    }
    EXPECT_EQ(At(img, 165, 24), kData);
}

TEST_F(ViewGridPaint, NothingWithoutDefaultDrawing)
{
    values[{2, 2}] = "text";
    grid->SetDefaultDrawing(false);
    const QImage img = Paint();
    for (int x : {0, 30, 100, 166})
        for (int y : {0, 25, 45})
            EXPECT_EQ(At(img, x, y), kUntouched) << x << "," << y;
}

TEST_F(ViewGridPaint, DiagonalLinesInTheBoundColour)
{
    attrs[{2, 2}] = [](TCellAttrInfo& i) {
        i.Diagonal = 1;
        i.AntiDiagonal = 1;
    };
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    // From the top-left and the top-right corner across the cell, its lines included.
    EXPECT_EQ(At(img, 94, 38), clBlack);
    EXPECT_EQ(At(img, 166, 38), clBlack);
    int crossings = 0;
    for (int y = 38; y < 57; ++y)
        crossings += At(img, 110, y) == clBlack;
    EXPECT_EQ(crossings, 2);
}

} // namespace
