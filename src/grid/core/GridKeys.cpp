// Keyboard input of the grid core: cell navigation, characters and the keys
// the grid claims from the dialog manager.

#include "grid/core/ClipboardKeys.h"
#include "grid/core/GridCoreState.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/layout/GridKeyTarget.h"

namespace {

// Restricts a first scrolling cell to fixed .. max and moves it off hidden
// cells; keeps old when it still lands on a hidden one.
int RestrictTopLeft(int value, int old, int fixed, int max, const std::function<int(int)>& extent)
{
    max = std::max(max, fixed);
    value = std::clamp(value, fixed, max);
    while (value < max && extent(value) <= 0)
        ++value;
    return extent(value) <= 0 ? old : value;
}

} // namespace

bool TTavikCustomGrid::CanGridAcceptKey(Word, TShiftState)
{
    return EditableRow() < d_->rowCount;
}

bool TTavikCustomGrid::RowUnusable(int col, int row)
{
    return GetRowHeight(row) <= 0 || RowStyle(row) == rsSplit || QueryReadOnly(col, row);
}

bool TTavikCustomGrid::ColUnusable(int col, int row)
{
    return ColWidths(col) <= 0 || QueryReadOnly(col, row);
}

TGridKeyContext TTavikCustomGrid::KeyContext()
{
    TGridKeyContext g;
    g.Current = d_->current;
    g.TopLeft = d_->topLeft;
    g.FirstCol = EditableCol();
    g.FirstRow = EditableRow();
    g.ColCount = d_->colCount;
    g.RowCount = d_->rowCount;
    g.FixedCols = d_->fixedCols;
    g.FixedRows = d_->fixedRows;
    const TGridLayout layout = ComputeLayout();
    g.LastFullVisible = {layout.Horz.LastFullVisibleCell, layout.Vert.LastFullVisibleCell};
    g.RowSelect = HasOption(goRowSelect);
    if (HasOption(goCellMerge))
        g.MergeId = [this](int col, int row) { return MergeId(col, row); };
    if (HasEditParts(d_->current.X, d_->current.Y)) {
        g.EditPart = CurrentEditPart(d_->current.X, d_->current.Y);
        g.EditPartCount = EditPartCount(d_->current.X, d_->current.Y);
    }
    g.TabStop = [this](int col, int row) {
        return d_->tabStops.Get(col, 1) != 0 && ColWidths(col) > 0 && !RowUnusable(col, row);
    };
    g.RowUnusable = [this](int col, int row) { return RowUnusable(col, row); };
    g.ColUnusable = [this](int col, int row) { return ColUnusable(col, row); };
    g.RowHeight = [this](int row) { return GetRowHeight(row); };
    return g;
}

void TTavikCustomGrid::KeyDown(Word& key, TShiftState shift)
{
    d_->lastMoveReason = mrKey;
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || !CanGridAcceptKey(key, shift))
        return;
    if (const unsigned edit = ClipboardKeyMessage(key, shift)) {
        Perform(edit);
        return;
    }
    if (HasOptionEx(goReturnKeyAsTab) && key == VK_RETURN) {
        bool canShow = true;
        QueryEditorMode(canShow, QChar(13));
        if (!canShow || IsCheckCell(d_->current.X, d_->current.Y))
            key = VK_TAB;
    }

    const TGridKeyContext grid = KeyContext();
    const bool ctrl = shift & ssCtrl;
    if (!ctrl && key == VK_ESCAPE)
        CancelEditor();
    else if (!ctrl && key == VK_F2)
        SetEditorMode(true);
    const TGridKeyMove move = GridKeyTarget(grid, key, shift);
    TGridCoord c = move.Cell;
    TGridCoord t = move.TopLeft;

    // The view first: a refused edit hide blocks the whole key.
    const TGridCoord max = MaxTopLeft({d_->colCount - 1, d_->rowCount - 1});
    t.X = RestrictTopLeft(t.X, d_->topLeft.X, d_->fixedCols, max.X, [this](int i) { return ColWidths(i); });
    t.Y = RestrictTopLeft(t.Y, d_->topLeft.Y, d_->fixedRows, max.Y, [this](int i) { return GetRowHeight(i); });
    if (!(t == d_->topLeft)) {
        if (EditorMode()) {
            if (!CanHideEditor())
                return;
            HideEditor();
        }
        SetTopLeft(t.X, t.Y);
    }

    if (!(c == d_->current))
        c = SettleKeyTarget(grid, c, key, shift);

    if (key == VK_TAB)
        shift = 0;
    if (!(c == d_->current)) {
        d_->keyMoveActive = true;
        try {
            FocusCell(c.X, c.Y, !(shift & ssShift));
        } catch (...) {
            d_->keyMoveActive = false;
            throw;
        }
        d_->keyMoveActive = false;
    }
}

void TTavikCustomGrid::KeyPress(QChar& key)
{
    // A grid of head rows only has nothing to type into.
    if (EditableRow() >= d_->rowCount)
        return;
    const ushort code = key.unicode();
    if (HasOption(goEditing) && (code == 8 || code >= 32)) {
        if (!EditorMode())
            ShowEditor(key);
        PostCharToEditor(key);
        return;
    }
    TCustomControl::KeyPress(key);
    if (key.unicode() != 13)
        return;
    if (!EditorMode()) {
        ShowEditor(QChar(13));
    } else if (CanHideEditor()) {
        HideEditor();
        if (HasEditParts(d_->current.X, d_->current.Y)) {
            int part = CurrentEditPart(d_->current.X, d_->current.Y) + 1;
            if (part >= EditPartCount(d_->current.X, d_->current.Y))
                part = 0;
            SetCurrentEditPart(d_->current.X, d_->current.Y, part);
            ShowEditor(QChar(' '));
        }
    }
    key = QChar(0);
}

unsigned TTavikCustomGrid::DialogCode() const
{
    unsigned code = DLGC_WANTARROWS;
    if (HasOption(goRowSelect))
        return code;
    if (HasOption(goTabs))
        code |= DLGC_WANTTAB;
    if (HasOption(goEditing))
        code |= DLGC_WANTCHARS;
    return code;
}
