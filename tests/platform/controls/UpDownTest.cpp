#include <gtest/gtest.h>

#include "platform/controls/UpDown.h"

namespace {

TEST(UpDown, StepsStayInRangeAndAskFirst)
{
    TCustomUpDown ud(nullptr);
    EXPECT_ANY_THROW(ud.SetRange(5, 1));
    ud.SetRange(-2, 2);
    ud.SetPosition(9);
    EXPECT_EQ(ud.Position(), 2);
    std::vector<int> clicks;
    bool allow = true;
    ud.OnChanging = TUDChangingEvent([&](TObject*, bool& a) { a = allow; });
    ud.OnClick = TUDClickEvent([&](TObject*, TUDBtnType b) { clicks.push_back(b); });
    ud.Step(btNext); // already at the top: nothing
    ud.Step(btPrev);
    allow = false;
    ud.Step(btPrev);
    EXPECT_EQ(ud.Position(), 1);
    allow = true;
    // The upper half steps up, the lower half down.
    ud.SetBounds(0, 0, 17, 20);
    ud.MouseDown(mbLeft, ssLeft, 5, 15);
    EXPECT_EQ(ud.PressedButton(), btPrev);
    ud.MouseUp(mbLeft, 0, 5, 15);
    EXPECT_EQ(ud.PressedButton(), -1);
    ud.MouseDown(mbLeft, ssLeft, 5, 3);
    ud.MouseUp(mbLeft, 0, 5, 3);
    EXPECT_EQ(ud.Position(), 1);
    EXPECT_EQ(clicks, (std::vector<int>{btPrev, btPrev, btNext}));
}

} // namespace
