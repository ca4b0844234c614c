#pragma once

// Geometry of the flat page control's tab strip: where each tab lies, which
// tab a point hits and where the pages go. Tabs are laid out from their
// measured text sizes alone, so this class needs no window and no font.

#include <cstdint>
#include <vector>

#include "platform/base/Types.h"

// The order is the stored value.
enum class TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };

class TFlatTabLayout {
public:
    // Blank space between the strip and the control's edges.
    static constexpr int EdgeMargin = 2;
    // Space around the text (and spacer) inside a tab, on each side along the strip.
    static constexpr int TextPadding = 6;
    // Every tab carries a picture (the spacer at least), which the text follows
    // after this gap, as on the platform's tab control; it also leaves room for
    // the caption's last character, which the layout text leaves out.
    static constexpr int ImageGap = 6;
    // Added to the text height when no TabHeight is given.
    static constexpr int RowPadding = 5;
    // Between the strip and the page rectangle, and the page rectangle and the sides.
    static constexpr int PageInset = 4;

    struct Input {
        int width = 0;
        int height = 0;
        TTabPosition position = TTabPosition::tpTop;
        std::vector<int> textWidths;  // one per shown tab, in tab order
        int textHeight = 0;
        int spacerWidth = 0;   // the picture's width, added to every tab along the strip
        int spacerHeight = 0;  // counts towards the row height
        int tabHeight = 0;     // 0: text height + RowPadding
        int tabWidth = 0;      // 0: from the text
        bool multiLine = false;
    };

    void Calculate(const Input& input);

    int TabCount() const { return static_cast<int>(rects_.size()); }
    // The rectangle of a shown tab; empty for an index out of range.
    TRect TabRect(int tabIndex) const;
    // The tab under the point, or -1.
    int TabAt(int x, int y) const;
    int RowCount() const { return rows_; }
    // Thickness of one row of tabs across the strip.
    int RowExtent() const { return rowExtent_; }
    // The area the pages go in before the control's own adjustments. A row is
    // reserved even when no tab is shown, so hiding tabs does not move the pages.
    TRect PageRect() const { return page_; }

private:
    std::vector<TRect> rects_;
    TRect page_;
    int rows_ = 1;
    int rowExtent_ = 0;
};
