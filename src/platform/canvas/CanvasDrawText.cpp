#include "platform/canvas/Canvas.h"

#include <QPainter>

#include "platform/canvas/text/AcceleratorText.h"
#include "platform/canvas/CanvasPrivate.h"
#include "platform/canvas/CanvasTextPainter.h"
#include "platform/canvas/text/DrawTextLayout.h"
#include "platform/canvas/text/FontFaces.h"

using raster::Ink;
using raster::Surface;
using namespace canvasdetail;

namespace canvasdetail {

// Text widths with tabs expanded to the next multiple of tabWidth (0: tabs are
// plain characters).
class TabbedText {
public:
    TabbedText(FontEntry& font, int tabWidth) : font_(font), tabWidth_(tabWidth) {}

    int Width(const QString& s) const
    {
        int pos = 0;
        ForEachPart(s, [&](int, const QString&) {}, &pos);
        return pos;
    }
    // Calls paint(x, part) for each tab-separated part, x relative to the line's start.
    template <typename Paint>
    void ForEachPart(const QString& s, Paint&& paint, int* end = nullptr) const
    {
        if (!tabWidth_ || !s.contains(u'\t')) {
            paint(0, s);
            if (end)
                *end = font_.Advance(s);
            return;
        }
        int pos = 0;
        const auto parts = s.split(u'\t');
        for (qsizetype i = 0; i < parts.size(); ++i) {
            paint(pos, parts[i]);
            pos += font_.Advance(parts[i]);
            if (i + 1 < parts.size())
                pos = (pos / tabWidth_ + 1) * tabWidth_;
        }
        if (end)
            *end = pos;
    }

private:
    FontEntry& font_;
    int tabWidth_;
};

} // namespace canvasdetail

namespace {

// The prefix-processed text: marked characters are underlined unless hidden.
TPrefixedText prefixProcessed(const QString& text, unsigned flags)
{
    if (flags & DT_NOPREFIX)
        return {text, {}};
    TPrefixedText parsed = ParsePrefixedText(text);
    if (flags & DT_HIDEPREFIX)
        parsed.underlined.clear();
    return parsed;
}

} // namespace

// Background and text of the placed lines, clipped by s (and by the device
// rectangle clip, when given, for rotated text).
void TCanvas::Private::paintTextLines(const Surface& s, const QRect* deviceClip, const std::vector<TTextLine>& lines,
                                      int lineH, const TabbedText& tabbed)
{
    Private& d = *this;
    const int ox = d.org.X, oy = d.org.Y;
    const int orient = d.font.Orientation();
    if (d.brush.Style() == bsSolid) {
        Ink k;
        k.color = pixelOf(d.brush.Color());
        for (const TTextLine& l : lines)
            fillTextCell(s, l.x - ox, l.y - oy, l.width, lineH, orient, k);
    }
    if (orient % 3600 == 0) {
        for (const TTextLine& l : lines)
            tabbed.ForEachPart(l.text,
                               [&](int x, const QString& part) { d.paintInk(s, l.x - ox + x, l.y - oy, part); });
        return;
    }
    const QRegion region = deviceClip ? d.clipRegion.intersected(*deviceClip) : d.clipRegion;
    TextPainter tp(*d.target, region, d.faces(), d.font.Color(), orient, d.scale);
    for (const TTextLine& l : lines)
        tabbed.ForEachPart(l.text, [&](int x, const QString& part) { tp.run(l.x - ox + x, l.y - oy, part); });
}

// Accelerator underlines under the marked characters still shown (unrotated text only).
void TCanvas::Private::paintUnderlines(const Surface& s, const std::vector<TTextLine>& lines,
                                       const std::vector<int>& underlined, const TabbedText& tabbed)
{
    Private& d = *this;
    if (underlined.empty() || d.font.Orientation() % 3600 != 0)
        return;
    const FontFaces& faces = d.faces();
    Ink k;
    k.color = pixelOf(d.font.Color());
    const int thick = faces.LineThickness();
    for (int u : underlined) {
        for (const TTextLine& l : lines) {
            const int off = u - l.srcStart;
            if (off < 0 || off >= l.mappedChars)
                continue;
            const int x0 = l.x - d.org.X + tabbed.Width(l.text.left(off));
            const int x1 = l.x - d.org.X + tabbed.Width(l.text.left(off + 1));
            const int y0 = l.y - d.org.Y + faces.UnderlineTop();
            for (int yy = y0; yy < y0 + thick; ++yy)
                raster::fillSpan(s, yy, x0, x1, k);
        }
    }
}

void TCanvas::Private::vectorTextLines(const std::vector<TTextLine>& lines, int lineH, const TabbedText& tabbed,
                                       const QRect* deviceClip)
{
    if (brush.Style() == bsSolid) {
        vectorApplyClip(deviceClip);
        for (const TTextLine& l : lines)
            vector->fillRect(QRect(l.x - org.X, l.y - org.Y, l.width, lineH), QColor(QRgb(pixelOf(brush.Color()))));
    }
    for (const TTextLine& l : lines)
        tabbed.ForEachPart(l.text, [&](int x, const QString& part) {
            if (!part.isEmpty())
                vectorText(l.x - org.X + x, l.y - org.Y, part, deviceClip, false);
        });
}

int TCanvas::DrawText(const QString& textIn, TRect& r, unsigned flags)
{
    const TPrefixedText prefixed = prefixProcessed(textIn, flags);
    const QString& text = prefixed.text;
    const QFontMetrics& fm = d->fm();
    const TabbedText tabbed(d->fontEntry(), (flags & DT_EXPANDTABS) ? std::max(1, 8 * fm.averageCharWidth()) : 0);
    const TTextWidth widthOf = [&tabbed](const QString& s) { return tabbed.Width(s); };

    const int rectW = r.Right - r.Left;
    std::vector<TTextLine> lines = BreakTextLines(text, flags, rectW, widthOf);
    FitTextLines(lines, flags, rectW, widthOf);

    const int lineH = d->faces().Height() + ((flags & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
    if (flags & DT_CALCRECT) {
        int maxW = 0;
        for (const TTextLine& l : lines)
            maxW = std::max(maxW, l.width);
        const int totalH = text.isEmpty() ? 0 : lineH * int(lines.size());
        r.Right = r.Left + maxW;
        r.Bottom = r.Top + totalH;
        return totalH;
    }
    if (text.isEmpty())
        return 0;
    const int result = PlaceTextLines(lines, r, flags, lineH);

    QRect clipQ;
    if (!(flags & DT_NOCLIP)) {
        clipQ = d->deviceRect(r);
        if (clipQ.isEmpty())
            return result;
    }
    if (d->vector) {
        if (!(flags & DT_PREFIXONLY))
            d->vectorTextLines(lines, lineH, tabbed, (flags & DT_NOCLIP) ? nullptr : &clipQ);
        return result;
    }
    Surface s = d->surface((flags & DT_NOCLIP) ? nullptr : &clipQ);
    if (!s.valid())
        return result;
    if (!(flags & DT_PREFIXONLY))
        d->paintTextLines(s, (flags & DT_NOCLIP) ? nullptr : &clipQ, lines, lineH, tabbed);
    d->paintUnderlines(s, lines, prefixed.underlined, tabbed);
    return result;
}
