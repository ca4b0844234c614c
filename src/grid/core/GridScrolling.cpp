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
    return static_cast<int>(static_cast<int64_t>(value - min) * TTavikCustomGrid::ScrollBarScale / (max - min));
}

} // namespace

void TTavikCustomGrid::SetTopLeft(int col, int row)
{
    col = std::max(col, fixedCols_);
    row = std::max(row, fixedRows_);
    if (col == topLeft_.X && row == topLeft_.Y)
        return;
    Update();
    const TGridCoord old = topLeft_;
    topLeft_ = {col, row};
    TopLeftMoved(old);
}

void TTavikCustomGrid::TopLeftMoved(TGridCoord old)
{
    UpdateScrollPos();
    const TGridLayout layout = ComputeLayout();
    const TGridAxisLayout& h = layout.Horz;
    const TGridAxisLayout& v = layout.Vert;
    const int dx = ScrollDistance(h, old.X, topLeft_.X, h.GridBoundary - h.FixedBoundary);
    const int dy = dx == -1 ? -1 : ScrollDistance(v, old.Y, topLeft_.Y, v.GridBoundary - v.FixedBoundary);
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
        if (HasOption(goRowSelect) && !selections_->IsEmpty())
            InvalidateGridRect(selections_->Last()->GetRange());
    }
    TopLeftChanged();
}

void TTavikCustomGrid::MakeCellVisible(TGridCoord coord)
{
    if (!HasWindow())
        return;
    if (coord.X < fixedCols_)
        coord.X = topLeft_.X;
    if (coord.Y < fixedRows_)
        coord.Y = topLeft_.Y;
    const TGridLayout layout = ComputeLayout();
    if (coord.X >= topLeft_.X && coord.X <= layout.Horz.LastFullVisibleCell && coord.Y >= topLeft_.Y &&
        coord.Y <= layout.Vert.LastFullVisibleCell)
        return;
    Update();
    const TGridCoord old = topLeft_;
    if (coord.X < topLeft_.X)
        topLeft_.X = coord.X;
    else if (coord.X > layout.Horz.LastFullVisibleCell)
        topLeft_.X = layout.Horz.MaxTopLeft(coord.X);
    if (coord.Y < topLeft_.Y)
        topLeft_.Y = coord.Y;
    else if (coord.Y > layout.Vert.LastFullVisibleCell)
        topLeft_.Y = layout.Vert.MaxTopLeft(coord.Y);
    if (!(old == topLeft_))
        TopLeftMoved(old);
}

bool TTavikCustomGrid::SetScrollBarRange(TGridScrollBarKind bar, int min, int max)
{
    scrollBarStates_.SetRange(bar, min, max);
    // The window's bar: it shows (and the client area shrinks) while it has a range.
    SetScrollRange(bar == gsbHorz ? SB_HORZ : SB_VERT, min, max);
    return true;
}

void TTavikCustomGrid::UpdateScrollPos()
{
    if (!HasWindow() || scrollBars_ == ssNone)
        return;
    auto write = [this](TGridScrollBarKind bar, int pos) {
        if (scrollBarStates_.SetPos(bar, pos))
            SetScrollPos(bar == gsbHorz ? SB_HORZ : SB_VERT, pos);
    };
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) {
        if (colCount_ == 1) {
            const int dataWidth = ClientWidth() - ComputeLayout().Horz.FixedBoundary;
            if (colOffset_ > 0 && ColWidths(0) - colOffset_ < dataWidth)
                colOffset_ = std::max(0, std::min(colOffset_, ColWidths(0) - dataWidth));
            write(gsbHorz, colOffset_);
        } else {
            const int max = MaxTopLeft({colCount_ - 1, 0}).X;
            write(gsbHorz, ScaledPos(topLeft_.X, fixedCols_, max));
        }
    }
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) {
        const int max = MaxTopLeft({0, rowCount_ - 1}).Y;
        write(gsbVert, ScaledPos(topLeft_.Y, fixedRows_, max));
    }
}

void TTavikCustomGrid::UpdateScrollRange()
{
    if (scrollBars_ == ssNone || !HasWindow() || !Visible())
        return;
    const TScrollStyle bars = scrollBars_;
    const TGridCoord oldTopLeft = topLeft_;
    bool flushed = false;
    // No position update may interfere while the ranges are being set.
    scrollBars_ = ssNone;
    const int clientWidth = ClientWidth();
    try {
        for (int pass = 0; pass < 2; ++pass) {
            if (pass == 1 && (ClientWidth() == clientWidth || !(bars == ssHorizontal || bars == ssBoth)))
                break;
            if (bars == ssHorizontal || bars == ssBoth) {
                if (colCount_ == 1) {
                    SetScrollBarRange(gsbHorz, 0, std::max(0, ColWidths(0) - ClientWidth()));
                } else {
                    const int max = MaxTopLeft({colCount_ - 1, 0}).X;
                    SetScrollBarRange(gsbHorz, 0, fixedCols_ < max ? ScrollBarScale : 0);
                    if (max < topLeft_.X) {
                        if (!flushed) {
                            Update();
                            flushed = true;
                        }
                        topLeft_.X = std::max(max, fixedCols_);
                    }
                }
            }
            if (pass == 1)
                break;
            if (bars == ssVertical || bars == ssBoth) {
                const int max = MaxTopLeft({0, rowCount_ - 1}).Y;
                SetScrollBarRange(gsbVert, 0, fixedRows_ < max ? ScrollBarScale : 0);
                if (max < topLeft_.Y) {
                    if (!flushed)
                        Update();
                    topLeft_.Y = std::max(max, fixedRows_);
                }
            }
        }
    } catch (...) {
        scrollBars_ = bars;
        throw;
    }
    scrollBars_ = bars;
    UpdateScrollPos();
    if (!(topLeft_ == oldTopLeft))
        TopLeftMoved(oldTopLeft);
}
