#pragma once

// Reading painted pictures in tests: text sizes, pixels as colour values, pixel rows as
// strings, ink bounding boxes, and a control's picture after painting.

#include <string>

#include <QImage>

#include "platform/canvas/Canvas.h"

class TControl;
class TFont;

// The colour value ($00BBGGRR) a system or plain colour paints as.
TColor Rgb(TColor c);
// The pixel as a colour value.
TColor At(const QImage& img, int x, int y);
inline TColor At(const QImage* img, int x, int y)
{
    return At(*img, x, y);
}
bool Opaque(const QImage& img, int x, int y);
// The control's picture after painting whatever is invalid.
const QImage& Painted(TControl& c);
inline const QImage* Painted(TControl* c)
{
    return &Painted(*c);
}
// The size text takes in font.
int TextWidth(const TFont& font, const QString& text);
int TextHeight(const TFont& font, const QString& text);

namespace canvastest {

// A surface of w x h in one colour.
QImage surface(int w, int h, TColor fill = clWhite);

inline TColor at(const QImage& img, int x, int y)
{
    return At(img, x, y);
}

// One character per pixel: '.' for background, '#' for anything else.
std::string row(const QImage& img, int y, int x0, int x1, TColor background = clWhite);
std::string col(const QImage& img, int x, int y0, int y1, TColor background = clWhite);
// Opaque pixels of colour c within r.
int count(const QImage& img, TColor c, TRect r = {0, 0, 1 << 20, 1 << 20});
// Bounding box (half-open) of the pixels that differ from background; empty when none.
TRect inkBox(const QImage& img, TColor background = clWhite);
// Bounding box (half-open) of the pixels in colour c; empty when none.
TRect boxOf(const QImage& img, TColor c);
bool contains(const TRect& outer, const TRect& inner);

} // namespace canvastest
