#pragma once

// Small helpers for the canvas's pixel tests: white off-screen surfaces, pixel
// rows as strings, ink bounding boxes.

#include <string>

#include <QImage>

#include "platform/Canvas.h"

namespace canvastest {

inline QImage surface(int w, int h, TColor fill = clWhite)
{
    QImage img(w, h, QImage::Format_RGB32);
    const uint32_t rgb = ColorToRGB(fill);
    img.fill(QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
    return img;
}

inline TColor at(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

// One character per pixel: '.' for background, '#' for anything else.
inline std::string row(const QImage& img, int y, int x0, int x1, TColor background = clWhite)
{
    std::string s;
    for (int x = x0; x < x1; ++x)
        s += at(img, x, y) == background ? '.' : '#';
    return s;
}

inline std::string col(const QImage& img, int x, int y0, int y1, TColor background = clWhite)
{
    std::string s;
    for (int y = y0; y < y1; ++y)
        s += at(img, x, y) == background ? '.' : '#';
    return s;
}

inline int count(const QImage& img, TColor c, TRect r = {0, 0, 1 << 20, 1 << 20})
{
    int n = 0;
    for (int y = std::max(0, r.Top); y < std::min(img.height(), r.Bottom); ++y)
        for (int x = std::max(0, r.Left); x < std::min(img.width(), r.Right); ++x)
            n += at(img, x, y) == c;
    return n;
}

// Bounding box (half-open) of the pixels that differ from background; empty when none.
inline TRect inkBox(const QImage& img, TColor background = clWhite)
{
    TRect b{1 << 20, 1 << 20, -(1 << 20), -(1 << 20)};
    bool any = false;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (at(img, x, y) != background) {
                any = true;
                b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x + 1), std::max(b.Bottom, y + 1)};
            }
    return any ? b : TRect{};
}

inline bool contains(const TRect& outer, const TRect& inner)
{
    return inner.IsEmpty() || (inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
                               inner.Bottom <= outer.Bottom);
}

} // namespace canvastest
