// Moving columns and rows by dragging their heads: the start, the target that
// follows the mouse with the solid exclusive-or insertion line, the limits
// that keep merged heads whole, the row drag by the row head, and the release.

#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"

bool TTavikCustomGrid::TryStartHeadMove(TGridCoord cell, TPoint point)
{
    const bool parts = HasEditParts(cell.X, cell.Y);
    if (HasOption(goRowMoving) && cell.X < d_->fixedCols && cell.Y >= d_->fixedRows && !parts) {
        d_->tracker.MoveFrom = d_->tracker.MoveTo = cell.Y;
        d_->tracker.MoveHit = cell;
        int from = d_->tracker.MoveFrom;
        int to = d_->tracker.MoveTo;
        if (!BeginRowDrag(from, to, point))
            return false;
        d_->tracker.MoveFrom = from;
        d_->tracker.MoveTo = to;
        d_->mouseState = gmsRowMoving;
    } else if (HasOption(goColMoving) && cell.Y < d_->fixedRows && cell.X >= d_->fixedCols && !parts) {
        d_->tracker.MoveFrom = d_->tracker.MoveTo = cell.X;
        d_->tracker.MoveHit = cell;
        int from = d_->tracker.MoveFrom;
        int to = d_->tracker.MoveTo;
        if (!BeginColumnDrag(from, to, point))
            return false;
        d_->tracker.MoveFrom = from;
        d_->tracker.MoveTo = to;
        ComputeColMoveLimits(cell);
        d_->mouseState = gmsColMoving;
    } else {
        return false;
    }
    Update();
    DrawMoveLine();
    SetTimer(AutoScrollTimer, AutoScrollInterval);
    return true;
}

void TTavikCustomGrid::ComputeColMoveLimits(TGridCoord cell)
{
    const TGridRect pressed = MergedArea(cell.X, cell.Y);
    d_->tracker.MoveBlockFirst = pressed.Left;
    d_->tracker.MoveBlockLast = pressed.Right;
    d_->tracker.ColMoveHeadRow = 0;
    d_->tracker.ColMoveFirst = 0;
    d_->tracker.ColMoveLast = INT_MAX;
    // The narrowest wider head above that holds the pressed one bounds the move.
    int best = INT_MAX;
    for (int row = 0; row < EditableRow() && row < d_->rowCount; ++row) {
        const TGridRect a = MergedArea(cell.X, row);
        const int width = a.Right - a.Left;
        if (a.Left <= pressed.Left && a.Right >= pressed.Right && width > pressed.Right - pressed.Left &&
            width < best) {
            best = width;
            d_->tracker.ColMoveHeadRow = a.Bottom + 1;
            d_->tracker.ColMoveFirst = a.Left;
            d_->tracker.ColMoveLast = a.Right;
        }
    }
}

bool TTavikCustomGrid::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    if (destination < d_->tracker.ColMoveFirst || destination > d_->tracker.ColMoveLast)
        return false;
    const TGridCoord mouse = PointToCell(mousePt.X, mousePt.Y);
    int boundary = destination;
    if (mouse.X >= 0) {
        const TGridRect area = MergedArea(mouse.X, mouse.Y);
        boundary = mouse.X > origin ? area.Right : area.Left;
    }
    const int after = destination > origin ? boundary + 1 : boundary;
    if (!HasOption(goCellMerge) || after <= 0 || after >= d_->colCount)
        return true;
    // The boundary must not split a merged head.
    for (int row = d_->tracker.ColMoveHeadRow; row < EditableRow() && row < d_->rowCount; ++row) {
        const int id = MergeId(after, row);
        if (id != 0 && MergeId(after - 1, row) == id)
            return false;
    }
    return true;
}

void TTavikCustomGrid::MoveAndScroll(int pos, int cellIndex, TPoint point, bool rows)
{
    TGridLayout layout = ComputeLayout();
    const TGridAxisLayout* axis = rows ? &layout.Vert : &layout.Horz;
    const int fixed = rows ? d_->fixedRows : d_->fixedCols;
    const int last = (rows ? d_->rowCount : d_->colCount) - 1;
    if (cellIndex == d_->tracker.MoveTo || (d_->tracker.MoveTo == fixed && pos < axis->FixedBoundary) ||
        (d_->tracker.MoveTo == last && pos > axis->GridBoundary))
        return;
    EraseMoveLine();
    const TGridScrollBarKind bar = rows ? gsbVert : gsbHorz;
    int target = cellIndex;
    if (pos < axis->FixedBoundary && d_->tracker.MoveTo >= fixed) {
        ModifyScrollBar(bar, SB_LINEUP, 0);
        layout = ComputeLayout();
        target = axis->FirstGridCell;
    } else if (pos >= axis->FullVisBoundary && d_->tracker.MoveTo == axis->LastFullVisibleCell && d_->tracker.MoveTo < last) {
        ModifyScrollBar(bar, SB_LINEDOWN, 0);
        layout = ComputeLayout();
        target = axis->LastFullVisibleCell;
    } else if (cellIndex < 0) {
        target = d_->tracker.MoveTo;
    }
    int from = d_->tracker.MoveFrom;
    if (target >= 0 && target <= last &&
        (rows ? CheckRowDrag(from, target, point) : CheckColumnDrag(from, target, point)) && target >= 0 &&
        target <= last) {
        d_->tracker.MoveTo = target;
        const TGridCoord hit = PointToCell(point.X, point.Y);
        if (hit.X >= 0)
            d_->tracker.MoveHit = hit;
    }
    DrawMoveLine();
}

void TTavikCustomGrid::DrawMoveLine()
{
    if (!d_->showMoveLine || d_->tracker.MoveLineAt)
        return;
    const bool rows = d_->mouseState == gmsRowMoving;
    const bool forward = d_->tracker.MoveTo > d_->tracker.MoveFrom;
    TPoint from;
    TPoint to;
    if (rows) {
        const TRect r = CellBounds(std::max(d_->tracker.MoveHit.X, 0), d_->tracker.MoveTo);
        if (r.IsEmpty())
            return;
        const int y = forward ? r.Bottom : r.Top;
        from = {0, y};
        to = {ClientWidth(), y};
    } else {
        const TGridRect area = MergedArea(d_->tracker.MoveTo, std::max(d_->tracker.MoveHit.Y, 0));
        d_->tracker.MoveTo = forward ? area.Right : area.Left;
        const TRect r = BoxBounds(area, false);
        if (r.IsEmpty())
            return;
        const int x = forward ? r.Right : r.Left;
        from = {x, 0};
        to = {x, ClientHeight()};
    }
    Update();
    XorLine(from, to, 2, psSolid, Color());
    d_->tracker.MoveLineAt = std::make_pair(from, to);
}

void TTavikCustomGrid::EraseMoveLine()
{
    if (!d_->tracker.MoveLineAt)
        return;
    const auto [from, to] = *d_->tracker.MoveLineAt;
    d_->tracker.MoveLineAt.reset();
    XorLine(from, to, 2, psSolid, Color());
}

void TTavikCustomGrid::EndRowMove(TPoint point)
{
    EraseMoveLine();
    KillTimer(AutoScrollTimer);
    SetWidgetCursor(crDefault);
    // The drop of the row drag ends the same way as a move by the head.
    int from = d_->tracker.MoveFrom;
    int to = d_->tracker.MoveTo;
    if (EndRowDrag(from, to, point) && from != to && from >= 0 && to >= 0 && from < d_->rowCount && to < d_->rowCount) {
        MoveRow(from, to);
        // MoveRow leaves the picture to its caller.
        Invalidate();
    }
    UpdateEdit();
}

void TTavikCustomGrid::EndColumnMove(TPoint point)
{
    EraseMoveLine();
    KillTimer(AutoScrollTimer);
    int from = d_->tracker.MoveFrom;
    int to = d_->tracker.MoveTo;
    if (EndColumnDrag(from, to, point) && from != to) {
        const int first = d_->tracker.MoveBlockFirst;
        const int lastCol = d_->tracker.MoveBlockLast;
        // The block moves as a whole or not at all.
        const bool valid = first >= 0 && first <= lastCol && lastCol < d_->colCount && (to < first || to > lastCol) &&
                           (to < from ? to >= 0 && to + lastCol - first < d_->colCount
                                      : to - (lastCol - first) >= 0 && to < d_->colCount);
        if (valid) {
            if (to < from) {
                for (int i = first; i <= lastCol; ++i)
                    MoveColumn(i, to + i - first);
            } else {
                for (int i = lastCol; i >= first; --i)
                    MoveColumn(i, to + i - lastCol);
            }
        }
    }
    UpdateEdit();
}

bool TTavikCustomGrid::TryStartRowDrag(TGridCoord cell, TPoint point)
{
    // A row selection covers the row, not its head cells.
    if (!d_->rowDragEnabled || !AllSelectionsAreRows() || !d_->selections->CoversLine(-1, cell.Y) ||
        cell.X >= EditableCol())
        return false;
    d_->tracker.RowDragPending = true;
    d_->tracker.RowDragStart = point;
    d_->tracker.RowDragCell = cell;
    return true;
}

// The platform's drag-and-drop loop is stood in for by the grid's own row
// move: the mouse is captured already, and the drop lands on this grid.
void TTavikCustomGrid::BeginRowDragDrop()
{
    d_->tracker.RowDragPending = false;
    d_->tracker.RowDragActive = true;
    int rows = 0;
    for (int i = 0; i < d_->selections->Count(); ++i) {
        const TGridRect r = d_->selections->Items(i)->GetRange();
        rows += r.Bottom - r.Top + 1;
    }
    SetWidgetCursor(d_->selections->Count() > 1 || rows > 1 ? crMultiDrag : crDrag);
    d_->tracker.MoveFrom = d_->tracker.MoveTo = d_->tracker.RowDragCell.Y;
    d_->tracker.MoveHit = d_->tracker.RowDragCell;
    d_->mouseState = gmsRowMoving;
    SetTimer(AutoScrollTimer, AutoScrollInterval);
    Update();
    DrawMoveLine();
}
