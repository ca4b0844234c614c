#include <gtest/gtest.h>

#include "chrome/pagecontrol/FlatTabLayout.h"

namespace {

TFlatTabLayout::Input Strip(TTabPosition pos, std::vector<int> widths)
{
    TFlatTabLayout::Input in;
    in.width = 300;
    in.height = 200;
    in.position = pos;
    in.textWidths = std::move(widths);
    in.textHeight = 13;
    in.spacerWidth = 1;
    in.spacerHeight = 1;
    return in;
}

} // namespace

TEST(FlatTabLayout, PlacesTabsSideBySideOnEachEdge)
{
    // Row height: text height + 5; tab length: text + spacer + gap 6 + 2 x 6.
    struct Case {
        TTabPosition pos;
        TRect first, second, page;
    } cases[] = {
        {TTabPosition::tpTop, {2, 2, 59, 20}, {59, 2, 96, 20}, {4, 25, 296, 196}},
        {TTabPosition::tpBottom, {2, 180, 59, 198}, {59, 180, 96, 198}, {4, 4, 296, 178}},
        {TTabPosition::tpLeft, {2, 2, 20, 59}, {2, 59, 20, 96}, {25, 4, 296, 196}},
        {TTabPosition::tpRight, {280, 2, 298, 59}, {280, 59, 298, 96}, {4, 4, 278, 196}},
    };
    for (const Case& c : cases) {
        TFlatTabLayout layout;
        layout.Calculate(Strip(c.pos, {38, 18}));
        SCOPED_TRACE(static_cast<int>(c.pos));
        EXPECT_EQ(layout.TabCount(), 2);
        EXPECT_EQ(layout.TabRect(0), c.first);
        EXPECT_EQ(layout.TabRect(1), c.second);
        EXPECT_EQ(layout.PageRect(), c.page);
        EXPECT_EQ(layout.TabAt(c.second.Left, c.second.Top), 1);
        EXPECT_EQ(layout.TabAt(c.second.Right, c.second.Bottom), -1);
    }
}

TEST(FlatTabLayout, KeepsTheRowWhenNoTabIsShown)
{
    TFlatTabLayout layout;
    layout.Calculate(Strip(TTabPosition::tpBottom, {}));
    EXPECT_EQ(layout.TabCount(), 0);
    EXPECT_EQ(layout.PageRect(), (TRect{4, 4, 296, 178}));
    EXPECT_EQ(layout.TabRect(0), TRect{});
    EXPECT_EQ(layout.TabAt(10, 190), -1);
}

TEST(FlatTabLayout, FixedTabSizesOverrideTheText)
{
    auto in = Strip(TTabPosition::tpTop, {38, 500});
    in.tabHeight = 22;
    in.tabWidth = 70;
    TFlatTabLayout layout;
    layout.Calculate(in);
    EXPECT_EQ(layout.TabRect(0), (TRect{2, 2, 72, 24}));
    EXPECT_EQ(layout.TabRect(1), (TRect{72, 2, 142, 24}));
    EXPECT_EQ(layout.PageRect().Top, 29);
}

TEST(FlatTabLayout, MultiLineWrapsWithTheFirstRowNextToThePages)
{
    auto in = Strip(TTabPosition::tpTop, {100, 100, 100});  // 119 each, 296 available
    in.multiLine = true;
    TFlatTabLayout layout;
    layout.Calculate(in);
    EXPECT_EQ(layout.RowCount(), 2);
    EXPECT_EQ(layout.TabRect(0), (TRect{2, 20, 121, 38}));
    EXPECT_EQ(layout.TabRect(1), (TRect{121, 20, 240, 38}));
    EXPECT_EQ(layout.TabRect(2), (TRect{2, 2, 121, 20}));
    EXPECT_EQ(layout.PageRect().Top, 43);

    in.multiLine = false;  // single line runs past the edge
    layout.Calculate(in);
    EXPECT_EQ(layout.RowCount(), 1);
    EXPECT_EQ(layout.TabRect(2), (TRect{240, 2, 359, 20}));
}

TEST(FlatTabLayout, DegenerateSizesGiveEmptyPagesNotNegativeOnes)
{
    auto in = Strip(TTabPosition::tpTop, {-5});
    in.width = 3;
    in.height = 3;
    TFlatTabLayout layout;
    layout.Calculate(in);
    EXPECT_GE(layout.TabRect(0).Width(), 0);
    EXPECT_GE(layout.PageRect().Width(), 0);
    EXPECT_GE(layout.PageRect().Height(), 0);
}
