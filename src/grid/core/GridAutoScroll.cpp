// The auto-scroll timer: while a drag runs past the edges of the view, the
// grid scrolls one line every 60 ms and carries the drag along.

#include "grid/core/TavikCustomGrid.h"

void TTavikCustomGrid::TimerFired(unsigned id)
{
    if (id != AutoScrollTimer)
        return;
    const TGridMouseState state = mouseState_;
    if (state != gmsSelecting && (state < gmsRowMoving || state > gmsRangeFilling))
        return;
    const TPoint p = tracker_.LastMousePoint;
    const TGridLayout layout = ComputeLayout();
    const TGridAxisLayout& h = layout.Horz;
    const TGridAxisLayout& v = layout.Vert;
    TGridCoord cell = PointToCell(p.X, p.Y);
    if (cell.X >= 0) {
        const TGridRect area = MergedArea(cell.X, cell.Y);
        cell = {area.Left, area.Top};
    }
    // Past the last cell counts as the last one, so that a drag out of the
    // window keeps going.
    const int col = cell.X >= 0 ? cell.X : (p.X >= h.GridBoundary ? colCount_ - 1 : -1);
    const int row = cell.Y >= 0 ? cell.Y : (p.Y >= v.GridBoundary ? rowCount_ - 1 : -1);
    unsigned directions = 0;
    if (p.X < h.FixedBoundary)
        directions |= sdLeft;
    else if (p.X > h.FullVisBoundary && col > topLeft_.X)
        directions |= sdRight;
    if (p.Y < v.FixedBoundary)
        directions |= sdUp;
    else if (p.Y > v.FullVisBoundary && row > topLeft_.Y)
        directions |= sdDown;

    switch (state) {
    case gmsSelecting:
    case gmsRangeFilling:
        if (directions != 0)
            TimedScroll(directions);
        break;
    case gmsRowMoving: MoveAndScroll(p.Y, cell.Y, p, true); break;
    case gmsColMoving: MoveAndScroll(p.X, cell.X, p, false); break;
    case gmsColSelecting: {
        if (directions & sdLeft)
            ModifyScrollBar(gsbHorz, SB_LINEUP, 0);
        else if (directions & sdRight)
            ModifyScrollBar(gsbHorz, SB_LINEDOWN, 0);
        int c = PointToCell(p.X, p.Y).X;
        if (c < 0)
            c = p.X >= ComputeLayout().Horz.GridBoundary ? colCount_ - 1 : topLeft_.X;
        // Not into the scrolled-off part, not before the editable area.
        if (c < fixedCols_)
            c = topLeft_.X;
        c = std::max(c, EditableCol());
        const TGridRect range{std::min(current_.X, c), EditableRow(), std::max(current_.X, c), rowCount_ - 1};
        const TGridRect old = selections_->IsEmpty() ? TGridRect{} : selections_->Last()->GetRange();
        if (range != old) {
            selections_->ReplaceLast(std::make_unique<TColSelection>(range.Left, range.Right));
            RepaintRangeChange(old, selections_->Last()->GetRange(), true, true);
        }
        break;
    }
    case gmsRowSelecting: {
        if (directions & sdUp)
            ModifyScrollBar(gsbVert, SB_LINEUP, 0);
        else if (directions & sdDown)
            ModifyScrollBar(gsbVert, SB_LINEDOWN, 0);
        int r = PointToCell(p.X, p.Y).Y;
        if (r < 0)
            r = p.Y >= ComputeLayout().Vert.GridBoundary ? rowCount_ - 1 : topLeft_.Y;
        if (r < fixedRows_)
            r = topLeft_.Y;
        r = std::max(r, EditableRow());
        TGridRect range;
        NormalizeSelRect({EditableCol(), std::min(current_.Y, r), colCount_ - 1, std::max(current_.Y, r)}, range);
        const TGridRect old = selections_->IsEmpty() ? TGridRect{} : selections_->Last()->GetRange();
        if (range != old) {
            selections_->ReplaceLast(std::make_unique<TRowSelection>(range.Top, range.Bottom));
            RepaintRangeChange(old, selections_->Last()->GetRange(), true, true);
        }
        break;
    }
    default: break;
    }
}

void TTavikCustomGrid::TimedScroll(unsigned directions)
{
    TGridCoord a = anchor_;
    // The next shown cell that way, hidden ones passed over; none leaves the anchor.
    if (directions & sdLeft)
        if (const int x = PrevShownCol(a.X - 1, fixedCols_); x >= fixedCols_)
            a.X = x;
    if (directions & sdRight)
        if (const int x = NextShownCol(a.X + 1, colCount_); x < colCount_)
            a.X = x;
    if (directions & sdUp)
        if (const int y = PrevShownRow(a.Y - 1, fixedRows_); y >= fixedRows_)
            a.Y = y;
    if (directions & sdDown)
        if (const int y = NextShownRow(a.Y + 1, rowCount_); y < rowCount_)
            a.Y = y;
    a.X = std::clamp(a.X, 0, colCount_ - 1);
    a.Y = std::clamp(a.Y, 0, rowCount_ - 1);
    if (!(a == anchor_))
        selections_->ExtendSelection(a);
}
