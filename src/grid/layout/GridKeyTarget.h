#pragma once

// Where a navigation key takes the grid's current cell and view, worked out
// from the grid's dimensions and per-cell answers alone, so that the key table
// is checked without a window.

#include <functional>

#include "grid/layout/GridTabWalk.h"
#include "grid/layout/GridTypes.h"
#include "platform/framework/Messages.h"

struct TGridKeyContext {
    TGridCoord Current;
    TGridCoord TopLeft;
    int FirstCol = 0; // first column of the editable area
    int FirstRow = 0; // first row of the editable area
    int ColCount = 0;
    int RowCount = 0;
    int FixedCols = 0;
    int FixedRows = 0;
    TGridCoord LastFullVisible; // last fully visible column and row
    bool RowSelect = false;
    // Merge identifier of a cell; empty: cells are not merged.
    std::function<int(int col, int row)> MergeId;
    // The current cell's edit parts (count 0: none): Tab walks through them
    // before it leaves the cell.
    int EditPart = 0;
    int EditPartCount = 0;
    // A cell Tab may stop at.
    TGridTabWalk::TCellTest TabStop;
    // Cells the arrows pass over.
    std::function<bool(int col, int row)> RowUnusable;
    std::function<bool(int col, int row)> ColUnusable;
    std::function<int(int row)> RowHeight;
};

struct TGridKeyMove {
    TGridCoord Cell;    // the new current cell, as the key table asks for it
    TGridCoord TopLeft; // the new first scrolling cell, not yet restricted
};

// The navigation table of KeyDown: arrows, Home/End, Page Up/Down and Tab,
// plain and with Ctrl. Other keys leave both unchanged.
TGridKeyMove GridKeyTarget(const TGridKeyContext& grid, Word key, TShiftState shift);

// Clamps a target to the editable area and moves it off unusable rows and
// columns in the key's direction (back the other way when none is left); a
// row move that still ends on an unusable row keeps the current row.
TGridCoord SettleKeyTarget(const TGridKeyContext& grid, TGridCoord target, Word key, TShiftState shift);
