#include <gtest/gtest.h>

#include "SelectionTestHost.h"

namespace {

using Log = std::vector<std::string>;

TGridRect R(int l, int t, int r, int b)
{
    return {l, t, r, b};
}

TEST(SelectionKindsTest, WholeLineRangesStartAtTheEditableAreaAndFollowCountChanges)
{
    SelectionTestHost grid;
    grid.fixedCols = 3;
    grid.fixedEditCols = 1; // c0 = 2
    grid.fixedRows = 2;
    grid.fixedEditRows = 2; // r0 = 0
    TSelections set(&grid);
    set.Add(std::make_unique<TRowSelection>(5, 3), false);
    set.Add(std::make_unique<TColSelection>(6, 4), false);
    set.Add(std::make_unique<TFullSelection>(), false);
    EXPECT_EQ(set.Items(0)->GetRange(), R(2, 3, 7, 5));
    EXPECT_EQ(set.Items(1)->GetRange(), R(4, 0, 6, 9));
    EXPECT_EQ(set.Items(2)->GetRange(), R(2, 0, 7, 9));

    grid.cols = 12;
    grid.rows = 4;
    grid.fixedEditCols = 0;
    EXPECT_EQ(set.Items(0)->GetRange(), R(3, 3, 11, 5));
    EXPECT_EQ(set.Items(1)->GetRange(), R(4, 0, 6, 3));
    EXPECT_EQ(set.Items(2)->GetRange(), R(3, 0, 11, 3));
}

TEST(SelectionKindsTest, RangeIsNormalisedAndWidenedToMergedAreasOnlyInMergeMode)
{
    SelectionTestHost grid;
    grid.merged = {R(3, 1, 4, 2), R(4, 2, 5, 4)}; // chained: the second touches only the widened range
    TSelections set(&grid);
    set.Add(std::make_unique<TRangeSelection>(R(3, 2, 2, 1)), false);
    auto* range = static_cast<TRangeSelection*>(set.Last());
    EXPECT_EQ(range->Range(), R(2, 1, 3, 2));
    EXPECT_EQ(range->GetRange(), R(2, 1, 3, 2));
    grid.Set(goCellMerge);
    EXPECT_EQ(range->GetRange(), R(2, 1, 5, 4));
    EXPECT_EQ(range->Range(), R(2, 1, 3, 2)); // stored as given
    EXPECT_TRUE(range->Contains({5, 4}));
    EXPECT_FALSE(range->Contains({6, 4}));
}

TEST(SelectionKindsTest, HandleSitsAtTheCornerEachKindIsDraggedBy)
{
    const TRect box{100, 40, 200, 90};
    EXPECT_EQ(TRangeSelection(R(1, 1, 1, 1)).HandleRect(box), (TRect{197, 87, 203, 93}));
    EXPECT_EQ(TFullSelection().HandleRect(box), (TRect{197, 87, 203, 93}));
    EXPECT_EQ(TRowSelection(1, 2).HandleRect(box), (TRect{102, 87, 108, 93}));
    EXPECT_EQ(TColSelection(1, 2).HandleRect(box), (TRect{197, 42, 203, 48}));
}

TEST(SelectionKindsTest, CoversLineOnlyForWholeLines)
{
    TRangeSelection range(R(1, 1, 5, 5));
    TRowSelection rows(4, 2);
    TColSelection cols(3, 3);
    TFullSelection full;
    EXPECT_FALSE(range.CoversLine(2, 2));
    EXPECT_TRUE(rows.CoversLine(0, 2));
    EXPECT_TRUE(rows.CoversLine(99, 4));
    EXPECT_FALSE(rows.CoversLine(3, 5));
    EXPECT_FALSE(rows.CoversLine(3, 1));
    EXPECT_TRUE(cols.CoversLine(3, 99));
    EXPECT_FALSE(cols.CoversLine(2, 3));
    EXPECT_FALSE(cols.CoversLine(4, 3));
    EXPECT_TRUE(full.CoversLine(-5, -5));
}

TEST(SelectionKindsTest, CloneKeepsKindFieldsAndOwner)
{
    SelectionTestHost grid;
    TSelections set(&grid);
    set.Add(std::make_unique<TRangeSelection>(R(2, 2, 3, 4)), false);
    set.Add(std::make_unique<TRowSelection>(6, 2), false);
    set.Add(std::make_unique<TColSelection>(5, 4), false);
    set.Add(std::make_unique<TFullSelection>(), false);
    for (int i = 0; i < set.Count(); ++i) {
        auto clone = set.Items(i)->Clone();
        EXPECT_EQ(SelectionTestHost::Kind(clone.get()), SelectionTestHost::Kind(set.Items(i)));
        EXPECT_EQ(clone->Owner(), &set);
        EXPECT_EQ(clone->GetRange(), set.Items(i)->GetRange());
        EXPECT_NE(clone.get(), set.Items(i));
    }
    auto rows = set.Items(1)->Clone();
    EXPECT_EQ(static_cast<TRowSelection*>(rows.get())->FirstRow(), 2);
    EXPECT_EQ(static_cast<TRowSelection*>(rows.get())->LastRow(), 6);
}

TEST(SelectionKindsTest, WholeLineRangeWithoutAGridFailsClearly)
{
    TRowSelection rows(1, 2);
    TColSelection cols(1, 2);
    TFullSelection full;
    EXPECT_THROW(rows.GetRange(), std::logic_error);
    EXPECT_THROW(cols.Contains({1, 1}), std::logic_error);
    EXPECT_THROW(full.GetRange(), std::logic_error);
    EXPECT_EQ(TRangeSelection(R(3, 1, 1, 1)).GetRange(), R(1, 1, 3, 1));
}

} // namespace
