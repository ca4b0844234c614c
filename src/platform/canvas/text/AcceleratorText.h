#pragma once

// Captions mark their accelerator with "&": "&x" underlines x and makes it the
// key, "&&" shows one "&", and a lone "&" at the end shows nothing. Every
// control that draws or answers to a caption reads it here.

#include <vector>

#include <QChar>
#include <QString>

struct TPrefixedText {
    QString text;                // what is shown
    std::vector<int> underlined; // indexes into text of the marked characters
};

TPrefixedText ParsePrefixedText(const QString& caption);

// The caption's accelerator: its first marked character, or a null QChar.
QChar AcceleratorOf(const QString& caption);
