#include "platform/Canvas.h"

#include <QPainter>

#include "platform/Bitmap.h"
#include "platform/CanvasPrivate.h"

using raster::IRect;
using raster::Surface;
using namespace canvasdetail;

namespace {

// The copy engine: destination device rectangle (dl, dt, dw, dh), source image and
// source rectangle (device), both possibly mirrored (negative sizes).
void stretchCopy(const Surface& s, long long dl, long long dt, long long dw, long long dh, const QImage* src,
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
    // Source column/row for each destination column/row in the clipped range.
    std::vector<int> mapX(size_t(x1 - x0)), mapY(size_t(y1 - y0));
    const int srcW = src ? src->width() : 0, srcH = src ? src->height() : 0;
    for (long long x = x0; x < x1; ++x) {
        long long i = x - dl;
        long long j = ((2 * i + 1) * sw) / (2 * dw);
        if (mirrorX)
            j = sw - 1 - j;
        j += sl;
        mapX[size_t(x - x0)] = (usesSrc && (j < 0 || j >= srcW)) ? -1 : int(j);
    }
    for (long long y = y0; y < y1; ++y) {
        long long i = y - dt;
        long long j = ((2 * i + 1) * sh) / (2 * dh);
        if (mirrorY)
            j = sh - 1 - j;
        j += st;
        mapY[size_t(y - y0)] = (usesSrc && (j < 0 || j >= srcH)) ? -1 : int(j);
    }
    // A source on the destination itself is read from a copy.
    QImage copy;
    const QImage* from = src;
    if (usesSrc && src->constBits() == s.bits) {
        copy = src->copy();
        from = &copy;
    }
    for (const IRect& c : s.clip) {
        const long long cx0 = std::max<long long>(x0, c.l), cx1 = std::min<long long>(x1, c.r);
        const long long cy0 = std::max<long long>(y0, c.t), cy1 = std::min<long long>(y1, c.b);
        for (long long y = cy0; y < cy1; ++y) {
            const int sy = mapY[size_t(y - y0)];
            if (usesSrc && sy < 0)
                continue;
            uint32_t* drow = s.row(int(y));
            const uint32_t* srow = usesSrc ? reinterpret_cast<const uint32_t*>(from->constScanLine(sy)) : nullptr;
            for (long long x = cx0; x < cx1; ++x) {
                uint32_t sp = 0;
                if (usesSrc) {
                    const int sx = mapX[size_t(x - x0)];
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
    if (src && src->d->hasSurface()) {
        if (src->d->target == d->target) {
            from = d->target;
        } else {
            srcImg = asRgb32(*src->d->target);
            from = &srcImg;
        }
        sl -= src->d->org.X;
        st -= src->d->org.Y;
    }
    stretchCopy(s, (long long)x - d->org.X, (long long)y - d->org.Y, w, h, from, sl, st, sw, sh, index,
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
    stretchCopy(s, (long long)r.Left - d->org.X, (long long)r.Top - d->org.Y, (long long)r.Right - r.Left,
                (long long)r.Bottom - r.Top, from, 0, 0, img.width(), img.height(), index, pixelOf(d->brush.Color()),
                key, transparent);
}

void TCanvas::DrawImage(int x, int y, const QImage& image)
{
    Surface s = d->surface();
    if (!s.valid() || image.isNull())
        return;
    QPainter p(d->target);
    p.setClipRegion(d->clipRegion);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(clampCoord((long long)x - d->org.X), clampCoord((long long)y - d->org.Y)), image);
}
