#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "RecordingGridTest.h"
#include "../GridErrorOf.h"
#include "grid/core/TavikCustomGrid.h"
#include "support/Events.h"
#include "support/GridTestAccess.h"

namespace {

// A grid with one 2 x 2 merged area at columns 1..2, rows 1..2, and a hook
// that can make a size change fail after the counts were stored.
class TestGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    // The client area of the default grid, without border and bars around it.
    void ClientOnly()
    {
        Widget(); // the bars are set up once the window exists
        SetBorderStyle(bsNone);
        SetBounds(Left(), Top(), Width() + ScrollBarThickness, Height() + ScrollBarThickness);
    }
    bool failSizeChange = false;
    int MergeId(int col, int row) override { return col >= 1 && col <= 2 && row >= 1 && row <= 2 ? 7 : 0; }
    void SizeChanged(int, int) override
    {
        if (failSizeChange)
            throw EGridException("size change refused");
    }
};

class GridControl : public RecordingGridTest<TestGrid> {
protected:
    void Prepare(TestGrid& g) override { g.ClientOnly(); }
};

TEST_F(GridControl, CreationDefaults)
{
    TestGrid fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 360);
    EXPECT_EQ(fresh.Height(), 90);
    EXPECT_EQ(fresh.NonClientBorder(), ncbClientEdge);
    EXPECT_EQ(grid->ClientWidth(), 360);
    EXPECT_EQ(grid->ClientHeight(), 90);
    EXPECT_EQ(grid->Font().Name(), QStringLiteral("宋体"));
    EXPECT_EQ(grid->Font().Size(), 9);
    EXPECT_EQ(grid->Color(), clWindow);
    EXPECT_TRUE(grid->TabStop());
    EXPECT_EQ(grid->Options(), DefaultGridOptions);
    EXPECT_EQ(grid->OptionExs(), GridOptionEx(goReturnKeyAsTab));
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Selections().Count(), 1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 1, 1}));
    EXPECT_EQ(grid->VisibleColCount(), 3);
    EXPECT_EQ(grid->VisibleRowCount(), 3);
}

TEST_F(GridControl, CellGeometryOfTheDefaultGrid)
{
    EXPECT_EQ(grid->CellBounds(0, 0), Rect(0, 0, 72, 18));
    EXPECT_EQ(grid->CellBounds(3, 1), Rect(219, 19, 291, 37));
    EXPECT_EQ(grid->CellBounds(4, 4), Rect(292, 76, 360, 90)); // partly visible, clipped
    EXPECT_EQ(grid->PointToCell(72, 18), (TGridCoord{0, 0}));
    EXPECT_EQ(grid->PointToCell(73, 19), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->PointToCell(359, 89), (TGridCoord{4, 4}));
    grid->SetColWidths(1, 0);
    EXPECT_EQ(grid->PointToCell(73, 19), (TGridCoord{2, 1}));
    EXPECT_EQ(grid->CellBounds(2, 1), Rect(73, 19, 145, 37));
    grid->SetRowHeights(4, 0);
    grid->SetColCount(3);
    EXPECT_EQ(grid->PointToCell(300, 10), (TGridCoord{-1, -1}));
}

TEST_F(GridControl, MergedAreasGrowCellsAndSelections)
{
    grid->SetOptions(grid->Options() | GridOption(goCellMerge));
    EXPECT_EQ(grid->MergedArea(2, 2), (TGridRect{1, 1, 2, 2}));
    EXPECT_EQ(grid->MergedArea(3, 2), (TGridRect{3, 2, 3, 2}));
    EXPECT_EQ(grid->CellBounds(2, 2), Rect(73, 19, 218, 56));
    EXPECT_EQ(static_cast<ISelectionHost&>(*grid).WidenToMergedAreas({2, 2, 3, 3}), (TGridRect{1, 1, 3, 3}));
    grid->MoveCurrent(3, 3, true, false, false, false);
    EXPECT_EQ(grid->SelectionRect(), (TGridRect{1, 1, 3, 3}));
    Invalidated();
    grid->RepaintCell(2, 2);
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(69, 15, 223, 61)});
}

TEST_F(GridControl, SetterErrorsAndClearingRules)
{
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(5); }), "Fixed column count must be less than column count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedCols(-1); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(6); }), "Fixed row count must be less than row count");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(5); }), "no error");
    EXPECT_EQ(grid->FixedRows(), 5);
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedRows(1); }), "no error");
    EXPECT_EQ(ErrorOf([&] { grid->SetFixedEditCols(2); }),
              "FixedEdit column count must be less than fixed column count");
    EXPECT_EQ(ErrorOf([&] { grid->SetColWidths(5, 10); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->SetRowHeights(-1, 10); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->MoveCurrent(5, 1, true, false, false, true); }), "Grid index out of range");
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));

    grid->SetOptions(DefaultGridOptions | GridOption(goRowSelect) | GridOption(goAlwaysShowEditor));
    EXPECT_FALSE(HasOption(grid->Options(), goAlwaysShowEditor));
    EXPECT_TRUE(HasOption(grid->Options(), goRowSelect));
    grid->SetOptions((DefaultGridOptions & ~GridOption(goColSizing)) | GridOption(goAdjustLiberty));
    EXPECT_FALSE(HasOption(grid->Options(), goAdjustLiberty));
    grid->SetOptions(DefaultGridOptions | GridOption(goAdjustLiberty));
    EXPECT_TRUE(HasOption(grid->Options(), goAdjustLiberty));

    grid->SetGridLineWidth(3);
    grid->SetOptions(DefaultGridOptions | GridOption(goCellMerge));
    EXPECT_EQ(grid->GridLineWidth(), 1);
    grid->SetGridLineWidth(3);
    grid->SetOptions(DefaultGridOptions | GridOption(goCellMerge) | GridOption(goRowSizing));
    EXPECT_EQ(grid->GridLineWidth(), 3);
}

TEST_F(GridControl, CountChangesKeepFixedPartsValid)
{
    grid->SetColCount(0);
    EXPECT_EQ(grid->ColCount(), 1);
    EXPECT_EQ(grid->FixedCols(), 0);
    grid->SetFixedRows(3);
    grid->SetRowCount(2);
    EXPECT_EQ(grid->FixedRows(), 2);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->Current().Y, 1);
    EXPECT_EQ(grid->Selections().Count(), 0); // the current cell lies in the heads

    grid->SetColCount(5);
    grid->SetColWidths(1, 30);
    grid->SetColWidths(2, 40);
    grid->SetDefaultColWidth(50);
    EXPECT_FALSE(grid->ColExtents().HasBlock());
    EXPECT_EQ(grid->ColWidths(1), 50);
}

TEST_F(GridControl, CountChangeMovesTheCurrentCellBackIntoTheGrid)
{
    grid->SetRowCount(20);
    std::vector<std::pair<TGridCoord, TGridCoord>> moves;
    Bind(grid->OnMoveCurrent, [&](TObject*, TGridCoord from, TGridCoord to, TMoveReason) { moves.push_back({from, to}); });
    grid->MoveCurrent(3, 15, true, false, true, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 15}));
    EXPECT_EQ(grid->TopLeft().Y, 13); // scrolled into view at the bottom edge
    grid->SetRowHeights(9, 0);
    GridTestAccess::ChangeSize(*grid, 5, 10);
    EXPECT_EQ(grid->RowCount(), 10);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 8})); // past the hidden last row
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves.back().second, (TGridCoord{3, 8}));
    grid->SetRowCount(4); // the re-seat makes the old row, clamped, current again
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 3}));
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 1}));
}

TEST_F(GridControl, CountChangeMovesTheCurrentCellInEvenOntoAReadOnlyCell)
{
    grid->MoveCurrent(4, 2, true, false, true, true);
    Bind(grid->OnQueryReadOnly, [](TObject*, int col, int row, bool& ro) { ro = col == 2 && row == 2; });
    EXPECT_NO_THROW(grid->SetColCount(3));
    const TGridCoord c = grid->Current();
    EXPECT_LT(c.X, 3);
    EXPECT_EQ(c.Y, 2);
    EXPECT_EQ(grid->Anchor(), c);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{c.X, c.Y, c.X, c.Y}));
}

TEST_F(GridControl, FailedSizeChangeRollsBack)
{
    grid->SetColWidths(3, 33);
    grid->failSizeChange = true;
    EXPECT_EQ(ErrorOf([&] { grid->SetColCount(2); }), "size change refused");
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(grid->ColWidths(3), 33);
    EXPECT_EQ(grid->ColExtents().Count(), 5);
    grid->failSizeChange = false;

    grid->SetRowHeights(0, 10);
    EXPECT_EQ(ErrorOf([&] { grid->SetRowCount(MaxGridCellCount + 1); }),
              "A grid holds at most 1000000 rows, not 1000001");
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->GetRowHeight(0), 10);
    EXPECT_EQ(grid->RowExtents().Count(), 5);
}

TEST_F(GridControl, ScrollingMovesThePictureAndInvalidatesTheUncoveredStrip)
{
    grid->SetRowCount(20);
    grid->SetColCount(20);
    grid->Update();
    Invalidated();
    grid->SetTopLeft(1, 2);
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(0, 71, 360, 90)});
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbVert).Max, 127);
    EXPECT_EQ(GridTestAccess::ScrollBar(*grid, gsbVert).Pos, 127 / 16); // rows 1..17 map onto 0..127

    grid->SetTopLeft(2, 2);
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(287, 0, 360, 90)});
    grid->SetTopLeft(1, 1);
    const auto both = Invalidated();
    ASSERT_FALSE(both.empty());
    for (const TRect& r : both) // only the strips that came into view: column 1, row 1
        EXPECT_TRUE((r.Left == 73 && r.Right == 146) || (r.Top == 19 && r.Bottom == 38));

    grid->SetTopLeft(1, 15); // farther than the data area: repainted instead
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(0, 0, 360, 90)});
    grid->SetTopLeft(0, 0); // never into the fixed cells
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{1, 1}));
}

TEST_F(GridControl, RepaintsAreRectangleExact)
{
    grid->RepaintCell(2, 2);
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(146, 38, 219, 57)});
    grid->RepaintCell(5, 1);
    EXPECT_TRUE(Invalidated().empty());
    static_cast<ISelectionHost&>(*grid).RepaintRangeChange({1, 1, 2, 2}, {1, 1, 3, 2}, true, false);
    EXPECT_EQ(Invalidated(), std::vector<TRect>{Rect(219, 19, 292, 57)});
    static_cast<ISelectionHost&>(*grid).RepaintRangeChange({1, 1, 1, 1}, {2, 2, 2, 2}, false, true);
    const std::vector<TRect> expected{Rect(73, 19, 146, 38), Rect(146, 38, 219, 57), Rect(73, 0, 146, 19),
                                      Rect(0, 19, 73, 38), Rect(146, 0, 219, 19), Rect(0, 38, 73, 57)};
    EXPECT_EQ(Invalidated(), expected);
}

TEST_F(GridControl, UpdateLockHoldsBackNotifications)
{
    int widthEvents = 0;
    Bind(grid->OnColWidthsChanged, [&](TObject*, int) { ++widthEvents; });
    grid->BeginUpdate();
    grid->SetColWidths(1, 30);
    grid->SetColWidths(2, 40);
    grid->RepaintCell(1, 1);
    EXPECT_EQ(widthEvents, 0);
    EXPECT_TRUE(Invalidated().empty());
    grid->EndUpdate();
    // The whole picture; the narrower columns also take the horizontal bar
    // away, which repaints the grown client area once more.
    const std::vector<TRect> whole = Invalidated();
    ASSERT_FALSE(whole.empty());
    EXPECT_EQ(whole.back(), grid->ClientRect());
    EXPECT_FALSE(grid->ScrollBarVisible(SB_HORZ));
    EXPECT_EQ(grid->ColWidths(2), 40);
    grid->EndUpdate(); // never below zero
    EXPECT_EQ(GridTestAccess::UpdateLock(*grid), 0);
    grid->SetColWidths(1, 31);
    EXPECT_EQ(widthEvents, 1);
}

TEST_F(GridControl, MoveCurrentAsksFirstAndReports)
{
    std::vector<TMoveReason> reasons;
    Bind(grid->OnMoveCurrent, [&](TObject*, TGridCoord, TGridCoord, TMoveReason r) { reasons.push_back(r); });
    bool allow = false;
    Bind(grid->OnBeforeMoveCurrent, [&](TObject*, TGridCoord, TGridCoord, TMoveReason, bool& can) { can = allow; });
    grid->MoveCurrent(2, 2, true, true, true, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_TRUE(reasons.empty());
    grid->MoveCurrent(2, 2, true, false, true, true); // not asked
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));
    allow = true;
    bool rowChange = false;
    Bind(grid->OnQueryRowChange, [&](TObject*, int, bool& can) { can = rowChange; });
    grid->MoveCurrent(3, 3, true, true, true, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));
    grid->MoveCurrent(3, 2, true, true, true, false); // same row: no row query
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 2}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{2, 2, 3, 2}));
    Bind(grid->OnQueryReadOnly, [](TObject*, int col, int, bool& ro) { ro = col == 4; });
    grid->MoveCurrent(4, 2, true, false, true, true);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 2}));
    EXPECT_EQ(reasons.size(), 2u);
    EXPECT_EQ(reasons.back(), mrProgram);

    grid->SetOptions(grid->Options() | GridOption(goRowSelect));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 2}));
}

TEST(GridMixColor, AmountsBelowHundredArePercentAboveAreThousandths)
{
    EXPECT_EQ(MixColor(clWhite, clBlack, 30), RGBColor(77, 77, 77));
    EXPECT_EQ(MixColor(clWhite, clBlack, 100), RGBColor(26, 26, 26));
}

} // namespace
