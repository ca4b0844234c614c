#include "platform/canvas/text/FontFaces.h"

#include <QRawFont>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

#include "platform/canvas/text/Font.h"

namespace {

bool IsSongFace(const QString& name)
{
    return name == QStringLiteral("宋体") || name == QStringLiteral("SimSun") ||
           name == QStringLiteral("新宋体") || name == QStringLiteral("NSimSun");
}

// The Song face's vertical metrics (220 and 36 of 256 units): its cell is one em
// high with no internal leading.
constexpr int kSongUnits = 256, kSongAscent = 220;

int RoundDiv(long long a, long long b)
{
    return b ? static_cast<int>((2 * a + b) / (2 * b)) : 0;
}

uint16_t ReadU16(const QByteArray& table, int offset)
{
    if (table.size() < offset + 2)
        return 0;
    return static_cast<uint16_t>((uint8_t(table[offset]) << 8) | uint8_t(table[offset + 1]));
}

QFont PlainDrawingFace(QFont f)
{
    f.setUnderline(false);
    f.setStrikeOut(false);
    f.setKerning(false);
    return f;
}

} // namespace

int FontFaces::LinkedSongPixels(int pixels)
{
    return std::max(1, MulDiv(pixels, 12, 11));
}

int FontFaces::SongCellWidth(char32_t c, int pixels)
{
    // Single-byte in the Chinese code page: ASCII only; everything else there is
    // a double-byte character and takes the full cell.
    return c < 0x80 ? (pixels + 1) / 2 : pixels;
}

FontFaces::FontFaces(const TFont& font)
{
    const QFont q = font.ToQFont();
    primary_ = q;
    pixels_ = std::max(1, q.pixelSize());
    underline_ = font.Style() & fsUnderline;
    strike_ = font.Style() & fsStrikeOut;
    if (IsSongFace(font.Name()))
        kind_ = kSongCells;
    else if (font.Name().compare(QStringLiteral("Tahoma"), Qt::CaseInsensitive) == 0)
        kind_ = kLinkedSong;

    if (kind_ == kPlain) {
        metrics_ = std::make_unique<QFontMetrics>(primary_);
        primary_ = PlainDrawingFace(primary_);
        ascent_ = metrics_->ascent();
        descent_ = metrics_->descent();
    } else {
        if (kind_ == kSongCells && font.Height() > 0)
            pixels_ = font.Height(); // a cell height is the em: no internal leading
        primary_ = PlainDrawingFace(q);
        primary_.setPixelSize(pixels_);
        metrics_ = std::make_unique<QFontMetrics>(primary_);
        songPixels_ = kind_ == kSongCells ? pixels_ : LinkedSongPixels(pixels_);
        song_ = PlainDrawingFace(q);
        song_.setFamily(TFont::MapFace(QStringLiteral("宋体")));
        song_.setPixelSize(songPixels_);
        songMetrics_ = std::make_unique<QFontMetrics>(song_);
        if (kind_ == kSongCells) {
            primary_ = song_;
            ascent_ = RoundDiv(static_cast<long long>(pixels_) * kSongAscent, kSongUnits);
            descent_ = pixels_ - ascent_;
        } else {
            // The platform's cell: the face's Windows ascent and descent, rounded.
            raw_ = QRawFont::fromFont(primary_);
            const QRawFont& raw = raw_;
            const QByteArray os2 = raw.isValid() ? raw.fontTable("OS/2") : QByteArray();
            const int em = raw.isValid() ? int(raw.unitsPerEm()) : 0;
            const int winAscent = ReadU16(os2, 74), winDescent = ReadU16(os2, 76);
            if (em > 0 && winAscent > 0) {
                ascent_ = RoundDiv(static_cast<long long>(winAscent) * pixels_, em);
                descent_ = RoundDiv(static_cast<long long>(winDescent) * pixels_, em);
            } else {
                ascent_ = metrics_->ascent();
                descent_ = metrics_->descent();
            }
        }
    }
    thick_ = std::max(1, pixels_ / 12);
    // Underline one pixel below the baseline, kept inside the cell.
    underlineTop_ = std::min(ascent_ + 1, Height() - thick_);
    strikeTop_ = ascent_ - std::max(1, ascent_ / 3);
}

int FontFaces::CharAdvance(char32_t c, int& face) const
{
    face = 0;
    if (kind_ == kSongCells) {
        face = 1;
        return SongCellWidth(c, songPixels_);
    }
    auto it = advances_.constFind(c);
    if (it != advances_.constEnd()) {
        face = *it < 0 ? 1 : 0;
        return *it < 0 ? -*it : *it;
    }
    int w;
    if (c < 0x80 || (raw_.isValid() ? raw_.supportsCharacter(uint(c)) : metrics_->inFontUcs4(c))) {
        w = metrics_->horizontalAdvance(QString::fromUcs4(&c, 1));
        advances_.insert(c, w);
    } else {
        face = 1;
        w = SongCellWidth(c, songPixels_);
        advances_.insert(c, -w);
    }
    return w;
}

std::vector<FontFaces::Run> FontFaces::Layout(const QString& text) const
{
    std::vector<Run> runs;
    if (kind_ == kPlain) {
        if (!text.isEmpty())
            runs.push_back({0, 0, text});
        return runs;
    }
    int x = 0;
    const QList<uint> ucs = text.toUcs4();
    runs.reserve(size_t(ucs.size()));
    for (uint u : ucs) {
        const char32_t c = u;
        const QString s = QString::fromUcs4(&c, 1);
        // Marks join the character before them.
        if (!runs.empty() && QChar::isMark(c)) {
            runs.back().text += s;
            continue;
        }
        int face = 0;
        const int w = CharAdvance(c, face);
        int at = x;
        if (kind_ == kSongCells || face == 1) {
            // A narrow glyph sits in the middle of its cell.
            const QFontMetrics& m = *songMetrics_;
            const int g = m.horizontalAdvance(s);
            if (g < w)
                at += (w - g) / 2;
        }
        runs.push_back({face, at, s});
        x += w;
    }
    return runs;
}

std::vector<FontFaces::Run> FontFaces::CharacterLayout(const QString& text) const
{
    if (kind_ != kPlain)
        return Layout(text);
    std::vector<Run> runs;
    QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
    qsizetype from = 0;
    for (qsizetype to = clusters.toNextBoundary(); to > 0; to = clusters.toNextBoundary()) {
        runs.push_back({0, metrics_->horizontalAdvance(text.left(from)), text.mid(from, to - from)});
        from = to;
    }
    return runs;
}

int FontFaces::Advance(const QString& text) const
{
    if (kind_ == kPlain)
        return metrics_->horizontalAdvance(text);
    int x = 0;
    for (uint u : text.toUcs4()) {
        if (QChar::isMark(u))
            continue;
        int face = 0;
        x += CharAdvance(u, face);
    }
    return x;
}
