#include <stdexcept>

#include <gtest/gtest.h>

#include "EditorTestGrid.h"
#include "grid/editor/PopupListBox.h"

namespace {

// An editor is handed a grid only together with the grid's side for its
// questions; a half attached one would fail at its first question instead.
TEST(EditorAttachment, AGridWithoutItsEditorSideIsRefusedAndTheEditorStaysDetached)
{
    TForm form(nullptr);
    EditorTestGrid grid(&form);
    grid.SetParent(&form);
    TInplaceEdit editor(nullptr);
    EXPECT_THROW(editor.SetGrid(&grid, nullptr), std::invalid_argument);
    EXPECT_EQ(editor.Grid(), nullptr);
    EXPECT_EQ(editor.Parent(), nullptr);
    EXPECT_NO_THROW(editor.SetGrid(nullptr, nullptr));

    // A detached editor answers its own questions with the defaults.
    EXPECT_TRUE(editor.CanModify());
    TListBoxStyle style = lbOwnerDrawFixed;
    int height = 7;
    editor.QueryListStyle(style, height);
    EXPECT_EQ(style, lbOwnerDrawFixed);
    EXPECT_EQ(height, 7);
    TPopupListBox list(&editor);
    EXPECT_EQ(list.Style(), lbStandard);
    EXPECT_EQ(list.ItemHeight(), 18);
}

class EditorQuestions : public ::testing::Test, public EditorFixtureBase {};

// The editor's questions reach the grid's events for the current cell, and the
// grid's own editor is the one the editing shows.
TEST_F(EditorQuestions, TheGridsEditorAsksAboutTheCurrentCell)
{
    grid->Text(3, 4) = QStringLiteral("x");
    std::vector<std::pair<int, int>> asked;
    grid->OnQueryListStyle = TGridQueryListStyleEvent([&](TObject*, int c, int r, TListBoxStyle& style, int& h) {
        asked.emplace_back(c, r);
        style = lbOwnerDrawVariable;
        h = 25;
    });
    grid->FocusCell(3, 4, true);
    grid->SetEditorMode(true);
    TInplaceEdit* editor = grid->Editing().ShownEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor, grid->Editor());
    EXPECT_EQ(editor->Grid(), grid);
    EXPECT_EQ(editor->Text(), QStringLiteral("x"));
    TListBoxStyle style = lbStandard;
    int height = 0;
    editor->QueryListStyle(style, height);
    EXPECT_EQ(style, lbOwnerDrawVariable);
    EXPECT_EQ(height, 25);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 4}}));

    grid->CancelEditor();
    EXPECT_EQ(grid->Editing().ShownEditor(), nullptr);
    EXPECT_EQ(grid->Editing().EditCol(), -1);
}

} // namespace
