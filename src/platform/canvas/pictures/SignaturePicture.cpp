#include "platform/canvas/pictures/SignaturePicture.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

QString CheckSignaturePicture(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QStringLiteral("The picture is empty.");
    if (bytes.size() > MaxSignatureBytes)
        return QStringLiteral("The picture is larger than 1 MB.");
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format().toLower();
    if (format != "png" && format != "jpeg" && format != "jpg" && format != "bmp")
        return QStringLiteral("The picture is not a PNG, JPEG or BMP file.");
    // The size the header claims is checked before decoding, so that a small
    // file that unpacks to a huge picture is refused without unpacking it.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxSignatureSide || size.height() > MaxSignatureSide)
        return QStringLiteral("The picture is larger than %1 × %1 pixels.").arg(MaxSignatureSide);
    const QImage image = reader.read();
    if (image.isNull())
        return QStringLiteral("The picture cannot be read: %1").arg(reader.errorString());
    if (image.width() > MaxSignatureSide || image.height() > MaxSignatureSide)
        return QStringLiteral("The picture is larger than %1 × %1 pixels.").arg(MaxSignatureSide);
    return {};
}
