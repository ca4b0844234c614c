#include <gtest/gtest.h>

#include "SelectionTestHost.h"

namespace {

using Log = std::vector<std::string>;

struct SelectionsTest : ::testing::Test {
    SelectionTestHost grid;
    TSelections set{&grid};

    void Start(TGridCoord current, TGridCoord anchor)
    {
        grid.current = current, grid.anchor = anchor;
        set.SetRange(GridRect(current, anchor), true);
        grid.log.clear();
    }
};

TEST_F(SelectionsTest, ExtendingReplacesOnlyTheLastRangeAndRepaintsTheChangeWithHeads)
{
    grid.Set(goMultiSelection);
    set.SetRange(R(6, 6, 6, 6), false);
    grid.current = grid.anchor = {2, 2};
    set.SetRange(R(2, 2, 2, 2), false);
    grid.log.clear();
    set.ExtendSelection({4, 3});
    EXPECT_EQ(grid.anchor, (TGridCoord{4, 3}));
    EXPECT_EQ(grid.log, (Log{"visible 4,3", "deleted range(2,2,2,2)", "added range(2,2,4,3)",
                             "change (2,2,2,2)(2,2,4,3) heads"}));
    EXPECT_TRUE(set.Contains({6, 6}));

    grid.Set(goRowSelect); // the anchor goes to the last column
    set.ExtendSelection({3, 5});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 2, 7, 5));

    grid.options = 0; // without goRangeSelect the current cell moves instead
    grid.log.clear();
    set.ExtendSelection({3, 4});
    EXPECT_EQ(grid.log, (Log{"move 3,4 replace", "deleted range(2,2,7,5)", "deleted range(6,6,6,6)",
                             "added range(3,4,3,4)"}));
}

TEST_F(SelectionsTest, HeadDragsExtendWholeLinesEvenWithoutRangeSelect)
{
    grid.options = GridOption(goMultiSelection);
    grid.SetEx(goAllowSelectRow), grid.SetEx(goAllowSelectCol);
    grid.current = grid.anchor = {1, 5};
    set.Add(std::make_unique<TRowSelection>(5, 5), false);
    grid.mouseState = gmsRowSelecting;
    set.ExtendSelection({1, 2});
    EXPECT_EQ(set.Last()->GetRange(), R(1, 2, 7, 5));

    grid.mouseState = gmsColSelecting;
    grid.current = grid.anchor = {3, 1};
    set.ExtendSelection({5, 7});
    EXPECT_EQ(SelectionTestHost::Kind(set.Last()), "cols");
    EXPECT_EQ(set.Last()->GetRange(), R(3, 1, 5, 9));
    EXPECT_EQ(set.Count(), 1);
}

TEST_F(SelectionsTest, SplitRowsBoundADragSelection)
{
    grid.rows = 12;
    grid.Set(goRowSplit);
    grid.rowStyles = {{3, rsSplit}, {8, rsSplit}};
    Start({2, 4}, {2, 4}); // just below the split row 3
    set.ExtendSelection({2, 1});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 4));
    set.ExtendSelection({2, 11});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 7));
    grid.Set(goRowSplit, false);
    set.ExtendSelection({2, 11});
    EXPECT_EQ(set.Last()->GetRange(), R(2, 4, 2, 11));
}

// A 2 x 3 range at columns 2..3, rows 2..4 is dragged.
struct RangeDrag : SelectionsTest {
    void Begin(TGridMouseState state)
    {
        grid.Set(goRangeFilling), grid.Set(goRangeMoving);
        Start({2, 2}, {3, 4});
        set.BeginRangeDrag();
        grid.mouseState = state;
    }
};

TEST_F(RangeDrag, FillGrowsOneWayAndRepaintsWhereTheTargetChanged)
{
    Begin(gmsRangeFilling);
    set.ExtendSelection({3, 8});
    EXPECT_EQ(set.FillTarget(), R(2, 2, 3, 8));
    EXPECT_EQ(set.Last()->GetRange(), R(2, 2, 3, 4)); // the selection stays put while dragging
    set.ExtendSelection({3, 6}); // shrinking clears the previous target's outline
    EXPECT_EQ(grid.log, (Log{"visible 3,8", "change (2,2,3,4)(2,2,3,8)", "visible 3,6", "change (2,2,3,8)(2,2,3,6)"}));
    set.ExtendSelection({0, 0}); // up and left: left wins
    EXPECT_EQ(set.FillTarget(), R(0, 2, 3, 4));
    set.ExtendSelection({2, 0});
    EXPECT_EQ(set.FillTarget(), R(2, 0, 3, 4));
    set.ExtendSelection({6, 3});
    EXPECT_EQ(set.FillTarget(), R(2, 2, 6, 4));

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

TEST_F(RangeDrag, MoveShiftsTheRangeAndAtReleaseTheCurrentCell)
{
    Begin(gmsRangeMoving);
    set.ExtendSelection({1, 1});
    EXPECT_EQ(set.FillTarget(), R(1, 1, 2, 3));
    set.ExtendSelection({5, 4}); // two columns past the right edge
    EXPECT_EQ(set.FillTarget(), R(4, 2, 5, 4));
    grid.log.clear();
    set.EndRangeMove();
    EXPECT_EQ(grid.log, (Log{"deleted range(2,2,3,4)", "added range(4,2,5,4)", "current 4,2",
                             "moved (2,2,3,4)(4,2,5,4)", "union (2,2,3,4)(4,2,5,4) heads"}));
    EXPECT_EQ(grid.anchor, (TGridCoord{5, 4}));
    EXPECT_THROW(set.EndRangeMove(), std::logic_error); // the drag is over
}

TEST_F(SelectionsTest, HandleAndBorderZonesOfTheLastSelection)
{
    EXPECT_FALSE(set.HitsFillHandle({0, 0}) || set.HitsBorder({0, 0})); // none while the set is empty
    EXPECT_THROW(set.BeginRangeDrag(), std::logic_error);

    set.SetRange(R(2, 2, 3, 4), true);
    ASSERT_EQ(set.SelectionBounds(), (TRect{102, 42, 203, 104}));
    EXPECT_TRUE(set.HitsFillHandle({200, 101}) && set.HitsFillHandle({205, 106}));
    EXPECT_FALSE(set.HitsFillHandle({206, 106}) || set.HitsFillHandle({205, 107})); // right, bottom edges out
    EXPECT_TRUE(set.HitsBorder({100, 42}) && set.HitsBorder({104, 102}) && set.HitsBorder({150, 106}));
    EXPECT_TRUE(set.HitsBorder({205, 40}));
    EXPECT_FALSE(set.HitsBorder({105, 60}) || set.HitsBorder({150, 107}) || set.HitsBorder({99, 60}));
    EXPECT_FALSE(set.HitsBorder({205, 39}));

    set.Add(std::make_unique<TRowSelection>(6, 6), true); // (51, 126, 407, 146): grip bottom left
    EXPECT_TRUE(set.HitsFillHandle({53, 143}));
    EXPECT_FALSE(set.HitsFillHandle({404, 143}));
    grid.hiddenFromCol = 1; // out of view: no zones around the origin
    EXPECT_FALSE(set.HitsFillHandle({0, 0}) || set.HitsBorder({0, 0}));
}

TEST_F(SelectionsTest, DecorationsOfOneOrSeveralSelectionsAndOfADragTarget)
{
    set.SetRange(R(2, 2, 3, 4), true);
    EXPECT_TRUE(set.Decorations(false, false, true, false).Outlines.empty()); // neither range option
    grid.Set(goRangeMoving);
    auto d = set.Decorations(false, false, true, false);
    EXPECT_EQ(d.Outlines, (std::vector<TSelectionOutline>{{{101, 41, 204, 105}, 3, clBlack}}));
    EXPECT_EQ(d.Grip, (TSelectionGrip{{201, 102, 207, 108}, clBlack}));
    d = set.Decorations(false, false, false, true); // editing but unfocused
    EXPECT_EQ(d.Outlines[0].PenColor, clBlack);
    EXPECT_EQ(d.Grip->FillColor, clGray);
    EXPECT_EQ(set.Decorations(false, false, false, false).Outlines[0].PenColor, clGray);
    EXPECT_TRUE(set.Decorations(true, false, true, false).Outlines.empty());
    EXPECT_FALSE(set.Decorations(false, true, true, false).Grip);

    grid.fixedEditCols = 1; // the fixed-edit band is no scrolling area
    set.SetRange(R(0, 2, 3, 4), true);
    EXPECT_TRUE(set.Decorations(false, false, true, false).Outlines.empty());
    set.SetRange(R(2, 2, 2, 2), false);
    set.SetRange(R(4, 4, 4, 5), false);
    d = set.Decorations(false, false, true, false);
    EXPECT_FALSE(d.Grip);
    EXPECT_EQ(d.Outlines, (std::vector<TSelectionOutline>{{SelectionTestHost::Box(R(2, 2, 2, 2)), 1, clWhite},
                                                          {SelectionTestHost::Box(R(4, 4, 4, 5)), 1, clWhite}}));

    Start({2, 2}, {3, 3});
    set.BeginRangeDrag();
    grid.mouseState = gmsRangeMoving;
    set.ExtendSelection({3, 5});
    TRect target = SelectionTestHost::Box(R(2, 4, 3, 5));
    InflateRect(target, 1, 1);
    EXPECT_EQ(set.Decorations(false, false, true, false).Outlines.back(), (TSelectionOutline{target, 3, clGray}));
}

TEST_F(SelectionsTest, SelectionRepaintAndSelectAll)
{
    grid.fixedEditRows = 1; // r0 = 0
    set.RepaintSelection();
    EXPECT_TRUE(grid.log.empty());
    set.SetRange(R(2, 2, 3, 3), false);
    grid.destroying = true;
    set.RepaintSelection();
    grid.destroying = false;
    set.RepaintSelection();
    set.SelectAll();
    EXPECT_EQ(grid.log, (Log{"added range(2,2,3,3)", "union (2,2,3,3)(2,2,3,3) heads", "deleted range(2,2,3,3)",
                             "added range(1,0,7,9)", "all"}));
}

// ---- a press on heads and cells ----

struct SelectionPress : SelectionsTest {
    void SetUp() override
    {
        grid.Set(goMultiSelection);
        grid.SetEx(goAllowSelectRow), grid.SetEx(goAllowSelectCol);
        Start({2, 3}, {2, 3});
    }
};

TEST_F(SelectionPress, LockedCornerSelectsEverythingOnlyWhenAllowed)
{
    EXPECT_TRUE(set.SelectOnPress({0, 0}, false, false, false));
    EXPECT_TRUE(grid.log.empty());
    grid.SetEx(goAllowSelectAll);
    grid.topLeft = {3, 2};
    set.SelectOnPress({0, 0}, false, false, false);
    EXPECT_EQ(grid.log, (Log{"row 2", "col 3", "deleted range(2,3,2,3)", "added full(1,1,7,9)", "all"}));
    EXPECT_FALSE(grid.editorMode);
}

TEST_F(SelectionPress, RowHeadMakesTheRowCurrentUnlessRefused)
{
    grid.allowMove = false;
    EXPECT_TRUE(set.SelectOnPress({0, 6}, false, false, false)); // only OnMouseDown
    grid.allowMove = true, grid.allowRowChange = false;
    EXPECT_FALSE(set.SelectOnPress({0, 6}, false, false, false)); // ends without OnMouseDown
    EXPECT_EQ(grid.mouseState, gmsNone);
    EXPECT_EQ(set.Last()->GetRange(), R(2, 3, 2, 3));

    grid.allowRowChange = true;
    grid.log.clear();
    EXPECT_TRUE(set.SelectOnPress({0, 6}, false, false, false));
    EXPECT_EQ(grid.log, (Log{"timer", "cell 2,3", "current 2,6", "deleted range(2,3,2,3)", "added rows(1,6,7,6)",
                             "moved from 2,3", "change (2,3,2,3)(1,6,7,6) heads"}));
    EXPECT_EQ(grid.mouseState, gmsRowSelecting);

    // Shift: the rows between the current one and the clicked one, as one selection
    set.SetRange(R(5, 8, 5, 8), false);
    set.SelectOnPress({0, 2}, true, false, false);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Last()->GetRange(), R(1, 2, 7, 6));
}

TEST_F(SelectionPress, ColumnHeadSelectsTheColumnAndWithShiftTheColumnsInBetween)
{
    grid.topLeft = {1, 2};
    set.SelectOnPress({5, 0}, false, false, false);
    EXPECT_EQ(grid.log, (Log{"timer", "row 2", "col 5", "deleted range(2,3,2,3)", "added cols(5,1,5,9)",
                             "change (2,3,2,3)(5,1,5,9) heads"}));
    grid.current.X = 2;
    set.SelectOnPress({3, 0}, true, false, false);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Last()->GetRange(), R(2, 1, 3, 9));
}

TEST_F(SelectionPress, CtrlClicksAddOnceAndAPlainClickClearsAllWithAFullRepaint)
{
    set.SetRange(R(5, 5, 5, 5), false); // what the Ctrl-click's current-cell move added
    grid.log.clear();
    set.SelectOnPress({5, 5}, false, true, false);
    EXPECT_TRUE(grid.log.empty());
    set.SelectOnPress({6, 6}, false, true, false);
    EXPECT_EQ(set.Count(), 3);
    grid.Set(goCellMerge); // the move added the whole merged area
    grid.merged = {R(6, 6, 7, 7)};
    set.SelectOnPress({7, 7}, false, true, false);
    EXPECT_EQ(set.Count(), 3);
    grid.Set(goCellMerge, false);
    grid.log.clear();
    set.SelectOnPress({4, 4}, false, false, true); // the press began with three
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(grid.log.back(), "all");

    grid.Set(goRowSelect);
    set.SelectOnPress({4, 5}, false, false, false);
    EXPECT_EQ(set.Last()->GetRange(), R(1, 5, 7, 5));
    grid.anchor = {6, 7};
    set.SelectOnPress({6, 7}, true, false, false); // Shift: the spanned range
    EXPECT_EQ(set.Last()->GetRange(), R(2, 3, 6, 7));

    grid.options = GridOption(goRangeSelect), grid.optionExs = 0; // no head options
    set.SetRange(R(6, 6, 6, 6), false);
    set.SelectOnPress({0, 5}, false, false, false);
    EXPECT_EQ(set.Count(), 1);
}

} // namespace
