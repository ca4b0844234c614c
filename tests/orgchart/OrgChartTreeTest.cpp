#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "ChartTestUtil.h"
#include "orgchart/OcInplaceEdit.h"
#include "support/ChartTestAccess.h"

namespace {

// Top T with children A and B (expanded); A has child D (collapsed).
struct Family {
    TestChart chart;
    TOcNode *t, *a, *b, *d;
    Family()
    {
        chart.SetOptions(chart.Options() | ocEdit | ocCanDrag | ocShowDrag);
        TOcTree& tree = chart.Tree();
        t = tree.Add(nullptr);
        a = tree.Add(t);
        b = tree.Add(t);
        d = tree.Add(a);
        t->SetText("T");
        a->SetText("A");
        b->SetText("B");
        d->SetText("D");
        t->Expand(false);
    }
    TPoint Centre(TOcNode* n) { return chart.ShapeCentre(n); }
};

} // namespace

// What callers do through the model reaches the chart as its own keys and
// mouse do: the events name the chart, the editor follows the selection,
// sizes and layout follow the nodes, and nothing keeps a deleted node.
TEST(OrgChartTree, CallsThroughTheModelKeepTheChartsRules)
{
    Family s;
    TOcTree& tree = s.chart.Tree();

    TObject* sender = nullptr;
    tree.OnChange = TOcEvent([&](TObject* from, TOcNode*) { sender = from; });
    s.b->SetSelected(true);
    EXPECT_EQ(sender, &s.chart);
    EXPECT_EQ(tree.Selected(), s.b);

    s.chart.SetEditing(true);
    ASSERT_TRUE(s.chart.Editing());
    tree.SetSelected(s.a);
    EXPECT_TRUE(s.chart.Editing());
    EXPECT_EQ(s.chart.Editor()->EditText(), "A");

    const int shut = s.chart.FullHeight();
    s.a->Expand(false);
    EXPECT_GT(s.chart.FullHeight(), shut);

    s.d->SetWidth(3);
    EXPECT_EQ(s.d->Width(), s.chart.MinNodeWidth());
    s.chart.SetRotated(true);
    s.d->SetHeight(3);
    EXPECT_EQ(s.d->Height(), s.chart.MinNodeHeight());
    s.chart.SetRotated(false);

    const TPoint at = s.Centre(s.b);
    ASSERT_EQ(s.chart.GetNodeAt(at.X, at.Y), s.b);
    tree.Delete(s.b);
    TOcNode* now = s.chart.GetNodeAt(at.X, at.Y);
    EXPECT_TRUE(now == nullptr || tree.IsValid(now));
    EXPECT_NE(now, s.b);
    EXPECT_EQ(tree.Count(), 3);
}

// A chart that goes while it edits and drags ends both on the way: its tree
// still answers the hooks its deleted nodes fire. Without a deletion handler
// the tree clears in one sweep, and the chart forgets its nodes all the same.
TEST(OrgChartTree, AChartGoesWhileItEditsAndDrags)
{
    for (const auto& [clearFirst, listening] :
         {std::pair{false, true}, std::pair{true, true}, std::pair{false, false}, std::pair{true, false}}) {
        SCOPED_TRACE(testing::Message() << clearFirst << listening);
        auto s = std::make_unique<Family>();
        int deletions = 0;
        if (listening)
            s->chart.Tree().OnDeletion = TOcEvent([&](TObject*, TOcNode*) { ++deletions; });
        s->chart.Tree().SetSelected(s->a);
        s->chart.SetEditing(true);
        ChartTestAccess::BeginDrag(s->chart);
        const TPoint at = s->Centre(s->b);
        bool accept = false;
        ChartTestAccess::DragOver(s->chart, &s->chart, at.X, at.Y, 2, accept);
        if (clearFirst) {
            s->chart.Tree().Clear();
            EXPECT_FALSE(s->chart.Dragging());
            EXPECT_EQ(ChartTestAccess::DragTarget(s->chart), nullptr);
            EXPECT_FALSE(s->chart.Editing());
            EXPECT_EQ(s->chart.GetNodeAt(at.X, at.Y), nullptr);
            EXPECT_EQ(deletions, listening ? 4 : 0);
        }
        s.reset();
        EXPECT_EQ(deletions, listening ? 4 : 0);
    }
}
