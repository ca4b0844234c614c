#pragma once

// The gallery's view grid: every cell data type, check boxes in all states, a
// tree column, merged areas with bound lines, symbol texts, a rich-text cell
// with Chinese text, comments, row numbers and column letters. Its records
// follow column and row moves.

#include <map>
#include <utility>

#include "app/GalleryOrder.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"

class TImageList;

class TGalleryViewGrid : public TTavikCustomViewGrid {
public:
    explicit TGalleryViewGrid(TComponent* owner);
    const char* ClassName() const override { return "TGalleryViewGrid"; }

    QString GetCellValue(int col, int row) override;
    void SetCellValue(int col, int row, const QString& value) override;
    void GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs) override;
    uint8_t RowLevel(int row) override;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;

    // The record (sample column, sample row) at a position of the grid.
    std::pair<int, int> Record(int col, int row) const { return {cols_[col], rows_[row]}; }

private:
    std::map<std::pair<int, int>, QString> values_;
    TGalleryOrder cols_;
    TGalleryOrder rows_;
    TImageList* images_;
};

TGalleryViewGrid* MakeGalleryViewGrid(TCustomForm* form, const TRect& bounds);
