#pragma once

// The cell-to-cell walk of Tab and Shift+Tab over a grid's editable area,
// kept apart from the control so that it can be checked without a window.

#include <functional>

#include "grid/layout/GridTypes.h"

class TGridTabWalk {
public:
    struct TArea {
        int FirstCol = 0; // c0
        int FirstRow = 0; // r0
        int ColCount = 0;
        int RowCount = 0;
    };
    // A cell the walk may stop at: a tab-stop column with width and height,
    // a row that is not a split row, and not read-only.
    using TCellTest = std::function<bool(int col, int row)>;
    // Merge identifier of a cell; 0 or an empty function: not merged.
    using TMergeIdOf = std::function<int(int col, int row)>;

    // Steps from start by one cell at a time, row by row, wrapping at both ends
    // of the area; stops at the first cell that passes the test. Cells of the
    // start cell's merged area are stepped over. Answers start when the walk
    // comes back to it (or to current) without finding one.
    static TGridCoord Walk(const TArea& area, TGridCoord start, TGridCoord current, bool backwards,
                           const TCellTest& usable, const TMergeIdOf& mergeId = {});
};
