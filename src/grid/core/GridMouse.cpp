// Mouse input of the grid core: presses, drags and releases in every mouse
// state, and the double-click request for a column's best width.

#include <cstdlib>

#include "grid/core/GridCoreState.h"
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
    if (!d_->dragSelect ||
        (cell.X == layout.Horz.LastFullVisibleCell + 1 && cell.Y == layout.Vert.LastFullVisibleCell + 1))
        return;
    d_->mouseState = gmsSelecting;
    SetTimer(AutoScrollTimer, AutoScrollInterval);
}

void TTavikCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    // A drag still on at a new press lost its release to another window: it
    // ends as a cancelled one, its line erased.
    if (button == mbLeft && d_->mouseState != gmsNone)
        CancelMode();
    d_->lastMoveReason = mrMouse;
    d_->tracker.HitPoint = d_->tracker.LastMousePoint = {x, y};
    if (button == mbLeft)
        d_->lastGridClick = std::max<uint32_t>(1, GetTickCount());
    TCustomForm* form = ParentForm();
    if (CanFocus() || !form) {
        if (!Focused())
            SetFocus();
        if (form && form->ActiveControl() != this) {
            ReleaseCapture();
            return;
        }
    }
    if (d_->editorMode && !CanHideEditor())
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
    CalcSizingState(x, y, layout, d_->tracker.SizingOfs, d_->tracker.SizingPos, d_->tracker.SizingIndex, state);
    if (IsSizing(state)) {
        d_->mouseState = state;
        Update();
        DrawSizingLine();
        return;
    }
    if (IsRangeDrag(state)) {
        d_->mouseState = state;
        d_->selections->BeginRangeDrag();
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
    const TGridCoord before = d_->current;
    // Taken before the current-cell move below clears the set.
    const bool hadSeveral = d_->selections->Count() > 1;

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
            if (HasOption(goEditing) && cell == d_->current && hitPart >= 0) {
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
                d_->selections->ExtendSelection(cell);
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
        if (editing && cell == d_->current) {
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
        if (!editing || !d_->editorMode)
            StartDragSelect(cell, layout);
        if (shift & ssShift) {
            HideEditor();
            d_->selections->ExtendSelection(cell);
        } else {
            MoveCurrent(cell.X, cell.Y, !ctrlAdds, true, true, true);
            if (d_->current == before) {
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
        if (!d_->selections->SelectOnPress(cell, shift & ssShift, shift & ssCtrl, hadSeveral))
            return;
        mouseDown();
    } else {
        d_->selections->SetRange(SelectionRect(), true);
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
    if (d_->current.X >= d_->fixedCols && d_->topLeft.X != d_->fixedCols && cell.X <= d_->fixedCols)
        cell.X = d_->topLeft.X - 1;
    if (d_->current.Y >= d_->fixedRows && d_->topLeft.Y != d_->fixedRows && cell.Y <= d_->fixedRows)
        cell.Y = d_->topLeft.Y - 1;
    const TGridLayout layout = ComputeLayout();
    if (cell.X < EditableCol() || cell.X > layout.Horz.LastFullVisibleCell + 1 || cell.Y < EditableRow() ||
        cell.Y > layout.Vert.LastFullVisibleCell + 1 || cell.X >= d_->colCount || cell.Y >= d_->rowCount)
        return;
    if (!(cell == d_->anchor))
        d_->selections->ExtendSelection(cell);
}

void TTavikCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    d_->tracker.HitPoint = d_->tracker.LastMousePoint = {x, y};
    if (d_->tracker.RowDragPending && (std::abs(x - d_->tracker.RowDragStart.X) >= 5 || std::abs(y - d_->tracker.RowDragStart.Y) >= 5))
        BeginRowDragDrop();
    switch (d_->mouseState) {
    case gmsRowResizing:
    case gmsColResizing:
        EraseSizingLine();
        d_->tracker.SizingPos = (d_->mouseState == gmsRowResizing ? y : x) + d_->tracker.SizingOfs;
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
    d_->tracker.LastMousePoint = {x, y};
    // Whatever a handler does on the way, the drag is over afterwards.
    struct EndDrag {
        TTavikCustomGrid* grid;
        ~EndDrag()
        {
            grid->d_->selections->CancelRangeDrag();
            grid->d_->mouseState = gmsNone;
            grid->d_->tracker.RowDragPending = false;
            grid->d_->tracker.RowDragActive = false;
        }
    } endDrag{this};
    const TPoint point{x, y};
    switch (d_->mouseState) {
    case gmsSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: {
        const TGridMouseState state = d_->mouseState;
        DragSelectTo(x, y);
        KillTimer(AutoScrollTimer);
        // A refused move on the way may have ended the drag already.
        if (d_->mouseState == gmsRangeFilling && state == gmsRangeFilling)
            d_->selections->EndRangeFill();
        else if (d_->mouseState == gmsRangeMoving && state == gmsRangeMoving)
            d_->selections->EndRangeMove();
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
    d_->selections->CancelRangeDrag();
    d_->mouseState = gmsNone;
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
