#include "platform/canvas/CanvasPrivate.h"

#include <climits>

using raster::Ink;
using raster::IRect;
using raster::Surface;

namespace canvasdetail {

namespace {

int rop2Of(TPenMode m)
{
    static const int table[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};
    return m < 16 ? table[m] : 13;
}

const uint8_t* hatchOf(TBrushStyle s)
{
    static const uint8_t horizontal[8] = {0xFF, 0, 0, 0, 0, 0, 0, 0};
    static const uint8_t vertical[8] = {0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static const uint8_t fdiag[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static const uint8_t bdiag[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static const uint8_t cross[8] = {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
    static const uint8_t diagcross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (s) {
    case bsHorizontal:
        return horizontal;
    case bsVertical:
        return vertical;
    case bsFDiagonal:
        return fdiag;
    case bsBDiagonal:
        return bdiag;
    case bsCross:
        return cross;
    case bsDiagCross:
        return diagcross;
    default:
        return nullptr;
    }
}

} // namespace

const std::vector<int>& dashOf(TPenStyle s)
{
    static const std::vector<int> none, dash{18, 6}, dot{3, 3}, dashdot{9, 6, 3, 6}, dashdotdot{9, 3, 3, 3, 3, 3};
    switch (s) {
    case psDash:
        return dash;
    case psDot:
        return dot;
    case psDashDot:
        return dashdot;
    case psDashDotDot:
        return dashdotdot;
    default:
        return none;
    }
}

QRect toQRect(long long l, long long t, long long r, long long b)
{
    const int L = clampCoord(l), T = clampCoord(t), R = clampCoord(r), B = clampCoord(b);
    if (R <= L || B <= T)
        return {};
    return QRect(L, T, R - L, B - T);
}

} // namespace canvasdetail

using namespace canvasdetail;

void TCanvas::Private::ensureFormat()
{
    if (!hasSurface())
        return;
    const auto f = target->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        *target = target->convertToFormat(QImage::Format_RGB32);
}

void TCanvas::Private::updateClip()
{
    const int w = hasSurface() ? width() : 0, h = hasSurface() ? height() : 0;
    if (!clipDirty && w == cachedW && h == cachedH)
        return;
    cachedW = w;
    cachedH = h;
    clipDirty = false;
    clipRects.clear();
    const QRect full(0, 0, w, h);
    clipRegion = hasClip ? clip.intersected(full) : QRegion(full);
    if (w <= 0 || h <= 0)
        clipRegion = QRegion();
    for (const QRect& r : clipRegion)
        clipRects.push_back({r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    const QRect br = clipRegion.boundingRect();
    clipBox = br.isEmpty() ? IRect{} : IRect{br.left(), br.top(), br.right() + 1, br.bottom() + 1};
}

Surface TCanvas::Private::surface(const QRect* extra)
{
    Surface s;
    if (vector || !hasSurface())
        return s;
    ensureFormat();
    updateClip();
    s.w = width();
    s.h = height();
    s.scale = scale;
    s.bits = target->bits();
    s.bpl = target->bytesPerLine();
    if (!extra) {
        s.clip = clipRects;
        s.clipBox = clipBox;
    } else {
        const IRect e{extra->left(), extra->top(), extra->right() + 1, extra->bottom() + 1};
        IRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (const IRect& c : clipRects) {
            IRect r{std::max(c.l, e.l), std::max(c.t, e.t), std::min(c.r, e.r), std::min(c.b, e.b)};
            if (r.empty())
                continue;
            s.clip.push_back(r);
            box = {std::min(box.l, r.l), std::min(box.t, r.t), std::max(box.r, r.r), std::max(box.b, r.b)};
        }
        s.clipBox = s.clip.empty() ? IRect{} : box;
    }
    return s;
}

Ink TCanvas::Private::penInk() const
{
    Ink k;
    k.color = pixelOf(pen.Color());
    k.rop2 = rop2Of(pen.Mode());
    k.active = pen.Style() != psClear;
    return k;
}

Ink TCanvas::Private::brushInk() const
{
    Ink k;
    k.color = pixelOf(brush.Color());
    k.rop2 = rop2Of(pen.Mode());
    k.hatch = hatchOf(brush.Style());
    k.active = brush.Style() != bsClear;
    return k;
}

Ink TCanvas::Private::fillInk() const
{
    Ink k = brushInk();
    k.rop2 = 13;
    return k;
}

Ink TCanvas::Private::gapInk() const
{
    Ink k;
    k.color = pixelOf(brush.Color());
    k.rop2 = rop2Of(pen.Mode());
    k.active = brush.Style() == bsSolid;
    return k;
}
