#pragma once

// The grid core's internals for tests (the grid lets this class in as a
// friend): the editor state set directly, for test grids that stand in for the
// in-place editor, and the steps and state the core keeps to itself.

#include "grid/core/GridCoreState.h"
#include "grid/core/GridEditing.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"

class GridTestAccess {
public:
    static void PlaceEditCell(TTavikCustomGrid& grid, int col, int row) { grid.Editing().PlaceEditCell(col, row); }
    static void PlaceEditorMode(TTavikCustomGrid& grid, bool on) { grid.Editing().PlaceMode(on); }

    static TGridPointer& Pointer(TTavikCustomGrid& grid) { return grid.Pointer(); }
    static int UpdateLock(const TTavikCustomGrid& grid) { return grid.UpdateLock(); }
    static int TabStop(const TTavikCustomGrid& grid, int col) { return grid.d_->tabStops.Get(col, 1); }
    static void SetTabStop(TTavikCustomGrid& grid, int col, bool value)
    {
        grid.d_->tabStops.EnsureBlock(grid.ColCount(), 1);
        grid.d_->tabStops.Set(col, value ? 1 : 0);
    }
    static void SetLastMoveReason(TTavikCustomGrid& grid, TMoveReason reason) { grid.d_->lastMoveReason = reason; }
    static bool KeyMoveActive(const TTavikCustomGrid& grid) { return grid.d_->keyMoveActive; }
    static int ColOffset(const TTavikCustomGrid& grid) { return grid.d_->colOffset; }
    static const TGridScrollBarState& ScrollBar(const TTavikCustomGrid& grid, TGridScrollBarKind bar)
    {
        return grid.d_->scrollBarStates[bar];
    }
    static void FocusLost(TTavikCustomGrid& grid, bool toEditor) { grid.FocusLost(toEditor); }
    static void CancelMode(TTavikCustomGrid& grid) { grid.CancelMode(); }
    static void ChangeSize(TTavikCustomGrid& grid, int cols, int rows) { grid.ChangeSize(cols, rows); }
    static void AdjustSize(TTavikCustomGrid& grid, int index, int amount, bool rows)
    {
        grid.AdjustSize(index, amount, rows);
    }
    static void SetRowCountKeepView(TTavikCustomGrid& grid, int rows) { grid.SetRowCountKeepView(rows); }
};
