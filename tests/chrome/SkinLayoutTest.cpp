#include <climits>

#include <gtest/gtest.h>

#include "chrome/checkboxes/SkinTextObject.h"
#include "platform/canvas/CanvasTypes.h"

using namespace SkinLayout;

TEST(SkinLayout, TextStartsTwentyOnePixelsFromTheBoxSide)
{
    const TRect client{0, 0, 100, 17};
    const TRect left = Deflate(client, BoxTextMargins(false));
    EXPECT_EQ(left, (TRect{21, 2, 98, 15}));
    const TRect right = Deflate(client, BoxTextMargins(true));
    EXPECT_EQ(right, (TRect{2, 2, 79, 15}));
    // Margins come off before the text margins.
    const TRect inner = Deflate(client, TRect{3, 1, 4, 1});
    EXPECT_EQ(Deflate(inner, BoxTextMargins(false)).Left, 24);
}

TEST(SkinLayout, BoxIsThirteenSquareOnItsSideAndCentredWithTheExtraPixelBelow)
{
    EXPECT_EQ(BoxRect({0, 0, 100, 17}, false), (TRect{0, 2, 13, 15}));
    EXPECT_EQ(BoxRect({0, 0, 100, 17}, true), (TRect{87, 2, 100, 15}));
    // (top + bottom - 13 + 1) div 2: an even free height puts the odd pixel above.
    EXPECT_EQ(BoxRect({5, 0, 50, 18}, false), (TRect{5, 3, 18, 16}));
    EXPECT_EQ(BoxRect({0, 0, 100, 40}, false).Top, 14);
}

TEST(SkinLayout, AutomaticHeightIsTextPlusMarginsAndAtLeastSeventeen)
{
    const TRect tm = BoxTextMargins(false);
    EXPECT_EQ(AutoHeight(12, tm, {}, MinBoxHeight), 17);
    EXPECT_EQ(AutoHeight(13, tm, {}, MinBoxHeight), 17);
    EXPECT_EQ(AutoHeight(14, tm, {}, MinBoxHeight), 18);
    EXPECT_EQ(AutoHeight(26, tm, {0, 3, 0, 4}, MinBoxHeight), 37);
    EXPECT_EQ(AutoHeight(12, {}, {}, 0), 12);
    // Absurd margins neither wrap around nor leave the window coordinate range.
    EXPECT_EQ(AutoHeight(12, tm, {0, INT_MAX, 0, INT_MAX}, MinBoxHeight), 32767);
    EXPECT_EQ(AutoHeight(12, tm, {0, INT_MIN, 0, INT_MIN}, MinBoxHeight), 17);
}

TEST(SkinLayout, TextIsCentredVertically)
{
    EXPECT_EQ(CenterVertically({21, 2, 98, 15}, 12), (TRect{21, 2, 98, 14}));
    EXPECT_EQ(CenterVertically({21, 2, 98, 15}, 9), (TRect{21, 4, 98, 13}));
    EXPECT_EQ(CenterVertically({0, 0, 10, 10}, 30).Top, -10);
}

TEST(SkinLayout, FocusFrameAndHitAreaFollowTheMeasuredText)
{
    const TRect inner{0, 0, 100, 17};
    const TRect text{21, 3, 40, 15};
    EXPECT_EQ(FocusRect(inner, text), (TRect{19, 0, 42, 17}));
    EXPECT_EQ(HitRect(inner, text, false), (TRect{0, 0, 42, 17}));
    EXPECT_EQ(HitRect(inner, TRect{60, 3, 79, 15}, true), (TRect{58, 0, 100, 17}));
    EXPECT_EQ(HitRect({2, 1, 98, 16}, text, false), (TRect{2, 1, 42, 16}));
    const TRect wild = HitRect(inner, TRect{0, 0, INT_MAX, 0}, false);
    EXPECT_GT(wild.Right, 0);
}

TEST(SkinLayout, DrawFlagsFromAlignmentWrappingAndAccelerators)
{
    EXPECT_EQ(DrawFlags(taLeftJustify, twNone, true), DT_EXPANDTABS | DT_SINGLELINE);
    EXPECT_EQ(DrawFlags(taRightJustify, twEndEllipsis, true), DT_EXPANDTABS | DT_RIGHT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(DrawFlags(taLeftJustify, twPathEllipsis, false),
              DT_EXPANDTABS | DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_NOPREFIX);
    EXPECT_EQ(DrawFlags(taLeftJustify, twWrap, true), DT_EXPANDTABS | DT_WORDBREAK);
    // Right-to-left reading mirrors the alignment.
    EXPECT_EQ(DrawFlags(taRightJustify, twNone, true, true), DT_EXPANDTABS | DT_RTLREADING | DT_SINGLELINE);
    EXPECT_EQ(DrawFlags(taLeftJustify, twNone, true, true),
              DT_EXPANDTABS | DT_RIGHT | DT_RTLREADING | DT_SINGLELINE);
}
