#include "platform/base/ItemList.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

ItemList::~ItemList()
{
    ::operator delete(block_);
}

void ItemList::reserve(std::size_t count)
{
    if (count <= capacity())
        return;
    constexpr std::size_t kMax =
        std::min<std::size_t>(std::numeric_limits<uint32_t>::max(),
                              (std::numeric_limits<std::size_t>::max() - sizeof(Header)) / sizeof(TCollectionItem*));
    if (count > kMax)
        throw std::length_error("Too many items for one collection");
    auto* grown = static_cast<Header*>(::operator new(sizeof(Header) + count * sizeof(TCollectionItem*)));
    grown->count = static_cast<uint32_t>(size());
    grown->capacity = static_cast<uint32_t>(count);
    if (block_)
        std::memcpy(grown + 1, block_ + 1, size() * sizeof(TCollectionItem*));
    ::operator delete(block_);
    block_ = grown;
}

void ItemList::erase(std::size_t index)
{
    TCollectionItem** items = Items();
    std::memmove(items + index, items + index + 1, (size() - index - 1) * sizeof(TCollectionItem*));
    --block_->count;
}
