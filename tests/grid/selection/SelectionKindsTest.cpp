#include <gtest/gtest.h>

#include "SelectionTestHost.h"

namespace {

using Log = std::vector<std::string>;

TEST(SelectionKindsTest, WholeLinesStartAtTheEditableAreaAndFollowCountChanges)
{
    SelectionTestHost grid;
    grid.fixedCols = 3, grid.fixedEditCols = 1; // c0 = 2
    grid.fixedRows = 2, grid.fixedEditRows = 2; // r0 = 0
    TSelections set(&grid);
    set.Add(std::make_unique<TRowSelection>(5, 3), false);
    set.Add(std::make_unique<TColSelection>(6, 4), false);
    set.Add(std::make_unique<TFullSelection>(), false);
    EXPECT_EQ(set.Items(0)->GetRange(), R(2, 3, 7, 5));
    EXPECT_EQ(set.Items(1)->GetRange(), R(4, 0, 6, 9));
    EXPECT_EQ(set.Items(2)->GetRange(), R(2, 0, 7, 9));
    grid.cols = 12, grid.rows = 4, grid.fixedEditCols = 0;
    EXPECT_EQ(set.Items(0)->GetRange(), R(3, 3, 11, 5));
    EXPECT_EQ(set.Items(1)->GetRange(), R(4, 0, 6, 3));
    EXPECT_EQ(set.Items(2)->GetRange(), R(3, 0, 11, 3));
    // without a set there are no counts to read
    EXPECT_THROW(TRowSelection(1, 2).GetRange(), std::logic_error);
    EXPECT_THROW(TFullSelection().Contains({1, 1}), std::logic_error);
}

TEST(SelectionKindsTest, RangeIsNormalisedAndWidenedToChainedMergedAreasInMergeModeOnly)
{
    SelectionTestHost grid;
    grid.merged = {R(3, 1, 4, 2), R(4, 2, 5, 4)}; // the second touches only the widened range
    TSelections set(&grid);
    set.Add(std::make_unique<TRangeSelection>(R(3, 2, 2, 1)), false);
    auto* range = static_cast<TRangeSelection*>(set.Last());
    EXPECT_EQ(range->GetRange(), R(2, 1, 3, 2));
    grid.Set(goCellMerge);
    EXPECT_EQ(range->GetRange(), R(2, 1, 5, 4));
    EXPECT_EQ(range->Range(), R(2, 1, 3, 2));
    EXPECT_TRUE(set.Contains({5, 4}));
    EXPECT_FALSE(set.Contains({6, 4}));
}

TEST(SelectionKindsTest, HandleCornerAndCoveredLinesPerKind)
{
    const TRect box{100, 40, 200, 90};
    EXPECT_EQ(TRangeSelection(R(1, 1, 1, 1)).HandleRect(box), (TRect{197, 87, 203, 93}));
    EXPECT_EQ(TFullSelection().HandleRect(box), (TRect{197, 87, 203, 93}));
    EXPECT_EQ(TRowSelection(1, 2).HandleRect(box), (TRect{102, 87, 108, 93}));
    EXPECT_EQ(TColSelection(1, 2).HandleRect(box), (TRect{197, 42, 203, 48}));

    EXPECT_FALSE(TRangeSelection(R(1, 1, 5, 5)).CoversLine(2, 2));
    const TRowSelection rows(4, 2);
    EXPECT_TRUE(rows.CoversLine(99, 2) && rows.CoversLine(0, 4));
    EXPECT_FALSE(rows.CoversLine(3, 1) || rows.CoversLine(3, 5));
    const TColSelection cols(3, 3);
    EXPECT_TRUE(cols.CoversLine(3, 99));
    EXPECT_FALSE(cols.CoversLine(2, 3) || cols.CoversLine(4, 3));
    EXPECT_TRUE(TFullSelection().CoversLine(-5, -5));
}

TEST(SelectionKindsTest, ClonesKeepKindFieldsAndOwnerAndASetCloneIsSilentAndIndependent)
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
    }

    grid.log.clear();
    auto copy = set.Clone();
    ASSERT_EQ(copy->Count(), 4);
    EXPECT_EQ(copy->Items(1)->Owner(), copy.get());
    set.Clear();
    EXPECT_TRUE(copy->Contains({3, 4}));
    grid.log.clear();
    copy.reset();
    EXPECT_TRUE(grid.log.empty());
}

TEST(SelectionKindsTest, ListChangesNotifyInOrderAndClearGoesFromTheLast)
{
    struct Host : SelectionTestHost {
        TSelections* set = nullptr;
        std::vector<int> counts; // the list as the grid sees it when told
        void SelectionNotify(TGridSelection* s, TSelectoinNotification a) override
        {
            counts.push_back(set->Count());
            SelectionTestHost::SelectionNotify(s, a);
        }
    } grid;
    TSelections set(&grid);
    grid.set = &set;
    set.SetRange(R(2, 2, 3, 3), false);
    set.Add(std::make_unique<TRowSelection>(4, 5), false);
    set.Add(std::make_unique<TColSelection>(6, 6), false);
    set.Delete(1);
    set.Add(std::make_unique<TFullSelection>(), true);
    set.ReplaceLast(std::make_unique<TRangeSelection>(R(1, 1, 1, 1)));
    EXPECT_EQ(grid.log, (Log{"added range(2,2,3,3)", "added rows(1,4,7,5)", "added cols(6,1,6,9)",
                             "deleted rows(1,4,7,5)", "deleted cols(6,1,6,9)", "deleted range(2,2,3,3)",
                             "added full(1,1,7,9)", "deleted full(1,1,7,9)", "added range(1,1,1,1)"}));
    EXPECT_EQ(grid.counts, (std::vector<int>{1, 2, 3, 2, 1, 0, 1, 0, 1}));
}

TEST(SelectionKindsTest, RangeStartingInTheLockedHeadsLeavesTheListEmpty)
{
    SelectionTestHost grid;
    grid.fixedCols = 2, grid.fixedEditCols = 1; // c0 = 1
    grid.fixedRows = 2;                         // r0 = 2
    TSelections set(&grid);
    set.SetRange(R(1, 2, 3, 3), true);
    EXPECT_EQ(set.Count(), 1);
    set.SetRange(R(0, 2, 3, 3), true);
    EXPECT_TRUE(set.IsEmpty());
    set.SetRange(R(3, 3, 1, 1), false); // normalised, its top row is locked
    EXPECT_TRUE(set.IsEmpty());

    // the empty set's last selection is (0, 0, 0, 0), never widened, selecting nothing
    grid.Set(goCellMerge);
    grid.merged = {R(0, 0, 2, 2)};
    EXPECT_EQ(set.Last()->GetRange(), R(0, 0, 0, 0));
    EXPECT_FALSE(set.Contains({0, 0}));
}

TEST(SelectionKindsTest, BadIndexesAndOutsideRangesFailWithoutChangingTheSet)
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
    EXPECT_THROW(set.SelectOnPress({0, 10}, false, false, false), EGridException);
    EXPECT_THROW(set.EndRangeFill(), std::logic_error); // no drag began
    EXPECT_EQ(set.Count(), 1);
    EXPECT_TRUE(grid.log.empty());
}

TEST(SelectionKindsTest, LineQueriesAndMergedRowSelections)
{
    SelectionTestHost grid;
    grid.merged = {R(3, 2, 3, 4)};
    TSelections set(&grid);
    set.SetRange(R(2, 2, 3, 3), false);
    set.Add(std::make_unique<TRowSelection>(6, 7), false);
    EXPECT_TRUE(set.TouchesLine(3, 0) && set.TouchesLine(0, 2));
    EXPECT_FALSE(set.TouchesLine(0, 4)); // whole rows start at column c0 = 1
    EXPECT_TRUE(set.CoversLine(0, 6));
    EXPECT_FALSE(set.CoversLine(2, 2));

    set.Add(std::make_unique<TRowSelection>(4, 5), true);
    EXPECT_EQ(set.Last()->GetRange(), R(1, 4, 7, 5));
    grid.Set(goCellMerge); // the grid widens added rows as it is told of them, on the listed selection itself
    set.Add(std::make_unique<TRowSelection>(4, 5), true);
    EXPECT_EQ(static_cast<TRowSelection*>(set.Last())->FirstRow(), 2);
    EXPECT_EQ(grid.log.back(), "added rows(1,2,7,5)");
}

} // namespace
