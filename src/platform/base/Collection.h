#pragma once

// The framework's owned collection: an ordered list of items of one class that
// the collection creates, owns and frees, with update bracketing and a change
// notification that names the changed item or none for the whole collection.

#include <cstdint>
#include <exception>
#include <memory>

#include <QString>

#include "platform/base/ItemList.h"
#include "platform/base/Object.h"

class TCollection;

class TCollectionItem : public TPersistent {
public:
    // Made for the collection (which it can reach at once) but not yet in it:
    // the collection's factory makes items, and Add and Insert take them in
    // and report the change once the item is complete.
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    const char* ClassName() const override { return "TCollectionItem"; }

    TCollection* Collection() const { return collection_; }
    // Position in the collection; -1 when the item belongs to none.
    int Index() const { return collection_ ? index_ : -1; }
    // Moves the item; EListError when index lies outside the collection.
    void SetIndex(int index);

    virtual QString DisplayName() const;

protected:
    // Reports a change of this item, or of the whole collection when allItems.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    // Kept up to date by the collection so that a row's repaint does not search.
    int32_t index_ = -1;
};

class TCollection : public TPersistent {
public:
    TCollection() = default;
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    const char* ClassName() const override { return "TCollection"; }
    // Class name of the items; collections copy only between equal item classes.
    virtual const char* ItemClassName() const { return "TCollectionItem"; }

    int Count() const { return static_cast<int>(items_.size()); }
    // EListError "List index out of bounds (i)" outside 0 .. Count - 1.
    TCollectionItem* Items(int index) const;
    TCollectionItem* Add();
    // index may be Count (append); anything else outside 0 .. Count fails before
    // an item is created.
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();

    void BeginUpdate();
    // The last EndUpdate reports the whole collection as changed.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // From another collection of the same item class: clear, then add one item per
    // source item and assign it from that item.
    void Assign(const TPersistent* source) override;

protected:
    // A new item of the collection's class, made for it but not yet in it.
    virtual std::unique_ptr<TCollectionItem> CreateItem();
    // Room for count items in all, so that a collection whose size is known ahead
    // is allocated once and at that size.
    void Reserve(int count);
    // item is the changed item, or nullptr when the whole collection changed.
    virtual void Update(TCollectionItem* item) {}
    void Changed();
    // Frees every item without change reports; derived destructors call it while
    // their own state, which the items' destructors may still need, is intact.
    void DestroyItems();

private:
    friend class TCollectionItem;
    // Puts a new item at the end; the collection owns it from then on.
    TCollectionItem* Adopt(std::unique_ptr<TCollectionItem> item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(int from, int to);
    void Renumber(int from, int to);

    ItemList items_;
    int updateCount_ = 0;
};

// Brackets a block of changes so that the collection reports once at the end.
// A failing report passes on, unless another failure is already under way.
class TCollectionUpdate {
public:
    explicit TCollectionUpdate(TCollection& c) : c_(c), failures_(std::uncaught_exceptions()) { c_.BeginUpdate(); }
    ~TCollectionUpdate() noexcept(false)
    {
        if (std::uncaught_exceptions() == failures_) {
            c_.EndUpdate();
            return;
        }
        try {
            c_.EndUpdate();
        } catch (...) {
        }
    }
    TCollectionUpdate(const TCollectionUpdate&) = delete;
    TCollectionUpdate& operator=(const TCollectionUpdate&) = delete;

private:
    TCollection& c_;
    int failures_;
};

[[noreturn]] void ListIndexError(int index);
