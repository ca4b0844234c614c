#include "grid/core/TavikCustomGrid.h"

#include "grid/editor/InplaceEdit.h"

#include <algorithm>

void TTavikCustomGrid::MoveCurrent(int col, int row, bool replaceSelections, bool askFirst, bool show,
                                   bool moveAnchor)
{
    if (col < 0 || col >= colCount_ || row < 0 || row >= rowCount_)
        throw EGridException(grid_errors::IndexOutOfRange);
    if (QueryReadOnly(col, row) || !SelectCell(col, row))
        return;
    const TGridCoord oldCurrent = current_;
    const TGridCoord target{col, row};
    if (askFirst) {
        bool canMove = row == current_.Y || QueryRowChange();
        if (canMove)
            OnBeforeMoveCurrent(this, oldCurrent, target, lastMoveReason_, canMove);
        if (!canMove) {
            if (mouseState_ == gmsSelecting || mouseState_ == gmsRangeFilling || mouseState_ == gmsRangeMoving) {
                mouseState_ = gmsNone;
                if (HasTimer(1))
                    KillTimer(1);
            }
            return;
        }
    }
    // A copy without notifications: only its ranges are needed for the repaint.
    const std::unique_ptr<TSelections> before = selections_->Clone();
    current_ = target;
    HideEditor();
    if (HasOption(goAlwaysShowEditor) && !HasEditParts(current_.X, current_.Y))
        ShowEditor(QChar(' '));
    if (moveAnchor || !HasOption(goRangeSelect)) {
        anchor_ = current_;
        if (HasOption(goRowSelect))
            anchor_.X = colCount_ - 1;
    }
    if (HasOption(goRowSelect))
        current_.X = fixedCols_;
    if (show)
        MakeCellVisible(current_);
    selections_->SetRange(SelectionRect(), replaceSelections);

    if (before->IsEmpty()) {
        RepaintSelection();
    } else {
        RepaintRangeChange(before->Last()->GetRange(), selections_->Last()->GetRange(), true, true);
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
            RepaintCell(current_.X, current_.Y);
        }
    }
    CurrentMoved(oldCurrent, lastMoveReason_);
}

void TTavikCustomGrid::FocusCell(int col, int row, bool moveAnchor)
{
    if (editorMode_ && !CanHideEditor())
        return;
    MoveCurrent(col, row, true, true, true, moveAnchor);
    UpdateEdit();
    GridClick();
}

void TTavikCustomGrid::SetCurrentCol(int col)
{
    if (col == current_.X || col < EditableCol() || col >= colCount_)
        return;
    FocusCell(col, current_.Y, true);
    selections_->SetRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetCurrentRow(int row)
{
    if (row < 0 || row >= rowCount_)
        row = rowCount_ - 1;
    if (row == current_.Y)
        return;
    FocusCell(current_.X, row, true);
    selections_->SetRange(SelectionRect(), true);
}

bool TTavikCustomGrid::BeforeMoveCurrent(TGridCoord cell)
{
    bool canMove = true;
    OnBeforeMoveCurrent(this, current_, cell, lastMoveReason_, canMove);
    return canMove;
}

void TTavikCustomGrid::SetEditorMode(bool on)
{
    if (on == editorMode_)
        return;
    if (on) {
        ShowEditor(QChar(' '));
        if (inplaceEditor_ && inplaceEditor_->Visible())
            inplaceEditor_->SetSel(inplaceEditor_->TextLength(), 0);
    } else
        HideEditor();
}

bool TTavikCustomGrid::IsCellSelected(int col, int row)
{
    if (paintSelCached_)
        return std::any_of(paintSelRanges_.begin(), paintSelRanges_.end(),
                           [&](const TGridRect& r) { return GridRectContains(r, col, row); });
    return selections_->Contains({col, row});
}

bool TTavikCustomGrid::AllSelectionsAreRows()
{
    const TSelections& set = *selections_;
    for (int i = 0; i < set.Count(); ++i)
        if (!dynamic_cast<const TRowSelection*>(set.Items(i)))
            return false;
    return !set.IsEmpty();
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
