#pragma once

// What a font needs for text, shared by all canvases: a window repaints through
// a new canvas each time, and shaping and rendering text is the slow part.
// Unrotated text is rendered once per font and string into ink spans (x0, x1,
// y relative to the text cell), then painted by the rasteriser. An entry for a
// scale above 1 renders the ink in target pixels with the font enlarged, each
// character where the scale-1 picture has it: its ink is centred across the
// scale-1 ink enlarged, since the enlarged face's glyphs are not the small
// face's glyphs enlarged (a Song face's small sizes are hand-drawn bitmaps).
// It measures as the scale-1 entry does.

#include <memory>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QString>

#include "platform/canvas/text/FontFaces.h"

class TFont;

namespace canvasdetail {

struct InkSpan {
    int y, x0, x1;
    friend bool operator==(const InkSpan&, const InkSpan&) = default;
};

struct FontEntry {
    QFont qfont;
    std::unique_ptr<QFontMetrics> metrics;
    std::unique_ptr<FontFaces> faces; // logical: layout and measures
    int scale = 1;
    std::unique_ptr<FontFaces> deviceFaces; // the font at scale times its size (scale > 1)
    // Target pixels each character's enlarged glyph moves right (scale > 1),
    // keyed by face and character.
    QHash<QString, int> glyphShifts;
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

    // The text's advance, remembered.
    int Advance(const QString& text);
    // The text's ink, remembered.
    std::shared_ptr<const std::vector<InkSpan>> Ink(const QString& text);
    // Whether the text's mask stays of a reasonable size (giant faces and
    // endless texts are drawn straight onto the surface instead).
    bool InkFits(const QString& text) const;
};

// The entry of the font at a scale, shared by every canvas drawing with an
// equal font at that scale.
std::shared_ptr<FontEntry> SharedFontEntry(const TFont& font, int scale = 1);

} // namespace canvasdetail
