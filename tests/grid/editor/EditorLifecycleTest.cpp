#include <cstdint>
#include <utility>

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "EditorTestGrid.h"
#include "grid/editor/AutoComplete.h"
#include "grid/editor/PopupListBox.h"
#include "platform/controls/edit/Edit.h"
#include "platform/base/TickCount.h"
#include "grid/core/GridEditing.h"

namespace {

class EditorLifecycle : public ::testing::Test, public EditorFixtureBase {
protected:
    TInplaceEdit* Ed() const { return grid->Editor(); }
    void ClickCell(int col, int row)
    {
        const TRect r = grid->CellBounds(col, row);
        grid->MouseDown(mbLeft, ssLeft, r.Left + 5, r.Top + 5);
        grid->MouseUp(mbLeft, 0, r.Left + 5, r.Top + 5);
    }
};

TEST_F(EditorLifecycle, AClickOnTheCurrentCellOpensTheEditor)
{
    grid->Text(2, 2) = QStringLiteral("c");
    ClickCell(2, 2);
    EXPECT_FALSE(grid->EditorMode());
    ClickCell(2, 2);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_TRUE(Ed()->Visible());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("c"));
}

TEST_F(EditorLifecycle, FocusLossCommitsAndTheEditorComesBack)
{
    auto* other = new TEdit(form.get());
    other->SetParent(form.get());
    grid->Text(1, 1) = QStringLiteral("a");
    grid->SetEditorMode(true);
    Ed()->SendChar(QLatin1Char('b'));
    form->SetActiveControl(other);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_FALSE(Ed()->Visible());
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("ab"));
    form->SetActiveControl(grid);
    EXPECT_TRUE(Ed()->Visible());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("ab"));

    grid->SetOptionExs(GridOptionEx(goHideEditOnExit));
    form->SetActiveControl(other);
    EXPECT_FALSE(grid->EditorMode());
}

TEST_F(EditorLifecycle, AlwaysShowEditorOpensItOnEveryMove)
{
    grid->SetOptions(grid->Options() | GridOption(goAlwaysShowEditor));
    EXPECT_TRUE(grid->EditorMode());
    grid->Text(3, 1) = QStringLiteral("three");
    grid->FocusCell(3, 1, true);
    ASSERT_TRUE(Ed()->Visible());
    EXPECT_EQ(Ed()->Text(), QStringLiteral("three"));
    // Home with the caret at the start goes to the grid.
    Ed()->SetSel(0, 0);
    Ed()->SendKey(VK_HOME);
    EXPECT_EQ(grid->Current(), (TGridCoord{1, 1}));
    // Row select leaves no room for an editor.
    grid->SetOptions(grid->Options() | GridOption(goRowSelect));
    EXPECT_FALSE(grid->Options() & GridOption(goAlwaysShowEditor));
}

TEST_F(EditorLifecycle, APressOutsideClosesTheDropDown)
{
    grid->styles[1] = esDropDownList;
    grid->list = {QStringLiteral("x"), QStringLiteral("y")};
    grid->SetEditorMode(true);
    Ed()->DropDown();
    ASSERT_TRUE(Ed()->ListVisible());
    // A press inside the list keeps it.
    QWidget* list = Ed()->ListBox()->Widget();
    QMouseEvent inside(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(list->mapToGlobal(QPoint(2, 2))),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &inside);
    EXPECT_TRUE(Ed()->ListVisible());
    QWidget* outside = form->Widget();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(outside->mapToGlobal(QPoint(1, 1))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(outside, &press);
    EXPECT_FALSE(Ed()->ListVisible());
    EXPECT_TRUE(grid->EditorMode());
}

TEST_F(EditorLifecycle, ACancelModeRequestClosesTheDropDown)
{
    grid->styles[1] = esDropDown;
    grid->list = {QStringLiteral("x")};
    grid->SetEditorMode(true);
    Ed()->DropDown();
    grid->Perform(WM_CANCELMODE);
    EXPECT_FALSE(Ed()->ListVisible());
}

TEST(EnumString, FollowsThePlatformsEnumeratorContract)
{
    const QStringList list{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    TEnumString e(&list);
    int resets = 0;
    e.ResetHandler = [&] { ++resets; };
    struct Step {
        int count;
        int answer;
        int fetched;
        int index;
    };
    QStringList got;
    for (const Step& s : {Step{2, 0, 2, 2}, Step{2, 1, 1, 3}, Step{1, 1, 0, 3}}) {
        int fetched = -1;
        EXPECT_EQ(e.Next(s.count, got, fetched), s.answer);
        EXPECT_EQ(fetched, s.fetched);
        EXPECT_EQ(e.Index, s.index);
    }
    EXPECT_EQ(got, list);
    EXPECT_EQ(e.Reset(), 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(e.Skip(2), 0);
    auto clone = e.Clone();
    EXPECT_EQ(static_cast<TEnumString*>(clone.get())->Index, 2);
    EXPECT_EQ(e.Skip(5), 1);
    EXPECT_EQ(e.Index, 0);
}

TEST_F(EditorLifecycle, AutoCompletionAsksTheOwnerAtEveryReset)
{
    int asked = 0;
    grid->OnGetDropDownList = TGridGetDropDownListEvent([&](TObject*, int c, int r, QStringList& items, int&) {
        ++asked;
        items = {QStringLiteral("Beijing"), QStringLiteral("Berlin"), QStringLiteral("Paris")};
    });
    grid->styles[1] = esDropDown;
    grid->SetEditorMode(true);
    TAutoCompleteControl* ac = Ed()->AutoComplete();
    ASSERT_NE(ac, nullptr);
    EXPECT_TRUE(ac->Enabled());
    EXPECT_EQ(ac->Shell()->Suggestions(QStringLiteral("be")),
              (QStringList{QStringLiteral("Beijing"), QStringLiteral("Berlin")}));
    EXPECT_EQ(asked, 1);
    Ed()->SetText(QStringLiteral("Par"));
    Ed()->SetSel(3, 0);
    ac->Shell()->Typed();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("Paris"));
    EXPECT_EQ(Ed()->SelText(), QStringLiteral("is"));
    // Other styles switch it off.
    grid->styles[1] = esSimple;
    grid->CancelEditor();
    grid->SetEditorMode(true);
    EXPECT_FALSE(ac->Enabled());
}

} // namespace

namespace {

class EditorTiming : public ::testing::Test, public EditorFixtureBase {};

TEST_F(EditorTiming, ASecondPressRightAfterTheGridsIsADoubleClick)
{
    // The clock is about to wrap: the gap must still be measured across it.
    uint32_t now = UINT32_MAX - 5;
    SetTickSource([&] { return now; });
    int doubles = 0;
    grid->OnDblClick = TNotifyEvent([&](TObject*) { ++doubles; });
    grid->Text(1, 1) = QStringLiteral("two words");
    EXPECT_EQ(grid->Editing().LastGridClick(), 0u);
    grid->SetEditorMode(true);
    TInplaceEdit* ed = grid->Editor();
    EXPECT_FALSE(ed->PressMakesDoubleClick());
    // The grid's press comes first (it would open the editor), the editor's after it.
    const TRect r = grid->CellBounds(1, 1);
    grid->MouseDown(mbLeft, ssLeft, r.Left + 3, r.Top + 3);
    grid->MouseUp(mbLeft, 0, r.Left + 3, r.Top + 3);
    EXPECT_EQ(grid->Editing().LastGridClick(), UINT32_MAX - 5);
    const uint32_t limit = static_cast<uint32_t>(GetDoubleClickTime());
    for (const auto& [gap, isDouble] : {std::pair{0u, true}, {limit, true}, {limit + 1, false}}) {
        now = UINT32_MAX - 5 + gap;
        EXPECT_EQ(ed->PressMakesDoubleClick(), isDouble) << gap;
    }
    now = UINT32_MAX - 5 + limit;
    ASSERT_TRUE(ed->PressMakesDoubleClick());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QWidget* viewport = static_cast<QAbstractScrollArea*>(ed->Widget())->viewport();
    QApplication::sendEvent(viewport, &press);
    EXPECT_EQ(doubles, 1);
}

TEST_F(EditorTiming, ANestedHideQueryAnswersNo)
{
    bool nested = true;
    grid->OnQueryEditHide = TGridQueryEditHideEvent([&](TObject*, int, int, const QString&, bool&) {
        nested = grid->CanHideEditor();
    });
    EXPECT_TRUE(grid->CanHideEditor());
    EXPECT_FALSE(nested);
    EXPECT_FALSE(grid->Editing().HideQueryActive());
}

TEST_F(EditorTiming, TheEditorTakesTheGridsNewFont)
{
    grid->SetEditorMode(true);
    grid->Font().SetHeight(-20);
    EXPECT_EQ(grid->Editor()->Font().Height(), -20);
}

} // namespace
