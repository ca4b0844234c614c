#pragma once

// The cells of one PT grid row, one per column, in column order.

#include "grid/model/PTCell.h"
#include "platform/base/Collection.h"

class IPTGridOwner;
class TPTRow;
class TPTRows;

class TPTCells : public TCollection {
public:
    // Cells of no row, which reach no grid.
    TPTCells() = default;
    ~TPTCells() override;

    const char* ClassName() const override { return "TPTCells"; }
    const char* ItemClassName() const override { return "TPTCell"; }

    TPTRow* Row() const;
    TPTRows* Rows() const;
    IPTGridOwner* Grid() const;

    TPTCell* Add() { return static_cast<TPTCell*>(TCollection::Add()); }
    TPTCell* Insert(int index) { return static_cast<TPTCell*>(TCollection::Insert(index)); }
    TPTCell* Items(int index) const { return static_cast<TPTCell*>(TCollection::Items(index)); }

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override;
    // A single cell's change does not repaint: the grid repaints what it changes.
    void Update(TCollectionItem*) override {}

private:
    friend class TPTRow;
    struct InRow {};
    explicit TPTCells(InRow) : inRow_(true) {}

    // A row's cells live inside the row, which is found from where they are
    // rather than from a pointer in every row. The flag fills the tail of the
    // collection's base and costs nothing.
    bool inRow_ = false;
};
