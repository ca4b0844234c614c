#pragma once

// The canvas's own rasteriser: spans, lines, polygons and span shapes written
// straight into 32-bit pixel memory, clipped against a list of device rectangles.
// Pixel centres sit at (x + 0.5, y + 0.5); filled areas include the left/top and
// exclude the right/bottom edges, as the platform's polygon fill does.
// On a surface with a scale above 1 every coordinate here is a logical pixel that
// covers scale x scale pixels of the memory, so a shape comes out as the scale-1
// picture enlarged block by block (hatches stay per logical pixel).

#include <cstdint>
#include <functional>
#include <vector>

namespace raster {

struct IRect {
    int l = 0, t = 0, r = 0, b = 0;
    bool empty() const { return r <= l || b <= t; }
};

struct Span {
    int x0 = 0, x1 = 0; // half-open
    bool empty() const { return x1 <= x0; }
};

// How pixels are combined: colour (0xFFRRGGBB), binary raster operation R2_* code
// (1..16; 13 = copy), and an optional 8 x 8 hatch mask (bit 7 of row 0 = pixel
// (0, 0) of the device) outside of which nothing is painted.
struct Ink {
    uint32_t color = 0xFF000000u;
    int rop2 = 13;
    const uint8_t* hatch = nullptr;
    bool active = true;
};

struct Surface {
    uint8_t* bits = nullptr;
    long long bpl = 0;
    int w = 0, h = 0;        // in logical pixels
    int scale = 1;           // memory pixels per logical pixel along each axis
    std::vector<IRect> clip; // logical rectangles, already inside the surface
    IRect clipBox;           // their bounding box

    bool valid() const { return bits && w > 0 && h > 0 && !clip.empty(); }
    // Row y of the memory (a memory row, not a logical one, when scaled).
    uint32_t* row(int y) const { return reinterpret_cast<uint32_t*>(bits + y * bpl); }
    bool inClip(int x, int y) const;
};

// The same memory seen at scale 1: size and clip in memory pixels, for work done
// at full resolution (text ink, block copies).
Surface memoryView(const Surface& s);

uint32_t applyRop2(int rop2, uint32_t pen, uint32_t dst);
uint32_t applyRop3(int index, uint32_t pat, uint32_t src, uint32_t dst);

// Paints pixels x0 <= x < x1 of row y.
void fillSpan(const Surface& s, int y, int x0, int x1, const Ink& ink);
void plot(const Surface& s, int x, int y, const Ink& ink);

// A 1-pixel line from (x0, y0) towards (x1, y1), omitting the last pixel. When
// dash is not empty the pattern (on, off, on, ...) in pixels is applied starting at
// *dashPos (advanced on return); off pixels use gapInk (which may be inactive).
void thinLine(const Surface& s, int x0, int y0, int x1, int y1, const Ink& ink, const std::vector<int>& dash,
              long long* dashPos, const Ink& gapInk);

struct PointF {
    double x, y;
};
using PolygonF = std::vector<PointF>;

// Fills the polygons (each with the winding or even-odd rule) as one area: a pixel
// covered by several polygons is painted once.
void fillPolygons(const Surface& s, const std::vector<PolygonF>& polys, bool winding, const Ink& ink);

enum class StrokeCap { Round, Square, Flat };
enum class StrokeJoin { Round, Bevel, Miter };

// Polygons covering a wide stroke through pts (device pixel coordinates), width w.
void strokePolygons(const std::vector<PointF>& pts, bool closed, double w, StrokeCap cap, StrokeJoin join,
                    std::vector<PolygonF>& out);

// A shape given as one span per row for rows top <= y < bottom.
struct SpanShape {
    int top = 0, bottom = 0;
    std::function<Span(int)> row;
    Span at(int y) const { return (y >= top && y < bottom) ? row(y) : Span{}; }
};

// Paints shape's boundary pixels (4-neighbour) with pen and the rest with brush.
void paintThinOutlined(const Surface& s, const SpanShape& shape, const Ink& pen, const Ink& brush);
// Paints outer minus inner with pen and inner with brush.
void paintFramed(const Surface& s, const SpanShape& outer, const SpanShape& inner, const Ink& pen, const Ink& brush);

// Row spans of the ellipse inscribed in [l, r) x [t, b).
SpanShape ellipseShape(int l, int t, int r, int b);
SpanShape rectShape(int l, int t, int r, int b);
SpanShape roundRectShape(int l, int t, int r, int b, int ew, int eh);

} // namespace raster
