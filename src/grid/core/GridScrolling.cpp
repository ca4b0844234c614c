#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

// Pixels between two first cells, or -1 once they exceed limit (then the
// view is repainted instead, so the walk need not go on).
int ScrollDistance(const TGridAxisLayout& axis, int from, int to, int limit)
{
    const int lo = std::min(from, to);
    const int hi = std::max(from, to);
    int sum = 0;
    for (int i = lo; i < hi; ++i) {
        sum += axis.Step(i);
        if (sum > limit)
            return -1;
    }
    return from < to ? -sum : sum;
}

int ScaledPos(int value, int min, int max)
{
    if (max <= min)
        return 0;
    return static_cast<int>(static_cast<int64_t>(value - min) * GridScrollBarScale / (max - min));
}

} // namespace

void TTavikCustomGrid::SetTopLeft(int col, int row)
{
    col = std::max(col, d_->fixedCols);
    row = std::max(row, d_->fixedRows);
    if (col == d_->topLeft.X && row == d_->topLeft.Y)
        return;
    Update();
    const TGridCoord old = d_->topLeft;
    d_->topLeft = {col, row};
    TopLeftMoved(old);
}

void TTavikCustomGrid::TopLeftMoved(TGridCoord old)
{
    UpdateScrollPos();
    const TGridLayout layout = ComputeLayout();
    const TGridAxisLayout& h = layout.Horz;
    const TGridAxisLayout& v = layout.Vert;
    const int dx = ScrollDistance(h, old.X, d_->topLeft.X, h.GridBoundary - h.FixedBoundary);
    const int dy = dx == -1 ? -1 : ScrollDistance(v, old.Y, d_->topLeft.Y, v.GridBoundary - v.FixedBoundary);
    if (dx == -1 || dy == -1) {
        Invalidate();
    } else {
        const int w = Width();
        const int hgt = Height();
        if (dx != 0 && dy == 0) {
            const TRect r{h.FixedBoundary, 0, w, hgt};
            ScrollSurface(dx, 0, r, r);
        } else if (dy != 0 && dx == 0) {
            const TRect r{0, v.FixedBoundary, w, hgt};
            ScrollSurface(0, dy, r, r);
        } else if (dx != 0 && dy != 0) {
            const TRect heads{h.FixedBoundary, 0, w, v.FixedBoundary};
            ScrollSurface(dx, 0, heads, heads);
            const TRect side{0, v.FixedBoundary, h.FixedBoundary, hgt};
            ScrollSurface(0, dy, side, side);
            const TRect data{h.FixedBoundary, v.FixedBoundary, w, hgt};
            ScrollSurface(dx, dy, data, data);
        }
        if (HasOption(goRowSelect) && !d_->selections->IsEmpty())
            InvalidateGridRect(d_->selections->Last()->GetRange());
    }
    TopLeftChanged();
}

void TTavikCustomGrid::MakeCellVisible(TGridCoord coord)
{
    if (!HasWidget())
        return;
    if (coord.X < d_->fixedCols)
        coord.X = d_->topLeft.X;
    if (coord.Y < d_->fixedRows)
        coord.Y = d_->topLeft.Y;
    const TGridLayout layout = ComputeLayout();
    if (coord.X >= d_->topLeft.X && coord.X <= layout.Horz.LastFullVisibleCell && coord.Y >= d_->topLeft.Y &&
        coord.Y <= layout.Vert.LastFullVisibleCell)
        return;
    Update();
    const TGridCoord old = d_->topLeft;
    if (coord.X < d_->topLeft.X)
        d_->topLeft.X = coord.X;
    else if (coord.X > layout.Horz.LastFullVisibleCell)
        d_->topLeft.X = layout.Horz.MaxTopLeft(coord.X);
    if (coord.Y < d_->topLeft.Y)
        d_->topLeft.Y = coord.Y;
    else if (coord.Y > layout.Vert.LastFullVisibleCell)
        d_->topLeft.Y = layout.Vert.MaxTopLeft(coord.Y);
    if (!(old == d_->topLeft))
        TopLeftMoved(old);
}

bool TTavikCustomGrid::SetScrollBarRange(TGridScrollBarKind bar, int min, int max)
{
    d_->scrollBarStates.SetRange(bar, min, max);
    // The window's bar: it shows (and the client area shrinks) while it has a range.
    SetScrollRange(bar == gsbHorz ? SB_HORZ : SB_VERT, min, max);
    return true;
}

void TTavikCustomGrid::UpdateScrollPos()
{
    if (!HasWidget() || d_->scrollBars == ssNone)
        return;
    auto write = [this](TGridScrollBarKind bar, int pos) {
        if (d_->scrollBarStates.SetPos(bar, pos))
            SetScrollPos(bar == gsbHorz ? SB_HORZ : SB_VERT, pos);
    };
    if (d_->scrollBars == ssHorizontal || d_->scrollBars == ssBoth) {
        if (d_->colCount == 1) {
            const int dataWidth = ClientWidth() - ComputeLayout().Horz.FixedBoundary;
            if (d_->colOffset > 0 && ColWidths(0) - d_->colOffset < dataWidth)
                d_->colOffset = std::max(0, std::min(d_->colOffset, ColWidths(0) - dataWidth));
            write(gsbHorz, d_->colOffset);
        } else {
            const int max = MaxTopLeft({d_->colCount - 1, 0}).X;
            write(gsbHorz, ScaledPos(d_->topLeft.X, d_->fixedCols, max));
        }
    }
    if (d_->scrollBars == ssVertical || d_->scrollBars == ssBoth) {
        const int max = MaxTopLeft({0, d_->rowCount - 1}).Y;
        write(gsbVert, ScaledPos(d_->topLeft.Y, d_->fixedRows, max));
    }
}

void TTavikCustomGrid::UpdateScrollRange()
{
    if (d_->scrollBars == ssNone || !HasWidget() || !Visible())
        return;
    const TScrollStyle bars = d_->scrollBars;
    const TGridCoord oldTopLeft = d_->topLeft;
    bool flushed = false;
    // No position update may interfere while the ranges are being set.
    d_->scrollBars = ssNone;
    const int clientWidth = ClientWidth();
    try {
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1 && (ClientWidth() == clientWidth || !(bars == ssHorizontal || bars == ssBoth)))
                break;
            if (bars == ssHorizontal || bars == ssBoth) {
                if (d_->colCount == 1) {
                    SetScrollBarRange(gsbHorz, 0, std::max(0, ColWidths(0) - ClientWidth()));
                } else {
                    const int max = MaxTopLeft({d_->colCount - 1, 0}).X;
                    SetScrollBarRange(gsbHorz, 0, d_->fixedCols < max ? GridScrollBarScale : 0);
                    if (max < d_->topLeft.X) {
                        if (!flushed) {
                            Update();
                            flushed = true;
                        }
                        d_->topLeft.X = std::max(max, d_->fixedCols);
                    }
                }
            }
            if (pass == 1)
                break;
            if (bars == ssVertical || bars == ssBoth) {
                const int max = MaxTopLeft({0, d_->rowCount - 1}).Y;
                SetScrollBarRange(gsbVert, 0, d_->fixedRows < max ? GridScrollBarScale : 0);
                if (max < d_->topLeft.Y) {
                    if (!flushed)
                        Update();
                    d_->topLeft.Y = std::max(max, d_->fixedRows);
                }
            }
        }
    } catch (...) {
        d_->scrollBars = bars;
        throw;
    }
    d_->scrollBars = bars;
    UpdateScrollPos();
    if (!(d_->topLeft == oldTopLeft))
        TopLeftMoved(oldTopLeft);
}
