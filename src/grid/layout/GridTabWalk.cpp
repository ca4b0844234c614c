#include "grid/layout/GridTabWalk.h"

#include <cstdint>

TGridCoord TGridTabWalk::Walk(const TArea& area, TGridCoord start, TGridCoord current, bool backwards,
                              const TCellTest& usable, const TMergeIdOf& mergeId)
{
    if (area.ColCount <= area.FirstCol || area.RowCount <= area.FirstRow || area.FirstCol < 0 || area.FirstRow < 0)
        return start;
    const int startId = mergeId ? mergeId(start.X, start.Y) : 0;
    // Every cell once, whatever the start: a start outside the area must not loop forever.
    const int64_t limit = int64_t(area.ColCount - area.FirstCol) * (area.RowCount - area.FirstRow) + 1;
    TGridCoord c = start;
    for (int64_t n = 0; n < limit; ++n) {
        if (!backwards) {
            if (++c.X > area.ColCount - 1 || c.X < area.FirstCol) {
                c.X = area.FirstCol;
                if (++c.Y > area.RowCount - 1 || c.Y < area.FirstRow)
                    c.Y = area.FirstRow;
            }
        } else {
            if (--c.X < area.FirstCol || c.X > area.ColCount - 1) {
                c.X = area.ColCount - 1;
                if (--c.Y < area.FirstRow || c.Y > area.RowCount - 1)
                    c.Y = area.RowCount - 1;
            }
        }
        if (c == current || c == start)
            return start;
        if (startId != 0 && mergeId(c.X, c.Y) == startId)
            continue;
        if (usable(c.X, c.Y))
            return c;
    }
    return start;
}
