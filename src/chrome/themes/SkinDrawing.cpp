#include "chrome/themes/SkinDrawing.h"

#include <algorithm>
#include <cstdlib>

namespace SkinDrawing {

namespace {

TColor FromChannels(int r, int g, int b)
{
    return RGBColor(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
}

} // namespace

TColor Blend(TColor c1, TColor c2, int w)
{
    const uint32_t a = ColorToRGB(c1), b = ColorToRGB(c2);
    auto mix = [w](int x, int y) { return (x * w + y * (100 - w) + 50) / 100; };
    return FromChannels(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                        mix(GetBValue(a), GetBValue(b)));
}

int Brightness(TColor c)
{
    const uint32_t rgb = ColorToRGB(c);
    return (GetRValue(rgb) * 299 + GetGValue(rgb) * 587 + GetBValue(rgb) * 114 + 500) / 1000;
}

TColor Contrast(TColor c, TColor background, int threshold)
{
    const int bg = Brightness(background);
    const int own = Brightness(c);
    if (std::abs(own - bg) >= threshold)
        return static_cast<TColor>(ColorToRGB(c));
    // Stay on the colour's own side of the background when that side has room.
    const bool roomAbove = bg + threshold <= 255;
    const bool roomBelow = bg - threshold >= 0;
    bool lighten = own >= bg;
    if (lighten && !roomAbove && (roomBelow || bg > 127))
        lighten = false;
    else if (!lighten && !roomBelow && (roomAbove || bg <= 127))
        lighten = true;
    const TColor target = lighten ? clWhite : clBlack;
    TColor best = static_cast<TColor>(ColorToRGB(c));
    for (int step = 1; step <= 100; ++step) {
        best = Blend(target, c, step);
        if (std::abs(Brightness(best) - bg) >= threshold)
            break;
    }
    return best;
}

TColor GradientRow(TColor top, TColor bottom, int r, int h)
{
    const uint32_t t = ColorToRGB(top), b = ColorToRGB(bottom);
    if (h < 2)
        return static_cast<TColor>(t);
    auto channel = [r, h](int c2, int c1) { return c1 + (c2 - c1) * (h - 1 - r) / (h - 1); };
    return FromChannels(channel(GetRValue(t), GetRValue(b)), channel(GetGValue(t), GetGValue(b)),
                        channel(GetBValue(t), GetBValue(b)));
}

void FillGradient(TCanvas& canvas, const TRect& r, TColor first, TColor last, bool vertical)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    canvas.Brush().SetStyle(bsSolid);
    const int n = vertical ? r.Height() : r.Width();
    for (int i = 0; i < n; ++i) {
        canvas.Brush().SetColor(GradientRow(first, last, i, n));
        if (vertical)
            canvas.FillRect({r.Left, r.Top + i, r.Right, r.Top + i + 1});
        else
            canvas.FillRect({r.Left + i, r.Top, r.Left + i + 1, r.Bottom});
    }
}

void ChamferedFrame(TCanvas& canvas, const TRect& r, int a, int b, TColor color)
{
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    const int L = r.Left, T = r.Top, R = r.Right - 1, B = r.Bottom - 1;
    const TPoint points[] = {{L + a, T}, {R - b, T}, {R, T + b}, {R, B - b}, {R - b, B},
                             {L + a, B}, {L, B - a}, {L, T + a}, {L + a, T}};
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetMode(pmCopy);
    canvas.Pen().SetColor(color);
    canvas.Polyline(points, 9);
}

TRect Inset(const TRect& r, int d)
{
    return {r.Left + d, r.Top + d, r.Right - d, r.Bottom - d};
}

} // namespace SkinDrawing
