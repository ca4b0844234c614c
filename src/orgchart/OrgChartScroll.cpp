// Scrolling: the border and the two scroll bars as window parts, the offsets,
// the scroll-bar commands, and the size changes that make bars come and go.

#include <algorithm>

#include "orgchart/OrgChart.h"

namespace {

// The offset a scroll-bar command asks for; the rest is left to ScrollTo's limits.
int ScrollTarget(unsigned code, int thumb, int current, int page, int full)
{
    switch (code) {
    case SB_LINEUP: return current - 16;
    case SB_LINEDOWN: return current + 16;
    case SB_PAGEUP: return current - (page - 16);
    case SB_PAGEDOWN: return current + (page - 16);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return thumb;
    case SB_TOP: return 0;
    case SB_BOTTOM: return full - page;
    default: return current;
    }
}

} // namespace

void TCustomOrgChart::ApplyWindowStyles()
{
    SetNonClientBorder(borderStyle_ != bsSingle ? ncbNone : Ctl3D() ? ncbClientEdge : ncbSingle);
    SetScrollBarStyles(true, true);
}

void TCustomOrgChart::Ctl3DChanged()
{
    TCustomControl::Ctl3DChanged();
    ApplyWindowStyles();
}

int TCustomOrgChart::ScrollLeft()
{
    if (zoomOff_ != 0)
        UpdateLayout();
    return scrollX_;
}

int TCustomOrgChart::ScrollTop()
{
    if (zoomOff_ != 0)
        UpdateLayout();
    return scrollY_;
}

void TCustomOrgChart::ScrollTo(int x, int y)
{
    // The limits depend on the bars the layout gives.
    if (zoomOff_ != 0)
        UpdateLayout();
    TOcLayout layout = Layout();
    x = std::max(0, std::min(x, layout.FullW() - ClientWidth()));
    y = std::max(0, std::min(y, layout.FullH() - ClientHeight()));
    if (x == scrollX_ && y == scrollY_)
        return;
    const int dx = scrollX_ - x, dy = scrollY_ - y;
    scrollX_ = x;
    scrollY_ = y;
    hitFlags_ = 0;
    if (dx)
        SetScrollPos(SB_HORZ, x);
    if (dy)
        SetScrollPos(SB_VERT, y);
    if (painting_) {
        // Bars that came or went while the paint brought the layout up to date:
        // the picture is redone as a whole afterwards.
        InvalidateAll();
    } else if (HasWidget()) {
        const TRect client = ClientRect();
        ScrollSurface(dx, dy, client, client);
    }
}

void TCustomOrgChart::UpdateScrollBars()
{
    // A bar that comes or goes resizes the client and the resize comes back
    // here with the new page; the guard only stops a layout that never settles.
    if (scrollBarDepth_ > 4)
        return;
    ++scrollBarDepth_;
    const int x = scrollX_, y = scrollY_;
    TOcLayout layout = Layout();
    const int full[2] = {layout.FullW(), layout.FullH()};
    for (TScrollBarKind bar : {SB_HORZ, SB_VERT}) {
        // Full pixels are positions 0 .. Full − 1, so a chart that just fits
        // shows no bar and the thumb's last position is ScrollTo's limit.
        TScrollInfo info;
        info.Max = full[bar] - 1;
        info.Page = static_cast<unsigned>(std::max(0, bar == SB_HORZ ? ClientWidth() : ClientHeight()));
        SetScrollInfo(bar, info, SIF_RANGE | SIF_PAGE);
    }
    --scrollBarDepth_;
    ScrollTo(x, y);
    // A bar that had no range could not take its position earlier.
    SetScrollPos(SB_HORZ, scrollX_);
    SetScrollPos(SB_VERT, scrollY_);
}

void TCustomOrgChart::ScrollMessage(TScrollBarKind bar, unsigned code, int thumb)
{
    const bool horz = bar == SB_HORZ;
    // The message carries the thumb in 16 signed bits. While the window's own
    // thumb is dragged its full position is at hand, so wide charts scroll past
    // 32,767 pixels instead of jumping back.
    int position = static_cast<int16_t>(static_cast<uint16_t>(thumb));
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) {
        const int track = GetScrollInfo(bar).TrackPos;
        if ((track & 0xFFFF) == (thumb & 0xFFFF))
            position = track;
    }
    const int page = horz ? ClientWidth() : ClientHeight();
    const int full = horz ? FullWidth() : FullHeight();
    const int current = horz ? ScrollLeft() : ScrollTop();
    const int target = ScrollTarget(code, position, current, page, full);
    if (horz)
        SetScrollLeft(target);
    else
        SetScrollTop(target);
}

void TCustomOrgChart::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollMessage(message.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, static_cast<unsigned>(message.WParam & 0xFFFF),
                      static_cast<int>((message.WParam >> 16) & 0xFFFF));
        message.Result = 0;
        return;
    case CM_WANTSPECIALKEY:
        // Escape cancels a drag rather than closing the screen.
        message.Result = message.WParam == VK_ESCAPE && drag_.Active() ? 1 : 0;
        return;
    default: break;
    }
    TCustomControl::WndProc(message);
}

void TCustomOrgChart::TimerFired(unsigned id)
{
    if (id == kAutoScrollTimer)
        drag_.AutoScrollTick();
    else
        TCustomControl::TimerFired(id);
}

void TCustomOrgChart::Resize()
{
    TCustomControl::Resize();
    HideEditor(false);
    const bool wasZoomed = zoomOff_ == 0 && zoomNum_ < zoomDen_;
    layoutDirty_ = true;
    UpdateLayout();
    if (wasZoomed || Zoomed())
        InvalidateAll();
}
