#include "grid/editor/PopupPlacement.h"

#include <algorithm>

TRect PlacePopup(const TRect& r, const TRect& w, int width, int height, TPopupAlign align)
{
    const bool fitsBelow = r.Bottom + height <= w.Bottom;
    const bool fitsAbove = r.Top - height >= w.Top;
    const bool above = (!fitsBelow && fitsAbove) || (!fitsBelow && !fitsAbove && r.Top - w.Top > w.Bottom - r.Bottom);
    int top;
    if (above) {
        height = std::min(height, r.Top - w.Top);
        top = r.Top - height;
    } else {
        height = std::min(height, std::max(0, w.Bottom - r.Bottom));
        top = r.Bottom;
    }
    int left = r.Left;
    if (align == paRight)
        left = r.Right - width;
    else if (align == paCenter)
        left = r.Left + (r.Width() - width) / 2;
    width = std::min(width, w.Width());
    if (left + width > w.Right)
        left = w.Right - width;
    if (left < w.Left)
        left = w.Left;
    return {left, top, left + width, top + height};
}
