#include "chrome/gradients/BandGradient.h"

#include <cmath>

#include "platform/canvas/Canvas.h"

namespace {

// Round to nearest, ties to even, as the colour and band arithmetic always did.
int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

void FillBandGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to, int bands, bool horizontal)
{
    if (rect.IsEmpty())
        return;
    const int n = bands <= 0 ? 1 : bands;
    const uint32_t a = ColorToRGB(from);
    const uint32_t b = ColorToRGB(to);
    const int channelsFrom[3] = {int(a & 0xFF), int((a >> 8) & 0xFF), int((a >> 16) & 0xFF)};
    const int channelsTo[3] = {int(b & 0xFF), int((b >> 8) & 0xFF), int((b >> 16) & 0xFF)};
    const int size = horizontal ? rect.Width() : rect.Height();
    const int thickness = RoundEven(double(size) / n) + 1;

    canvas.SaveState();
    canvas.IntersectClipRect(rect);
    canvas.Brush().SetStyle(bsSolid);
    for (int k = 0; k < n; ++k) {
        int c[3];
        for (int i = 0; i < 3; ++i)
            c[i] = channelsFrom[i] + RoundEven(double(k) * (channelsTo[i] - channelsFrom[i]) / n);
        canvas.Brush().SetColor(RGBColor(c[0], c[1], c[2]));
        const int start = RoundEven(double(k) * size / n);
        if (horizontal)
            canvas.FillRect({rect.Left + start, rect.Top, rect.Left + start + thickness, rect.Bottom});
        else
            canvas.FillRect({rect.Left, rect.Top + start, rect.Right, rect.Top + start + thickness});
    }
    canvas.RestoreState();
}
