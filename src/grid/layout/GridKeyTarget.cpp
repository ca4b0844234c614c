#include "grid/layout/GridKeyTarget.h"

#include <algorithm>

namespace {

TGridKeyMove CtrlKeyTarget(const TGridKeyContext& g, Word key)
{
    const int pageWidth = std::max(1, g.LastFullVisible.X - g.TopLeft.X);
    TGridKeyMove m{g.Current, g.TopLeft};
    switch (key) {
    case VK_PRIOR: m.Cell.Y = g.TopLeft.Y; break;
    case VK_NEXT: m.Cell.Y = g.LastFullVisible.Y; break;
    case VK_END: m.Cell = {g.ColCount - 1, g.RowCount - 1}; break;
    case VK_HOME: m = {{g.FirstCol, g.FirstRow}, {g.FixedCols, g.FixedRows}}; break;
    case VK_LEFT:
        if (!g.RowSelect) {
            m.Cell.X -= pageWidth;
            m.TopLeft.X -= pageWidth;
        }
        break;
    case VK_RIGHT:
        if (!g.RowSelect) {
            m.Cell.X += pageWidth;
            m.TopLeft.X += pageWidth;
        }
        break;
    case VK_UP: --m.TopLeft.Y; break;
    case VK_DOWN: ++m.TopLeft.Y; break;
    default: break;
    }
    return m;
}

// One step along the row (dx) or column (dy), over the rest of a merged area.
TGridCoord StepOverMerge(const TGridKeyContext& g, TGridCoord c, int id, int dx, int dy)
{
    do {
        c.X += dx;
        c.Y += dy;
    } while (id != 0 && c.X >= (dx < 0 ? g.FixedCols : 0) && c.X <= g.ColCount - 1 &&
             c.Y >= (dy < 0 ? g.FixedRows : 0) && c.Y <= g.RowCount - 1 && g.MergeId(c.X, c.Y) == id);
    return c;
}

bool TabLeavesCell(const TGridKeyContext& g, bool back)
{
    return g.EditPartCount <= 0 || (back ? g.EditPart == 0 : g.EditPart == g.EditPartCount - 1);
}

TGridKeyMove PlainKeyTarget(const TGridKeyContext& g, Word key, TShiftState shift)
{
    const int pageHeight = std::max(1, g.LastFullVisible.Y - g.TopLeft.Y);
    const int id = g.MergeId ? g.MergeId(g.Current.X, g.Current.Y) : 0;
    TGridKeyMove m{g.Current, g.TopLeft};
    TGridCoord& c = m.Cell;
    switch (key) {
    case VK_TAB:
        if (!(shift & ssAlt) && TabLeavesCell(g, shift & ssShift)) {
            const TGridTabWalk::TArea area{g.FirstCol, g.FirstRow, g.ColCount, g.RowCount};
            c = TGridTabWalk::Walk(area, c, g.Current, shift & ssShift, g.TabStop,
                                   id != 0 ? g.MergeId : TGridTabWalk::TMergeIdOf());
        }
        break;
    case VK_PRIOR:
        c.Y -= pageHeight;
        m.TopLeft.Y -= pageHeight;
        break;
    case VK_NEXT:
        c.Y += pageHeight;
        m.TopLeft.Y += pageHeight;
        break;
    case VK_END:
        if (g.RowSelect)
            c.Y = g.RowCount - 1;
        else
            c.X = g.ColCount - 1;
        break;
    case VK_HOME:
        if (g.RowSelect)
            c.Y = g.FixedRows;
        else
            c.X = g.FirstCol;
        break;
    // With whole rows selected, left and right walk the rows.
    case VK_LEFT: c = g.RowSelect ? StepOverMerge(g, c, id, 0, -1) : StepOverMerge(g, c, id, -1, 0); break;
    case VK_RIGHT: c = g.RowSelect ? StepOverMerge(g, c, id, 0, 1) : StepOverMerge(g, c, id, 1, 0); break;
    case VK_UP: c = StepOverMerge(g, c, id, 0, -1); break;
    case VK_DOWN: c = StepOverMerge(g, c, id, 0, 1); break;
    default: break;
    }
    return m;
}

} // namespace

TGridKeyMove GridKeyTarget(const TGridKeyContext& grid, Word key, TShiftState shift)
{
    return (shift & ssCtrl) ? CtrlKeyTarget(grid, key) : PlainKeyTarget(grid, key, shift);
}

TGridCoord SettleKeyTarget(const TGridKeyContext& g, TGridCoord c, Word key, TShiftState shift)
{
    const int c0 = g.FirstCol, r0 = g.FirstRow;
    c.X = std::clamp(c.X, c0, g.ColCount - 1);
    c.Y = std::clamp(c.Y, r0, g.RowCount - 1);
    auto down = [&] {
        while (c.Y < g.RowCount - 1 && g.RowUnusable(c.X, c.Y))
            ++c.Y;
    };
    auto up = [&] {
        while (c.Y > r0 && g.RowUnusable(c.X, c.Y))
            --c.Y;
    };
    auto left = [&] {
        while (c.X > c0 && g.ColUnusable(c.X, c.Y))
            --c.X;
    };
    auto right = [&] {
        while (c.X < g.ColCount - 1 && g.ColUnusable(c.X, c.Y))
            ++c.X;
    };
    const bool ctrl = shift & ssCtrl;
    bool checkRow = false;
    switch (key) {
    case VK_DOWN:
    case VK_NEXT:
        down();
        if (g.RowUnusable(c.X, c.Y))
            up();
        checkRow = true;
        break;
    case VK_UP:
    case VK_PRIOR:
        up();
        if (g.RowHeight(c.Y) <= 0)
            down();
        checkRow = true;
        break;
    case VK_LEFT:
        left();
        if (g.ColUnusable(c.X, c.Y))
            right();
        break;
    case VK_RIGHT:
        right();
        if (g.ColUnusable(c.X, c.Y))
            left();
        break;
    case VK_END:
        left();
        if (ctrl) {
            up();
            checkRow = true;
        }
        break;
    case VK_HOME:
        right();
        if (ctrl) {
            down();
            checkRow = true;
        }
        break;
    default: break;
    }
    if (checkRow && g.RowUnusable(c.X, c.Y))
        c.Y = g.Current.Y;
    return c;
}
