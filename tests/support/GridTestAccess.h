#pragma once

// The grid's editor state set directly, for test grids that stand in for the
// in-place editor.

#include "grid/core/GridEditing.h"
#include "grid/core/TavikCustomGrid.h"

class GridTestAccess {
public:
    static void PlaceEditCell(TTavikCustomGrid& grid, int col, int row) { grid.Editing().PlaceEditCell(col, row); }
    static void PlaceEditorMode(TTavikCustomGrid& grid, bool on) { grid.Editing().PlaceMode(on); }
};
