#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "RecordingGridTest.h"
#include "../GridErrorOf.h"
#include "grid/core/TavikCustomGrid.h"
#include "support/GridTestAccess.h"
#include "support/GridText.h"
#include "grid/core/GridEditing.h"

namespace {

using Moves = std::vector<std::pair<int, int>>;

// Records the move and size notifications and exposes the edited cell.
class MovesGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    Moves columnMoves;
    Moves rowMoves;
    Moves sizeChanges;
    int widthsChanged = 0;
    int heightsChanged = 0;
    void ColumnMoved(int from, int to) override { columnMoves.emplace_back(from, to); }
    void RowMoved(int from, int to) override { rowMoves.emplace_back(from, to); }
    void SizeChanged(int oldColCount, int oldRowCount) override { sizeChanges.emplace_back(oldColCount, oldRowCount); }
    void ColWidthsChanged() override
    {
        ++widthsChanged;
        TTavikCustomGrid::ColWidthsChanged();
    }
    void RowHeightsChanged() override
    {
        ++heightsChanged;
        TTavikCustomGrid::RowHeightsChanged();
    }
    TGridCoord EditCell() const { return {Editing().EditCol(), Editing().EditRow()}; }
    void SetEditCell(TGridCoord c) { GridTestAccess::PlaceEditCell(*this, c.X, c.Y); }
    void ClearRecords()
    {
        columnMoves.clear();
        rowMoves.clear();
        sizeChanges.clear();
        widthsChanged = heightsChanged = 0;
    }
};

// The default grid: 5 x 5 cells of 72 x 18 with one head row and column, 360 x 90 pixels.
class GridRowsAndColumns : public RecordingGridTest<MovesGrid> {
protected:
    bool RepaintedWhole()
    {
        const auto rects = Invalidated();
        return std::find(rects.begin(), rects.end(), grid->ClientRect()) != rects.end();
    }
    std::vector<int> Widths() { return EachOf(grid->ColCount(), [&](int c) { return grid->ColWidths(c); }); }
    std::vector<int> Heights() { return EachOf(grid->RowCount(), [&](int r) { return grid->GetRowHeight(r); }); }
    std::vector<int> TabStops() { return EachOf(grid->ColCount(), [&](int c) { return GridTestAccess::TabStop(*grid, c); }); }
};

TEST_F(GridRowsAndColumns, MoveColumnCarriesWidthsAndTabStops)
{
    grid->SetColWidths(1, 10);
    grid->SetColWidths(2, 20);
    grid->SetColWidths(3, 30);
    GridTestAccess::SetTabStop(*grid, 3, false);
    grid->ClearRecords();
    Invalidated();

    grid->MoveColumn(3, 1);
    EXPECT_EQ(Widths(), (std::vector<int>{72, 30, 10, 20, 72}));
    EXPECT_EQ(TabStops(), (std::vector<int>{1, 0, 1, 1, 1}));
    EXPECT_EQ(grid->columnMoves, (Moves{{3, 1}}));
    EXPECT_EQ(grid->widthsChanged, 1);
    EXPECT_TRUE(RepaintedWhole());

    grid->MoveColumn(1, 4);
    EXPECT_EQ(Widths(), (std::vector<int>{72, 10, 20, 72, 30}));
    EXPECT_EQ(TabStops(), (std::vector<int>{1, 1, 1, 1, 0}));
}

TEST_F(GridRowsAndColumns, TabStopsMoveEvenWithoutOwnWidths)
{
    GridTestAccess::SetTabStop(*grid, 2, false);
    grid->MoveColumn(2, 4);
    EXPECT_FALSE(grid->ColExtents().HasBlock());
    EXPECT_EQ(TabStops(), (std::vector<int>{1, 1, 1, 1, 0}));
    EXPECT_EQ(grid->columnMoves, (Moves{{2, 4}}));
    // Without own widths there is no width change to report.
    EXPECT_EQ(grid->widthsChanged, 0);
}

TEST_F(GridRowsAndColumns, MoveColumnCarriesCurrentAnchorAndEditedCell)
{
    grid->PlaceCurrent({2, 1});
    grid->SetAnchor({4, 1});
    grid->SetEditCell({3, 2});

    // 2 is the moved column; 3 and 4 lie between and step towards it.
    grid->MoveColumn(2, 4);
    EXPECT_EQ(grid->Current(), (TGridCoord{4, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{3, 1}));
    EXPECT_EQ(grid->EditCell(), (TGridCoord{2, 2}));
    EXPECT_EQ(grid->Selections().Count(), 1);
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{3, 1, 4, 1}));

    // Moving left: the columns between step right; rows are untouched.
    grid->MoveColumn(4, 1);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 1}));
    EXPECT_EQ(grid->EditCell(), (TGridCoord{3, 2}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 1, 4, 1}));

    // Columns outside the moved span keep their place.
    grid->MoveColumn(2, 3);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 1}));
    EXPECT_EQ(grid->EditCell(), (TGridCoord{2, 2}));
}

TEST_F(GridRowsAndColumns, MoveColumnKeepsAWholeSelectedRow)
{
    grid->SetOptions(grid->Options() | GridOption(goRowSelect));
    grid->FocusCell(1, 2, true);
    ASSERT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 2, 4, 2}));
    grid->MoveColumn(4, 2);
    grid->MoveColumn(1, 3);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 2}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 2, 4, 2}));
}

TEST_F(GridRowsAndColumns, MoveRowCarriesHeightsAndCellsWithoutRepainting)
{
    grid->SetRowHeight(2, 20);
    grid->SetRowHeight(4, 40);
    grid->PlaceCurrent({1, 4});
    grid->SetAnchor({1, 2});
    grid->SetEditCell({1, 3});
    grid->ClearRecords();
    Invalidated();

    grid->MoveRow(4, 2);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 40, 20, 18}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{1, 3}));
    EXPECT_EQ(grid->EditCell(), (TGridCoord{1, 4}));
    EXPECT_EQ(grid->Selections().Last()->GetRange(), (TGridRect{1, 2, 1, 3}));
    EXPECT_EQ(grid->rowMoves, (Moves{{4, 2}}));
    EXPECT_EQ(grid->heightsChanged, 1);
    EXPECT_FALSE(RepaintedWhole());
    EXPECT_TRUE(grid->columnMoves.empty());
}

TEST_F(GridRowsAndColumns, MoveRowWithoutOwnHeightsLeavesThemAbsent)
{
    grid->MoveRow(1, 3);
    EXPECT_FALSE(grid->RowExtents().HasBlock());
    EXPECT_EQ(grid->rowMoves, (Moves{{1, 3}}));
    EXPECT_EQ(grid->heightsChanged, 0);
    EXPECT_TRUE(Invalidated().empty());

    // No extents to catch a bad index: the move itself must refuse it.
    grid->ClearRecords();
    grid->PlaceCurrent({1, 2});
    EXPECT_EQ(ErrorOf([&] { grid->MoveRow(2, 7); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { grid->MoveColumn(1, 9); }), "Grid index out of range");
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_TRUE(grid->rowMoves.empty());
    EXPECT_TRUE(grid->columnMoves.empty());
}

TEST_F(GridRowsAndColumns, MovingOntoItselfDoesNothing)
{
    grid->SetColWidths(2, 20);
    grid->ClearRecords();
    Invalidated();
    grid->MoveColumn(2, 2);
    grid->MoveRow(3, 3);
    EXPECT_TRUE(grid->columnMoves.empty());
    EXPECT_TRUE(grid->rowMoves.empty());
    EXPECT_EQ(grid->widthsChanged, 0);
    EXPECT_TRUE(Invalidated().empty());
}

TEST_F(GridRowsAndColumns, IndexesOutOfRangeAreRefusedWithoutChange)
{
    grid->SetColWidths(1, 10);
    grid->SetRowHeight(2, 20);
    grid->PlaceCurrent({2, 2});
    grid->ClearRecords();
    const std::string outOfRange = "Grid index out of range";
    const std::vector<std::function<void()>> calls = {
        [&] { grid->MoveColumn(-1, 2); }, [&] { grid->MoveColumn(1, 5); },  [&] { grid->MoveColumn(5, 5); },
        [&] { grid->MoveRow(5, 1); },     [&] { grid->MoveRow(0, -1); },    [&] { grid->DeleteCol(5); },
        [&] { grid->DeleteCol(-1); },     [&] { grid->DeleteRow(5); },      [&] { grid->DeleteRow(-2); },
        [&] { grid->InsertRow(6); },      [&] { grid->InsertRow(-2); },     [&] { GridTestAccess::AdjustSize(*grid, 6, 1, true); },
        [&] { GridTestAccess::AdjustSize(*grid, -1, 1, false); },
    };
    for (size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ErrorOf(calls[i]), outOfRange);
        EXPECT_EQ(grid->ColCount(), 5);
        EXPECT_EQ(grid->RowCount(), 5);
        EXPECT_EQ(Widths(), (std::vector<int>{72, 10, 72, 72, 72}));
        EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 20, 18, 18}));
        EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));
    }
    EXPECT_TRUE(grid->columnMoves.empty());
    EXPECT_TRUE(grid->rowMoves.empty());
    EXPECT_TRUE(grid->sizeChanges.empty());
}

TEST_F(GridRowsAndColumns, DeleteRowKeepsHeightsWithTheirRows)
{
    grid->SetRowCount(6);
    grid->SetRowHeight(2, 20);
    grid->SetRowHeight(3, 30);
    grid->SetRowHeight(4, 40);
    grid->SetCurrentRow(3);
    grid->ClearRecords();
    Invalidated();

    grid->DeleteRow(2);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 30, 40, 18}));
    // The same index stays current: the row that moved up into it.
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_EQ(grid->rowMoves, (Moves{{2, 5}}));
    EXPECT_TRUE(RepaintedWhole());

    // -1 is the current row.
    grid->DeleteRow(-1);
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 40, 18}));
    EXPECT_EQ(grid->CurrentRow(), 2);

    // Deleting the last row makes the new last row current.
    grid->DeleteRow(3);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 40}));
    EXPECT_EQ(grid->CurrentRow(), 2);
}

TEST_F(GridRowsAndColumns, DeleteRowNeverDeletesHeadRows)
{
    grid->SetFixedRows(2);
    grid->SetRowHeight(1, 25);
    grid->ClearRecords();
    Invalidated();
    grid->DeleteRow(0);
    grid->DeleteRow(1);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->FixedRows(), 2);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 25, 18, 18, 18}));
    EXPECT_TRUE(grid->rowMoves.empty());
    EXPECT_TRUE(Invalidated().empty());

    // A grid of head rows only has no current data row to delete.
    grid->SetRowCount(2);
    grid->ClearRecords();
    grid->DeleteRow(-1);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_TRUE(grid->rowMoves.empty());
}

TEST_F(GridRowsAndColumns, InsertRowOpensADefaultRowAndMakesItCurrent)
{
    grid->SetRowHeight(1, 10);
    grid->SetRowHeight(2, 20);
    grid->SetRowHeight(3, 30);
    grid->ClearRecords();
    Invalidated();

    grid->InsertRow(2);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 10, 18, 20, 30, 18}));
    EXPECT_EQ(grid->CurrentRow(), 2);
    EXPECT_EQ(grid->rowMoves, (Moves{{5, 2}}));
    EXPECT_TRUE(RepaintedWhole());

    // -1 inserts above the current row.
    grid->SetRowHeight(2, 5);
    grid->InsertRow(-1);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 10, 18, 5, 20, 30, 18}));
    EXPECT_EQ(grid->CurrentRow(), 2);

    // One past the last row appends without moving anything.
    grid->ClearRecords();
    grid->InsertRow(7);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->CurrentRow(), 7);
    EXPECT_TRUE(grid->rowMoves.empty());
}

TEST_F(GridRowsAndColumns, InsertRowAtAHeadRowMakesTheLastRowCurrent)
{
    grid->SetRowHeight(0, 30);
    grid->InsertRow(0);
    EXPECT_EQ(grid->RowCount(), 6);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 30, 18, 18, 18, 18}));
    EXPECT_EQ(grid->CurrentRow(), 5);
    EXPECT_EQ(grid->FixedRows(), 1);
}

TEST_F(GridRowsAndColumns, DeleteColKeepsWidthsWithTheirColumns)
{
    grid->SetColWidths(1, 10);
    grid->SetColWidths(2, 20);
    grid->SetColWidths(3, 30);
    GridTestAccess::SetTabStop(*grid, 3, false);
    grid->SetCurrentCol(3);
    grid->ClearRecords();

    grid->DeleteCol(2);
    EXPECT_EQ(grid->ColCount(), 4);
    EXPECT_EQ(Widths(), (std::vector<int>{72, 10, 30, 72}));
    EXPECT_EQ(TabStops(), (std::vector<int>{1, 1, 0, 1}));
    EXPECT_EQ(grid->CurrentCol(), 2);
    EXPECT_EQ(grid->columnMoves, (Moves{{2, 4}}));

    // The current column itself deleted: the next one takes its index.
    grid->DeleteCol(2);
    EXPECT_EQ(grid->ColCount(), 3);
    EXPECT_EQ(Widths(), (std::vector<int>{72, 10, 72}));
    EXPECT_EQ(grid->CurrentCol(), 2);
}

TEST_F(GridRowsAndColumns, AdjustSizeInsertsAndDeletesInTheExtents)
{
    grid->SetRowHeight(1, 10);
    grid->SetRowHeight(2, 20);
    grid->SetRowHeight(3, 30);
    grid->PlaceCurrent({1, 3});
    grid->SetAnchor({1, 3});
    grid->ClearRecords();

    GridTestAccess::AdjustSize(*grid, 2, 2, true);
    EXPECT_EQ(grid->RowCount(), 7);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 10, 18, 18, 20, 30, 18}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 5}));
    EXPECT_EQ(grid->sizeChanges, (Moves{{5, 5}}));

    // Deleting the current row lands on the first row after the gap.
    grid->PlaceCurrent({1, 2});
    GridTestAccess::AdjustSize(*grid, 2, -2, true);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 10, 20, 30, 18}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));

    // Rows before the current one pull it up.
    grid->PlaceCurrent({1, 4});
    GridTestAccess::AdjustSize(*grid, 1, -2, true);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 30, 18}));
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));

    GridTestAccess::SetTabStop(*grid, 1, false);
    grid->SetColWidths(2, 20);
    GridTestAccess::AdjustSize(*grid, 1, 1, false);
    EXPECT_EQ(grid->ColCount(), 6);
    EXPECT_EQ(Widths(), (std::vector<int>{72, 72, 72, 20, 72, 72}));
    EXPECT_EQ(TabStops(), (std::vector<int>{1, 1, 0, 1, 1, 1}));
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 2}));
}

TEST_F(GridRowsAndColumns, AdjustSizeRefusesDeletingPastTheEnd)
{
    grid->SetRowHeight(2, 20);
    grid->ClearRecords();
    const std::string tooMany = "Too many rows or columns deleted";
    EXPECT_EQ(ErrorOf([&] { GridTestAccess::AdjustSize(*grid, 4, -2, true); }), tooMany);
    // A grid keeps at least one row and one column.
    EXPECT_EQ(ErrorOf([&] { GridTestAccess::AdjustSize(*grid, 0, -5, true); }), tooMany);
    EXPECT_EQ(ErrorOf([&] { GridTestAccess::AdjustSize(*grid, 0, -5, false); }), tooMany);
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->ColCount(), 5);
    EXPECT_EQ(Heights(), (std::vector<int>{18, 18, 20, 18, 18}));
    EXPECT_TRUE(grid->sizeChanges.empty());

    GridTestAccess::AdjustSize(*grid, 2, 0, true);
    EXPECT_TRUE(grid->sizeChanges.empty());
}

TEST_F(GridRowsAndColumns, SetRowCountKeepViewHoldsTheScrolledView)
{
    grid->SetRowCount(20);
    grid->SetTopLeft(2, 10);
    grid->FocusCell(3, 11, true);
    ASSERT_EQ(grid->TopLeft(), (TGridCoord{2, 10}));

    // Growing leaves view and current cell alone.
    GridTestAccess::SetRowCountKeepView(*grid, 30);
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{2, 10}));
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 11}));

    // Shrinking below the view keeps the top row as close as the count allows
    // and the current cell in its column on the new last row.
    GridTestAccess::SetRowCountKeepView(*grid, 8);
    EXPECT_EQ(grid->RowCount(), 8);
    EXPECT_EQ(grid->TopLeft(), (TGridCoord{2, 7}));
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 7}));
}

TEST_F(GridRowsAndColumns, PlainRowCountResetsTheViewThatKeepViewHolds)
{
    grid->SetRowCount(20);
    grid->SetTopLeft(2, 10);
    grid->FocusCell(3, 11, true);
    grid->SetRowCount(8);
    EXPECT_LT(grid->TopLeft().Y, 7);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 7}));
}

} // namespace
