#include "chrome/pagecontrol/TabHotTracking.h"

#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/canvas/Bitmap.h"

TRect TTabHotTracking::CloseButtonRect() const
{
    const TFlatTabSheet* active = control_.ActivePage();
    if (!active || !active->TabShown())
        return {};
    const TRect t = control_.TabRect(control_.ActivePageIndex());
    const int l = t.Left + control_.TabMargin().LeftMargin();
    const int top = t.Top + control_.TabMargin().TopMargin();
    return {l + 2, top + 2, l + 14, top + 13};
}

void TTabHotTracking::SetHovered(int pageIndex)
{
    if (pageIndex == hovered_)
        return;
    // A tab drawn from a picture shows no hover.
    if (control_.TabBackGround().Empty()) {
        control_.InvalidateRect(control_.TabRect(hovered_));
        control_.InvalidateRect(control_.TabRect(pageIndex));
    }
    hovered_ = pageIndex;
}

void TTabHotTracking::SetCloseState(TCloseButtonState state)
{
    if (state == closeState_)
        return;
    closeState_ = state;
    if (control_.ActivePage())
        control_.InvalidateRect(control_.TabRect(control_.ActivePageIndex()));
}

void TTabHotTracking::MouseMove(int x, int y)
{
    if (control_.TabHoverColor() == clNone || control_.TabBorder3D())
        return;
    SetHovered(control_.PageIndexAt(x, y));
    const TFlatTabSheet* active = control_.ActivePage();
    if (active && active->ShowClose() && closeState_ != TCloseButtonState::Pressed)
        SetCloseState(CloseButtonRect().Contains({x, y}) ? TCloseButtonState::Hot : TCloseButtonState::Normal);
}

void TTabHotTracking::MouseLeave()
{
    if (control_.TabBackGround().Empty())
        control_.InvalidateRect(control_.TabRect(hovered_));
    hovered_ = -1;
    if (closeState_ == TCloseButtonState::Hot)
        SetCloseState(TCloseButtonState::Normal);
}

bool TTabHotTracking::Press(int x, int y)
{
    const TFlatTabSheet* active = control_.ActivePage();
    if (control_.TabBorder3D() || !active || !active->ShowClose() || !CloseButtonRect().Contains({x, y}))
        return false;
    SetCloseState(TCloseButtonState::Pressed);
    return true;
}

bool TTabHotTracking::Release(int x, int y)
{
    if (closeState_ != TCloseButtonState::Pressed)
        return false;
    const bool inside = CloseButtonRect().Contains({x, y});
    SetCloseState(inside ? TCloseButtonState::Hot : TCloseButtonState::Normal);
    return inside && !control_.TabBorder3D() && control_.ActivePage();
}

void TTabHotTracking::ResetCloseButton()
{
    closeState_ = TCloseButtonState::Normal;
}

void TTabHotTracking::ForgetPagesFrom(int pageCount)
{
    if (hovered_ >= pageCount)
        hovered_ = -1;
}
