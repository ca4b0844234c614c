// The auto-scroll timer: while a drag runs past the edges of the view, the
// grid scrolls one line every 60 ms and carries the drag along.

#include "grid/core/TavikCustomGrid.h"
#include "grid/core/GridCoreState.h"

namespace {

// The scroll directions of each axis: toward the start, toward the end.
constexpr unsigned ScrollTowardStart[2] = {TTavikCustomGrid::sdLeft, TTavikCustomGrid::sdUp};
constexpr unsigned ScrollTowardEnd[2] = {TTavikCustomGrid::sdRight, TTavikCustomGrid::sdDown};

} // namespace

void TTavikCustomGrid::TimerFired(unsigned id)
{
    if (id != AutoScrollTimer)
        return;
    const TGridMouseState state = d_->mouseState;
    if (state != gmsSelecting && (state < gmsRowMoving || state > gmsRangeFilling))
        return;
    const TPoint p = d_->tracker.LastMousePoint;
    const TGridLayout layout = ComputeLayout();
    TGridCoord cell = PointToCell(p.X, p.Y);
    if (cell.X >= 0) {
        const TGridRect area = MergedArea(cell.X, cell.Y);
        cell = {area.Left, area.Top};
    }
    auto pos = [&](TGridAxis axis) { return axis == gaRows ? p.Y : p.X; };
    unsigned directions = 0;
    for (const TGridAxis axis : {gaCols, gaRows}) {
        const TGridAxisLayout& a = layout.Axis(axis);
        // Past the last cell counts as the last one, so that a drag out of the
        // window keeps going.
        const int index = AxisPart(cell, axis) >= 0 ? AxisPart(cell, axis)
                          : pos(axis) >= a.GridBoundary ? d_->Count(axis) - 1
                                                          : -1;
        if (pos(axis) < a.FixedBoundary)
            directions |= ScrollTowardStart[axis];
        else if (pos(axis) > a.FullVisBoundary && index > AxisPart(d_->topLeft, axis))
            directions |= ScrollTowardEnd[axis];
    }

    // Dragging over the heads scrolls a line and stretches the column or row
    // selection from the current cell to the one under the mouse.
    auto selectHeads = [&](TGridAxis axis) {
        const TGridScrollBarKind bar = axis == gaRows ? gsbVert : gsbHorz;
        if (directions & ScrollTowardStart[axis])
            ModifyScrollBar(bar, SB_LINEUP, 0);
        else if (directions & ScrollTowardEnd[axis])
            ModifyScrollBar(bar, SB_LINEDOWN, 0);
        const int top = AxisPart(d_->topLeft, axis);
        int i = AxisPart(PointToCell(p.X, p.Y), axis);
        if (i < 0)
            i = pos(axis) >= ComputeLayout().Axis(axis).GridBoundary ? d_->Count(axis) - 1 : top;
        // Not into the scrolled-off part, not before the editable area.
        if (i < d_->Fixed(axis))
            i = top;
        i = std::max(i, d_->Editable(axis));
        const int current = AxisPart(d_->current, axis);
        const TGridRect old = d_->selections->IsEmpty() ? TGridRect{} : d_->selections->Last()->GetRange();
        std::unique_ptr<TGridSelection> selection;
        TGridRect range;
        if (axis == gaCols) {
            range = {std::min(current, i), d_->Editable(gaRows), std::max(current, i), d_->rowCount - 1};
            selection = std::make_unique<TColSelection>(range.Left, range.Right);
        } else {
            NormalizeSelRect({d_->Editable(gaCols), std::min(current, i), d_->colCount - 1, std::max(current, i)},
                             range);
            selection = std::make_unique<TRowSelection>(range.Top, range.Bottom);
        }
        if (range != old) {
            d_->selections->ReplaceLast(std::move(selection));
            RepaintRangeChange(old, d_->selections->Last()->GetRange(), true, true);
        }
    };

    switch (state) {
    case gmsSelecting:
    case gmsRangeFilling:
        if (directions != 0)
            TimedScroll(directions);
        break;
    case gmsRowMoving: MoveAndScroll(p.Y, cell.Y, p, true); break;
    case gmsColMoving: MoveAndScroll(p.X, cell.X, p, false); break;
    case gmsColSelecting: selectHeads(gaCols); break;
    case gmsRowSelecting: selectHeads(gaRows); break;
    default: break;
    }
}

void TTavikCustomGrid::TimedScroll(unsigned directions)
{
    TGridCoord a = d_->anchor;
    // The next shown cell that way, hidden ones passed over; none leaves the anchor.
    for (const TGridAxis axis : {gaCols, gaRows}) {
        const int fixed = d_->Fixed(axis);
        const int count = d_->Count(axis);
        int& i = AxisPart(a, axis);
        if (directions & ScrollTowardStart[axis]) {
            const int prev = axis == gaRows ? PrevShownRow(i - 1, fixed) : PrevShownCol(i - 1, fixed);
            if (prev >= fixed)
                i = prev;
        }
        if (directions & ScrollTowardEnd[axis]) {
            const int next = axis == gaRows ? NextShownRow(i + 1, count) : NextShownCol(i + 1, count);
            if (next < count)
                i = next;
        }
        i = std::clamp(i, 0, count - 1);
    }
    if (!(a == d_->anchor))
        d_->selections->ExtendSelection(a);
}
