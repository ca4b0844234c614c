#include <gtest/gtest.h>

#include "SelectionTestHost.h"

namespace {

using Log = std::vector<std::string>;

TGridRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

struct SelectionPressTest : ::testing::Test {
    SelectionTestHost grid;
    TSelections set{&grid};

    void SetUp() override
    {
        grid.Set(goMultiSelection);
        grid.SetEx(goAllowSelectRow);
        grid.SetEx(goAllowSelectCol);
        grid.current = grid.anchor = {2, 3};
        set.SetRange(R(2, 3, 2, 3), true);
        grid.log.clear();
    }
};

TEST_F(SelectionPressTest, LockedCornerSelectsEverythingOnlyWhenAllowed)
{
    EXPECT_TRUE(set.SelectOnPress({0, 0}, false, false));
    EXPECT_EQ(grid.log, (Log{})); // not allowed: nothing but OnMouseDown

    grid.SetEx(goAllowSelectAll);
    grid.topLeft = {3, 2};
    EXPECT_TRUE(set.SelectOnPress({0, 0}, false, false));
    EXPECT_EQ(grid.log, (Log{"row 2", "col 3", "deleted range(2,3,2,3)", "added full(1,1,7,9)", "all"}));
    EXPECT_FALSE(grid.editorMode);
}

TEST_F(SelectionPressTest, RowHeadMakesTheRowCurrentAndSelectsIt)
{
    EXPECT_TRUE(set.SelectOnPress({0, 6}, false, false));
    EXPECT_EQ(grid.log, (Log{"timer", "cell 2,3", "current 2,6", "deleted range(2,3,2,3)", "added rows(1,6,7,6)", "moved from 2,3",
                             "change (2,3,2,3)(1,6,7,6) heads"}));
    EXPECT_EQ(grid.current, (TGridCoord{2, 6}));
    EXPECT_EQ(grid.mouseState, gmsRowSelecting);
    EXPECT_FALSE(grid.editorMode);
}

TEST_F(SelectionPressTest, RefusedMovesLeaveTheSelectionAlone)
{
    grid.allowMove = false;
    EXPECT_TRUE(set.SelectOnPress({0, 6}, false, false)); // OnMouseDown still fires
    EXPECT_EQ(grid.mouseState, gmsNone);
    EXPECT_TRUE(grid.editorMode);

    grid.allowMove = true;
    grid.allowRowChange = false;
    grid.log.clear();
    EXPECT_FALSE(set.SelectOnPress({0, 6}, false, false)); // ends without OnMouseDown
    EXPECT_EQ(grid.mouseState, gmsNone);
    EXPECT_EQ(grid.current, (TGridCoord{2, 3}));
    EXPECT_EQ(set.Last()->GetRange(), R(2, 3, 2, 3));

    grid.log.clear();
    EXPECT_TRUE(set.SelectOnPress({0, 3}, false, false)); // same row: nothing to ask
    EXPECT_EQ(set.Last()->GetRange(), R(1, 3, 7, 3));
}

TEST_F(SelectionPressTest, ShiftOnARowHeadSelectsTheRowsInBetweenAsOne)
{
    set.SetRange(R(5, 8, 5, 8), false);
    grid.log.clear();
    set.SelectOnPress({0, 7}, true, false);
    EXPECT_EQ(grid.log, (Log{"timer", "deleted range(5,8,5,8)", "added rows(1,3,7,7)",
                             "change (5,8,5,8)(1,3,7,7) heads"}));
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(grid.current, (TGridCoord{2, 3}));
}

TEST_F(SelectionPressTest, ColumnHeadSelectsTheColumnAndShiftTheColumnsInBetween)
{
    grid.topLeft = {1, 2};
    set.SelectOnPress({5, 0}, false, false);
    EXPECT_EQ(grid.log, (Log{"timer", "row 2", "col 5", "deleted range(2,3,2,3)", "added cols(5,1,5,9)",
                             "change (2,3,2,3)(5,1,5,9) heads"}));
    EXPECT_EQ(grid.mouseState, gmsColSelecting);

    grid.log.clear();
    set.SelectOnPress({3, 0}, true, false);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Last()->GetRange(), R(3, 1, 5, 9));
}

TEST_F(SelectionPressTest, CtrlClickAddsAndAPlainClickClearsAllWithAFullRepaint)
{
    // the current-cell move of a Ctrl-click has already added the cell
    grid.current = grid.anchor = {5, 5};
    set.SetRange(R(5, 5, 5, 5), false);
    grid.log.clear();
    set.SelectOnPress({5, 5}, false, true);
    EXPECT_EQ(set.Count(), 2); // listed once
    EXPECT_TRUE(grid.log.empty());
    set.SelectOnPress({6, 6}, false, true);
    EXPECT_EQ(set.Count(), 3);

    grid.log.clear();
    set.SelectOnPress({4, 4}, false, false);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(grid.log.back(), "all");
    EXPECT_EQ(set.Last()->GetRange(), R(4, 4, 4, 4));
}

TEST_F(SelectionPressTest, DataCellPressesSelectTheCellTheRowOrTheSpannedRange)
{
    grid.Set(goRowSelect);
    set.SelectOnPress({4, 5}, false, false);
    EXPECT_EQ(set.Last()->GetRange(), R(1, 5, 7, 5));

    grid.anchor = {6, 7};
    set.SelectOnPress({6, 7}, true, false);
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Last()->GetRange(), R(2, 3, 6, 7));
}

TEST_F(SelectionPressTest, WithoutHeadOptionsThePressTakesTheSpannedRange)
{
    grid.options = GridOption(goRangeSelect);
    grid.optionExs = 0;
    grid.anchor = {4, 4};
    set.SetRange(R(6, 6, 6, 6), false);
    EXPECT_TRUE(set.SelectOnPress({0, 5}, false, false));
    EXPECT_EQ(set.Count(), 1);
    EXPECT_EQ(set.Last()->GetRange(), R(2, 3, 4, 4));
    EXPECT_THROW(set.SelectOnPress({0, 10}, false, false), EGridException);
}

} // namespace
