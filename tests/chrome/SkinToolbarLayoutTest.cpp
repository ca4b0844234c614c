#include <gtest/gtest.h>

#include "chrome/toolbars/SkinToolbarLayout.h"

using namespace SkinToolbarLayout;

namespace {

ButtonContent Content(int tw, int th, bool image = true)
{
    ButtonContent c;
    c.text = {tw, th};
    c.hasText = tw > 0;
    c.hasImage = image;
    c.image = image ? TSize{16, 16} : TSize{};
    return c;
}

} // namespace

TEST(SkinToolbarLayout, ButtonsWithPictureAndCaptionAreTwPlus27By22)
{
    struct Case {
        int tw, th;
        TSize expected;
    };
    const Case cases[] = {
        {24, 12, {51, 22}}, {48, 16, {75, 22}}, {0, 12, {27, 22}}, {24, 17, {51, 23}}, {10, 30, {37, 36}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ButtonSize(Content(c.tw, c.th), nbdmImageAndText), c.expected) << c.tw << "x" << c.th;
}

TEST(SkinToolbarLayout, OtherDisplayModesShowPictureOrCaption)
{
    EXPECT_EQ(ButtonSize(Content(24, 12), nbdmDefault), (TSize{23, 22}));
    EXPECT_EQ(ButtonSize(Content(24, 12), nbdmTextOnly), (TSize{31, 22}));
    EXPECT_EQ(ButtonSize(Content(24, 12, false), nbdmDefault), (TSize{31, 18}));
    EXPECT_EQ(ButtonSize(Content(24, 12, false), nbdmImageAndText), (TSize{31, 18}));
    EXPECT_FALSE(ShowsText(Content(24, 12), nbdmTextOnlyInMenus));
}

TEST(SkinToolbarLayout, PictureSitsLeftOfTheCaption)
{
    const TRect button = Bounds(10, 2, 51, 22);
    EXPECT_EQ(ImageRect(button, {16, 16}), Bounds(13, 5, 16, 16));
    EXPECT_EQ(TextRect(button, {16, 16}, true), (TRect{33, 2, 57, 24}));
    EXPECT_EQ(TextRect(button, {16, 16}, false), (TRect{13, 2, 57, 24}));
}

TEST(SkinToolbarLayout, ItemsRunInOrderAndHiddenOnesTakeNoSpace)
{
    std::vector<Item> items(5);
    items[0].size = {51, 22};
    items[1].separator = true;
    items[2].size = {80, 22};
    items[2].visible = false;
    items[3].size = {40, 24};
    items[4].separator = true;
    items[4].separatorSize = 10;
    const Result r = Arrange(items, {2, 2, 2, 2}, 6, true);
    EXPECT_EQ(r.rects[0], Bounds(2, 2, 51, 24)); // every item takes the row's height
    EXPECT_EQ(r.rects[1], Bounds(53, 2, 6, 24));
    EXPECT_TRUE(r.rects[2].IsEmpty());
    EXPECT_EQ(r.rects[3], Bounds(59, 2, 40, 24));
    EXPECT_EQ(r.rects[4], Bounds(99, 2, 10, 24));
    EXPECT_EQ(r.content, (TSize{111, 28}));

    const Result v = Arrange(items, {2, 2, 2, 2}, 6, false);
    EXPECT_EQ(v.rects[0], Bounds(2, 2, 51, 22));
    EXPECT_EQ(v.rects[1], Bounds(2, 24, 51, 6));
    EXPECT_EQ(v.content, (TSize{55, 66}));

    EXPECT_EQ(Arrange({}, {2, 2, 2, 2}, 6, true).content, (TSize{4, 26}));
}
