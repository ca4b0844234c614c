#include "screens/live/LiveChecks.h"

QString LiveTextProblem(const QString& what, const QString& text, int limit, bool required)
{
    if (required && text.isEmpty())
        return what + QStringLiteral(" is empty.");
    if (text.size() > limit)
        return what + QStringLiteral(" is longer than %1 characters.").arg(limit);
    return {};
}

QVariant OptionalText(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}
