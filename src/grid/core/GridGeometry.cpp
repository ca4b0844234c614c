#include "grid/core/TavikCustomGrid.h"

namespace {

int ColWidthOf(const void* grid, int col)
{
    return static_cast<const TTavikCustomGrid*>(grid)->ColWidths(col);
}

int RowHeightOf(const void* grid, int row)
{
    return static_cast<const TTavikCustomGrid*>(grid)->GetRowHeight(row);
}

int NextShownColOf(const void* grid, int from, int end)
{
    return static_cast<const TTavikCustomGrid*>(grid)->NextShownCol(from, end);
}

int PrevShownColOf(const void* grid, int from, int stop)
{
    return static_cast<const TTavikCustomGrid*>(grid)->PrevShownCol(from, stop);
}

int NextShownRowOf(const void* grid, int from, int end)
{
    return static_cast<const TTavikCustomGrid*>(grid)->NextShownRow(from, end);
}

int PrevShownRowOf(const void* grid, int from, int stop)
{
    return static_cast<const TTavikCustomGrid*>(grid)->PrevShownRow(from, stop);
}

} // namespace

TGridLayout TTavikCustomGrid::ComputeLayout()
{
    const TRect client = ClientRect();
    TGridAxisParams h;
    h.LineWidth = gridLineWidth_;
    h.FixedLine = HasOption(goFixedVertLine);
    h.DataLine = HasOption(goVertLine);
    h.FixedCount = fixedCols_;
    h.FixedEditCount = fixedEditCols_;
    h.TopLeft = topLeft_.X;
    h.CellCount = colCount_;
    h.ClientExtent = client.Width();
    h.Extent = TGridExtentLookup(&ColWidthOf, this, &NextShownColOf, &PrevShownColOf);
    TGridAxisParams v;
    v.LineWidth = gridLineWidth_;
    v.FixedLine = HasOption(goFixedHorzLine);
    v.DataLine = HasOption(goHorzLine);
    v.FixedCount = fixedRows_;
    v.FixedEditCount = fixedEditRows_;
    v.TopLeft = topLeft_.Y;
    v.CellCount = rowCount_;
    v.ClientExtent = client.Height();
    v.Extent = TGridExtentLookup(&RowHeightOf, this, &NextShownRowOf, &PrevShownRowOf);
    return {TGridAxisLayout::Compute(h), TGridAxisLayout::Compute(v)};
}

TGridCoord TTavikCustomGrid::PointToCell(int x, int y)
{
    const TGridLayout layout = ComputeLayout();
    TGridCoord c{layout.Horz.CellAt(x), layout.Vert.CellAt(y)};
    if (c.X < 0 || c.Y < 0)
        c = {-1, -1};
    return c;
}

TRect TTavikCustomGrid::BoxBounds(const TGridRect& rect, bool withLines)
{
    if (rect.Right < rect.Left || rect.Bottom < rect.Top)
        return {};
    const TGridLayout layout = ComputeLayout();
    if (rect.Left > layout.Horz.LastFullVisibleCell + 1 || rect.Top > layout.Vert.LastFullVisibleCell + 1)
        return {};
    TRect r;
    if (!layout.Horz.Span(rect.Left, rect.Right, withLines, r.Left, r.Right))
        return {};
    if (!layout.Vert.Span(rect.Top, rect.Bottom, withLines, r.Top, r.Bottom))
        return {};
    return r;
}

TRect TTavikCustomGrid::CellBounds(int col, int row)
{
    return BoxBounds(MergedArea(col, row), false);
}

TGridCoord TTavikCustomGrid::MaxTopLeft(TGridCoord coord)
{
    const TGridLayout layout = ComputeLayout();
    return {layout.Horz.MaxTopLeft(coord.X), layout.Vert.MaxTopLeft(coord.Y)};
}

TGridRect TTavikCustomGrid::MergedArea(int col, int row)
{
    TGridRect area{col, row, col, row};
    // A cell outside the grid (a range kept from before a count change) belongs
    // to no merged area, and descendants are never asked about it.
    if (!HasOption(goCellMerge) || col < 0 || row < 0 || col >= colCount_ || row >= rowCount_)
        return area;
    const int id = MergeId(col, row);
    if (id == 0)
        return area;
    while (area.Left > 0 && MergeId(area.Left - 1, row) == id)
        --area.Left;
    while (area.Top > 0 && MergeId(col, area.Top - 1) == id)
        --area.Top;
    while (area.Right < colCount_ - 1 && MergeId(area.Right + 1, row) == id)
        ++area.Right;
    while (area.Bottom < rowCount_ - 1 && MergeId(col, area.Bottom + 1) == id)
        ++area.Bottom;
    return area;
}

TGridRect TTavikCustomGrid::WidenToMergedAreas(const TGridRect& rect)
{
    if (!HasOption(goCellMerge))
        return rect;
    TGridRect r = rect;
    auto take = [&](int col, int row, TGridRect& grown) {
        const TGridRect a = MergedArea(col, row);
        grown.Left = std::min(grown.Left, a.Left);
        grown.Top = std::min(grown.Top, a.Top);
        grown.Right = std::max(grown.Right, a.Right);
        grown.Bottom = std::max(grown.Bottom, a.Bottom);
    };
    for (;;) {
        TGridRect grown = r;
        for (int col = r.Left; col <= r.Right; ++col) {
            take(col, r.Top, grown);
            take(col, r.Bottom, grown);
        }
        for (int row = r.Top; row <= r.Bottom; ++row) {
            take(r.Left, row, grown);
            take(r.Right, row, grown);
        }
        if (grown == r)
            return r;
        r = grown;
    }
}

TGridRect TTavikCustomGrid::SelectionRect()
{
    return WidenToMergedAreas(GridRect(current_, anchor_));
}
