#include "platform/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QTransform>

#include "platform/AppContext.h"
#include "platform/Bitmap.h"
#include "platform/FontFaces.h"
#include "platform/Raster.h"

using raster::Ink;
using raster::IRect;
using raster::PointF;
using raster::PolygonF;
using raster::Surface;

// ---- TPen / TBrush -------------------------------------------------------------

TPen::TPen(const TPen& other)
    : TPersistent(), color_(other.color_), width_(other.width_), style_(other.style_), mode_(other.mode_),
      endCap_(other.endCap_), join_(other.join_)
{
}

void TPen::Assign(const TPersistent* source)
{
    if (auto* p = dynamic_cast<const TPen*>(source)) {
        if (p == this)
            return;
        color_ = p->color_;
        width_ = p->width_;
        style_ = p->style_;
        mode_ = p->mode_;
        endCap_ = p->endCap_;
        join_ = p->join_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TPen::SetColor(TColor c)
{
    if (Exchange(color_, c))
        Changed();
}

void TPen::SetWidth(int w)
{
    if (Exchange(width_, w))
        Changed();
}

void TPen::SetStyle(TPenStyle s)
{
    if (Exchange(style_, s))
        Changed();
}

void TPen::SetMode(TPenMode m)
{
    if (Exchange(mode_, m))
        Changed();
}

void TPen::SetEndCap(TPenEndCap c)
{
    if (Exchange(endCap_, c))
        Changed();
}

void TPen::SetJoinStyle(TPenJoinStyle j)
{
    if (Exchange(join_, j))
        Changed();
}

TBrush::TBrush(const TBrush& other) : TPersistent(), color_(other.color_), style_(other.style_) {}

void TBrush::Assign(const TPersistent* source)
{
    if (auto* b = dynamic_cast<const TBrush*>(source)) {
        if (b == this)
            return;
        color_ = b->color_;
        style_ = b->style_;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TBrush::SetColor(TColor c)
{
    if (Exchange(color_, c))
        Changed();
}

void TBrush::SetStyle(TBrushStyle s)
{
    if (Exchange(style_, s))
        Changed();
}

// ---- helpers ---------------------------------------------------------------------

namespace {

constexpr int kCoordLimit = 1 << 28; // keeps QRect/QRegion arithmetic far from overflow

inline int clampCoord(long long v) { return static_cast<int>(std::clamp<long long>(v, -kCoordLimit, kCoordLimit)); }

inline uint32_t pixelOf(TColor c)
{
    const uint32_t rgb = ColorToRGB(c);
    return 0xFF000000u | (GetRValue(rgb) << 16) | (GetGValue(rgb) << 8) | GetBValue(rgb);
}

inline TColor colorOfPixel(uint32_t p)
{
    return RGBColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

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

QRect toQRect(int l, int t, int r, int b)
{
    const int L = clampCoord(l), T = clampCoord(t), R = clampCoord(r), B = clampCoord(b);
    if (R <= L || B <= T)
        return {};
    return QRect(L, T, R - L, B - T);
}

bool isCJK(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF) ||
           c.isSurrogate();
}

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

// Unrotated text is rendered once per font and string into ink spans (x0, x1,
// y relative to the text cell), then painted by the rasteriser.
struct InkSpan {
    int y, x0, x1;
    friend bool operator==(const InkSpan&, const InkSpan&) = default;
};

// What a font needs for text, shared by all canvases: a window repaints through
// a new canvas each time, and shaping and rendering text is the slow part.
struct FontEntry {
    QFont qfont;
    std::unique_ptr<QFontMetrics> metrics;
    std::unique_ptr<FontFaces> faces;
    QHash<QString, int> widths;
    QHash<QString, std::shared_ptr<const std::vector<InkSpan>>> ink;
    QImage mask;
    std::unique_ptr<QPainter> painter; // open on mask; declared after it, so closed first
    // Plain ASCII glyphs for composing text; composable: -1 not yet known.
    struct Glyph {
        bool loaded = false;
        int advance = 0;
        std::vector<InkSpan> spans;
    };
    Glyph glyphs[0x7F - 0x20];
    int composable = -1;
    int renders = 0;
};

// Renders text with the entry's font and reads its ink back as spans.
std::vector<InkSpan> RenderInk(FontEntry& f, const QString& text)
{
    const QFontMetrics& m = *f.metrics;
    const FontFaces& faces = *f.faces;
    // Wide enough for any glyphs of the text (fallback faces included)
    // without shaping it twice.
    const int h = std::max(m.height(), faces.Height()), w = int(text.size()) * std::max(m.maxWidth(), 2 * h);
    const int margin = std::max(4, h);
    const int mw = std::max(1, w + 2 * margin), mh = h + 2 * margin;
    // One 8-bit mask per font, grown as needed; only the rows read are
    // cleared afterwards, and the painter is clipped to them.
    if (f.mask.width() < mw || f.mask.height() < mh) {
        f.painter.reset();
        f.mask = QImage(std::max(mw, f.mask.width()), std::max(mh, f.mask.height()), QImage::Format_Alpha8);
        f.mask.fill(0);
    }
    // The painter stays open on the mask: opening one per text costs more
    // than drawing the text.
    if (!f.painter) {
        f.painter = std::make_unique<QPainter>(&f.mask);
        f.painter->setRenderHint(QPainter::TextAntialiasing, false);
        f.painter->setPen(Qt::black);
    }
    f.painter->setClipRect(0, 0, mw, mh);
    int face = -1;
    for (const FontFaces::Run& run : faces.Layout(text)) {
        if (run.face != face) {
            face = run.face;
            f.painter->setFont(faces.Face(face));
        }
        f.painter->drawText(QPoint(margin + run.x, margin + faces.Ascent()), run.text);
    }
    std::vector<InkSpan> spans;
    spans.reserve(64);
    for (int y = 0; y < mh; ++y) {
        // Read and cleared in place: a detach would copy the mask under the painter.
        auto* row = const_cast<uint8_t*>(f.mask.constScanLine(y));
        int x = 0;
        while (x < mw) {
            // Most of the mask is empty: skip it in blocks.
            while (x + 32 <= mw) {
                uint64_t w4[4];
                std::memcpy(w4, row + x, 32);
                if (w4[0] | w4[1] | w4[2] | w4[3])
                    break;
                x += 32;
            }
            while (x + 8 <= mw) {
                uint64_t word;
                std::memcpy(&word, row + x, 8);
                if (word)
                    break;
                x += 8;
            }
            while (x < mw && row[x] < 128)
                ++x;
            const int x0 = x;
            while (x < mw && row[x] >= 128)
                ++x;
            if (x > x0)
                spans.push_back({y - margin, x0 - margin, x - margin});
        }
        std::memset(row, 0, size_t(mw));
    }
    // Underline and strike-out lie inside the cell, across the whole advance.
    const int advance = faces.Advance(text);
    for (int i = 0; i < faces.LineThickness() && advance > 0; ++i) {
        if (faces.Underline())
            spans.push_back({faces.UnderlineTop() + i, 0, advance});
        if (faces.StrikeOut())
            spans.push_back({faces.StrikeOutTop() + i, 0, advance});
    }
    return spans;
}

bool IsPlainAscii(const QString& text)
{
    for (QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    return true;
}

FontEntry::Glyph& GlyphOf(FontEntry& f, char16_t c)
{
    FontEntry::Glyph& g = f.glyphs[c - 0x20];
    if (!g.loaded) {
        g.spans = RenderInk(f, QString(QChar(c)));
        g.advance = f.faces->Advance(QString(QChar(c)));
        g.loaded = true;
    }
    return g;
}

// Plain ASCII text laid out glyph by glyph at the glyphs' advances.
std::vector<InkSpan> ComposeInk(FontEntry& f, const QString& text)
{
    std::vector<InkSpan> spans;
    spans.reserve(64);
    int x = 0;
    for (QChar c : text) {
        const FontEntry::Glyph& g = GlyphOf(f, c.unicode());
        for (const InkSpan& sp : g.spans)
            spans.push_back({sp.y, sp.x0 + x, sp.x1 + x});
        x += g.advance;
    }
    return spans;
}

// Spans sorted by row and position, touching and overlapping ones joined.
std::vector<InkSpan> Normalised(std::vector<InkSpan> spans)
{
    std::sort(spans.begin(), spans.end(),
              [](const InkSpan& a, const InkSpan& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    std::vector<InkSpan> out;
    for (const InkSpan& sp : spans) {
        if (!out.empty() && out.back().y == sp.y && sp.x0 <= out.back().x1)
            out.back().x1 = std::max(out.back().x1, sp.x1);
        else
            out.push_back(sp);
    }
    return out;
}

// Glyph-by-glyph layout is taken only for a face where it gives exactly the
// shaped text's pixels for every pair of plain ASCII characters (no kerning,
// no ligatures); it is checked once, when the face renders text often.
bool CanCompose(FontEntry& f)
{
    if (f.composable >= 0)
        return f.composable == 1;
    if (++f.renders < 64)
        return false;
    // Only cell-sized faces are worth it; the check's texts grow with the face.
    if (f.metrics->height() > 64) {
        f.composable = 0;
        return false;
    }
    // Every ordered pair of the 95 characters, in chunks that overlap by one.
    QString pairs;
    for (char16_t a = 0x20; a <= 0x7E; ++a)
        for (char16_t b = 0x20; b <= 0x7E; ++b) {
            pairs += QChar(a);
            pairs += QChar(b);
        }
    f.composable = 1;
    for (qsizetype i = 0; i + 1 < pairs.size() && f.composable == 1; i += 191) {
        const QString chunk = pairs.mid(i, 192);
        if (Normalised(RenderInk(f, chunk)) != Normalised(ComposeInk(f, chunk)))
            f.composable = 0;
    }
    // The check's long texts grew the mask far beyond what cells need.
    f.painter.reset();
    f.mask = QImage();
    return f.composable == 1;
}

std::vector<InkSpan> TextInk(FontEntry& f, const QString& text)
{
    if (text.size() > 1 && IsPlainAscii(text) && CanCompose(f))
        return ComposeInk(f, text);
    return RenderInk(f, text);
}

struct FontEntryCache {
    QHash<QString, std::shared_ptr<FontEntry>> entries;
};

std::shared_ptr<FontEntry> SharedFontEntry(const TFont& font)
{
    auto& entries = AppContext().State<FontEntryCache>().entries;
    const QString key = font.Name() + QLatin1Char('/') + QString::number(font.Height()) + QLatin1Char('/') +
                        QString::number(int(font.Style())) + QLatin1Char('/') + QString::number(int(font.Pitch()));
    auto it = entries.constFind(key);
    if (it != entries.constEnd())
        return *it;
    if (entries.size() > 64)
        entries.clear();
    auto e = std::make_shared<FontEntry>();
    e->faces = std::make_unique<FontFaces>(font);
    e->qfont = e->faces->Face(0);
    e->metrics = std::make_unique<QFontMetrics>(e->faces->Metrics());
    entries.insert(key, e);
    return e;
}

} // namespace

// ---- private state -----------------------------------------------------------------

struct TCanvas::Private {
    QImage* target = nullptr;
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
    std::vector<std::unique_ptr<SavedState>> saved;

    // Effective clip cache.
    bool clipDirty = true;
    int cachedW = -1, cachedH = -1;
    std::vector<IRect> clipRects;
    IRect clipBox;
    QRegion clipRegion; // effective, device

    // Font: the shared entry of the font last used, refound when the font changes.
    QString fName;
    int fHeight = 0;
    TFontStyles fStyle = 0;
    TFontPitch fPitch = fpDefault;
    std::shared_ptr<FontEntry> fe;

    bool hasSurface() const { return target && !target->isNull() && target->width() > 0 && target->height() > 0; }

    void ensureFormat()
    {
        if (!hasSurface())
            return;
        const auto f = target->format();
        if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
            *target = target->convertToFormat(QImage::Format_RGB32);
    }

    void updateClip()
    {
        const int w = hasSurface() ? target->width() : 0, h = hasSurface() ? target->height() : 0;
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

    // A surface for raster work; extra (device) narrows the clip further.
    Surface surface(const QRect* extra = nullptr)
    {
        Surface s;
        if (!hasSurface())
            return s;
        ensureFormat();
        updateClip();
        s.w = target->width();
        s.h = target->height();
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

    FontEntry& fontEntry()
    {
        if (!fe || fName != font.Name() || fHeight != font.Height() || fStyle != font.Style() ||
            fPitch != font.Pitch()) {
            fName = font.Name();
            fHeight = font.Height();
            fStyle = font.Style();
            fPitch = font.Pitch();
            fe = SharedFontEntry(font);
        }
        return *fe;
    }
    const QFont& qFont() { return fontEntry().qfont; }
    const QFontMetrics& fm() { return *fontEntry().metrics; }
    const FontFaces& faces() { return *fontEntry().faces; }
    std::shared_ptr<const std::vector<InkSpan>> inkOf(const QString& text)
    {
        FontEntry& f = fontEntry();
        auto it = f.ink.constFind(text);
        if (it != f.ink.constEnd())
            return *it;
        auto spans = std::make_shared<std::vector<InkSpan>>(TextInk(f, text));
        if (f.ink.size() > 4096)
            f.ink.clear();
        f.ink.insert(text, spans);
        return spans;
    }
    // Paints the text's ink with its cell's top-left at device (x, y).
    void paintInk(const Surface& s, int x, int y, const QString& text);
    // Whether the text's mask stays of a reasonable size (giant faces and
    // endless texts are drawn straight onto the surface instead).
    bool inkFits(const QString& text)
    {
        const QFontMetrics& m = fm();
        const qint64 h = std::max(m.height(), faces().Height()), margin = std::max<qint64>(4, h);
        const qint64 w = qint64(text.size()) * std::max<qint64>(m.maxWidth(), 2 * h) + 2 * margin;
        return w * (h + 2 * margin) <= (qint64(1) << 25);
    }
    int advance(const QString& text)
    {
        FontEntry& f = fontEntry();
        if (text.isEmpty())
            return 0;
        auto it = f.widths.constFind(text);
        if (it != f.widths.constEnd())
            return *it;
        if (f.widths.size() > 16384)
            f.widths.clear();
        const int w = f.faces->Advance(text);
        f.widths.insert(text, w);
        return w;
    }

    Ink penInk()
    {
        Ink k;
        k.color = pixelOf(pen.Color());
        k.rop2 = rop2Of(pen.Mode());
        k.active = pen.Style() != psClear;
        return k;
    }
    // Brush as the interior of shapes (mix mode applies).
    Ink brushInk()
    {
        Ink k;
        k.color = pixelOf(brush.Color());
        k.rop2 = rop2Of(pen.Mode());
        k.hatch = hatchOf(brush.Style());
        k.active = brush.Style() != bsClear;
        return k;
    }
    // Brush as a pattern fill (FillRect): plain copy.
    Ink fillInk()
    {
        Ink k = brushInk();
        k.rop2 = 13;
        return k;
    }
    // Background of styled pens and opaque text.
    Ink gapInk()
    {
        Ink k;
        k.color = pixelOf(brush.Color());
        k.rop2 = rop2Of(pen.Mode());
        k.active = brush.Style() == bsSolid;
        return k;
    }

    int penWidth() const { return std::max(1, pen.Width()); }

    // Device line (or polyline) in the pen.
    void strokePath(const std::vector<TPoint>& devPts, bool closed)
    {
        if (pen.Style() == psClear || devPts.empty())
            return;
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
        raster::strokePolygons(pts, closed, w, int(pen.EndCap()), int(pen.JoinStyle()), polys);
        raster::fillPolygons(s, polys, true, ink);
    }

    // Rectangle / Ellipse / RoundRect. kind 0 rect, 1 ellipse, 2 round rect.
    void shape(int kind, int x1, int y1, int x2, int y2, int ew = 0, int eh = 0)
    {
        Surface s = surface();
        if (!s.valid())
            return;
        long long l = std::min(x1, x2) - (long long)org.X, r = std::max(x1, x2) - (long long)org.X;
        long long t = std::min(y1, y2) - (long long)org.Y, b = std::max(y1, y2) - (long long)org.Y;
        l = clampCoord(l);
        r = clampCoord(r);
        t = clampCoord(t);
        b = clampCoord(b);
        // Corners larger than any surface change nothing, and keep the pen
        // arithmetic below in range.
        auto corner = [](int v) { return int(std::min<long long>(std::llabs((long long)v), 1 << 24)); };
        ew = corner(ew);
        eh = corner(eh);
        auto make = [&](long long L, long long T, long long R, long long B, int cw, int ch) {
            if (kind == 1)
                return raster::ellipseShape(int(L), int(T), int(R), int(B));
            if (kind == 2)
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
            if (kind == 0 && !dash.empty() && r - l > 1 && b - t > 1) {
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
};

// ---- TCanvas ------------------------------------------------------------------------

TCanvas::TCanvas() : d(std::make_unique<Private>()) {}

TCanvas::TCanvas(QImage& target) : d(std::make_unique<Private>())
{
    d->target = &target;
    d->ensureFormat();
}

TCanvas::~TCanvas() = default;

QImage* TCanvas::Target() const { return d->target; }

void TCanvas::SetTarget(QImage* target)
{
    d->target = target;
    d->clipDirty = true;
    d->ensureFormat();
}

TPen& TCanvas::Pen() { return d->pen; }
TBrush& TCanvas::Brush() { return d->brush; }
TFont& TCanvas::Font() { return d->font; }
TCopyMode TCanvas::CopyMode() const { return d->copyMode; }
void TCanvas::SetCopyMode(TCopyMode mode) { d->copyMode = mode; }
TPolyFillMode TCanvas::PolyFillMode() const { return d->fillMode; }
void TCanvas::SetPolyFillMode(TPolyFillMode mode) { d->fillMode = mode; }

int TCanvas::SaveState()
{
    auto s = std::unique_ptr<SavedState>(new SavedState{TPen(d->pen), TBrush(d->brush), TFont(d->font), d->copyMode,
                                                        d->fillMode, d->hasClip, d->clip, d->org, d->penPos});
    d->saved.push_back(std::move(s));
    return int(d->saved.size());
}

void TCanvas::RestoreState(int index)
{
    if (d->saved.empty())
        return;
    if (index < 0)
        index = int(d->saved.size()) + 1 + index;
    if (index < 1 || index > int(d->saved.size()))
        return;
    std::unique_ptr<SavedState> s = std::move(d->saved[size_t(index - 1)]);
    d->saved.resize(size_t(index - 1));
    d->pen.Assign(&s->pen);
    d->brush.Assign(&s->brush);
    d->font.Assign(&s->font);
    d->copyMode = s->copyMode;
    d->fillMode = s->fillMode;
    d->hasClip = s->hasClip;
    d->clip = s->clip;
    d->org = s->org;
    d->penPos = s->penPos;
    d->clipDirty = true;
}

TPoint TCanvas::WindowOrg() const { return d->org; }

void TCanvas::SetWindowOrg(int x, int y) { d->org = {x, y}; }

void TCanvas::MoveWindowOrg(int dx, int dy) { d->org = {d->org.X - dx, d->org.Y - dy}; }

// ---- clip -------------------------------------------------------------------------------

TRect TCanvas::ClipRect() const
{
    d->updateClip();
    const IRect& b = d->clipBox;
    if (b.empty())
        return {};
    return {b.l + d->org.X, b.t + d->org.Y, b.r + d->org.X, b.b + d->org.Y};
}

bool TCanvas::HasClipRegion() const { return d->hasClip; }

void TCanvas::SetClipRect(const TRect& r)
{
    d->clip = QRegion(toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y,
                              r.Right - (long long)d->org.X, r.Bottom - (long long)d->org.Y));
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::IntersectClipRect(const TRect& r)
{
    const QRect q = toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y, r.Right - (long long)d->org.X,
                            r.Bottom - (long long)d->org.Y);
    if (!d->hasClip) {
        const QRect full = d->hasSurface() ? QRect(0, 0, d->target->width(), d->target->height()) : QRect();
        d->clip = QRegion(full);
    }
    d->clip = d->clip.intersected(q);
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::ExcludeClipRect(const TRect& r)
{
    const QRect q = toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y, r.Right - (long long)d->org.X,
                            r.Bottom - (long long)d->org.Y);
    if (!d->hasClip) {
        const QRect full = d->hasSurface() ? QRect(0, 0, d->target->width(), d->target->height()) : QRect();
        d->clip = QRegion(full);
    }
    d->clip = d->clip.subtracted(q);
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::SelectClipRegion(const QRegion& region)
{
    d->clip = region;
    d->hasClip = true;
    d->clipDirty = true;
}

void TCanvas::RemoveClipRegion()
{
    d->clip = QRegion();
    d->hasClip = false;
    d->clipDirty = true;
}

QRegion TCanvas::ClipRegion() const { return d->hasClip ? d->clip : QRegion(); }

bool TCanvas::RectVisible(const TRect& r) const
{
    d->updateClip();
    const QRect q = toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y, r.Right - (long long)d->org.X,
                            r.Bottom - (long long)d->org.Y);
    return !q.isEmpty() && d->clipRegion.intersects(q);
}

// ---- pixels, lines, shapes ---------------------------------------------------------------

TColor TCanvas::Pixels(int x, int y) const
{
    Surface s = d->surface();
    const long long dx = (long long)x - d->org.X, dy = (long long)y - d->org.Y;
    if (!s.valid() || dx < 0 || dy < 0 || dx >= s.w || dy >= s.h || !s.inClip(int(dx), int(dy)))
        return CLR_INVALID;
    return colorOfPixel(s.row(int(dy))[dx]);
}

void TCanvas::SetPixel(int x, int y, TColor color)
{
    Surface s = d->surface();
    const long long dx = (long long)x - d->org.X, dy = (long long)y - d->org.Y;
    if (!s.valid() || dx < 0 || dy < 0 || dx >= s.w || dy >= s.h)
        return;
    Ink k;
    k.color = pixelOf(color);
    raster::plot(s, int(dx), int(dy), k);
}

TPoint TCanvas::PenPos() const { return d->penPos; }

void TCanvas::SetPenPos(TPoint p) { MoveTo(p.X, p.Y); }

void TCanvas::MoveTo(int x, int y)
{
    d->penPos = {x, y};
    d->dashPos = 0;
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint a{clampCoord((long long)d->penPos.X - d->org.X), clampCoord((long long)d->penPos.Y - d->org.Y)};
    const TPoint b{clampCoord((long long)x - d->org.X), clampCoord((long long)y - d->org.Y)};
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
        pts.push_back({clampCoord((long long)points[i].X - d->org.X), clampCoord((long long)points[i].Y - d->org.Y)});
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
        const TPoint p{clampCoord((long long)points[i].X - d->org.X), clampCoord((long long)points[i].Y - d->org.Y)};
        pts.push_back(p);
        poly.push_back({double(p.X), double(p.Y)});
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

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) { d->shape(0, x1, y1, x2, y2); }

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { d->shape(2, x1, y1, x2, y2, x3, y3); }

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) { d->shape(1, x1, y1, x2, y2); }

void TCanvas::FillRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    Surface s = d->surface();
    if (!s.valid())
        return;
    const Ink k = d->fillInk();
    const long long l = std::max<long long>((long long)r.Left - d->org.X, s.clipBox.l);
    const long long rr = std::min<long long>((long long)r.Right - d->org.X, s.clipBox.r);
    const long long t = std::max<long long>((long long)r.Top - d->org.Y, s.clipBox.t);
    const long long b = std::min<long long>((long long)r.Bottom - d->org.Y, s.clipBox.b);
    for (long long y = t; y < b; ++y)
        raster::fillSpan(s, int(y), int(l), int(rr), k);
}

void TCanvas::FrameRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    Surface s = d->surface();
    if (!s.valid())
        return;
    const Ink k = d->fillInk();
    const int l = clampCoord((long long)r.Left - d->org.X), rr = clampCoord((long long)r.Right - d->org.X);
    const int t = clampCoord((long long)r.Top - d->org.Y), b = clampCoord((long long)r.Bottom - d->org.Y);
    raster::paintThinOutlined(s, raster::rectShape(l, t, rr, b), k, Ink{0, 11, nullptr, false});
}

void TCanvas::DrawFocusRect(const TRect& r)
{
    if (r.IsEmpty())
        return;
    Surface s = d->surface();
    if (!s.valid())
        return;
    static const uint8_t even[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    static const uint8_t odd[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    Ink on{pixelOf(d->brush.Color()), 7, even, true};
    Ink off{pixelOf(d->font.Color()), 7, odd, true};
    const int l = clampCoord((long long)r.Left - d->org.X), rr = clampCoord((long long)r.Right - d->org.X);
    const int t = clampCoord((long long)r.Top - d->org.Y), b = clampCoord((long long)r.Bottom - d->org.Y);
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

// ---- text -----------------------------------------------------------------------------------

namespace {

// One QPainter session for drawing text runs onto the target.
class TextPainter {
public:
    TextPainter(QImage& img, const QRegion& clip, const FontFaces& faces, TColor color, int orientation)
        : p_(&img), faces_(faces), ascent_(faces.Ascent()), orientation_(orientation)
    {
        p_.setRenderHint(QPainter::TextAntialiasing, false);
        p_.setRenderHint(QPainter::Antialiasing, false);
        // Clipping a QPainter to a region is costly; a single rectangle is cheap and
        // the whole image needs none.
        if (clip.rectCount() == 1) {
            const QRect r = clip.boundingRect();
            if (r != img.rect())
                p_.setClipRect(r);
        } else {
            p_.setClipRegion(clip);
        }
        p_.setPen(QColor(QRgb(pixelOf(color))));
    }
    // Text cell top-left at device (x, y); with rotation the run turns around it.
    void run(int x, int y, const QString& s)
    {
        if (s.isEmpty())
            return;
        p_.save();
        p_.translate(x, y);
        if (orientation_ % 3600 != 0)
            p_.rotate(-orientation_ / 10.0);
        for (const FontFaces::Run& run : faces_.Layout(s)) {
            p_.setFont(faces_.Face(run.face));
            p_.drawText(QPoint(run.x, ascent_), run.text);
        }
        const int w = faces_.Advance(s), t = faces_.LineThickness();
        const QColor c = p_.pen().color();
        if (faces_.Underline())
            p_.fillRect(QRect(0, faces_.UnderlineTop(), w, t), c);
        if (faces_.StrikeOut())
            p_.fillRect(QRect(0, faces_.StrikeOutTop(), w, t), c);
        p_.restore();
    }

private:
    QPainter p_;
    const FontFaces& faces_;
    int ascent_;
    int orientation_;
};

} // namespace

void TCanvas::Private::paintInk(const Surface& s, int x, int y, const QString& text)
{
    if (text.isEmpty() || !s.valid())
        return;
    if (!inkFits(text)) {
        QRegion clip;
        for (const IRect& c : s.clip)
            clip += QRect(c.l, c.t, c.r - c.l, c.b - c.t);
        TextPainter tp(*target, clip, faces(), font.Color(), 0);
        tp.run(x, y, text);
        return;
    }
    const auto spans = inkOf(text);
    Ink k;
    k.color = pixelOf(font.Color());
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

namespace {

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

} // namespace

void TCanvas::TextOut(int x, int y, const QString& text)
{
    const int w = TextWidth(text);
    d->penPos = {x + w, y};
    Surface s = d->surface();
    if (!s.valid() || text.isEmpty())
        return;
    const int dx = clampCoord((long long)x - d->org.X), dy = clampCoord((long long)y - d->org.Y);
    if (d->brush.Style() == bsSolid) {
        Ink k;
        k.color = pixelOf(d->brush.Color());
        fillTextCell(s, dx, dy, w, d->faces().Height(), d->font.Orientation(), k);
    }
    if (d->font.Orientation() % 3600 == 0) {
        d->paintInk(s, dx, dy, text);
        return;
    }
    TextPainter tp(*d->target, d->clipRegion, d->faces(), d->font.Color(), d->font.Orientation());
    tp.run(dx, dy, text);
}

void TCanvas::TextRect(const TRect& r, int x, int y, const QString& text)
{
    const QRect q = toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y, r.Right - (long long)d->org.X,
                            r.Bottom - (long long)d->org.Y);
    if (q.isEmpty())
        return;
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
    const int dx = clampCoord((long long)x - d->org.X), dy = clampCoord((long long)y - d->org.Y);
    if (d->font.Orientation() % 3600 == 0) {
        d->paintInk(s, dx, dy, text);
        return;
    }
    TextPainter tp(*d->target, d->clipRegion.intersected(q), d->faces(), d->font.Color(), d->font.Orientation());
    tp.run(dx, dy, text);
}

namespace {

struct TextLine {
    QString text;        // what is shown
    int srcStart = 0;    // index of text[0] in the prefix-processed string
    int mappedChars = 0; // leading characters of text that map 1:1 onto the source
    int width = 0;
    int x = 0, y = 0;
};

} // namespace

int TCanvas::DrawText(const QString& textIn, TRect& r, unsigned flags)
{
    const QFontMetrics& fm = d->fm();
    const bool single = flags & DT_SINGLELINE;
    const bool calc = flags & DT_CALCRECT;

    // Prefix processing: "&x" underlines x, "&&" is a literal "&".
    QString text;
    std::vector<int> underlined;
    if (flags & DT_NOPREFIX) {
        text = textIn;
    } else {
        text.reserve(textIn.size());
        for (qsizetype i = 0; i < textIn.size(); ++i) {
            const QChar c = textIn[i];
            if (c == u'&') {
                if (i + 1 < textIn.size() && textIn[i + 1] == u'&') {
                    text += u'&';
                    ++i;
                } else if (i + 1 < textIn.size()) {
                    underlined.push_back(int(text.size()));
                }
                continue;
            }
            text += c;
        }
        if (flags & DT_HIDEPREFIX)
            underlined.clear();
    }

    const int tabWidth = std::max(1, 8 * fm.averageCharWidth());
    const bool tabs = flags & DT_EXPANDTABS;
    auto widthOf = [&](const QString& s) {
        if (!tabs || !s.contains(u'\t'))
            return d->advance(s);
        int pos = 0;
        const auto parts = s.split(u'\t');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            pos += d->advance(parts[i]);
            if (i + 1 < parts.size())
                pos = (pos / tabWidth + 1) * tabWidth;
        }
        return pos;
    };

    // Lines.
    std::vector<TextLine> lines;
    const int rectW = r.Right - r.Left;
    auto addLine = [&](int start, int len) {
        TextLine l;
        l.text = text.mid(start, len);
        l.srcStart = start;
        l.mappedChars = len;
        lines.push_back(l);
    };
    if (single) {
        addLine(0, int(text.size()));
    } else {
        int i = 0;
        const int n = int(text.size());
        while (i <= n) {
            int e = i;
            while (e < n && text[e] != u'\r' && text[e] != u'\n')
                ++e;
            // Paragraph [i, e).
            if (!(flags & DT_WORDBREAK) || widthOf(text.mid(i, e - i)) <= rectW) {
                addLine(i, e - i);
            } else {
                int p = i;
                while (p < e) {
                    int lastFit = -1, firstCand = -1;
                    for (int k = p + 1; k <= e; ++k) {
                        const bool cand = k == e || (text[k] != u' ' && (text[k - 1] == u' ' || isCJK(text[k]) ||
                                                                       isCJK(text[k - 1])));
                        if (!cand)
                            continue;
                        int kk = k;
                        while (kk > p && text[kk - 1] == u' ')
                            --kk;
                        if (firstCand < 0)
                            firstCand = k;
                        if (widthOf(text.mid(p, kk - p)) <= rectW)
                            lastFit = k;
                        else
                            break;
                    }
                    const int k = lastFit > 0 ? lastFit : (firstCand > 0 ? firstCand : e);
                    int kk = k;
                    while (kk > p && text[kk - 1] == u' ')
                        --kk;
                    addLine(p, kk - p);
                    p = k;
                    while (p < e && text[p] == u' ')
                        ++p;
                }
                if (p == i)
                    addLine(i, 0);
            }
            if (e >= n)
                break;
            i = e + ((text[e] == u'\r' && e + 1 < n && text[e + 1] == u'\n') ? 2 : 1);
            if (i > n)
                break;
            if (i == n)
                break; // a trailing line break starts no new line
        }
    }

    // Ellipses.
    const QString dots = QStringLiteral("...");
    auto fitEnd = [&](const QString& s, int& kept) {
        kept = int(s.size());
        if (widthOf(s) <= rectW)
            return s;
        int lo = 0, hi = int(s.size()) - 1, best = -1;
        while (lo <= hi) {
            const int mid = (lo + hi) / 2;
            if (widthOf(s.left(mid) + dots) <= rectW) {
                best = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        kept = std::max(0, best);
        return s.left(kept) + dots;
    };
    for (TextLine& l : lines) {
        if (flags & DT_PATH_ELLIPSIS) {
            if (widthOf(l.text) > rectW) {
                const int sep = int(std::max(l.text.lastIndexOf(u'\\'), l.text.lastIndexOf(u'/')));
                if (sep > 0) {
                    const QString head = l.text.left(sep), tail = l.text.mid(sep);
                    bool done = false;
                    for (int n = int(head.size()) - 1; n >= 0; --n) {
                        const QString t = head.left(n) + dots + tail;
                        if (widthOf(t) <= rectW) {
                            l.text = t;
                            l.mappedChars = n;
                            done = true;
                            break;
                        }
                    }
                    if (!done) {
                        int kept = 0;
                        l.text = fitEnd(dots + tail, kept);
                        l.mappedChars = 0;
                    }
                } else {
                    int kept = 0;
                    l.text = fitEnd(l.text, kept);
                    l.mappedChars = kept;
                }
            }
        } else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) {
            int kept = 0;
            l.text = fitEnd(l.text, kept);
            l.mappedChars = std::min(l.mappedChars, kept);
        }
        l.width = widthOf(l.text);
    }

    const FontFaces& faces = d->faces();
    const int lineH = faces.Height() + ((flags & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
    const int totalH = text.isEmpty() ? 0 : lineH * int(lines.size());
    int maxW = 0;
    for (const TextLine& l : lines)
        maxW = std::max(maxW, l.width);

    if (calc) {
        if (!text.isEmpty() || true) {
            r.Right = r.Left + maxW;
            r.Bottom = r.Top + totalH;
        }
        return totalH;
    }
    if (text.isEmpty())
        return 0;

    int top = r.Top;
    if (single) {
        if (flags & DT_VCENTER)
            top = r.Top + (r.Bottom - r.Top - totalH) / 2;
        else if (flags & DT_BOTTOM)
            top = r.Bottom - totalH;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        TextLine& l = lines[i];
        if (flags & DT_CENTER)
            l.x = r.Left + (rectW - l.width) / 2;
        else if (flags & DT_RIGHT)
            l.x = r.Right - l.width;
        else
            l.x = r.Left;
        l.y = top + int(i) * lineH;
    }
    const int result = (single && (flags & (DT_VCENTER | DT_BOTTOM))) ? top - r.Top + totalH : totalH;

    QRect clipQ;
    const QRect* extra = nullptr;
    if (!(flags & DT_NOCLIP)) {
        clipQ = toQRect(r.Left - (long long)d->org.X, r.Top - (long long)d->org.Y, r.Right - (long long)d->org.X,
                        r.Bottom - (long long)d->org.Y);
        extra = &clipQ;
        if (clipQ.isEmpty())
            return result;
    }
    Surface s = d->surface(extra);
    if (!s.valid())
        return result;
    const int ox = d->org.X, oy = d->org.Y;
    const int orient = d->font.Orientation();
    if (d->brush.Style() == bsSolid && !(flags & DT_PREFIXONLY)) {
        Ink k;
        k.color = pixelOf(d->brush.Color());
        for (const TextLine& l : lines)
            fillTextCell(s, l.x - ox, l.y - oy, l.width, lineH, orient, k);
    }
    if (!(flags & DT_PREFIXONLY) && orient % 3600 == 0) {
        for (const TextLine& l : lines) {
            if (!tabs || !l.text.contains(u'\t')) {
                d->paintInk(s, l.x - ox, l.y - oy, l.text);
                continue;
            }
            int pos = 0;
            const auto parts = l.text.split(u'\t');
            for (qsizetype i = 0; i < parts.size(); ++i) {
                d->paintInk(s, l.x - ox + pos, l.y - oy, parts[i]);
                pos += d->advance(parts[i]);
                if (i + 1 < parts.size())
                    pos = (pos / tabWidth + 1) * tabWidth;
            }
        }
    } else if (!(flags & DT_PREFIXONLY)) {
        const QRegion region = extra ? d->clipRegion.intersected(clipQ) : d->clipRegion;
        TextPainter tp(*d->target, region, faces, d->font.Color(), orient);
        for (const TextLine& l : lines) {
            if (!tabs || !l.text.contains(u'\t')) {
                tp.run(l.x - ox, l.y - oy, l.text);
                continue;
            }
            int pos = 0;
            const auto parts = l.text.split(u'\t');
            for (qsizetype i = 0; i < parts.size(); ++i) {
                tp.run(l.x - ox + pos, l.y - oy, parts[i]);
                pos += d->advance(parts[i]);
                if (i + 1 < parts.size())
                    pos = (pos / tabWidth + 1) * tabWidth;
            }
        }
    }
    // Accelerator underlines (unrotated text only).
    if (!underlined.empty() && orient % 3600 == 0) {
        Ink k;
        k.color = pixelOf(d->font.Color());
        const int thick = faces.LineThickness();
        for (int u : underlined) {
            for (const TextLine& l : lines) {
                const int off = u - l.srcStart;
                if (off < 0 || off >= l.mappedChars)
                    continue;
                const int x0 = l.x - ox + widthOf(l.text.left(off));
                const int x1 = l.x - ox + widthOf(l.text.left(off + 1));
                const int y0 = l.y - oy + faces.UnderlineTop();
                for (int yy = y0; yy < y0 + thick; ++yy)
                    raster::fillSpan(s, yy, x0, x1, k);
            }
        }
    }
    return result;
}

// ---- block copies ---------------------------------------------------------------------------

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
