#include <gtest/gtest.h>

#include "SelectionTestHost.h"

namespace {

using Log = std::vector<std::string>;

TGridRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

// ---- the list and its notifications ----

TEST(SelectionsTest, AddDeleteAndClearNotifyInOrderClearFromTheLast)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 3), false);
    set.Add(std::make_unique<TRowSelection>(4, 5), false);
    set.Add(std::make_unique<TColSelection>(6, 6), false);
    EXPECT_EQ(grid.log, (Log{"added range(2,2,3,3)", "added rows(1,4,7,5)", "added cols(6,1,6,9)"}));

    grid.log.clear();
    set.Delete(1);
    EXPECT_EQ(grid.log, (Log{"deleted rows(1,4,7,5)"}));
    EXPECT_EQ(set.Count(), 2);

    grid.log.clear();
    set.Add(std::make_unique<TFullSelection>(), true);
    EXPECT_EQ(grid.log, (Log{"deleted cols(6,1,6,9)", "deleted range(2,2,3,3)", "added full(1,1,7,9)"}));
    EXPECT_EQ(set.Count(), 1);

    grid.log.clear();
    set.ReplaceLast(std::make_unique<TRangeSelection>(R(1, 1, 1, 1)));
    EXPECT_EQ(grid.log, (Log{"deleted full(1,1,7,9)", "added range(1,1,1,1)"}));
}

TEST(SelectionsTest, DeletedSelectionHasLeftTheListWhenTheGridHearsOfIt)
{
    struct Host : SelectionTestHost {
        TSelections* set = nullptr;
        std::vector<int> counts;
        void SelectionNotify(TGridSelection* s, TSelectoinNotification a) override
        {
            counts.push_back(set->Count());
            SelectionTestHost::SelectionNotify(s, a);
        }
    } grid;
    TSelections set(&grid);
    grid.set = &set;
    set.SetRange(R(1, 1, 1, 1), false);
    set.SetRange(R(2, 2, 2, 2), false);
    set.Clear();
    EXPECT_EQ(grid.counts, (std::vector<int>{1, 2, 1, 0}));
    EXPECT_TRUE(set.IsEmpty());
}

TEST(SelectionsTest, RangeStartingInTheLockedHeadsLeavesTheListEmpty)
{
    SelectionTestHost grid;
    grid.fixedCols = 2;
    grid.fixedEditCols = 1; // c0 = 1: the fixed-edit column can be selected
    grid.fixedRows = 2;
    grid.fixedEditRows = 0; // r0 = 2
    TSelections set(&grid);
    set.SetRange(R(1, 2, 3, 3), true);
    ASSERT_EQ(set.Count(), 1);
    set.SetRange(R(0, 2, 3, 3), true);
    EXPECT_TRUE(set.IsEmpty());
    set.SetRange(R(3, 3, 1, 1), false); // normalised: top 1 is locked
    EXPECT_TRUE(set.IsEmpty());

    // the empty set answers its (0, 0, 0, 0) range, which is never widened
    grid.Set(goCellMerge);
    grid.merged = {R(0, 0, 2, 2)};
    EXPECT_EQ(set.Last()->GetRange(), R(0, 0, 0, 0));
    EXPECT_EQ(set.Last(), set.Last());
    EXPECT_FALSE(set.Contains({0, 0})); // the empty range is no selection
}

TEST(SelectionsTest, BadIndexesAndOutsideRangesFailWithoutChangingTheSet)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 3), false);
    grid.log.clear();
    EXPECT_THROW(set.Delete(1), EGridException);
    EXPECT_THROW(set.Delete(-1), EGridException);
    EXPECT_THROW(set.Items(1), EGridException);
    EXPECT_THROW(set.SetRange(R(2, 2, 8, 3), true), EGridException);
    EXPECT_THROW(set.Add(std::make_unique<TRowSelection>(3, 10), true), EGridException);
    EXPECT_THROW(set.Add(std::make_unique<TColSelection>(-1, 2), true), EGridException);
    EXPECT_THROW(set.Add(std::make_unique<TRangeSelection>(R(1, 1, 1, 10)), true), EGridException);
    EXPECT_THROW(set.Add(nullptr, true), std::invalid_argument);
    EXPECT_THROW(set.ExtendSelection({8, 0}), EGridException);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_TRUE(grid.log.empty());
}

TEST(SelectionsTest, CloneCopiesEverySelectionSilentlyAndIndependently)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 3), false);
    set.Add(std::make_unique<TRowSelection>(5, 6), false);
    grid.log.clear();
    auto copy = set.Clone();
    EXPECT_TRUE(grid.log.empty());
    ASSERT_EQ(copy->Count(), 2);
    EXPECT_EQ(copy->Grid(), &grid);
    EXPECT_EQ(copy->Items(1)->Owner(), copy.get());
    EXPECT_EQ(copy->Items(1)->GetRange(), set.Items(1)->GetRange());
    set.Clear();
    EXPECT_EQ(copy->Count(), 2);
    EXPECT_TRUE(copy->Contains({3, 3}));
    grid.log.clear();
    copy.reset(); // a clone goes as silently as it came
    EXPECT_TRUE(grid.log.empty());
}

TEST(SelectionsTest, LineAndCellQueriesLookAtEverySelection)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 3), false);
    set.Add(std::make_unique<TRowSelection>(6, 7), false);
    EXPECT_TRUE(set.Contains({3, 3}));
    EXPECT_TRUE(set.Contains({7, 7}));
    EXPECT_FALSE(set.Contains({4, 4}));
    EXPECT_TRUE(set.TouchesLine(3, 0));   // column of the range
    EXPECT_TRUE(set.TouchesLine(0, 2));   // row of the range
    EXPECT_FALSE(set.TouchesLine(0, 4));  // row selection starts at column c0 = 1
    EXPECT_TRUE(set.CoversLine(0, 6));    // a whole row
    EXPECT_FALSE(set.CoversLine(2, 2));   // a range covers no line
}

TEST(SelectionsTest, AddedRowSelectionIsWidenedToWholeMergedAreasInMergeMode)
{
    SelectionTestHost grid;
    grid.merged = {R(3, 2, 3, 4)};
    TSelections set(&grid);
    set.Add(std::make_unique<TRowSelection>(4, 5), false);
    EXPECT_EQ(set.Last()->GetRange(), R(1, 4, 7, 5));
    grid.Set(goCellMerge);
    grid.log.clear();
    set.Add(std::make_unique<TRowSelection>(4, 5), true);
    auto* rows = static_cast<TRowSelection*>(set.Last());
    EXPECT_EQ(rows->FirstRow(), 2);
    EXPECT_EQ(rows->LastRow(), 5);
    // the grid hears of the widened rows
    EXPECT_EQ(grid.log.back(), "added rows(1,2,7,5)");
}

// ---- extending ----

TEST(SelectionsTest, ExtendingReplacesOnlyTheLastRangeAndRepaintsTheChangeWithHeads)
{
    SelectionTestHost grid;
    grid.Set(goMultiSelection);
    grid.current = grid.anchor = {2, 2};
    TSelections set(&grid);
    set.SetRange(R(6, 6, 6, 6), false);
    set.SetRange(R(2, 2, 2, 2), false);
    grid.log.clear();
    set.ExtendSelection({4, 3});
    EXPECT_EQ(grid.anchor, (TGridCoord{4, 3}));
    EXPECT_EQ(grid.current, (TGridCoord{2, 2}));
    EXPECT_EQ(grid.log, (Log{"visible 4,3", "deleted range(2,2,2,2)", "added range(2,2,4,3)",
                             "change (2,2,2,2)(2,2,4,3) heads"}));
    EXPECT_EQ(set.Count(), 2);
    EXPECT_TRUE(set.Contains({6, 6}));
}

TEST(SelectionsTest, ExtendingWithoutRangeSelectMovesTheCurrentCell)
{
    SelectionTestHost grid;
    grid.options = 0;
    TSelections set(&grid);
    set.SetRange(R(1, 1, 1, 1), true);
    grid.log.clear();
    set.ExtendSelection({3, 4});
    EXPECT_EQ(grid.log, (Log{"move 3,4 replace", "deleted range(1,1,1,1)", "added range(3,4,3,4)"}));
}

TEST(SelectionsTest, HeadDragsExtendEvenWithoutRangeSelect)
{
    SelectionTestHost grid;
    grid.options = GridOption(goMultiSelection);
    grid.SetEx(goAllowSelectRow);
    grid.SetEx(goAllowSelectCol);
    grid.current = grid.anchor = {1, 5};
    TSelections set(&grid);
    set.Add(std::make_unique<TRowSelection>(5, 5), false);

    grid.mouseState = gmsRowSelecting;
    set.ExtendSelection({1, 2});
    EXPECT_EQ(set.Last()->GetRange(), R(1, 2, 7, 5));
    EXPECT_EQ(grid.log.back(), "change (1,5,7,5)(1,2,7,5) heads");

    grid.mouseState = gmsColSelecting;
    grid.current = grid.anchor = {3, 1};
    set.ExtendSelection({5, 7});
    EXPECT_EQ(SelectionTestHost::Kind(set.Last()), "cols");
    EXPECT_EQ(set.Last()->GetRange(), R(3, 1, 5, 9));
    EXPECT_EQ(set.Count(), 1);
}

TEST(SelectionsTest, RowSelectAnchorsAtTheLastColumn)
{
    SelectionTestHost grid;
    grid.Set(goRowSelect);
    grid.current = {1, 2};
    grid.anchor = {7, 2};
    TSelections set(&grid);
    set.SetRange(R(1, 2, 7, 2), true);
    set.ExtendSelection({3, 5});
    EXPECT_EQ(grid.anchor, (TGridCoord{7, 5}));
    EXPECT_EQ(set.Last()->GetRange(), R(1, 2, 7, 5));
}

TEST(SelectionsTest, SplitRowsBoundADragSelection)
{
    SelectionTestHost grid;
    grid.rows = 12;
    grid.Set(goRowSplit);
    grid.rowStyles = {{3, rsSplit}, {8, rsSplit}};
    grid.current = grid.anchor = {2, 4}; // just below the split row 3
    TSelections set(&grid);
    set.SetRange(R(2, 4, 2, 4), true);
    set.ExtendSelection({2, 1});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 4));
    set.ExtendSelection({2, 11});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 7));
    set.ExtendSelection({2, 6});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 6));

    grid.Set(goRowSplit, false);
    set.ExtendSelection({2, 11});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 11));
}

TEST(SelectionsTest, ExtendingInMergeModeTakesWholeMergedAreas)
{
    SelectionTestHost grid;
    grid.Set(goCellMerge);
    grid.merged = {R(4, 3, 5, 5)};
    grid.current = grid.anchor = {2, 2};
    TSelections set(&grid);
    set.SetRange(R(2, 2, 2, 2), true);
    set.ExtendSelection({4, 3});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 2, 5, 5));
}

// ---- range fill and move ----

struct RangeDrag : ::testing::Test {
    SelectionTestHost grid;
    TSelections set{&grid};

    // A 2 x 3 range at columns 2..3, rows 2..4, the anchor at its bottom right.
    void Begin(TGridMouseState state)
    {
        grid.options = GridOption(goRangeSelect) | GridOption(goRangeFilling) | GridOption(goRangeMoving);
        grid.current = {2, 2};
        grid.anchor = {3, 4};
        set.SetRange(R(2, 2, 3, 4), true);
        set.BeginRangeDrag();
        grid.mouseState = state;
        grid.log.clear();
    }
};

TEST_F(RangeDrag, FillGrowsInOneDirectionOnly)
{
    Begin(gmsRangeFilling);
    set.ExtendSelection({3, 8});
    EXPECT_EQ(set.FillTarget(), R(2, 2, 3, 8));
    EXPECT_EQ(set.Last()->GetRange(), R(2, 2, 3, 4)); // the selection stays put while dragging
    EXPECT_EQ(grid.log, (Log{"visible 3,8", "change (2,2,3,4)(2,2,3,8)"}));

    set.ExtendSelection({0, 0}); // up and left: left wins
    EXPECT_EQ(set.FillTarget(), R(0, 2, 3, 4));
    set.ExtendSelection({2, 0});
    EXPECT_EQ(set.FillTarget(), R(2, 0, 3, 4));
    set.ExtendSelection({6, 3});
    EXPECT_EQ(set.FillTarget(), R(2, 2, 6, 4));
}

TEST_F(RangeDrag, ShrinkingTargetRepaintsWhereThePreviousTargetWas)
{
    Begin(gmsRangeFilling);
    set.ExtendSelection({3, 8});
    grid.log.clear();
    set.ExtendSelection({3, 6});
    EXPECT_EQ(grid.log, (Log{"visible 3,6", "change (2,2,3,8)(2,2,3,6)"}));
}

TEST_F(RangeDrag, FillReleaseSelectsTheTargetAndReportsIt)
{
    Begin(gmsRangeFilling);
    set.ExtendSelection({3, 8});
    grid.log.clear();
    set.EndRangeFill();
    EXPECT_EQ(grid.log, (Log{"deleted range(2,2,3,4)", "added range(2,2,3,8)", "filled (2,2,3,4)(2,2,3,8)",
                             "change (2,2,3,4)(2,2,3,8) heads"}));
    EXPECT_EQ(set.FillSource(), R(0, 0, 0, 0));
    EXPECT_EQ(set.FillTarget(), R(0, 0, 0, 0));
}

TEST_F(RangeDrag, FillEndingWhereItBeganReportsNothing)
{
    Begin(gmsRangeFilling);
    set.ExtendSelection({3, 8});
    set.ExtendSelection({3, 4});
    grid.log.clear();
    set.EndRangeFill();
    EXPECT_EQ(grid.log, (Log{"deleted range(2,2,3,4)", "added range(2,2,3,4)", "change (2,2,3,4)(2,2,3,4) heads"}));
}

TEST_F(RangeDrag, MoveShiftsTheWholeRangeAndTheCurrentCellAtRelease)
{
    Begin(gmsRangeMoving);
    set.ExtendSelection({5, 4}); // two columns past the right edge
    EXPECT_EQ(set.FillTarget(), R(4, 2, 5, 4));
    set.ExtendSelection({1, 1}); // left and up: both shift
    EXPECT_EQ(set.FillTarget(), R(1, 1, 2, 3));
    set.ExtendSelection({7, 6});
    EXPECT_EQ(set.FillTarget(), R(6, 4, 7, 6));
    set.ExtendSelection({5, 4});
    grid.log.clear();
    set.EndRangeMove();
    EXPECT_EQ(grid.log, (Log{"deleted range(2,2,3,4)", "added range(4,2,5,4)", "current 4,2",
                             "moved (2,2,3,4)(4,2,5,4)", "union (2,2,3,4)(4,2,5,4) heads"}));
    EXPECT_EQ(grid.anchor, (TGridCoord{5, 4})); // the anchor stays where the drag left it
    EXPECT_EQ(set.FillTarget(), R(0, 0, 0, 0));
    EXPECT_THROW(set.EndRangeMove(), std::logic_error); // the drag is over
    EXPECT_EQ(set.Last()->GetRange(), R(4, 2, 5, 4));
}

// ---- geometry and painting ----

TEST(SelectionsTest, FillHandleAndBorderZonesOfTheLastSelection)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    EXPECT_FALSE(set.HitsFillHandle({0, 0})); // no zones while the set is empty
    EXPECT_FALSE(set.HitsBorder({0, 0}));
    EXPECT_TRUE(set.SelectionBounds().IsEmpty());
    EXPECT_THROW(set.BeginRangeDrag(), std::logic_error);
    EXPECT_THROW(set.EndRangeFill(), std::logic_error);
    EXPECT_THROW(set.EndRangeMove(), std::logic_error);
    EXPECT_TRUE(set.IsEmpty());

    set.SetRange(R(2, 2, 3, 4), true); // pixels (102, 42, 203, 104)
    ASSERT_EQ(set.SelectionBounds(), (TRect{102, 42, 203, 104}));
    EXPECT_TRUE(set.HitsFillHandle({200, 101}));
    EXPECT_TRUE(set.HitsFillHandle({205, 106}));
    EXPECT_FALSE(set.HitsFillHandle({206, 106})); // right and bottom edges are outside
    EXPECT_FALSE(set.HitsFillHandle({205, 107}));

    EXPECT_TRUE(set.HitsBorder({100, 42}));
    EXPECT_TRUE(set.HitsBorder({104, 102}));
    EXPECT_FALSE(set.HitsBorder({105, 60}));
    EXPECT_TRUE(set.HitsBorder({150, 106}));
    EXPECT_FALSE(set.HitsBorder({150, 107}));
    EXPECT_FALSE(set.HitsBorder({99, 60}));
    EXPECT_FALSE(set.HitsBorder({205, 39}));
    EXPECT_TRUE(set.HitsBorder({205, 40}));

    set.Add(std::make_unique<TRowSelection>(6, 6), true); // pixels (51, 126, 407, 146)
    EXPECT_TRUE(set.HitsFillHandle({53, 143}));
    EXPECT_FALSE(set.HitsFillHandle({404, 143}));

    grid.hiddenFromCol = 1; // scrolled out of view: no zones at the origin
    EXPECT_FALSE(set.HitsFillHandle({0, 0}));
    EXPECT_FALSE(set.HitsBorder({0, 0}));
}

TEST(SelectionsTest, DecorationsOfASingleSelection)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 4), true);
    EXPECT_TRUE(set.Decorations(false, false, true, false).Outlines.empty()); // neither range option

    grid.Set(goRangeMoving);
    auto d = set.Decorations(false, false, true, false);
    ASSERT_EQ(d.Outlines.size(), 1u);
    EXPECT_EQ(d.Outlines[0], (TSelectionOutline{{101, 41, 204, 105}, 3, clBlack}));
    ASSERT_TRUE(d.Grip);
    EXPECT_EQ(*d.Grip, (TSelectionGrip{{201, 102, 207, 108}, clBlack}));

    d = set.Decorations(false, false, false, true); // editing but unfocused
    EXPECT_EQ(d.Outlines[0].PenColor, clBlack);
    EXPECT_EQ(d.Grip->FillColor, clGray);
    d = set.Decorations(false, false, false, false);
    EXPECT_EQ(d.Outlines[0].PenColor, clGray);

    EXPECT_TRUE(set.Decorations(true, false, true, false).Outlines.empty());
    EXPECT_FALSE(set.Decorations(false, true, true, false).Grip);

    grid.fixedEditCols = 1; // starts in the fixed-edit band, not in the scrolling area
    set.SetRange(R(0, 2, 3, 4), true);
    d = set.Decorations(false, false, true, false);
    EXPECT_TRUE(d.Outlines.empty());
    EXPECT_FALSE(d.Grip);
}

TEST(SelectionsTest, DecorationsOfSeveralSelectionsAndOfADragTarget)
{
    SelectionTestHost grid;
    grid.Set(goRangeFilling);
    grid.fixedEditCols = 1;
    TSelections set(&grid);
    set.SetRange(R(2, 2, 2, 2), false);
    set.SetRange(R(0, 3, 0, 3), false); // in the fixed-edit band: no outline
    set.SetRange(R(4, 4, 4, 5), false);
    auto d = set.Decorations(false, false, true, false);
    EXPECT_FALSE(d.Grip);
    EXPECT_EQ(d.Outlines, (std::vector<TSelectionOutline>{{SelectionTestHost::Box(R(2, 2, 2, 2)), 1, clWhite},
                                                          {SelectionTestHost::Box(R(4, 4, 4, 5)), 1, clWhite}}));

    set.SetRange(R(2, 2, 3, 3), true);
    grid.current = {2, 2};
    grid.anchor = {3, 3};
    set.BeginRangeDrag();
    grid.mouseState = gmsRangeFilling;
    set.ExtendSelection({3, 5});
    d = set.Decorations(false, false, true, false);
    ASSERT_EQ(d.Outlines.size(), 2u);
    TRect target = SelectionTestHost::Box(R(2, 2, 3, 5));
    InflateRect(target, 1, 1);
    EXPECT_EQ(d.Outlines[1], (TSelectionOutline{target, 3, clGray}));
}

TEST(SelectionsTest, SelectionRepaintsAndSelectAll)
{
    SelectionTestHost grid;
    grid.fixedEditRows = 1; // r0 = 0
    TSelections set(&grid);
    set.RepaintSelection();
    EXPECT_TRUE(grid.log.empty());

    set.SetRange(R(2, 2, 3, 3), false);
    grid.log.clear();
    set.RepaintSelection();
    EXPECT_EQ(grid.log, (Log{"union (2,2,3,3)(2,2,3,3) heads"}));
    grid.destroying = true;
    grid.log.clear();
    set.RepaintSelection();
    EXPECT_TRUE(grid.log.empty());

    grid.destroying = false;
    set.SelectAll();
    EXPECT_EQ(grid.log, (Log{"deleted range(2,2,3,3)", "added range(1,0,7,9)", "all"}));
}

} // namespace
