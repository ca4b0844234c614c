#include <cstdlib>

#include "platform/canvas/CanvasPrivate.h"

using raster::Ink;
using raster::PointF;
using raster::PolygonF;
using raster::Surface;
using namespace canvasdetail;

namespace {

raster::StrokeCap strokeCapOf(TPenEndCap c)
{
    switch (c) {
    case pecSquare:
        return raster::StrokeCap::Square;
    case pecFlat:
        return raster::StrokeCap::Flat;
    default:
        return raster::StrokeCap::Round;
    }
}

raster::StrokeJoin strokeJoinOf(TPenJoinStyle j)
{
    switch (j) {
    case pjsBevel:
        return raster::StrokeJoin::Bevel;
    case pjsMiter:
        return raster::StrokeJoin::Miter;
    default:
        return raster::StrokeJoin::Round;
    }
}

} // namespace

void TCanvas::Private::strokePath(const std::vector<TPoint>& devPts, bool closed)
{
    if (pen.Style() == psClear || devPts.empty())
        return;
    if (vector) {
        vectorStroke(devPts, closed);
        return;
    }
    Surface s = surface();
    if (!s.valid())
        return;
    const int w = penWidth();
    const Ink ink = penInk();
    if (w <= 1) {
        const auto& dash = dashOf(pen.Style());
        const Ink gap = gapInk();
        const size_t n = devPts.size();
        for (size_t i = 0; i + 1 < n; ++i)
            raster::thinLine(s, devPts[i].X, devPts[i].Y, devPts[i + 1].X, devPts[i + 1].Y, ink, dash, &dashPos,
                             gap);
        if (closed && n > 1)
            raster::thinLine(s, devPts[n - 1].X, devPts[n - 1].Y, devPts[0].X, devPts[0].Y, ink, dash, &dashPos,
                             gap);
        return;
    }
    std::vector<PointF> pts;
    for (const TPoint& p : devPts)
        pts.push_back({p.X + 0.5, p.Y + 0.5});
    std::vector<PolygonF> polys;
    raster::strokePolygons(pts, closed, w, strokeCapOf(pen.EndCap()), strokeJoinOf(pen.JoinStyle()), polys);
    raster::fillPolygons(s, polys, true, ink);
}

void TCanvas::Private::shape(ShapeKind kind, int x1, int y1, int x2, int y2, int ew, int eh)
{
    if (vector) {
        vectorShape(kind, clampCoord(std::min(x1, x2) - widen(org.X)), clampCoord(std::min(y1, y2) - widen(org.Y)),
                    clampCoord(std::max(x1, x2) - widen(org.X)), clampCoord(std::max(y1, y2) - widen(org.Y)),
                    ew, eh);
        return;
    }
    Surface s = surface();
    if (!s.valid())
        return;
    long long l = std::min(x1, x2) - widen(org.X), r = std::max(x1, x2) - widen(org.X);
    long long t = std::min(y1, y2) - widen(org.Y), b = std::max(y1, y2) - widen(org.Y);
    l = clampCoord(l);
    r = clampCoord(r);
    t = clampCoord(t);
    b = clampCoord(b);
    // Corners larger than any surface change nothing, and keep the pen
    // arithmetic below in range.
    auto corner = [](int v) { return int(std::min<long long>(std::llabs(widen(v)), 1 << 24)); };
    ew = corner(ew);
    eh = corner(eh);
    auto make = [&](long long L, long long T, long long R, long long B, int cw, int ch) {
        if (kind == ShapeKind::Ellipse)
            return raster::ellipseShape(int(L), int(T), int(R), int(B));
        if (kind == ShapeKind::RoundRect)
            return raster::roundRectShape(int(L), int(T), int(R), int(B), std::max(0, cw), std::max(0, ch));
        return raster::rectShape(int(L), int(T), int(R), int(B));
    };
    const Ink brushK = brushInk();
    if (pen.Style() == psClear) {
        // Without outline the figure is one pixel smaller.
        raster::paintFramed(s, make(l, t, r - 1, b - 1, ew, eh), make(l, t, r - 1, b - 1, ew, eh), brushK, brushK);
        return;
    }
    const Ink penK = penInk();
    const int w = penWidth();
    if (w <= 1) {
        const auto& dash = dashOf(pen.Style());
        if (kind == ShapeKind::Rect && !dash.empty() && r - l > 1 && b - t > 1) {
            raster::paintFramed(s, make(l + 1, t + 1, r - 1, b - 1, 0, 0), make(l + 1, t + 1, r - 1, b - 1, 0, 0),
                                brushK, brushK);
            const Ink gap = gapInk();
            long long pos = 0;
            const int L = int(l), T = int(t), R = int(r) - 1, B = int(b) - 1;
            raster::thinLine(s, L, T, R, T, penK, dash, &pos, gap);
            raster::thinLine(s, R, T, R, B, penK, dash, &pos, gap);
            raster::thinLine(s, R, B, L, B, penK, dash, &pos, gap);
            raster::thinLine(s, L, B, L, T, penK, dash, &pos, gap);
            return;
        }
        raster::paintThinOutlined(s, make(l, t, r, b, ew, eh), penK, brushK);
        return;
    }
    // The pen is centred on the 1-pixel outline (the platform's geometric pen), or
    // kept inside the bounds with psInsideFrame.
    long long ol, ot, or_, ob, il, it, ir, ib;
    int oew, oeh, iew, ieh;
    if (pen.Style() == psInsideFrame) {
        ol = l, ot = t, or_ = r, ob = b;
        il = l + w, it = t + w, ir = r - w, ib = b - w;
        oew = ew, oeh = eh, iew = ew - 2 * w, ieh = eh - 2 * w;
    } else {
        ol = l - w / 2, ot = t - w / 2, or_ = r - 1 - w / 2 + w, ob = b - 1 - w / 2 + w;
        il = l - w / 2 + w, it = t - w / 2 + w, ir = r - 1 - w / 2, ib = b - 1 - w / 2;
        oew = ew + w - 1, oeh = eh + w - 1, iew = ew - (w - 1), ieh = eh - (w - 1);
    }
    raster::paintFramed(s, make(ol, ot, or_, ob, oew, oeh), make(il, it, ir, ib, iew, ieh), penK, brushK);
}

void TCanvas::MoveTo(int x, int y)
{
    d->penPos = {x, y};
    d->dashPos = 0;
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint a{clampCoord(widen(d->penPos.X) - d->org.X), clampCoord(widen(d->penPos.Y) - d->org.Y)};
    const TPoint b{clampCoord(widen(x) - d->org.X), clampCoord(widen(y) - d->org.Y)};
    d->penPos = {x, y};
    d->strokePath({a, b}, false);
}

void TCanvas::Polyline(const TPoint* points, int count)
{
    if (!points || count < 2)
        return;
    std::vector<TPoint> pts;
    pts.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        pts.push_back({clampCoord(widen(points[i].X) - d->org.X), clampCoord(widen(points[i].Y) - d->org.Y)});
    const long long keep = d->dashPos;
    d->dashPos = 0;
    d->strokePath(pts, false);
    d->dashPos = keep;
}

void TCanvas::Polygon(const TPoint* points, int count)
{
    if (!points || count < 2)
        return;
    std::vector<TPoint> pts;
    PolygonF poly;
    for (int i = 0; i < count; ++i) {
        const TPoint p{clampCoord(widen(points[i].X) - d->org.X), clampCoord(widen(points[i].Y) - d->org.Y)};
        pts.push_back(p);
        poly.push_back({double(p.X), double(p.Y)});
    }
    if (d->vector) {
        d->vectorPolygon(pts);
        return;
    }
    Surface s = d->surface();
    if (!s.valid())
        return;
    raster::fillPolygons(s, {poly}, d->fillMode == WINDING, d->brushInk());
    const long long keep = d->dashPos;
    d->dashPos = 0;
    d->strokePath(pts, true);
    d->dashPos = keep;
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) { d->shape(ShapeKind::Rect, x1, y1, x2, y2); }

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    d->shape(ShapeKind::RoundRect, x1, y1, x2, y2, x3, y3);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) { d->shape(ShapeKind::Ellipse, x1, y1, x2, y2); }

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (d->vector) {
        d->vectorFill(d->deviceRect(r), d->brush);
        return;
    }
    Surface s = d->surface();
    if (!s.valid())
        return;
    const Ink k = d->fillInk();
    const long long l = std::max<long long>(widen(r.Left) - d->org.X, s.clipBox.l);
    const long long rr = std::min<long long>(widen(r.Right) - d->org.X, s.clipBox.r);
    const long long t = std::max<long long>(widen(r.Top) - d->org.Y, s.clipBox.t);
    const long long b = std::min<long long>(widen(r.Bottom) - d->org.Y, s.clipBox.b);
    for (long long y = t; y < b; ++y)
        raster::fillSpan(s, int(y), int(l), int(rr), k);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (d->vector) {
        d->vectorFrame(d->deviceRect(r));
        return;
    }
    Surface s = d->surface();
    if (!s.valid())
        return;
    const Ink k = d->fillInk();
    const int l = clampCoord(widen(r.Left) - d->org.X), rr = clampCoord(widen(r.Right) - d->org.X);
    const int t = clampCoord(widen(r.Top) - d->org.Y), b = clampCoord(widen(r.Bottom) - d->org.Y);
    raster::paintThinOutlined(s, raster::rectShape(l, t, rr, b), k, Ink{0, 11, nullptr, false});
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    if (d->vector) {
        d->vectorFocusRect(d->deviceRect(r));
        return;
    }
    Surface s = d->surface();
    if (!s.valid())
        return;
    static const uint8_t even[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    static const uint8_t odd[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Ink on{pixelOf(d->brush.Color()), 7, even, true};
    Ink off{pixelOf(d->font.Color()), 7, odd, true};
    const int l = clampCoord(widen(r.Left) - d->org.X), rr = clampCoord(widen(r.Right) - d->org.X);
    const int t = clampCoord(widen(r.Top) - d->org.Y), b = clampCoord(widen(r.Bottom) - d->org.Y);
    // Four pattern-inverting strips, as the platform draws them (top, bottom, left, right).
    auto strip = [&](int x0, int y0, int x1, int y1) {
        for (int y = std::max(y0, s.clipBox.t); y < std::min(y1, s.clipBox.b); ++y) {
            raster::fillSpan(s, y, x0, x1, on);
            raster::fillSpan(s, y, x0, x1, off);
        }
    };
    strip(l, t, rr, t + 1);
    strip(l, b - 1, rr, b);
    strip(l, t + 1, l + 1, b - 1);
    strip(rr - 1, t + 1, rr, b - 1);
}
