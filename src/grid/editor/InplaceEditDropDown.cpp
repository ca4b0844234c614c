// Dropping a popup down under the editor and closing it with or without its value.

#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/editor/PopupListBox.h"
#include "grid/editor/PopupMonthCalendar.h"
#include "grid/editor/PopupPlacement.h"
#include "grid/editor/PopupTreeView.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/controls/dialogs/ColorDialog.h"
#include "platform/framework/window/PopupWindow.h"

void TInplaceEdit::DropDown()
{
    if (listVisible_ || !activePopup_ || !grid_)
        return;
    const TGridCoord c = grid_->Current();
    int width = Width();
    int height = activePopup_->Height();
    if (activePopup_ == listBox_.get()) {
        listBox_->SetColor(Color());
        listBox_->SetFont(Font());
        int rows = 12;
        if (editStyle_ != esColorList) {
            QStringList items;
            host_->GetDropDownList(items, rows);
            listBox_->SetItems(items);
        } else {
            rows = listBox_->Count();
        }
        rows = std::max(0, std::min(rows, listBox_->Count()));
        height = rows * listBox_->ItemHeight() + 2 * TCustomListBox::FrameWidth;
        if (listBox_->ItemIndex() < 0)
            listBox_->SetItemIndex(static_cast<int>(listBox_->Items().indexOf(Text())));
        if (editStyle_ != esColorList)
            width = std::max(width, listBox_->MaxItemWidth() + 16);
    } else if (activePopup_ == calendar_.get()) {
        calendar_->SetColor(Color());
        calendar_->SetFont(Font());
        QDate date;
        if (TPopupMonthCalendar::TextToDate(Text(), date))
            calendar_->SetDate(date);
        const TSize size = calendar_->MinimumSize();
        width = size.cx + 2 * calendar_->BorderWidth();
        height = size.cy + 2 * calendar_->BorderWidth();
    } else if (activePopup_ == treeView_.get()) {
        treeView_->ClearNodes();
        host_->GetTreeViewList(treeView_->Items());
        treeView_->SetColor(Color());
        treeView_->SetFont(Font());
        height = 200;
    } else if (customEditor_ && activePopup_ == customEditor_->PopupControl()) {
        customEditor_->Prepare(c.X, c.Y);
        height = activePopup_->Height();
    }
    const TPoint topLeft = ClientToScreen({0, 0});
    const TRect anchor{topLeft.X, topLeft.Y, topLeft.X + Width(), topLeft.Y + Height()};
    const TRect placed = PlacePopup(anchor, PopupWindow::WorkAreaNear(anchor), width, height);
    PopupWindow::ShowAt(activePopup_, placed);
    listVisible_ = true;
    watcher_->Start({this, activePopup_});
    InvalidateOverlay();
    if (Visible())
        SetFocus();
}

void TInplaceEdit::CloseUp(bool accept)
{
    if (!listVisible_)
        return;
    if (TControl::CaptureControl())
        TControl::ReleaseCapture();
    QString value;
    TTreeNode* node = nullptr;
    if (activePopup_ == listBox_.get() && listBox_) {
        if (listBox_->ItemIndex() >= 0)
            value = listBox_->Items()[listBox_->ItemIndex()].trimmed();
    } else if (activePopup_ == calendar_.get() && calendar_) {
        value = TPopupMonthCalendar::DateToText(calendar_->Date());
    } else if (activePopup_ == treeView_.get() && treeView_) {
        node = treeView_->Selected();
        if (node)
            value = node->Text();
    } else if (customEditor_ && activePopup_ == customEditor_->PopupControl()) {
        customEditor_->GetValue(value);
    }
    if (activePopup_)
        PopupWindow::Hide(activePopup_);
    listVisible_ = false;
    watcher_->Stop();
    InvalidateOverlay();
    if (!accept || !grid_ || IsDestroying())
        return;

    if (activePopup_ == treeView_.get() && treeView_) {
        if (node) {
            host_->TreeViewListSelected(node, value);
            SetText(value);
        }
    } else if (customEditor_ && activePopup_ == customEditor_->PopupControl()) {
        SetText(value);
    } else if (activePopup_ == calendar_.get() && calendar_) {
        if (!value.isEmpty() && CanModify() && value != Text())
            SetText(value);
    } else if (activePopup_ == listBox_.get() && listBox_) {
        if (!value.isEmpty() && host_->CanEditModify()) {
            if (editStyle_ == esColorList && value == MoreColorsText) {
                bool ok = false;
                const qlonglong start = Text().trimmed().toLongLong(&ok);
                TColorDialog dialog(nullptr);
                dialog.SetColor(ok ? static_cast<TColor>(start) : clBlack);
                const bool chosen = dialog.Execute();
                value = QString::number(chosen ? dialog.Color() : (ok ? static_cast<TColor>(start) : clBlack));
            }
            host_->BeforeListSelected(listBox_->Items(), value);
            SetText(value);
            SelectAll();
            host_->ListSelected(value);
        }
    }
    if (editStyle_ == esDropDownList || editStyle_ == esColorList)
        grid_->HideEditor();
}
