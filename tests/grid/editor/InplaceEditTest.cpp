#include <gtest/gtest.h>

#include "EditorTestGrid.h"
#include "grid/editor/GridEditorFactory.h"
#include "grid/core/GridEditing.h"

namespace {

class InplaceEdit : public ::testing::Test, public EditorFixtureBase {
protected:
    TInplaceEdit* Ed() const { return grid->Editor(); }
    void Open(int col, int row, const QString& text = {})
    {
        grid->Text(col, row) = text;
        grid->FocusCell(col, row, true);
        Key(VK_F2);
    }
    void Key(Word key, TShiftState shift = 0) { grid->KeyDown(key, shift); }
    std::string Log() const
    {
        std::string s;
        for (const std::string& e : grid->log)
            s += (s.empty() ? "" : "; ") + e;
        return s;
    }
};

TEST_F(InplaceEdit, F2OpensTheEditorOverTheCellWithTheCaretAtTheEnd)
{
    Open(2, 3, QStringLiteral("abc"));
    ASSERT_NE(Ed(), nullptr);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(Ed()->Visible());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("abc"));
    EXPECT_EQ(Ed()->SelStart(), 3);
    EXPECT_EQ(Ed()->SelLength(), 0);
    EXPECT_EQ(Ed()->BoundsRect(), grid->CellBounds(2, 3));
    EXPECT_EQ(grid->Editing().EditCol(), 2);
    EXPECT_EQ(grid->Editing().EditRow(), 3);
    // No button: the text uses the whole cell but the 2-pixel margins.
    EXPECT_EQ(Ed()->FormattingRect(), (TRect{2, 2, Ed()->Width() - 2, Ed()->Height()}));
    EXPECT_EQ(Log(), "mode on");
}

TEST_F(InplaceEdit, TypedTextIsWrittenBackWhenTheCellIsLeft)
{
    Open(1, 1, QStringLiteral("old"));
    Ed()->SendChar(QLatin1Char('x'));
    EXPECT_EQ(Ed()->Text(), QStringLiteral("oldx"));
    Ed()->SendKey(VK_DOWN);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_FALSE(Ed()->Visible());
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("oldx"));
    EXPECT_EQ(grid->Editing().EditCol(), -1);
    EXPECT_EQ(Log(), "mode on; set 1,1=oldx; mode off");
}

TEST_F(InplaceEdit, ACharacterOnTheGridOpensTheEditorAndReplacesTheText)
{
    grid->Text(1, 1) = QStringLiteral("old");
    QChar ch('n');
    grid->KeyPress(ch);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("n"));
}

TEST_F(InplaceEdit, EscapeCancelsWithoutWritingBack)
{
    Open(1, 1, QStringLiteral("keep"));
    Ed()->SendChar(QLatin1Char('z'));
    Ed()->SendKey(VK_ESCAPE);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("keep"));
    EXPECT_EQ(Log(), "mode on; mode off");
    // The next opening loads the cell again.
    Key(VK_F2);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("keep"));
}

TEST_F(InplaceEdit, EnterTogglesBetweenCaretAtEndAndAllSelected)
{
    Open(1, 1, QStringLiteral("text"));
    Ed()->SelectAll();
    Ed()->SendKey(VK_RETURN);
    EXPECT_EQ(Ed()->SelStart(), 4);
    EXPECT_EQ(Ed()->SelLength(), 0);
    Ed()->SendKey(VK_RETURN);
    EXPECT_EQ(Ed()->SelStart(), 0);
    EXPECT_EQ(Ed()->SelLength(), 4);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("text"));
}

TEST_F(InplaceEdit, EnterAsTabMovesOnAndCommits)
{
    grid->SetOptionExs(GridOptionEx(goReturnKeyAsTab));
    Open(1, 1, QStringLiteral("a"));
    Ed()->SendChar(QLatin1Char('b'));
    Ed()->SendKey(VK_RETURN);
    EXPECT_EQ(grid->Current(), (TGridCoord{2, 1}));
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("ab"));
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(InplaceEdit, CtrlEnterInsertsALineBreakOrClicksTheButton)
{
    grid->styles[2] = esEllipsis;
    struct Case {
        int col;
        QString text;
        std::string log;
    };
    const Case cases[] = {{1, QStringLiteral("ab\r\n"), "mode on"}, {2, QStringLiteral("ab"), "mode on; button 2,1"}};
    for (const Case& c : cases) {
        grid->log.clear();
        Open(c.col, 1, QStringLiteral("ab"));
        Ed()->SetSel(2, 0);
        Ed()->SendKey(VK_RETURN, ssCtrl);
        EXPECT_EQ(Ed()->Text(), c.text) << c.col;
        EXPECT_EQ(Log(), c.log) << c.col;
        Ed()->SendKey(VK_ESCAPE);
    }
}

TEST_F(InplaceEdit, ARefusedHideKeepsTheEditorAndTheCell)
{
    bool allow = false;
    grid->OnQueryEditHide = TGridQueryEditHideEvent([&](TObject*, int, int, const QString& text, bool& canHide) {
        canHide = allow;
        grid->log.push_back("query " + text.toStdString());
    });
    Open(1, 1, QStringLiteral("v"));
    Ed()->SendKey(VK_DOWN);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_TRUE(Ed()->Visible());
    allow = true;
    Ed()->SendKey(VK_DOWN);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 2}));
    EXPECT_EQ(Log(), "mode on; query v; query v; set 1,1=v; mode off");
}

TEST_F(InplaceEdit, ACellThatCannotBeModifiedDropsEditing)
{
    grid->limit = -1;
    Open(1, 1, QStringLiteral("fixed"));
    EXPECT_FALSE(grid->Editing().CanModify());
    for (Word key : {Word(VK_DELETE), Word(VK_BACK)})
        Ed()->SendKey(key);
    Ed()->SendChar(QLatin1Char('q'));
    EXPECT_EQ(Ed()->Text(), QStringLiteral("fixed"));
}

TEST_F(InplaceEdit, ReadOnlyStylesIgnoreTyping)
{
    for (TEditStyle style : {esDropDownList, esEllipsisReadOnly, esColorList, esDropDownWindow}) {
        grid->styles[1] = style;
        Open(1, 1, QStringLiteral("12"));
        Ed()->SendChar(QLatin1Char('7'));
        EXPECT_EQ(Ed()->Text(), QStringLiteral("12")) << int(style);
        EXPECT_TRUE(Ed()->ReadOnly());
        Ed()->SendKey(VK_ESCAPE);
    }
}

TEST_F(InplaceEdit, ButtonStylesReserveTheButtonAndEllipsisReportsAClick)
{
    grid->styles[1] = esEllipsis;
    Open(1, 1);
    const TRect b = Ed()->ButtonRect();
    EXPECT_EQ(b, (TRect{Ed()->Width() - 17, 0, Ed()->Width(), Ed()->Height()}));
    EXPECT_EQ(Ed()->FormattingRect().Right, Ed()->Width() - 2 - 17);
    const int x = b.Left + 3, y = 3;
    Ed()->MouseDown(mbLeft, ssLeft, x, y);
    EXPECT_TRUE(Ed()->Tracking());
    EXPECT_TRUE(Ed()->ButtonPressed());
    // Leaving the button releases its pressed look; a release outside clicks nothing.
    Ed()->MouseMove(ssLeft, 1, 1);
    EXPECT_FALSE(Ed()->ButtonPressed());
    Ed()->MouseUp(mbLeft, 0, 1, 1);
    EXPECT_EQ(Log(), "mode on");
    Ed()->MouseDown(mbLeft, ssLeft, x, y);
    Ed()->MouseUp(mbLeft, 0, x, y);
    EXPECT_FALSE(Ed()->Tracking());
    EXPECT_EQ(Log(), "mode on; button 1,1");
}

TEST_F(InplaceEdit, TheEditorFollowsTheView)
{
    Open(1, 2, QStringLiteral("s"));
    const TRect before = Ed()->BoundsRect();
    grid->SetTopLeft(1, 2);
    EXPECT_EQ(Ed()->BoundsRect(), grid->CellBounds(1, 2));
    EXPECT_NE(Ed()->BoundsRect(), before);
}

TEST_F(InplaceEdit, CustomWithoutAFactoryEditorFallsBackToSimple)
{
    grid->styles[1] = esCustom;
    Open(1, 1);
    EXPECT_EQ(Ed()->EditStyle(), esSimple);
}

class FakeCustomEditor : public TGridCustomEditor {
public:
    explicit FakeCustomEditor(int col) : col_(col), popup(nullptr) { popup.SetBounds(0, 0, 50, 40); }
    bool Accepts(int col, int) override { return col == col_; }
    void Attach(TInplaceEdit* editor) override { attached = editor; }
    TControl* PopupControl() override { return &popup; }
    void Prepare(int col, int row) override { prepared = {col, row}; }
    void GetValue(QString& text) override { text = QStringLiteral("custom"); }
    int col_;
    TCustomControl popup;
    TInplaceEdit* attached = nullptr;
    TGridCoord prepared{-1, -1};
};

TEST_F(InplaceEdit, TheFactoryGivesTheFirstAcceptingEditor)
{
    FakeCustomEditor three(3), four(4), alsoThree(3);
    grid->Editing().Factory().Register(&three);
    grid->Editing().Factory().Register(&four);
    grid->Editing().Factory().Register(&alsoThree);
    EXPECT_EQ(grid->Editing().Factory().GetEditor(3, 1), &three);
    EXPECT_EQ(grid->Editing().Factory().GetEditor(4, 1), &four);
    EXPECT_EQ(grid->Editing().Factory().GetEditor(2, 1), nullptr);

    Open(3, 2, QStringLiteral("x"));
    EXPECT_EQ(Ed()->EditStyle(), esCustom);
    EXPECT_EQ(three.attached, Ed());
    EXPECT_EQ(Ed()->ActivePopup(), &three.popup);
    Ed()->SendKey(VK_DOWN, ssAlt);
    EXPECT_TRUE(Ed()->ListVisible());
    EXPECT_EQ(three.prepared, (TGridCoord{3, 2}));
    Ed()->SendKey(VK_RETURN);
    EXPECT_FALSE(Ed()->ListVisible());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("custom"));
    grid->Editing().Factory().Unregister(&three);
    grid->Editing().Factory().Unregister(&four);
    grid->Editing().Factory().Unregister(&alsoThree);
}

TEST_F(InplaceEdit, DestroyingTheGridWithAnOpenPopupLeavesNothingBehind)
{
    grid->styles[1] = esDropDownList;
    grid->list = {QStringLiteral("a"), QStringLiteral("b")};
    Open(1, 1);
    Ed()->SendKey(VK_DOWN, ssAlt);
    ASSERT_TRUE(Ed()->ListVisible());
    form.reset();
    SUCCEED();
}

} // namespace
