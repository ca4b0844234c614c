#pragma once

// Cutting a cell's text into lines that fit a width, between characters and
// never inside a character (a surrogate pair stays whole).

#include <functional>

#include <QString>
#include <QStringList>

using TTextMeasure = std::function<int(const QString&)>;

// Every line of text (split at line breaks) wider than width is cut into the
// longest prefixes that fit; a rest of which not one character fits is
// dropped. At most maxLines pieces are produced (the rest could not be seen).
QStringList WrapCellText(const QString& text, int width, const TTextMeasure& measure, int maxLines);
