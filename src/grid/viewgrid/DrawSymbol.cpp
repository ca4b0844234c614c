#include "grid/viewgrid/DrawSymbol.h"

#include <algorithm>
#include <map>

#include "platform/base/AppContext.h"
#include "platform/canvas/Bitmap.h"
#include "platform/canvas/Canvas.h"

namespace {

void CheckAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2)
        throw EAssertionFailed("Assertion failed: symbol alignment out of range");
}

int HalfUp(int size)
{
    return (size + 1) / 2;
}

// Characters of a text, a surrogate pair as one.
qsizetype CharLength(const QString& s, qsizetype i)
{
    return i + 1 < s.size() && s[i].isHighSurrogate() && s[i + 1].isLowSurrogate() ? 2 : 1;
}

bool IsPlaceholder(QChar c)
{
    return c == QChar(MeterSquarePlaceholder) || c == QChar(MeterCubePlaceholder);
}

constexpr char16_t kGrades[] = {u'A', u'B', u'C', u'D', u'L', u'N'};

} // namespace

// ---- manager ----------------------------------------------------------------

namespace {

struct SymbolState {
    SymbolState()
    {
        manager.Register(TMeterDrawSymbol::Class);
        manager.Register(TDiaDrawSymbol::Class);
    }
    TDrawSymbolManager manager;
    // The bar-diameter pictures, read once; an unreadable one stays null.
    std::map<int, std::unique_ptr<TBitmap>> pictures;
};

SymbolState& Symbols()
{
    return AppContext().State<SymbolState>();
}

} // namespace

TDrawSymbolManager& TDrawSymbolManager::Instance()
{
    return Symbols().manager;
}

void TDrawSymbolManager::Register(const TDrawSymbolClass& cls)
{
    if (std::find(classes_.begin(), classes_.end(), &cls) == classes_.end())
        classes_.push_back(&cls);
}

int TDrawSymbolManager::Find(const QString& text) const
{
    for (size_t i = 0; i < classes_.size(); ++i)
        if (classes_[i]->CanDraw(text))
            return static_cast<int>(i);
    return -1;
}

void TDrawSymbolManager::Draw(TCanvas& canvas, int scale, bool& handled, const TRect& rect, int alignment,
                              const QString& text)
{
    const int index = Find(text);
    handled = index != -1;
    if (!handled)
        return;
    const TColor color = canvas.Brush().Color();
    const TBrushStyle style = canvas.Brush().Style();
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(bsClear);
    try {
        std::unique_ptr<TCustomDrawSymbol> drawer = classes_[index]->Create();
        drawer->Draw(canvas, scale, rect, alignment, text);
    } catch (...) {
        canvas.Brush().SetColor(color);
        canvas.Brush().SetStyle(style);
        throw;
    }
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(style);
}

// ---- units ------------------------------------------------------------------

const TDrawSymbolClass TMeterDrawSymbol::Class = {
    "TMeterDrawSymbol", &TMeterDrawSymbol::CanDraw,
    [] { return std::unique_ptr<TCustomDrawSymbol>(new TMeterDrawSymbol); }};

bool TMeterDrawSymbol::CanDraw(const QString& text)
{
    for (const char* unit : {"m2", "m3", "M2", "M3", "#"})
        if (text.contains(QLatin1String(unit)))
            return true;
    return false;
}

QString TMeterDrawSymbol::WorkText(const QString& text)
{
    QString work = text;
    work.replace(QLatin1String("m2"), QString(QChar(MeterSquarePlaceholder)));
    work.replace(QLatin1String("M2"), QString(QChar(MeterSquarePlaceholder)));
    work.replace(QLatin1String("m3"), QString(QChar(MeterCubePlaceholder)));
    work.replace(QLatin1String("M3"), QString(QChar(MeterCubePlaceholder)));
    return work;
}

int TMeterDrawSymbol::PlaceholderWidth(TCanvas& canvas)
{
    TFont& font = canvas.Font();
    const int m = canvas.TextWidth(QStringLiteral("m"));
    const int size = font.Size();
    font.SetSize(HalfUp(size));
    const int digit = canvas.TextWidth(QStringLiteral("3"));
    font.SetSize(size);
    return m + digit;
}

void TMeterDrawSymbol::Draw(TCanvas& canvas, int, const TRect& rect, int alignment, const QString& text)
{
    CheckAlignment(alignment);
    const QString work = WorkText(text);
    const int W = rect.Right - rect.Left;
    const int placeholder = PlaceholderWidth(canvas);
    TFont& font = canvas.Font();
    auto widthOf = [&](const QString& ch) { return IsPlaceholder(ch[0]) ? placeholder : canvas.TextWidth(ch); };
    int y = rect.Top;
    qsizetype pos = 0;
    while (pos < work.size()) {
        // One line: characters while they fit, up to and including a line break.
        int left = W;
        qsizetype i = pos;
        qsizetype visibleEnd = pos;
        while (i < work.size()) {
            if (work[i] == u'\r' && i + 1 < work.size() && work[i + 1] == u'\n') {
                i += 2;
                break;
            }
            if (work[i] == u'\n') {
                ++i;
                break;
            }
            const qsizetype n = CharLength(work, i);
            const int w = widthOf(work.mid(i, n));
            if (w > left)
                break;
            left -= w;
            i += n;
            visibleEnd = i;
        }
        if (i == pos)
            break;
        // Trailing spaces and control characters are not drawn.
        QString line = work.mid(pos, visibleEnd - pos);
        while (!line.isEmpty() && (line.back().isSpace() || line.back().category() == QChar::Other_Control))
            line.chop(1);
        const int used = W - left;
        int x = rect.Left;
        if (alignment == 1)
            x = rect.Left + W - used;
        else if (alignment == 2)
            x = rect.Left + (W - used) / 2;
        int lineHeight = 0;
        for (qsizetype k = 0; k < line.size();) {
            const qsizetype n = CharLength(line, k);
            const QString ch = line.mid(k, n);
            const QChar c = ch[0];
            if (IsPlaceholder(c)) {
                canvas.TextOut(x, y, QStringLiteral("m"));
                const int mWidth = canvas.TextWidth(QStringLiteral("m"));
                lineHeight = std::max(lineHeight, canvas.TextHeight(QStringLiteral("m")));
                const int size = font.Size();
                font.SetSize(HalfUp(size));
                canvas.TextOut(x + mWidth, y, c == QChar(MeterSquarePlaceholder) ? QStringLiteral("2")
                                                                                   : QStringLiteral("3"));
                font.SetSize(size);
                x += placeholder;
            } else if (c == u'#') {
                const int advance = canvas.TextWidth(ch);
                lineHeight = std::max(lineHeight, canvas.TextHeight(ch));
                const int size = font.Size();
                font.SetSize((size * 7 + 9) / 10);
                canvas.TextOut(x, y, ch);
                font.SetSize(size);
                x += advance;
            } else {
                canvas.TextOut(x, y, ch);
                lineHeight = std::max(lineHeight, canvas.TextHeight(ch));
                x += canvas.TextWidth(ch);
            }
            k += n;
        }
        // A line of nothing but a line break still takes a line.
        if (lineHeight == 0)
            lineHeight = canvas.TextHeight(QStringLiteral("m"));
        y += lineHeight;
        pos = i;
    }
}

// ---- bar diameters ----------------------------------------------------------

const TDrawSymbolClass TDiaDrawSymbol::Class = {
    "TDiaDrawSymbol", &TDiaDrawSymbol::CanDraw,
    [] { return std::unique_ptr<TCustomDrawSymbol>(new TDiaDrawSymbol); }};

int TDiaDrawSymbol::PrefixIndex(const QString& text)
{
    if (text.size() < 2 || text[0] != QChar(BarDiameterSign))
        return -1;
    for (int i = 0; i < 6; ++i)
        if (text[1] == QChar(kGrades[i]))
            return i;
    return -1;
}

bool TDiaDrawSymbol::CanDraw(const QString& text)
{
    return PrefixIndex(text) >= 0;
}

QString TDiaDrawSymbol::PictureName(int index)
{
    return QStringLiteral("SDIA") + QChar(kGrades[index]);
}

namespace {

const TBitmap* BarPicture(int index)
{
    auto& cache = Symbols().pictures;
    auto it = cache.find(index);
    if (it == cache.end()) {
        auto bitmap = std::make_unique<TBitmap>();
        if (!bitmap->LoadFromFile(QStringLiteral(":/symbols/%1.bmp").arg(TDiaDrawSymbol::PictureName(index))))
            bitmap.reset();
        it = cache.emplace(index, std::move(bitmap)).first;
    }
    return it->second.get();
}

} // namespace

void TDiaDrawSymbol::Draw(TCanvas& canvas, int scale, const TRect& rect, int alignment, const QString& text)
{
    CheckAlignment(alignment);
    const int index = PrefixIndex(text);
    if (index < 0)
        return;
    const TBitmap* picture = BarPicture(index);
    if (!picture)
        return;
    const int pw = picture->Width();
    const int ph = picture->Height();
    TRect p;
    p.Left = alignment == 0 ? rect.Left : (alignment == 1 ? rect.Right - pw : (rect.Left + rect.Right - pw) / 2);
    p.Top = rect.Top;
    p.Right = p.Left + MulDiv(pw, scale, 100);
    p.Bottom = p.Top + MulDiv(ph, scale, 100);
    canvas.StretchDraw(p, *picture);
    const QString rest = text.mid(2);
    if (rest.isEmpty())
        return;
    const unsigned flags = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
    TRect r = alignment == 1 ? TRect{rect.Left, rect.Top, p.Left, rect.Bottom}
                             : TRect{p.Right, rect.Top, rect.Right, rect.Bottom};
    if (r.Right > r.Left)
        canvas.DrawText(rest, r, flags | (alignment == 1 ? DT_RIGHT : DT_LEFT));
}
