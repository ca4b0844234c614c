#pragma once

// The item pointers of a collection: one heap block holding their count, the
// room it has and the pointers themselves. An empty list is a null pointer,
// so a collection that is one of many (a grid row's cells) costs one pointer
// beside its items, and its pointers share their allocation with the count.

#include <cstddef>
#include <cstdint>

class TCollectionItem;

class ItemList {
public:
    ItemList() = default;
    ~ItemList();
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;

    std::size_t size() const { return block_ ? block_->count : 0; }
    std::size_t capacity() const { return block_ ? block_->capacity : 0; }
    bool empty() const { return size() == 0; }

    TCollectionItem** begin() { return Items(); }
    TCollectionItem** end() { return Items() + size(); }
    TCollectionItem* const* begin() const { return Items(); }
    TCollectionItem* const* end() const { return Items() + size(); }
    TCollectionItem* operator[](std::size_t i) const { return Items()[i]; }
    TCollectionItem* back() const { return Items()[size() - 1]; }

    // Room for count items in all; std::length_error beyond what a list holds.
    void reserve(std::size_t count);
    // The list must have room (reserve first).
    void push_back(TCollectionItem* item) { Items()[block_->count++] = item; }
    void erase(std::size_t index);

private:
    struct Header {
        uint32_t count;
        uint32_t capacity;
    };
    static_assert(sizeof(Header) % alignof(TCollectionItem*) == 0);

    TCollectionItem** Items() const
    {
        return block_ ? reinterpret_cast<TCollectionItem**>(block_ + 1) : nullptr;
    }

    Header* block_ = nullptr;
};
