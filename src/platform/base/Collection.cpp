#include "platform/base/Collection.h"

#include <algorithm>
#include <cstring>

void ListIndexError(int index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {}

TCollectionItem::~TCollectionItem()
{
    if (!collection_ || index_ < 0)
        return; // never taken in
    // A destructor cannot pass on a failing repaint of the owner.
    try {
        collection_->RemoveItem(this);
    } catch (...) {
    }
}

void TCollectionItem::SetIndex(int index)
{
    if (!collection_ || index == index_)
        return;
    if (index < 0 || index >= collection_->Count())
        ListIndexError(index);
    collection_->MoveItem(index_, index);
    Changed(true);
}

QString TCollectionItem::DisplayName() const
{
    return QString::fromLatin1(ClassName());
}

void TCollectionItem::Changed(bool allItems)
{
    if (collection_ && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
}

TCollection::~TCollection()
{
    DestroyItems();
}

TCollectionItem* TCollection::Items(int index) const
{
    if (index < 0 || index >= Count())
        ListIndexError(index);
    return items_[static_cast<size_t>(index)];
}

std::unique_ptr<TCollectionItem> TCollection::CreateItem()
{
    return std::make_unique<TCollectionItem>(this);
}

TCollectionItem* TCollection::Add()
{
    TCollectionItem* item = Adopt(CreateItem());
    Changed();
    return item;
}

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        ListIndexError(index);
    TCollectionItem* item;
    {
        TCollectionUpdate update(*this);
        item = Adopt(CreateItem());
        MoveItem(item->index_, index);
    }
    return item;
}

void TCollection::Delete(int index)
{
    TCollectionItem* item = Items(index);
    TCollectionUpdate update(*this);
    delete item;
}

void TCollection::Clear()
{
    if (items_.empty())
        return;
    TCollectionUpdate update(*this);
    while (!items_.empty())
        delete items_.back();
}

void TCollection::BeginUpdate()
{
    ++updateCount_;
}

void TCollection::EndUpdate()
{
    if (updateCount_ == 0)
        throw EInvalidOperation("EndUpdate without BeginUpdate");
    --updateCount_;
    Changed();
}

void TCollection::Changed()
{
    if (updateCount_ == 0)
        Update(nullptr);
}

void TCollection::Assign(const TPersistent* source)
{
    if (source == this)
        return; // clearing first would leave nothing to copy
    if (auto* src = dynamic_cast<const TCollection*>(source)) {
        // Refuse before clearing, so a wrong source leaves this collection intact.
        if (!src->items_.empty() && std::strcmp(src->ItemClassName(), ItemClassName()) != 0)
            throw EConvertError(std::string("Cannot assign a ") + src->ItemClassName() + " to a " +
                                ItemClassName());
        TCollectionUpdate update(*this);
        Clear();
        Reserve(src->Count());
        for (TCollectionItem* item : src->items_)
            Adopt(CreateItem())->Assign(item);
        return;
    }
    TPersistent::Assign(source);
}

void TCollection::DestroyItems()
{
    ++updateCount_;
    while (!items_.empty())
        delete items_.back();
    --updateCount_;
}

void TCollection::Reserve(int count)
{
    if (count > 0)
        items_.reserve(static_cast<size_t>(count));
}

TCollectionItem* TCollection::Adopt(std::unique_ptr<TCollectionItem> made)
{
    TCollectionItem* item = made.get();
    // Rows hold few cells: grow in small steps rather than doubling.
    if (items_.size() == items_.capacity())
        items_.reserve(std::max<size_t>(4, items_.size() + items_.size() / 2));
    item->collection_ = this;
    item->index_ = Count();
    items_.push_back(made.release());
    return item;
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    const int index = item->index_;
    items_.erase(static_cast<size_t>(index));
    item->collection_ = nullptr;
    item->index_ = -1;
    Renumber(index, Count() - 1);
    Changed();
}

void TCollection::MoveItem(int from, int to)
{
    if (from == to)
        return;
    auto first = items_.begin();
    if (from < to)
        std::rotate(first + from, first + from + 1, first + to + 1);
    else
        std::rotate(first + to, first + from, first + from + 1);
    Renumber(std::min(from, to), std::max(from, to));
}

void TCollection::Renumber(int from, int to)
{
    for (int i = from; i <= to; ++i)
        items_[static_cast<size_t>(i)]->index_ = i;
}
