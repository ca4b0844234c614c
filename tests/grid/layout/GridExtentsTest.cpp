#include <gtest/gtest.h>

#include "../GridErrorOf.h"
#include "grid/layout/GridExtents.h"
#include "grid/layout/GridTypes.h"

namespace {

TEST(GridExtents, EntriesDefaultUntilTheBlockExistsAndGrowWithTheDefault)
{
    TGridExtents e;
    EXPECT_FALSE(e.HasBlock());
    EXPECT_EQ(e.Get(3, 72), 72);
    e.Modify(0, 4, 72);
    e.Set(1, 20);
    e.Resize(6, 50);
    EXPECT_EQ(e.Count(), 6);
    EXPECT_EQ(e.Get(0, 72), 72);
    EXPECT_EQ(e.Get(1, 72), 20);
    EXPECT_EQ(e.Get(4, 72), 50);
    EXPECT_EQ(e.Get(6, 99), 99); // beyond the count: the default, no check
    e.Resize(2, 50);
    EXPECT_EQ(e.Get(1, 72), 20);
    e.Resize(0, 50);
    EXPECT_FALSE(e.HasBlock());
}

TEST(GridExtents, ModifyResetsEntriesFromTheIndexOn)
{
    TGridExtents e;
    e.Modify(0, 3, 5);
    e.Set(0, 1);
    e.Set(1, 2);
    e.Set(2, 3);
    e.Modify(1, 1, 9);
    EXPECT_EQ(e.Count(), 4);
    EXPECT_EQ(e.Get(0, 0), 1);
    EXPECT_EQ(e.Get(1, 0), 9);
    EXPECT_EQ(e.Get(3, 0), 9);
}

TEST(GridExtents, LimitsFailWithTheirMessagesAndChangeNothing)
{
    TGridExtents e;
    e.Modify(0, 2, 7);
    EXPECT_EQ(ErrorOf([&] { e.Modify(-1, 1, 7); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { e.Modify(3, 1, 7); }), "Grid index out of range");
    EXPECT_EQ(ErrorOf([&] { e.Modify(2, -3, 7); }), "Too many rows or columns deleted");
    EXPECT_EQ(ErrorOf([&] { e.Modify(2, TGridExtents::MaxCount - 2, 7); }), "Grid too large for operation");
    EXPECT_EQ(e.Count(), 2);
    EXPECT_EQ(ErrorOf([&] { e.Modify(2, TGridExtents::MaxCount - 3, 7); }), "no error");
    EXPECT_EQ(e.Count(), TGridExtents::MaxCount - 1);
    e.Clear();
    EXPECT_EQ(ErrorOf([&] { e.Modify(0, 0, 7); }), "no error");
    EXPECT_EQ(ErrorOf([&] { e.Modify(1, 0, 7); }), "no error"); // nothing to do, nothing checked
}

TEST(GridExtents, CompareAndMoveEntry)
{
    TGridExtents a;
    TGridExtents b;
    EXPECT_TRUE(Compare(a, b));
    a.Modify(0, 4, 0);
    EXPECT_FALSE(Compare(a, b));
    b.Modify(0, 4, 0);
    EXPECT_TRUE(Compare(a, b));
    for (int i = 0; i < 4; ++i)
        a.Set(i, 10 + i);
    a.MoveEntry(0, 2);
    EXPECT_EQ(a.Get(0, 0), 11);
    EXPECT_EQ(a.Get(1, 0), 12);
    EXPECT_EQ(a.Get(2, 0), 10);
    a.MoveEntry(2, 0);
    EXPECT_EQ(a.Get(0, 0), 10);
    EXPECT_EQ(a.Get(3, 0), 13);
    EXPECT_EQ(ErrorOf([&] { a.MoveEntry(0, 4); }), "Grid index out of range");
}

TEST(GridOptions, DefaultSetHasTheStoredValue)
{
    EXPECT_EQ(DefaultGridOptions, 58822303u);
    EXPECT_EQ(GridOption(goRangeMoving), 1u << 28);
    EXPECT_EQ(static_cast<int>(gmsRangeMoving), 9);
}

} // namespace
