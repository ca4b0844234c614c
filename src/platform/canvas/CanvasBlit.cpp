#include "platform/canvas/Canvas.h"

#include <algorithm>
#include <cstring>

#include <QPainter>
#include <QTransform>

#include "platform/canvas/Bitmap.h"
#include "platform/canvas/CanvasPrivate.h"

using raster::IRect;
using raster::Surface;
using namespace canvasdetail;

namespace {

// The target pixel in the source, along one axis, for target pixel X of a
// surface at scale dk: the logical pixel is mapped as at scale 1 (so the result
// is the scale-1 copy enlarged), and the position inside it carries over to a
// source at scale sk (so copies between equal scales keep every pixel).
// -1 outside the source.
struct AxisMap {
    long long dl, dw, sl, sw;
    bool mirror;
    int dk, sk, limit;
    bool usesSrc;
    int operator()(long long X) const
    {
        const long long i = (dk == 1 ? X : X / dk) - dl;
        long long sub = dk == 1 ? 0 : X % dk;
        long long j = ((2 * i + 1) * sw) / (2 * dw);
        if (mirror) {
            j = sw - 1 - j;
            sub = dk - 1 - sub;
        }
        j += sl;
        const long long at = j * sk + sub * sk / dk;
        return (usesSrc && (j < 0 || at < 0 || at >= limit)) ? -1 : int(at);
    }
};

constexpr uint32_t kOpaque = 0xFF000000u;

// n pixels copied and made opaque, four at a time: a 32-bit source with alpha
// (panels' prepared pictures) is as common as one without, and the compiler
// leaves the plain loop one pixel at a time.
void copyOpaque(uint32_t* to, const uint32_t* from, size_t n)
{
    using Quad = uint32_t __attribute__((vector_size(16)));
    const Quad opaque = {kOpaque, kOpaque, kOpaque, kOpaque};
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        Quad q;
        std::memcpy(&q, from + i, sizeof q);
        q |= opaque;
        std::memcpy(to + i, &q, sizeof q);
    }
    for (; i < n; ++i)
        to[i] = from[i] | kOpaque;
}

// The copy engine: destination logical rectangle (dl, dt, dw, dh), source image
// at scale sk and source rectangle (logical), both possibly mirrored (negative sizes).
void stretchCopy(const Surface& s, long long dl, long long dt, long long dw, long long dh, const QImage* src, int sk,
                 long long sl, long long st, long long sw, long long sh, int rop, uint32_t pattern,
                 uint32_t transparentKey, bool transparent)
{
    if (!s.valid() || dw == 0 || dh == 0)
        return;
    const bool usesSrc = ((rop >> 2) & 0x33) != (rop & 0x33);
    if (usesSrc && (sw == 0 || sh == 0 || !src || src->isNull()))
        return;
    bool mirrorX = (dw < 0) != (sw < 0), mirrorY = (dh < 0) != (sh < 0);
    if (dw < 0) {
        dl += dw;
        dw = -dw;
    }
    if (dh < 0) {
        dt += dh;
        dh = -dh;
    }
    if (sw < 0) {
        sl += sw;
        sw = -sw;
    }
    if (sh < 0) {
        st += sh;
        sh = -sh;
    }
    if (!usesSrc)
        sw = dw, sh = dh, mirrorX = mirrorY = false;
    const long long x0 = std::max<long long>(dl, s.clipBox.l), x1 = std::min<long long>(dl + dw, s.clipBox.r);
    const long long y0 = std::max<long long>(dt, s.clipBox.t), y1 = std::min<long long>(dt + dh, s.clipBox.b);
    if (x0 >= x1 || y0 >= y1)
        return;
    // Source column/row for each target column/row in the clipped range, in
    // the pixels of the target's memory.
    const int dk = s.scale;
    const AxisMap ax{dl, dw, sl, sw, mirrorX, dk, sk, src ? src->width() : 0, usesSrc};
    const AxisMap ay{dt, dh, st, sh, mirrorY, dk, sk, src ? src->height() : 0, usesSrc};
    const long long X0 = x0 * dk, X1 = x1 * dk, Y0 = y0 * dk, Y1 = y1 * dk;
    std::vector<int> mapX(size_t(X1 - X0)), mapY(size_t(Y1 - Y0));
    for (long long x = X0; x < X1; ++x)
        mapX[size_t(x - X0)] = ax(x);
    for (long long y = Y0; y < Y1; ++y)
        mapY[size_t(y - Y0)] = ay(y);
    // A source on the destination itself is read from a copy.
    QImage copy;
    const QImage* from = src;
    if (usesSrc && src->constBits() == s.bits) {
        copy = src->copy();
        from = &copy;
    }
    // Most blits copy the source as it is (SRCCOPY): the same result as the
    // general operation, without asking for it pixel by pixel.
    const bool plainCopy = rop == 0xCC && !transparent;
    // An unscaled copy (most of them: panels blit their prepared pictures)
    // reads each source row straight, and RGB32 pixels are opaque already.
    const bool straightX = plainCopy && !mapX.empty() && mapX.front() >= 0 &&
                           std::adjacent_find(mapX.begin(), mapX.end(), [](int a, int b) { return b != a + 1; }) ==
                               mapX.end();
    const bool opaqueSource = from && from->format() == QImage::Format_RGB32;
    const Surface m = dk == 1 ? Surface{} : raster::memoryView(s);
    const Surface& mem = dk == 1 ? s : m;
    for (const IRect& c : mem.clip) {
        const long long cx0 = std::max<long long>(X0, c.l), cx1 = std::min<long long>(X1, c.r);
        const long long cy0 = std::max<long long>(Y0, c.t), cy1 = std::min<long long>(Y1, c.b);
        if (cx0 >= cx1)
            continue;
        for (long long y = cy0; y < cy1; ++y) {
            const int sy = mapY[size_t(y - Y0)];
            if (usesSrc && sy < 0)
                continue;
            uint32_t* drow = mem.row(int(y));
            const uint32_t* srow = usesSrc ? reinterpret_cast<const uint32_t*>(from->constScanLine(sy)) : nullptr;
            if (straightX) {
                const uint32_t* run = srow + mapX[size_t(cx0 - X0)];
                if (opaqueSource)
                    std::memcpy(drow + cx0, run, size_t(cx1 - cx0) * sizeof(uint32_t));
                else
                    copyOpaque(drow + cx0, run, size_t(cx1 - cx0));
                continue;
            }
            if (plainCopy) {
                for (long long x = cx0; x < cx1; ++x)
                    if (const int sx = mapX[size_t(x - X0)]; sx >= 0)
                        drow[x] = srow[sx] | kOpaque;
                continue;
            }
            for (long long x = cx0; x < cx1; ++x) {
                uint32_t sp = 0;
                if (usesSrc) {
                    const int sx = mapX[size_t(x - X0)];
                    if (sx < 0)
                        continue;
                    sp = srow[sx];
                    if (transparent && (sp & 0x00FFFFFFu) == transparentKey)
                        continue;
                }
                drow[x] = raster::applyRop3(rop, pattern, sp, drow[x]);
            }
        }
    }
}

QImage asRgb32(const QImage& img)
{
    const auto f = img.format();
    if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied)
        return img;
    return img.convertToFormat(QImage::Format_RGB32);
}

} // namespace

void TCanvas::BitBlt(int x, int y, int w, int h, const TCanvas* src, int sx, int sy, uint32_t rop)
{
    if (w <= 0 || h <= 0)
        return;
    StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
}

void TCanvas::StretchBlt(int x, int y, int w, int h, const TCanvas* src, int sx, int sy, int sw, int sh, uint32_t rop)
{
    Surface s = d->surface();
    if (!s.valid())
        return;
    const int index = int((rop >> 16) & 0xFF);
    QImage srcImg;
    const QImage* from = nullptr;
    long long sl = sx, st = sy;
    int ss = 1;
    if (src && src->d->hasSurface()) {
        if (src->d->target == d->target) {
            from = d->target;
        } else {
            srcImg = asRgb32(*src->d->target);
            from = &srcImg;
        }
        sl -= src->d->org.X;
        st -= src->d->org.Y;
        ss = src->d->scale;
    }
    stretchCopy(s, widen(x) - d->org.X, widen(y) - d->org.Y, w, h, from, ss, sl, st, sw, sh, index,
                pixelOf(d->brush.Color()), 0, false);
}

void TCanvas::CopyRect(const TRect& dst, const TCanvas& src, const TRect& srcRect)
{
    StretchBlt(dst.Left, dst.Top, dst.Right - dst.Left, dst.Bottom - dst.Top, &src, srcRect.Left, srcRect.Top,
               srcRect.Right - srcRect.Left, srcRect.Bottom - srcRect.Top, d->copyMode);
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    if (bitmap.Empty())
        return;
    StretchDraw(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& r, const TBitmap& bitmap)
{
    if (d->vector) {
        if (!bitmap.Empty()) {
            QImage img = bitmap.Image().copy(0, 0, bitmap.Width() * bitmap.Scale(), bitmap.Height() * bitmap.Scale());
            if (bitmap.Transparent()) {
                const uint32_t key = pixelOf(bitmap.TransparentColor()) & 0x00FFFFFFu;
                img = img.convertToFormat(QImage::Format_ARGB32);
                for (int y = 0; y < img.height(); ++y) {
                    auto* row = reinterpret_cast<uint32_t*>(img.scanLine(y));
                    for (int x = 0; x < img.width(); ++x)
                        if ((row[x] & 0x00FFFFFFu) == key)
                            row[x] = 0;
                }
            }
            d->vectorImage(d->deviceRect(r), img);
        }
        return;
    }
    Surface s = d->surface();
    if (!s.valid() || bitmap.Empty())
        return;
    const QImage& img = bitmap.Image();
    const bool transparent = bitmap.Transparent();
    const uint32_t key = pixelOf(bitmap.TransparentColor()) & 0x00FFFFFFu;
    const int index = transparent ? 0xCC : int((d->copyMode >> 16) & 0xFF);
    const QImage* from = &img;
    QImage copy;
    if (img.constBits() == s.bits) {
        copy = img.copy();
        from = &copy;
    }
    stretchCopy(s, widen(r.Left) - d->org.X, widen(r.Top) - d->org.Y, widen(r.Right) - r.Left,
                widen(r.Bottom) - r.Top, from, bitmap.Scale(), 0, 0, bitmap.Width(), bitmap.Height(), index,
                pixelOf(d->brush.Color()), key, transparent);
}

void TCanvas::DrawImage(int x, int y, const QImage& image)
{
    if (d->vector) {
        if (!image.isNull())
            d->vectorImage(QRect(clampCoord(widen(x) - d->org.X), clampCoord(widen(y) - d->org.Y),
                                 image.width(), image.height()),
                           image);
        return;
    }
    Surface s = d->surface();
    if (!s.valid() || image.isNull())
        return;
    QPainter p(d->target);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QPoint at(clampCoord(widen(x) - d->org.X), clampCoord(widen(y) - d->org.Y));
    if (d->scale == 1) {
        p.setClipRegion(d->clipRegion);
        p.drawImage(at, image);
        return;
    }
    // Enlarged pixel by pixel (the painter's default is no smoothing).
    const int k = d->scale;
    p.setClipRegion(QTransform::fromScale(k, k).map(d->clipRegion));
    p.drawImage(QRect(at * k, image.size() * k), image);
}
