#include <gtest/gtest.h>

#include "EditorTestGrid.h"
#include "grid/editor/PopupListBox.h"
#include "grid/editor/PopupMonthCalendar.h"
#include "grid/editor/PopupPlacement.h"
#include "grid/editor/PopupTreeView.h"
#include "grid/editor/PopupUpDown.h"
#include "platform/controls/dialogs/ColorDialog.h"
#include "platform/controls/PopupMenu.h"

namespace {

class DropDownEdit : public ::testing::Test, public EditorFixtureBase {
protected:
    void TearDown() override
    {
        TPopupListBox::SetClock(nullptr);
        TColorDialog::SetExecuteHook(nullptr);
    }
    TInplaceEdit* Ed() const { return grid->Editor(); }
    void Open(int col, TEditStyle style, const QString& text = {})
    {
        grid->styles[col] = style;
        grid->Text(col, 1) = text;
        grid->FocusCell(col, 1, true);
        Word f2 = VK_F2;
        grid->KeyDown(f2, 0);
    }
    static QStringList Numbered(int n)
    {
        QStringList items;
        for (int i = 0; i < n; ++i)
            items << QStringLiteral("item %1").arg(i);
        return items;
    }
};

TEST_F(DropDownEdit, DropDownListKeysChooseCommitAndEndEditing)
{
    grid->list = {QStringLiteral("apple"), QStringLiteral("banana"), QStringLiteral("cherry")};
    std::vector<std::string> events;
    grid->OnBeforeDropDownListSelected =
        TGridBeforeListSelectedEvent([&](TObject*, int, int, const QStringList& items, QString& item) {
            events.push_back("before " + item.toStdString() + "/" + std::to_string(items.size()));
        });
    grid->OnDropDownListSelected = TGridListSelectedEvent(
        [&](TObject*, int, int, const QString& item) { events.push_back("chosen " + item.toStdString()); });
    Open(1, esDropDownList, QStringLiteral("apple"));
    Ed()->SendChar(QLatin1Char('z'));
    EXPECT_EQ(Ed()->Text(), QStringLiteral("apple"));
    Ed()->SendKey(VK_DOWN, ssAlt);
    ASSERT_TRUE(Ed()->ListVisible());
    auto* list = Ed()->ListBox();
    EXPECT_EQ(list->ItemIndex(), 0); // the editor's text is preselected
    Ed()->SendKey(VK_DOWN);
    EXPECT_EQ(list->ItemIndex(), 1);
    Ed()->SendKey(VK_RETURN);
    EXPECT_FALSE(Ed()->ListVisible());
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("banana"));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(events, (std::vector<std::string>{"before banana/3", "chosen banana"}));
}

TEST_F(DropDownEdit, AltUpClosesAcceptingAndEscapeClosesWithout)
{
    grid->list = {QStringLiteral("one"), QStringLiteral("two")};
    struct Case {
        Word key;
        TShiftState shift;
        QString text;
    };
    for (const Case& c : {Case{VK_UP, ssAlt, QStringLiteral("two")}, Case{VK_ESCAPE, 0, QStringLiteral("one")}}) {
        Open(1, esDropDown, QStringLiteral("one"));
        Ed()->SendKey(VK_DOWN, ssAlt);
        Ed()->SendKey(VK_DOWN);
        Ed()->SendKey(c.key, c.shift);
        EXPECT_FALSE(Ed()->ListVisible());
        EXPECT_EQ(Ed()->Text(), c.text);
        // esDropDown keeps editing after a choice.
        EXPECT_TRUE(grid->EditorMode());
        grid->CancelEditor();
    }
}

TEST_F(DropDownEdit, AListDropsDownAtMostTheAskedRowsHigh)
{
    struct Case {
        int items;
        int rows;
        int height;
    };
    for (const Case& c : {Case{40, 0, 12 * 18 + 4}, Case{3, 0, 3 * 18 + 4}, Case{40, 5, 5 * 18 + 4}}) {
        grid->list = Numbered(c.items);
        grid->listRows = c.rows;
        Open(1, esDropDown);
        Ed()->DropDown();
        EXPECT_EQ(Ed()->ListBox()->Height(), c.height) << c.items << "/" << c.rows;
        EXPECT_GE(Ed()->ListBox()->Width(), Ed()->Width());
        Ed()->CloseUp(false);
        grid->CancelEditor();
    }
}

TEST_F(DropDownEdit, TypingSearchesWithinTwoSeconds)
{
    int64_t now = 10000;
    TPopupListBox::SetClock([&] { return now; });
    grid->list = {QStringLiteral("a1"), QStringLiteral("b1"), QStringLiteral("abc"), QStringLiteral("ba")};
    Open(1, esDropDownList);
    Ed()->DropDown();
    auto* list = static_cast<TPopupListBox*>(Ed()->ListBox());
    Ed()->SendChar(QLatin1Char('a'));
    EXPECT_EQ(list->ItemIndex(), 0);
    now += 500;
    Ed()->SendChar(QLatin1Char('b'));
    EXPECT_EQ(list->ItemIndex(), 2);
    EXPECT_EQ(list->SearchText(), QStringLiteral("ab"));
    now += 2001;
    Ed()->SendChar(QLatin1Char('b'));
    EXPECT_EQ(list->SearchText(), QStringLiteral("b"));
    EXPECT_EQ(list->ItemIndex(), 1);
    Ed()->SendKey(VK_BACK);
    EXPECT_TRUE(list->SearchText().isEmpty());
}

TEST_F(DropDownEdit, TheColourListOffersSeventeenRowsAndTheDialog)
{
    Open(1, esColorList, QStringLiteral("255"));
    Ed()->DropDown();
    auto* list = Ed()->ListBox();
    ASSERT_EQ(list->Count(), 17);
    EXPECT_EQ(list->Height(), 17 * 18 + 4);
    EXPECT_EQ(list->Items()[0], QStringLiteral("16777215"));
    EXPECT_EQ(list->Items()[6], QStringLiteral("255"));
    EXPECT_EQ(list->ItemIndex(), 6);
    EXPECT_EQ(list->Items()[16], TInplaceEdit::MoreColorsText);

    struct Case {
        bool chosen;
        QString text;
    };
    for (const Case& c : {Case{true, QString::number(0x123456)}, Case{false, QStringLiteral("255")}}) {
        TColor started = 0;
        TColorDialog::SetExecuteHook([&](TColor& color) {
            started = color;
            color = 0x123456;
            return c.chosen;
        });
        Open(1, esColorList, QStringLiteral("255"));
        Ed()->DropDown();
        Ed()->ListBox()->SetItemIndex(16);
        Ed()->SendKey(VK_RETURN);
        EXPECT_EQ(started, 255);
        EXPECT_EQ(grid->Text(1, 1), c.text);
        EXPECT_FALSE(grid->EditorMode());
    }
    // A text that is no colour starts the dialog at black and stays black when cancelled.
    TColor started = -1;
    TColorDialog::SetExecuteHook([&](TColor& color) {
        started = color;
        return false;
    });
    Open(1, esColorList, QStringLiteral("red"));
    Ed()->DropDown();
    Ed()->ListBox()->SetItemIndex(16);
    Ed()->CloseUp(true);
    EXPECT_EQ(started, clBlack);
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("0"));
}

TEST_F(DropDownEdit, TheCalendarReadsAndWritesDates)
{
    struct Case {
        const char* text;
        bool ok;
        QDate date;
    };
    const Case cases[] = {{"2024-03-05", true, QDate(2024, 3, 5)},     {"2024/3/5", true, QDate(2024, 3, 5)},
                          {"2024\\03\\05", true, QDate(2024, 3, 5)},  {"2024年3月5日", true, QDate(2024, 3, 5)},
                          {"05.03.2024", false, QDate()},              {"", false, QDate()},
                          {"2023-02-29", false, QDate()}};
    for (const Case& c : cases) {
        QDate d;
        EXPECT_EQ(TPopupMonthCalendar::TextToDate(QString::fromUtf8(c.text), d), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(d, c.date) << c.text;
        }
    }
    EXPECT_EQ(TPopupMonthCalendar::DateToText(QDate(2024, 3, 5)), QStringLiteral("2024-03-05"));

    Open(1, esMonthCalendar, QStringLiteral("2024/3/5"));
    Ed()->SendKey(VK_DOWN, ssAlt);
    ASSERT_TRUE(Ed()->ListVisible());
    EXPECT_EQ(Ed()->Calendar()->Date(), QDate(2024, 3, 5));
    Ed()->Calendar()->SetDate(QDate(2024, 3, 9));
    Ed()->SendKey(VK_RETURN);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("2024-03-09"));
    // Text that is no date keeps the calendar's date.
    grid->CancelEditor();
    Open(1, esMonthCalendar, QStringLiteral("soon"));
    Ed()->DropDown();
    EXPECT_EQ(Ed()->Calendar()->Date(), QDate(2024, 3, 9));
}

TEST_F(DropDownEdit, TheYearMenuOffersTwelveYearsAndKeepsTheDayValid)
{
    Open(1, esMonthCalendar, QStringLiteral("2024-02-29"));
    Ed()->DropDown();
    TPopupMonthCalendar* cal = Ed()->Calendar();
    cal->ShowYearMenu(110, 12);
    TPopupMenu* menu = cal->YearMenu();
    ASSERT_EQ(menu->Count(), 12);
    EXPECT_EQ(menu->Items(0)->Caption, QStringLiteral("2018 年"));
    EXPECT_EQ(menu->Items(11)->Caption, QStringLiteral("2029 年"));
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(menu->Items(i)->Checked, i == 6) << i;
        EXPECT_EQ(menu->Items(i)->Hint, menu->Items(i)->Caption);
    }
    menu->Items(7)->Click();
    EXPECT_EQ(cal->Date(), QDate(2025, 2, 28));
    cal->ChooseYear(2028);
    EXPECT_EQ(cal->Date(), QDate(2028, 2, 28));
    menu->CloseMenu();
}

TEST_F(DropDownEdit, TheSpinnerClampsAndRewritesTheText)
{
    struct Case {
        const char* text;
        int position;
        const char* after;
    };
    const Case cases[] = {{"40000", 32767, "32767"}, {"-40000", -32768, "-32768"}, {"12", 12, "12"},
                          {"", 0, "0"},              {"abc", -32768, "abc"},       {" 7 ", 7, "7"}};
    for (const Case& c : cases) {
        Open(1, esUpDown, QString::fromUtf8(c.text));
        ASSERT_NE(Ed()->UpDown(), nullptr) << c.text;
        EXPECT_EQ(Ed()->UpDown()->Position(), c.position) << c.text;
        EXPECT_EQ(Ed()->Text(), QString::fromUtf8(c.after)) << c.text;
        EXPECT_EQ(Ed()->UpDown()->BoundsRect(), (TRect{Ed()->Width() - 17, 0, Ed()->Width(), Ed()->Height()}));
        grid->CancelEditor();
    }
    Open(1, esUpDown, QStringLiteral("5"));
    Ed()->UpDown()->Step(btNext);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("6"));
    Ed()->UpDown()->Step(btPrev);
    Ed()->UpDown()->Step(btPrev);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("4"));
    Ed()->SendKey(VK_DOWN);
    EXPECT_EQ(grid->Text(1, 1), QStringLiteral("4"));
}

TEST_F(DropDownEdit, TheTreeOffersTheOwnersNodesAndReportsTheChoice)
{
    grid->OnGetTreeViewList = TGridGetTreeViewListEvent([](TObject*, int, int, TTreeNodes& nodes) {
        TTreeNode* root = nodes.AddChild(nullptr, QStringLiteral("root"));
        nodes.AddChild(root, QStringLiteral("leaf"));
    });
    grid->OnTreeViewListSelected = TGridTreeViewListSelectedEvent(
        [](TObject*, int, int, TTreeNode* node, QString& text) { text = QStringLiteral("[") + text + "]"; });
    Open(1, esTreeView);
    Ed()->DropDown();
    TPopupTreeView* tree = Ed()->TreeView();
    ASSERT_EQ(tree->Items().Count(), 2);
    EXPECT_EQ(tree->Height(), 200);
    tree->SetSelected(tree->Items().Item(1));
    Ed()->CloseUp(true);
    EXPECT_EQ(Ed()->Text(), QStringLiteral("[leaf]"));
    // A second drop-down asks the owner again instead of adding to the old nodes.
    Ed()->DropDown();
    EXPECT_EQ(tree->Items().Count(), 2);
}

TEST(PopupPlacement, BelowAboveAndInsideTheWorkArea)
{
    const TRect work{0, 0, 800, 600};
    struct Case {
        TRect anchor;
        int width;
        int height;
        TRect placed;
    };
    const Case cases[] = {
        {{100, 100, 200, 120}, 100, 220, {100, 120, 200, 340}},  // fits below
        {{100, 500, 200, 520}, 100, 220, {100, 280, 200, 500}},  // only above
        {{100, 250, 200, 270}, 100, 400, {100, 270, 200, 600}},  // neither: more room below, shrunk
        {{100, 350, 200, 370}, 100, 400, {100, 0, 200, 350}},    // neither: more room above, shrunk
        {{750, 100, 800, 120}, 120, 50, {680, 120, 800, 170}},   // pushed left to the right edge
        {{-30, 100, 20, 120}, 60, 50, {0, 120, 60, 170}},        // pushed right to the left edge
        {{0, 100, 50, 120}, 900, 50, {0, 120, 800, 170}},        // narrowed to the work area
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlacePopup(c.anchor, work, c.width, c.height), c.placed)
            << c.anchor.Left << "," << c.anchor.Top << " " << c.width << "x" << c.height;
    EXPECT_EQ(PlacePopup({100, 100, 200, 120}, work, 50, 10, paRight), (TRect{150, 120, 200, 130}));
}

} // namespace
