#include "grid/TavikCustomGrid.h"

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
    const std::vector<TGridRect> before = selections_;
    current_ = target;
    HideEditor();
    if (HasOption(options_, goAlwaysShowEditor) && !HasEditParts(current_.X, current_.Y))
        ShowEditor(QChar(' '));
    if (moveAnchor || !HasOption(options_, goRangeSelect)) {
        anchor_ = current_;
        if (HasOption(options_, goRowSelect))
            anchor_.X = colCount_ - 1;
    }
    if (HasOption(options_, goRowSelect))
        current_.X = fixedCols_;
    if (show)
        MakeCellVisible(current_);
    SetSelectionRange(SelectionRect(), replaceSelections);

    if (before.empty()) {
        RepaintSelection();
    } else {
        RepaintRangeChange(before.back(), LastSelectionRange(), true, true);
        if (replaceSelections) {
            TGridRect bounds = before.front();
            for (const TGridRect& r : before) {
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
    Click();
}

void TTavikCustomGrid::SetCurrentCol(int col)
{
    if (col == current_.X || col < EditableCol() || col >= colCount_)
        return;
    FocusCell(col, current_.Y, true);
    SetSelectionRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetCurrentRow(int row)
{
    if (row < 0 || row >= rowCount_)
        row = rowCount_ - 1;
    if (row == current_.Y)
        return;
    FocusCell(current_.X, row, true);
    SetSelectionRange(SelectionRect(), true);
}

void TTavikCustomGrid::SetSelectionRange(const TGridRect& range, bool clearFirst)
{
    if (clearFirst)
        selections_.clear();
    if (range.Left >= EditableCol() && range.Top >= EditableRow())
        selections_.push_back(WidenToMergedAreas(range));
}

bool TTavikCustomGrid::IsCellSelected(int col, int row)
{
    for (const TGridRect& r : selections_)
        if (GridRectContains(r, col, row))
            return true;
    return false;
}
