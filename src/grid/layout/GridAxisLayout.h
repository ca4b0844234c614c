#pragma once

// The geometry of one grid axis (columns or rows), computed from the extents
// for the present scroll position and client size. Every walk starts at the
// first cell in view (or walks back from a given cell), so the cost depends on
// what is visible, not on the number of cells: runs of hidden cells are
// passed over in one step where the lookup knows how.

#include <cstdint>

#include "grid/layout/GridTypes.h"

// Reads the extent (width or height) of a cell; extents <= 0 count as hidden.
class TGridExtentLookup {
public:
    using Fn = int (*)(const void* context, int index);
    // Shown-cell searches: Next gives the first index in from..end-1 whose
    // extent is > 0, else end; Prev the last index in stop..from, else stop - 1.
    using SeekFn = int (*)(const void* context, int from, int bound);
    TGridExtentLookup() = default;
    TGridExtentLookup(Fn fn, const void* context, SeekFn next = nullptr, SeekFn prev = nullptr)
        : fn_(fn), next_(next), prev_(prev), context_(context)
    {
    }
    int operator()(int index) const { return fn_ ? fn_(context_, index) : 0; }
    int NextShown(int from, int end) const;
    int PrevShown(int from, int stop) const;

private:
    Fn fn_ = nullptr;
    SeekFn next_ = nullptr;
    SeekFn prev_ = nullptr;
    const void* context_ = nullptr;
};

struct TGridAxisParams {
    int LineWidth = 1;         // GridLineWidth
    bool FixedLine = true;     // goFixedVertLine / goFixedHorzLine
    bool DataLine = true;      // goVertLine / goHorzLine
    int FixedCount = 1;        // FixedCols / FixedRows
    int FixedEditCount = 0;    // FixedEditCols / FixedEditRows
    int TopLeft = 1;           // first scrolling cell in view
    int CellCount = 5;         // ColCount / RowCount
    int ClientExtent = 0;      // client width / height
    TGridExtentLookup Extent;
};

struct TGridAxisLayout {
    int EffectiveLineWidth = 0;
    int FixedBoundary = 0;
    int LockedBoundary = 0;
    int GridBoundary = 0;
    int GridExtent = 0;
    int LastFullVisibleCell = 0;
    int FullVisBoundary = 0;
    int FixedCellCount = 0;
    int FixedEditCellCount = 0;
    int FirstGridCell = 0;
    int GridCellCount = 0;
    TGridExtentLookup Extent;

    static TGridAxisLayout Compute(const TGridAxisParams& p);

    // Extent with hidden (<= 0) cells as 0.
    int VisibleExtent(int index) const
    {
        const int e = Extent(index);
        return e > 0 ? e : 0;
    }
    // Pixels a cell takes with its line: 0 for a hidden cell.
    int Step(int index) const
    {
        const int e = Extent(index);
        return e > 0 ? e + EffectiveLineWidth : 0;
    }
    // Pixel where the cell starts; 0 when it is not in view (cell 0 also starts at 0).
    int LinePos(int index) const;
    // Near and far pixel of the cells start..stop; false when none is in view.
    bool Span(int start, int stop, bool withLines, int& nearEdge, int& farEdge) const;
    // The cell under a pixel, -1 when none.
    int CellAt(int pos) const;
    // Smallest first scrolling cell that still shows index at the far edge.
    int MaxTopLeft(int index) const;
};

struct TGridLayout {
    TGridAxisLayout Horz;
    TGridAxisLayout Vert;
    const TGridAxisLayout& Axis(TGridAxis axis) const { return axis == gaRows ? Vert : Horz; }
};
