#include "grid/layout/GridAxisLayout.h"

#include <algorithm>
#include <climits>

int TGridExtentLookup::NextShown(int from, int end) const
{
    if (next_)
        return next_(context_, from, end);
    for (int i = from; i < end; ++i)
        if ((*this)(i) > 0)
            return i;
    return std::max(from, end);
}

int TGridExtentLookup::PrevShown(int from, int stop) const
{
    if (prev_)
        return prev_(context_, from, stop);
    for (int i = from; i >= stop; --i)
        if ((*this)(i) > 0)
            return i;
    return std::min(from, stop - 1);
}

namespace {

// Fixed cells can be many and wide: their sum saturates instead of wrapping.
int SumSteps(const TGridAxisLayout& a, int from, int end)
{
    int64_t sum = 0;
    for (int i = a.Extent.NextShown(from, end); i < end && sum < INT_MAX; i = a.Extent.NextShown(i + 1, end))
        sum += a.Step(i);
    return static_cast<int>(std::min<int64_t>(sum, INT_MAX));
}

} // namespace

TGridAxisLayout TGridAxisLayout::Compute(const TGridAxisParams& p)
{
    TGridAxisLayout a;
    a.Extent = p.Extent;
    a.EffectiveLineWidth = (p.FixedLine || p.DataLine) ? p.LineWidth : 0;
    const int lockedCount = p.FixedCount - p.FixedEditCount;
    const int locked = lockedCount > 0 ? SumSteps(a, 0, lockedCount) : 0;
    const int fixed = static_cast<int>(std::min<int64_t>(
        int64_t(locked) + SumSteps(a, std::max(lockedCount, 0), p.FixedCount), INT_MAX));
    a.FixedBoundary = fixed;
    a.LockedBoundary = p.FixedEditCount != 0 ? locked : fixed;
    a.FixedCellCount = p.FixedCount;
    a.FixedEditCellCount = p.FixedEditCount;
    a.FirstGridCell = std::max(p.TopLeft, lockedCount);
    a.GridCellCount = p.CellCount;
    a.GridExtent = p.ClientExtent;
    a.GridBoundary = a.FullVisBoundary = a.FixedBoundary;
    a.LastFullVisibleCell = a.FirstGridCell;
    // Hidden cells take no room: every one before the first cell that does
    // not fit counts as fully visible.
    const int end = a.GridCellCount;
    for (int i = a.Extent.NextShown(a.FirstGridCell, end);; i = a.Extent.NextShown(i + 1, end)) {
        if (i >= end) {
            a.LastFullVisibleCell = std::max(a.FirstGridCell, end - 1);
            break;
        }
        const int64_t boundary = int64_t(a.GridBoundary) + a.Step(i);
        if (boundary > int64_t(a.GridExtent) + a.EffectiveLineWidth) {
            a.LastFullVisibleCell = std::max(a.FirstGridCell, i - 1);
            a.GridBoundary = a.GridExtent;
            break;
        }
        a.GridBoundary = static_cast<int>(boundary);
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
    for (int i = Extent.NextShown(start, index); i < index; i = Extent.NextShown(i + 1, index)) {
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
    for (int i = Extent.NextShown(first, last); i < last; i = Extent.NextShown(i + 1, last)) {
        line += Step(i);
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
    for (int i = Extent.PrevShown(index, FixedCellCount); i >= FixedCellCount;
         i = Extent.PrevShown(i - 1, FixedCellCount)) {
        line -= Step(i);
        if (line < FixedBoundary) {
            if (result == index && Extent(index) <= 0)
                result = i;
            break;
        }
        result = i;
    }
    return result;
}
