// Keyboard input of the grid core: cell navigation, characters and the keys
// the grid claims from the dialog manager.

#include "grid/GridTabWalk.h"
#include "grid/TavikCustomGrid.h"

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

void TTavikCustomGrid::KeyDown(Word& key, TShiftState shift)
{
    lastMoveReason_ = mrKey;
    TCustomControl::KeyDown(key, shift);
    if (key == 0 || !CanGridAcceptKey(key, shift))
        return;
    if (HasOptionEx(goReturnKeyAsTab) && key == VK_RETURN) {
        bool canShow = true;
        QueryEditorMode(canShow, QChar(13));
        if (!canShow)
            key = VK_TAB;
    }

    const int c0 = EditableCol();
    const int r0 = EditableRow();
    const TGridLayout layout = ComputeLayout();
    const int pageWidth = std::max(1, layout.Horz.LastFullVisibleCell - topLeft_.X);
    const int pageHeight = std::max(1, layout.Vert.LastFullVisibleCell - topLeft_.Y);
    const bool rowSelect = HasOption(goRowSelect);
    const bool ctrl = shift & ssCtrl;
    TGridCoord c = current_;
    TGridCoord t = topLeft_;

    if (ctrl) {
        switch (key) {
        case VK_PRIOR: c.Y = topLeft_.Y; break;
        case VK_NEXT: c.Y = layout.Vert.LastFullVisibleCell; break;
        case VK_END: c = {colCount_ - 1, rowCount_ - 1}; break;
        case VK_HOME:
            c = {c0, r0};
            t = {fixedCols_, fixedRows_};
            break;
        case VK_LEFT:
            if (!rowSelect) {
                c.X -= pageWidth;
                t.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                c.X += pageWidth;
                t.X += pageWidth;
            }
            break;
        case VK_UP: --t.Y; break;
        case VK_DOWN: ++t.Y; break;
        default: break;
        }
    } else {
        const int id = HasOption(goCellMerge) ? MergeId(c.X, c.Y) : 0;
        switch (key) {
        case VK_TAB:
            if (!(shift & ssAlt)) {
                const bool back = shift & ssShift;
                bool walk = true;
                if (HasEditParts(c.X, c.Y)) {
                    const int part = CurrentEditPart(c.X, c.Y);
                    walk = back ? part == 0 : part == EditPartCount(c.X, c.Y) - 1;
                }
                if (walk) {
                    const TGridTabWalk::TArea area{c0, r0, colCount_, rowCount_};
                    auto usable = [this](int col, int row) {
                        return TabStops(col) != 0 && ColWidths(col) > 0 && !RowUnusable(col, row);
                    };
                    TGridTabWalk::TMergeIdOf mergeOf;
                    if (id != 0)
                        mergeOf = [this](int col, int row) { return MergeId(col, row); };
                    c = TGridTabWalk::Walk(area, c, current_, back, usable, mergeOf);
                }
            }
            break;
        case VK_ESCAPE: CancelEditor(); break;
        case VK_PRIOR:
            c.Y -= pageHeight;
            t.Y -= pageHeight;
            break;
        case VK_NEXT:
            c.Y += pageHeight;
            t.Y += pageHeight;
            break;
        case VK_END:
            if (rowSelect)
                c.Y = rowCount_ - 1;
            else
                c.X = colCount_ - 1;
            break;
        case VK_HOME:
            if (rowSelect)
                c.Y = fixedRows_;
            else
                c.X = c0;
            break;
        case VK_LEFT:
            if (id != 0 && rowSelect) {
                do
                    --c.Y;
                while (c.Y >= fixedRows_ && MergeId(c.X, c.Y) == id);
            } else if (id != 0) {
                do
                    --c.X;
                while (c.X >= fixedCols_ && MergeId(c.X, c.Y) == id);
            } else if (rowSelect) {
                --c.Y;
            } else {
                --c.X;
            }
            break;
        case VK_RIGHT:
            if (id != 0 && rowSelect) {
                do
                    ++c.Y;
                while (c.Y <= rowCount_ - 1 && MergeId(c.X, c.Y) == id);
            } else if (id != 0) {
                do
                    ++c.X;
                while (c.X <= colCount_ - 1 && MergeId(c.X, c.Y) == id);
            } else if (rowSelect) {
                ++c.Y;
            } else {
                ++c.X;
            }
            break;
        case VK_UP:
            --c.Y;
            while (id != 0 && c.Y >= fixedRows_ && MergeId(c.X, c.Y) == id)
                --c.Y;
            break;
        case VK_DOWN:
            ++c.Y;
            while (id != 0 && c.Y <= rowCount_ - 1 && MergeId(c.X, c.Y) == id)
                ++c.Y;
            break;
        case VK_F2: SetEditorMode(true); break;
        default: break;
        }
    }

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

    if (!(c == current_)) {
        c.X = std::clamp(c.X, c0, colCount_ - 1);
        c.Y = std::clamp(c.Y, r0, rowCount_ - 1);
        auto down = [&] {
            while (c.Y < rowCount_ - 1 && RowUnusable(c.X, c.Y))
                ++c.Y;
        };
        auto up = [&] {
            while (c.Y > r0 && RowUnusable(c.X, c.Y))
                --c.Y;
        };
        auto left = [&] {
            while (c.X > c0 && ColUnusable(c.X, c.Y))
                --c.X;
        };
        auto right = [&] {
            while (c.X < colCount_ - 1 && ColUnusable(c.X, c.Y))
                ++c.X;
        };
        bool checkRow = false;
        switch (key) {
        case VK_DOWN:
        case VK_NEXT:
            down();
            if (RowUnusable(c.X, c.Y))
                up();
            checkRow = true;
            break;
        case VK_UP:
        case VK_PRIOR:
            up();
            if (GetRowHeight(c.Y) <= 0)
                down();
            checkRow = true;
            break;
        case VK_LEFT:
            left();
            if (ColUnusable(c.X, c.Y))
                right();
            break;
        case VK_RIGHT:
            right();
            if (ColUnusable(c.X, c.Y))
                left();
            break;
        case VK_END:
            left();
            if (ctrl) {
                up();
                checkRow = true;
            }
            break;
        case VK_HOME:
            right();
            if (ctrl) {
                down();
                checkRow = true;
            }
            break;
        default: break;
        }
        if (checkRow && RowUnusable(c.X, c.Y))
            c.Y = current_.Y;
    }

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
