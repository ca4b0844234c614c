#pragma once

// One row of the PT grid's content: its cells and its tree and style flags.

#include <cstddef>
#include <cstdint>

#include "grid/layout/CellTypes.h"
#include "grid/model/PTCells.h"
#include "platform/base/Collection.h"

class IPTGridOwner;
class TPTRows;

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
    int32_t Data() const { return data_; }
    void SetData(int32_t data) { data_ = data; }
    bool Expand() const { return expand_; }
    void SetExpand(bool expand);
    int32_t SavedHeight() const { return savedHeight_; }
    void SetSavedHeight(int32_t height) { savedHeight_ = height; }

private:
    TRowStyle rowStyle_ = rsNormal;
    bool expand_ = true;
    int32_t data_ = 0;
    int32_t savedHeight_ = 0;
    TPTCells cells_;
};
