#pragma once

// The gallery's editor sample: a draw grid with one column per edit style, so
// every in-place editor and drop-down can be tried. The picture shows the
// editor open on the drop-down column.

#include <map>
#include <memory>
#include <utility>

#include "grid/drawgrid/TavikCustomDrawGrid.h"

class TGalleryCustomEditor;

class TGalleryEditorGrid : public TTavikCustomDrawGrid {
public:
    static constexpr int kRows = 12;

    explicit TGalleryEditorGrid(TComponent* owner);
    ~TGalleryEditorGrid() override;
    const char* ClassName() const override { return "TGalleryEditorGrid"; }

    // The style of a data column (column 1 is esSimple, column 11 esCustom).
    static TEditStyle ColumnStyle(int col);
    QString CellText(int col, int row) const;

private:
    std::map<std::pair<int, int>, QString> texts_;
    std::unique_ptr<TGalleryCustomEditor> custom_;
};

TGalleryEditorGrid* MakeGalleryEditorGrid(TCustomForm* form, const TRect& bounds);
