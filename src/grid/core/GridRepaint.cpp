#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

// The parts of a not covered by b, as up to four disjoint ranges.
void Subtract(const TGridRect& a, const TGridRect& b, std::vector<TGridRect>& out)
{
    const TGridRect i{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                      std::min(a.Bottom, b.Bottom)};
    if (i.Left > i.Right || i.Top > i.Bottom) {
        out.push_back(a);
        return;
    }
    if (a.Top < i.Top)
        out.push_back({a.Left, a.Top, a.Right, i.Top - 1});
    if (i.Bottom < a.Bottom)
        out.push_back({a.Left, i.Bottom + 1, a.Right, a.Bottom});
    if (a.Left < i.Left)
        out.push_back({a.Left, i.Top, i.Left - 1, i.Bottom});
    if (i.Right < a.Right)
        out.push_back({i.Right + 1, i.Top, a.Right, i.Bottom});
}

} // namespace

void TTavikCustomGrid::InvalidateGridRect(const TGridRect& rect)
{
    TRect r = BoxBounds(rect, true);
    if (r.IsEmpty())
        return;
    if (HasOption(goCellMerge))
        InflateRect(r, 4, 4);
    InvalidateRect(r);
}

void TTavikCustomGrid::RepaintCell(int col, int row)
{
    if (col > d_->colCount - 1 || row > d_->rowCount - 1 || d_->updateLock > 0)
        return;
    InvalidateGridRect(MergedArea(col, row));
}

void TTavikCustomGrid::RepaintRow(int row)
{
    if (d_->updateLock > 0 || row < 0 || row > d_->rowCount - 1)
        return;
    const int last = std::min(d_->topLeft.X + VisibleColCount() + 1, d_->colCount - 1);
    InvalidateGridRect({d_->topLeft.X, row, last, row});
    if (d_->fixedCols > 0)
        InvalidateGridRect({0, row, d_->fixedCols - 1, row});
}

void TTavikCustomGrid::RepaintHeads(const TGridRect& rect)
{
    const int c0 = EditableCol();
    const int r0 = EditableRow();
    if (r0 > 0)
        InvalidateGridRect({rect.Left, 0, rect.Right, r0 - 1});
    if (c0 > 0)
        InvalidateGridRect({0, rect.Top, c0 - 1, rect.Bottom});
}

void TTavikCustomGrid::RepaintRangeChange(const TGridRect& oldRect, const TGridRect& newRect, bool changeOnly,
                                          bool withHeads)
{
    std::vector<TGridRect> parts;
    if (changeOnly) {
        if (oldRect == newRect)
            return;
        Subtract(oldRect, newRect, parts);
        Subtract(newRect, oldRect, parts);
    } else {
        parts.push_back(oldRect);
        Subtract(newRect, oldRect, parts);
    }
    for (const TGridRect& p : parts)
        InvalidateGridRect(p);
    if (withHeads) {
        RepaintHeads(oldRect);
        if (newRect != oldRect)
            RepaintHeads(newRect);
    }
}

