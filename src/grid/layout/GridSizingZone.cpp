#include "grid/layout/GridSizingZone.h"

bool TGridSizingZone::AxisHit(const TGridAxisLayout& axis, int pos, const TAccept& accept, THit& hit)
{
    int range = axis.EffectiveLineWidth;
    int back = 0;
    if (range < 7) {
        back = (7 - axis.EffectiveLineWidth) / 2;
        range = 7;
    }
    int first;
    int last;
    int line;
    if (pos < axis.FixedBoundary + range) {
        first = axis.FixedCellCount - axis.FixedEditCellCount;
        last = axis.FixedCellCount;
        line = axis.LockedBoundary;
    } else {
        first = axis.FirstGridCell;
        last = axis.GridCellCount;
        line = axis.FixedBoundary;
    }
    for (int i = first; i < last; ++i) {
        const int extent = axis.VisibleExtent(i);
        line += extent;
        if (line > axis.GridBoundary)
            break;
        if (line - back <= pos && pos <= line - back + range && accept(i)) {
            hit = {i, line, line - pos};
            return true;
        }
        if (extent > 0)
            line += axis.EffectiveLineWidth;
    }
    // The pointer at the client edge over a partly visible last cell.
    const int next = axis.LastFullVisibleCell + 1;
    if (axis.GridBoundary == axis.GridExtent && axis.GridExtent - back <= pos && pos <= axis.GridExtent &&
        next < axis.GridCellCount && accept(next)) {
        hit = {next, axis.GridExtent, axis.GridExtent - pos};
        return true;
    }
    return false;
}
