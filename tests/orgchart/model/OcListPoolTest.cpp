#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "orgchart/model/OcListPool.h"
#include "orgchart/model/OcTree.h"

namespace {

struct Held {
    uintptr_t* list;
    size_t count;
    uintptr_t mark;
};

void Fill(const Held& h)
{
    for (size_t i = 0; i < h.count; ++i)
        h.list[i] = h.mark + i;
}

bool Intact(const Held& h)
{
    for (size_t i = 0; i < h.count; ++i)
        if (h.list[i] != h.mark + i)
            return false;
    return true;
}

} // namespace

// Lists of every length, short and long, freed and taken again in random
// order over several chunks, never overlap: each keeps what was written in it.
TEST(OcListPool, ListsNeverOverlapThroughFreesAndReuse)
{
    TOcListPool pool;
    std::mt19937 random(3);
    std::vector<Held> held;
    uintptr_t mark = 1;
    for (int step = 0; step < 40000; ++step) {
        if (held.empty() || random() % 3 != 0) {
            const size_t count = random() % 40;
            Held h{static_cast<uintptr_t*>(pool.Allocate(count)), count, mark};
            mark += 1000;
            Fill(h);
            held.push_back(h);
        } else {
            const size_t at = random() % held.size();
            ASSERT_TRUE(Intact(held[at])) << step;
            pool.Free(held[at].list, held[at].count);
            held[at] = held.back();
            held.pop_back();
        }
    }
    for (const Held& h : held) {
        ASSERT_TRUE(Intact(h));
        pool.Free(h.list, h.count);
    }
}

// A freed short list is the next one of its length; an emptied tree takes its
// lists from the start of the pool again, as it does its nodes.
TEST(OcListPool, ShortListsAreReusedAndAnEmptiedTreeStartsOver)
{
    TOcListPool pool;
    void* three = pool.Allocate(3);
    void* other = pool.Allocate(3);
    pool.Free(three, 3);
    EXPECT_EQ(pool.Allocate(3), three);
    EXPECT_NE(pool.Allocate(2), three);
    pool.Free(other, 3);

    TOcTree tree;
    auto build = [&] {
        std::vector<TOcNode*> made{tree.Add(nullptr)};
        for (size_t i = 1; i < 2000; ++i)
            made.push_back(tree.Add(made[i / 3]));
        return &made[0]->Children()[0];
    };
    TOcNode* const* first = build();
    tree.Clear();
    EXPECT_EQ(tree.Root()->Children().capacity(), 0u);
    EXPECT_EQ(build(), first);
    for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
        for (int i = 0; i < n->Count(); ++i)
            ASSERT_EQ(n->Items(i)->RawParent(), n);
}
