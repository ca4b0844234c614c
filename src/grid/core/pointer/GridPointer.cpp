// The grid's pointer handling; see GridPointer.h.

#include "grid/core/pointer/GridPointer.h"

#include <cstdlib>

#include "grid/core/GridCoreState.h"
#include "grid/core/pointer/GridCursorImages.h"
#include "grid/core/GridEditing.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/pointer/GridPointerHost.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/layout/GridSizingZone.h"
#include "platform/base/AppContext.h"
#include "platform/base/TickCount.h"
#include "platform/canvas/Canvas.h"

namespace {

bool IsSizing(TGridMouseState s)
{
    return s == gmsRowResizing || s == gmsColResizing;
}

bool IsRangeDrag(TGridMouseState s)
{
    return s == gmsRangeFilling || s == gmsRangeMoving;
}

// The scroll directions of each axis: toward the start, toward the end.
constexpr unsigned ScrollTowardStart[2] = {TGridPointer::sdLeft, TGridPointer::sdUp};
constexpr unsigned ScrollTowardEnd[2] = {TGridPointer::sdRight, TGridPointer::sdDown};

constexpr TGridScrollBarKind AxisBar(TGridAxis axis)
{
    return axis == gaRows ? gsbVert : gsbHorz;
}

int AxisPos(TPoint p, TGridAxis axis)
{
    return axis == gaRows ? p.Y : p.X;
}

void RegisterGridCursorsOnce()
{
    // The cursors live in the application context, with this mark.
    struct GridCursorsRegistered {
        bool done = false;
    };
    bool& registered = AppContext().State<GridCursorsRegistered>().done;
    if (registered)
        return;
    registered = true;
    TControl::RegisterCursor(TGridPointer::crGridFill, *GridCursorImages::Fill(), GridCursorImages::FillHotSpot());
    TControl::RegisterCursor(TGridPointer::crGridMove, *GridCursorImages::Move(), GridCursorImages::MoveHotSpot());
}

} // namespace

TGridPointer::TGridPointer(TTavikCustomGrid& grid, IGridPointerHost& host, IGridEditorHost& editor,
                           TGridCoreState& state)
    : grid_(grid), host_(host), editor_(editor), d_(&state)
{
}

TGridCoord TGridPointer::PressedCell(int x, int y)
{
    TGridCoord cell = grid_.PointToCell(x, y);
    if (cell.X < 0)
        return cell;
    // A merged area answers for all its cells at its top-left one.
    const TGridRect area = grid_.MergedArea(cell.X, cell.Y);
    return {area.Left, area.Top};
}

void TGridPointer::StartDragSelect(TGridCoord cell, const TGridLayout& layout)
{
    // The partly visible corner cell would scroll away under the mouse at once.
    if (!dragSelect_ ||
        (cell.X == layout.Horz.LastFullVisibleCell + 1 && cell.Y == layout.Vert.LastFullVisibleCell + 1))
        return;
    d_->mouseState = gmsSelecting;
    grid_.SetTimer(TGridPointer::AutoScrollTimer, TGridPointer::AutoScrollInterval);
}

void TGridPointer::MouseDown(TMouseButton button, TShiftState shift, int x, int y, const TPassOn& mouseDown)
{
    // A drag still on at a new press lost its release to another window: it
    // ends as a cancelled one, its line erased.
    if (button == mbLeft && d_->mouseState != gmsNone)
        host_.CancelMode();
    d_->lastMoveReason = mrMouse;
    tracker_.HitPoint = tracker_.LastMousePoint = {x, y};
    if (button == mbLeft)
        grid_.Editing().NoteGridClick(std::max<uint32_t>(1, GetTickCount()));
    TCustomForm* form = grid_.ParentForm();
    if (grid_.CanFocus() || !form) {
        if (!grid_.Focused())
            grid_.SetFocus();
        if (form && form->ActiveControl() != &grid_) {
            TControl::ReleaseCapture();
            return;
        }
    }
    if (grid_.EditorMode() && !grid_.CanHideEditor())
        return;
    if (button != mbLeft) {
        mouseDown();
        return;
    }
    const bool dbl = shift & ssDouble;
    if (dbl && grid_.HasOption(goColDblClickMaxWidth) && grid_.HasOption(goColSizing) && host_.IsBestWidthHit(x, y)) {
        mouseDown();
        return;
    }

    const TGridLayout layout = grid_.ComputeLayout();
    TGridMouseState state = gmsNone;
    CalcSizingState(x, y, layout, tracker_.SizingOfs, tracker_.SizingPos, tracker_.SizingIndex, state);
    if (IsSizing(state)) {
        d_->mouseState = state;
        grid_.Update();
        DrawSizingLine();
        return;
    }
    if (IsRangeDrag(state)) {
        d_->mouseState = state;
        d_->selections->BeginRangeDrag();
        // A fill follows the mouse past the edges of the view; a move does not.
        if (state == gmsRangeFilling)
            grid_.SetTimer(TGridPointer::AutoScrollTimer, TGridPointer::AutoScrollInterval);
        return;
    }

    const TGridCoord cell = PressedCell(x, y);
    if (cell.X < 0) {
        mouseDown();
        return;
    }
    if (TryStartRowDrag(cell, {x, y}))
        return;

    const bool head = cell.X < d_->Editable(gaCols) || cell.Y < d_->Editable(gaRows);
    const bool split = grid_.RowStyle(cell.Y) == rsSplit;
    const bool readOnly = editor_.QueryReadOnly(cell.X, cell.Y);
    const bool parts = grid_.HasEditParts(cell.X, cell.Y);
    const bool ctrlAdds = grid_.HasOption(goMultiSelection) && (shift & ssCtrl);
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
            for (int i = 0, n = host_.EditPartCount(cell.X, cell.Y); i < n && hitPart < 0; ++i) {
                int fontHeight = 0;
                TRect r;
                QString text;
                if (editor_.GetEditPart(cell.X, cell.Y, i, fontHeight, r, text) && r.Contains({x, y}))
                    hitPart = i;
            }
            if (grid_.HasOption(goEditing) && cell == d_->current && hitPart >= 0) {
                grid_.HideEditor();
                host_.SetCurrentEditPart(cell.X, cell.Y, hitPart);
                if (!host_.IsSpecialRegion(x, y))
                    grid_.ShowEditor(QChar(' '));
                host_.GridClick();
                mouseDown();
                return;
            }
            StartDragSelect(cell, layout);
            if (shift & ssShift) {
                grid_.HideEditor();
                d_->selections->ExtendSelection(cell);
            } else {
                grid_.MoveCurrent(cell.X, cell.Y, true, true, true, true);
            }
            editor_.UpdateEdit();
        } else if ((!readOnly && !split) || parts) {
            if (TryStartHeadMove(cell, {x, y}))
                return;
        } else {
            grid_.HideEditor();
            mouseDown();
            return;
        }
    } else {
        const bool editing = grid_.HasOption(goEditing);
        if (editing && cell == d_->current) {
            if (!host_.IsSpecialRegion(x, y))
                grid_.ShowEditor(QChar(' '));
            host_.GridClick();
            mouseDown();
            return;
        }
        if (dbl) {
            mouseDown();
            return;
        }
        if (!editing || !grid_.EditorMode())
            StartDragSelect(cell, layout);
        if (shift & ssShift) {
            grid_.HideEditor();
            d_->selections->ExtendSelection(cell);
        } else {
            grid_.MoveCurrent(cell.X, cell.Y, !ctrlAdds, true, true, true);
            if (d_->current == before) {
                editor_.UpdateEdit();
                mouseDown();
                return;
            }
        }
        editor_.UpdateEdit();
        if (editing && host_.ClickShowsEditor(x, y)) {
            if (!host_.IsSpecialRegion(x, y))
                grid_.ShowEditor(QChar(' '));
            mouseDown();
            return;
        }
    }

    if (grid_.HasOption(goMultiSelection) || grid_.HasOptionEx(goAllowSelectRow) ||
        grid_.HasOptionEx(goAllowSelectCol)) {
        if (!d_->selections->SelectOnPress(cell, shift & ssShift, shift & ssCtrl, hadSeveral))
            return;
        mouseDown();
    } else {
        d_->selections->SetRange(grid_.SelectionRect(), true);
        mouseDown();
        host_.GridClick();
    }
}

void TGridPointer::DragSelectTo(int x, int y)
{
    TGridCoord cell = PressedCell(x, y);
    if (cell.X < 0)
        return;
    const TGridLayout layout = grid_.ComputeLayout();
    for (const TGridAxis axis : {gaCols, gaRows}) {
        int& i = AxisPart(cell, axis);
        const int fixed = d_->Fixed(axis);
        const int top = AxisPart(d_->topLeft, axis);
        // Dragging into the heads of a scrolled view scrolls back.
        if (AxisPart(d_->current, axis) >= fixed && top != fixed && i <= fixed)
            i = top - 1;
    }
    for (const TGridAxis axis : {gaCols, gaRows}) {
        const int i = AxisPart(cell, axis);
        if (i < d_->Editable(axis) || i > layout.Axis(axis).LastFullVisibleCell + 1 || i >= d_->Count(axis))
            return;
    }
    if (!(cell == d_->anchor))
        d_->selections->ExtendSelection(cell);
}

void TGridPointer::MouseMove(int x, int y)
{
    tracker_.HitPoint = tracker_.LastMousePoint = {x, y};
    if (tracker_.RowDragPending &&
        (std::abs(x - tracker_.RowDragStart.X) >= 5 || std::abs(y - tracker_.RowDragStart.Y) >= 5))
        BeginRowDragDrop();
    switch (d_->mouseState) {
    case gmsRowResizing:
    case gmsColResizing:
        EraseSizingLine();
        tracker_.SizingPos = (d_->mouseState == gmsRowResizing ? y : x) + tracker_.SizingOfs;
        DrawSizingLine();
        break;
    case gmsSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: DragSelectTo(x, y); break;
    case gmsRowMoving: MoveAndScroll(gaRows, {x, y}, grid_.PointToCell(x, y).Y); break;
    case gmsColMoving: MoveAndScroll(gaCols, {x, y}, grid_.PointToCell(x, y).X); break;
    default: break;
    }
    ApplyGridCursor();
}

void TGridPointer::MouseUp(int x, int y, const TPassOn& mouseUp)
{
    tracker_.LastMousePoint = {x, y};
    // Whatever a handler does on the way, the drag is over afterwards.
    struct EndDrag {
        TGridPointer* pointer;
        ~EndDrag()
        {
            pointer->d_->selections->CancelRangeDrag();
            pointer->d_->mouseState = gmsNone;
            pointer->tracker_.RowDragPending = false;
            pointer->tracker_.RowDragActive = false;
        }
    } endDrag{this};
    const TPoint point{x, y};
    switch (d_->mouseState) {
    case gmsSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: {
        const TGridMouseState state = d_->mouseState;
        DragSelectTo(x, y);
        grid_.KillTimer(TGridPointer::AutoScrollTimer);
        // A refused move on the way may have ended the drag already.
        if (d_->mouseState == gmsRangeFilling && state == gmsRangeFilling)
            d_->selections->EndRangeFill();
        else if (d_->mouseState == gmsRangeMoving && state == gmsRangeMoving)
            d_->selections->EndRangeMove();
        editor_.UpdateEdit();
        host_.GridClick();
        break;
    }
    case gmsColResizing:
    case gmsRowResizing: EndSizing(); break;
    case gmsRowMoving: EndMove(gaRows, point); break;
    case gmsColMoving: EndMove(gaCols, point); break;
    case gmsColSelecting:
    case gmsRowSelecting:
        grid_.KillTimer(TGridPointer::AutoScrollTimer);
        editor_.UpdateEdit();
        break;
    default: editor_.UpdateEdit(); break;
    }
    d_->selections->CancelRangeDrag();
    d_->mouseState = gmsNone;
    ApplyGridCursor();
    mouseUp();
}

void TGridPointer::CancelMode()
{
    switch (d_->mouseState) {
    case gmsSelecting:
    case gmsColSelecting:
    case gmsRowSelecting:
    case gmsRangeFilling:
    case gmsRangeMoving: grid_.KillTimer(TGridPointer::AutoScrollTimer); break;
    case gmsRowResizing:
    case gmsColResizing: EraseSizingLine(); break;
    case gmsRowMoving:
    case gmsColMoving:
        EraseMoveLine();
        grid_.KillTimer(TGridPointer::AutoScrollTimer);
        break;
    default: break;
    }
    if (tracker_.RowDragActive)
        host_.ShowPointerCursor(crDefault);
    tracker_.RowDragPending = false;
    tracker_.RowDragActive = false;
    d_->selections->CancelRangeDrag();
    d_->mouseState = gmsNone;
}

// --- sizing ---

void TGridPointer::CalcSizingState(int x, int y, const TGridLayout& layout, int& offset, int& pos, int& index,
                                   TGridMouseState& state)
{
    state = gmsNone;
    index = -1;
    if (d_->selections->IsEmpty())
        return;
    const TPoint point{x, y};
    if (grid_.HasOption(goRangeFilling) && d_->selections->HitsFillHandle(point)) {
        state = gmsRangeFilling;
        return;
    }
    if (grid_.HasOption(goRangeMoving) && d_->selections->HitsBorder(point)) {
        state = gmsRangeMoving;
        return;
    }
    const bool colSizing = grid_.HasOption(goColSizing);
    const bool rowSizing = grid_.HasOption(goRowSizing);
    auto acceptCol = [&](int col) { return host_.QueryColSizing(col, point); };
    auto acceptRow = [&](int row) {
        if (grid_.HasOption(goRowSplit) && grid_.RowStyle(row) == rsSplit)
            return false;
        return host_.QueryRowSizing(row, point);
    };
    TGridSizingZone::THit hit;
    auto take = [&](TGridMouseState s) {
        state = s;
        index = hit.Index;
        pos = hit.Pos;
        offset = hit.Ofs;
    };
    if (grid_.HasOption(goAdjustLiberty)) {
        if (colSizing && TGridSizingZone::AxisHit(layout.Horz, x, acceptCol, hit))
            take(gmsColResizing);
        if (rowSizing && TGridSizingZone::AxisHit(layout.Vert, y, acceptRow, hit))
            take(gmsRowResizing);
        return;
    }
    if (!colSizing && !rowSizing)
        return;
    if (colSizing && x > layout.Horz.LockedBoundary) {
        // Columns are sized from the locked head rows only.
        if (y < layout.Vert.LockedBoundary && TGridSizingZone::AxisHit(layout.Horz, x, acceptCol, hit))
            take(gmsColResizing);
        return;
    }
    // Rows are sized from the locked head columns only.
    if (rowSizing && y > layout.Vert.LockedBoundary && x < layout.Horz.LockedBoundary &&
        TGridSizingZone::AxisHit(layout.Vert, y, acceptRow, hit))
        take(gmsRowResizing);
}

void TGridPointer::XorLine(TPoint from, TPoint to, int width, TPenStyle style, TColor color)
{
    std::unique_ptr<TCanvas> canvas = host_.DragLineCanvas();
    if (!canvas)
        return;
    canvas->Pen().SetColor(color);
    canvas->Pen().SetWidth(width);
    canvas->Pen().SetStyle(style);
    canvas->Pen().SetMode(pmXor);
    canvas->Pen().SetEndCap(pecFlat);
    canvas->Brush().SetStyle(bsClear);
    canvas->MoveTo(from.X, from.Y);
    canvas->LineTo(to.X, to.Y);
}

void TGridPointer::DrawSizingLine()
{
    const bool rows = d_->mouseState == gmsRowResizing;
    (rows ? grid_.RowSizingLine : grid_.ColSizingLine)(&grid_, tracker_.SizingPos);
    if (tracker_.SizingLineAt || tracker_.SizingPos < 0 || tracker_.SizingPos > (rows ? grid_.Height() : grid_.Width()))
        return;
    // What is still to be painted would wipe part of the line.
    grid_.Update();
    const int at = tracker_.SizingPos;
    const TPoint from = rows ? TPoint{0, at} : TPoint{at, 0};
    const TPoint to = rows ? TPoint{grid_.ClientWidth(), at} : TPoint{at, grid_.ClientHeight()};
    XorLine(from, to, 1, psDot, clWhite);
    tracker_.SizingLineAt = at;
}

void TGridPointer::EraseSizingLine()
{
    if (!tracker_.SizingLineAt)
        return;
    const bool rows = d_->mouseState == gmsRowResizing;
    const int at = *tracker_.SizingLineAt;
    tracker_.SizingLineAt.reset();
    (rows ? grid_.RowSizingLine : grid_.ColSizingLine)(&grid_, at);
    const TPoint from = rows ? TPoint{0, at} : TPoint{at, 0};
    const TPoint to = rows ? TPoint{grid_.ClientWidth(), at} : TPoint{at, grid_.ClientHeight()};
    XorLine(from, to, 1, psDot, clWhite);
}

void TGridPointer::EndSizing()
{
    EraseSizingLine();
    const TGridAxis axis = d_->mouseState == gmsRowResizing ? gaRows : gaCols;
    const int index = tracker_.SizingIndex;
    if (index < 0 || index >= d_->Count(axis))
        return;
    const TGridLayout layout = grid_.ComputeLayout();
    const TGridAxisLayout& a = layout.Axis(axis);
    // The cell's start: fixed-edit cells count from the locked heads, the
    // others from the fixed band over the cells in view; hidden cells add nothing.
    int start;
    if (index < a.FixedCellCount) {
        start = a.LockedBoundary;
        for (int i = a.FixedCellCount - a.FixedEditCellCount; i < index; ++i)
            start += a.Step(i);
    } else {
        start = a.FixedBoundary;
        for (int i = a.FirstGridCell; i < index; ++i)
            start += a.Step(i);
    }
    auto size = [&] { return axis == gaRows ? grid_.GetRowHeight(index) : grid_.ColWidths(index); };
    const int newSize = tracker_.SizingPos - start;
    bool accept = true;
    (axis == gaRows ? grid_.RowSizeQuery : grid_.ColSizeQuery)(&grid_, index, size(), newSize, accept);
    // A line of 0 or 1 pixel is never made by dragging.
    if (newSize > 1 && accept) {
        if (axis == gaRows)
            grid_.SetRowHeight(index, newSize);
        else
            grid_.SetColWidths(index, newSize);
    }
    if (size() == newSize || newSize < 0)
        grid_.Invalidate();
}

// --- moving ---

bool TGridPointer::TryStartHeadMove(TGridCoord cell, TPoint point)
{
    if (grid_.HasEditParts(cell.X, cell.Y))
        return false;
    // A row moves by its head column, a column by its head row.
    for (const TGridAxis axis : {gaRows, gaCols}) {
        const TGridAxis across = axis == gaRows ? gaCols : gaRows;
        if (!grid_.HasOption(axis == gaRows ? goRowMoving : goColMoving) ||
            AxisPart(cell, across) >= d_->Fixed(across) || AxisPart(cell, axis) < d_->Fixed(axis))
            continue;
        tracker_.MoveFrom = tracker_.MoveTo = AxisPart(cell, axis);
        tracker_.MoveHit = cell;
        int from = tracker_.MoveFrom;
        int to = tracker_.MoveTo;
        if (!(axis == gaRows ? host_.BeginRowDrag(from, to, point) : host_.BeginColumnDrag(from, to, point)))
            return false;
        tracker_.MoveFrom = from;
        tracker_.MoveTo = to;
        if (axis == gaCols)
            ComputeColMoveLimits(cell);
        d_->mouseState = axis == gaRows ? gmsRowMoving : gmsColMoving;
        grid_.Update();
        DrawMoveLine();
        grid_.SetTimer(TGridPointer::AutoScrollTimer, TGridPointer::AutoScrollInterval);
        return true;
    }
    return false;
}

void TGridPointer::ComputeColMoveLimits(TGridCoord cell)
{
    const TGridRect pressed = grid_.MergedArea(cell.X, cell.Y);
    tracker_.MoveBlockFirst = pressed.Left;
    tracker_.MoveBlockLast = pressed.Right;
    tracker_.ColMoveHeadRow = 0;
    tracker_.ColMoveFirst = 0;
    tracker_.ColMoveLast = INT_MAX;
    // The narrowest wider head above that holds the pressed one bounds the move.
    int best = INT_MAX;
    for (int row = 0; row < d_->Editable(gaRows) && row < d_->rowCount; ++row) {
        const TGridRect a = grid_.MergedArea(cell.X, row);
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

void TGridPointer::MoveAndScroll(TGridAxis axis, TPoint point, int cellIndex)
{
    const int pos = AxisPos(point, axis);
    TGridLayout layout = grid_.ComputeLayout();
    const TGridAxisLayout* a = &layout.Axis(axis);
    const int fixed = d_->Fixed(axis);
    const int last = d_->Count(axis) - 1;
    if (cellIndex == tracker_.MoveTo || (tracker_.MoveTo == fixed && pos < a->FixedBoundary) ||
        (tracker_.MoveTo == last && pos > a->GridBoundary))
        return;
    EraseMoveLine();
    int target = cellIndex;
    if (pos < a->FixedBoundary && tracker_.MoveTo >= fixed) {
        host_.ModifyScrollBar(AxisBar(axis), SB_LINEUP, 0);
        layout = grid_.ComputeLayout();
        target = a->FirstGridCell;
    } else if (pos >= a->FullVisBoundary && tracker_.MoveTo == a->LastFullVisibleCell && tracker_.MoveTo < last) {
        host_.ModifyScrollBar(AxisBar(axis), SB_LINEDOWN, 0);
        layout = grid_.ComputeLayout();
        target = a->LastFullVisibleCell;
    } else if (cellIndex < 0) {
        target = tracker_.MoveTo;
    }
    int from = tracker_.MoveFrom;
    if (target >= 0 && target <= last &&
        (axis == gaRows ? host_.CheckRowDrag(from, target, point) : host_.CheckColumnDrag(from, target, point)) &&
        target >= 0 && target <= last) {
        tracker_.MoveTo = target;
        const TGridCoord hit = grid_.PointToCell(point.X, point.Y);
        if (hit.X >= 0)
            tracker_.MoveHit = hit;
    }
    DrawMoveLine();
}

void TGridPointer::DrawMoveLine()
{
    if (!showMoveLine_ || tracker_.MoveLineAt)
        return;
    const bool rows = d_->mouseState == gmsRowMoving;
    const bool forward = tracker_.MoveTo > tracker_.MoveFrom;
    TPoint from;
    TPoint to;
    if (rows) {
        const TRect r = grid_.CellBounds(std::max(tracker_.MoveHit.X, 0), tracker_.MoveTo);
        if (r.IsEmpty())
            return;
        const int y = forward ? r.Bottom : r.Top;
        from = {0, y};
        to = {grid_.ClientWidth(), y};
    } else {
        const TGridRect area = grid_.MergedArea(tracker_.MoveTo, std::max(tracker_.MoveHit.Y, 0));
        tracker_.MoveTo = forward ? area.Right : area.Left;
        const TRect r = host_.BoxBounds(area, false);
        if (r.IsEmpty())
            return;
        const int x = forward ? r.Right : r.Left;
        from = {x, 0};
        to = {x, grid_.ClientHeight()};
    }
    grid_.Update();
    XorLine(from, to, 2, psSolid, grid_.Color());
    tracker_.MoveLineAt = std::make_pair(from, to);
}

void TGridPointer::EraseMoveLine()
{
    if (!tracker_.MoveLineAt)
        return;
    const auto [from, to] = *tracker_.MoveLineAt;
    tracker_.MoveLineAt.reset();
    XorLine(from, to, 2, psSolid, grid_.Color());
}

void TGridPointer::EndMove(TGridAxis axis, TPoint point)
{
    EraseMoveLine();
    grid_.KillTimer(TGridPointer::AutoScrollTimer);
    // The row drag's own cursor ends with it.
    if (axis == gaRows)
        host_.ShowPointerCursor(crDefault);
    int from = tracker_.MoveFrom;
    int to = tracker_.MoveTo;
    const bool accepted =
        axis == gaRows ? host_.EndRowDrag(from, to, point) : host_.EndColumnDrag(from, to, point);
    if (accepted && from != to) {
        // A column head may span a block of columns; a row moves alone.
        const int first = axis == gaRows ? from : tracker_.MoveBlockFirst;
        const int last = axis == gaRows ? from : tracker_.MoveBlockLast;
        const int count = d_->Count(axis);
        // The block moves as a whole or not at all.
        const bool valid = first >= 0 && first <= last && last < count && (to < first || to > last) &&
                           (to < from ? to >= 0 && to + last - first < count : to - (last - first) >= 0 && to < count);
        auto move = [&](int i, int j) { axis == gaRows ? grid_.MoveRow(i, j) : grid_.MoveColumn(i, j); };
        if (valid) {
            if (to < from) {
                for (int i = first; i <= last; ++i)
                    move(i, to + i - first);
            } else {
                for (int i = last; i >= first; --i)
                    move(i, to + i - last);
            }
            // Moving a row leaves the picture to its caller.
            if (axis == gaRows)
                grid_.Invalidate();
        }
    }
    editor_.UpdateEdit();
}

bool TGridPointer::TryStartRowDrag(TGridCoord cell, TPoint point)
{
    // A row selection covers the row, not its head cells.
    if (!rowDragEnabled_ || !d_->selections->AllRows() || !d_->selections->CoversLine(-1, cell.Y) ||
        cell.X >= d_->Editable(gaCols))
        return false;
    tracker_.RowDragPending = true;
    tracker_.RowDragStart = point;
    tracker_.RowDragCell = cell;
    return true;
}

// The platform's drag-and-drop loop is stood in for by the grid's own row
// move: the mouse is captured already, and the drop lands on this grid.
void TGridPointer::BeginRowDragDrop()
{
    tracker_.RowDragPending = false;
    tracker_.RowDragActive = true;
    int rows = 0;
    for (int i = 0; i < d_->selections->Count(); ++i) {
        const TGridRect r = d_->selections->Items(i)->GetRange();
        rows += r.Bottom - r.Top + 1;
    }
    host_.ShowPointerCursor(d_->selections->Count() > 1 || rows > 1 ? crMultiDrag : crDrag);
    tracker_.MoveFrom = tracker_.MoveTo = tracker_.RowDragCell.Y;
    tracker_.MoveHit = tracker_.RowDragCell;
    d_->mouseState = gmsRowMoving;
    grid_.SetTimer(TGridPointer::AutoScrollTimer, TGridPointer::AutoScrollInterval);
    grid_.Update();
    DrawMoveLine();
}

// --- auto-scroll ---

void TGridPointer::TimerFired()
{
    const TGridMouseState state = d_->mouseState;
    if (state != gmsSelecting && (state < gmsRowMoving || state > gmsRangeFilling))
        return;
    const TPoint p = tracker_.LastMousePoint;
    const TGridLayout layout = grid_.ComputeLayout();
    TGridCoord cell = grid_.PointToCell(p.X, p.Y);
    if (cell.X >= 0) {
        const TGridRect area = grid_.MergedArea(cell.X, cell.Y);
        cell = {area.Left, area.Top};
    }
    unsigned directions = 0;
    for (const TGridAxis axis : {gaCols, gaRows}) {
        const TGridAxisLayout& a = layout.Axis(axis);
        const int pos = AxisPos(p, axis);
        // Past the last cell counts as the last one, so that a drag out of the
        // window keeps going.
        const int index = AxisPart(cell, axis) >= 0 ? AxisPart(cell, axis)
                          : pos >= a.GridBoundary   ? d_->Count(axis) - 1
                                                    : -1;
        if (pos < a.FixedBoundary)
            directions |= ScrollTowardStart[axis];
        else if (pos > a.FullVisBoundary && index > AxisPart(d_->topLeft, axis))
            directions |= ScrollTowardEnd[axis];
    }
    switch (state) {
    case gmsSelecting:
    case gmsRangeFilling:
        if (directions != 0)
            TimedScroll(directions);
        break;
    case gmsRowMoving: MoveAndScroll(gaRows, p, cell.Y); break;
    case gmsColMoving: MoveAndScroll(gaCols, p, cell.X); break;
    case gmsColSelecting: SelectHeadsTo(gaCols, directions); break;
    case gmsRowSelecting: SelectHeadsTo(gaRows, directions); break;
    default: break;
    }
}

// Dragging over the heads scrolls a line and stretches the column or row
// selection from the current cell to the one under the mouse.
void TGridPointer::SelectHeadsTo(TGridAxis axis, unsigned directions)
{
    const TPoint p = tracker_.LastMousePoint;
    if (directions & ScrollTowardStart[axis])
        host_.ModifyScrollBar(AxisBar(axis), SB_LINEUP, 0);
    else if (directions & ScrollTowardEnd[axis])
        host_.ModifyScrollBar(AxisBar(axis), SB_LINEDOWN, 0);
    const int top = AxisPart(d_->topLeft, axis);
    int i = AxisPart(grid_.PointToCell(p.X, p.Y), axis);
    if (i < 0)
        i = AxisPos(p, axis) >= grid_.ComputeLayout().Axis(axis).GridBoundary ? d_->Count(axis) - 1 : top;
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
        host_.NormalizeSelRect({d_->Editable(gaCols), std::min(current, i), d_->colCount - 1, std::max(current, i)},
                               range);
        selection = std::make_unique<TRowSelection>(range.Top, range.Bottom);
    }
    if (range != old) {
        d_->selections->ReplaceLast(std::move(selection));
        static_cast<ISelectionHost&>(grid_).RepaintRangeChange(old, d_->selections->Last()->GetRange(), true, true);
    }
}

void TGridPointer::TimedScroll(unsigned directions)
{
    TGridCoord a = d_->anchor;
    // The next shown cell that way, hidden ones passed over; none leaves the anchor.
    for (const TGridAxis axis : {gaCols, gaRows}) {
        const int fixed = d_->Fixed(axis);
        const int count = d_->Count(axis);
        int& i = AxisPart(a, axis);
        if (directions & ScrollTowardStart[axis]) {
            const int prev = axis == gaRows ? grid_.PrevShownRow(i - 1, fixed) : d_->colWidths.PrevPositive(i - 1, fixed, d_->defaultColWidth);
            if (prev >= fixed)
                i = prev;
        }
        if (directions & ScrollTowardEnd[axis]) {
            const int next = axis == gaRows ? grid_.NextShownRow(i + 1, count) : d_->colWidths.NextPositive(i + 1, count, d_->defaultColWidth);
            if (next < count)
                i = next;
        }
        i = std::clamp(i, 0, count - 1);
    }
    if (!(a == d_->anchor))
        d_->selections->ExtendSelection(a);
}

// --- cursor ---

TCursor TGridPointer::GridCursor()
{
    const TGridLayout layout = grid_.ComputeLayout();
    TGridMouseState state = d_->mouseState;
    const bool beforeDrag = state == gmsNone;
    if (beforeDrag) {
        int offset = 0;
        int pos = 0;
        int index = -1;
        CalcSizingState(tracker_.HitPoint.X, tracker_.HitPoint.Y, layout, offset, pos, index, state);
    }
    auto over = [](int p, const TGridAxisLayout& a) { return p >= a.LockedBoundary && p < a.FixedBoundary; };
    const bool overEditCols = over(tracker_.HitPoint.X, layout.Horz);
    const bool overEditRows = over(tracker_.HitPoint.Y, layout.Vert);
    switch (state) {
    case gmsRowResizing: return beforeDrag && overEditCols ? TCursor(crDefault) : TCursor(crVSplit);
    case gmsColResizing: return beforeDrag && overEditRows ? TCursor(crDefault) : TCursor(crHSplit);
    case gmsRangeFilling: return beforeDrag && overEditRows ? TCursor(crDefault) : TGridPointer::crGridFill;
    case gmsRangeMoving: return beforeDrag && overEditRows ? TCursor(crDefault) : TGridPointer::crGridMove;
    default: return crDefault;
    }
}

void TGridPointer::ApplyGridCursor()
{
    // The drag cursor of a row drag stays until the drop.
    if (tracker_.RowDragActive)
        return;
    const TCursor cursor = GridCursor();
    if (cursor == TGridPointer::crGridFill || cursor == TGridPointer::crGridMove)
        RegisterGridCursorsOnce();
    host_.ShowPointerCursor(cursor);
}

bool TGridPointer::QuerySpecialRegion(int x, int y)
{
    bool special = false;
    grid_.OnQuerySpecRegion(&grid_, x, y, special);
    return special;
}

bool TGridPointer::BestWidthHit(int x, int y)
{
    const TGridCoord cell = grid_.PointToCell(x, y);
    if (cell.X < 0)
        return false;
    const TRect r = host_.BoxBounds({cell.X, cell.Y, cell.X, cell.Y}, false);
    if (r.IsEmpty())
        return false;
    int col = -1;
    if (r.Right - x < 4) {
        col = cell.X;
    } else if (x - r.Left < 5) {
        // The border on the left belongs to the nearest shown column before it.
        for (int i = cell.X - 1; i >= 1 && col < 0; --i)
            if (grid_.ColWidths(i) > 0)
                col = i;
    } else {
        return false;
    }
    if (col > 0)
        grid_.BestWidthRequest(&grid_, col);
    return true;
}

bool TGridPointer::ColumnDragAllowed(int origin, int destination, const TPoint& mousePt)
{
    const TGridDragTracker& tracker = tracker_;
    if (destination < tracker.ColMoveFirst || destination > tracker.ColMoveLast)
        return false;
    const TGridCoord mouse = grid_.PointToCell(mousePt.X, mousePt.Y);
    int boundary = destination;
    if (mouse.X >= 0) {
        const TGridRect area = grid_.MergedArea(mouse.X, mouse.Y);
        boundary = mouse.X > origin ? area.Right : area.Left;
    }
    const int after = destination > origin ? boundary + 1 : boundary;
    if (!grid_.HasOption(goCellMerge) || after <= 0 || after >= d_->colCount)
        return true;
    // The boundary must not split a merged head.
    for (int row = tracker.ColMoveHeadRow; row < grid_.EditableRow() && row < d_->rowCount; ++row) {
        const int id = grid_.MergeId(after, row);
        if (id != 0 && grid_.MergeId(after - 1, row) == id)
            return false;
    }
    return true;
}
