#pragma once

// The platform's non-client parts of a child window, as pure geometry and
// painting: a border (a one-pixel frame or the two-pixel sunken client edge) and
// the standard horizontal and vertical scroll bars with range, page and
// position. TWinControl keeps the state and turns input on the bars into
// WM_HSCROLL / WM_VSCROLL messages.

#include <cstdint>

#include "platform/base/Types.h"

class TCanvas;

enum TNonClientBorder : uint8_t { ncbNone, ncbSingle, ncbClientEdge };
enum TScrollBarKind : uint8_t { SB_HORZ = 0, SB_VERT = 1 };

// SetScrollInfo's mask bits.
enum : unsigned { SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_TRACKPOS = 0x10, SIF_ALL = 0x17 };

// The platform's scroll-bar thickness and smallest thumb at 96 pixels per inch.
constexpr int ScrollBarThickness = 16;
constexpr int MinThumbLength = 8;

struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    unsigned Page = 0;
    int Pos = 0;
    int TrackPos = 0;
    friend bool operator==(const TScrollInfo&, const TScrollInfo&) = default;
};

// A bar is shown while its range is not empty: Max > Min, and with a page, the
// page is smaller than the range.
bool ScrollBarHasRange(const TScrollInfo& info);
// The highest position the thumb can reach (Max − Page + 1 with a page).
int MaxScrollPos(const TScrollInfo& info);
// The info with Page and Pos clamped into the range, as the platform stores it.
TScrollInfo NormalisedScrollInfo(TScrollInfo info);

enum TScrollBarPart : uint8_t { sbpNone, sbpLineUp, sbpPageUp, sbpThumb, sbpPageDown, sbpLineDown };

// Where the border, the bars and the client area lie in a window w × h.
struct TNonClientLayout {
    int border = 0;
    TRect client;  // in window coordinates
    TRect horz;    // empty without a horizontal bar
    TRect vert;    // empty without a vertical bar
    TRect sizeBox; // the corner between two bars
};
TNonClientLayout LayoutNonClient(int width, int height, TNonClientBorder border, bool horz, bool vert);

// The parts of one bar along its rectangle for a thumb at pos.
struct TScrollBarParts {
    TRect lineUp, pageUp, thumb, pageDown, lineDown;
    int trackStart = 0, trackLength = 0, thumbLength = 0;
};
TScrollBarParts ScrollBarPartsOf(const TRect& bar, bool vertical, const TScrollInfo& info, int pos);
TScrollBarPart ScrollBarPartAt(const TScrollBarParts& parts, TPoint p);
// The position for a thumb whose leading edge lies offset pixels into the track.
int ScrollPosFromThumb(const TScrollBarParts& parts, const TScrollInfo& info, int offset);

void PaintNonClientBorder(TCanvas& canvas, int width, int height, TNonClientBorder border);
// pressed: the part held down (drawn pushed); pos: where the thumb is drawn.
void PaintScrollBar(TCanvas& canvas, const TRect& bar, bool vertical, const TScrollInfo& info, int pos,
                    TScrollBarPart pressed, bool enabled);
void PaintSizeBox(TCanvas& canvas, const TRect& box);
