#include <gtest/gtest.h>

#include "ChartTestUtil.h"
#include "orgchart/OcInplaceEdit.h"
#include "platform/Form.h"
#include "support/Controls.h"
#include "support/Input.h"

// Through the window layer, as a user's clicks and keys arrive.
TEST(OrgChartWindow, ClicksAndKeysReachTheChart)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* chart = Make<TestChart>(&form, &form, 0, 0, 400, 300);
    TOcNode* top = chart->Add(nullptr);
    TOcNode* a = chart->Add(top);
    TOcNode* b = chart->Add(top);
    top->Expand(false);
    form.Show();
    const TRect box = chart->NodeShapeRect(b);
    const int x = box.Left + 10, y = box.Top + 10;
    ClickAt(chart, x, y);
    EXPECT_EQ(chart->Selected(), b);
    EXPECT_TRUE(chart->Focused());
    SendKey(chart, Qt::Key_Left);
    EXPECT_EQ(chart->Selected(), a);
    SendKey(chart, Qt::Key_F2);
    ASSERT_TRUE(chart->Editing());
    SendKey(chart->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(chart->Editing());
    form.Hide();
}
