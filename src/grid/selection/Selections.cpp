#include "grid/selection/Selections.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace {

bool StartsBefore(const TGridRect& r, int col0, int row0)
{
    return r.Left < col0 || r.Top < row0;
}

TRect Grown(TRect r, int by)
{
    InflateRect(r, by, by);
    return r;
}

} // namespace

TSelections::TSelections(ISelectionHost* grid) : FGrid(grid)
{
    if (!grid)
        throw std::invalid_argument("A selection set needs its grid");
}

// The grid is going away with the set: nobody is told.
TSelections::~TSelections() = default;

int TSelections::C0() const
{
    return FGrid->FixedCols() - FGrid->FixedEditCols();
}

int TSelections::R0() const
{
    return FGrid->FixedRows() - FGrid->FixedEditRows();
}

TGridRect TSelections::LastRange() const
{
    return IsEmpty() ? TGridRect{} : Last()->GetRange();
}

void TSelections::CheckCell(TGridCoord cell) const
{
    if (cell.X < 0 || cell.X >= FGrid->ColCount() || cell.Y < 0 || cell.Y >= FGrid->RowCount())
        throw EGridException(grid_errors::IndexOutOfRange);
}

void TSelections::Add(std::unique_ptr<TGridSelection> selection, bool clearFirst)
{
    if (!selection)
        throw std::invalid_argument("No selection to add");
    // Checked before anything changes, so a refused selection leaves the set as it was.
    const int cols = FGrid->ColCount();
    const int rows = FGrid->RowCount();
    auto outside = [](int first, int last, int count) { return first < 0 || last >= count; };
    if (auto* range = dynamic_cast<TRangeSelection*>(selection.get())) {
        const TGridRect& r = range->Range();
        if (outside(r.Left, r.Right, cols) || outside(r.Top, r.Bottom, rows))
            throw EGridException(grid_errors::IndexOutOfRange);
    } else if (auto* rowSel = dynamic_cast<TRowSelection*>(selection.get())) {
        if (outside(rowSel->FirstRow(), rowSel->LastRow(), rows))
            throw EGridException(grid_errors::IndexOutOfRange);
    } else if (auto* colSel = dynamic_cast<TColSelection*>(selection.get())) {
        if (outside(colSel->FirstCol(), colSel->LastCol(), cols))
            throw EGridException(grid_errors::IndexOutOfRange);
    }

    if (clearFirst)
        Clear();
    selection->SetOwner(this);
    TGridSelection* added = selection.get();
    FItems.push_back(std::move(selection));
    FGrid->SelectionNotify(added, snAdded);
}

void TSelections::SetRange(const TGridRect& range, bool clearFirst)
{
    const TGridRect r = GridRect({range.Left, range.Top}, {range.Right, range.Bottom});
    const bool dropped = StartsBefore(r, C0(), R0());
    if (!dropped && (r.Right >= FGrid->ColCount() || r.Bottom >= FGrid->RowCount()))
        throw EGridException(grid_errors::IndexOutOfRange);
    if (clearFirst)
        Clear();
    if (!dropped)
        Add(std::make_unique<TRangeSelection>(r), false);
}

void TSelections::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EGridException(grid_errors::IndexOutOfRange);
    std::unique_ptr<TGridSelection> gone = std::move(FItems[index]);
    FItems.erase(FItems.begin() + index);
    FGrid->SelectionNotify(gone.get(), snDeleted);
}

void TSelections::Clear()
{
    // Bounded by the count at the start, so a handler that adds while being
    // told of a deletion cannot keep the loop going.
    for (int n = Count(); n > 0 && !IsEmpty(); --n)
        Delete(Count() - 1);
}

void TSelections::ReplaceLast(std::unique_ptr<TGridSelection> selection)
{
    if (!selection)
        throw std::invalid_argument("No selection to add");
    if (!IsEmpty())
        Delete(Count() - 1);
    Add(std::move(selection), false);
}

TGridSelection* TSelections::Last() const
{
    if (FItems.empty())
        return const_cast<TRangeSelection*>(&FEmptyRange);
    return FItems.back().get();
}

TGridSelection* TSelections::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EGridException(grid_errors::IndexOutOfRange);
    return FItems[index].get();
}

std::unique_ptr<TSelections> TSelections::Clone() const
{
    auto copy = std::make_unique<TSelections>(FGrid);
    copy->FItems.reserve(FItems.size());
    for (const auto& item : FItems) {
        auto clone = item->Clone();
        clone->SetOwner(copy.get());
        copy->FItems.push_back(std::move(clone));
    }
    return copy;
}

bool TSelections::TouchesLine(int col, int row) const
{
    return std::any_of(FItems.begin(), FItems.end(), [&](const auto& s) {
        const TGridRect r = s->GetRange();
        return (col >= r.Left && col <= r.Right) || (row >= r.Top && row <= r.Bottom);
    });
}

bool TSelections::CoversLine(int col, int row) const
{
    return std::any_of(FItems.begin(), FItems.end(), [&](const auto& s) { return s->CoversLine(col, row); });
}

bool TSelections::Contains(TGridCoord cell) const
{
    return std::any_of(FItems.begin(), FItems.end(), [&](const auto& s) { return s->Contains(cell); });
}

void TSelections::SelectAll()
{
    SetRange({C0(), R0(), FGrid->ColCount() - 1, FGrid->RowCount() - 1}, true);
    FGrid->RepaintAll();
}

void TSelections::RepaintSelection()
{
    if (FGrid->IsDestroying() || IsEmpty())
        return;
    const TGridRect r = LastRange();
    FGrid->RepaintRangeChange(r, r, false, true);
}

TGridCoord TSelections::LimitToSplitRun(TGridCoord target) const
{
    if (!FGrid->HasOption(goRowSplit))
        return target;
    // The current row starts the run, so it is not itself a bound.
    const int current = FGrid->Current().Y;
    for (int y = current - 1; y >= R0(); --y) {
        if (FGrid->RowStyle(y) == rsSplit) {
            if (target.Y <= y)
                target.Y = y + 1;
            break;
        }
    }
    for (int y = current + 1; y < FGrid->RowCount(); ++y) {
        if (FGrid->RowStyle(y) == rsSplit) {
            if (target.Y >= y)
                target.Y = y - 1;
            break;
        }
    }
    return target;
}

void TSelections::ExtendSelection(TGridCoord cell)
{
    CheckCell(cell);
    const TGridCoord target = LimitToSplitRun(cell);
    const TGridMouseState state = FGrid->MouseState();
    const bool headDrag =
        FGrid->HasOption(goMultiSelection) &&
        ((state == gmsRowSelecting && FGrid->HasOptionEx(goAllowSelectRow)) ||
         (state == gmsColSelecting && FGrid->HasOptionEx(goAllowSelectCol)));
    if (!FGrid->HasOption(goRangeSelect) && !headDrag) {
        FGrid->MoveCurrent(target.X, target.Y, true, true, true, true);
        SetRange(FGrid->SelectionRect(), true);
        return;
    }

    const TGridRect old = LastRange();
    TGridCoord anchor = target;
    if (FGrid->HasOption(goRowSelect))
        anchor.X = FGrid->ColCount() - 1;
    FGrid->SetAnchor(anchor);
    FGrid->MakeCellVisible(target);
    const TGridRect sel = FGrid->SelectionRect();

    switch (state) {
    case gmsColSelecting:
        ReplaceLast(std::make_unique<TColSelection>(sel.Left, sel.Right));
        break;
    case gmsRowSelecting:
        ReplaceLast(std::make_unique<TRowSelection>(FGrid->Current().Y, target.Y));
        break;
    case gmsRangeFilling:
    case gmsRangeMoving: {
        const TGridRect& src = FFillSource;
        TGridRect next = src;
        if (state == gmsRangeFilling) {
            if (sel.Left < src.Left)
                next.Left = sel.Left;
            else if (sel.Top < src.Top)
                next.Top = sel.Top;
            else if (sel.Right > src.Right)
                next.Right = sel.Right;
            else if (sel.Bottom > src.Bottom)
                next.Bottom = sel.Bottom;
        } else {
            const int dx = sel.Left < src.Left ? sel.Left - src.Left : sel.Right > src.Right ? sel.Right - src.Right : 0;
            const int dy = sel.Top < src.Top ? sel.Top - src.Top : sel.Bottom > src.Bottom ? sel.Bottom - src.Bottom : 0;
            next = {src.Left + dx, src.Top + dy, src.Right + dx, src.Bottom + dy};
        }
        // Compared with the previous target, not the source: a target that
        // shrinks back must not leave its old outline behind.
        const TGridRect previous = FFillTarget;
        FFillTarget = next;
        FGrid->RepaintRangeChange(previous, next, true, false);
        return;
    }
    default:
        ReplaceLast(std::make_unique<TRangeSelection>(sel));
        break;
    }
    FGrid->RepaintRangeChange(old, LastRange(), true, true);
}

bool TSelections::SelectOnPress(TGridCoord cell, bool shift, bool ctrl, bool hadSeveral)
{
    CheckCell(cell);
    const bool multi = FGrid->HasOption(goMultiSelection);
    const bool allowRow = FGrid->HasOptionEx(goAllowSelectRow);
    const bool allowCol = FGrid->HasOptionEx(goAllowSelectCol);
    if (!multi && !allowRow && !allowCol) {
        SetRange(FGrid->SelectionRect(), true);
        return true;
    }

    const TGridRect old = LastRange();
    const bool replace = shift || ctrl ? !multi : true;
    bool repaintAll = !(shift || ctrl) && hadSeveral;
    const int c0 = C0();
    const int r0 = R0();
    const TGridCoord current = FGrid->Current();

    if (cell.X < c0 && cell.Y < r0) {
        if (FGrid->HasOptionEx(goAllowSelectAll)) {
            FGrid->SetEditorMode(false);
            FGrid->SetCurrentRow(FGrid->TopLeft().Y);
            FGrid->SetCurrentCol(FGrid->TopLeft().X);
            Add(std::make_unique<TFullSelection>(), true);
            repaintAll = true;
        }
    } else if (cell.X < c0) {
        if (allowRow) {
            if (multi)
                FGrid->StartAutoScroll();
            if (shift && multi) {
                FGrid->SetEditorMode(false);
                FGrid->SetMouseState(gmsRowSelecting);
                ReplaceLast(std::make_unique<TRowSelection>(current.Y, cell.Y));
            } else {
                if (!FGrid->BeforeMoveCurrent(cell))
                    return true;
                FGrid->SetEditorMode(false);
                FGrid->SetMouseState(gmsRowSelecting);
                FGrid->RepaintCell(current.X, current.Y);
                if (cell.Y != current.Y && !FGrid->QueryRowChange()) {
                    FGrid->SetMouseState(gmsNone);
                    return false;
                }
                FGrid->PlaceCurrent({current.X, cell.Y});
                Add(std::make_unique<TRowSelection>(cell.Y, cell.Y), replace);
                FGrid->CurrentMoved(current, mrMouse);
            }
        }
    } else if (cell.Y < r0) {
        if (allowCol) {
            FGrid->SetEditorMode(false);
            FGrid->SetMouseState(gmsColSelecting);
            if (multi)
                FGrid->StartAutoScroll();
            if (shift && multi) {
                ReplaceLast(std::make_unique<TColSelection>(current.X, cell.X));
            } else {
                FGrid->SetCurrentRow(FGrid->TopLeft().Y);
                FGrid->SetCurrentCol(cell.X);
                Add(std::make_unique<TColSelection>(cell.X, cell.X), replace);
            }
        }
    } else if (shift) {
        ReplaceLast(std::make_unique<TRangeSelection>(FGrid->SelectionRect()));
    } else {
        const TGridRect range = FGrid->HasOption(goRowSelect) ? TGridRect{c0, cell.Y, FGrid->ColCount() - 1, cell.Y}
                                                                : TGridRect{cell.X, cell.Y, cell.X, cell.Y};
        // A Ctrl-click has already added the cell through the current-cell
        // move; listing it twice would only double the notifications.
        const TGridRect wanted = FGrid->HasOption(goCellMerge) ? FGrid->WidenToMergedAreas(range) : range;
        auto* last = IsEmpty() ? nullptr : dynamic_cast<TRangeSelection*>(Last());
        if (replace || !last || last->GetRange() != wanted)
            SetRange(range, replace);
    }

    if (repaintAll)
        FGrid->RepaintAll();
    else if (LastRange() != old)
        FGrid->RepaintRangeChange(old, LastRange(), true, true);
    return true;
}

TRect TSelections::SelectionBounds() const
{
    if (IsEmpty())
        return {};
    return FGrid->BoxBounds(LastRange(), false);
}

bool TSelections::HitsFillHandle(TPoint point) const
{
    const TRect bounds = SelectionBounds();
    return !bounds.IsEmpty() && Last()->HandleRect(bounds).Contains(point);
}

bool TSelections::HitsBorder(TPoint point) const
{
    const TRect b = SelectionBounds();
    if (b.IsEmpty())
        return false;
    const int x = point.X;
    const int y = point.Y;
    const bool nearVertical = (std::abs(x - b.Left) <= 2 || std::abs(x - b.Right) <= 2) && y >= b.Top - 2 &&
                              y <= b.Bottom + 2;
    const bool nearHorizontal = (std::abs(y - b.Top) <= 2 || std::abs(y - b.Bottom) <= 2) && x >= b.Left - 2 &&
                                x <= b.Right + 2;
    return nearVertical || nearHorizontal;
}

void TSelections::BeginRangeDrag()
{
    if (IsEmpty())
        throw std::logic_error("No selection to fill or move");
    FFillSource = FFillTarget = LastRange();
    FRangeDrag = true;
}

void TSelections::EndRangeDrag()
{
    if (!FRangeDrag)
        throw std::logic_error("No range fill or move to end");
    FRangeDrag = false;
}

void TSelections::CancelRangeDrag()
{
    FRangeDrag = false;
    FFillSource = FFillTarget = TGridRect{};
}

void TSelections::EndRangeFill()
{
    EndRangeDrag();
    const TGridRect source = FFillSource;
    const TGridRect target = FFillTarget;
    ReplaceLast(std::make_unique<TRangeSelection>(target));
    if (source != target)
        FGrid->FillRangeChanged(source, target);
    FGrid->RepaintRangeChange(source, target, true, true);
    FFillSource = FFillTarget = TGridRect{};
}

void TSelections::EndRangeMove()
{
    EndRangeDrag();
    const TGridRect source = FFillSource;
    const TGridRect target = FFillTarget;
    ReplaceLast(std::make_unique<TRangeSelection>(target));
    const TGridCoord current = FGrid->Current();
    const int col = std::clamp(current.X + target.Left - source.Left, 0, FGrid->ColCount() - 1);
    const int row = std::clamp(current.Y + target.Top - source.Top, 0, FGrid->RowCount() - 1);
    FGrid->PlaceCurrent({col, row});
    if (source != target)
        FGrid->MoveRangeChanged(source, target);
    FGrid->RepaintRangeChange(source, target, false, true);
    FFillSource = FFillTarget = TGridRect{};
}

TSelectionDecorations TSelections::Decorations(bool readOnly, bool designing, bool focused, bool editorMode) const
{
    TSelectionDecorations out;
    if (readOnly || designing || !(FGrid->HasOption(goRangeFilling) || FGrid->HasOption(goRangeMoving)))
        return out;
    const int fixedCols = FGrid->FixedCols();
    const int fixedRows = FGrid->FixedRows();
    if (Count() == 1) {
        const TGridRect r = LastRange();
        const TRect bounds = FGrid->BoxBounds(r, false);
        if (!StartsBefore(r, fixedCols, fixedRows) && !bounds.IsEmpty()) {
            const TRect outline = Grown(bounds, 1);
            out.Outlines.push_back({outline, 3, focused || editorMode ? clBlack : clGray});
            out.Grip = TSelectionGrip{Last()->HandleRect(outline), focused ? clBlack : clGray};
        }
    } else {
        for (const auto& s : FItems) {
            const TGridRect r = s->GetRange();
            const TRect bounds = FGrid->BoxBounds(r, false);
            if (!StartsBefore(r, fixedCols, fixedRows) && !bounds.IsEmpty())
                out.Outlines.push_back({bounds, 1, clWhite});
        }
    }
    const TGridMouseState state = FGrid->MouseState();
    if (state == gmsRangeFilling || state == gmsRangeMoving) {
        const TRect bounds = FGrid->BoxBounds(FFillTarget, false);
        if (!bounds.IsEmpty())
            out.Outlines.push_back({Grown(bounds, 1), 3, clGray});
    }
    return out;
}

bool TSelections::AllRows() const
{
    for (const auto& item : FItems)
        if (!dynamic_cast<const TRowSelection*>(item.get()))
            return false;
    return !FItems.empty();
}
