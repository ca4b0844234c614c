#pragma once

// What the grid remembers between mouse events while a column or row border is
// sized, a head is moved or a row is dragged by its head: the line being sized,
// the move's source, target and limits, and the XOR lines as drawn.

#include <climits>
#include <optional>
#include <utility>

#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"

struct TGridDragTracker {
    // Sizing: the column or row, the line's position and the press's offset from it.
    int SizingIndex = -1;
    int SizingPos = 0;
    int SizingOfs = 0;
    // Moving: source and target index, and the cell last hit.
    int MoveFrom = 0;
    int MoveTo = 0;
    TGridCoord MoveHit{-1, -1};
    // Where the mouse was pressed.
    TPoint HitPoint{};
    // Columns a head move may reach, and the head row that started it.
    int ColMoveFirst = 0;
    int ColMoveLast = INT_MAX;
    int ColMoveHeadRow = 0;
    // The block of columns or rows that moves together.
    int MoveBlockFirst = 0;
    int MoveBlockLast = 0;
    // Where the last mouse event was, standing in for the cursor position
    // while the mouse is captured during a drag.
    TPoint LastMousePoint{};
    // The XOR lines as drawn, so that erasing hits the same pixels.
    std::optional<int> SizingLineAt;
    std::optional<std::pair<TPoint, TPoint>> MoveLineAt;
    // The row drag by the row head: pending until the mouse moved 5 pixels.
    bool RowDragPending = false;
    bool RowDragActive = false;
    TPoint RowDragStart{};
    TGridCoord RowDragCell{-1, -1};
};
