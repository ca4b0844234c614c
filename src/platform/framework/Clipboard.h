#pragma once

// The platform's clipboard: plain text, with an HTML form beside it for
// programs (spreadsheets, word processors) that read tables from it.

#include <QString>

// Puts text and, when not empty, html on the clipboard in one go.
void SetClipboardText(const QString& text, const QString& html = QString());
// The clipboard's plain text; empty when it holds none.
QString ClipboardText();
// The clipboard's HTML form; empty when it holds none.
QString ClipboardHtml();
