#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QWidget>

#include "ChartTestUtil.h"
#include "orgchart/OcInplaceEdit.h"
#include "platform/framework/Form.h"
#include "support/Controls.h"
#include "support/Input.h"

// Through the window layer, as a user's clicks and keys arrive.
TEST(OrgChartWindow, ClicksAndKeysReachTheChart)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* chart = Make<TestChart>(&form, &form, 0, 0, 400, 300);
    TOcNode* top = chart->Tree().Add(nullptr);
    TOcNode* a = chart->Tree().Add(top);
    TOcNode* b = chart->Tree().Add(top);
    top->Expand(false);
    form.Show();
    const TRect box = chart->NodeShapeRect(b);
    const int x = box.Left + 10, y = box.Top + 10;
    ClickAt(chart, x, y);
    EXPECT_EQ(chart->Tree().Selected(), b);
    EXPECT_TRUE(chart->Focused());
    SendKey(chart, Qt::Key_Left);
    EXPECT_EQ(chart->Tree().Selected(), a);
    SendKey(chart, Qt::Key_F2);
    ASSERT_TRUE(chart->Editing());
    SendKey(chart->Editor(), Qt::Key_Escape);
    EXPECT_FALSE(chart->Editing());
    form.Hide();
}

namespace {

struct ShownChart {
    ShownChart()
    {
        form.SetBounds(0, 0, 400, 300);
        chart = Make<TestChart>(&form, &form, 0, 0, 400, 300);
        top = chart->Tree().Add(nullptr);
        top->SetText(QStringLiteral("0.土木公司"));
        chart->Tree().Add(top)->SetText(QStringLiteral("A"));
        form.Show();
        form.Widget()->activateWindow();
        QApplication::processEvents();
        chart->Tree().SetSelected(top);
        chart->SetFocus();
    }
    ~ShownChart() { form.Hide(); }
    TForm form{nullptr};
    TestChart* chart;
    TOcNode* top;
};

} // namespace

TEST(OrgChartWindow, PlusAndMinusFromAnyKeyOrAnInputMethodExpandAndCollapse)
{
    ShownChart s;
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        const char* text;
        bool expanded;
    };
    const Case cases[] = {
        {Qt::Key_Plus, Qt::ShiftModifier, "+", true},
        {Qt::Key_Minus, Qt::NoModifier, "-", false},
        {Qt::Key_Plus, Qt::KeypadModifier, "+", true},
        {Qt::Key_Minus, Qt::KeypadModifier, "-", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + (c.mods & Qt::KeypadModifier ? " keypad" : ""));
        SendKey(s.chart, c.key, c.mods, QEvent::KeyPress, QString::fromLatin1(c.text));
        EXPECT_EQ(s.top->Expanded(), c.expanded);
    }
    SendInputMethod(s.chart, QString(), QStringLiteral("+"));
    EXPECT_TRUE(s.top->Expanded());
}

TEST(OrgChartWindow, TheEditorKeepsEveryChangeOfItsTextAndCentresIt)
{
    ShownChart s;
    s.chart->SetEditMode(TOcEditMode(emCenter | emVCenter | emWrap));
    SendKey(s.chart, Qt::Key_F2);
    ASSERT_TRUE(s.chart->Editing());
    QWidget* edit = s.chart->Editor()->Widget();

    // Centred and whole: the text's ink is as far from the left edge as from the right.
    const QImage picture = edit->grab().toImage();
    int left = picture.width(), right = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0);
    EXPECT_GT(left, 0);
    EXPECT_NEAR(left, picture.width() - 1 - right, 3);

    // Text from an input method counts as a change: F2 keeps it.
    SendKey(edit, Qt::Key_A, Qt::ControlModifier, QEvent::KeyPress, QStringLiteral("\x01"));
    SendInputMethod(edit, QStringLiteral("ceshi"));
    SendInputMethod(edit, QString(), QStringLiteral("测试"));
    EXPECT_TRUE(s.chart->Editor()->Modified());
    SendKey(edit, Qt::Key_F2);
    EXPECT_FALSE(s.chart->Editing());
    EXPECT_EQ(s.top->Text(), QStringLiteral("测试"));

    // So does a paste.
    QApplication::clipboard()->setText(QStringLiteral("粘贴"));
    SendKey(s.chart, Qt::Key_F2);
    SendKey(edit, Qt::Key_End);
    SendKey(edit, Qt::Key_V, Qt::ControlModifier, QEvent::KeyPress, QStringLiteral("\x16"));
    SendKey(edit, Qt::Key_F2);
    EXPECT_EQ(s.top->Text(), QStringLiteral("测试粘贴"));
}
