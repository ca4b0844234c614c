#include <gtest/gtest.h>

#include <vector>

#include "grid/layout/GridAxisLayout.h"
#include "grid/layout/GridExtents.h"
#include "grid/layout/GridTypes.h"

namespace {

int FromVector(const void* v, int i)
{
    const auto& e = *static_cast<const std::vector<int>*>(v);
    return i >= 0 && i < static_cast<int>(e.size()) ? e[static_cast<size_t>(i)] : 0;
}

struct Axis {
    std::vector<int> extents;
    TGridAxisParams p;
    Axis(std::vector<int> e, int client, int topLeft = 1) : extents(std::move(e))
    {
        p.CellCount = static_cast<int>(extents.size());
        p.ClientExtent = client;
        p.TopLeft = topLeft;
        p.Extent = TGridExtentLookup(&FromVector, &extents);
    }
    TGridAxisLayout Layout() const { return TGridAxisLayout::Compute(p); }
};

// Column 2 is hidden in all of these.
TEST(GridAxisLayout, BoundariesSkipHiddenCellsAndTheirLines)
{
    Axis a({20, 30, 0, 40, 50}, 200);
    const TGridAxisLayout l = a.Layout();
    EXPECT_EQ(l.EffectiveLineWidth, 1);
    EXPECT_EQ(l.FixedBoundary, 21);
    EXPECT_EQ(l.LockedBoundary, 21);
    EXPECT_EQ(l.GridBoundary, 144);
    EXPECT_EQ(l.LastFullVisibleCell, 4);
    EXPECT_EQ(l.FullVisBoundary, 144);
    EXPECT_EQ(l.LinePos(1), 21);
    EXPECT_EQ(l.LinePos(2), 52);
    EXPECT_EQ(l.LinePos(3), 52);
    EXPECT_EQ(l.LinePos(4), 93);

    a.p.ClientExtent = 100;
    const TGridAxisLayout narrow = a.Layout();
    EXPECT_EQ(narrow.GridBoundary, 100);
    EXPECT_EQ(narrow.LastFullVisibleCell, 3);
    EXPECT_EQ(narrow.FullVisBoundary, 93);
}

TEST(GridAxisLayout, LinesOffAndWideLines)
{
    Axis a({20, 30, 0, 40, 50}, 200);
    a.p.FixedLine = a.p.DataLine = false;
    TGridAxisLayout l = a.Layout();
    EXPECT_EQ(l.EffectiveLineWidth, 0);
    EXPECT_EQ(l.FixedBoundary, 20);
    EXPECT_EQ(l.LinePos(4), 90);
    EXPECT_EQ(l.CellAt(20), 1);

    a.p.DataLine = true; // either option counts the width for the whole axis
    a.p.LineWidth = 2;
    l = a.Layout();
    EXPECT_EQ(l.FixedBoundary, 22);
    EXPECT_EQ(l.LinePos(3), 54);
    EXPECT_EQ(l.LinePos(4), 96);
    EXPECT_EQ(l.CellAt(53), 1);
    EXPECT_EQ(l.CellAt(54), 3);
}

TEST(GridAxisLayout, PointsOnLinesBelongToTheCellBefore)
{
    const Axis a({20, 30, 0, 40, 50}, 200);
    const TGridAxisLayout l = a.Layout();
    EXPECT_EQ(l.CellAt(0), 0);
    EXPECT_EQ(l.CellAt(20), 0);  // the line after column 0
    EXPECT_EQ(l.CellAt(21), 1);
    EXPECT_EQ(l.CellAt(51), 1);
    EXPECT_EQ(l.CellAt(52), 3);  // the hidden column takes no pixel
    EXPECT_EQ(l.CellAt(143), 4);
    EXPECT_EQ(l.CellAt(144), -1);
}

TEST(GridAxisLayout, ScrolledViewStartsAtTheFirstGridCell)
{
    const Axis a({20, 30, 0, 40, 50, 60}, 200, 3);
    const TGridAxisLayout l = a.Layout();
    EXPECT_EQ(l.FirstGridCell, 3);
    EXPECT_EQ(l.LinePos(1), 0); // scrolled off
    EXPECT_EQ(l.LinePos(3), 21);
    EXPECT_EQ(l.CellAt(21), 3);
    EXPECT_EQ(l.CellAt(10), 0);
    int n = 0;
    int f = 0;
    EXPECT_FALSE(l.Span(1, 2, false, n, f));
    ASSERT_TRUE(l.Span(1, 3, false, n, f));
    EXPECT_EQ(n, 21);
    EXPECT_EQ(f, 61);
    ASSERT_TRUE(l.Span(0, 4, true, n, f));
    EXPECT_EQ(n, 0);
    EXPECT_EQ(f, 113);
}

TEST(GridAxisLayout, SpanClipsAPartlyVisibleLastCell)
{
    const Axis a({20, 30, 0, 40, 50}, 100);
    const TGridAxisLayout l = a.Layout();
    int n = 0;
    int f = 0;
    ASSERT_TRUE(l.Span(4, 4, false, n, f));
    EXPECT_EQ(n, 93);
    EXPECT_EQ(f, 100);
    ASSERT_TRUE(l.Span(1, 1, true, n, f));
    EXPECT_EQ(n, 21);
    EXPECT_EQ(f, 52);
}

TEST(GridAxisLayout, FixedEditBandEndsTheLockedPartEarlier)
{
    Axis a({20, 30, 40, 50, 60}, 300, 2);
    a.p.FixedCount = 2;
    a.p.FixedEditCount = 1;
    const TGridAxisLayout l = a.Layout();
    EXPECT_EQ(l.LockedBoundary, 21);
    EXPECT_EQ(l.FixedBoundary, 52);
    EXPECT_EQ(l.LinePos(1), 21);
    EXPECT_EQ(l.LinePos(2), 52);
    EXPECT_EQ(l.CellAt(30), 1);
    a.p.FixedEditCount = 2;
    EXPECT_EQ(a.Layout().LockedBoundary, 0);
}

TEST(GridAxisLayout, MaxTopLeftShowsTheCellAtTheFarEdge)
{
    EXPECT_EQ(Axis({20, 30, 0, 40, 50}, 100).Layout().MaxTopLeft(4), 4);
    EXPECT_EQ(Axis({20, 30, 0, 40, 50}, 130).Layout().MaxTopLeft(4), 3);
    EXPECT_EQ(Axis({20, 30, 0, 40, 50}, 200).Layout().MaxTopLeft(4), 1);
    EXPECT_EQ(Axis({20, 30, 0, 40, 50}, 200).Layout().MaxTopLeft(0), 0);
    // A hidden cell that cannot be shown gives the cell before it.
    EXPECT_EQ(Axis({20, 30, 500, 0}, 100).Layout().MaxTopLeft(3), 2);
}

} // namespace

namespace {

// An axis read from extents the way the grid reads it: entries in a block,
// the default beyond it, and hidden runs passed over by the seek functions.
struct SeekingAxis {
    TGridExtents extents;
    int def = 0;
    mutable int64_t reads = 0;

    static int Read(const void* c, int i)
    {
        const auto* a = static_cast<const SeekingAxis*>(c);
        ++a->reads;
        return a->extents.Get(i, a->def);
    }
    static int Next(const void* c, int from, int end)
    {
        const auto* a = static_cast<const SeekingAxis*>(c);
        return a->extents.NextPositive(from, end, a->def);
    }
    static int Prev(const void* c, int from, int stop)
    {
        const auto* a = static_cast<const SeekingAxis*>(c);
        return a->extents.PrevPositive(from, stop, a->def);
    }
    TGridExtentLookup Lookup() const { return TGridExtentLookup(&Read, this, &Next, &Prev); }
};

} // namespace

TEST(GridAxisLayout, PassingOverHiddenRunsGivesTheSameLayoutAsTheCellByCellWalk)
{
    struct Case {
        std::vector<int> block; // entries before the default part
        int def;
        int count;
    } cases[] = {
        {{}, 0, 40},
        {{}, 17, 40},
        {{20, 0, 0, 30, -1, 0, 25}, 0, 30},
        {{0, 0, 0, 0, 0, 0, 0, 0}, 12, 30},
        {{5, 0, 9, 0, 0, 0, 40, 0, 3}, 6, 9},
        {{0, 0, 50, 0, 0, 0, 0, 0, 0, 0, 0, 60}, 0, 25},
    };
    for (const Case& c : cases) {
        SeekingAxis seeking;
        seeking.def = c.def;
        if (!c.block.empty()) {
            seeking.extents.Resize(static_cast<int>(c.block.size()), 0);
            for (size_t i = 0; i < c.block.size(); ++i)
                seeking.extents.Set(static_cast<int>(i), c.block[i]);
        }
        std::vector<int> plain;
        for (int i = 0; i < c.count; ++i)
            plain.push_back(seeking.extents.Get(i, c.def));
        for (int fixed : {0, 1, 3}) {
            for (int fixedEdit : {0, 1}) {
                for (int topLeft : {fixed, fixed + 2, c.count - 1}) {
                    for (int client : {0, 30, 90, 400}) {
                        if (fixedEdit > fixed)
                            continue;
                        Axis a(plain, client, topLeft);
                        a.p.FixedCount = fixed;
                        a.p.FixedEditCount = fixedEdit;
                        const TGridAxisLayout want = a.Layout();
                        a.p.Extent = seeking.Lookup();
                        const TGridAxisLayout got = a.Layout();
                        SCOPED_TRACE(testing::Message() << "def " << c.def << " fixed " << fixed << "/" << fixedEdit
                                                        << " top " << topLeft << " client " << client);
                        EXPECT_EQ(got.FixedBoundary, want.FixedBoundary);
                        EXPECT_EQ(got.LockedBoundary, want.LockedBoundary);
                        EXPECT_EQ(got.GridBoundary, want.GridBoundary);
                        EXPECT_EQ(got.LastFullVisibleCell, want.LastFullVisibleCell);
                        EXPECT_EQ(got.FullVisBoundary, want.FullVisBoundary);
                        for (int i = 0; i < c.count; ++i) {
                            EXPECT_EQ(got.LinePos(i), want.LinePos(i)) << "cell " << i;
                            EXPECT_EQ(got.MaxTopLeft(i), want.MaxTopLeft(i)) << "cell " << i;
                        }
                        for (int x = 0; x < client + 2; ++x)
                            EXPECT_EQ(got.CellAt(x), want.CellAt(x)) << "pixel " << x;
                    }
                }
            }
        }
    }
}

TEST(GridAxisLayout, AMillionHiddenCellsCostWhatTheShownOnesCost)
{
    // The widest grid there is, all hidden but two cells in the middle and the last.
    SeekingAxis axis;
    axis.extents.Resize(500002, 0);
    axis.extents.Set(500000, 40);
    axis.extents.Set(500001, 40);
    axis.def = 0;
    TGridAxisParams p;
    p.CellCount = MaxGridCellCount;
    p.ClientExtent = 300;
    p.Extent = axis.Lookup();
    const TGridAxisLayout l = TGridAxisLayout::Compute(p);
    EXPECT_EQ(l.LastFullVisibleCell, MaxGridCellCount - 1);
    EXPECT_EQ(l.LinePos(500001), 41);
    EXPECT_EQ(l.CellAt(60), 500001);
    EXPECT_EQ(l.MaxTopLeft(MaxGridCellCount - 1), 500000);
    // Reads are counted, not timed: the block part is scanned without reads,
    // the default part skipped in one step.
    EXPECT_LT(axis.reads, 50);
}
