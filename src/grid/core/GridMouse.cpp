// Mouse input of the grid core: presses, drags and releases in every mouse
// state, and the double-click request for a column's best width.

#include <cstdlib>

#include "grid/core/TavikCustomGrid.h"
#include "platform/base/TickCount.h"

namespace {

bool IsSizing(TGridMouseState s)
{
    return s == gmsRowResizing || s == gmsColResizing;
}

bool IsRangeDrag(TGridMouseState s)
{
    return s == gmsRangeFilling || s == gmsRangeMoving;
}

} // namespace

TGridCoord TTavikCustomGrid::PressedCell(int x, int y)
{
    TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0)
        return cell;
    // A merged area answers for all its cells at its top-left one.
    const TGridRect area = MergedArea(cell.X, cell.Y);
    return {area.Left, area.Top};
}

void TTavikCustomGrid::StartDragSelect(TGridCoord cell, const TGridLayout& layout)
{
    // The partly visible corner cell would scroll away under the mouse at once.
    if (!dragSelect_ ||
        (cell.X == layout.Horz.LastFullVisibleCell + 1 && cell.Y == layout.Vert.LastFullVisibleCell + 1))
        return;
    mouseState_ = gmsSelecting;
    SetTimer(AutoScrollTimer, AutoScrollInterval);
}

void TTavikCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    // A drag still on at a new press lost its release to another window: it
    // ends as a cancelled one, its line erased.
    if (button == mbLeft && mouseState_ != gmsNone)
        CancelMode();
    lastMoveReason_ = mrMouse;
    tracker_.HitPoint = tracker_.LastMousePoint = {x, y};
    if (button == mbLeft)
        lastGridClick_ = std::max<uint32_t>(1, GetTickCount());
    TCustomForm* form = ParentForm();
    if (CanFocus() || !form) {
        if (!Focused())
            SetFocus();
        if (form && form->ActiveControl() != this) {
            ReleaseCapture();
            return;
        }
    }
    if (editorMode_ && !CanHideEditor())
        return;
    auto mouseDown = [&] { TCustomControl::MouseDown(button, shift, x, y); };
    if (button != mbLeft) {
        mouseDown();
        return;
    }
    const bool dbl = shift & ssDouble;
    if (dbl && HasOption(goColDblClickMaxWidth) && HasOption(goColSizing) && IsBestWidthHit(x, y)) {
        mouseDown();
        return;
    }

    const TGridLayout layout = ComputeLayout();
    TGridMouseState state = gmsNone;
    CalcSizingState(x, y, layout, tracker_.SizingOfs, tracker_.SizingPos, tracker_.SizingIndex, state);
    if (IsSizing(state)) {
        mouseState_ = state;
        Update();
        DrawSizingLine();
        return;
    }
    if (IsRangeDrag(state)) {
        mouseState_ = state;
        selections_->BeginRangeDrag();
        // A fill follows the mouse past the edges of the view; a move does not.
        if (state == gmsRangeFilling)
            SetTimer(AutoScrollTimer, AutoScrollInterval);
        return;
    }

    const TGridCoord cell = PressedCell(x, y);
    if (cell.X < 0) {
        mouseDown();
        return;
    }
    if (TryStartRowDrag(cell, {x, y}))
        return;

    const int c0 = EditableCol();
    const int r0 = EditableRow();
    const bool head = cell.X < c0 || cell.Y < r0;
    const bool split = RowStyle(cell.Y) == rsSplit;
    const bool readOnly = QueryReadOnly(cell.X, cell.Y);
    const bool parts = HasEditParts(cell.X, cell.Y);
    const bool ctrlAdds = HasOption(goMultiSelection) && (shift & ssCtrl);
    const TGridCoord before = current_;
    // Taken before the current-cell move below clears the set.
    const bool hadSeveral = selections_->Count() > 1;

    if (head || split || readOnly || parts) {
        if (dbl) {
            mouseDown();
            return;
        }
        if (parts && !head) {
            int hitPart = -1;
            for (int i = 0, n = EditPartCount(cell.X, cell.Y); i < n && hitPart < 0; ++i) {
                int fontHeight = 0;
                TRect r;
                QString text;
                if (GetEditPart(cell.X, cell.Y, i, fontHeight, r, text) && r.Contains({x, y}))
                    hitPart = i;
            }
            if (HasOption(goEditing) && cell == current_ && hitPart >= 0) {
                HideEditor();
                SetCurrentEditPart(cell.X, cell.Y, hitPart);
                if (!IsSpecialRegion(x, y))
                    ShowEditor(QChar(' '));
                GridClick();
                mouseDown();
                return;
            }
            StartDragSelect(cell, layout);
            if (shift & ssShift) {
                HideEditor();
                selections_->ExtendSelection(cell);
            } else {
                MoveCurrent(cell.X, cell.Y, true, true, true, true);
            }
            UpdateEdit();
        } else if ((!readOnly && !split) || parts) {
            if (TryStartHeadMove(cell, {x, y}))
                return;
        } else {
            HideEditor();
            mouseDown();
            return;
        }
    } else {
        const bool editing = HasOption(goEditing);
        if (editing && cell == current_) {
            if (!IsSpecialRegion(x, y))
                ShowEditor(QChar(' '));
            GridClick();
            mouseDown();
            return;
        }
        if (dbl) {
            mouseDown();
            return;
        }
        if (!editing || !editorMode_)
            StartDragSelect(cell, layout);
        if (shift & ssShift) {
            HideEditor();
            selections_->ExtendSelection(cell);
        } else {
            MoveCurrent(cell.X, cell.Y, !ctrlAdds, true, true, true);
            if (current_ == before) {
                UpdateEdit();
                mouseDown();
                return;
            }
        }
        UpdateEdit();
        if (editing && ClickShowsEditor(x, y)) {
            if (!IsSpecialRegion(x, y))
                ShowEditor(QChar(' '));
            mouseDown();
            return;
        }
    }

    if (HasOption(goMultiSelection) || HasOptionEx(goAllowSelectRow) || HasOptionEx(goAllowSelectCol)) {
        if (!selections_->SelectOnPress(cell, shift & ssShift, shift & ssCtrl, hadSeveral))
            return;
        mouseDown();
    } else {
        selections_->SetRange(SelectionRect(), true);
        mouseDown();
        GridClick();
    }
}

void TTavikCustomGrid::DragSelectTo(int x, int y)
{
    TGridCoord cell = PressedCell(x, y);
    if (cell.X < 0)
        return;
    // Dragging into the heads of a scrolled view scrolls back.
    if (current_.X >= fixedCols_ && topLeft_.X != fixedCols_ && cell.X <= fixedCols_)
        cell.X = topLeft_.X - 1;
    if (current_.Y >= fixedRows_ && topLeft_.Y != fixedRows_ && cell.Y <= fixedRows_)
        cell.Y = topLeft_.Y - 1;
    const TGridLayout layout = ComputeLayout();
    if (cell.X < EditableCol() || cell.X > layout.Horz.LastFullVisibleCell + 1 || cell.Y < EditableRow() ||
        cell.Y > layout.Vert.LastFullVisibleCell + 1 || cell.X >= colCount_ || cell.Y >= rowCount_)
        return;
    if (!(cell == anchor_))
        selections_->ExtendSelection(cell);
}

void TTavikCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    tracker_.HitPoint = tracker_.LastMousePoint = {x, y};
    if (tracker_.RowDragPending && (std::abs(x - tracker_.RowDragStart.X) >= 5 || std::abs(y - tracker_.RowDragStart.Y) >= 5))
        BeginRowDragDrop();
    switch (mouseState_) {
    case gmsRowResizing:
    case gmsColResizing:
        EraseSizingLine();
        tracker_.SizingPos = (mouseState_ == gmsRowResizing ? y : x) + tracker_.SizingOfs;
        DrawSizingLine();
        break;
    case gmsSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: DragSelectTo(x, y); break;
    case gmsRowMoving: MoveAndScroll(y, PointToCell(x, y).Y, {x, y}, true); break;
    case gmsColMoving: MoveAndScroll(x, PointToCell(x, y).X, {x, y}, false); break;
    default: break;
    }
    ApplyGridCursor();
    TCustomControl::MouseMove(shift, x, y);
}

void TTavikCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    tracker_.LastMousePoint = {x, y};
    // Whatever a handler does on the way, the drag is over afterwards.
    struct EndDrag {
        TTavikCustomGrid* grid;
        ~EndDrag()
        {
            grid->selections_->CancelRangeDrag();
            grid->mouseState_ = gmsNone;
            grid->tracker_.RowDragPending = false;
            grid->tracker_.RowDragActive = false;
        }
    } endDrag{this};
    const TPoint point{x, y};
    switch (mouseState_) {
    case gmsSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: {
        const TGridMouseState state = mouseState_;
        DragSelectTo(x, y);
        KillTimer(AutoScrollTimer);
        // A refused move on the way may have ended the drag already.
        if (mouseState_ == gmsRangeFilling && state == gmsRangeFilling)
            selections_->EndRangeFill();
        else if (mouseState_ == gmsRangeMoving && state == gmsRangeMoving)
            selections_->EndRangeMove();
        UpdateEdit();
        GridClick();
        break;
    }
    case gmsColResizing:
    case gmsRowResizing: EndSizing(); break;
    case gmsRowMoving: EndRowMove(point); break;
    case gmsColMoving: EndColumnMove(point); break;
    case gmsColSelecting:
    case gmsRowSelecting:
        KillTimer(AutoScrollTimer);
        UpdateEdit();
        break;
    default: UpdateEdit(); break;
    }
    selections_->CancelRangeDrag();
    mouseState_ = gmsNone;
    ApplyGridCursor();
    TCustomControl::MouseUp(button, shift, x, y);
}

bool TTavikCustomGrid::IsBestWidthHit(int x, int y)
{
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0)
        return false;
    const TRect r = BoxBounds({cell.X, cell.Y, cell.X, cell.Y}, false);
    if (r.IsEmpty())
        return false;
    int col = -1;
    if (r.Right - x < 4) {
        col = cell.X;
    } else if (x - r.Left < 5) {
        // The border on the left belongs to the nearest shown column before it.
        for (int i = cell.X - 1; i >= 1 && col < 0; --i)
            if (ColWidths(i) > 0)
                col = i;
    } else {
        return false;
    }
    if (col > 0)
        BestWidthRequest(this, col);
    return true;
}
