#include "chrome/toolbars/SkinToolbarLayout.h"

#include <algorithm>

namespace SkinToolbarLayout {

bool ShowsImage(const ButtonContent& c, TSkinDisplayMode mode)
{
    if (!c.hasImage)
        return false;
    return mode != nbdmTextOnly;
}

bool ShowsText(const ButtonContent& c, TSkinDisplayMode mode)
{
    switch (mode) {
    case nbdmImageAndText:
    case nbdmTextOnly:
        return true;
    default:
        // On a toolbar the picture stands for the caption when there is one.
        return !c.hasImage;
    }
}

TSize ButtonSize(const ButtonContent& c, TSkinDisplayMode mode)
{
    const bool image = ShowsImage(c, mode);
    const bool text = ShowsText(c, mode);
    const int imageHeight = c.hasImage ? c.image.cy + VerticalPadding : 0;
    if (image && text) {
        return {ImageLeft + c.text.cx + ImageTextGap + c.image.cx + TextRight,
                std::max(VerticalPadding + c.text.cy, imageHeight)};
    }
    if (image)
        return {ImageLeft + c.image.cx + TextRight, imageHeight};
    return {ImageLeft + c.text.cx + TextRight, std::max(VerticalPadding + c.text.cy, imageHeight)};
}

TRect ImageRect(const TRect& button, TSize image)
{
    const int top = button.Top + (button.Height() - image.cy) / 2;
    return Bounds(button.Left + ImageLeft, top, image.cx, image.cy);
}

TRect TextRect(const TRect& button, TSize image, bool withImage)
{
    const int left = button.Left + ImageLeft + (withImage ? image.cx + ImageTextGap : 0);
    return {left, button.Top, std::max(left, button.Right - TextRight), button.Bottom};
}

Result Arrange(const std::vector<Item>& items, const TRect& margins, int themeSeparatorSize, bool horizontal,
               int emptyExtent)
{
    Result out;
    out.rects.resize(items.size());
    // The row's thickness: the largest button across the direction of the row.
    int thickness = 0;
    for (const Item& it : items)
        if (it.visible && !it.separator)
            thickness = std::max(thickness, horizontal ? it.size.cy : it.size.cx);
    if (thickness == 0)
        thickness = emptyExtent;

    int pos = horizontal ? margins.Left : margins.Top;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& it = items[i];
        if (!it.visible)
            continue;
        int length = horizontal ? it.size.cx : it.size.cy;
        if (it.separator)
            length = it.separatorSize >= 0 ? it.separatorSize : themeSeparatorSize;
        out.rects[i] = horizontal ? Bounds(pos, margins.Top, length, thickness)
                                  : Bounds(margins.Left, pos, thickness, length);
        pos += length;
    }
    if (horizontal)
        out.content = {pos + margins.Right, margins.Top + thickness + margins.Bottom};
    else
        out.content = {margins.Left + thickness + margins.Right, pos + margins.Bottom};
    return out;
}

} // namespace SkinToolbarLayout
