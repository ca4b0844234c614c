// Sizing of columns and rows by dragging their borders, and the dotted
// exclusive-or line that follows the mouse meanwhile.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/layout/GridSizingZone.h"
#include "platform/canvas/Canvas.h"

void TTavikCustomGrid::CalcSizingState(int x, int y, const TGridLayout& layout, int& offset, int& pos, int& index,
                                       TGridMouseState& state)
{
    state = gmsNone;
    index = -1;
    if (d_->selections->IsEmpty())
        return;
    const TPoint point{x, y};
    if (HasOption(goRangeFilling) && d_->selections->HitsFillHandle(point)) {
        state = gmsRangeFilling;
        return;
    }
    if (HasOption(goRangeMoving) && d_->selections->HitsBorder(point)) {
        state = gmsRangeMoving;
        return;
    }
    const bool colSizing = HasOption(goColSizing);
    const bool rowSizing = HasOption(goRowSizing);
    auto acceptCol = [&](int col) { return QueryColSizing(col, point); };
    auto acceptRow = [&](int row) {
        if (HasOption(goRowSplit) && RowStyle(row) == rsSplit)
            return false;
        return QueryRowSizing(row, point);
    };
    TGridSizingZone::THit hit;
    auto take = [&](TGridMouseState s) {
        state = s;
        index = hit.Index;
        pos = hit.Pos;
        offset = hit.Ofs;
    };
    if (HasOption(goAdjustLiberty)) {
        if (colSizing && TGridSizingZone::AxisHit(layout.Horz, x, acceptCol, hit))
            take(gmsColResizing);
        if (rowSizing && TGridSizingZone::AxisHit(layout.Vert, y, acceptRow, hit))
            take(gmsRowResizing);
        return;
    }
    if (!colSizing && !rowSizing)
        return;
    if (colSizing && x > layout.Horz.LockedBoundary) {
        // Columns are sized from the locked head rows only.
        if (y < layout.Vert.LockedBoundary && TGridSizingZone::AxisHit(layout.Horz, x, acceptCol, hit))
            take(gmsColResizing);
        return;
    }
    // Rows are sized from the locked head columns only.
    if (rowSizing && y > layout.Vert.LockedBoundary && x < layout.Horz.LockedBoundary &&
        TGridSizingZone::AxisHit(layout.Vert, y, acceptRow, hit))
        take(gmsRowResizing);
}

void TTavikCustomGrid::XorLine(TPoint from, TPoint to, int width, TPenStyle style, TColor color)
{
    std::unique_ptr<TCanvas> canvas = SurfaceCanvas();
    if (!canvas)
        return;
    canvas->Pen().SetColor(color);
    canvas->Pen().SetWidth(width);
    canvas->Pen().SetStyle(style);
    canvas->Pen().SetMode(pmXor);
    canvas->Pen().SetEndCap(pecFlat);
    canvas->Brush().SetStyle(bsClear);
    canvas->MoveTo(from.X, from.Y);
    canvas->LineTo(to.X, to.Y);
}

void TTavikCustomGrid::DrawSizingLine()
{
    const bool rows = d_->mouseState == gmsRowResizing;
    (rows ? RowSizingLine : ColSizingLine)(this, d_->tracker.SizingPos);
    if (d_->tracker.SizingLineAt || d_->tracker.SizingPos < 0 || d_->tracker.SizingPos > (rows ? Height() : Width()))
        return;
    // What is still to be painted would wipe part of the line.
    Update();
    const TPoint from = rows ? TPoint{0, d_->tracker.SizingPos} : TPoint{d_->tracker.SizingPos, 0};
    const TPoint to = rows ? TPoint{ClientWidth(), d_->tracker.SizingPos} : TPoint{d_->tracker.SizingPos, ClientHeight()};
    XorLine(from, to, 1, psDot, clWhite);
    d_->tracker.SizingLineAt = d_->tracker.SizingPos;
}

void TTavikCustomGrid::EraseSizingLine()
{
    if (!d_->tracker.SizingLineAt)
        return;
    const bool rows = d_->mouseState == gmsRowResizing;
    const int at = *d_->tracker.SizingLineAt;
    d_->tracker.SizingLineAt.reset();
    (rows ? RowSizingLine : ColSizingLine)(this, at);
    const TPoint from = rows ? TPoint{0, at} : TPoint{at, 0};
    const TPoint to = rows ? TPoint{ClientWidth(), at} : TPoint{at, ClientHeight()};
    XorLine(from, to, 1, psDot, clWhite);
}

void TTavikCustomGrid::EndSizing()
{
    EraseSizingLine();
    const bool rows = d_->mouseState == gmsRowResizing;
    const int index = d_->tracker.SizingIndex;
    const int count = rows ? d_->rowCount : d_->colCount;
    if (index < 0 || index >= count)
        return;
    const TGridLayout layout = ComputeLayout();
    const TGridAxisLayout& axis = rows ? layout.Vert : layout.Horz;
    // The cell's start: fixed-edit cells count from the locked heads, the
    // others from the fixed band over the cells in view; hidden cells add nothing.
    int start;
    if (index < axis.FixedCellCount) {
        start = axis.LockedBoundary;
        for (int i = axis.FixedCellCount - axis.FixedEditCellCount; i < index; ++i)
            start += axis.Step(i);
    } else {
        start = axis.FixedBoundary;
        for (int i = axis.FirstGridCell; i < index; ++i)
            start += axis.Step(i);
    }
    const int newSize = d_->tracker.SizingPos - start;
    const int oldSize = rows ? GetRowHeight(index) : ColWidths(index);
    bool accept = true;
    (rows ? RowSizeQuery : ColSizeQuery)(this, index, oldSize, newSize, accept);
    // A line of 0 or 1 pixel is never made by dragging.
    if (newSize > 1 && accept) {
        if (rows)
            SetRowHeight(index, newSize);
        else
            SetColWidths(index, newSize);
    }
    const int now = rows ? GetRowHeight(index) : ColWidths(index);
    if (now == newSize || newSize < 0)
        Invalidate();
}
