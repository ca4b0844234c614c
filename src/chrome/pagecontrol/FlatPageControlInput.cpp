// The flat page control's input: tab clicks, Ctrl+Tab, and the close buttons
// whose tracking TTabHotTracking keeps.

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatPageControlState.h"
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
    if (page == d_->activePage)
        return true;
    if (!CanChange(index))
        return false;
    SelectTab(page->TabIndex());
    Change();
    return d_->activePage == page;
}

void TFlatPageControl::Change()
{
    TFlatTabSheet* before = d_->activePage;
    UpdateActivePage();
    if (d_->activePage == before)
        return;
    OnChange(this);
    NotifyAccessibleFocus(*this);
    Invalidate();
}

void TFlatPageControl::MouseMove(TShiftState shift, int x, int y)
{
    TCustomControl::MouseMove(shift, x, y);
    d_->hot.MouseMove(x, y);
}

void TFlatPageControl::MouseLeave()
{
    TCustomControl::MouseLeave();
    d_->hot.MouseLeave();
}

void TFlatPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    if (d_->hot.Press(x, y)) {
        if (d_->dockSite)
            ClosePage(d_->activePage);  // a dock site closes on the press
        return;
    }
    const int page = PageIndexAt(x, y);
    if (page < 0 || d_->pages[page] == d_->activePage || !CanChange(page))
        return;
    SelectTab(d_->pages[page]->TabIndex());
    Change();
}

void TFlatPageControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TCustomControl::MouseUp(button, shift, x, y);
    if (button == mbLeft && d_->hot.Release(x, y))
        ClosePage(d_->activePage);
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
    d_->hot.ResetCloseButton();
    OnChange(this);
    Invalidate();
    if (d_->freeOnClose) {
        delete page;
        return;
    }
    d_->closedPages.emplace_back(page->Name(), page);
    page->SetPageControl(nullptr);
}

void TFlatPageControl::DoEnter()
{
    d_->focused = true;
    TCustomControl::DoEnter();
    Invalidate();
}

void TFlatPageControl::DoExit()
{
    d_->focused = false;
    TCustomControl::DoExit();
    Invalidate();
}
