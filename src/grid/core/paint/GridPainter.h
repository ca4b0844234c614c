#pragma once

// The grid's paint pass: the rectangular passes over the heads, the fixed-edit
// band and the data area, the merged areas drawn once each, the area beyond the
// last cell, the selection decorations and the frame of empty heads. The cell
// steps belong to the grid (IGridPaintHost); the painter decides which cells
// draw, with which state and rectangle, on the canvas of the running paint.

#include <vector>

#include "grid/core/paint/GridPaintHost.h"
#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"

class TCanvas;
class TTavikCustomGrid;
struct TGridCoreState;

class TGridPainter {
public:
    TGridPainter(TTavikCustomGrid& grid, IGridPaintHost& host, TGridCoreState& state);

    // Draws the whole grid in passes, then what lies beyond the last cell and
    // the selection decorations. Draws nothing while an update lock is held.
    void PaintGrid(TCanvas& canvas);
    // The canvas of the running paint; a measuring canvas outside painting.
    TCanvas& Canvas() const;
    // The cells of one pass, each through the grid's three cell steps.
    void DrawPass(const TGridPaintPass& pass);
    // Hands every merged area with a visible part in the pass to the grid's DrawMergedCell.
    void DrawMergedCells(const TGridPaintPass& pass);

    // The core's cell steps: the background in the cell's colours, and the
    // grid lines of one cell in merge mode.
    void DrawCellBackground(TGridDrawState state, const TRect& rect);
    void DrawMergeLines(int col, int row, TGridDrawState state, const TRect& rect);

    // The selections' ranges read when the running paint began (null outside
    // painting): widening to merged areas on every cell would dominate a repaint.
    const std::vector<TGridRect>* SelectionRanges() const;

    // A top line with no fixed rows and a left line with no fixed columns.
    bool FrameEmptyHeads() const { return frameEmptyHeads_; }
    void SetFrameEmptyHeads(bool value);
    // Whether the background step fills the cell.
    bool FillCellBackground() const { return fillCellBackground_; }
    void SetFillCellBackground(bool value) { fillCellBackground_ = value; }

private:
    TTavikCustomGrid& grid_;
    IGridPaintHost& host_;
    TGridCoreState& d_;
    TCanvas* canvas_ = nullptr;
    std::vector<TGridRect> selRanges_;
    bool selCached_ = false;
    bool frameEmptyHeads_ = false;
    bool fillCellBackground_ = true;
};
