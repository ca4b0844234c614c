#include <gtest/gtest.h>

#include <QImage>

#include "platform/framework/actions/ImageList.h"
#include "platform/framework/actions/ImageListLink.h"

TEST(ImageListLink, FollowsChangesAndLetsGoOfADestroyedList)
{
    int changes = 0;
    TImageListLink link([&] { ++changes; });
    auto* images = new TImageList(nullptr);
    EXPECT_TRUE(link.Set(images));
    EXPECT_FALSE(link.Set(images)); // already referenced
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    images->Add(picture);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(link->Count(), 1);

    delete images;
    EXPECT_EQ(link.Get(), nullptr);
    EXPECT_EQ(changes, 2);

    TImageList other(nullptr);
    link.Set(&other);
    link.Set(nullptr); // no longer listening
    other.Add(picture);
    EXPECT_EQ(changes, 2);
}
