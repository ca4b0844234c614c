#include <set>

#include <gtest/gtest.h>

#include <QImage>

#include "platform/framework/actions/ImageList.h"

namespace {

// Every picture draws something and no two are the same.
void ExpectDistinctPictures(const TImageList& list)
{
    std::set<QByteArray> seen;
    for (int i = 0; i < list.Count(); ++i) {
        const QImage& img = list.Image(i);
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) == 255;
        EXPECT_GT(opaque, 40) << "picture " << i;
        const QByteArray bytes(reinterpret_cast<const char*>(img.constBits()), static_cast<int>(img.sizeInBytes()));
        EXPECT_TRUE(seen.insert(bytes).second) << "picture " << i << " repeats an earlier one";
    }
}

} // namespace

TEST(ImageListPictures, TheCommandAndTreePictureStripsLoad)
{
    TImageList funcs(nullptr);
    funcs.SetStrip(QImage(QStringLiteral(":/images/imlFuncs.png")));
    EXPECT_EQ(funcs.Count(), 22);
    ExpectDistinctPictures(funcs);

    TImageList tree(nullptr);
    tree.SetStrip(QImage(QStringLiteral(":/images/ImageList1.png")));
    EXPECT_EQ(tree.Count(), 4);
    ExpectDistinctPictures(tree);
}
