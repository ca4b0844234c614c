// The flat page control's input: tab clicks, Ctrl+Tab, hover and close buttons.

#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/Form.h"

void TFlatPageControl::WndProc(TMessage& message)
{
    // Ctrl+Tab turns the page wherever the focus is inside the control.
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_TAB && GetKeyState(VK_CONTROL) && ContainsFocus()) {
        SelectNextPage(!GetKeyState(VK_SHIFT));
        message.Result = 1;
        return;
    }
    TCustomControl::WndProc(message);
}

bool TFlatPageControl::ContainsFocus() const
{
    TCustomForm* form = ParentForm();
    for (TControl* c = form ? form->ActiveControl() : nullptr; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

bool TFlatPageControl::CanChange(int targetPage)
{
    bool allow = true;
    OnCanChange(this, ActivePageIndex(), targetPage, allow);
    if (allow)
        OnChanging(this, allow);
    return allow;
}

bool TFlatPageControl::SelectPageAsUser(TFlatTabSheet* page)
{
    const int index = IndexOfPage(page);
    if (index < 0 || !page->TabVisible())
        return false;
    if (page == activePage_)
        return true;
    if (!CanChange(index))
        return false;
    SelectTab(page->TabIndex());
    Change();
    return activePage_ == page;
}

void TFlatPageControl::Change()
{
    TFlatTabSheet* before = activePage_;
    UpdateActivePage();
    if (activePage_ == before)
        return;
    OnChange(this);
    NotifyAccessibleFocus(*this);
    Invalidate();
}

TRect TFlatPageControl::CloseButtonRect() const
{
    if (!activePage_ || !activePage_->tabShown_)
        return {};
    const TRect t = layout_.TabRect(activePage_->TabIndex());
    const int l = t.Left + tabMargin_->LeftMargin();
    const int top = t.Top + tabMargin_->TopMargin();
    return {l + 2, top + 2, l + 14, top + 13};
}

void TFlatPageControl::SetHovered(int pageIndex)
{
    if (pageIndex == hoveredTab_)
        return;
    if (tabBackGround_->Empty()) {
        InvalidateRect(TabRect(hoveredTab_));
        InvalidateRect(TabRect(pageIndex));
    }
    hoveredTab_ = pageIndex;
}

void TFlatPageControl::SetCloseState(TCloseButtonState state)
{
    if (state == closeState_)
        return;
    closeState_ = state;
    if (activePage_)
        InvalidateRect(TabRect(ActivePageIndex()));
}

void TFlatPageControl::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    if (tabHoverColor_ == clNone || tabBorder3D_)
        return;
    SetHovered(PageIndexAt(x, y));
    if (activePage_ && activePage_->showClose_ && closeState_ != TCloseButtonState::Pressed)
        SetCloseState(CloseButtonRect().Contains({x, y}) ? TCloseButtonState::Hot : TCloseButtonState::Normal);
}

void TFlatPageControl::MouseLeave()
{
    TCustomControl::MouseLeave();
    if (tabBackGround_->Empty())
        InvalidateRect(TabRect(hoveredTab_));
    hoveredTab_ = -1;
    if (closeState_ == TCloseButtonState::Hot)
        SetCloseState(TCloseButtonState::Normal);
}

void TFlatPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    if (!tabBorder3D_ && activePage_ && activePage_->showClose_ && CloseButtonRect().Contains({x, y})) {
        SetCloseState(TCloseButtonState::Pressed);
        if (dockSite_)
            ClosePage(activePage_);  // a dock site closes on the press
        return;
    }
    const int page = PageIndexAt(x, y);
    if (page < 0 || pages_[page] == activePage_ || !CanChange(page))
        return;
    SelectTab(pages_[page]->TabIndex());
    Change();
}

void TFlatPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != mbLeft || closeState_ != TCloseButtonState::Pressed)
        return;
    const bool inside = CloseButtonRect().Contains({x, y});
    SetCloseState(inside ? TCloseButtonState::Hot : TCloseButtonState::Normal);
    if (inside && !tabBorder3D_ && activePage_)
        ClosePage(activePage_);
}

void TFlatPageControl::ClosePage(TFlatTabSheet* page)
{
    TFlatTabSheet* next = FindNextPage(page, true, true);
    bool canClose = true;
    page->OnCanClose(page, canClose);
    if (!canClose)
        return;
    page->OnClose(page);
    if (next != page)
        SetActivePage(next);
    closeState_ = TCloseButtonState::Normal;
    OnChange(this);
    Invalidate();
    if (freeOnClose_) {
        delete page;
        return;
    }
    closedPages_.emplace_back(page->Name(), page);
    page->SetPageControl(nullptr);
}

void TFlatPageControl::DoEnter()
{
    focused_ = true;
    TCustomControl::DoEnter();
    Invalidate();
}

void TFlatPageControl::DoExit()
{
    focused_ = false;
    TCustomControl::DoExit();
    Invalidate();
}
