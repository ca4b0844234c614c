#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "RecordingGridTest.h"
#include "grid/core/TavikCustomGrid.h"
#include "support/Input.h"

// The grid and its selection set together: the default 5 x 5 grid with one
// fixed column and row, columns 72 pixels wide and rows 18 high, each followed
// by a 1-pixel line.

inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}

namespace {

// Merged areas given as ranges; notifications are logged with the rows the
// grid left them, and any merge query about a cell outside the grid is noted.
class WiredGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    std::vector<TGridRect> merged;
    std::vector<std::string> notes;
    bool askedOutside = false;

    int MergeId(int col, int row) override
    {
        if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount())
            askedOutside = true;
        for (size_t i = 0; i < merged.size(); ++i)
            if (GridRectContains(merged[i], col, row))
                return static_cast<int>(i) + 1;
        return 0;
    }
    void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) override
    {
        TTavikCustomGrid::SelectionNotify(selection, action);
        const TGridRect r = selection->GetRange();
        notes.push_back(std::string(action == snAdded ? "added " : "deleted ") + std::to_string(r.Left) + "," +
                        std::to_string(r.Top) + "," + std::to_string(r.Right) + "," + std::to_string(r.Bottom));
    }
};

class GridSelectionWiring : public RecordingGridTest<WiredGrid> {
protected:
    TSelections& Set() { return grid->Selections(); }
    TGridRect LastRange() { return Set().Last()->GetRange(); }
    void AddOption(TGridOption o) { grid->SetOptions(grid->Options() | GridOption(o)); }
};

TEST_F(GridSelectionWiring, RangeMovesExtendTheLastSelectionAndRepaintOnlyWhatChanged)
{
    ASSERT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{1, 1, 1, 1}));

    // A drag to (2, 2): only the L-shaped growth and the heads of both ranges.
    Set().ExtendSelection({2, 2});
    EXPECT_EQ(grid->Anchor(), (TGridCoord{2, 2}));
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{1, 1, 2, 2}));
    EXPECT_EQ(Invalidated(), (std::vector<TRect>{Rect(73, 38, 219, 57), Rect(146, 19, 219, 38), Rect(73, 0, 146, 19),
                                                 Rect(0, 19, 73, 38), Rect(73, 0, 219, 19), Rect(0, 19, 73, 57)}));

    // A shifted key move keeps the anchor: the range spans it and the new
    // current cell; besides the change, the earlier selection is repainted.
    grid->MoveCurrent(3, 1, true, false, false, false);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{2, 2}));
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{2, 1, 3, 2}));
    EXPECT_EQ(Invalidated(),
              (std::vector<TRect>{Rect(73, 19, 146, 57), Rect(219, 19, 292, 57), Rect(73, 0, 219, 19),
                                  Rect(0, 19, 73, 57), Rect(146, 0, 292, 19), Rect(0, 19, 73, 57),
                                  Rect(73, 19, 219, 57), Rect(73, 0, 219, 19), Rect(0, 19, 73, 57)}));
    EXPECT_TRUE(grid->IsCellSelected(3, 2));
    EXPECT_FALSE(grid->IsCellSelected(1, 1));

    // Without replacing (a Ctrl-click), the earlier selection stays and the
    // new cell joins it.
    grid->MoveCurrent(1, 3, false, false, false, true);
    EXPECT_EQ(Set().Count(), 2);
    EXPECT_TRUE(grid->IsCellSelected(3, 2) && grid->IsCellSelected(1, 3));
    EXPECT_FALSE(grid->IsCellSelected(1, 2));
}

TEST_F(GridSelectionWiring, APlainClickAfterCtrlClicksRepaintsTheWholeGrid)
{
    AddOption(goMultiSelection);
    // In the window, inside the grid's border.
    const TRect client = grid->ClientAreaInWindow();
    auto centre = [&](int col, int row) { return TPoint{client.Left + 73 * col + 36, client.Top + 19 * row + 9}; };
    auto click = [&](TGridCoord cell, Qt::KeyboardModifiers mods) {
        const TPoint p = centre(cell.X, cell.Y);
        SendMouse(grid.get(), QEvent::MouseButtonPress, p.X, p.Y, Qt::LeftButton, mods);
        SendMouse(grid.get(), QEvent::MouseButtonRelease, p.X, p.Y, Qt::LeftButton, mods);
    };
    const TRect whole = Rect(0, 0, grid->ClientWidth(), grid->ClientHeight());
    auto repaintedAll = [&] {
        const std::vector<TRect> rects = Invalidated();
        return std::find(rects.begin(), rects.end(), whole) != rects.end();
    };
    click({2, 1}, Qt::ControlModifier);
    Invalidated(); // the first press also focused the grid
    click({3, 2}, Qt::ControlModifier);
    EXPECT_EQ(Set().Count(), 3);
    EXPECT_FALSE(repaintedAll()); // adding repaints only what was added
    click({2, 2}, Qt::NoModifier);
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{2, 2, 2, 2}));
    EXPECT_TRUE(repaintedAll());
    click({3, 1}, Qt::NoModifier); // from one selection to another: only the pieces
    EXPECT_EQ(LastRange(), (TGridRect{3, 1, 3, 1}));
    EXPECT_FALSE(repaintedAll());
}

TEST_F(GridSelectionWiring, MergeModeGrowsEveryRepaintedRectangleByFourPixels)
{
    AddOption(goCellMerge);
    Invalidated();
    Set().ExtendSelection({2, 1});
    EXPECT_EQ(LastRange(), (TGridRect{1, 1, 2, 1}));
    // Cell (2, 1) with its lines, then the heads of both ranges, all grown.
    EXPECT_EQ(Invalidated(), (std::vector<TRect>{Rect(142, 15, 223, 42), Rect(69, -4, 150, 23), Rect(-4, 15, 77, 42),
                                                 Rect(69, -4, 223, 23), Rect(-4, 15, 77, 42)}));

    // The selection's repaint (focus changes) goes the same way, heads included.
    grid->Selections().RepaintSelection();
    EXPECT_EQ(Invalidated(), (std::vector<TRect>{Rect(69, 15, 223, 42), Rect(69, -4, 223, 23), Rect(-4, 15, 77, 42)}));
}

TEST_F(GridSelectionWiring, RowSelectSelectsWholeRowsFromTheEditableColumn)
{
    AddOption(goRowSelect);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{4, 1}));
    EXPECT_EQ(LastRange(), (TGridRect{1, 1, 4, 1}));

    grid->MoveCurrent(3, 3, true, false, false, false); // a shifted move down two rows
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(LastRange(), (TGridRect{1, 1, 4, 3}));
    grid->MoveCurrent(2, 2, true, false, false, true);
    EXPECT_EQ(LastRange(), (TGridRect{1, 2, 4, 2}));
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_TRUE(grid->IsCellSelected(4, 2));
    EXPECT_FALSE(grid->IsCellSelected(0, 2)); // the locked column is never part of a row

    // Fewer columns pull the row's far end in with them.
    grid->SetColCount(3);
    EXPECT_EQ(grid->Anchor(), (TGridCoord{2, 2}));
    EXPECT_EQ(LastRange(), (TGridRect{1, 2, 2, 2}));
}

TEST_F(GridSelectionWiring, AddedRowSelectionsTakeInWholeMergedAreas)
{
    grid->merged = {{2, 1, 3, 2}, {1, 3, 1, 4}};
    grid->notes.clear();
    Set().Add(std::make_unique<TRowSelection>(2, 2), true);
    auto* rows = dynamic_cast<TRowSelection*>(Set().Last());
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->FirstRow(), 2); // without merge mode nothing is widened
    EXPECT_EQ(rows->LastRow(), 2);

    AddOption(goCellMerge);
    grid->notes.clear();
    Set().Add(std::make_unique<TRowSelection>(2, 3), true);
    rows = dynamic_cast<TRowSelection*>(Set().Last());
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->FirstRow(), 1);
    EXPECT_EQ(rows->LastRow(), 4);
    // Descendants that refine the notification after the core see the widened rows.
    EXPECT_EQ(grid->notes.back(), "added 1,1,4,4");
    EXPECT_EQ(grid->notes.front(), "deleted 1,2,4,2"); // the set was cleared first

    grid->notes.clear();
    Set().SetRange({2, 1, 2, 1}, false); // ranges are left as given, widened only when read
    EXPECT_EQ(grid->notes, std::vector<std::string>{"added 2,1,3,2"});
    EXPECT_EQ(dynamic_cast<TRangeSelection*>(Set().Last())->Range(), (TGridRect{2, 1, 2, 1}));
}

TEST_F(GridSelectionWiring, CellAndRowQueriesAnswerFromTheSet)
{
    EXPECT_FALSE(grid->Selections().AllRows()); // a cell range
    Set().Add(std::make_unique<TRowSelection>(3, 4), true);
    EXPECT_TRUE(grid->Selections().AllRows());
    EXPECT_TRUE(grid->IsCellSelected(1, 3) && grid->IsCellSelected(4, 4));
    EXPECT_FALSE(grid->IsCellSelected(0, 3));
    EXPECT_FALSE(grid->IsCellSelected(1, 2));
    Set().Add(std::make_unique<TRowSelection>(1, 1), false);
    EXPECT_TRUE(grid->Selections().AllRows());
    Set().Add(std::make_unique<TColSelection>(2, 2), false);
    EXPECT_FALSE(grid->Selections().AllRows());
    EXPECT_TRUE(grid->IsCellSelected(2, 2));
    Set().Clear();
    EXPECT_FALSE(grid->Selections().AllRows()); // none at all is not "all rows"
    EXPECT_FALSE(grid->IsCellSelected(1, 1));
    EXPECT_FALSE(grid->IsCellSelected(-1, 99)); // outside the grid: simply not selected
}

TEST_F(GridSelectionWiring, CountChangesReseatTheSelectionOnTheCurrentCell)
{
    grid->MoveCurrent(3, 3, true, false, false, false);
    Set().Add(std::make_unique<TRowSelection>(4, 4), false);
    ASSERT_EQ(Set().Count(), 2);

    grid->SetRowCount(8);
    EXPECT_EQ(grid->Current(), (TGridCoord{3, 3}));
    EXPECT_EQ(grid->Anchor(), (TGridCoord{3, 3}));
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{3, 3, 3, 3}));

    // Shrinking past the current cell, in merge mode: the ranges kept from
    // before the change are read once more for the repaint, and the grid
    // never asks its descendants about cells it no longer has.
    grid->merged = {{1, 1, 2, 2}};
    AddOption(goCellMerge);
    grid->MoveCurrent(4, 6, true, false, false, false);
    EXPECT_EQ(LastRange(), (TGridRect{3, 3, 4, 6}));
    grid->askedOutside = false;
    grid->SetRowCount(4);
    grid->SetColCount(3);
    EXPECT_FALSE(grid->askedOutside);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 3}));
    EXPECT_EQ(Set().Count(), 1);
    EXPECT_EQ(LastRange(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridSelectionWiring, HeadPressesDriveTheGridThroughItsHostSide)
{
    grid->SetOptionExs(GridOptionEx(goAllowSelectRow));
    AddOption(goMultiSelection);
    std::vector<TGridCoord> moves;
    grid->OnMoveCurrent = TGridMoveCurrentEvent(
        TGridMoveCurrentEvent::Handler([&](TObject*, TGridCoord, TGridCoord now, TMoveReason) { moves.push_back(now); }));

    EXPECT_TRUE(Set().SelectOnPress({0, 3}, false, false, false));
    EXPECT_EQ(grid->MouseState(), gmsRowSelecting);
    EXPECT_TRUE(grid->HasTimer(1)); // dragging on over the heads scrolls
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(moves, (std::vector<TGridCoord>{TGridCoord{1, 3}}));
    EXPECT_TRUE(grid->Selections().AllRows());

    static_cast<ISelectionHost&>(*grid).SetMouseState(gmsNone);
    bool allow = false;
    grid->OnBeforeMoveCurrent = TGridBeforeMoveCurrentEvent(TGridBeforeMoveCurrentEvent::Handler(
        [&](TObject*, TGridCoord, TGridCoord, TMoveReason, bool& can) { can = allow; }));
    EXPECT_TRUE(Set().SelectOnPress({0, 1}, false, false, false)); // refused before anything changed
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 3}));
    EXPECT_EQ(grid->MouseState(), gmsNone);
    EXPECT_EQ(moves.size(), 1u);
}

} // namespace
