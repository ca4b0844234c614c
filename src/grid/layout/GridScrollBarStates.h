#pragma once

// The grid's two scroll bars as it drives them, on a 0..127 scale.

#include <algorithm>
#include <cstdint>
#include <utility>

enum TGridScrollBarKind : uint8_t { gsbHorz, gsbVert };

// The top of the scale that the grid drives its scroll bars on.
constexpr int GridScrollBarScale = 127;

// A scroll bar's range and position (a range of 0..0 hides the bar).
struct TGridScrollBarState {
    int Min = 0;
    int Max = 0;
    int Pos = 0;
    bool Visible() const { return Max > Min; }
};

class TGridScrollBarStates {
public:
    const TGridScrollBarState& operator[](TGridScrollBarKind bar) const { return bars_[bar]; }
    // Sets the range; the position stays inside it.
    void SetRange(TGridScrollBarKind bar, int min, int max)
    {
        TGridScrollBarState& s = bars_[bar];
        s.Min = min;
        s.Max = max;
        s.Pos = std::clamp(s.Pos, min, std::max(min, max));
    }
    // True when the position changed.
    bool SetPos(TGridScrollBarKind bar, int pos) { return std::exchange(bars_[bar].Pos, pos) != pos; }

private:
    TGridScrollBarState bars_[2];
};
