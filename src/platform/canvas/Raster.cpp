#include "platform/canvas/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace raster {

namespace {

constexpr uint32_t kAlpha = 0xFF000000u;

inline long long clampLL(long long v, long long lo, long long hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Pixel x with centre x + 0.5 at or right of coordinate c.
inline long long firstPixelAtOrAfter(double c)
{
    const double v = std::ceil(c - 0.5);
    if (v < -1e15)
        return -1000000000000000LL;
    if (v > 1e15)
        return 1000000000000000LL;
    return static_cast<long long>(v);
}

// Solid runs are most of a repaint; the plain loop is not vectorised at -O2,
// so whole blocks go out as fixed-size copies (wide stores).
inline void fillPixels(uint32_t* p, int n, uint32_t v)
{
    if (n >= 8) {
        const uint32_t block[8] = {v, v, v, v, v, v, v, v};
        for (; n >= 8; n -= 8, p += 8)
            std::memcpy(p, block, sizeof block);
    }
    for (; n > 0; --n)
        *p++ = v;
}

void paintRun(uint32_t* p, int n, int x, int y, const Ink& ink)
{
    if (ink.hatch) {
        const uint8_t bits = ink.hatch[y & 7];
        for (int i = 0; i < n; ++i) {
            const int px = x + i;
            if (bits & (0x80 >> (px & 7)))
                p[i] = applyRop2(ink.rop2, ink.color, p[i]);
        }
        return;
    }
    switch (ink.rop2) {
    case 13: // copy
        fillPixels(p, n, ink.color | kAlpha);
        return;
    case 7: { // xor
        const uint32_t c = ink.color & 0x00FFFFFFu;
        for (int i = 0; i < n; ++i)
            p[i] ^= c;
        return;
    }
    case 6: // not
        for (int i = 0; i < n; ++i)
            p[i] = (~p[i] & 0x00FFFFFFu) | kAlpha;
        return;
    case 11: // nop
        return;
    default:
        for (int i = 0; i < n; ++i)
            p[i] = applyRop2(ink.rop2, ink.color, p[i]);
    }
}

} // namespace

bool Surface::inClip(int x, int y) const
{
    if (x < clipBox.l || x >= clipBox.r || y < clipBox.t || y >= clipBox.b)
        return false;
    for (const IRect& c : clip)
        if (x >= c.l && x < c.r && y >= c.t && y < c.b)
            return true;
    return false;
}

uint32_t applyRop2(int rop2, uint32_t pen, uint32_t dst)
{
    const unsigned t = static_cast<unsigned>(rop2 - 1) & 15u;
    const uint32_t p = pen, d = dst;
    uint32_t r = 0;
    if (t & 1)
        r |= ~p & ~d;
    if (t & 2)
        r |= ~p & d;
    if (t & 4)
        r |= p & ~d;
    if (t & 8)
        r |= p & d;
    return (r & 0x00FFFFFFu) | kAlpha;
}

uint32_t applyRop3(int index, uint32_t pat, uint32_t src, uint32_t dst)
{
    switch (index) {
    case 0xCC:
        return src | kAlpha;
    case 0x66:
        return ((src ^ dst) & 0x00FFFFFFu) | kAlpha;
    case 0x88:
        return (src & dst) | kAlpha;
    case 0xEE:
        return src | dst | kAlpha;
    case 0x55:
        return (~dst & 0x00FFFFFFu) | kAlpha;
    case 0xF0:
        return pat | kAlpha;
    case 0x00:
        return kAlpha;
    case 0xFF:
        return 0xFFFFFFFFu;
    case 0xAA:
        return dst | kAlpha;
    default:
        break;
    }
    uint32_t r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!((index >> i) & 1))
            continue;
        r |= ((i & 4) ? pat : ~pat) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
    }
    return (r & 0x00FFFFFFu) | kAlpha;
}

namespace {

// Logical pixels a <= x < b of logical row y on a scaled surface: each one a
// block of scale x scale memory pixels; the hatch is looked up per logical pixel.
void paintScaledRun(const Surface& s, int y, int a, int b, const Ink& ink)
{
    const int k = s.scale;
    if (!ink.hatch) {
        for (int r = 0; r < k; ++r)
            paintRun(s.row(y * k + r) + a * k, (b - a) * k, 0, 0, ink);
        return;
    }
    const uint8_t bits = ink.hatch[y & 7];
    Ink plain = ink;
    plain.hatch = nullptr;
    for (int x = a; x < b; ++x) {
        if (!(bits & (0x80 >> (x & 7))))
            continue;
        for (int r = 0; r < k; ++r)
            paintRun(s.row(y * k + r) + x * k, k, 0, 0, plain);
    }
}

} // namespace

Surface memoryView(const Surface& s)
{
    if (s.scale == 1)
        return s;
    const int k = s.scale;
    Surface m = s;
    m.scale = 1;
    m.w = s.w * k;
    m.h = s.h * k;
    for (IRect& c : m.clip)
        c = {c.l * k, c.t * k, c.r * k, c.b * k};
    m.clipBox = {s.clipBox.l * k, s.clipBox.t * k, s.clipBox.r * k, s.clipBox.b * k};
    return m;
}

void fillSpan(const Surface& s, int y, int x0, int x1, const Ink& ink)
{
    if (!ink.active || x1 <= x0 || y < s.clipBox.t || y >= s.clipBox.b)
        return;
    uint32_t* row = nullptr;
    for (const IRect& c : s.clip) {
        if (y < c.t || y >= c.b)
            continue;
        const int a = std::max(x0, c.l), b = std::min(x1, c.r);
        if (a >= b)
            continue;
        if (s.scale != 1) {
            paintScaledRun(s, y, a, b, ink);
            continue;
        }
        if (!row)
            row = s.row(y);
        paintRun(row + a, b - a, a, y, ink);
    }
}

void plot(const Surface& s, int x, int y, const Ink& ink)
{
    if (!ink.active || !s.inClip(x, y))
        return;
    if (s.scale != 1) {
        paintScaledRun(s, y, x, x + 1, ink);
        return;
    }
    uint32_t* p = s.row(y) + x;
    if (ink.hatch && !(ink.hatch[y & 7] & (0x80 >> (x & 7))))
        return;
    *p = ink.rop2 == 13 ? (ink.color | kAlpha) : applyRop2(ink.rop2, ink.color, *p);
}

void thinLine(const Surface& s, int x0, int y0, int x1, int y1, const Ink& ink, const std::vector<int>& dash,
              long long* dashPos, const Ink& gapInk)
{
    const long long dx = static_cast<long long>(x1) - x0, dy = static_cast<long long>(y1) - y0;
    const long long adx = std::llabs(dx), ady = std::llabs(dy);
    const long long n = std::max(adx, ady); // pixels drawn: the last one is omitted
    const long long startDash = dashPos ? *dashPos : 0;
    if (dashPos)
        *dashPos += n;
    if (n == 0 || !s.valid())
        return;
    const bool xmajor = adx >= ady;
    const int smaj = xmajor ? (dx < 0 ? -1 : 1) : (dy < 0 ? -1 : 1);
    const int smin = xmajor ? (dy < 0 ? -1 : 1) : (dx < 0 ? -1 : 1);
    const long long amaj = xmajor ? adx : ady, amin = xmajor ? ady : adx;
    const long long maj0 = xmajor ? x0 : y0, min0 = xmajor ? y0 : x0;
    const IRect& cb = s.clipBox;
    const long long majLo = xmajor ? cb.l : cb.t, majHi = (xmajor ? cb.r : cb.b) - 1;
    const long long minLo = xmajor ? cb.t : cb.l, minHi = (xmajor ? cb.b : cb.r) - 1;

    // Steps t whose major coordinate lies inside the clip box.
    long long tlo = smaj > 0 ? majLo - maj0 : maj0 - majHi;
    long long thi = smaj > 0 ? majHi - maj0 : maj0 - majLo;
    // ... and whose minor coordinate can lie inside it (offset ~ t * amin / amaj).
    if (amin > 0) {
        long long mlo = smin > 0 ? minLo - min0 : min0 - minHi;
        long long mhi = smin > 0 ? minHi - min0 : min0 - minLo;
        if (mhi < 0)
            return;
        const double ratio = double(amaj) / double(amin);
        tlo = std::max(tlo, static_cast<long long>(std::floor((double(mlo) - 1.0) * ratio)) - 1);
        thi = std::min(thi, static_cast<long long>(std::ceil((double(mhi) + 1.0) * ratio)) + 1);
    } else if (min0 < minLo || min0 > minHi) {
        return;
    }
    tlo = std::max(tlo, 0LL);
    thi = std::min(thi, n - 1);

    long long dashLen = 0;
    for (int v : dash)
        dashLen += v;

    for (long long t = tlo; t <= thi; ++t) {
        const long long off = (2 * t * amin + amaj) / (2 * amaj);
        const long long maj = maj0 + smaj * t, mn = min0 + smin * off;
        const int x = static_cast<int>(xmajor ? maj : mn), y = static_cast<int>(xmajor ? mn : maj);
        if (dashLen > 0) {
            long long p = (startDash + t) % dashLen;
            size_t i = 0;
            while (p >= dash[i]) {
                p -= dash[i];
                ++i;
            }
            if (i % 2 == 1) {
                plot(s, x, y, gapInk);
                continue;
            }
        }
        plot(s, x, y, ink);
    }
}

void fillPolygons(const Surface& s, const std::vector<PolygonF>& polys, bool winding, const Ink& ink)
{
    if (!ink.active || !s.valid())
        return;
    struct Edge {
        double x0, y0, x1, y1;
        int dir;
        size_t poly;
    };
    std::vector<Edge> edges;
    double ymin = std::numeric_limits<double>::max(), ymax = -ymin;
    for (size_t pi = 0; pi < polys.size(); ++pi) {
        const PolygonF& p = polys[pi];
        if (p.size() < 3)
            continue;
        for (size_t i = 0; i < p.size(); ++i) {
            const PointF& a = p[i];
            const PointF& b = p[(i + 1) % p.size()];
            if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
                return;
            if (a.y == b.y)
                continue;
            edges.push_back(a.y < b.y ? Edge{a.x, a.y, b.x, b.y, 1, pi} : Edge{b.x, b.y, a.x, a.y, -1, pi});
            ymin = std::min(ymin, std::min(a.y, b.y));
            ymax = std::max(ymax, std::max(a.y, b.y));
        }
    }
    if (edges.empty())
        return;
    const long long rowLo = std::max<long long>(firstPixelAtOrAfter(ymin), s.clipBox.t);
    const long long rowHi = std::min<long long>(firstPixelAtOrAfter(ymax), s.clipBox.b); // exclusive
    struct Cross {
        double x;
        int dir;
        size_t poly;
    };
    std::vector<Cross> xs;
    std::vector<Span> spans;
    for (long long y = rowLo; y < rowHi; ++y) {
        const double yc = double(y) + 0.5;
        xs.clear();
        for (const Edge& e : edges) {
            if (yc < e.y0 || yc >= e.y1)
                continue;
            xs.push_back({e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir, e.poly});
        }
        if (xs.empty())
            continue;
        std::sort(xs.begin(), xs.end(), [](const Cross& a, const Cross& b) {
            return a.poly != b.poly ? a.poly < b.poly : a.x < b.x;
        });
        spans.clear();
        auto addSpan = [&](double xl, double xr) {
            const long long a = clampLL(firstPixelAtOrAfter(xl), s.clipBox.l - 1LL, s.clipBox.r + 1LL);
            const long long b = clampLL(firstPixelAtOrAfter(xr), s.clipBox.l - 1LL, s.clipBox.r + 1LL);
            if (a < b)
                spans.push_back({static_cast<int>(a), static_cast<int>(b)});
        };
        size_t i = 0;
        while (i < xs.size()) {
            size_t j = i;
            while (j < xs.size() && xs[j].poly == xs[i].poly)
                ++j;
            if (winding) {
                int w = 0;
                double start = 0;
                for (size_t k = i; k < j; ++k) {
                    const int before = w;
                    w += xs[k].dir;
                    if (before == 0 && w != 0)
                        start = xs[k].x;
                    else if (before != 0 && w == 0)
                        addSpan(start, xs[k].x);
                }
            } else {
                for (size_t k = i; k + 1 < j; k += 2)
                    addSpan(xs[k].x, xs[k + 1].x);
            }
            i = j;
        }
        if (spans.empty())
            continue;
        std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
        Span cur = spans[0];
        for (size_t k = 1; k < spans.size(); ++k) {
            if (spans[k].x0 <= cur.x1) {
                cur.x1 = std::max(cur.x1, spans[k].x1);
            } else {
                fillSpan(s, static_cast<int>(y), cur.x0, cur.x1, ink);
                cur = spans[k];
            }
        }
        fillSpan(s, static_cast<int>(y), cur.x0, cur.x1, ink);
    }
}

namespace {

PolygonF circle(PointF c, double r)
{
    PolygonF p;
    const int n = 32;
    for (int i = 0; i < n; ++i) {
        const double a = (i + 0.5) * 2 * M_PI / n;
        p.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    return p;
}

} // namespace

void strokePolygons(const std::vector<PointF>& in, bool closed, double w, StrokeCap cap, StrokeJoin join,
                    std::vector<PolygonF>& out)
{
    // Drop repeated points.
    std::vector<PointF> pts;
    for (const PointF& p : in)
        if (pts.empty() || p.x != pts.back().x || p.y != pts.back().y)
            pts.push_back(p);
    if (closed && pts.size() > 1 && pts.front().x == pts.back().x && pts.front().y == pts.back().y)
        pts.pop_back();
    const double hw = w / 2.0;
    if (pts.empty())
        return;
    if (pts.size() == 1) {
        if (cap == StrokeCap::Round)
            out.push_back(circle(pts[0], hw));
        else if (cap == StrokeCap::Square)
            out.push_back({{pts[0].x - hw, pts[0].y - hw}, {pts[0].x + hw, pts[0].y - hw},
                           {pts[0].x + hw, pts[0].y + hw}, {pts[0].x - hw, pts[0].y + hw}});
        return;
    }
    const size_t nseg = closed ? pts.size() : pts.size() - 1;
    auto dirOf = [&](size_t i) {
        const PointF& a = pts[i];
        const PointF& b = pts[(i + 1) % pts.size()];
        const double len = std::hypot(b.x - a.x, b.y - a.y);
        return PointF{(b.x - a.x) / len, (b.y - a.y) / len};
    };
    for (size_t i = 0; i < nseg; ++i) {
        PointF a = pts[i], b = pts[(i + 1) % pts.size()];
        const PointF d = dirOf(i);
        const PointF n{-d.y * hw, d.x * hw};
        if (!closed && cap == StrokeCap::Square) {
            if (i == 0)
                a = {a.x - d.x * hw, a.y - d.y * hw};
            if (i == nseg - 1)
                b = {b.x + d.x * hw, b.y + d.y * hw};
        }
        out.push_back({{a.x + n.x, a.y + n.y}, {b.x + n.x, b.y + n.y}, {b.x - n.x, b.y - n.y}, {a.x - n.x, a.y - n.y}});
    }
    if (!closed && cap == StrokeCap::Round) {
        out.push_back(circle(pts.front(), hw));
        out.push_back(circle(pts.back(), hw));
    }
    // Joins at the inner vertices (every vertex of a closed figure).
    const size_t first = closed ? 0 : 1, last = closed ? pts.size() : pts.size() - 1;
    for (size_t v = first; v < last; ++v) {
        const size_t inSeg = (v + pts.size() - 1) % pts.size();
        const PointF d1 = dirOf(inSeg), d2 = dirOf(v);
        const PointF c = pts[v];
        if (join == StrokeJoin::Round) {
            out.push_back(circle(c, hw));
            continue;
        }
        const double cross = d1.x * d2.y - d1.y * d2.x;
        if (std::fabs(cross) < 1e-12)
            continue;
        const double sgn = cross > 0 ? -1.0 : 1.0;
        const PointF n1{-d1.y, d1.x}, n2{-d2.y, d2.x};
        const PointF p1{c.x + sgn * n1.x * hw, c.y + sgn * n1.y * hw};
        const PointF p2{c.x + sgn * n2.x * hw, c.y + sgn * n2.y * hw};
        const double dot = n1.x * n2.x + n1.y * n2.y;
        if (join == StrokeJoin::Miter && 1 + dot > 2.0 / 100.0) {
            const double f = hw / (1 + dot);
            const PointF m{c.x + sgn * (n1.x + n2.x) * f, c.y + sgn * (n1.y + n2.y) * f};
            out.push_back({c, p1, m, p2});
        } else {
            out.push_back({c, p1, p2});
        }
    }
}

void paintThinOutlined(const Surface& s, const SpanShape& shape, const Ink& pen, const Ink& brush)
{
    if (!s.valid())
        return;
    const int y0 = std::max(shape.top, s.clipBox.t), y1 = std::min(shape.bottom, s.clipBox.b);
    for (int y = y0; y < y1; ++y) {
        const Span S = shape.at(y);
        if (S.empty())
            continue;
        const Span U = shape.at(y - 1), D = shape.at(y + 1);
        Span I;
        if (!U.empty() && !D.empty())
            I = {std::max({S.x0 + 1, U.x0, D.x0}), std::min({S.x1 - 1, U.x1, D.x1})};
        if (I.empty()) {
            fillSpan(s, y, S.x0, S.x1, pen);
        } else {
            fillSpan(s, y, S.x0, I.x0, pen);
            fillSpan(s, y, I.x0, I.x1, brush);
            fillSpan(s, y, I.x1, S.x1, pen);
        }
    }
}

void paintFramed(const Surface& s, const SpanShape& outer, const SpanShape& inner, const Ink& pen, const Ink& brush)
{
    if (!s.valid())
        return;
    const int y0 = std::max(outer.top, s.clipBox.t), y1 = std::min(outer.bottom, s.clipBox.b);
    for (int y = y0; y < y1; ++y) {
        const Span O = outer.at(y);
        if (O.empty())
            continue;
        Span I = inner.at(y);
        I = {std::max(I.x0, O.x0), std::min(I.x1, O.x1)};
        if (I.empty()) {
            fillSpan(s, y, O.x0, O.x1, pen);
        } else {
            fillSpan(s, y, O.x0, I.x0, pen);
            fillSpan(s, y, I.x0, I.x1, brush);
            fillSpan(s, y, I.x1, O.x1, pen);
        }
    }
}

SpanShape rectShape(int l, int t, int r, int b)
{
    SpanShape sh;
    if (r <= l || b <= t)
        return sh;
    sh.top = t;
    sh.bottom = b;
    sh.row = [l, r](int) { return Span{l, r}; };
    return sh;
}

SpanShape ellipseShape(int l, int t, int r, int b)
{
    SpanShape sh;
    if (r <= l || b <= t)
        return sh;
    sh.top = t;
    sh.bottom = b;
    const double cx = (double(l) + r) / 2.0, cy = (double(t) + b) / 2.0;
    const double a = (double(r) - l) / 2.0, bb = (double(b) - t) / 2.0;
    const long long sum = static_cast<long long>(l) + r;
    sh.row = [=](int y) {
        const double dy = (y + 0.5 - cy) / bb;
        const double q = 1.0 - dy * dy;
        if (q < 0)
            return Span{};
        const double dxm = a * std::sqrt(q);
        long long x0 = static_cast<long long>(std::ceil(cx - dxm - 0.5 - 1e-9));
        x0 = std::max<long long>(x0, l);
        const long long x1 = sum - x0;
        if (x1 <= x0)
            return Span{};
        return Span{static_cast<int>(x0), static_cast<int>(x1)};
    };
    return sh;
}

SpanShape roundRectShape(int l, int t, int r, int b, int ew, int eh)
{
    if (r <= l || b <= t)
        return {};
    ew = std::min(ew, r - l);
    eh = std::min(eh, b - t);
    if (ew <= 1 || eh <= 1)
        return rectShape(l, t, r, b);
    SpanShape corner = ellipseShape(0, 0, ew, eh);
    SpanShape sh;
    sh.top = t;
    sh.bottom = b;
    sh.row = [=](int y) {
        const int k = std::min(y - t, b - 1 - y);
        int off = 0;
        if (k < (eh + 1) / 2) {
            const Span e = corner.at(k);
            off = e.empty() ? ew / 2 : std::max(0, e.x0);
        }
        return Span{l + off, r - off};
    };
    return sh;
}

} // namespace raster
