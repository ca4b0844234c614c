#include "grid/GridAxisLayout.h"

#include <algorithm>

TGridAxisLayout TGridAxisLayout::Compute(const TGridAxisParams& p)
{
    TGridAxisLayout a;
    a.Extent = p.Extent;
    a.EffectiveLineWidth = (p.FixedLine || p.DataLine) ? p.LineWidth : 0;
    int fixed = 0;
    int locked = 0;
    const int lockedCount = p.FixedCount - p.FixedEditCount;
    for (int i = 0; i < p.FixedCount; ++i) {
        fixed += a.Step(i);
        if (i == lockedCount - 1)
            locked = fixed;
    }
    a.FixedBoundary = fixed;
    a.LockedBoundary = p.FixedEditCount != 0 ? (lockedCount > 0 ? locked : 0) : fixed;
    a.FixedCellCount = p.FixedCount;
    a.FixedEditCellCount = p.FixedEditCount;
    a.FirstGridCell = std::max(p.TopLeft, lockedCount);
    a.GridCellCount = p.CellCount;
    a.GridExtent = p.ClientExtent;
    a.GridBoundary = a.FullVisBoundary = a.FixedBoundary;
    a.LastFullVisibleCell = a.FirstGridCell;
    for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
        a.GridBoundary += a.Step(i);
        if (a.GridBoundary > a.GridExtent + a.EffectiveLineWidth) {
            a.GridBoundary = a.GridExtent;
            break;
        }
        a.LastFullVisibleCell = i;
        a.FullVisBoundary = a.GridBoundary;
    }
    return a;
}

int TGridAxisLayout::LinePos(int index) const
{
    int start;
    int pos;
    if (index < FixedCellCount) {
        start = 0;
        pos = 0;
    } else {
        start = FirstGridCell;
        pos = (index >= FirstGridCell || FixedEditCellCount > 0) ? FixedBoundary : 0;
    }
    for (int i = start; i < index; ++i) {
        pos += Step(i);
        if (pos > GridExtent)
            return 0;
    }
    return pos;
}

bool TGridAxisLayout::Span(int start, int stop, bool withLines, int& nearEdge, int& farEdge) const
{
    if (start >= FixedCellCount && start < FirstGridCell) {
        if (stop < FirstGridCell)
            return false;
        start = FirstGridCell;
    }
    if (stop > LastFullVisibleCell) {
        stop = LastFullVisibleCell;
        if (LastFullVisibleCell < GridCellCount - 1) {
            ++stop;
            if (LinePos(stop) == 0)
                --stop;
        }
    }
    nearEdge = LinePos(start);
    const int stopPos = LinePos(stop);
    farEdge = stopPos == 0 ? nearEdge + VisibleExtent(start) : stopPos + VisibleExtent(stop);
    farEdge = std::min(farEdge, GridExtent);
    if (withLines)
        farEdge += EffectiveLineWidth;
    return true;
}

int TGridAxisLayout::CellAt(int pos) const
{
    int first;
    int last;
    int line;
    if (pos < FixedBoundary) {
        first = 0;
        last = FixedCellCount;
        line = 0;
    } else {
        first = FirstGridCell;
        last = GridCellCount;
        line = FixedBoundary;
    }
    for (int i = first; i < last; ++i) {
        const int step = Step(i);
        if (step == 0)
            continue;
        line += step;
        if (line > pos)
            return i;
    }
    return -1;
}

int TGridAxisLayout::MaxTopLeft(int index) const
{
    if (index < FixedCellCount)
        return index;
    int line = GridExtent + EffectiveLineWidth;
    int result = index;
    for (int i = index; i >= FixedCellCount; --i) {
        const int step = Step(i);
        if (step == 0)
            continue;
        line -= step;
        if (line < FixedBoundary) {
            if (result == index && Extent(index) <= 0)
                result = i;
            break;
        }
        result = i;
    }
    return result;
}
