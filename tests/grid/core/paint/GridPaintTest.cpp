#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "support/Pixels.h"
#include "support/PixelChecks.h"

namespace {

constexpr TColor kData = 0x00FFFFFF;
constexpr TColor kFixed = 0x00C0C0C0;
constexpr TColor kLine = 0x00808080;
constexpr TColor kUntouched = 0x00123456;

struct DrawCall {
    int col, row;
    TRect rect;
    TGridDrawState state;
    friend bool operator==(const DrawCall&, const DrawCall&) = default;
};

void PrintTo(const DrawCall& c, std::ostream* os)
{
    *os << "(" << c.col << "," << c.row << " [" << c.rect.Left << "," << c.rect.Top << "," << c.rect.Right << ","
        << c.rect.Bottom << "] s" << int(c.state) << ")";
}

// Records the cells it is asked to draw; merges cols 1..2 x rows 1..2 when asked.
class RecordingGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    bool mergeBlock = false;
    std::vector<DrawCall> cells;
    std::vector<DrawCall> merged;
    int MergeId(int col, int row) override
    {
        return mergeBlock && col >= 1 && col <= 2 && row >= 1 && row <= 2 ? 7 : 0;
    }
    void DrawCell(int col, int row, TGridDrawState state, const TRect& rect) override
    {
        cells.push_back({col, row, rect, state});
    }
    void DrawMergedCell(int col, int row, const TRect& rect, TGridDrawState state) override
    {
        merged.push_back({col, row, rect, state});
    }
};

class GridPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid = std::make_unique<RecordingGrid>(nullptr);
        grid->SetBounds(0, 0, 400, 120);
        grid->SetBorderStyle(bsNone);
        grid->SetScrollBars(ssNone);
        grid->SetColor(kData);
        grid->SetFixedColor(kFixed);
        grid->SetGridLineColor(kLine);
    }
    // A full paint on a fresh picture of the grid's size.
    QImage Paint(const TRect* clip = nullptr)
    {
        QImage img(grid->Width(), grid->Height(), QImage::Format_RGB32);
        img.fill(QColor(0x56, 0x34, 0x12));
        TCanvas canvas(img);
        if (clip)
            canvas.SetClipRect(*clip);
        grid->cells.clear();
        grid->merged.clear();
        grid->Painter().PaintGrid(canvas);
        return img;
    }
    std::unique_ptr<RecordingGrid> grid;
};

// Default geometry: columns start at 0, 73, 146, 219, 292; rows at 0, 19, 38, 57, 76.

TEST_F(GridPaint, FixedEditBandsArePaintedAsDataWhereTheyMeetData)
{
    grid->SetFixedCols(2);
    grid->SetFixedRows(2);
    grid->SetFixedEditCols(1);
    grid->SetFixedEditRows(1);
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    EXPECT_EQ(At(img, 30, 5), kFixed);    // (0, 0) locked corner
    EXPECT_EQ(At(img, 100, 5), kFixed);   // (1, 0) band column in a locked row
    EXPECT_EQ(At(img, 30, 25), kFixed);   // (0, 1) band row in a locked column
    EXPECT_EQ(At(img, 100, 25), kData);   // (1, 1) where the bands cross
    EXPECT_EQ(At(img, 170, 25), kData);   // (2, 1) band row over a data column
    EXPECT_EQ(At(img, 100, 45), kData);   // (1, 2) band column over a data row
    EXPECT_EQ(At(img, 170, 5), kFixed);   // (2, 0) column head
    EXPECT_EQ(At(img, 72, 5), kUntouched); // the core draws no lines outside merge mode

    // Nine passes, each cell once, with gdFixed exactly on the locked cells.
    EXPECT_EQ(grid->cells.size(), 25u);
    for (const DrawCall& c : grid->cells)
        EXPECT_EQ((c.state & gdFixed) != 0, c.col < 1 || c.row < 1) << c.col << "," << c.row;
}

TEST_F(GridPaint, FourPassesWithoutBandsAndTheExtentBeyond)
{
    grid->MoveCurrent(4, 4, true, false, false, true);
    QImage img = Paint();
    ASSERT_EQ(grid->cells.size(), 25u);
    EXPECT_EQ(grid->cells[0], (DrawCall{0, 0, Rect(0, 0, 72, 18), gdFixed}));
    EXPECT_EQ(grid->cells[1], (DrawCall{1, 0, Rect(73, 0, 145, 18), gdFixed}));
    EXPECT_EQ(grid->cells[5], (DrawCall{0, 1, Rect(0, 19, 72, 37), gdFixed}));
    EXPECT_EQ(grid->cells[9], (DrawCall{1, 1, Rect(73, 19, 145, 37), 0}));
    EXPECT_EQ(At(img, 30, 5), kFixed);
    EXPECT_EQ(At(img, 100, 25), kData);
    // Right of the last column (x >= 365) and below the last row (y >= 95).
    ExpectPixels(img, {{380, 10, kData}, {10, 110, kData}, {364, 10, kUntouched}});

    grid->SetOptions(grid->Options() | GridOption(goFixedColorExtent));
    img = Paint();
    ExpectPixels(img, {{380, 10, kFixed}, {399, 94, kFixed}, {10, 110, kFixed}, {100, 25, kData}});
}

TEST_F(GridPaint, GridOfFixedRowsOnlyPaintsTheHeadsAndFillsTheRest)
{
    grid->SetRowCount(3);
    grid->SetFixedRows(3);
    const QImage img = Paint();
    EXPECT_EQ(grid->cells.size(), 15u);
    ExpectPixels(img, {{100, 45, kFixed}, {100, 70, kData}, {390, 10, kData}});
}

TEST_F(GridPaint, SelectionColoursAndTheFocusedCell)
{
    TForm form(nullptr);
    grid->SetParent(&form);
    // The form would free its child; the grid belongs to the fixture.
    struct Unparent {
        RecordingGrid* g;
        ~Unparent() { g->SetParent(nullptr); }
    } unparent{grid.get()};
    form.FocusChanged(grid.get());
    ASSERT_TRUE(grid->IsActiveControl());
    grid->MoveCurrent(2, 1, true, false, false, true);
    grid->MoveCurrent(1, 1, true, false, false, false); // selection (1,1)-(2,1), current (1,1)
    QImage img = Paint();
    EXPECT_EQ(At(img, 100, 25), kData);             // focused and selected: not highlighted
    EXPECT_EQ(At(img, 170, 25), Rgb(clHighlight));  // selected only
    EXPECT_EQ(At(img, 240, 25), kData);
    for (const DrawCall& c : grid->cells) {
        if (c.col == 1 && c.row == 1) {
            EXPECT_EQ(c.state, gdFocused | gdSelected);
        }
    }

    grid->SetOptions(grid->Options() | GridOption(goDrawFocusSelected));
    img = Paint();
    EXPECT_EQ(At(img, 100, 25), Rgb(clHighlight));

    grid->SetOptions(grid->Options() & ~GridOption(goDrawFocusSelected));
    grid->SetOptions(grid->Options() | GridOption(goRowSelect));
    img = Paint();
    EXPECT_EQ(At(img, 100, 25), Rgb(clHighlight));
    EXPECT_EQ(At(img, 310, 25), Rgb(clHighlight)); // the whole row

    // Without focus nothing is focused and the current cell shows as selected.
    grid->SetOptions(DefaultGridOptions);
    form.FocusChanged(nullptr);
    img = Paint();
    EXPECT_EQ(At(img, 100, 25), Rgb(clHighlight));
}

TEST_F(GridPaint, MergedAreaIsDrawnOnceWithItsWholeRectangle)
{
    grid->mergeBlock = true;
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->MoveCurrent(4, 4, true, false, false, true);
    QImage img = Paint();
    int areaCalls = 0;
    for (const DrawCall& c : grid->cells) {
        if (c.col >= 1 && c.col <= 2 && c.row >= 1 && c.row <= 2) {
            ++areaCalls;
            EXPECT_EQ(c, (DrawCall{1, 1, Rect(73, 19, 218, 56), 0}));
        }
    }
    EXPECT_EQ(areaCalls, 1);
    EXPECT_EQ(grid->cells.size(), 22u);
    ASSERT_EQ(grid->merged.size(), 1u);
    EXPECT_EQ(grid->merged[0], (DrawCall{1, 1, Rect(73, 19, 218, 56), 0}));
    // The inner lines lie inside the area and take its background; its own
    // right and bottom lines are drawn.
    ExpectPixels(img, {{145, 25, kData}, {100, 37, kData}, {218, 25, kLine}, {218, 56, kLine}, {100, 56, kLine}});
    // Lines of plain cells: head cells in the line colour, data cells too.
    ExpectPixels(img, {{72, 5, kLine}, {5, 18, kLine}, {291, 65, kLine}, {250, 75, kLine}});

    // Data lines off: data cells draw none, fixed cells keep theirs.
    grid->SetOptions(grid->Options() & ~GridOption(goVertLine) & ~GridOption(goHorzLine));
    img = Paint();
    EXPECT_EQ(At(img, 72, 5), kLine);
    EXPECT_EQ(At(img, 291, 65), kUntouched);
    // Fixed horizontal lines off: fixed cells draw them in the fixed colour.
    grid->SetOptions(grid->Options() | GridOption(goVertLine) | GridOption(goHorzLine));
    grid->SetOptions(grid->Options() & ~GridOption(goFixedHorzLine));
    img = Paint();
    ExpectPixels(img, {{100, 18, kFixed}, {72, 5, kLine}, {250, 37, kLine}});
}

TEST_F(GridPaint, WideMergeLinesFillTheLineGapsWithFlatEnds)
{
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->SetGridLineWidth(3);
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    // Cell (0, 0) is 0..71 x 0..17; its lines take columns 72..74 and rows 18..20.
    for (int x : {72, 73, 74})
        EXPECT_EQ(At(img, x, 5), kLine) << x;
    for (int y : {18, 19, 20})
        EXPECT_EQ(At(img, 30, y), kLine) << y;
    ExpectPixels(img, {{71, 5, kFixed}, {75, 5, kFixed}, {30, 21, kFixed}});
    EXPECT_EQ(At(img, 0, 19), kLine); // flat start: no cap to the left
}

TEST_F(GridPaint, MergedAreaStartingBeforeThePassIsClippedToIt)
{
    grid->mergeBlock = true;
    grid->SetColCount(8);
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->MoveCurrent(5, 4, true, false, false, true);
    grid->SetTopLeft(2, 1);
    const QImage img = Paint();
    int areaCalls = 0;
    for (const DrawCall& c : grid->cells)
        if (c.col >= 1 && c.col <= 2 && c.row >= 1 && c.row <= 2) {
            ++areaCalls;
            // Column 1 is scrolled away: the area reaches left of the data pass.
            EXPECT_EQ(c, (DrawCall{2, 1, Rect(0, 19, 145, 56), 0}));
        }
    EXPECT_EQ(areaCalls, 1);
    EXPECT_EQ(At(img, 30, 25), kFixed); // the row head is not painted over
    EXPECT_EQ(At(img, 100, 25), kData);
}

TEST_F(GridPaint, MergedAreaAcrossTwoPassesIsDrawnOncePerPass)
{
    // Column 1 is the fixed-edit band, column 2 the first scrolling column.
    grid->mergeBlock = true;
    grid->SetFixedCols(2);
    grid->SetFixedEditCols(1);
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    grid->MoveCurrent(4, 4, true, false, false, true);
    const QImage img = Paint();
    std::vector<DrawCall> area;
    for (const DrawCall& c : grid->cells)
        if (c.col >= 1 && c.col <= 2 && c.row >= 1 && c.row <= 2)
            area.push_back(c);
    EXPECT_EQ(area, (std::vector<DrawCall>{{1, 1, Rect(73, 19, 218, 56), 0}, {2, 1, Rect(73, 19, 218, 56), 0}}));
    EXPECT_EQ(grid->merged, (std::vector<DrawCall>{{1, 1, Rect(73, 19, 218, 56), 0}, {1, 1, Rect(73, 19, 218, 56), 0}}));
    EXPECT_EQ(At(img, 145, 25), kData);
    EXPECT_EQ(At(img, 218, 40), kLine);
}

TEST_F(GridPaint, HiddenColumnsAndRowsTakeNoCells)
{
    grid->SetColWidths(2, 0);
    grid->SetRowHeights(2, 0);
    grid->MoveCurrent(4, 4, true, false, false, true);
    Paint();
    EXPECT_EQ(grid->cells.size(), 16u);
    for (const DrawCall& c : grid->cells) {
        EXPECT_NE(c.col, 2);
        EXPECT_NE(c.row, 2);
        if (c.col == 3 && c.row == 3) {
            EXPECT_EQ(c.rect, Rect(146, 38, 218, 56));
        }
    }

    // In merge mode a hidden merged column still draws its area.
    grid->mergeBlock = true;
    grid->SetRowHeights(2, 18);
    grid->SetColWidths(2, 72);
    grid->SetColWidths(1, 0);
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    Paint();
    int areaCalls = 0;
    for (const DrawCall& c : grid->cells)
        if (c.col >= 1 && c.col <= 2 && c.row >= 1 && c.row <= 2) {
            ++areaCalls;
            EXPECT_EQ(c, (DrawCall{1, 1, Rect(73, 19, 145, 56), 0}));
        }
    EXPECT_EQ(areaCalls, 1);

    // A hidden top row hands the area to the next visible row.
    grid->SetColWidths(1, 72);
    grid->SetRowHeights(1, 0);
    Paint();
    areaCalls = 0;
    for (const DrawCall& c : grid->cells)
        if (c.col >= 1 && c.col <= 2 && c.row >= 1 && c.row <= 2) {
            ++areaCalls;
            EXPECT_EQ(c, (DrawCall{1, 2, Rect(73, 19, 218, 37), 0}));
        }
    EXPECT_EQ(areaCalls, 1);
}

TEST_F(GridPaint, CellsOutsideTheClipAreNotDrawn)
{
    const TRect cell33 = Rect(219, 57, 291, 75);
    const QImage img = Paint(&cell33);
    ASSERT_EQ(grid->cells.size(), 1u);
    EXPECT_EQ(grid->cells[0].col, 3);
    EXPECT_EQ(grid->cells[0].row, 3);
    EXPECT_EQ(At(img, 100, 25), kUntouched);

    grid->mergeBlock = true;
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    const TRect inside = Rect(150, 40, 160, 50); // cell (2, 2), part of the area
    Paint(&inside);
    ASSERT_EQ(grid->cells.size(), 1u);
    EXPECT_EQ(grid->cells[0].col, 1);
    EXPECT_EQ(grid->cells[0].row, 1);
}

TEST_F(GridPaint, UpdateLockDrawsNothing)
{
    grid->BeginUpdate();
    QImage img = Paint();
    EXPECT_TRUE(grid->cells.empty());
    EXPECT_EQ(At(img, 100, 25), kUntouched);
    EXPECT_EQ(At(img, 390, 110), kUntouched);
    grid->EndUpdate();
    img = Paint();
    EXPECT_EQ(At(img, 390, 110), kData);
}

TEST_F(GridPaint, FrameOfEmptyHeadsAndSelectionDecorations)
{
    grid->SetFixedRows(0);
    grid->SetFixedCols(0);
    grid->Painter().SetFrameEmptyHeads(true);
    grid->MoveCurrent(4, 4, true, false, false, true);
    QImage img = Paint();
    ExpectPixels(img, {{30, 0, kLine}, {364, 0, kLine}, {0, 30, kLine}, {30, 1, kData}});

    // A single selection in the scrolling area: a 3-pixel outline around it
    // (grey while unfocused) and the grip at its bottom-right corner.
    grid->Painter().SetFrameEmptyHeads(false);
    grid->SetOptions(grid->Options() | GridOption(goRangeFilling));
    grid->MoveCurrent(1, 1, true, false, false, true);
    img = Paint();
    // Cell (1, 1) spans 73..144 x 19..36; outline rectangle 72..146 x 18..38.
    ExpectPixels(img, {{72, 25, Rgb(clGray)}, {71, 25, Rgb(clGray)}, {74, 25, Rgb(clHighlight)}});
    EXPECT_EQ(At(img, 145, 37), Rgb(clGray)); // the grip (143..148 x 35..40)
    EXPECT_EQ(At(img, 143, 35), Rgb(clWhite));
}

} // namespace
