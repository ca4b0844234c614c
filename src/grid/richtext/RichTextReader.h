#pragma once

// A reader of the rich-text format as cells hold it: groups, the font and
// colour tables, bold, italic, underline, strike-out, sizes and colours,
// raised and lowered text, paragraph alignment, \par and \line, bytes of the
// document's code page (\'hh, GBK with \ansicpg936 or a GB2312 font) and \uN
// with its fallback. Unknown control words and destinations are skipped.
// Broken input (unbalanced braces, truncated escapes, deep nesting, huge
// values) reads as far as it goes, in linear time and bounded memory.

#include <QString>

#include "platform/canvas/text/RichTextLayout.h"

// Whether the text is in the rich-text format ("{\rtf" after leading blanks).
bool IsRichText(const QString& text);

// Rich text as formatted paragraphs; any other text as plain paragraphs, one
// per line.
TRichTextDocument ReadRichText(const QString& text);

// The characters of a document, paragraphs joined by line breaks (tests and
// measuring).
QString RichDocumentText(const TRichTextDocument& document);
