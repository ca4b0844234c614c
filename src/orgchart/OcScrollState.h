#pragma once

// The chart's two scroll bars as the chart sees them: range 0..Full, page and
// position per bar. The chart keeps this state itself and hands it to the
// window's scroll bars where the window has them, so the chart works the same
// with and without non-client scroll bars.

#include <cstdint>

#include "platform/Messages.h"

class TOcScrollState {
public:
    enum Bar : uint8_t { Horz, Vert };
    struct State {
        int full = 0;
        int page = 0;
        int pos = 0;
    };

    const State& Get(Bar bar) const { return bars_[bar]; }
    // Range and page only (the position is set by the chart's ScrollTo).
    void SetRange(Bar bar, int full, int page)
    {
        bars_[bar].full = full;
        bars_[bar].page = page;
    }
    void SetPos(Bar bar, int pos) { bars_[bar].pos = pos; }
    // A bar shows while the range exceeds the page.
    bool Shown(Bar bar) const { return bars_[bar].full > bars_[bar].page; }

    // The offset a scroll-bar command asks for; the thumb messages carry a
    // signed 16-bit position, so positions beyond 32,767 wrap.
    static int Target(unsigned code, int thumb16, int current, int page, int full)
    {
        switch (code) {
        case SB_LINEUP: return current - 16;
        case SB_LINEDOWN: return current + 16;
        case SB_PAGEUP: return current - (page - 16);
        case SB_PAGEDOWN: return current + (page - 16);
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: return static_cast<int16_t>(static_cast<uint16_t>(thumb16));
        case SB_TOP: return 0;
        case SB_BOTTOM: return full - page;
        default: return current;
        }
    }

private:
    State bars_[2];
};
