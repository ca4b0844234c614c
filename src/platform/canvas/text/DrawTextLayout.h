#pragma once

// The steps of formatted text (DrawText) that need no surface: breaking the
// text into lines, shortening them with ellipses and placing them in the
// rectangle. Widths come from the caller, so the steps are tested with any
// measure.

#include <functional>
#include <vector>

#include <QString>

#include "platform/base/Types.h"

struct TTextLine {
    QString text;        // what is shown
    int srcStart = 0;    // index of text[0] in the prefix-processed string
    int mappedChars = 0; // leading characters of text that map 1:1 onto the source
    int width = 0;
    int x = 0, y = 0;
};

using TTextWidth = std::function<int(const QString&)>;

// One line with DT_SINGLELINE; otherwise a line per paragraph (CR, LF or CR LF;
// a trailing break starts no line), and with DT_WORDBREAK paragraphs wider than
// width break after spaces and around CJK characters.
std::vector<TTextLine> BreakTextLines(const QString& text, unsigned flags, int width, const TTextWidth& widthOf);

// Shortens lines wider than width as the ellipsis flags ask and sets every
// line's width.
void FitTextLines(std::vector<TTextLine>& lines, unsigned flags, int width, const TTextWidth& widthOf);

// Sets the lines' positions in r by the alignment flags; returns what DrawText
// returns: the text's height, or with a vertically aligned single line the
// offset from r.Top to the text's bottom.
int PlaceTextLines(std::vector<TTextLine>& lines, const TRect& r, unsigned flags, int lineHeight);
