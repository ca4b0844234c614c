#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include "platform/canvas/pictures/SignaturePicture.h"

namespace {

QByteArray Encoded(int w, int h, const char* format, int quality = -1)
{
    QImage image(w, h, QImage::Format_RGB32);
    // Noise, so that a large picture does not compress below the size limit.
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 7919 + y * 104729) & 255, (x * y) & 255, (x ^ y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

} // namespace

TEST(SignaturePicture, OnlySmallPngJpegAndBmpPicturesPass)
{
    const QByteArray png = Encoded(200, 80, "PNG");
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* problem; // empty: accepted
    } cases[] = {
        {"png", png, ""},
        {"jpeg", Encoded(200, 80, "JPEG"), ""},
        {"bmp", Encoded(200, 80, "BMP"), ""},
        {"largest side", Encoded(2000, 1, "PNG"), ""},
        {"too wide", Encoded(2001, 1, "PNG"), "2000 × 2000"},
        {"too tall", Encoded(1, 2001, "BMP"), "2000 × 2000"},
        {"over 1 MB", Encoded(700, 700, "BMP"), "larger than 1 MB"},
        {"gif", QByteArray("GIF89a\x01\x00\x01\x00\x00\x00\x00;", 14), "not a PNG, JPEG or BMP"},
        {"ppm", Encoded(4, 4, "PPM"), "not a PNG, JPEG or BMP"},
        {"text", QByteArray("hello"), "not a PNG, JPEG or BMP"},
        {"empty", QByteArray(), "empty"},
        {"truncated png", png.left(png.size() / 2), "cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString problem = CheckSignaturePicture(c.bytes);
        if (*c.problem)
            EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << problem.toStdString();
        else
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    }
}
