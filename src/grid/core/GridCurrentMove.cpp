#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"

#include "grid/editor/InplaceEdit.h"

#include <algorithm>

void TTavikCustomGrid::MoveCurrent(int col, int row, bool replaceSelections, bool askFirst, bool show,
                                   bool moveAnchor)
{
    if (col < 0 || col >= d_->colCount || row < 0 || row >= d_->rowCount)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (QueryReadOnly(col, row) || !SelectCell(col, row))
        return;
    const TGridCoord oldCurrent = d_->current;
    const TGridCoord target{col, row};
    if (askFirst) {
        bool canMove = row == d_->current.Y || QueryRowChange();
        if (canMove)
            OnBeforeMoveCurrent(this, oldCurrent, target, d_->lastMoveReason, canMove);
        if (!canMove) {
            if (d_->mouseState == gmsSelecting || d_->mouseState == gmsRangeFilling || d_->mouseState == gmsRangeMoving) {
                d_->mouseState = gmsNone;
                if (HasTimer(1))
                    KillTimer(1);
            }
            return;
        }
    }
    // A copy without notifications: only its ranges are needed for the repaint.
    const std::unique_ptr<TSelections> before = d_->selections->Clone();
    d_->current = target;
    HideEditor();
    if (HasOption(goAlwaysShowEditor) && !HasEditParts(d_->current.X, d_->current.Y))
        ShowEditor(QChar(' '));
    if (moveAnchor || !HasOption(goRangeSelect)) {
        d_->anchor = d_->current;
        if (HasOption(goRowSelect))
            d_->anchor.X = d_->colCount - 1;
    }
    if (HasOption(goRowSelect))
        d_->current.X = d_->fixedCols;
    if (show)
        MakeCellVisible(d_->current);
    d_->selections->SetRange(SelectionRect(), replaceSelections);

    if (before->IsEmpty()) {
        d_->selections->RepaintSelection();
    } else {
        RepaintRangeChange(before->Last()->GetRange(), d_->selections->Last()->GetRange(), true, true);
        if (replaceSelections) {
            TGridRect bounds = before->Items(0)->GetRange();
            for (int i = 1; i < before->Count(); ++i) {
                const TGridRect r = before->Items(i)->GetRange();
                bounds.Left = std::min(bounds.Left, r.Left);
                bounds.Top = std::min(bounds.Top, r.Top);
                bounds.Right = std::max(bounds.Right, r.Right);
                bounds.Bottom = std::max(bounds.Bottom, r.Bottom);
            }
            InvalidateGridRect(bounds);
            RepaintHeads(bounds);
        } else {
            RepaintCell(d_->current.X, d_->current.Y);
        }
    }
    CurrentMoved(oldCurrent, d_->lastMoveReason);
}

void TTavikCustomGrid::FocusCell(int col, int row, bool moveAnchor)
{
    if (EditorMode() && !CanHideEditor())
        return;
    MoveCurrent(col, row, true, true, true, moveAnchor);
    UpdateEdit();
    GridClick();
}

void TTavikCustomGrid::SetCurrentCol(int col)
{
    if (col == d_->current.X || col < EditableCol() || col >= d_->colCount)
        return;
    FocusCell(col, d_->current.Y, true);
    d_->selections->SetRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetCurrentRow(int row)
{
    if (row < 0 || row >= d_->rowCount)
        row = d_->rowCount - 1;
    if (row == d_->current.Y)
        return;
    FocusCell(d_->current.X, row, true);
    d_->selections->SetRange(SelectionRect(), true);
}

bool TTavikCustomGrid::BeforeMoveCurrent(TGridCoord cell)
{
    bool canMove = true;
    OnBeforeMoveCurrent(this, d_->current, cell, d_->lastMoveReason, canMove);
    return canMove;
}

bool TTavikCustomGrid::IsCellSelected(int col, int row)
{
    if (const std::vector<TGridRect>* ranges = d_->painter->SelectionRanges())
        return std::any_of(ranges->begin(), ranges->end(),
                           [&](const TGridRect& r) { return GridRectContains(r, col, row); });
    return d_->selections->Contains({col, row});
}

void TTavikCustomGrid::SelectionNotify(TGridSelection* selection, TSelectoinNotification action)
{
    // Whole rows must never cut a merged cell in two.
    auto* rows = dynamic_cast<TRowSelection*>(selection);
    if (action != snAdded || !rows || !HasOption(goCellMerge))
        return;
    const TGridRect widened = WidenToMergedAreas(rows->GetRange());
    if (widened.Top != rows->FirstRow() || widened.Bottom != rows->LastRow())
        rows->SetRows(widened.Top, widened.Bottom);
}
