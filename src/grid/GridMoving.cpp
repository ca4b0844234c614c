// Moving columns and rows by dragging their heads: the start, the target that
// follows the mouse with the solid exclusive-or insertion line, the limits
// that keep merged heads whole, the row drag by the row head, and the release.

#include "grid/TavikCustomGrid.h"

bool TTavikCustomGrid::TryStartHeadMove(TGridCoord cell, TPoint point)
{
    const bool parts = HasEditParts(cell.X, cell.Y);
    if (HasOption(goRowMoving) && cell.X < fixedCols_ && cell.Y >= fixedRows_ && !parts) {
        moveFrom_ = moveTo_ = cell.Y;
        moveHit_ = cell;
        int from = moveFrom_;
        int to = moveTo_;
        if (!BeginRowDrag(from, to, point))
            return false;
        moveFrom_ = from;
        moveTo_ = to;
        mouseState_ = gmsRowMoving;
    } else if (HasOption(goColMoving) && cell.Y < fixedRows_ && cell.X >= fixedCols_ && !parts) {
        moveFrom_ = moveTo_ = cell.X;
        moveHit_ = cell;
        int from = moveFrom_;
        int to = moveTo_;
        if (!BeginColumnDrag(from, to, point))
            return false;
        moveFrom_ = from;
        moveTo_ = to;
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
    moveBlockFirst_ = pressed.Left;
    moveBlockLast_ = pressed.Right;
    colMoveHeadRow_ = 0;
    colMoveFirst_ = 0;
    colMoveLast_ = INT_MAX;
    // The narrowest wider head above that holds the pressed one bounds the move.
    int best = INT_MAX;
    for (int row = 0; row < EditableRow() && row < rowCount_; ++row) {
        const TGridRect a = MergedArea(cell.X, row);
        const int width = a.Right - a.Left;
        if (a.Left <= pressed.Left && a.Right >= pressed.Right && width > pressed.Right - pressed.Left &&
            width < best) {
            best = width;
            colMoveHeadRow_ = a.Bottom + 1;
            colMoveFirst_ = a.Left;
            colMoveLast_ = a.Right;
        }
    }
}

bool TTavikCustomGrid::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    if (destination < colMoveFirst_ || destination > colMoveLast_)
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
    for (int row = colMoveHeadRow_; row < EditableRow() && row < rowCount_; ++row) {
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
    if (cellIndex == moveTo_ || (moveTo_ == fixed && pos < axis->FixedBoundary) ||
        (moveTo_ == last && pos > axis->GridBoundary))
        return;
    EraseMoveLine();
    const TGridScrollBarKind bar = rows ? gsbVert : gsbHorz;
    int target = cellIndex;
    if (pos < axis->FixedBoundary && moveTo_ >= fixed) {
        ModifyScrollBar(bar, SB_LINEUP, 0);
        layout = ComputeLayout();
        target = axis->FirstGridCell;
    } else if (pos >= axis->FullVisBoundary && moveTo_ == axis->LastFullVisibleCell && moveTo_ < last) {
        ModifyScrollBar(bar, SB_LINEDOWN, 0);
        layout = ComputeLayout();
        target = axis->LastFullVisibleCell;
    } else if (cellIndex < 0) {
        target = moveTo_;
    }
    int from = moveFrom_;
    if (target >= 0 && target <= last &&
        (rows ? CheckRowDrag(from, target, point) : CheckColumnDrag(from, target, point)) && target >= 0 &&
        target <= last) {
        moveTo_ = target;
        const TGridCoord hit = PointToCell(point.X, point.Y);
        if (hit.X >= 0)
            moveHit_ = hit;
    }
    DrawMoveLine();
}

void TTavikCustomGrid::DrawMoveLine()
{
    if (!showMoveLine_ || moveLineAt_)
        return;
    const bool rows = mouseState_ == gmsRowMoving;
    const bool forward = moveTo_ > moveFrom_;
    TPoint from;
    TPoint to;
    if (rows) {
        const TRect r = CellBounds(std::max(moveHit_.X, 0), moveTo_);
        if (r.IsEmpty())
            return;
        const int y = forward ? r.Bottom : r.Top;
        from = {0, y};
        to = {ClientWidth(), y};
    } else {
        const TGridRect area = MergedArea(moveTo_, std::max(moveHit_.Y, 0));
        moveTo_ = forward ? area.Right : area.Left;
        const TRect r = BoxBounds(area, false);
        if (r.IsEmpty())
            return;
        const int x = forward ? r.Right : r.Left;
        from = {x, 0};
        to = {x, ClientHeight()};
    }
    Update();
    XorLine(from, to, 2, psSolid, Color());
    moveLineAt_ = std::make_pair(from, to);
}

void TTavikCustomGrid::EraseMoveLine()
{
    if (!moveLineAt_)
        return;
    const auto [from, to] = *moveLineAt_;
    moveLineAt_.reset();
    XorLine(from, to, 2, psSolid, Color());
}

void TTavikCustomGrid::EndRowMove(TPoint point)
{
    EraseMoveLine();
    KillTimer(AutoScrollTimer);
    SetWidgetCursor(crDefault);
    // The drop of the row drag ends the same way as a move by the head.
    int from = moveFrom_;
    int to = moveTo_;
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
    int from = moveFrom_;
    int to = moveTo_;
    if (EndColumnDrag(from, to, point) && from != to) {
        const int first = moveBlockFirst_;
        const int lastCol = moveBlockLast_;
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
    rowDragPending_ = true;
    rowDragStart_ = point;
    rowDragCell_ = cell;
    return true;
}

// The platform's drag-and-drop loop is stood in for by the grid's own row
// move: the mouse is captured already, and the drop lands on this grid.
void TTavikCustomGrid::BeginRowDragDrop()
{
    rowDragPending_ = false;
    rowDragActive_ = true;
    int rows = 0;
    for (int i = 0; i < selections_->Count(); ++i) {
        const TGridRect r = selections_->Items(i)->GetRange();
        rows += r.Bottom - r.Top + 1;
    }
    SetWidgetCursor(selections_->Count() > 1 || rows > 1 ? crMultiDrag : crDrag);
    moveFrom_ = moveTo_ = rowDragCell_.Y;
    moveHit_ = rowDragCell_;
    mouseState_ = gmsRowMoving;
    SetTimer(AutoScrollTimer, AutoScrollInterval);
    Update();
    DrawMoveLine();
}
