#include "platform/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/Object.h"

namespace {

const char* const kGbk = "GBK";

} // namespace

QByteArray TCodePage::ToGbk(const QString& text)
{
    if (text.isEmpty())
        return {};
    QStringEncoder encoder(kGbk, QStringConverter::Flag::Default);
    if (!encoder.isValid())
        throw Exception("the GBK code page is not available on this system");
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

QString TCodePage::FromGbk(const char* bytes, int size)
{
    if (size <= 0)
        return {};
    QStringDecoder decoder(kGbk, QStringConverter::Flag::Default);
    if (!decoder.isValid())
        throw Exception("the GBK code page is not available on this system");
    return decoder.decode(QByteArrayView(bytes, size));
}
