#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "orgchart/OcInplaceEdit.h"
#include "support/ChartTestAccess.h"

namespace {

// Top T with children A, B, C (expanded); A has child D (collapsed).
struct Row {
    TestChart chart;
    TOcNode *t, *a, *b, *c, *d;
    Row()
    {
        t = chart.Tree().Add(nullptr);
        a = chart.Tree().Add(t);
        b = chart.Tree().Add(t);
        c = chart.Tree().Add(t);
        d = chart.Tree().Add(a);
        t->SetText("T");
        a->SetText("A");
        b->SetText("B");
        c->SetText("C");
        d->SetText("D");
        t->Expand(false);
    }
    TPoint Centre(TOcNode* n) { return chart.ShapeCentre(n); }
};

} // namespace

TEST(OrgChartInput, ClicksSelectOnTheShapeAndButtonsToggle)
{
    Row s;
    s.a->SetShape(shEllipse);
    const TRect box = s.chart.NodeShapeRect(s.a);
    s.chart.Press(box.Left + 1, box.Top + 1); // the ellipse's corner
    EXPECT_EQ(s.chart.Tree().Selected(), s.t);
    const TPoint mid = s.Centre(s.a);
    s.chart.Press(mid.X, mid.Y);
    EXPECT_EQ(s.chart.Tree().Selected(), s.a);
    s.chart.MouseUp(mbLeft, 0, mid.X, mid.Y);
    s.chart.Press(mid.X, box.Bottom + 1); // A's button
    EXPECT_TRUE(s.a->Expanded());
    s.chart.MouseUp(mbLeft, 0, mid.X, box.Bottom + 1);

    s.chart.Tree().SetSelected(s.d);
    const TRect top = s.chart.NodeShapeRect(s.t);
    s.chart.Press(top.Left + top.Width() / 2, top.Bottom + 1);
    EXPECT_FALSE(s.t->Expanded());
    EXPECT_EQ(s.chart.Tree().Selected(), s.t); // the selection left the closed subtree first
}

TEST(OrgChartInput, DoubleClickTogglesANode)
{
    Row s;
    const TPoint mid = s.Centre(s.a);
    s.chart.Press(mid.X, mid.Y);
    s.chart.MouseUp(mbLeft, 0, mid.X, mid.Y);
    s.chart.DblClick();
    EXPECT_TRUE(s.a->Expanded());
}

TEST(OrgChartInput, ArrowKeysWalkAndOnChangingCanRefuse)
{
    Row s;
    s.chart.Tree().SetSelected(s.a);
    s.chart.Key(VK_RIGHT);
    EXPECT_EQ(s.chart.Tree().Selected(), s.b);
    s.chart.Key(VK_RIGHT);
    s.chart.Key(VK_RIGHT); // no next sibling of C, and nothing visible after it
    EXPECT_EQ(s.chart.Tree().Selected(), s.c);
    s.chart.Key(VK_UP);
    EXPECT_EQ(s.chart.Tree().Selected(), s.b);
    s.chart.Key(VK_UP);
    s.chart.Key(VK_UP);
    EXPECT_EQ(s.chart.Tree().Selected(), s.t);
    s.chart.Key(VK_DOWN);
    EXPECT_EQ(s.chart.Tree().Selected(), s.a);

    QChar plus('+');
    s.chart.KeyPress(plus);
    EXPECT_TRUE(s.a->Expanded());
    QChar minus('-');
    s.chart.KeyPress(minus);
    EXPECT_FALSE(s.a->Expanded());

    s.chart.Tree().OnChanging = TOcAllowEvent([](TObject*, TOcNode*, bool& allow) { allow = false; });
    for (Word key : {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN})
        s.chart.Key(key);
    EXPECT_EQ(s.chart.Tree().Selected(), s.a);
    s.chart.Tree().SetSelected(s.c); // the setter asks nobody
    EXPECT_EQ(s.chart.Tree().Selected(), s.c);
}

TEST(OrgChartInput, InsertAndDeleteKeysNeedTheOption)
{
    Row s;
    s.chart.Tree().SetSelected(s.c);
    s.chart.Key(VK_INSERT);
    EXPECT_EQ(s.chart.Tree().Count(), 5); // no ocInsDel
    s.chart.SetOptions(s.chart.Options() | ocInsDel);
    s.chart.Key(VK_INSERT);
    ASSERT_EQ(s.t->Count(), 4);
    EXPECT_EQ(s.t->Items(3), s.chart.Tree().Selected()); // after the last child
    s.chart.Tree().SetSelected(s.a);
    s.chart.Key(VK_INSERT);
    EXPECT_EQ(s.t->Items(1), s.chart.Tree().Selected()); // right after A
    s.chart.Key(VK_DELETE);
    EXPECT_EQ(s.t->Items(1), s.b);
    EXPECT_EQ(s.chart.Tree().Selected(), s.b);

    TestChart empty;
    empty.SetOptions(empty.Options() | ocInsDel);
    empty.Key(VK_INSERT, ssCtrl);
    EXPECT_EQ(empty.Tree().Count(), 1);
    EXPECT_EQ(empty.Tree().Selected(), empty.Tree().FirstNode());
}

TEST(OrgChartInput, EditorCommitsAndCancels)
{
    Row s;
    int sets = 0;
    s.chart.Tree().OnSetText = TOcSetTextEvent([&](TObject*, TOcNode*, const QString&) { ++sets; });
    s.chart.Tree().SetSelected(s.a);
    s.chart.Key(VK_F2);
    ASSERT_TRUE(s.chart.Editing());
    TOcInplaceEdit* editor = s.chart.Editor();
    EXPECT_EQ(editor->EditText(), "A");
    editor->TypeChar('x');
    Word esc = VK_ESCAPE;
    editor->EditKeyDown(esc, 0);
    EXPECT_FALSE(s.chart.Editing());
    EXPECT_EQ(s.a->Text(), "A");

    s.chart.SetEditing(true);
    editor->SetEditText("A2");
    editor->SetModified(true);
    Word f2 = VK_F2;
    editor->EditKeyDown(f2, 0);
    EXPECT_EQ(s.a->Text(), "A2");
    EXPECT_EQ(sets, 1);

    s.chart.SetEditing(true);
    editor->SetModified(true); // typed, but back to the same text
    s.chart.SetEditing(false);
    EXPECT_EQ(sets, 1);

    // Alt+Down commits, moves to the next visible node and edits it.
    s.chart.Tree().SetSelected(s.t);
    s.chart.SetEditing(true);
    editor->SetEditText("T2");
    editor->SetModified(true);
    Word down = VK_DOWN;
    editor->EditKeyDown(down, ssAlt);
    EXPECT_EQ(s.t->Text(), "T2");
    EXPECT_EQ(s.chart.Tree().Selected(), s.a);
    EXPECT_TRUE(s.chart.Editing());
    EXPECT_EQ(editor->EditText(), "A2");

    s.chart.OnEditing = TOcAllowEvent([](TObject*, TOcNode*, bool& allow) { allow = false; });
    s.chart.SetEditing(false);
    s.chart.SetEditing(true);
    EXPECT_FALSE(s.chart.Editing());
}

TEST(OrgChartInput, EditorConvertsCaseAndDeletingTheEditedNodeEndsEditing)
{
    Row s;
    s.chart.SetEditMode(emWrap | emUpper);
    s.chart.Tree().SetSelected(s.b);
    s.chart.SetEditing(true);
    s.chart.Editor()->SetEditText("");
    s.chart.Editor()->TypeChar('q');
    EXPECT_EQ(s.chart.Editor()->EditText(), "Q");
    s.chart.Tree().Delete(s.b);
    EXPECT_FALSE(s.chart.Editing());
    EXPECT_EQ(s.chart.Tree().Selected(), s.c);
}

TEST(OrgChartInput, DroppingPlacesTheNode)
{
    Row s;
    s.chart.Tree().SetSelected(s.a);
    bool accept = false;
    ChartTestAccess::BeginDrag(s.chart);
    const TPoint own = s.Centre(s.a);
    ChartTestAccess::DragOver(s.chart, &s.chart, own.X, own.Y, 2, accept);
    EXPECT_TRUE(accept);
    ChartTestAccess::DragDrop(s.chart, &s.chart, own.X, own.Y);
    EXPECT_EQ(s.t->Items(0), s.a); // where it already was

    const TPoint next = s.Centre(s.b);
    ChartTestAccess::DragDrop(s.chart, &s.chart, next.X, next.Y);
    EXPECT_EQ(s.t->Items(1), s.a); // after B
    EXPECT_EQ(s.t->Items(0), s.b);

    s.chart.Tree().SetSelected(s.b);
    const TRect c = s.chart.NodeShapeRect(s.c);
    ChartTestAccess::DragDrop(s.chart, &s.chart, c.Left + 5, c.Bottom + 10); // below collapsed C
    EXPECT_EQ(s.b->Parent(), s.c);

    s.chart.Tree().SetSelected(s.t);
    const TPoint inside = s.Centre(s.a);
    ChartTestAccess::DragOver(s.chart, &s.chart, inside.X, inside.Y, 2, accept);
    EXPECT_FALSE(accept); // not into its own subtree
    ChartTestAccess::CancelDrag(s.chart);
    EXPECT_FALSE(s.chart.Dragging());
}

TEST(OrgChartInput, DeletingASubtreeThatHoldsTheDragEndsIt)
{
    Row s;
    s.chart.SetBounds(0, 0, 600, 400);
    s.a->Expand(false);
    s.chart.Tree().SetSelected(s.c);
    ChartTestAccess::BeginDrag(s.chart);
    const TRect d = s.chart.NodeShapeRect(s.d);
    bool accept = false;
    ChartTestAccess::DragOver(s.chart, &s.chart, d.Left + 30, d.Bottom + 10, 2, accept); // below D
    ASSERT_EQ(ChartTestAccess::DragTarget(s.chart), s.d);
    s.chart.Tree().Delete(s.a); // the target's parent
    EXPECT_EQ(ChartTestAccess::DragTarget(s.chart), nullptr);
    EXPECT_FALSE(s.chart.Dragging());

    ChartTestAccess::BeginDrag(s.chart);
    const TPoint b = s.Centre(s.b);
    ChartTestAccess::DragOver(s.chart, &s.chart, b.X, b.Y, 2, accept);
    s.chart.Tree().Delete(s.t); // the dragged node's ancestor
    EXPECT_FALSE(s.chart.Dragging());
    EXPECT_EQ(s.chart.Tree().Count(), 0);
    ChartTestAccess::DragOver(s.chart, &s.chart, b.X, b.Y, 2, accept);
    EXPECT_FALSE(accept);
    ChartTestAccess::CancelDrag(s.chart);
}

TEST(OrgChartInput, DragAtTheLeftEdgeScrollsUntilTheOffsetIsZero)
{
    TestChart chart;
    chart.SetBounds(0, 0, 100, 100);
    TOcNode* top = chart.Tree().Add(nullptr);
    for (int i = 0; i < 10; ++i)
        chart.Tree().Add(top);
    top->Expand(false);
    chart.ScrollTo(40, 0);
    ASSERT_EQ(chart.ScrollLeft(), 40);
    chart.Tree().SetSelected(top->Items(0));
    ChartTestAccess::BeginDrag(chart);
    bool accept = false;
    ChartTestAccess::DragOver(chart, &chart, 5, 50, 2, accept);
    EXPECT_TRUE(chart.AutoScrollRunning());
    std::vector<int> offsets;
    for (int tick = 0; tick < 5; ++tick) {
        chart.TimerFired(TCustomOrgChart::kAutoScrollTimer);
        offsets.push_back(chart.ScrollLeft());
    }
    EXPECT_EQ(offsets, (std::vector<int>{24, 8, 0, 0, 0}));
    EXPECT_FALSE(chart.AutoScrollRunning());
    ChartTestAccess::DragOver(chart, &chart, 5, 50, 2, accept); // still at the edge: stays stopped
    EXPECT_FALSE(chart.AutoScrollRunning());
    ChartTestAccess::CancelDrag(chart);
}

TEST(OrgChartInput, ScrollKeysAndMessages)
{
    TestChart chart;
    chart.SetBounds(0, 0, 100, 100);
    TOcNode* top = chart.Tree().Add(nullptr);
    for (int i = 0; i < 500; ++i)
        chart.Tree().Add(top);
    top->Expand(false);
    chart.Key(VK_END);
    const int page = chart.ClientWidth();
    ASSERT_EQ(page, 100 - 4 - 16); // sunken border and the vertical bar
    EXPECT_EQ(chart.ScrollLeft(), chart.FullWidth() - page);
    chart.Key(VK_HOME);
    EXPECT_EQ(chart.ScrollLeft(), 0);
    chart.Key(VK_RIGHT, ssCtrl);
    EXPECT_EQ(chart.ScrollLeft(), page - 16);
    chart.Perform(WM_HSCROLL, SB_LINEDOWN);
    EXPECT_EQ(chart.ScrollLeft(), page);
    chart.Perform(WM_HSCROLL, SB_PAGEUP);
    EXPECT_EQ(chart.ScrollLeft(), 16);
    chart.Perform(WM_HSCROLL, SB_BOTTOM);
    EXPECT_EQ(chart.ScrollLeft(), chart.FullWidth() - page);
    chart.Perform(WM_HSCROLL, SB_TOP);
    EXPECT_EQ(chart.ScrollLeft(), 0);
    chart.Perform(WM_HSCROLL, SB_THUMBTRACK | (30000u << 16));
    EXPECT_EQ(chart.ScrollLeft(), 30000);
    chart.Perform(WM_HSCROLL, SB_THUMBTRACK | (40000u << 16)); // 16 bits alone: wraps below zero
    EXPECT_EQ(chart.ScrollLeft(), 0);
}
