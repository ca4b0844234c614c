#pragma once

// Where a toolbar's items go and how big each button is. Pure geometry: the
// toolbar measures its items' texts and pictures and places them as told.

#include <vector>

#include "platform/base/Types.h"

enum TSkinDisplayMode : uint8_t { nbdmDefault, nbdmTextOnly, nbdmTextOnlyInMenus, nbdmImageAndText };
enum TSkinItemLayout : uint8_t { sklAuto, sklGlyphLeft, sklGlyphTop };

namespace SkinToolbarLayout {

// Padding of a button on a horizontal toolbar: the picture starts this far
// from the left edge, the caption ends this far from the right edge, and the
// two are this far apart.
constexpr int ImageLeft = 3;
constexpr int TextRight = 4;
constexpr int ImageTextGap = 4;
// Height added to the picture or text: 3 above and 3 below.
constexpr int VerticalPadding = 6;

struct ButtonContent {
    TSize text;         // caption extent in the toolbar's item font
    TSize image;        // picture size, 0 × 0 without an image list
    bool hasImage = false;
    bool hasText = false;
};

// The size a button needs. With picture and caption side by side: width
// 6 + TW + 4 + IW + 1 and height 6 + TH, at least IH + 6.
TSize ButtonSize(const ButtonContent& c, TSkinDisplayMode mode);
// What a button in that mode shows.
bool ShowsImage(const ButtonContent& c, TSkinDisplayMode mode);
bool ShowsText(const ButtonContent& c, TSkinDisplayMode mode);
// Picture and caption places inside a button rectangle (picture left of caption).
TRect ImageRect(const TRect& button, TSize image);
TRect TextRect(const TRect& button, TSize image, bool withImage);

struct Item {
    bool visible = true;
    bool separator = false;
    TSize size;          // what the button needs (separators: ignored)
    int separatorSize = -1; // −1: the theme's
};

struct Result {
    std::vector<TRect> rects; // one per item; empty for hidden items
    TSize content;            // the toolbar's size, margins included
};

// Items in order, left to right (top to bottom when vertical) after margins
// (Left, Top, Right, Bottom); every item of a row takes the row's height.
// A toolbar without items is as high as a button with a 16-pixel picture.
Result Arrange(const std::vector<Item>& items, const TRect& margins, int themeSeparatorSize, bool horizontal,
               int emptyExtent = 22);

} // namespace SkinToolbarLayout
