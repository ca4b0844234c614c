#include "chrome/pagecontrol/FlatTabLayout.h"

#include <algorithm>

namespace {

bool Vertical(TTabPosition p)
{
    return p == TTabPosition::tpLeft || p == TTabPosition::tpRight;
}

} // namespace

void TFlatTabLayout::Calculate(const Input& in)
{
    rects_.clear();
    const bool vertical = Vertical(in.position);
    rowExtent_ = in.tabHeight > 0 ? in.tabHeight : std::max(in.textHeight, in.spacerHeight) + RowPadding;
    // Along the strip: from one margin to the other.
    const int stripLength = std::max(0, (vertical ? in.height : in.width) - 2 * EdgeMargin);

    // Assign tabs to rows: offsets along the strip and row numbers.
    struct Slot {
        int row, offset, length;
    };
    std::vector<Slot> tabSlots;
    int row = 0;
    int offset = 0;
    for (int w : in.textWidths) {
        const int length =
            in.tabWidth > 0 ? in.tabWidth : std::max(0, w) + std::max(0, in.spacerWidth) + ImageGap + 2 * TextPadding;
        if (in.multiLine && offset > 0 && offset + length > stripLength) {
            ++row;
            offset = 0;
        }
        tabSlots.push_back({row, offset, length});
        offset += length;
    }
    rows_ = row + 1;

    const int across = rows_ * rowExtent_;
    for (const Slot& s : tabSlots) {
        const int a = EdgeMargin + s.offset;
        const int b = a + s.length;
        TRect r;
        switch (in.position) {
        case TTabPosition::tpTop: {
            // The first row lies next to the pages, as on the platform.
            const int top = EdgeMargin + (rows_ - 1 - s.row) * rowExtent_;
            r = {a, top, b, top + rowExtent_};
            break;
        }
        case TTabPosition::tpBottom: {
            const int top = in.height - EdgeMargin - across + s.row * rowExtent_;
            r = {a, top, b, top + rowExtent_};
            break;
        }
        case TTabPosition::tpLeft: {
            const int left = EdgeMargin + (rows_ - 1 - s.row) * rowExtent_;
            r = {left, a, left + rowExtent_, b};
            break;
        }
        case TTabPosition::tpRight: {
            const int left = in.width - EdgeMargin - across + s.row * rowExtent_;
            r = {left, a, left + rowExtent_, b};
            break;
        }
        }
        rects_.push_back(r);
    }

    TRect page{PageInset, PageInset, in.width - PageInset, in.height - PageInset};
    switch (in.position) {
    // Pages away from the bottom or right edge leave the frame line under the tabs
    // visible; at the bottom the pages keep the platform's size.
    case TTabPosition::tpTop: page.Top = EdgeMargin + across + PageInset + 1; break;
    case TTabPosition::tpBottom: page.Bottom = in.height - EdgeMargin - across - EdgeMargin; break;
    case TTabPosition::tpLeft: page.Left = EdgeMargin + across + PageInset + 1; break;
    case TTabPosition::tpRight: page.Right = in.width - EdgeMargin - across - EdgeMargin; break;
    }
    page.Right = std::max(page.Left, page.Right);
    page.Bottom = std::max(page.Top, page.Bottom);
    page_ = page;
}

TRect TFlatTabLayout::TabRect(int tabIndex) const
{
    if (tabIndex < 0 || tabIndex >= TabCount())
        return {};
    return rects_[tabIndex];
}

int TFlatTabLayout::TabAt(int x, int y) const
{
    for (int i = 0; i < TabCount(); ++i) {
        const TRect& r = rects_[i];
        if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom)
            return i;
    }
    return -1;
}
