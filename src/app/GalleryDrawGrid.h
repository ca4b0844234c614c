#pragma once

// The gallery's draw grid: merged heads over sample rows, text through OnDrawCell.

#include "grid/TavikCustomDrawGrid.h"

class TGalleryDrawGrid : public TTavikCustomDrawGrid {
public:
    explicit TGalleryDrawGrid(TComponent* owner);
    const char* ClassName() const override { return "TGalleryDrawGrid"; }

    // Group heads over columns 2..5, 6..8 and 9..11; the corner heads over
    // rows 0..1; one merged block of data cells.
    int MergeId(int col, int row) override;
    // The text the sample shows in a cell.
    QString CellText(int col, int row) const;
};

TGalleryDrawGrid* MakeGalleryDrawGrid(TCustomForm* form, const TRect& bounds);
