#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ChartTestUtil.h"
#include "orgchart/OcInplaceEdit.h"
#include "platform/Form.h"

namespace {

void Send(TControl* c, QEvent::Type type, int x, int y, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &e);
}

void KeyTo(TControl* c, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &press);
}

} // namespace

// Through the window layer, as a user's clicks and keys arrive.
TEST(OrgChartWindow, ClicksAndKeysReachTheChart)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* chart = new TestChart(&form);
    chart->SetParent(&form);
    chart->SetBounds(0, 0, 400, 300);
    TOcNode* top = chart->Add(nullptr);
    TOcNode* a = chart->Add(top);
    TOcNode* b = chart->Add(top);
    top->Expand(false);
    form.Show();
    const TRect box = chart->NodeShapeRect(b);
    const int x = box.Left + 10, y = box.Top + 10;
    Send(chart, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
    Send(chart, QEvent::MouseButtonRelease, x, y, Qt::NoButton);
    EXPECT_EQ(chart->Selected(), b);
    EXPECT_TRUE(chart->Focused());
    KeyTo(chart, Qt::Key_Left);
    EXPECT_EQ(chart->Selected(), a);
    KeyTo(chart, Qt::Key_F2);
    ASSERT_TRUE(chart->Editing());
    KeyTo(chart->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(chart->Editing());
    form.Hide();
}
