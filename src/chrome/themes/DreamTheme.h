#pragma once

// The theme "Dream": light grey docks, toolbars shaded from white at the top
// to a warm grey at the bottom, and buttons with chamfered frames.

#include <array>

#include "chrome/themes/SkinTheme.h"

namespace DreamColors {
constexpr TColor Dock = 0x00E0E0E0;
constexpr TColor ToolbarTop = 0x00FFFFFF;
constexpr TColor ToolbarBottom = 0x00DCD8D0;
constexpr TColor HotOuter = 0x00E0E0E0;
constexpr TColor HotFill = 0x00F4F0F0;
constexpr TColor PushedInner = 0x00D0D0D0;
constexpr TColor PushedTop = 0x00FFFFFF;
constexpr TColor PushedBottom = 0x00C0C0C0;
constexpr TColor PushedFrame = 0x00909090;
constexpr TColor CheckedTop = 0x00D0F8FF;
constexpr TColor CheckedBottom = 0x00F0FDFF;
constexpr TColor CheckedHotTop = 0x002090E8;
constexpr TColor CheckedHotBottom = 0x0080E0FF;
constexpr TColor CheckedInner = 0x00A0A0A0;
constexpr TColor CheckedEdge = 0x00B0D4DF;
constexpr TColor CheckedHotEdge = 0x0060B0E8;
constexpr TColor CheckedFrame = 0x00808080;
constexpr TColor SeparatorDark = 0x00B0B0B0;
constexpr TColor SeparatorLight = 0x00FFFFFF;
} // namespace DreamColors

class TDreamTheme : public TSkinTheme {
public:
    explicit TDreamTheme(const QString& name);

    TSkinStateColors ItemColors(int state) const override;
    void PaintDock(TCanvas& canvas, const TRect& r) const override;
    void PaintToolbarBackground(TCanvas& canvas, const TRect& r) const override;
    void PaintButton(TCanvas& canvas, const TRect& r, const TSkinItemState& s) const override;
    void PaintSeparator(TCanvas& canvas, const TRect& r, bool horizontal) const override;
    void PaintFrameControl(TCanvas& canvas, const TRect& r, int kind, unsigned flags) const override;
    void ThemeMessage(int code) override;

private:
    // The colour table follows the system colours, so it is made again on code 2.
    void ComputeColors();

    std::array<TSkinStateColors, SkinStateCount> colors_;
};
