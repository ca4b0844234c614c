// The grid's painting seams: the window's paint request handed to the painter,
// and the core's cell steps, which descendants refine.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"

TGridPainter& TTavikCustomGrid::Painter() const
{
    return *d_->painter;
}

void TTavikCustomGrid::Paint(TCanvas& canvas)
{
    d_->painter->PaintGrid(canvas);
}

bool TTavikCustomGrid::IsActiveControl() const
{
    if (const TCustomForm* form = ParentForm())
        return form->ActiveControl() == this;
    return Focused();
}

void TTavikCustomGrid::DrawCellBackground(int, int, TGridDrawState state, const TRect& rect)
{
    d_->painter->DrawCellBackground(state, rect);
}

void TTavikCustomGrid::DrawCellDecoration(int col, int row, TGridDrawState state, const TRect& rect)
{
    if (HasOption(goCellMerge))
        d_->painter->DrawMergeLines(col, row, state, rect);
}

void TTavikCustomGrid::DrawMergedCells(const TGridPaintPass& pass)
{
    d_->painter->DrawMergedCells(pass);
}
