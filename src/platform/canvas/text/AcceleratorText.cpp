#include "platform/canvas/text/AcceleratorText.h"

TPrefixedText ParsePrefixedText(const QString& caption)
{
    TPrefixedText out;
    out.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const QChar c = caption[i];
        if (c != u'&') {
            out.text += c;
            continue;
        }
        if (i + 1 >= caption.size())
            break;
        if (caption[i + 1] == u'&') {
            out.text += u'&';
            ++i;
        } else {
            out.underlined.push_back(int(out.text.size()));
        }
    }
    return out;
}

QChar AcceleratorOf(const QString& caption)
{
    const TPrefixedText parsed = ParsePrefixedText(caption);
    return parsed.underlined.empty() ? QChar() : parsed.text[parsed.underlined.front()];
}
