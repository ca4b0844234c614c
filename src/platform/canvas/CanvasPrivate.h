#pragma once

// The canvas's state and the helpers its drawing files share: device
// coordinates, inks for the rasteriser, the effective clip and the font's text
// cache.

#include <algorithm>
#include <memory>
#include <vector>

#include <QImage>
#include <QRegion>

#include "platform/canvas/Canvas.h"
#include "platform/canvas/CanvasTextCache.h"
#include "platform/canvas/Raster.h"

class FontFaces;
struct TTextLine;

namespace canvasdetail {
class TabbedText;
}

namespace canvasdetail {

constexpr int kCoordLimit = 1 << 28; // keeps QRect/QRegion arithmetic far from overflow

// Coordinates and origins are ints; their difference is taken in a wider type
// so that it cannot overflow before clampCoord brings it back.
constexpr long long widen(int v) { return v; }

inline int clampCoord(long long v) { return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit)); }

inline uint32_t pixelOf(TColor c)
{
    const uint32_t rgb = ColorToRGB(c);
    return 0xFF000000u | (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

inline TColor colorOfPixel(uint32_t p) { return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

// The half-open rectangle as a QRect, empty when reversed.
QRect toQRect(long long l, long long t, long long r, long long b);

// Pen styles' dash patterns in pixels (empty for solid pens).
const std::vector<int>& dashOf(TPenStyle s);

enum class ShapeKind { Rect, Ellipse, RoundRect };

// Background of a text cell w x h at device (x, y), turned by the font's orientation.
void fillTextCell(const raster::Surface& s, int x, int y, int w, int h, int orientation, const raster::Ink& ink);

struct SavedState {
    TPen pen;
    TBrush brush;
    TFont font;
    TCopyMode copyMode;
    TPolyFillMode fillMode;
    bool hasClip;
    QRegion clip;
    TPoint org;
    TPoint penPos;
};

} // namespace canvasdetail

struct TCanvas::Private {
    QImage* target = nullptr;
    // The vector back end (CanvasVector.cpp): drawing goes to this painter as
    // shapes and text instead of pixels; the raster surface is then empty.
    QPainter* vector = nullptr;
    int vectorW = 0, vectorH = 0;
    bool vectorClipSet = false;
    QRegion vectorClip; // what the painter clips to, device
    int scale = 1; // target pixels per logical pixel
    TPen pen;
    TBrush brush;
    TFont font;
    TCopyMode copyMode = cmSrcCopy;
    TPolyFillMode fillMode = ALTERNATE;
    bool hasClip = false;
    QRegion clip; // device coordinates
    TPoint org;   // window origin
    TPoint penPos;
    long long dashPos = 0;
    std::vector<std::unique_ptr<canvasdetail::SavedState>> saved;

    // Effective clip cache.
    bool clipDirty = true;
    int cachedW = -1, cachedH = -1;
    std::vector<raster::IRect> clipRects;
    raster::IRect clipBox;
    QRegion clipRegion; // effective, device

    // Font: the shared entry of the font last used, refound when the font changes.
    QString fName;
    int fHeight = 0;
    TFontStyles fStyle = 0;
    TFontPitch fPitch = fpDefault;
    std::shared_ptr<canvasdetail::FontEntry> fe;
    // The entry that draws the font at the canvas's scale (fe itself at scale 1).
    std::shared_ptr<canvasdetail::FontEntry> inkFe;
    const canvasdetail::FontEntry* inkBase = nullptr; // the fe that inkFe was found for

    // The target's size in logical pixels.
    int width() const
    {
        if (vector)
            return vectorW;
        return target && !target->isNull() ? target->width() / scale : 0;
    }
    int height() const
    {
        if (vector)
            return vectorH;
        return target && !target->isNull() ? target->height() / scale : 0;
    }
    bool hasSurface() const { return width() > 0 && height() > 0; }
    void ensureFormat();
    void updateClip();
    // A surface for raster work; extra (device) narrows the clip further.
    raster::Surface surface(const QRect* extra = nullptr);
    // The logical rectangle in device coordinates.
    QRect deviceRect(const TRect& r) const
    {
        using canvasdetail::widen;
        return canvasdetail::toQRect(widen(r.Left) - org.X, widen(r.Top) - org.Y, widen(r.Right) - org.X,
                                     widen(r.Bottom) - org.Y);
    }
    TPoint devicePoint(int x, int y) const
    {
        using canvasdetail::clampCoord, canvasdetail::widen;
        return {clampCoord(widen(x) - org.X), clampCoord(widen(y) - org.Y)};
    }

    // ---- text (CanvasText.cpp)
    canvasdetail::FontEntry& fontEntry();
    canvasdetail::FontEntry& inkEntry();
    const QFontMetrics& fm() { return *fontEntry().metrics; }
    const FontFaces& faces() { return *fontEntry().faces; }
    int advance(const QString& text) { return fontEntry().Advance(text); }
    // Paints the text's ink with its cell's top-left at device (x, y).
    void paintInk(const raster::Surface& s, int x, int y, const QString& text);

    // ---- formatted text (CanvasDrawText.cpp)
    // Background and text of placed lines, clipped by s (and by the device
    // rectangle clip, when given, for rotated text).
    void paintTextLines(const raster::Surface& s, const QRect* deviceClip, const std::vector<TTextLine>& lines,
                        int lineH, const canvasdetail::TabbedText& tabbed);
    // Accelerator underlines under the marked characters still shown (unrotated text only).
    void paintUnderlines(const raster::Surface& s, const std::vector<TTextLine>& lines,
                         const std::vector<int>& underlined, const canvasdetail::TabbedText& tabbed);

    // ---- inks
    raster::Ink penInk() const;
    // Brush as the interior of shapes (mix mode applies).
    raster::Ink brushInk() const;
    // Brush as a pattern fill (FillRect): plain copy.
    raster::Ink fillInk() const;
    // Background of styled pens and opaque text.
    raster::Ink gapInk() const;
    int penWidth() const { return std::max(1, pen.Width()); }

    // ---- vector back end (CanvasVector.cpp); device coordinates
    // Clips the painter to the effective clip, narrowed by extra when given.
    void vectorApplyClip(const QRect* extra = nullptr);
    void vectorStroke(const std::vector<TPoint>& devPts, bool closed);
    void vectorShape(canvasdetail::ShapeKind kind, int l, int t, int r, int b, int ew, int eh);
    void vectorPolygon(const std::vector<TPoint>& devPts);
    void vectorFill(const QRect& device, const TBrush& fill);
    void vectorFrame(const QRect& device);
    void vectorFocusRect(const QRect& device);
    // Text cell top-left at device (x, y); the background too with a solid brush.
    void vectorText(int x, int y, const QString& text, const QRect* deviceClip, bool background = true);
    // (CanvasDrawText.cpp)
    void vectorTextLines(const std::vector<TTextLine>& lines, int lineH, const canvasdetail::TabbedText& tabbed,
                         const QRect* deviceClip);
    void vectorImage(const QRect& device, const QImage& image, const QRect* deviceClip = nullptr);

    // ---- lines and shapes (CanvasShapes.cpp)
    // Device line (or polyline) in the pen.
    void strokePath(const std::vector<TPoint>& devPts, bool closed);
    void shape(canvasdetail::ShapeKind kind, int x1, int y1, int x2, int y2, int ew = 0, int eh = 0);
};
