#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "../ChartTestUtil.h"
#include "orgchart/model/OcLayout.h"

namespace {

// P with two childless children, expanded: the layout's worked example.
struct Family {
    TestChart chart;
    TOcNode *p, *a, *b;
    Family()
    {
        p = chart.Tree().Add(nullptr);
        a = chart.Tree().Add(p);
        b = chart.Tree().Add(p);
        p->Expand(false);
    }
};

} // namespace

TEST(OcLayout, DefaultCellsBoxesAndRows)
{
    Family f;
    TOcLayout layout = f.chart.Layout();
    EXPECT_EQ(layout.CellW(f.a), 81); // 64 + 1 + 16
    EXPECT_EQ(layout.CellW(f.p), 162);
    EXPECT_EQ(f.chart.NodeBoxRect(f.p), (TRect{48, 0, 113, 57})); // (162 - 65) / 2
    EXPECT_EQ(f.chart.NodeBoxRect(f.a), (TRect{8, 57, 73, 114})); // rows 40 + 16 + 1 apart
    EXPECT_EQ(f.chart.NodeBoxRect(f.b), (TRect{89, 57, 154, 114}));
    EXPECT_EQ(f.chart.FullWidth(), 162);
    EXPECT_EQ(f.chart.FullHeight(), 114 + 6);

    f.p->SetChildAlign(caLeft);
    f.p->SetWidth(200);
    EXPECT_EQ(f.chart.NodeBoxRect(f.p), (TRect{0, 0, 201, 57}));
    EXPECT_EQ(f.chart.NodeBoxRect(f.a).Left, 8); // children left-aligned under the wider parent
    f.p->SetChildAlign(caRight);
    EXPECT_EQ(f.chart.NodeBoxRect(f.b).Right, 217 - 8);
}

TEST(OcLayout, RotatedChartIsTransposedAndBoxesKeepTheirSize)
{
    Family f;
    f.chart.SetRotated(true);
    const TRect p = f.chart.NodeShapeRect(f.p);
    EXPECT_EQ(p.Width(), 65);
    EXPECT_EQ(p.Height(), 41);
    // Sibling cells are 40 + 1 + 16 = 57 high, the parent's cell 114: box top (114 - 41) / 2.
    EXPECT_EQ(f.chart.NodeBoxRect(f.p), (TRect{0, 36, 81, 77}));
    EXPECT_EQ(f.chart.NodeBoxRect(f.a), (TRect{81, 8, 162, 49}));
    EXPECT_EQ(f.chart.NodeBoxRect(f.b), (TRect{81, 65, 162, 106}));
    EXPECT_EQ(f.chart.IndentX(), 16);
    EXPECT_EQ(f.chart.FullWidth(), 162 + 6);
    EXPECT_EQ(f.chart.FullHeight(), 114);
}

TEST(OcLayout, EdgeValues)
{
    TestChart empty;
    EXPECT_EQ(empty.FullWidth(), 0);
    EXPECT_EQ(empty.FullHeight(), 6);

    Family f;
    f.chart.SetLineWidth(0);
    EXPECT_EQ(f.chart.LineWidth(), 1);
    f.chart.SetIndentX(0);
    EXPECT_EQ(f.chart.NodeBoxRect(f.a), (TRect{0, 57, 65, 114})); // edge to edge
    EXPECT_EQ(f.chart.NodeBoxRect(f.b), (TRect{65, 57, 130, 114}));
    f.chart.SetDefaultNodeWidth(65535);
    EXPECT_EQ(f.chart.Layout().CellW(f.p), 2 * (65535 + 1));
    f.chart.SetOptions(f.chart.Options() | ocRect3D);
    f.chart.SetDefaultNodeWidth(64);
    EXPECT_EQ(f.chart.NodeBoxRect(f.a).Width(), 66); // the shadow widens the box by LW
    // Only rectangles have the shadow: a new shape resizes the cells around it.
    const int full = f.chart.FullWidth();
    f.a->SetShape(shEllipse);
    EXPECT_EQ(f.chart.NodeBoxRect(f.a).Width(), 65);
    EXPECT_EQ(f.chart.FullWidth(), full - 1);
    f.a->SetShape(shRectangle);
    EXPECT_EQ(f.chart.NodeBoxRect(f.a).Width(), 66);
    EXPECT_EQ(f.chart.FullWidth(), full);
}

TEST(OcLayout, ZoomShrinksEverythingAndDropsMinusButtons)
{
    TestChart chart;
    chart.SetBounds(0, 0, 200, 100);
    TOcNode* top = chart.Tree().Add(nullptr);
    for (int i = 0; i < 8; ++i)
        chart.Tree().Add(top);
    top->Expand(false);
    ASSERT_EQ(chart.FullWidth(), 8 * 81);
    chart.SetZoom(true);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_LE(chart.FullWidth(), 200);
    EXPECT_FALSE(chart.ScrollBarVisible(SB_HORZ));
    EXPECT_FALSE(chart.ScrollBarVisible(SB_VERT));
    EXPECT_FALSE(chart.Layout().Metrics().HasButton(top));
    EXPECT_LT(chart.NodeShapeRect(top).Width(), 65);
    chart.SetEditing(true);
    EXPECT_FALSE(chart.Editing()); // no editing while zoomed
    chart.SetZoom(false);
    EXPECT_EQ(chart.FullWidth(), 8 * 81);
}

TEST(OcLayout, HitTestsFollowTheShapes)
{
    TestChart chart;
    TOcNode* n = chart.Tree().Add(nullptr);
    TOcNode* child = chart.Tree().Add(n);
    (void)child;
    n->SetShape(shEllipse);
    // Box 8..73 wide, shape 16..57 high.
    EXPECT_EQ(chart.GetHitTestInfoAt(9, 17), htOnBox);
    EXPECT_EQ(chart.GetHitTestInfoAt(40, 36), htOnBox | htOnShape);
    EXPECT_EQ(chart.GetHitTestInfoAt(40, 5), htAbove);
    EXPECT_EQ(chart.GetHitTestInfoAt(3, 30), htLeft);
    EXPECT_EQ(chart.GetHitTestInfoAt(75, 30), htRight);
    EXPECT_EQ(chart.GetHitTestInfoAt(40, 60) & htOnButton, htOnButton);
    EXPECT_EQ(chart.GetHitTestInfoAt(40, 80), htBelow); // the drop-as-child zone of a collapsed node
    EXPECT_EQ(chart.GetHitTestInfoAt(100, 30), htNowhere);
    EXPECT_EQ(chart.GetNodeAt(100, 30), nullptr);
    n->SetShape(shDiamond);
    EXPECT_EQ(chart.GetHitTestInfoAt(10, 18), htOnBox);
    n->SetShape(shRoundRect);
    EXPECT_EQ(chart.GetHitTestInfoAt(8, 16), htOnBox);
    EXPECT_EQ(chart.GetHitTestInfoAt(12, 30), htOnBox | htOnShape);
}

TEST(OcLayout, HundredThousandLevelChainLaysOutAndPaints)
{
    TestChart chart;
    TOcNode* n = chart.Tree().Add(nullptr);
    for (int i = 1; i < 100000; ++i)
        n = chart.Tree().Add(n);
    chart.Tree().FullExpand();
    EXPECT_EQ(chart.FullHeight(), 100000 * 57 + 6);
    chart.ScrollTo(0, chart.FullHeight());
    EXPECT_EQ(chart.NodeBoxRect(n).Bottom, chart.ClientHeight() - 6);
    const QImage picture = chart.Picture();
    EXPECT_TRUE(IsBlack(picture, 8, chart.ClientHeight() - 7)); // the last box's bottom edge
}

namespace {

// Cell width straight from the definition, recursively: the reference for the
// cached sizes, whatever order they were filled in.
int64_t ReferenceCellW(const TOcMetrics& m, const TOcNode* n)
{
    int64_t children = 0;
    if (n->Expanded())
        for (const TOcNode* c : n->Children())
            children += ReferenceCellW(m, c);
    return std::max<int64_t>(m.EX(n) + m.LW() + m.IX(), children);
}

} // namespace

// A shuffled tree (nodes inserted in front, moved, of mixed sizes and alignments,
// some closed) so that memory order, creation order and tree order all differ:
// the pass must put every shown box where walking down from the root puts it.
TEST(OcLayout, PassAgreesWithLocateOnAShuffledTree)
{
    for (const bool rotated : {false, true}) {
        TOcTree tree;
        std::mt19937 random(7);
        std::vector<TOcNode*> nodes{tree.Add(nullptr)};
        for (int i = 1; i < 3000; ++i) {
            TOcNode* parent = nodes[random() % nodes.size()];
            nodes.push_back(random() % 3 == 0 ? tree.AddFirst(parent) : tree.Add(parent));
            TOcNode* n = nodes.back();
            n->SetWidth(random() % 4 == 0 ? 40 + static_cast<int>(random() % 200) : 0);
            n->SetChildAlign(static_cast<TOcChildAlign>(random() % 3));
            n->SetShape(static_cast<TOcShape>(random() % 4));
        }
        for (int i = 0; i < 200; ++i) {
            TOcNode* n = nodes[random() % nodes.size()];
            TOcNode* to = nodes[random() % nodes.size()];
            if (!to->HasAsParent(n) && to != n)
                n->MoveTo(to, amAddChildFirst);
        }
        tree.FullExpand();
        for (int i = 0; i < 300; ++i)
            nodes[random() % nodes.size()]->Collapse(false);
        TOcMetrics metrics;
        metrics.rotated = rotated;
        metrics.rect3D = true;
        metrics.scrollX = 100;
        const TRect everything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
        for (int round = 0; round < 2; ++round) {
            TOcLayout layout(tree, metrics);
            layout.Pass(everything, false, nullptr);
            int64_t full = 0;
            for (const TOcNode* top : tree.Root()->Children())
                full += ReferenceCellW(metrics, top);
            ASSERT_EQ(layout.LogicalFullW(), full) << rotated << round;
            int shown = 0;
            for (TOcNode* n : nodes) {
                if (!n->IsVisible())
                    continue;
                ++shown;
                const TOcPlace place = layout.Locate(n);
                ASSERT_EQ(layout.CellW(n), ReferenceCellW(metrics, n));
                ASSERT_TRUE(n->drawFlag);
                ASSERT_EQ(n->animX, layout.BoxRect(place).Left) << rotated << round;
                ASSERT_EQ(n->animY, place.rowTop) << rotated << round;
            }
            EXPECT_GT(shown, 100);
            // A deep node's new width drops only its chain; the rest stays cached.
            for (TOcNode* n = nodes[2999]; n; n = n->Parent())
                n->Expand(false);
            nodes[2999]->SetWidth(500);
        }
    }
}
