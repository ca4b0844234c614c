#pragma once

// One row of the PT grid's content: its cells and its tree and style flags.

#include <cstddef>
#include <cstdint>

#include "grid/layout/CellTypes.h"
#include "grid/model/PTCells.h"
#include "platform/base/Collection.h"

class IPTGridOwner;
class TPTRows;
struct TPTRowExtra;

// Final: every row comes from the rows' pool.
class TPTRow final : public TCollectionItem {
public:
    explicit TPTRow(TPTRows* rows);
    ~TPTRow() override;

    // Rows come from a shared pool, as their cells do.
    static void* operator new(std::size_t size);
    static void operator delete(void* p, std::size_t size);

    const char* ClassName() const override { return "TPTRow"; }
    // Copies RowStyle, Data and the cells from another row; Expand and
    // SavedHeight stay as they are.
    void Assign(const TPersistent* source) override;

    TPTRows* Rows() const;
    IPTGridOwner* Grid() const;

    TPTCells* Cells() { return &cells_; }
    const TPTCells* Cells() const { return &cells_; }
    // Copies the given cells into the row's own.
    void SetCells(const TPTCells* cells);
    TRowStyle RowStyle() const { return rowStyle_; }
    void SetRowStyle(TRowStyle style);
    int32_t Data() const;
    void SetData(int32_t data);
    bool Expand() const { return expand_; }
    void SetExpand(bool expand);
    int32_t SavedHeight() const;
    void SetSavedHeight(int32_t height);

private:
    friend class TPTCells;
    // The row whose own cells these are.
    static TPTRow* OfCells(const TPTCells* cells);

    // The rare fields, nullptr while all of them hold their defaults.
    const TPTRowExtra* Rare() const;
    TPTRowExtra& Extras();
    void DropExtrasIfDefault();

    // The one-byte fields fill the tail of the item's base.
    TRowStyle rowStyle_ = rsNormal;
    bool expand_ = true;
    // Whether the pool holds a block of rare fields for this row.
    bool hasExtras_ = false;
    TPTCells cells_{TPTCells::InRow{}};
};
