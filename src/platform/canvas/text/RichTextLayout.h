#pragma once

// Formatted text as runs in paragraphs, and its drawing into a rectangle of a
// canvas through Qt's text layout: wrapped at the rectangle's width, each
// paragraph aligned, runs in their own face, size, colour and style.

#include <cstdint>
#include <vector>

#include <QString>

#include "platform/canvas/Color.h"
#include "platform/canvas/text/Font.h"
#include "platform/base/Types.h"

class TCanvas;

// 0 left, 1 right, 2 centre.
enum TRichAlignment : uint8_t { raLeft, raRight, raCenter };

struct TRichTextRun {
    QString Text;
    // Empty: the default font's face.
    QString FontName;
    // Points; 0: the default font's size.
    int FontSize = 0;
    // clDefault: the default font's colour.
    TColor Color = clDefault;
    TFontStyles Styles = 0;
    // 1 raised, -1 lowered, 0 on the line.
    int8_t Script = 0;
    friend bool operator==(const TRichTextRun&, const TRichTextRun&) = default;
};

struct TRichTextParagraph {
    // -1: the default alignment.
    int Alignment = -1;
    std::vector<TRichTextRun> Runs;
};

using TRichTextDocument = std::vector<TRichTextParagraph>;

// Draws the document into rect, clipped to it; background clNone leaves what
// is there. Text that could not be seen in the rectangle is not laid out.
void DrawRichText(TCanvas& canvas, const TRichTextDocument& document, const TRect& rect, const TFont& defaultFont,
                  TRichAlignment defaultAlignment, TColor background);
