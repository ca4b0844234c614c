#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orgchart/model/OcTree.h"

namespace {

// A tree that records its events as "Event:Text" strings.
class RecordingTree : public TOcTree {
public:
    RecordingTree()
    {
        auto rec = [this](const char* what) {
            return [this, what](TObject*, TOcNode* n) { log.push_back(std::string(what) + ":" + Name(n)); };
        };
        OnChange = TOcEvent(rec("Change"));
        OnDeletion = TOcEvent(rec("Deletion"));
        OnExpanded = TOcEvent(rec("Expanded"));
        OnCollapsed = TOcEvent(rec("Collapsed"));
        OnExpansion = TOcAllowEvent([this](TObject*, TOcNode* n, bool& allow) {
            log.push_back("Expansion:" + Name(n));
            allow = refuse.empty() || Name(n) != refuse;
        });
        OnCollapsing = TOcAllowEvent([this](TObject*, TOcNode* n, bool& allow) {
            log.push_back("Collapsing:" + Name(n));
            allow = refuse.empty() || Name(n) != refuse;
        });
    }
    static std::string Name(TOcNode* n) { return n ? n->Text().toStdString() : "none"; }
    TOcNode* Node(TOcNode* parent, const char* text)
    {
        TOcNode* n = Add(parent);
        n->SetText(QString::fromUtf8(text));
        return n;
    }
    std::string Take()
    {
        std::string s;
        for (auto& e : log)
            s += (s.empty() ? "" : " ") + e;
        log.clear();
        return s;
    }
    std::vector<std::string> log;
    std::string refuse;
};

// A: B (D, E), C
struct Sample {
    RecordingTree t;
    TOcNode *a, *b, *c, *d, *e;
    Sample()
    {
        a = t.Node(nullptr, "A");
        b = t.Node(a, "B");
        c = t.Node(a, "C");
        d = t.Node(b, "D");
        e = t.Node(b, "E");
        t.Take();
    }
};

} // namespace

TEST(OcTree, FirstNodeIsSelectedAndLaterOnesLeaveTheSelection)
{
    RecordingTree t;
    TOcNode* a = t.Node(nullptr, "");
    a->SetText("A");
    EXPECT_EQ(t.Selected(), a);
    EXPECT_EQ(t.Take(), "Change:");
    t.Node(nullptr, "B");
    t.Node(a, "C");
    EXPECT_EQ(t.Selected(), a);
    EXPECT_EQ(t.Count(), 3);
    EXPECT_EQ(t.Take(), "");
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(a->Items(0)->Level(), 1);
    EXPECT_EQ(t.Items(1)->Index(), 1);
}

TEST(OcTree, DeletingTheSelectedNodeMovesTheSelection)
{
    struct Case {
        const char* deleted;
        const char* selectedBefore;
        const char* selectedAfter;
    } cases[] = {
        {"D", "D", "E"}, // next sibling
        {"E", "E", "D"}, // previous sibling of the last child
        {"B", "E", "C"}, // the selection inside the deleted subtree
        {"C", "C", "B"},
        {"A", "A", "none"}, // the only top-level node
    };
    for (const Case& k : cases) {
        Sample s;
        auto byName = [&](const std::string& n) -> TOcNode* {
            for (TOcNode* x = s.t.FirstNode(); x; x = x->GetNext())
                if (RecordingTree::Name(x) == n)
                    return x;
            return nullptr;
        };
        s.t.SetSelected(byName(k.selectedBefore));
        s.t.Delete(byName(k.deleted));
        EXPECT_EQ(RecordingTree::Name(s.t.Selected()), k.selectedAfter) << k.deleted;
    }
    Sample only;
    only.t.Delete(only.d);
    only.t.SetSelected(only.e);
    only.t.Delete(only.e);
    EXPECT_EQ(only.t.Selected(), only.b); // an only child selects its parent
    EXPECT_FALSE(only.b->Expanded());
}

TEST(OcTree, DeletionEventsRunParentFirstAndTheCountFalls)
{
    Sample s;
    s.t.Delete(s.b);
    EXPECT_EQ(s.t.Take(), "Deletion:B Deletion:D Deletion:E");
    EXPECT_EQ(s.t.Count(), 2);
    EXPECT_EQ(s.c->Index(), 0);
    s.t.Clear();
    EXPECT_EQ(s.t.Count(), 0);
    EXPECT_EQ(s.t.Selected(), nullptr);
}

TEST(OcTree, DeletingALastChildCollapsesTheParentButNeverTheRoot)
{
    Sample s;
    s.b->Expand(false);
    ASSERT_TRUE(s.b->Expanded());
    s.t.Delete(s.d);
    EXPECT_TRUE(s.b->Expanded());
    s.t.Delete(s.e);
    EXPECT_FALSE(s.b->Expanded());
    s.t.Delete(s.a);
    EXPECT_TRUE(s.t.Root()->Expanded());
}

TEST(OcTree, MoveToNoOpCases)
{
    Sample s;
    s.a->MoveTo(s.d, amAddChild); // into its own subtree
    s.b->MoveTo(s.b, amInsert);   // onto itself
    s.b->MoveTo(s.c, amInsert);   // already just before C
    s.c->MoveTo(s.b, amAdd);      // already last
    s.d->MoveTo(s.e, amInsert);
    EXPECT_EQ(s.a->Items(0), s.b);
    EXPECT_EQ(s.a->Items(1), s.c);
    EXPECT_EQ(s.b->Items(0), s.d);
    int moves = 0;
    s.t.OnMoveNode = TOcMoveNodeEvent([&](TOcNode*, TOcNode*, int) { ++moves; });
    s.c->MoveTo(s.b, amAddFirst);
    s.e->MoveTo(nullptr, amAdd); // top level, last
    s.t.MoveNode(s.d, s.a, 0);   // below itself: refused
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(s.a->Items(0), s.c);
    EXPECT_EQ(s.t.Items(1), s.e);
    EXPECT_EQ(s.e->Index(), 1);
    EXPECT_EQ(s.t.Count(), 5);
}

TEST(OcTree, RecursiveExpandOpensDeepestFirstAndRefusalStopsOnlyThatNode)
{
    Sample s;
    s.c->Expand(true); // childless: nothing
    EXPECT_EQ(s.t.Take(), "");
    s.t.refuse = "B";
    s.a->Expand(true);
    EXPECT_EQ(s.t.Take(), "Expansion:B Expansion:A Expanded:A");
    EXPECT_FALSE(s.b->Expanded());
    EXPECT_TRUE(s.a->Expanded());
    s.t.refuse.clear();
    s.b->SetExpanded(true);
    s.t.Take();
    s.a->Collapse(true);
    EXPECT_EQ(s.t.Take(), "Collapsing:A Collapsed:A Collapsing:B Collapsed:B");
    s.a->Expand(false);
    s.t.refuse = "A";
    s.a->Collapse(false);
    EXPECT_TRUE(s.a->Expanded());
}

TEST(OcTree, WalksAndVisibility)
{
    Sample s;
    std::string order;
    for (TOcNode* n = s.t.FirstNode(); n; n = n->GetNext())
        order += RecordingTree::Name(n);
    EXPECT_EQ(order, "ABDEC");
    std::string back;
    for (TOcNode* n = s.c; n; n = n->GetPrev())
        back += RecordingTree::Name(n);
    EXPECT_EQ(back, "CEDBA");
    EXPECT_FALSE(s.b->IsVisible());
    EXPECT_EQ(s.a->GetNextVisible(), nullptr);
    s.a->Expand(false);
    EXPECT_EQ(s.a->GetNextVisible(), s.b);
    EXPECT_EQ(s.b->GetNextVisible(), s.c);
    EXPECT_EQ(s.d->GetNextVisible(), s.c); // climbs to B first
    EXPECT_EQ(s.c->GetPrevVisible(), s.b);
    EXPECT_TRUE(s.d->HasAsParent(s.a));
    EXPECT_TRUE(s.d->HasAsParent(s.t.Root()));
    EXPECT_TRUE(s.d->HasAsParent(nullptr));
    EXPECT_FALSE(s.a->HasAsParent(s.d));
}

TEST(OcTree, SizesAndTextSetters)
{
    Sample s;
    s.a->SetWidth(5);
    EXPECT_EQ(s.a->Width(), 16);
    s.a->SetWidth(0);
    EXPECT_EQ(s.a->Width(), 0);
    s.a->SetHeight(65535);
    EXPECT_EQ(s.a->Height(), 65535);
    int sets = 0;
    s.t.OnSetText = TOcSetTextEvent([&](TObject*, TOcNode*, const QString&) { ++sets; });
    s.a->SetText("A");
    EXPECT_EQ(sets, 0);
    s.a->SetText(QString(10000, QChar(u'字')));
    EXPECT_EQ(sets, 1);
    // OnGetText edits the stored text; the change shows from the next read.
    s.t.OnGetText = TOcGetTextEvent([](TObject*, TOcNode*, QString& text) { text = "X"; });
    EXPECT_EQ(s.c->Text(), "C");
    EXPECT_EQ(s.c->Text(), "X");
}

TEST(OcTree, OperationsOnForeignNodesDoNothing)
{
    Sample s;
    RecordingTree other;
    TOcNode* foreign = other.Node(nullptr, "F");
    EXPECT_EQ(s.t.Add(foreign), nullptr);
    EXPECT_EQ(s.t.Insert(foreign), nullptr);
    s.t.Delete(foreign);
    s.t.SetSelected(foreign);
    EXPECT_EQ(other.Count(), 1);
    EXPECT_EQ(s.t.Count(), 5);
    EXPECT_EQ(s.t.Selected(), s.a);
    EXPECT_THROW(s.t.Items(3), EListError);
}

TEST(OcTree, HundredThousandLevelChainExpandsAndDeletesWithoutRecursion)
{
    TOcTree t;
    TOcNode* n = t.Add(nullptr);
    TOcNode* top = n;
    for (int i = 1; i < 100000; ++i)
        n = t.Add(n);
    EXPECT_EQ(t.Count(), 100000);
    t.FullExpand();
    EXPECT_TRUE(n->IsVisible());
    EXPECT_EQ(n->Level(), 99999);
    t.Delete(top);
    EXPECT_EQ(t.Count(), 0);
}
