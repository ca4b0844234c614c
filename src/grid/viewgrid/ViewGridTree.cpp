// Tree rows of the view grid: levels, parents, siblings and expanded state
// through the query events, rows hidden under collapsed ancestors, selections
// that take descendants along, and the drawing of the tree column.

#include <algorithm>
#include <array>

#include "grid/core/paint/GridPainter.h"
#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/canvas/Canvas.h"

uint8_t TTavikCustomViewGrid::RowLevel(int row)
{
    if (!isTree_ || row < FixedRows() || row >= RowCount())
        return 0;
    uint8_t level = 0;
    OnQueryRowLevel(this, row, level);
    return level;
}

bool TTavikCustomViewGrid::RowExpanded(int row)
{
    bool expanded = row >= 0 && row < static_cast<int>(rowExpanded_.size()) && rowExpanded_[row] != 0;
    OnQueryRowExpand(this, row, expanded);
    return expanded;
}

void TTavikCustomViewGrid::SetRowExpanded(int row, bool expanded)
{
    OnUpdateRowExpand(this, row, expanded);
    if (row < 0 || row >= static_cast<int>(rowExpanded_.size()) || (rowExpanded_[row] != 0) == expanded)
        return;
    rowExpanded_[row] = expanded ? 1 : 0;
    treeCacheValid_ = false;
    // Under a lock EndUpdate repaints the whole grid once; opening every row of
    // a large tree would otherwise merge one whole-window update per row.
    if (UpdateLock() > 0) {
        NoteExtentsChangedInLock();
        return;
    }
    UpdateScrollRange();
    Invalidate();
}

int TTavikCustomViewGrid::ParentRow(int row)
{
    if (row < 0 || !isTree_)
        return -1;
    if (OnQueryParentRow) {
        int parent = -1;
        OnQueryParentRow(this, row, parent);
        return parent;
    }
    return TTavikCustomDrawGrid::ParentRow(row);
}

bool TTavikCustomViewGrid::RowHasNextSibling(int row)
{
    if (row < 0 || !isTree_)
        return false;
    bool has = false;
    bool handled = false;
    OnQueryNextSibling(this, row, has, handled);
    return handled ? has : TTavikCustomDrawGrid::RowHasNextSibling(row);
}

void TTavikCustomViewGrid::BuildTreeCache() const
{
    auto* self = const_cast<TTavikCustomViewGrid*>(this);
    const int rows = RowCount();
    hiddenRows_.assign(rows, 0);
    std::vector<int> parents(rows, -1);
    if (self->OnQueryParentRow) {
        for (int r = 0; r < rows; ++r)
            parents[r] = self->ParentRow(r);
    } else {
        // The core's search in one pass: the parent is the nearest row above
        // one level up, unless a top-level row lies between.
        std::array<int, 256> last;
        last.fill(-1);
        int lastTop = -1;
        for (int r = FixedRows(); r < rows; ++r) {
            const int level = self->RowLevel(r);
            if (level > 0 && last[level - 1] >= 0 && last[level - 1] >= lastTop)
                parents[r] = last[level - 1];
            last[level] = r;
            if (level == 0)
                lastTop = r;
        }
    }
    for (int r = 0; r < rows; ++r) {
        const int p = parents[r];
        // A parent lies above its row, so its own state is known already; a
        // parent answered below the row is followed the long way.
        if (p < 0 || p >= rows)
            continue;
        if (p < r) {
            hiddenRows_[r] = hiddenRows_[p] || !self->RowExpanded(p);
            continue;
        }
        int guard = rows;
        for (int a = p; a >= 0 && a < rows && guard-- > 0; a = self->ParentRow(a))
            if (!self->RowExpanded(a)) {
                hiddenRows_[r] = 1;
                break;
            }
    }
    treeCacheValid_ = true;
}

int TTavikCustomViewGrid::GetRowHeight(int row) const
{
    const int height = TTavikCustomDrawGrid::GetRowHeight(row);
    if (!isTree_ || row < 0 || row >= RowCount())
        return height;
    if (!treeCacheValid_ || static_cast<int>(hiddenRows_.size()) != RowCount())
        BuildTreeCache();
    return hiddenRows_[row] ? 0 : height;
}

// Collapsed tree rows hide rows the extents show: tree grids look row by row.
int TTavikCustomViewGrid::NextShownRow(int from, int end) const
{
    if (!isTree_)
        return TTavikCustomDrawGrid::NextShownRow(from, end);
    for (int r = std::max(from, 0); r < end; ++r)
        if (GetRowHeight(r) > 0)
            return r;
    return std::max(from, end);
}

int TTavikCustomViewGrid::PrevShownRow(int from, int stop) const
{
    if (!isTree_)
        return TTavikCustomDrawGrid::PrevShownRow(from, stop);
    for (int r = from; r >= std::max(stop, 0); --r)
        if (GetRowHeight(r) > 0)
            return r;
    return std::min(from, stop - 1);
}

int TTavikCustomViewGrid::DescendantCount(int row)
{
    const int level = RowLevel(row);
    int n = 0;
    for (int r = row + 1; r < RowCount() && RowLevel(r) > level; ++r)
        ++n;
    return n;
}

void TTavikCustomViewGrid::NormalizeSelRect(const TGridRect& in, TGridRect& out)
{
    TTavikCustomDrawGrid::NormalizeSelRect(in, out);
    out = in;
    if (!isTree_)
        return;
    int bottom = out.Bottom;
    for (int r = in.Top; r <= in.Bottom && r < RowCount(); ++r)
        bottom = std::max(bottom, r + DescendantCount(r));
    out.Bottom = bottom;
}

void TTavikCustomViewGrid::SelectionNotify(TGridSelection* selection, TSelectoinNotification action)
{
    TTavikCustomDrawGrid::SelectionNotify(selection, action);
    if (action == snAdded && isTree_) {
        if (auto* rows = dynamic_cast<TRowSelection*>(selection)) {
            int last = rows->LastRow();
            for (int r = rows->FirstRow(); r <= rows->LastRow() && r < RowCount(); ++r)
                last = std::max(last, r + DescendantCount(r));
            if (last != rows->LastRow())
                rows->SetRows(rows->FirstRow(), last);
        }
    }
    OnSelectionChanged(this, selection, action);
}

void TTavikCustomViewGrid::PaintTreeCell(int col, int row, const TRect& content, const QString& text,
                                         TCellDataType type)
{
    TCanvas& canvas = Painter().Canvas();
    const TRect R = content;
    canvas.Brush().SetStyle(bsClear);
    const int level = RowLevel(row);
    const int m = (R.Top + R.Bottom) / 2;
    const int x = R.Left + 10 * level + 5;

    TRect T = R;
    T.Top += 2;
    T.Left = x + 10;
    PaintImage(col, row, T);
    T.Top = m - canvas.TextHeight(QStringLiteral("Tg")) / 2;
    if (type == cdtBoolean) {
        TRect box = R;
        box.Left = R.Left + 10 * level + 10;
        DrawCheckCell(canvas, CheckBoxRect(box), CheckCellState(text, HasOption(goAllowCheckBoxGrayed)));
        canvas.Brush().SetStyle(bsClear);
    } else if (T.Left < T.Right) {
        PaintText(col, row, text, T, haLeftJustify);
    }

    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetWidth(1);
    pen.SetColor(GridLineColor() == Color() ? clSilver : GridLineColor());
    const int below = R.Bottom + GridLineWidth();
    auto line = [&](int x0, int y0, int x1, int y1) {
        canvas.MoveTo(x0, y0);
        canvas.LineTo(x1, y1);
    };
    if (level > 0) {
        line(x - 10, R.Top, x - 10, m);
        canvas.LineTo(x - 5, m);
        if (RowHasNextSibling(row))
            line(x - 10, m, x - 10, below);
    }
    if (RowHasChildren(row)) {
        canvas.Brush().SetStyle(bsClear);
        canvas.Rectangle(x - 5, m - 5, x + 6, m + 6);
        line(x - 3, m, x + 4, m);
        if (RowExpanded(row))
            line(x, m + 5, x, below);
        else
            line(x, m - 3, x, m + 4);
    } else if (level > 0) {
        line(x - 5, m, x + 6, m);
    }
    int guard = RowCount();
    for (int a = ParentRow(row); a >= 0 && guard-- > 0; a = ParentRow(a)) {
        const int k = RowLevel(a);
        if (k <= 0)
            break;
        if (RowHasNextSibling(a))
            line(R.Left + 10 * k - 5, R.Top, R.Left + 10 * k - 5, R.Bottom);
    }
}
