#pragma once

// Where a press sizes a column or a row: the band around each grid line along
// one axis. Kept apart from the control so that it can be checked without a window.

#include <functional>

#include "grid/layout/GridAxisLayout.h"

class TGridSizingZone {
public:
    struct THit {
        int Index = -1; // the cell whose far border is under the pointer
        int Pos = 0;    // pixel where that border's line starts
        int Ofs = 0;    // Pos minus the pointer position
    };
    // Refusals of a candidate cell (split rows, the grid's sizing query).
    using TAccept = std::function<bool(int index)>;

    // The first accepted cell whose border band holds pos. The band is the
    // line itself, widened to 7 pixels for thin lines (3 before the line, the
    // rest after). Near the fixed band only the fixed-edit cells count; the
    // locked heads are never sized.
    static bool AxisHit(const TGridAxisLayout& axis, int pos, const TAccept& accept, THit& hit);
};
