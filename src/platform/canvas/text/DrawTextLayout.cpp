#include "platform/canvas/text/DrawTextLayout.h"

#include <algorithm>

#include "platform/canvas/CanvasTypes.h"

namespace {

bool isCJK(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF) ||
           c.isSurrogate();
}

// Breaks the paragraph text[p, e) into lines no wider than width where it can.
void breakParagraph(const QString& text, int p, int e, int width, const TTextWidth& widthOf,
                    std::vector<TTextLine>& lines)
{
    auto addLine = [&](int start, int len) { lines.push_back({text.mid(start, len), start, len}); };
    const int begin = p;
    while (p < e) {
        int lastFit = -1, firstCand = -1;
        for (int k = p + 1; k <= e; ++k) {
            const bool cand =
                k == e || (text[k] != u' ' && (text[k - 1] == u' ' || isCJK(text[k]) || isCJK(text[k - 1])));
            if (!cand)
                continue;
            int kk = k;
            while (kk > p && text[kk - 1] == u' ')
                --kk;
            if (firstCand < 0)
                firstCand = k;
            if (widthOf(text.mid(p, kk - p)) <= width)
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
    if (p == begin)
        addLine(begin, 0);
}

// The longest head of s that fits width with "..." after it; kept is its length.
QString fitEnd(const QString& s, int width, const TTextWidth& widthOf, int& kept)
{
    static const QString dots = QStringLiteral("...");
    kept = int(s.size());
    if (widthOf(s) <= width)
        return s;
    int lo = 0, hi = int(s.size()) - 1, best = -1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (widthOf(s.left(mid) + dots) <= width) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    kept = std::max(0, best);
    return s.left(kept) + dots;
}

// Keeps the last path element and shortens what comes before it.
void fitPath(TTextLine& l, int width, const TTextWidth& widthOf)
{
    static const QString dots = QStringLiteral("...");
    if (widthOf(l.text) <= width)
        return;
    const int sep = int(std::max(l.text.lastIndexOf(u'\\'), l.text.lastIndexOf(u'/')));
    int kept = 0;
    if (sep <= 0) {
        l.text = fitEnd(l.text, width, widthOf, kept);
        l.mappedChars = kept;
        return;
    }
    const QString head = l.text.left(sep), tail = l.text.mid(sep);
    for (int n = int(head.size()) - 1; n >= 0; --n) {
        const QString t = head.left(n) + dots + tail;
        if (widthOf(t) <= width) {
            l.text = t;
            l.mappedChars = n;
            return;
        }
    }
    l.text = fitEnd(dots + tail, width, widthOf, kept);
    l.mappedChars = 0;
}

} // namespace

std::vector<TTextLine> BreakTextLines(const QString& text, unsigned flags, int width, const TTextWidth& widthOf)
{
    std::vector<TTextLine> lines;
    const int n = int(text.size());
    if (flags & DT_SINGLELINE) {
        lines.push_back({text, 0, n});
        return lines;
    }
    int i = 0;
    while (i <= n) {
        int e = i;
        while (e < n && text[e] != u'\r' && text[e] != u'\n')
            ++e;
        if (!(flags & DT_WORDBREAK) || widthOf(text.mid(i, e - i)) <= width)
            lines.push_back({text.mid(i, e - i), i, e - i});
        else
            breakParagraph(text, i, e, width, widthOf, lines);
        if (e >= n)
            break;
        i = e + ((text[e] == u'\r' && e + 1 < n && text[e + 1] == u'\n') ? 2 : 1);
        if (i >= n)
            break; // a trailing line break starts no new line
    }
    return lines;
}

void FitTextLines(std::vector<TTextLine>& lines, unsigned flags, int width, const TTextWidth& widthOf)
{
    for (TTextLine& l : lines) {
        if (flags & DT_PATH_ELLIPSIS) {
            fitPath(l, width, widthOf);
        } else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) {
            int kept = 0;
            l.text = fitEnd(l.text, width, widthOf, kept);
            l.mappedChars = std::min(l.mappedChars, kept);
        }
        l.width = widthOf(l.text);
    }
}

int PlaceTextLines(std::vector<TTextLine>& lines, const TRect& r, unsigned flags, int lineHeight)
{
    const int totalH = lineHeight * int(lines.size());
    const bool single = flags & DT_SINGLELINE;
    int top = r.Top;
    if (single && (flags & DT_VCENTER))
        top = r.Top + (r.Bottom - r.Top - totalH) / 2;
    else if (single && (flags & DT_BOTTOM))
        top = r.Bottom - totalH;
    const int rectW = r.Right - r.Left;
    for (size_t i = 0; i < lines.size(); ++i) {
        TTextLine& l = lines[i];
        if (flags & DT_CENTER)
            l.x = r.Left + (rectW - l.width) / 2;
        else if (flags & DT_RIGHT)
            l.x = r.Right - l.width;
        else
            l.x = r.Left;
        l.y = top + int(i) * lineHeight;
    }
    return (single && (flags & (DT_VCENTER | DT_BOTTOM))) ? top - r.Top + totalH : totalH;
}
