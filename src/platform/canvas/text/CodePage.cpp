#include "platform/canvas/text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include "platform/base/Object.h"

namespace {

const char* const kGbk = "GBK";

} // namespace

QByteArray TCodePage::ToGbk(const QString& text)
{
    if (text.isEmpty())
        return {};
    // Making a converter costs far more than a short text; keep one per thread
    // (outside the context on purpose: see AppContext.h).
    thread_local QStringEncoder encoder(kGbk, QStringConverter::Flag::Default);
    if (!encoder.isValid())
        throw Exception("the GBK code page is not available on this system");
    encoder.resetState();
    QByteArray bytes = encoder.encode(text);
    return bytes;
}

QString TCodePage::FromGbk(const char* bytes, int size)
{
    if (size <= 0)
        return {};
    thread_local QStringDecoder decoder(kGbk, QStringConverter::Flag::Default);
    if (!decoder.isValid())
        throw Exception("the GBK code page is not available on this system");
    decoder.resetState();
    QString text = decoder.decode(QByteArrayView(bytes, size));
    return text;
}
