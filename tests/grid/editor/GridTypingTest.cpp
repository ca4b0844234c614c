#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodQueryEvent>
#include <QPlainTextEdit>

#include "EditorTestGrid.h"
#include "support/Input.h"

namespace {

// Typing on a cell with no editor open, through the grid's window as the
// keyboard and an input method deliver it.
class GridTyping : public ::testing::Test, public EditorFixtureBase {
protected:
    GridTyping()
    {
        grid->SetOptions(grid->Options() | GridOption(goEditing));
        form->Show();
        // Keyboard focus is real only in the active window.
        form->Widget()->activateWindow();
        QApplication::processEvents();
        form->SetActiveControl(grid);
    }
    TInplaceEdit* Ed() const { return grid->Editor(); }
    QString EditorText() const { return Ed() ? Ed()->Text() : QString(); }
    // Moving on writes the edited text back.
    void Commit() { SendKey(Ed(), Qt::Key_Down); }
};

TEST_F(GridTyping, EveryTypedCharacterOpensTheEditorAndArrivesInOrder)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        const char* text;
    };
    const struct {
        std::vector<Case> keys;
        const char* expected;
    } cases[] = {
        {{{Qt::Key_Minus, {}, "-"}, {Qt::Key_Period, {}, "."}, {Qt::Key_X, {}, "x"}}, "-.x"},
        {{{Qt::Key_unknown, {}, "测试"}}, "测试"},
        {{{Qt::Key_Plus, Qt::ShiftModifier, "+"}, {Qt::Key_3, Qt::KeypadModifier, "3"}}, "+3"},
        {{{Qt::Key_Eacute, {}, "é"}, {Qt::Key_Comma, {}, ","}}, "é,"},
    };
    int row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        grid->MoveCurrent(1, row, true, false, false, true);
        ASSERT_FALSE(grid->EditorMode());
        for (const Case& k : c.keys)
            SendKey(grid->EditorMode() ? static_cast<TControl*>(Ed()) : grid, k.key, k.mods, QEvent::KeyPress,
                    QString::fromUtf8(k.text));
        ASSERT_TRUE(grid->EditorMode());
        EXPECT_EQ(EditorText(), QString::fromUtf8(c.expected));
        Commit();
        EXPECT_EQ(grid->Text(1, row), QString::fromUtf8(c.expected));
        ++row;
    }
}

TEST_F(GridTyping, TheFirstCompositionOpensTheEditorAndTheCommittedTextLandsWhole)
{
    grid->Text(2, 3) = QStringLiteral("old");
    grid->MoveCurrent(2, 3, true, false, false, true);
    ASSERT_TRUE(grid->Widget()->testAttribute(Qt::WA_InputMethodEnabled));
    ASSERT_TRUE(grid->Widget()->hasFocus());

    SendInputMethod(grid, QStringLiteral("c"));
    ASSERT_TRUE(grid->EditorMode());
    // The focus stays on the grid while composing: moving it would end the composition.
    EXPECT_TRUE(grid->Widget()->hasFocus());
    SendInputMethod(grid, QStringLiteral("ce shi"));
    // The candidate window is placed at the cell.
    QInputMethodQueryEvent query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QApplication::sendEvent(grid->Widget(), &query);
    EXPECT_TRUE(query.value(Qt::ImEnabled).toBool());
    const TRect cell = grid->CellBounds(2, 3);
    const QRectF caret = query.value(Qt::ImCursorRectangle).toRectF();
    EXPECT_GE(caret.left(), cell.Left);
    EXPECT_LE(caret.right(), cell.Right + 1);
    EXPECT_GE(caret.top(), cell.Top);
    EXPECT_LE(caret.bottom(), cell.Bottom + 1);

    SendInputMethod(grid, QString(), QStringLiteral("测试"));
    EXPECT_EQ(EditorText(), QStringLiteral("测试")); // the cell's old text was selected and replaced
    EXPECT_TRUE(Ed()->HasKeyboardFocus());
    Commit();
    EXPECT_EQ(grid->Text(2, 3), QStringLiteral("测试"));
}

TEST_F(GridTyping, WhereNoEditorMayOpenCommittedTextTakesTheCharacterPhase)
{
    QString typed;
    grid->OnKeyPress = TKeyPressEvent([&](TObject*, QChar& ch) { typed += ch; });
    grid->SetOptions(grid->Options() & ~GridOption(goEditing));
    SendInputMethod(grid, QStringLiteral("c"));
    EXPECT_FALSE(grid->EditorMode());
    SendInputMethod(grid, QString(), QStringLiteral("测试"));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(typed, QStringLiteral("测试"));
}

} // namespace
