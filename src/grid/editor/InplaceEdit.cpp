// The in-place editor: creation, loading a cell, styles and placing.

#include "grid/editor/InplaceEdit.h"

#include <stdexcept>

#include "grid/editor/AutoComplete.h"
#include "grid/editor/GridEditorFactory.h"
#include "grid/editor/PopupListBox.h"
#include "grid/editor/PopupMonthCalendar.h"
#include "grid/editor/PopupTreeView.h"
#include "grid/editor/PopupUpDown.h"
#include "grid/core/GridEditing.h"
#include "grid/core/GridEditorHost.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/base/FlagScope.h"
#include "platform/framework/window/PopupWindow.h"
#include "platform/base/TickCount.h"

const QString TInplaceEdit::MoreColorsText = QStringLiteral("更多...");

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomMaskEdit(owner)
{
    // Hidden until placed over a cell; no tab stop, no border.
    SetVisible(false);
    SetTabStop(false);
    SetCtl3D(false);
    SetWordWrap(true);
    watcher_ = std::make_unique<TPopupWatcher>([this] { CloseUp(false); });
}

TInplaceEdit::~TInplaceEdit()
{
    MarkDestroying();
    watcher_->Stop();
    // The popups go first: none may call back into a half-destroyed editor.
    autoComplete_.reset();
    upDown_.reset();
    treeView_.reset();
    calendar_.reset();
    listBox_.reset();
}

void TInplaceEdit::SetGrid(TTavikCustomGrid* grid, IGridEditorHost* host)
{
    // The editor asks the grid it sits on; one without the other would leave it half attached.
    if (!grid != !host)
        throw std::invalid_argument("TInplaceEdit::SetGrid: a grid needs its editor host");
    grid_ = grid;
    host_ = host;
    SetParent(grid);
    SetFocusOwner(grid);
}

void TInplaceEdit::QueryListStyle(TListBoxStyle& style, int& itemHeight)
{
    if (host_)
        host_->QueryListStyle(style, itemHeight);
}

void TInplaceEdit::SetButtonWidth(int v)
{
    buttonWidth_ = std::max(0, v);
    BoundsChanged();
}

TRect TInplaceEdit::ButtonRect() const
{
    if (editStyle_ == esSimple)
        return {};
    return {Width() - buttonWidth_, 0, Width(), Height()};
}

bool TInplaceEdit::CanModify() const
{
    return !ReadOnly() && (!grid_ || host_->CanEditModify());
}

bool TInplaceEdit::MultiLineAllowed() const
{
    return !IsReadOnlyEditStyle(editStyle_) && editStyle_ != esUpDown && editStyle_ != esMonthCalendar;
}

void TInplaceEdit::BoundsChanged()
{
    TRect f{2, 2, Width() - 2, Height()};
    if (editStyle_ != esSimple)
        f.Right -= buttonWidth_;
    SetFormattingRect(f);
    UpdateOverlay();
}

void TInplaceEdit::UpdateOverlay()
{
    if (editStyle_ == esSimple || editStyle_ == esUpDown)
        SetOverlay({});
    else if (editStyle_ == esColorList)
        SetOverlay({0, 0, Width(), Height()});
    else
        SetOverlay(ButtonRect());
}

void TInplaceEdit::SetEditStyle(TEditStyle style)
{
    const bool changed = !hasStyle_ || style != editStyle_;
    hasStyle_ = true;
    if (listVisible_)
        CloseUp(false);
    editStyle_ = style;
    SetReadOnly(IsReadOnlyEditStyle(style));
    activePopup_ = nullptr;
    switch (style) {
    case esDropDown:
    case esDropDownList:
        if (changed || !dynamic_cast<TPopupListBox*>(listBox_.get()))
            listBox_ = std::make_unique<TPopupListBox>(this);
        activePopup_ = listBox_.get();
        break;
    case esColorList:
        if (changed || !dynamic_cast<TColorListBox*>(listBox_.get()))
            listBox_ = std::make_unique<TColorListBox>(this);
        activePopup_ = listBox_.get();
        break;
    case esMonthCalendar:
        if (!calendar_)
            calendar_ = std::make_unique<TPopupMonthCalendar>(this);
        activePopup_ = calendar_.get();
        break;
    case esTreeView:
        if (!treeView_) {
            treeView_ = std::make_unique<TPopupTreeView>(this);
            treeView_->OnNodeDeletion = TEvent<TObject*, TTreeNode*>([this](TObject*, TTreeNode* node) {
                if (grid_ && !grid_->IsDestroying())
                    host_->TreeNodeDeleted(node);
            });
        }
        activePopup_ = treeView_.get();
        break;
    case esUpDown:
        if (!upDown_) {
            upDown_ = std::make_unique<TPopupUpDown>(nullptr);
            upDown_->SetParent(this);
            upDown_->StepHandler = TNotifyEvent([this](TObject*) { UpDownStep(); });
        }
        break;
    case esCustom:
        if (grid_) {
            const TGridCoord c = grid_->Current();
            customEditor_ = grid_->Editing().Factory().GetEditor(c.X, c.Y);
            if (customEditor_) {
                customEditor_->Attach(this);
                activePopup_ = customEditor_->PopupControl();
                if (activePopup_)
                    PopupWindow::Prepare(activePopup_);
            }
        }
        break;
    default:
        break;
    }
    if (style == esDropDown) {
        if (!autoComplete_)
            autoComplete_ = std::make_unique<TAutoCompleteControl>(this, [this](QStringList& list) {
                int rows = 12;
                if (grid_)
                    host_->GetDropDownList(list, rows);
            });
        autoComplete_->Enable(true);
    } else if (autoComplete_) {
        autoComplete_->Enable(false);
    }
    BoundsChanged();
    Invalidate();
    InvalidateOverlay();
}

void TInplaceEdit::UpdateContents()
{
    if (!grid_)
        return;
    const TFlagScope guard(loading_);
    SetEditStyle(host_->EditStyle());
    TEditProperty p;
    host_->EditProperty(p);
    SetColor(p.Color);
    TFont& font = Font();
    font.SetColor(p.FontColor);
    if (!p.FontName.isEmpty())
        font.SetName(p.FontName);
    font.SetSize(p.FontSize);
    font.SetStyle(p.FontStyle);
    const TGridCoord c = grid_->Current();
    SetText(QString());
    SetEditMask(host_->GetEditMask(c.X, c.Y));
    SetText(host_->GetEditText(c.X, c.Y));
    editLimit_ = host_->GetEditLimit();
    SetMaxLength(editLimit_ > 0 ? editLimit_ : 0);
}

void TInplaceEdit::Move(const TRect& rect, bool forceRedraw)
{
    TRect r = rect;
    if (grid_ && grid_->GridLineWidth() == 0) {
        --r.Right;
        --r.Bottom;
    }
    if (r.IsEmpty()) {
        HideWindow();
        return;
    }
    const bool wasHidden = !Visible();
    if (grid_)
        grid_->InvalidateRect(r);
    SetBounds(r.Left, r.Top, r.Width(), r.Height());
    BoundsChanged();
    SetVisible(true);
    ScrollCaret();
    if (forceRedraw || wasHidden)
        Invalidate();
    if (grid_ && grid_->IsActiveControl() && !grid_->Editing().OpeningForComposition())
        SetFocus();
}

void TInplaceEdit::HideWindow()
{
    if (!HasWidget())
        return;
    CloseUp(false);
    const bool hadFocus = HasKeyboardFocus();
    if (grid_ && Visible())
        grid_->InvalidateRect(BoundsRect());
    SetVisible(false);
    if (hadFocus && grid_ && grid_->HasWidget())
        grid_->SetFocus();
    if (editStyle_ == esUpDown)
        upDown_.reset();
}

void TInplaceEdit::PlaceUpDown()
{
    if (editStyle_ != esUpDown)
        return;
    if (!upDown_) {
        upDown_ = std::make_unique<TPopupUpDown>(nullptr);
        upDown_->SetParent(this);
        upDown_->StepHandler = TNotifyEvent([this](TObject*) { UpDownStep(); });
    }
    upDown_->SetBounds(Width() - buttonWidth_, 0, buttonWidth_, Height());
    upDown_->SetVisible(true);
    bool rewritten = false;
    QString text;
    const int pos = TPopupUpDown::PositionForText(Text(), rewritten, text);
    upDown_->SetPosition(pos);
    if (rewritten && text != Text())
        SetText(text);
}

void TInplaceEdit::UpDownStep()
{
    if (upDown_)
        SetText(QString::number(upDown_->Position()));
}

void TInplaceEdit::Change()
{
    TCustomMaskEdit::Change();
    if (!grid_ || loading_ || IsDestroying())
        return;
    const TGridCoord c = grid_->Current();
    // Edit parts grow with what is typed.
    if (grid_->HasEditParts(c.X, c.Y) && Visible()) {
        TCanvas canvas;
        canvas.Font().Assign(&Font());
        const int wanted = canvas.TextWidth(Text() + QStringLiteral("XX"));
        if (wanted > Width())
            SetWidth(wanted);
    }
    host_->InplaceEditChanged(Text());
}

bool TInplaceEdit::PressMakesDoubleClick()
{
    if (!grid_ || grid_->Editing().LastGridClick() == 0)
        return false;
    return GetTickCount() - grid_->Editing().LastGridClick() <= static_cast<uint32_t>(GetDoubleClickTime());
}

void TInplaceEdit::DblClick()
{
    TCustomMaskEdit::DblClick();
    if (grid_)
        grid_->OnDblClick(grid_);
}

bool TInplaceEdit::DoMouseWheel(TShiftState shift, int delta, TPoint pos)
{
    // The wheel scrolls the grid.
    return grid_ && grid_->DoMouseWheel(shift, delta, pos);
}

void TInplaceEdit::FocusLeft()
{
    CloseUp(false);
}

void TInplaceEdit::CancelMode(bool fromOwnWindows)
{
    StopTracking();
    if (!fromOwnWindows)
        CloseUp(false);
}
