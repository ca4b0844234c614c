#pragma once

// What the grid's painter asks of its grid beyond the grid's public interface:
// the per-cell steps of a paint pass, which the descendants refine (the draw
// grid adds OnDrawCell, the view grid draws the whole content).

#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"
#include "platform/canvas/Color.h"

// One rectangular pass: cells from Start, drawn from pixel (StartX, StartY)
// while a cell begins before (StopX, StopY).
struct TGridPaintPass {
    TGridCoord Start;
    int StartX = 0;
    int StartY = 0;
    int StopX = 0;
    int StopY = 0;
    TColor Color = clWindow;
    TGridDrawState State = 0;
};

class IGridPaintHost {
public:
    virtual ~IGridPaintHost() = default;

    // The three steps run, in this order, for every visible cell of a pass.
    virtual void DrawCellBackground(int col, int row, TGridDrawState state, const TRect& rect) = 0;
    virtual void DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect) = 0;
    virtual void DrawCell(int col, int row, TGridDrawState state, const TRect& rect) {}
    // After a pass in merge mode: DrawMergedCell once for every merged area
    // with a visible part in the pass.
    virtual void DrawMergedCells(const TGridPaintPass& pass) = 0;
    virtual void DrawMergedCell(int col, int row, const TRect& rect, TGridDrawState state) {}
};
