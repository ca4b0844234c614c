#include <gtest/gtest.h>

#include "platform/framework/window/WindowPlacement.h"

namespace {

TEST(FormPlacement, CentredWindowsKeepTheirCaptionBarInsideTheAvailableArea)
{
    struct Case {
        TRect area;
        int width, height;
        int frameLeft, frameTop;
        TPoint want;
    } cases[] = {
        // Fits: centred, frame or not.
        {Rect(0, 0, 1280, 1024), 798, 576, 4, 23, {241, 224}},
        {Rect(0, 0, 1280, 1024), 398, 314, 0, 0, {441, 355}},
        // The rights screens on a small display: pinned to the top left with the frame inside.
        {Rect(0, 0, 1280, 1024), 1596, 1152, 4, 23, {4, 23}},
        {Rect(0, 0, 1280, 1024), 1596, 1152, 0, 0, {0, 0}},
        // Too wide only, then too tall only.
        {Rect(0, 0, 1280, 1024), 1596, 600, 4, 23, {4, 212}},
        {Rect(0, 0, 1280, 1024), 800, 1152, 4, 23, {240, 23}},
        // A task bar on the left and top: the area's own edges count, not the screen's.
        {Rect(60, 30, 1280, 1024), 1596, 1152, 4, 23, {64, 53}},
        {Rect(60, 30, 1280, 1024), 600, 400, 4, 23, {370, 327}},
        // A second monitor right of the first.
        {Rect(1920, 0, 3200, 1024), 1596, 1152, 4, 23, {1924, 23}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " in " << c.area.Left << "," << c.area.Top);
        const TPoint at = CenteredClientPos(c.area, c.width, c.height, c.frameLeft, c.frameTop);
        EXPECT_EQ(at.X, c.want.X);
        EXPECT_EQ(at.Y, c.want.Y);
    }
}

} // namespace
