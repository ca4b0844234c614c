#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QWidget>

#include "platform/framework/Form.h"
#include "platform/framework/WinControl.h"
#include "support/Input.h"

namespace {

// A control that records what reaches its key and character phases.
class TypingControl : public TCustomControl {
public:
    explicit TypingControl(TComponent* owner) : TCustomControl(owner)
    {
        OnKeyDown = TKeyEvent([this](TObject*, Word& key, TShiftState) { keys.push_back(key); });
        OnKeyPress = TKeyPressEvent([this](TObject*, QChar& ch) { typed += ch; });
    }
    bool TakesInputMethod() const override { return takesInputMethod; }
    TRect InputCaretRect() override { return {7, 8, 30, 26}; }

    std::vector<Word> keys;
    QString typed;
    bool takesInputMethod = true;
};

class TypedInput : public ::testing::Test {
protected:
    TypedInput()
    {
        form.SetBounds(0, 0, 200, 100);
        control = new TypingControl(&form);
        control->SetParent(&form);
        control->SetTabStop(true);
        control->SetBounds(10, 10, 100, 50);
        form.Show();
        form.SetActiveControl(control);
    }
    TForm form{nullptr};
    TypingControl* control;
};

TEST_F(TypedInput, EveryKeyHasItsCodeAndEveryTypedCharacterReachesTheCharacterPhase)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        const char* text; // UTF-8
        Word code;
        const char* typed;
    };
    const Case cases[] = {
        {Qt::Key_Minus, Qt::NoModifier, "-", VK_OEM_MINUS, "-"},
        {Qt::Key_Period, Qt::NoModifier, ".", VK_OEM_PERIOD, "."},
        {Qt::Key_Comma, Qt::NoModifier, ",", VK_OEM_COMMA, ","},
        {Qt::Key_Plus, Qt::ShiftModifier, "+", VK_OEM_PLUS, "+"},   // Shift+= is the = key
        {Qt::Key_Underscore, Qt::ShiftModifier, "_", VK_OEM_MINUS, "_"},
        {Qt::Key_ParenLeft, Qt::ShiftModifier, "(", '9', "("},
        {Qt::Key_Semicolon, Qt::NoModifier, ";", VK_OEM_1, ";"},
        {Qt::Key_Slash, Qt::NoModifier, "/", VK_OEM_2, "/"},
        {Qt::Key_AsciiTilde, Qt::ShiftModifier, "~", VK_OEM_3, "~"},
        {Qt::Key_BracketLeft, Qt::NoModifier, "[", VK_OEM_4, "["},
        {Qt::Key_Backslash, Qt::NoModifier, "\\", VK_OEM_5, "\\"},
        {Qt::Key_BraceRight, Qt::ShiftModifier, "}", VK_OEM_6, "}"},
        {Qt::Key_Apostrophe, Qt::NoModifier, "'", VK_OEM_7, "'"},
        {Qt::Key_7, Qt::KeypadModifier, "7", VK_NUMPAD0 + 7, "7"},
        {Qt::Key_Plus, Qt::KeypadModifier, "+", VK_ADD, "+"},
        {Qt::Key_Minus, Qt::KeypadModifier, "-", VK_SUBTRACT, "-"},
        {Qt::Key_Asterisk, Qt::KeypadModifier, "*", VK_MULTIPLY, "*"},
        {Qt::Key_Slash, Qt::KeypadModifier, "/", VK_DIVIDE, "/"},
        {Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL, "."},
        {Qt::Key_Eacute, Qt::NoModifier, "é", VK_PACKET, "é"},
        {Qt::Key_unknown, Qt::NoModifier, "测试", VK_PACKET, "测试"}, // each character in order
        {Qt::Key_X, Qt::NoModifier, "x", 'X', "x"},
        {Qt::Key_A, Qt::ControlModifier, "\x01", 'A', ""},            // a control character types nothing
        {Qt::Key_U, Qt::AltModifier, "u", 'U', ""},                   // an accelerator types nothing
        {Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, "€", 'E', "€"}, // AltGr types
        {Qt::Key_F5, Qt::NoModifier, "", VK_F1 + 4, ""},
        {Qt::Key_Menu, Qt::NoModifier, "", VK_APPS, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        control->keys.clear();
        control->typed.clear();
        SendKey(control, c.key, c.mods, QEvent::KeyPress, QString::fromUtf8(c.text));
        ASSERT_EQ(control->keys.size(), 1u);
        EXPECT_EQ(control->keys[0], c.code);
        EXPECT_EQ(control->typed, QString::fromUtf8(c.typed));
    }
}

TEST_F(TypedInput, CommittedInputMethodTextTypesAndTheCandidateWindowSitsAtTheCaret)
{
    ASSERT_TRUE(control->Widget()->testAttribute(Qt::WA_InputMethodEnabled));
    SendInputMethod(control, QStringLiteral("ceshi"));
    EXPECT_EQ(control->typed, QString()); // a pre-edit is no text yet
    SendInputMethod(control, QString(), QStringLiteral("测试"));
    EXPECT_EQ(control->typed, QStringLiteral("测试"));
    EXPECT_TRUE(control->keys.empty());

    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QApplication::sendEvent(control->Widget(), &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
    EXPECT_EQ(query.value(Qt::ImCursorRectangle).toRectF(), QRectF(7, 8, 23, 18));

    // A control that reads no characters leaves input methods off.
    auto* plain = new TypingControl(&form);
    plain->takesInputMethod = false;
    plain->SetParent(&form);
    EXPECT_FALSE(plain->Widget()->testAttribute(Qt::WA_InputMethodEnabled));
}

} // namespace
