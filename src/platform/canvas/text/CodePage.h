#pragma once

// Text in the Chinese 8-bit code page (GBK), as stored definitions and byte
// streams of the screens hold it. The conversion goes through the platform's
// converter; characters GBK cannot hold become '?'.

#include <QByteArray>
#include <QString>

class TCodePage {
public:
    static QByteArray ToGbk(const QString& text);
    // Malformed sequences decode to the replacement character, never fail.
    static QString FromGbk(const char* bytes, int size);
    static QString FromGbk(const QByteArray& bytes) { return FromGbk(bytes.constData(), int(bytes.size())); }
};
