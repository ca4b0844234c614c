#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "orgchart/model/OcLayout.h"
#include "orgchart/model/OcTree.h"

namespace {

// The sibling chains mirror every child list, and a walk over them meets each
// node once.
void ExpectConsistent(TOcTree& tree)
{
    int seen = 0;
    std::vector<TOcNode*> stack{tree.Root()};
    while (!stack.empty()) {
        TOcNode* n = stack.back();
        stack.pop_back();
        const auto& kids = n->Children();
        ASSERT_EQ(n->FirstChildLink(), kids.empty() ? nullptr : kids.front());
        for (size_t i = 0; i < kids.size(); ++i) {
            ASSERT_EQ(kids[i]->RawParent(), n);
            ASSERT_EQ(kids[i]->Index(), int(i));
            ASSERT_EQ(kids[i]->NextSiblingLink(), i + 1 < kids.size() ? kids[i + 1] : nullptr);
            stack.push_back(kids[i]);
            ++seen;
        }
    }
    EXPECT_EQ(seen, tree.Count());
}

} // namespace

// Random inserts, moves and deletes (freed places are reused) keep the chains
// right, and the sizes computed over the chains agree with the child lists.
TEST(OcNodeBlocks, EditsKeepTheChainsAndTheLayoutRight)
{
    TOcTree tree;
    std::mt19937 random(7);
    std::vector<TOcNode*> nodes;
    auto pick = [&]() -> TOcNode* {
        return nodes.empty() ? nullptr : nodes[random() % nodes.size()];
    };
    for (int step = 0; step < 3000; ++step) {
        const int op = static_cast<int>(random() % 10);
        if (op < 5 || nodes.size() < 4) {
            TOcNode* parent = pick();
            nodes.push_back(op == 0 && parent ? tree.Insert(parent) : tree.Add(parent));
        } else if (op < 8) {
            TOcNode* n = pick();
            n->MoveTo(pick(), static_cast<TOcAttachMode>(random() % 5));
        } else {
            tree.Delete(pick());
            nodes.clear();
            for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
                nodes.push_back(n);
        }
    }
    ExpectConsistent(tree);
    tree.FullExpand();

    const TOcMetrics metrics;
    TOcLayout layout(tree, metrics);
    const int fullW = layout.FullW(), fullH = layout.FullH();
    tree.DropAllSizes(skBoth);
    for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
        ASSERT_FALSE(tree.HasCachedW(n) || tree.HasCachedH(n));
    EXPECT_EQ(layout.FullW(), fullW);
    EXPECT_EQ(layout.FullH(), fullH);

    for (TOcNode* n = tree.Root(); n; n = n == tree.Root() ? tree.FirstNode() : n->GetNext()) {
        int64_t w = 0, h = 0;
        for (TOcNode* c : n->Children()) {
            w += layout.CellW(c);
            h = std::max<int64_t>(h, layout.CellH(c));
        }
        ASSERT_EQ(layout.ChildrenW(n), w);
        ASSERT_EQ(layout.ChildrenH(n), h);
    }
    tree.Clear();
    EXPECT_EQ(tree.Count(), 0);
    EXPECT_EQ(tree.Root()->FirstChildLink(), nullptr);
}

// Past the first few blocks the nodes come from shared arenas: a chart of
// dozens of blocks, thinned out, refilled into the freed places and emptied
// again keeps its chains, and every cached size agrees with its children's.
TEST(OcNodeBlocks, ChartsOfManyBlocksRefillAndEmptyCleanly)
{
    TOcTree tree;
    std::mt19937 random(11);
    const TOcMetrics metrics;
    for (int round = 0; round < 3; ++round) {
        std::vector<TOcNode*> nodes;
        for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
            nodes.push_back(n);
        if (nodes.empty())
            nodes.push_back(tree.Add(nullptr));
        while (nodes.size() < 30000)
            nodes.push_back(tree.Add(nodes[random() % nodes.size()]));
        tree.FullExpand();
        ExpectConsistent(tree);
        TOcLayout layout(tree, metrics);
        layout.Pass({-(1 << 30), -(1 << 30), 1 << 30, 1 << 30}, false, nullptr);
        for (TOcNode* n = tree.Root(); n; n = n == tree.Root() ? tree.FirstNode() : n->GetNext()) {
            int64_t w = 0, h = 0;
            for (TOcNode* c : n->Children()) {
                w += layout.CellW(c);
                h = std::max<int64_t>(h, layout.CellH(c));
            }
            ASSERT_EQ(layout.ChildrenW(n), w) << round;
            ASSERT_EQ(layout.ChildrenH(n), h) << round;
        }
        for (int i = 0; i < 20; ++i) {
            std::vector<TOcNode*> live;
            for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
                live.push_back(n);
            tree.Delete(live[1 + random() % (live.size() - 1)]);
        }
        if (round == 1)
            tree.Clear();
    }
}

// Dropping every size only moves the tree to a new epoch. A size cached long
// ago must not count again when the epochs come round: here a leaf widens
// while its ancestors' sizes are already dropped, so nothing else tells them.
TEST(OcNodeBlocks, DroppedSizesStayDroppedWhenTheEpochsComeRound)
{
    for (int drops : {1, 254, 255, 256, 257, 600}) {
        TOcTree tree;
        TOcNode* top = tree.Add(nullptr);
        TOcNode* leaf = tree.AddChild(tree.AddChild(top));
        tree.AddChild(top);
        tree.FullExpand();
        const TOcMetrics metrics;
        TOcLayout layout(tree, metrics);
        const int before = layout.FullW();
        tree.DropAllSizes(skBoth);
        leaf->SetWidth(500);
        for (int i = 1; i < drops; ++i)
            tree.DropAllSizes(skBoth);
        const int after = layout.FullW();
        EXPECT_GT(after, before) << drops;
        // The same chart with every field written to zero.
        tree.DropAllSizes(skWidth);
        tree.DropAllSizes(skHeight);
        EXPECT_EQ(layout.FullW(), after) << drops;
    }
}

// An emptied tree hands out its blocks from the start again, so that a chart
// read anew lies in memory in pre-order as the first one did; a node made but
// never attached keeps its place, and the tree starts over only once it goes.
TEST(OcNodeBlocks, AnEmptiedTreeFillsItsBlocksFromTheStartAgain)
{
    auto build = [](TOcTree& tree) {
        std::vector<TOcNode*> made{tree.Add(nullptr)};
        for (int i = 1; i < 500; ++i)
            made.push_back(tree.Add(made[static_cast<size_t>(i * 7) % made.size()]));
    };
    auto inPreOrderAddresses = [](TOcTree& tree) {
        const TOcNode* last = nullptr;
        for (TOcNode* n = tree.FirstNode(); n; last = n, n = n->GetNext())
            if (last && n <= last)
                return false;
        return true;
    };
    TOcTree tree;
    build(tree);
    const TOcNode* first = tree.FirstNode();
    tree.Clear();
    std::vector<TOcNode*> preOrder;
    {
        // Nodes made in pre-order, as a reader makes them.
        std::vector<std::pair<TOcNode*, int>> stack{{nullptr, 3}};
        while (!stack.empty()) {
            if (stack.back().second-- == 0) {
                stack.pop_back();
                continue;
            }
            TOcNode* n = tree.Add(stack.back().first);
            preOrder.push_back(n);
            if (stack.size() < 5)
                stack.push_back({n, 3});
        }
    }
    EXPECT_EQ(tree.FirstNode(), first);
    EXPECT_TRUE(inPreOrderAddresses(tree));
    ExpectConsistent(tree);

    TOcNode* loose = tree.CreateNode();
    tree.Clear();
    build(tree);
    for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
        ASSERT_NE(n, loose);
    ExpectConsistent(tree);
}

namespace {

// A node class of a descendant tree: made on the heap, not in the blocks.
class HeapNode : public TOcNode {
public:
    explicit HeapNode(TOcTree* owner) : TOcNode(owner) {}
};

// Records what the views are told while the tree clears.
class ClearingTree : public TOcTree {
public:
    TOcNode* CreateNode() override { return onHeap ? MakeNode<HeapNode>() : TOcTree::CreateNode(); }
    void ForgetDoomed(TOcNode* node) override { doomed.push_back(node); }
    void SizesChangedNotice(TOcNode* node) override { rootSizesDropped |= node == Root(); }
    bool onHeap = false;
    std::vector<TOcNode*> doomed;
    bool rootSizesDropped = false;
};

} // namespace

// Clearing frees the nodes in one sweep only when nothing can tell: a deletion
// handler hears every node, a node made but never attached stays its maker's,
// and nodes of a descendant class go one by one. Either way the views forget
// each top-level subtree, the emptied tree refills from its first block, and
// a tree read anew is whole.
TEST(OcNodeBlocks, ClearingSweepsOnlyWhenNothingCanTell)
{
    enum Case { kPlain, kListened, kLooseNode, kHeapNode };
    for (const Case c : {kPlain, kListened, kLooseNode, kHeapNode}) {
        SCOPED_TRACE(c);
        ClearingTree tree;
        std::mt19937 random(5);
        std::vector<TOcNode*> nodes{tree.Add(nullptr), tree.Add(nullptr)};
        while (nodes.size() < 3000)
            nodes.push_back(tree.Add(nodes[random() % nodes.size()]));
        for (TOcNode* n : nodes)
            n->SetText(QStringLiteral("部门"));
        tree.SetSelected(nodes.back());
        const std::vector<TOcNode*> tops(tree.Root()->Children().begin(), tree.Root()->Children().end());
        const TOcNode* firstPlace = tree.FirstNode();

        int deletions = 0;
        if (c == kListened)
            tree.OnDeletion = TOcEvent([&](TObject*, TOcNode*) { ++deletions; });
        TOcNode* loose = c == kLooseNode ? tree.CreateNode() : nullptr;
        if (loose)
            loose->SetText(QStringLiteral("留"));
        if (c == kHeapNode) {
            tree.onHeap = true;
            tree.Add(nodes[7]);
            tree.onHeap = false;
        }
        tree.doomed.clear();
        tree.rootSizesDropped = false;
        tree.Clear();

        EXPECT_EQ(tree.Count(), 0);
        EXPECT_EQ(tree.Selected(), nullptr);
        EXPECT_EQ(tree.Root()->FirstChildLink(), nullptr);
        EXPECT_TRUE(tree.rootSizesDropped);
        EXPECT_EQ(deletions, c == kListened ? 3000 : 0);
        // Each top-level node is named before it goes (twice is harmless).
        for (TOcNode* top : tops)
            EXPECT_NE(std::find(tree.doomed.begin(), tree.doomed.end(), top), tree.doomed.end());
        if (loose) {
            EXPECT_EQ(loose->Text(), QStringLiteral("留"));
        }

        TOcNode* again = tree.Add(nullptr);
        // Past the places the old nodes took, the loose one's included.
        for (int i = 0; i < 4000; ++i)
            tree.Add(again);
        ExpectConsistent(tree);
        if (!loose) {
            EXPECT_EQ(tree.FirstNode(), firstPlace);
        }
        for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
            ASSERT_NE(n, loose);
        EXPECT_EQ(tree.Count(), 4001);

        // An empty tree clears without a word to the views.
        tree.Clear();
        tree.doomed.clear();
        tree.rootSizesDropped = false;
        tree.Clear();
        EXPECT_TRUE(tree.doomed.empty());
        EXPECT_FALSE(tree.rootSizesDropped);
    }
}
