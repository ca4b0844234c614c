#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

// Columns are read from the fields directly: the layout asks for every
// column in view.
int ColWidthOf(const void* state, int col)
{
    const auto* s = static_cast<const TGridCoreState*>(state);
    return s->colWidths.Get(col, s->defaultColWidth);
}

int RowHeightOf(const void* grid, int row)
{
    return static_cast<const TTavikCustomGrid*>(grid)->GetRowHeight(row);
}

int NextShownColOf(const void* state, int from, int end)
{
    const auto* s = static_cast<const TGridCoreState*>(state);
    return s->colWidths.NextPositive(from, end, s->defaultColWidth);
}

int PrevShownColOf(const void* state, int from, int stop)
{
    const auto* s = static_cast<const TGridCoreState*>(state);
    return s->colWidths.PrevPositive(from, stop, s->defaultColWidth);
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
    const TGridCoreState& s = *d_;
    auto axisParams = [&](TGridAxis axis, bool fixedLine, bool dataLine, int clientExtent) {
        TGridAxisParams p;
        p.LineWidth = s.gridLineWidth;
        p.FixedLine = fixedLine;
        p.DataLine = dataLine;
        p.FixedCount = s.Fixed(axis);
        p.FixedEditCount = s.FixedEdit(axis);
        p.TopLeft = AxisPart(s.topLeft, axis);
        p.CellCount = s.Count(axis);
        p.ClientExtent = clientExtent;
        return p;
    };
    TGridAxisParams h = axisParams(gaCols, HasOption(goFixedVertLine), HasOption(goVertLine), client.Width());
    h.Extent = TGridExtentLookup(&ColWidthOf, d_.get(), &NextShownColOf, &PrevShownColOf);
    TGridAxisParams v = axisParams(gaRows, HasOption(goFixedHorzLine), HasOption(goHorzLine), client.Height());
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
    if (!HasOption(goCellMerge) || col < 0 || row < 0 || col >= d_->colCount || row >= d_->rowCount)
        return area;
    const int id = MergeId(col, row);
    if (id == 0)
        return area;
    // Along each axis from the cell both ways while the neighbour shares the id.
    const TGridCoord cell{col, row};
    for (const TGridAxis axis : {gaCols, gaRows}) {
        int& nearEdge = axis == gaRows ? area.Top : area.Left;
        int& farEdge = axis == gaRows ? area.Bottom : area.Right;
        auto sameId = [&](int index) {
            TGridCoord c = cell;
            AxisPart(c, axis) = index;
            return MergeId(c.X, c.Y) == id;
        };
        while (nearEdge > 0 && sameId(nearEdge - 1))
            --nearEdge;
        while (farEdge < d_->Count(axis) - 1 && sameId(farEdge + 1))
            ++farEdge;
    }
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
    return WidenToMergedAreas(GridRect(d_->current, d_->anchor));
}
