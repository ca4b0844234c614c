// Keys of the in-place editor: what it keeps, what it hands to the grid, and
// what goes to an open drop-down.

#include "grid/editor/InplaceEdit.h"
#include "grid/editor/PopupListBox.h"
#include "grid/editor/PopupMonthCalendar.h"
#include "grid/editor/PopupTreeView.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/TavikCustomGrid.h"

namespace {

bool IsNavigationKey(Word key)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END:
    case VK_LEFT:
    case VK_RIGHT:
        return true;
    default:
        return false;
    }
}

} // namespace

void TInplaceEdit::SendKeyToPopup(Word key, TShiftState shift, QChar ch)
{
    if (activePopup_ == listBox_.get() && listBox_)
        listBox_->SendKey(key, shift, ch);
    else if (activePopup_ == calendar_.get() && calendar_)
        calendar_->SendKey(key, shift);
    else if (activePopup_ == treeView_.get() && treeView_)
        treeView_->SendKey(key, shift);
}

void TInplaceEdit::WndProc(TMessage& message)
{
    // Enter and Escape belong to the grid while its editor has the focus, not to
    // the form's default and cancel buttons.
    if (message.Msg == CM_WANTSPECIALKEY && grid_) {
        message.Result = grid_->Perform(CM_WANTSPECIALKEY, message.WParam);
        return;
    }
    TCustomMaskEdit::WndProc(message);
}

void TInplaceEdit::KeyDown(Word& key, TShiftState shift)
{
    if (!grid_) {
        TCustomMaskEdit::KeyDown(key, shift);
        return;
    }
    const bool ctrlOnly = (shift & (ssCtrl | ssAlt | ssShift)) == ssCtrl;
    if (key == VK_RETURN && ctrlOnly &&
        (editStyle_ == esEllipsis || editStyle_ == esDropDownList || editStyle_ == esEllipsisReadOnly)) {
        RemovePendingChar();
        key = 0;
        host_->EditButtonClick();
        return;
    }
    if (IsDropDownKeyStyle(editStyle_)) {
        if (listVisible_ && (key == VK_RETURN || key == VK_ESCAPE) && !(shift & ssAlt)) {
            if (key == VK_RETURN)
                RemovePendingChar();
            const bool accept = key == VK_RETURN;
            key = 0;
            CloseUp(accept);
            return;
        }
        if ((shift & ssAlt) && (key == VK_UP || key == VK_DOWN)) {
            key = 0;
            if (listVisible_)
                CloseUp(true);
            else
                DropDown();
            return;
        }
    }
    if (listVisible_) {
        // The open drop-down takes the key; characters follow in KeyPress.
        if (IsNavigationKey(key) || key == VK_BACK) {
            SendKeyToPopup(key, shift, QChar());
            RemovePendingChar();
        }
        key = 0;
        return;
    }

    const bool alwaysShow = grid_->HasOption(goAlwaysShowEditor);
    const int start = SelStart();
    const int length = SelLength();
    const int total = TextLength();
    const bool allSelected = start == 0 && length == total;
    auto toGrid = [&] {
        grid_->KeyDown(key, shift);
        key = 0;
    };
    switch (key) {
    case VK_TAB:
        if (!(shift & ssAlt)) {
            toGrid();
            return;
        }
        break;
    case VK_RETURN:
        if (MultiLineAllowed() && CanModify() && (shift & (ssAlt | ssCtrl))) {
            SetSelText(QStringLiteral("\r\n"));
            RemovePendingChar();
            key = 0;
            return;
        }
        if (shift == 0 && grid_->HasOptionEx(goReturnKeyAsTab))
            key = VK_TAB;
        toGrid();
        return;
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        toGrid();
        return;
    case VK_END:
    case VK_RIGHT:
        if (alwaysShow && ((shift & ssCtrl) || (start == total && length == 0) || allSelected)) {
            toGrid();
            return;
        }
        break;
    case VK_HOME:
    case VK_LEFT:
        if (alwaysShow && ((shift & ssCtrl) || (start == 0 && length == 0) || allSelected)) {
            toGrid();
            return;
        }
        break;
    case VK_INSERT:
        if (shift == 0) {
            toGrid();
            return;
        }
        if (shift == ssShift && !host_->CanEditModify()) {
            key = 0;
            return;
        }
        break;
    case VK_F2:
        grid_->OnKeyDown(grid_, key, shift);
        if (key == VK_F2) {
            SetSel(TextLength(), 0);
            key = 0;
        }
        return;
    case VK_DELETE:
        if (!host_->CanEditModify()) {
            key = 0;
            return;
        }
        break;
    case 'V':
    case 'X':
        // Paste and cut arrive as keys too; a cell that cannot be modified refuses them.
        if ((shift & ssCtrl) && !host_->CanEditModify()) {
            key = 0;
            RemovePendingChar();
            return;
        }
        break;
    default:
        break;
    }
    grid_->OnKeyDown(grid_, key, shift);
    if (key != 0)
        TCustomMaskEdit::KeyDown(key, shift);
}

void TInplaceEdit::KeyPress(QChar& key)
{
    if (!grid_) {
        TCustomMaskEdit::KeyPress(key);
        return;
    }
    if (grid_->HasOptionEx(goReturnKeyAsTab) && key.unicode() == 13)
        key = QChar(9);
    grid_->OnKeyPress(grid_, key);
    if (key.isNull())
        return;
    const ushort code = key.unicode();
    if (listVisible_) {
        if (code >= 32 || code == 8)
            SendKeyToPopup(0, 0, key);
        key = QChar();
        return;
    }
    if (code >= 32 && !host_->CanEditAcceptKey(key)) {
        Beep();
        key = QChar();
        return;
    }
    if ((code == 8 || code == 22 || code == 24 || code >= 32) && !host_->CanEditModify()) {
        key = QChar();
        return;
    }
    if (code == 9 || code == 27 || code == 10) {
        key = QChar();
        return;
    }
    if (code == 13) {
        const int total = TextLength();
        if (SelStart() == 0 && SelLength() == total)
            SetSel(total, 0);
        else
            SelectAll();
        key = QChar();
        return;
    }
    TCustomMaskEdit::KeyPress(key);
}

void TInplaceEdit::KeyUp(Word& key, TShiftState shift)
{
    if (grid_)
        grid_->OnKeyUp(grid_, key, shift);
}
