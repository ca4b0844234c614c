// Keyboard input of the grid core: cell navigation, characters and the keys
// the grid claims from the dialog manager.

#include "grid/layout/GridKeyTarget.h"
#include "grid/core/TavikCustomGrid.h"

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
    return EditableRow() < rowCount_;
}

void TTavikCustomGrid::QueryEditorMode(bool& canShow, QChar ch)
{
    canShow = !readOnly_;
    OnQueryEditorMode(this, current_.X, current_.Y, canShow, ch);
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
    g.Current = current_;
    g.TopLeft = topLeft_;
    g.FirstCol = EditableCol();
    g.FirstRow = EditableRow();
    g.ColCount = colCount_;
    g.RowCount = rowCount_;
    g.FixedCols = fixedCols_;
    g.FixedRows = fixedRows_;
    const TGridLayout layout = ComputeLayout();
    g.LastFullVisible = {layout.Horz.LastFullVisibleCell, layout.Vert.LastFullVisibleCell};
    g.RowSelect = HasOption(goRowSelect);
    if (HasOption(goCellMerge))
        g.MergeId = [this](int col, int row) { return MergeId(col, row); };
    if (HasEditParts(current_.X, current_.Y)) {
        g.EditPart = CurrentEditPart(current_.X, current_.Y);
        g.EditPartCount = EditPartCount(current_.X, current_.Y);
    }
    g.TabStop = [this](int col, int row) {
        return TabStops(col) != 0 && ColWidths(col) > 0 && !RowUnusable(col, row);
    };
    g.RowUnusable = [this](int col, int row) { return RowUnusable(col, row); };
    g.ColUnusable = [this](int col, int row) { return ColUnusable(col, row); };
    g.RowHeight = [this](int row) { return GetRowHeight(row); };
    return g;
}

void TTavikCustomGrid::KeyDown(Word& key, TShiftState shift)
{
    lastMoveReason_ = mrKey;
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || !CanGridAcceptKey(key, shift))
        return;
    if (HasOptionEx(goReturnKeyAsTab) && key == VK_RETURN) {
        bool canShow = true;
        QueryEditorMode(canShow, QChar(13));
        if (!canShow || IsCheckCell(current_.X, current_.Y))
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
    const TGridCoord max = MaxTopLeft({colCount_ - 1, rowCount_ - 1});
    t.X = RestrictTopLeft(t.X, topLeft_.X, fixedCols_, max.X, [this](int i) { return ColWidths(i); });
    t.Y = RestrictTopLeft(t.Y, topLeft_.Y, fixedRows_, max.Y, [this](int i) { return GetRowHeight(i); });
    if (!(t == topLeft_)) {
        if (editorMode_) {
            if (!CanHideEditor())
                return;
            HideEditor();
        }
        SetTopLeft(t.X, t.Y);
    }

    if (!(c == current_))
        c = SettleKeyTarget(grid, c, key, shift);

    if (key == VK_TAB)
        shift = 0;
    if (!(c == current_)) {
        keyMoveActive_ = true;
        try {
            FocusCell(c.X, c.Y, !(shift & ssShift));
        } catch (...) {
            keyMoveActive_ = false;
            throw;
        }
        keyMoveActive_ = false;
    }
}

void TTavikCustomGrid::ShowEditorChar(QChar ch)
{
    if (!editorMode_)
        ShowEditor(ch);
    PostCharToEditor(ch);
}

void TTavikCustomGrid::KeyPress(QChar& key)
{
    // A grid of head rows only has nothing to type into.
    if (EditableRow() >= rowCount_)
        return;
    const ushort code = key.unicode();
    if (HasOption(goEditing) && (code == 8 || code >= 32)) {
        ShowEditorChar(key);
        return;
    }
    TCustomControl::KeyPress(key);
    if (key.unicode() != 13)
        return;
    if (!editorMode_) {
        ShowEditor(QChar(13));
    } else if (CanHideEditor()) {
        HideEditor();
        if (HasEditParts(current_.X, current_.Y)) {
            int part = CurrentEditPart(current_.X, current_.Y) + 1;
            if (part >= EditPartCount(current_.X, current_.Y))
                part = 0;
            SetCurrentEditPart(current_.X, current_.Y, part);
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
