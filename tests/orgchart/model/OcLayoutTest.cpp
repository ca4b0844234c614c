#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
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

// A tree whose memory order, creation order and tree order differ (nodes put
// in front, then some moved), of mixed sizes, shapes and alignments, with some
// nodes closed.
std::vector<TOcNode*> MixedTree(TOcTree& tree, int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<TOcNode*> nodes{tree.Add(nullptr)};
    for (int i = 1; i < count; ++i) {
        TOcNode* parent = nodes[random() % nodes.size()];
        nodes.push_back(random() % 3 == 0 ? tree.AddFirst(parent) : tree.Add(parent));
        nodes.back()->SetWidth(random() % 4 == 0 ? 40 + static_cast<int>(random() % 200) : 0);
        nodes.back()->SetHeight(random() % 5 == 0 ? 30 + static_cast<int>(random() % 90) : 0);
        nodes.back()->SetChildAlign(static_cast<TOcChildAlign>(random() % 3));
        nodes.back()->SetShape(static_cast<TOcShape>(random() % 4));
    }
    for (int i = 0; i < count / 15; ++i) {
        TOcNode* n = nodes[random() % nodes.size()];
        TOcNode* to = nodes[random() % nodes.size()];
        if (!to->HasAsParent(n) && to != n)
            n->MoveTo(to, amAddChildFirst);
    }
    tree.FullExpand();
    for (int i = 0; i < count / 10; ++i)
        nodes[1 + random() % (nodes.size() - 1)]->Collapse(false);
    return nodes;
}

} // namespace

// On a mixed tree the pass must put every shown box where walking down from
// the root puts it.
TEST(OcLayout, PassAgreesWithLocateOnAShuffledTree)
{
    for (const bool rotated : {false, true}) {
        TOcTree tree;
        const std::vector<TOcNode*> nodes = MixedTree(tree, 3000, 7);
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

namespace {

// Everything a pass leaves in the nodes, a line a node; nodes the pass does
// not reach keep the marks written before it.
std::vector<std::string> PassResult(TOcTree& tree, const std::vector<TOcNode*>& nodes, const TOcMetrics& metrics,
                                    const TRect& area, bool record, TOcNode* animating)
{
    for (TOcNode* n : nodes) {
        n->drawFlag = true;
        n->animX = n->animY = -7;
        n->SetAnimStart(-7, -7);
    }
    TOcLayout layout(tree, metrics);
    layout.Pass(area, record, animating);
    std::vector<std::string> out;
    for (TOcNode* n : nodes) {
        out.push_back(std::to_string(n->drawFlag) + " " + std::to_string(n->animX) + "," + std::to_string(n->animY) +
                      " " + std::to_string(n->AnimX0()) + "," + std::to_string(n->AnimY0()));
        if (tree.HasCachedW(n) && tree.HasCachedH(n))
            out.back() += " " + std::to_string(n->childrenWidth) + "x" + std::to_string(n->childrenHeight);
    }
    return out;
}

// The first node whose lines differ, or none.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            return "node " + std::to_string(i) + ": " + a[i] + " against " + b[i];
    return a.size() == b.size() ? "" : "counts differ";
}

// The same pass with every size computed anew node by node.
std::vector<std::string> NodeByNodeResult(TOcTree& tree, const std::vector<TOcNode*>& nodes,
                                          const TOcMetrics& metrics, const TRect& area, bool record,
                                          TOcNode* animating)
{
    tree.LayoutScratch().copy.MarkStale();
    tree.DropAllSizes(skWidth);
    tree.DropAllSizes(skHeight);
    return PassResult(tree, nodes, metrics, area, record, animating);
}

} // namespace

// A pass that sizes the whole chart works from the tree's flat copy; it must
// leave every node exactly as sizing and placing node by node does, whatever
// the metrics, the area, recording and animation.
TEST(OcLayout, PassOverTheCopyMatchesThePassNodeByNode)
{
    TOcTree tree;
    const std::vector<TOcNode*> nodes = MixedTree(tree, 2500, 3);
    TOcNode* open = nullptr;
    TOcNode* closed = nullptr;
    for (TOcNode* n : nodes) {
        if (n->IsVisible() && n->HasChildren())
            (n->Expanded() ? open : closed) = n;
    }
    ASSERT_TRUE(open && closed);
    struct Case {
        const char* name;
        bool rotated, rect3D, buttons, zoomed;
        TRect area;
        bool record;
        TOcNode* animating;
    };
    const TRect everything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
    const Case cases[] = {
        {"plain", false, false, true, false, everything, false, nullptr},
        {"window", false, false, true, false, {5000, 100, 5800, 600}, true, nullptr},
        {"rotated 3D strip", true, true, true, false, {0, 2000, 1 << 20, 2100}, true, nullptr},
        {"zoomed", false, true, true, true, {0, 0, 900, 500}, true, nullptr},
        {"no buttons", false, false, false, false, {3000, 0, 3300, 1 << 20}, false, nullptr},
        {"opening animation", false, false, true, false, {0, 0, 4000, 700}, true, closed},
        {"closing animation", true, false, true, false, {0, 0, 4000, 700}, true, open},
    };
    for (const Case& c : cases) {
        TOcMetrics m;
        m.rotated = c.rotated;
        m.rect3D = c.rect3D;
        m.buttons = c.buttons;
        m.zoomed = c.zoomed;
        m.zoomNum = 3;
        m.zoomDen = 11;
        m.scrollX = 700;
        m.scrollY = 40;
        tree.DropAllSizes(skBoth);
        const std::vector<std::string> fromCopy = PassResult(tree, nodes, m, c.area, c.record, c.animating);
        EXPECT_EQ(FirstDifference(fromCopy, NodeByNodeResult(tree, nodes, m, c.area, c.record, c.animating)), "")
            << c.name;
    }
}

// The copy outlives a pass; every edit that moves a box must make the next
// full sizing read the tree again. Here the sizes are dropped without a new
// epoch, so that only the copy's own state tells whether it still holds.
TEST(OcLayout, EditsMakeTheCopyBeReadAgain)
{
    // Each edit works on x, an open node some levels down.
    struct Edit {
        const char* name;
        void (*apply)(TOcTree&, std::vector<TOcNode*>&, TOcNode* x);
    };
    const Edit edits[] = {
        {"width", [](TOcTree&, std::vector<TOcNode*>&, TOcNode* x) { x->SetWidth(333); }},
        {"height", [](TOcTree&, std::vector<TOcNode*>&, TOcNode* x) { x->SetHeight(99); }},
        {"shape", [](TOcTree&, std::vector<TOcNode*>&, TOcNode* x) {
             x->SetShape(x->Shape() == shRectangle ? shEllipse : shRectangle);
         }},
        {"alignment", [](TOcTree&, std::vector<TOcNode*>&, TOcNode* x) {
             x->SetChildAlign(x->ChildAlign() == caLeft ? caRight : caLeft);
         }},
        {"collapse", [](TOcTree&, std::vector<TOcNode*>&, TOcNode* x) { x->Collapse(false); }},
        {"expand", [](TOcTree&, std::vector<TOcNode*>& nodes, TOcNode*) {
             for (TOcNode* n : nodes)
                 if (n->IsVisible() && n->HasChildren() && !n->Expanded()) {
                     n->Expand(false);
                     return;
                 }
         }},
        {"add", [](TOcTree& tree, std::vector<TOcNode*>& nodes, TOcNode* x) { nodes.push_back(tree.AddFirst(x)); }},
        {"move", [](TOcTree&, std::vector<TOcNode*>& nodes, TOcNode* x) { x->MoveTo(nodes[0], amAddChildFirst); }},
        {"delete", [](TOcTree& tree, std::vector<TOcNode*>& nodes, TOcNode* x) {
             TOcNode* gone = x->GetFirstChild();
             std::erase_if(nodes, [gone](TOcNode* n) { return n == gone || n->HasAsParent(gone); });
             tree.Delete(gone);
         }},
        {"clear and build again", [](TOcTree& tree, std::vector<TOcNode*>& nodes, TOcNode*) {
             tree.Clear();
             nodes = MixedTree(tree, 400, 9);
         }},
    };
    const TRect everything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};
    for (const Edit& e : edits) {
        TOcTree tree;
        std::vector<TOcNode*> nodes = MixedTree(tree, 600, 5);
        TOcMetrics m;
        m.rect3D = true;
        TOcLayout(tree, m).Pass(everything, false, nullptr);
        ASSERT_TRUE(tree.LayoutScratch().copy.Current());
        TOcNode* x = nullptr;
        for (TOcNode* n : nodes)
            if (n->IsVisible() && n->Level() >= 3 && n->Expanded())
                x = n;
        ASSERT_TRUE(x);
        e.apply(tree, nodes, x);
        tree.DropAllSizes(skWidth);
        tree.DropAllSizes(skHeight);
        const std::vector<std::string> after = PassResult(tree, nodes, m, everything, false, nullptr);
        EXPECT_EQ(FirstDifference(after, NodeByNodeResult(tree, nodes, m, everything, false, nullptr)), "") << e.name;
    }
}
