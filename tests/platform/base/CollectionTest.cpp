// The owned collection: items come from the collection's factory, which hands
// them over before they are in the list, and the collection takes them in at
// the place asked for; an item whose making fails leaves nothing behind.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/base/Collection.h"

namespace {

class Numbered;

class Numbers : public TCollection {
public:
    ~Numbers() override { DestroyItems(); }
    const char* ItemClassName() const override { return "Numbered"; }
    Numbered* At(int i) const;
    bool failNext = false;
    int changes = 0;
    // What each item saw of the collection while it was being made.
    std::vector<int> countsSeen;

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override;
    void Update(TCollectionItem*) override { ++changes; }
};

class Numbered : public TCollectionItem {
public:
    explicit Numbered(Numbers* owner) : TCollectionItem(owner)
    {
        // The item reaches its collection at once, but is not in it yet.
        owner->countsSeen.push_back(Collection() == owner ? owner->Count() * 10 + (Index() == -1) : -1);
        if (owner->failNext)
            throw std::runtime_error("no item");
    }
    void Assign(const TPersistent* source) override
    {
        value = static_cast<const Numbered*>(source)->value;
    }
    const char* ClassName() const override { return "Numbered"; }
    int value = 0;
};

Numbered* Numbers::At(int i) const
{
    return static_cast<Numbered*>(Items(i));
}

std::unique_ptr<TCollectionItem> Numbers::CreateItem()
{
    return std::make_unique<Numbered>(this);
}

std::vector<int> Values(const Numbers& c)
{
    std::vector<int> out;
    for (int i = 0; i < c.Count(); ++i) {
        EXPECT_EQ(c.At(i)->Index(), i);
        out.push_back(c.At(i)->value);
    }
    return out;
}

} // namespace

TEST(Collection, FactoryItemsJoinWhereAddAndInsertPutThem)
{
    Numbers c;
    static_cast<Numbered*>(c.Add())->value = 1;
    static_cast<Numbered*>(c.Add())->value = 3;
    static_cast<Numbered*>(c.Insert(1))->value = 2;
    static_cast<Numbered*>(c.Insert(0))->value = 0;
    EXPECT_EQ(Values(c), (std::vector<int>{0, 1, 2, 3}));
    // Made for the collection, outside it: counts 0, 1, 2, 3 with the index still -1.
    EXPECT_EQ(c.countsSeen, (std::vector<int>{1, 11, 21, 31}));

    Numbers copy;
    copy.Assign(&c);
    EXPECT_EQ(Values(copy), (std::vector<int>{0, 1, 2, 3}));
}

TEST(Collection, AnItemThatFailsToBeMadeLeavesTheCollectionAsItWas)
{
    Numbers c;
    c.Add();
    c.Add();
    c.failNext = true;
    EXPECT_THROW(c.Add(), std::runtime_error);
    EXPECT_THROW(c.Insert(0), std::runtime_error);
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(Values(c), (std::vector<int>{0, 0}));
    c.failNext = false;
    c.Delete(0);
    EXPECT_EQ(c.Count(), 1);
}

// Adding, inserting, moving and deleting across the list's growth steps keeps
// the same order as a plain vector does, with every item knowing its place.
TEST(Collection, EditsAcrossGrowthKeepOrderAndIndexes)
{
    Numbers c;
    std::vector<int> expected;
    unsigned seed = 7;
    auto next = [&seed](int bound) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % unsigned(bound));
    };
    for (int step = 0; step < 400; ++step) {
        const int n = int(expected.size());
        const int action = next(n < 40 ? 5 : 6);
        if (action <= 1 || n == 0) {
            static_cast<Numbered*>(c.Add())->value = step;
            expected.push_back(step);
        } else if (action == 2) {
            const int at = next(n + 1);
            static_cast<Numbered*>(c.Insert(at))->value = step;
            expected.insert(expected.begin() + at, step);
        } else if (action == 3) {
            const int from = next(n), to = next(n);
            c.At(from)->SetIndex(to);
            const int moved = expected[size_t(from)];
            expected.erase(expected.begin() + from);
            expected.insert(expected.begin() + to, moved);
        } else {
            const int at = next(n);
            c.Delete(at);
            expected.erase(expected.begin() + at);
        }
        ASSERT_EQ(Values(c), expected) << "after step " << step;
    }
    Numbers copy;
    copy.Assign(&c);
    EXPECT_EQ(Values(copy), expected);
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_THROW(c.Items(0), EListError);
}
