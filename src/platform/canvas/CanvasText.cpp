#include "platform/canvas/Canvas.h"

#include <QTransform>

#include "platform/canvas/CanvasPrivate.h"
#include "platform/canvas/CanvasTextPainter.h"
#include "platform/canvas/text/FontFaces.h"

using raster::Ink;
using raster::IRect;
using raster::PolygonF;
using raster::Surface;
using namespace canvasdetail;

FontEntry& TCanvas::Private::fontEntry()
{
    if (!fe || fName != font.Name() || fHeight != font.Height() || fStyle != font.Style() || fPitch != font.Pitch()) {
        fName = font.Name();
        fHeight = font.Height();
        fStyle = font.Style();
        fPitch = font.Pitch();
        fe = SharedFontEntry(font);
    }
    return *fe;
}

FontEntry& TCanvas::Private::inkEntry()
{
    FontEntry& base = fontEntry();
    if (scale == 1)
        return base;
    if (!inkFe || inkFe->scale != scale || inkBase != &base) {
        inkFe = SharedFontEntry(font, scale);
        inkBase = &base;
    }
    return *inkFe;
}

void TCanvas::Private::paintInk(const Surface& s, int x, int y, const QString& text)
{
    if (text.isEmpty() || !s.valid())
        return;
    FontEntry& entry = inkEntry();
    if (!entry.InkFits(text)) {
        QRegion region;
        for (const IRect& c : s.clip)
            region += QRect(c.l, c.t, c.r - c.l, c.b - c.t);
        TextPainter tp(*target, region, faces(), font.Color(), 0, scale);
        tp.run(x, y, text);
        return;
    }
    const auto spans = entry.Ink(text);
    Ink k;
    k.color = pixelOf(font.Color());
    if (s.scale != 1) {
        // The ink is in target pixels: painted at full resolution.
        const Surface m = raster::memoryView(s);
        for (const InkSpan& sp : *spans)
            raster::fillSpan(m, y * s.scale + sp.y, x * s.scale + sp.x0, x * s.scale + sp.x1, k);
        return;
    }
    if (s.clip.size() == 1) {
        // One clip rectangle (the usual case): the spans are short, so they
        // are clipped and written here rather than one call each.
        const IRect& c = s.clip.front();
        const uint32_t v = k.color | 0xFF000000u;
        for (const InkSpan& sp : *spans) {
            const int yy = y + sp.y;
            if (yy < c.t || yy >= c.b)
                continue;
            const int a = std::max(x + sp.x0, c.l), b = std::min(x + sp.x1, c.r);
            uint32_t* row = s.row(yy);
            for (int i = a; i < b; ++i)
                row[i] = v;
        }
        return;
    }
    for (const InkSpan& sp : *spans)
        raster::fillSpan(s, y + sp.y, x + sp.x0, x + sp.x1, k);
}

int TCanvas::TextWidth(const QString& text) const { return d->advance(text); }

int TCanvas::TextHeight(const QString& text) const { return d->faces().Height(); }

TSize TCanvas::TextExtent(const QString& text) const { return {TextWidth(text), TextHeight(text)}; }

TTextMetric TCanvas::TextMetrics() const
{
    const QFontMetrics& m = d->fm();
    TTextMetric tm;
    tm.Ascent = d->faces().Ascent();
    tm.Descent = d->faces().Descent();
    tm.Height = tm.Ascent + tm.Descent;
    tm.ExternalLeading = std::max(0, m.leading());
    tm.InternalLeading = std::max(0, tm.Height - d->faces().PixelSize());
    tm.AveCharWidth = m.averageCharWidth();
    tm.MaxCharWidth = m.maxWidth();
    return tm;
}

namespace canvasdetail {

// Background of a text cell w x h at device (x, y), turned by the font's orientation.
void fillTextCell(const Surface& s, int x, int y, int w, int h, int orientation, const Ink& ink)
{
    if (w <= 0 || h <= 0)
        return;
    if (orientation % 3600 == 0) {
        for (int yy = std::max(y, s.clipBox.t); yy < std::min(y + h, s.clipBox.b); ++yy)
            raster::fillSpan(s, yy, x, x + w, ink);
        return;
    }
    QTransform t;
    t.translate(x, y);
    t.rotate(-orientation / 10.0);
    PolygonF poly;
    for (QPointF c : {QPointF(0, 0), QPointF(w, 0), QPointF(w, h), QPointF(0, h)}) {
        const QPointF m = t.map(c);
        poly.push_back({m.x(), m.y()});
    }
    raster::fillPolygons(s, {poly}, false, ink);
}

} // namespace canvasdetail

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const int w = TextWidth(text);
    d->penPos = {x + w, y};
    if (d->vector) {
        if (!text.isEmpty())
            d->vectorText(clampCoord(widen(x) - d->org.X), clampCoord(widen(y) - d->org.Y), text, nullptr);
        return;
    }
    Surface s = d->surface();
    if (!s.valid() || text.isEmpty())
        return;
    const int dx = clampCoord(widen(x) - d->org.X), dy = clampCoord(widen(y) - d->org.Y);
    if (d->brush.Style() == bsSolid) {
        Ink k;
        k.color = pixelOf(d->brush.Color());
        fillTextCell(s, dx, dy, w, d->faces().Height(), d->font.Orientation(), k);
    }
    if (d->font.Orientation() % 3600 == 0) {
        d->paintInk(s, dx, dy, text);
        return;
    }
    TextPainter tp(*d->target, d->clipRegion, d->faces(), d->font.Color(), d->font.Orientation(), d->scale);
    tp.run(dx, dy, text);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    const QRect q = d->deviceRect(r);
    if (q.isEmpty())
        return;
    if (d->vector) {
        if (d->brush.Style() == bsSolid) {
            d->vectorApplyClip(&q);
            d->vectorFill(q, d->brush);
        }
        if (!text.isEmpty())
            d->vectorText(clampCoord(widen(x) - d->org.X), clampCoord(widen(y) - d->org.Y), text, &q);
        return;
    }
    Surface s = d->surface(&q);
    if (!s.valid())
        return;
    if (d->brush.Style() == bsSolid) {
        Ink k;
        k.color = pixelOf(d->brush.Color());
        for (int yy = s.clipBox.t; yy < s.clipBox.b; ++yy)
            raster::fillSpan(s, yy, s.clipBox.l, s.clipBox.r, k);
    }
    if (text.isEmpty())
        return;
    const int dx = clampCoord(widen(x) - d->org.X), dy = clampCoord(widen(y) - d->org.Y);
    if (d->font.Orientation() % 3600 == 0) {
        d->paintInk(s, dx, dy, text);
        return;
    }
    TextPainter tp(*d->target, d->clipRegion.intersected(q), d->faces(), d->font.Color(), d->font.Orientation(),
                   d->scale);
    tp.run(dx, dy, text);
}
