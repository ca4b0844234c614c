#include "platform/controls/edit/EditMask.h"

#include <QStringList>

namespace {

bool IsMaskChar(QChar c)
{
    static const QString kinds = QStringLiteral("LlAaCc09#");
    return kinds.contains(c);
}

// Splits at unescaped semicolons.
QStringList SplitFields(const QString& mask)
{
    QStringList fields;
    QString field;
    for (int i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('\\') && i + 1 < mask.size()) {
            field += mask[i];
            field += mask[++i];
        } else if (mask[i] == QLatin1Char(';')) {
            fields << field;
            field.clear();
        } else {
            field += mask[i];
        }
    }
    fields << field;
    return fields;
}

} // namespace

TEditMask::TEditMask(const QString& mask)
{
    if (mask.isEmpty())
        return;
    const QStringList fields = SplitFields(mask);
    bool ok = fields.size() <= 3;
    if (ok && fields.size() >= 2) {
        if (fields[1] == QLatin1String("0"))
            saveLiterals_ = false;
        else if (fields[1] != QLatin1String("1") && !fields[1].isEmpty())
            ok = false;
    }
    if (ok && fields.size() == 3) {
        if (fields[2].size() == 1)
            blank_ = fields[2][0];
        else if (!fields[2].isEmpty())
            ok = false;
    }
    if (ok)
        ok = Parse(fields[0]);
    if (!ok) {
        slots_.clear();
        valid_ = false;
        saveLiterals_ = true;
        blank_ = QLatin1Char('_');
    }
}

bool TEditMask::Parse(const QString& m)
{
    TCase mode = caseKeep;
    for (int i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        if (c == QLatin1Char('\\')) {
            if (i + 1 >= m.size())
                return false; // nothing left to take literally
            slots_.push_back({QChar(), m[++i], caseKeep});
        } else if (c == QLatin1Char('<') && i + 1 < m.size() && m[i + 1] == QLatin1Char('>')) {
            mode = caseKeep;
            ++i;
        } else if (c == QLatin1Char('>')) {
            mode = caseUpper;
        } else if (c == QLatin1Char('<')) {
            mode = caseLower;
        } else if (c == QLatin1Char('!')) {
            continue;
        } else if (c == QLatin1Char('_')) {
            slots_.push_back({QChar(), QLatin1Char(' '), caseKeep});
        } else if (IsMaskChar(c)) {
            slots_.push_back({c, QChar(), mode});
        } else {
            slots_.push_back({QChar(), c, caseKeep});
        }
    }
    return !slots_.empty();
}

bool TEditMask::IsLiteral(int pos) const
{
    return pos >= 0 && pos < Length() && slots_[pos].Kind.isNull();
}

bool TEditMask::Accepts(int pos, QChar& ch) const
{
    if (pos < 0 || pos >= Length() || IsLiteral(pos))
        return false;
    const TSlot& s = slots_[pos];
    bool ok = false;
    switch (s.Kind.toLatin1()) {
    case 'L':
    case 'l': ok = ch.isLetter(); break;
    case 'A':
    case 'a': ok = ch.isLetterOrNumber(); break;
    case 'C':
    case 'c': ok = ch.isPrint(); break;
    case '0':
    case '9': ok = ch.isDigit(); break;
    case '#': ok = ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-') || ch == QLatin1Char(' '); break;
    default: break;
    }
    if (!ok)
        return false;
    if (s.Case == caseUpper)
        ch = ch.toUpper();
    else if (s.Case == caseLower)
        ch = ch.toLower();
    return true;
}

QString TEditMask::Format(const QString& value) const
{
    if (!IsActive())
        return value;
    QString out(Length(), blank_);
    bool withLiterals = value.size() == Length();
    for (int i = 0; withLiterals && i < Length(); ++i)
        if (IsLiteral(i) && value[i] != slots_[i].Literal)
            withLiterals = false;
    int v = 0;
    for (int i = 0; i < Length(); ++i) {
        if (IsLiteral(i)) {
            out[i] = slots_[i].Literal;
            if (withLiterals)
                ++v;
            continue;
        }
        if (v >= value.size())
            continue;
        QChar ch = value[v++];
        if (ch != blank_ && ch != QLatin1Char(' ') && Accepts(i, ch))
            out[i] = ch;
    }
    return out;
}

QString TEditMask::Value(const QString& editText) const
{
    if (!IsActive())
        return editText;
    QString out;
    for (int i = 0; i < Length(); ++i) {
        if (IsLiteral(i)) {
            if (saveLiterals_)
                out += slots_[i].Literal;
            continue;
        }
        const QChar ch = i < editText.size() ? editText[i] : blank_;
        out += ch == blank_ ? QLatin1Char(' ') : ch;
    }
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

int TEditMask::Type(QString& editText, int pos, QChar ch) const
{
    if (!IsActive())
        return -1;
    while (pos < Length() && IsLiteral(pos))
        ++pos;
    if (pos >= Length() || !Accepts(pos, ch))
        return -1;
    if (editText.size() < Length())
        editText = Format(Value(editText));
    editText[pos] = ch;
    ++pos;
    while (pos < Length() && IsLiteral(pos))
        ++pos;
    return pos;
}

void TEditMask::Clear(QString& editText, int from, int to) const
{
    if (editText.size() < Length())
        editText = Format(Value(editText));
    for (int i = std::max(0, from); i < std::min(to, Length()); ++i)
        if (!IsLiteral(i))
            editText[i] = blank_;
}

int TEditMask::EditableBefore(int pos) const
{
    for (int i = std::min(pos, Length() - 1); i >= 0; --i)
        if (!IsLiteral(i))
            return i;
    return -1;
}

bool TEditMask::IsComplete(const QString& editText) const
{
    for (int i = 0; i < Length(); ++i) {
        const QChar k = slots_[i].Kind;
        if (!k.isNull() && (k.isUpper() || k == QLatin1Char('0')) && (i >= editText.size() || editText[i] == blank_))
            return false;
    }
    return true;
}
