#pragma once

// The grid's editor state set directly, for test grids that stand in for the
// in-place editor (the grid lets this class in as a friend).

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

class GridTestAccess {
public:
    static void PlaceEditCell(TTavikCustomGrid& grid, int col, int row)
    {
        grid.d_->editCol = col;
        grid.d_->editRow = row;
    }
    static void PlaceEditorMode(TTavikCustomGrid& grid, bool on) { grid.d_->editorMode = on; }
};
