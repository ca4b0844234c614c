#include "platform/canvas/CanvasTextCache.h"

#include <algorithm>
#include <cstring>

#include "platform/base/AppContext.h"
#include "platform/canvas/text/Font.h"

namespace canvasdetail {

namespace {

// Columns [first, last + 1) that face inks for text drawn from x = 0; empty
// (first = last + 1 = 0) for text without ink.
std::pair<int, int> InkColumns(const QFont& face, const QString& text)
{
    const QFontMetrics m(face);
    const int margin = std::max(4, m.height());
    QImage mask(m.horizontalAdvance(text) + m.maxWidth() + 2 * margin, m.height() + 2 * margin,
                QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setPen(Qt::black);
        p.setFont(face);
        p.drawText(QPoint(margin, margin + m.ascent()), text);
    }
    int first = mask.width(), last = -1;
    for (int y = 0; y < mask.height(); ++y) {
        const uint8_t* row = mask.constScanLine(y);
        for (int x = 0; x < mask.width(); ++x)
            if (row[x] >= 128) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    }
    if (last < 0)
        return {0, 0};
    return {first - margin, last + 1 - margin};
}

// How far right the enlarged glyph of a run moves so that its ink is centred
// across the scale-1 glyph's ink enlarged.
int GlyphShift(FontEntry& f, const FontFaces::Run& run)
{
    const QString key = QString::number(run.face) + QLatin1Char('/') + run.text;
    auto it = f.glyphShifts.constFind(key);
    if (it != f.glyphShifts.constEnd())
        return *it;
    const auto [a0, a1] = InkColumns(f.faces->Face(run.face), run.text);
    const auto [b0, b1] = InkColumns(f.deviceFaces->Face(run.face), run.text);
    int shift = 0;
    if (a1 > a0 && b1 > b0) {
        // Twice the difference of the centres, rounded half up.
        const int twice = f.scale * (a0 + a1) - (b0 + b1);
        shift = twice >= 0 ? (twice + 1) / 2 : -((-twice) / 2);
    }
    if (f.glyphShifts.size() > 4096)
        f.glyphShifts.clear();
    f.glyphShifts.insert(key, shift);
    return shift;
}

// Renders text with the entry's font and reads its ink back as spans.
std::vector<InkSpan> RenderInk(FontEntry& f, const QString& text)
{
    const QFontMetrics& m = *f.metrics;
    const FontFaces& faces = *f.faces;
    const FontFaces& drawing = f.deviceFaces ? *f.deviceFaces : faces;
    const int k = f.scale;
    // Wide enough for any glyphs of the text (fallback faces included)
    // without shaping it twice.
    const int h = k * std::max(m.height(), faces.Height()), w = int(text.size()) * std::max(k * m.maxWidth(), 2 * h);
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
    for (const FontFaces::Run& run : k > 1 ? faces.CharacterLayout(text) : faces.Layout(text)) {
        if (run.face != face) {
            face = run.face;
            f.painter->setFont(drawing.Face(face));
        }
        const int shift = k > 1 ? GlyphShift(f, run) : 0;
        f.painter->drawText(QPoint(margin + k * run.x + shift, margin + k * faces.Ascent()), run.text);
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
    const int advance = k * faces.Advance(text);
    for (int i = 0; i < k * faces.LineThickness() && advance > 0; ++i) {
        if (faces.Underline())
            spans.push_back({k * faces.UnderlineTop() + i, 0, advance});
        if (faces.StrikeOut())
            spans.push_back({k * faces.StrikeOutTop() + i, 0, advance});
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
        g.advance = f.scale * f.faces->Advance(QString(QChar(c)));
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

} // namespace

// What tells fonts apart for text: a canvas asks for its entry at every new
// font and on every new canvas, so the key is compared as it is, not spelled out.
struct FontEntryKey {
    QString name;
    int height;
    int style;
    int pitch;
    int scale;
    friend bool operator==(const FontEntryKey&, const FontEntryKey&) = default;
};

size_t qHash(const FontEntryKey& key, size_t seed = 0)
{
    return qHashMulti(seed, key.name, key.height, key.style, key.pitch, key.scale);
}

struct FontEntryCache {
    QHash<FontEntryKey, std::shared_ptr<FontEntry>> entries;
};

std::shared_ptr<FontEntry> SharedFontEntry(const TFont& font, int scale)
{
    auto& entries = AppContext().State<FontEntryCache>().entries;
    const FontEntryKey key{font.Name(), font.Height(), int(font.Style()), int(font.Pitch()), scale > 1 ? scale : 1};
    auto it = entries.constFind(key);
    if (it != entries.constEnd())
        return *it;
    if (entries.size() > 64)
        entries.clear();
    auto e = std::make_shared<FontEntry>();
    e->faces = std::make_unique<FontFaces>(font);
    e->qfont = e->faces->Face(0);
    e->metrics = std::make_unique<QFontMetrics>(e->faces->Metrics());
    if (scale > 1) {
        TFont enlarged(font);
        // Height 0 is the default size, which does not multiply.
        enlarged.SetHeight(font.Height() != 0 ? font.Height() * scale : -font.ToQFont().pixelSize() * scale);
        e->scale = scale;
        e->deviceFaces = std::make_unique<FontFaces>(enlarged);
    }
    entries.insert(key, e);
    return e;
}

int FontEntry::Advance(const QString& text)
{
    if (text.isEmpty())
        return 0;
    auto it = widths.constFind(text);
    if (it != widths.constEnd())
        return *it;
    if (widths.size() > 16384)
        widths.clear();
    const int w = faces->Advance(text);
    widths.insert(text, w);
    return w;
}

std::shared_ptr<const std::vector<InkSpan>> FontEntry::Ink(const QString& text)
{
    auto it = ink.constFind(text);
    if (it != ink.constEnd())
        return *it;
    auto spans = std::make_shared<std::vector<InkSpan>>(TextInk(*this, text));
    if (ink.size() > 4096)
        ink.clear();
    ink.insert(text, spans);
    return spans;
}

bool FontEntry::InkFits(const QString& text) const
{
    const QFontMetrics& m = *metrics;
    const qint64 h = qint64(scale) * std::max(m.height(), faces->Height()), margin = std::max<qint64>(4, h);
    const qint64 w = qint64(text.size()) * std::max<qint64>(qint64(scale) * m.maxWidth(), 2 * h) + 2 * margin;
    return w * (h + 2 * margin) <= (qint64(1) << 25);
}

} // namespace canvasdetail
