#pragma once

// The gallery's draw grid: merged heads over sample rows, text through OnDrawCell.

#include "app/GalleryOrder.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"

class TGalleryDrawGrid : public TTavikCustomDrawGrid {
public:
    explicit TGalleryDrawGrid(TComponent* owner);
    const char* ClassName() const override { return "TGalleryDrawGrid"; }

    // Group heads over columns 2..5, 6..8 and 9..11; the corner heads over
    // rows 0..1; one merged block of data cells.
    int MergeId(int col, int row) override;
    // The text the sample shows in a cell; below the group heads it follows
    // its column and row when they are moved.
    QString CellText(int col, int row) const;
    void ColumnMoved(int from, int to) override;
    void RowMoved(int from, int to) override;

private:
    // The record text of a column and row as the sample made them.
    QString RecordText(int col, int row) const;
    TGalleryOrder cols_;
    TGalleryOrder rows_;
};

TGalleryDrawGrid* MakeGalleryDrawGrid(TCustomForm* form, const TRect& bounds);
