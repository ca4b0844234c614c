#pragma once

// The grid's editor state set directly, for test grids that stand in for the
// in-place editor (the grid lets this class in as a friend).

#include "grid/core/TavikCustomGrid.h"

class GridTestAccess {
public:
    static void PlaceEditCell(TTavikCustomGrid& grid, int col, int row)
    {
        grid.editCol_ = col;
        grid.editRow_ = row;
    }
    static void PlaceEditorMode(TTavikCustomGrid& grid, bool on) { grid.editorMode_ = on; }
};
