#include <gtest/gtest.h>

#include <QImage>

#include "platform/canvas/Bitmap.h"

namespace {

std::vector<uint8_t> Png(QRgb color, int side = 8)
{
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(color);
    return EncodePng(image);
}

} // namespace

// Decoded pictures are kept by their bytes: the same bytes give the same
// picture, a change made to a decoded picture stays in that copy, and bytes
// that are no picture fail every time.
TEST(DecodePicture, SameBytesSamePictureAndCopiesStayApart)
{
    const std::vector<uint8_t> red = Png(qRgb(255, 0, 0));
    const std::vector<uint8_t> truncated(red.begin(), red.begin() + static_cast<long>(red.size() / 2));
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        bool decodes;
        QRgb pixel;
    };
    const Case cases[] = {
        {"red", red, true, qRgb(255, 0, 0)},
        {"blue, as long as red", Png(qRgb(0, 0, 255)), true, qRgb(0, 0, 255)},
        {"red again, after its copy was painted on", red, true, qRgb(255, 0, 0)},
        {"truncated", truncated, false, 0},
        {"truncated again", truncated, false, 0},
        {"no picture", {'n', 'o', 'n', 'e'}, false, 0},
        {"empty", {}, false, 0},
    };
    for (const Case& c : cases) {
        QImage image;
        ASSERT_EQ(DecodePicture(c.bytes, image), c.decodes) << c.what;
        if (!c.decodes)
            continue;
        EXPECT_EQ(image.size(), QSize(8, 8)) << c.what;
        EXPECT_EQ(image.pixel(3, 3), c.pixel) << c.what;
        image.setPixel(3, 3, qRgb(0, 255, 0));
    }

    // More pictures than are kept: the first ones are decoded afresh, right.
    for (int i = 0; i < 200; ++i) {
        QImage image;
        ASSERT_TRUE(DecodePicture(Png(qRgb(i, 0, 0), 4 + i % 5), image)) << i;
        EXPECT_EQ(image.pixel(1, 1), qRgb(i, 0, 0)) << i;
    }
    QImage image;
    ASSERT_TRUE(DecodePicture(red, image));
    EXPECT_EQ(image.pixel(3, 3), qRgb(255, 0, 0));
}
