#include "grid/layout/CellTextWrap.h"

namespace {

// Moves a cut that would split a surrogate pair before the pair.
qsizetype WholeChars(const QString& s, qsizetype n)
{
    if (n > 0 && n < s.size() && s[n - 1].isHighSurrogate() && s[n].isLowSurrogate())
        --n;
    return n;
}

// The longest prefix of s (from pos) that fits width: doubling to bound it,
// then halving, so a long rest costs O(k log k) for a piece of k characters.
qsizetype FittingLength(const QString& s, qsizetype pos, int width, const TTextMeasure& measure)
{
    const qsizetype rest = s.size() - pos;
    auto fits = [&](qsizetype n) { return measure(s.mid(pos, n)) <= width; };
    qsizetype good = 0;
    qsizetype bad = rest + 1;
    for (qsizetype n = 1; n <= rest; n *= 2) {
        if (!fits(n)) {
            bad = n;
            break;
        }
        good = n;
    }
    if (bad == rest + 1 && good < rest) {
        if (fits(rest))
            return rest;
        bad = rest;
    }
    while (bad - good > 1) {
        const qsizetype mid = good + (bad - good) / 2;
        if (fits(mid))
            good = mid;
        else
            bad = mid;
    }
    return good;
}

} // namespace

QStringList WrapCellText(const QString& text, int width, const TTextMeasure& measure, int maxLines)
{
    QStringList pieces;
    if (maxLines <= 0)
        return pieces;
    qsizetype start = 0;
    while (start <= text.size() && pieces.size() < maxLines) {
        qsizetype end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QString line = text.mid(start, end - start);
        if (measure(line) <= width) {
            pieces << line;
        } else {
            qsizetype pos = 0;
            while (pos < line.size() && pieces.size() < maxLines) {
                const qsizetype n = WholeChars(line.mid(pos), FittingLength(line, pos, width, measure));
                if (n <= 0)
                    break;
                pieces << line.mid(pos, n);
                pos += n;
            }
        }
        if (end >= text.size())
            break;
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return pieces;
}
