// Moving columns and rows by dragging their heads: the start, the target that
// follows the mouse with the solid exclusive-or insertion line, the limits
// that keep merged heads whole, the row drag by the row head, and the release.

#include "grid/core/TavikCustomGrid.h"

bool TTavikCustomGrid::TryStartHeadMove(TGridCoord cell, TPoint point)
{
    const bool parts = HasEditParts(cell.X, cell.Y);
    if (HasOption(goRowMoving) && cell.X < fixedCols_ && cell.Y >= fixedRows_ && !parts) {
        tracker_.MoveFrom = tracker_.MoveTo = cell.Y;
        tracker_.MoveHit = cell;
        int from = tracker_.MoveFrom;
        int to = tracker_.MoveTo;
        if (!BeginRowDrag(from, to, point))
            return false;
        tracker_.MoveFrom = from;
        tracker_.MoveTo = to;
        mouseState_ = gmsRowMoving;
    } else if (HasOption(goColMoving) && cell.Y < fixedRows_ && cell.X >= fixedCols_ && !parts) {
        tracker_.MoveFrom = tracker_.MoveTo = cell.X;
        tracker_.MoveHit = cell;
        int from = tracker_.MoveFrom;
        int to = tracker_.MoveTo;
        if (!BeginColumnDrag(from, to, point))
            return false;
        tracker_.MoveFrom = from;
        tracker_.MoveTo = to;
        ComputeColMoveLimits(cell);
        mouseState_ = gmsColMoving;
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
    tracker_.MoveBlockFirst = pressed.Left;
    tracker_.MoveBlockLast = pressed.Right;
    tracker_.ColMoveHeadRow = 0;
    tracker_.ColMoveFirst = 0;
    tracker_.ColMoveLast = INT_MAX;
    // The narrowest wider head above that holds the pressed one bounds the move.
    int best = INT_MAX;
    for (int row = 0; row < EditableRow() && row < rowCount_; ++row) {
        const TGridRect a = MergedArea(cell.X, row);
        const int width = a.Right - a.Left;
        if (a.Left <= pressed.Left && a.Right >= pressed.Right && width > pressed.Right - pressed.Left &&
            width < best) {
            best = width;
            tracker_.ColMoveHeadRow = a.Bottom + 1;
            tracker_.ColMoveFirst = a.Left;
            tracker_.ColMoveLast = a.Right;
        }
    }
}

bool TTavikCustomGrid::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    if (destination < tracker_.ColMoveFirst || destination > tracker_.ColMoveLast)
        return false;
    const TGridCoord mouse = PointToCell(mousePt.X, mousePt.Y);
    int boundary = destination;
    if (mouse.X >= 0) {
        const TGridRect area = MergedArea(mouse.X, mouse.Y);
        boundary = mouse.X > origin ? area.Right : area.Left;
    }
    const int after = destination > origin ? boundary + 1 : boundary;
    if (!HasOption(goCellMerge) || after <= 0 || after >= colCount_)
        return true;
    // The boundary must not split a merged head.
    for (int row = tracker_.ColMoveHeadRow; row < EditableRow() && row < rowCount_; ++row) {
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
    const int fixed = rows ? fixedRows_ : fixedCols_;
    const int last = (rows ? rowCount_ : colCount_) - 1;
    if (cellIndex == tracker_.MoveTo || (tracker_.MoveTo == fixed && pos < axis->FixedBoundary) ||
        (tracker_.MoveTo == last && pos > axis->GridBoundary))
        return;
    EraseMoveLine();
    const TGridScrollBarKind bar = rows ? gsbVert : gsbHorz;
    int target = cellIndex;
    if (pos < axis->FixedBoundary && tracker_.MoveTo >= fixed) {
        ModifyScrollBar(bar, SB_LINEUP, 0);
        layout = ComputeLayout();
        target = axis->FirstGridCell;
    } else if (pos >= axis->FullVisBoundary && tracker_.MoveTo == axis->LastFullVisibleCell && tracker_.MoveTo < last) {
        ModifyScrollBar(bar, SB_LINEDOWN, 0);
        layout = ComputeLayout();
        target = axis->LastFullVisibleCell;
    } else if (cellIndex < 0) {
        target = tracker_.MoveTo;
    }
    int from = tracker_.MoveFrom;
    if (target >= 0 && target <= last &&
        (rows ? CheckRowDrag(from, target, point) : CheckColumnDrag(from, target, point)) && target >= 0 &&
        target <= last) {
        tracker_.MoveTo = target;
        const TGridCoord hit = PointToCell(point.X, point.Y);
        if (hit.X >= 0)
            tracker_.MoveHit = hit;
    }
    DrawMoveLine();
}

void TTavikCustomGrid::DrawMoveLine()
{
    if (!showMoveLine_ || tracker_.MoveLineAt)
        return;
    const bool rows = mouseState_ == gmsRowMoving;
    const bool forward = tracker_.MoveTo > tracker_.MoveFrom;
    TPoint from;
    TPoint to;
    if (rows) {
        const TRect r = CellBounds(std::max(tracker_.MoveHit.X, 0), tracker_.MoveTo);
        if (r.IsEmpty())
            return;
        const int y = forward ? r.Bottom : r.Top;
        from = {0, y};
        to = {ClientWidth(), y};
    } else {
        const TGridRect area = MergedArea(tracker_.MoveTo, std::max(tracker_.MoveHit.Y, 0));
        tracker_.MoveTo = forward ? area.Right : area.Left;
        const TRect r = BoxBounds(area, false);
        if (r.IsEmpty())
            return;
        const int x = forward ? r.Right : r.Left;
        from = {x, 0};
        to = {x, ClientHeight()};
    }
    Update();
    XorLine(from, to, 2, psSolid, Color());
    tracker_.MoveLineAt = std::make_pair(from, to);
}

void TTavikCustomGrid::EraseMoveLine()
{
    if (!tracker_.MoveLineAt)
        return;
    const auto [from, to] = *tracker_.MoveLineAt;
    tracker_.MoveLineAt.reset();
    XorLine(from, to, 2, psSolid, Color());
}

void TTavikCustomGrid::EndRowMove(TPoint point)
{
    EraseMoveLine();
    KillTimer(AutoScrollTimer);
    SetWidgetCursor(crDefault);
    // The drop of the row drag ends the same way as a move by the head.
    int from = tracker_.MoveFrom;
    int to = tracker_.MoveTo;
    if (EndRowDrag(from, to, point) && from != to && from >= 0 && to >= 0 && from < rowCount_ && to < rowCount_) {
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
    int from = tracker_.MoveFrom;
    int to = tracker_.MoveTo;
    if (EndColumnDrag(from, to, point) && from != to) {
        const int first = tracker_.MoveBlockFirst;
        const int lastCol = tracker_.MoveBlockLast;
        // The block moves as a whole or not at all.
        const bool valid = first >= 0 && first <= lastCol && lastCol < colCount_ && (to < first || to > lastCol) &&
                           (to < from ? to >= 0 && to + lastCol - first < colCount_
                                      : to - (lastCol - first) >= 0 && to < colCount_);
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
    if (!rowDragEnabled_ || !AllSelectionsAreRows() || !selections_->CoversLine(-1, cell.Y) ||
        cell.X >= EditableCol())
        return false;
    tracker_.RowDragPending = true;
    tracker_.RowDragStart = point;
    tracker_.RowDragCell = cell;
    return true;
}

// The platform's drag-and-drop loop is stood in for by the grid's own row
// move: the mouse is captured already, and the drop lands on this grid.
void TTavikCustomGrid::BeginRowDragDrop()
{
    tracker_.RowDragPending = false;
    tracker_.RowDragActive = true;
    int rows = 0;
    for (int i = 0; i < selections_->Count(); ++i) {
        const TGridRect r = selections_->Items(i)->GetRange();
        rows += r.Bottom - r.Top + 1;
    }
    SetWidgetCursor(selections_->Count() > 1 || rows > 1 ? crMultiDrag : crDrag);
    tracker_.MoveFrom = tracker_.MoveTo = tracker_.RowDragCell.Y;
    tracker_.MoveHit = tracker_.RowDragCell;
    mouseState_ = gmsRowMoving;
    SetTimer(AutoScrollTimer, AutoScrollInterval);
    Update();
    DrawMoveLine();
}
