#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Form.h"
#include "support/PageControlTestAccess.h"
#include "support/Errors.h"
#include "support/Input.h"

namespace {

class FlatPageControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 500, 300);
        pc = new TFlatPageControl(form.get());
        pc->SetParent(form.get());
        pc->SetBounds(0, 0, 400, 250);
        for (const char* caption : {"First", "Second", "Third", "Fourth"}) {
            auto* s = new TFlatTabSheet(form.get());
            s->SetPageControl(pc);
            s->SetCaption(QString::fromLatin1(caption));
            sheets.push_back(s);
        }
        pc->OnChange = TNotifyEvent([this](TObject*) { log.push_back("change"); });
    }
    void TearDown() override { form.reset(); }

    // Page captions in page order, the active one in brackets.
    std::string State() const
    {
        std::string s;
        for (int i = 0; i < pc->PageCount(); ++i) {
            const std::string c = pc->Pages(i)->Caption().toStdString();
            s += (i ? " " : "") + (pc->Pages(i) == pc->ActivePage() ? "[" + c + "]" : c);
        }
        return s;
    }
    void Mouse(QEvent::Type type, int x, int y)
    {
        SendMouse(pc, type, x, y, type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton);
    }
    TPoint Centre(int page) const
    {
        const TRect r = pc->TabRect(page);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    std::unique_ptr<TForm> form;
    TFlatPageControl* pc = nullptr;
    std::vector<TFlatTabSheet*> sheets;
    std::vector<std::string> log;
};

} // namespace

TEST_F(FlatPageControlTest, FirstPageBecomesActiveAndOnlyTheActivePageShows)
{
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(PageControlTestAccess::TabSelected(*pc), 0);
    EXPECT_TRUE(sheets[0]->Visible());
    EXPECT_FALSE(sheets[1]->Visible());
    pc->SetActivePage(sheets[2]);
    EXPECT_EQ(State(), "First Second [Third] Fourth");
    EXPECT_FALSE(sheets[0]->Visible());
    EXPECT_TRUE(sheets[2]->Visible());
    // Pages fill the client area inside the frame, hidden ones too.
    EXPECT_EQ(sheets[2]->BoundsRect(), pc->ClientRect());
    EXPECT_EQ(sheets[3]->BoundsRect(), pc->ClientRect());
    EXPECT_EQ(pc->Version(), QStringLiteral("1.5.0.4"));
}

TEST_F(FlatPageControlTest, TabIndicesCountOnlyShownTabs)
{
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[0]->TabIndex(), 0);
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_EQ(sheets[3]->PageIndex(), 3);
    EXPECT_EQ(PageControlTestAccess::TabCount(*pc), 3);
    EXPECT_EQ(pc->TabRect(1), TRect{});
    EXPECT_EQ(pc->PageIndexAt(Centre(2).X, Centre(2).Y), 2);
    sheets[1]->SetTabVisible(true);
    EXPECT_EQ(sheets[2]->TabIndex(), 2);
}

TEST_F(FlatPageControlTest, PageIndexMovesPagesAndTabsAndRefusesBadIndices)
{
    pc->SetActivePage(sheets[1]);
    sheets[3]->SetPageIndex(0);
    EXPECT_EQ(State(), "Fourth First [Second] Third");
    EXPECT_EQ(PageControlTestAccess::TabText(*pc, 0), sheets[3]->LayoutText());
    EXPECT_EQ(PageControlTestAccess::TabSelected(*pc), 2);  // the selection follows the active page
    EXPECT_EQ(ErrorOf([&] { sheets[0]->SetPageIndex(4); }),
              "4 is an invalid PageIndex value.  PageIndex must be between 0 and 3");
    EXPECT_THROW(sheets[0]->SetPageIndex(7), EListError);
    EXPECT_EQ(State(), "Fourth First [Second] Third");
    EXPECT_THROW(pc->Pages(4), EListError);
}

TEST_F(FlatPageControlTest, TabEnableRulesAndMessage)
{
    EXPECT_EQ(ErrorOf([&] { sheets[0]->SetTabEnable(false); }), "Can not disable active tab.");
    EXPECT_TRUE(sheets[0]->TabEnable());
    sheets[1]->SetTabEnable(false);
    pc->SetActivePage(sheets[1]);
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    // A click on the disabled tab changes nothing and the strip stays on the active page.
    const TPoint p = Centre(1);
    Mouse(QEvent::MouseButtonPress, p.X, p.Y);
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    EXPECT_EQ(PageControlTestAccess::TabSelected(*pc), 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(FlatPageControlTest, TabSplitLineIsRefusedForDotNetAndStudio)
{
    pc->SetTabSplitLine(true);
    pc->SetTabSplitLine(false);
    for (TTabStyle style : {tsDotNet, tsStudio}) {
        pc->SetTabStyle(style);
        EXPECT_EQ(ErrorOf([&] { pc->SetTabSplitLine(true); }),
                  "TabSplitLine must be false when TabStyle is tsDotNet/tsStudio");
        EXPECT_FALSE(pc->TabSplitLine());
    }
}

TEST_F(FlatPageControlTest, HidingTabsMovesTheSelectionAndFinallyLeavesNoActivePage)
{
    pc->SetActivePage(sheets[1]);
    sheets[1]->SetTabVisible(false);  // the tab taking its place
    EXPECT_EQ(State(), "First Second [Third] Fourth");
    sheets[3]->SetTabVisible(false);
    sheets[2]->SetTabVisible(false);  // past the end: the last tab
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    sheets[0]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_EQ(PageControlTestAccess::TabSelected(*pc), -1);
    EXPECT_TRUE(sheets[0]->Visible());  // stays on screen

    // Showing a page activates it without a tab.
    sheets[2]->Show();
    EXPECT_EQ(State(), "First Second [Third] Fourth");
    EXPECT_EQ(PageControlTestAccess::TabSelected(*pc), -1);
    sheets[3]->SetVisible(true);
    EXPECT_EQ(State(), "First Second Third [Fourth]");
    EXPECT_FALSE(sheets[2]->Visible());
}

TEST_F(FlatPageControlTest, FindNextPageWrapsAndSkipsHiddenTabs)
{
    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(sheets[0], true, true), sheets[2]);
    EXPECT_EQ(pc->FindNextPage(sheets[0], true, false), sheets[1]);
    EXPECT_EQ(pc->FindNextPage(sheets[3], true, true), sheets[0]);
    EXPECT_EQ(pc->FindNextPage(sheets[0], false, true), sheets[3]);
    EXPECT_EQ(pc->FindNextPage(sheets[2], false, true), sheets[0]);
    EXPECT_EQ(pc->FindNextPage(nullptr, true, true), sheets[0]);
    EXPECT_EQ(pc->FindNextPage(nullptr, false, true), sheets[3]);
    for (auto* s : sheets)
        if (s != sheets[2])
            s->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(sheets[2], true, true), sheets[2]);  // full circle
    sheets[2]->SetTabVisible(false);
    EXPECT_EQ(pc->FindNextPage(sheets[2], true, true), nullptr);
    TFlatPageControl empty(nullptr);
    EXPECT_EQ(empty.FindNextPage(nullptr, true, false), nullptr);
}

TEST_F(FlatPageControlTest, CtrlTabFromAChildCyclesThroughVisibleTabs)
{
    auto* edit = new TEdit(form.get());
    edit->SetParent(sheets[0]);
    edit->SetTabStop(true);
    sheets[2]->SetTabVisible(false);
    form->Show();
    edit->SetFocus();
    ASSERT_EQ(form->ActiveControl(), edit);
    // The key goes to whatever has the focus; it follows the pages.
    SendKey(form->ActiveControl(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(State(), "First [Second] Third Fourth");
    SendKey(form->ActiveControl(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(State(), "First Second Third [Fourth]");  // hidden tab skipped
    SendKey(form->ActiveControl(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(State(), "[First] Second Third Fourth");  // wraps
    SendKey(form->ActiveControl(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(State(), "First Second Third [Fourth]");  // Ctrl+Shift+Tab from the first
    EXPECT_EQ(log, (std::vector<std::string>{"change", "change", "change", "change"}));
    form->Hide();
}

TEST_F(FlatPageControlTest, ChangeCanBeRefusedAndReportsTheRealTarget)
{
    std::vector<std::pair<int, int>> asked;
    bool allow = false;
    pc->OnCanChange = TCanChangeEvent([&](TObject*, int from, int to, bool& ok) {
        asked.emplace_back(from, to);
        ok = allow;
    });
    sheets[1]->SetTabVisible(false);
    pc->SelectNextPage(true);
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    allow = true;
    bool changing = false;
    pc->OnChanging = TTabChangingEvent([&](TObject*, bool& ok) { ok = changing; });
    pc->SelectNextPage(true);
    EXPECT_EQ(State(), "[First] Second Third Fourth");
    changing = true;
    const TPoint p = Centre(3);
    Mouse(QEvent::MouseButtonPress, p.X, p.Y);
    EXPECT_EQ(State(), "First Second Third [Fourth]");
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{0, 2}, {0, 2}, {0, 3}}));
    EXPECT_EQ(log, std::vector<std::string>{"change"});
}

TEST_F(FlatPageControlTest, ActivationMovesTheFocusIntoTheNewPage)
{
    auto* a = new TEdit(form.get());
    a->SetParent(sheets[0]);
    a->SetTabStop(true);
    auto* b = new TEdit(form.get());
    b->SetParent(sheets[1]);
    b->SetTabStop(true);
    form->SetActiveControl(a);
    ASSERT_EQ(form->ActiveControl(), a);
    pc->SetActivePage(sheets[1]);
    EXPECT_EQ(form->ActiveControl(), b);
    // Focus outside the old page stays where it is.
    auto* outside = new TEdit(form.get());
    outside->SetParent(form.get());
    form->SetActiveControl(outside);
    pc->SetActivePage(sheets[0]);
    EXPECT_EQ(form->ActiveControl(), outside);
}

TEST_F(FlatPageControlTest, LayoutTextAndActiveFontPadding)
{
    EXPECT_EQ(sheets[0]->LayoutText(), QStringLiteral("Fir"));  // the last two bytes dropped
    sheets[0]->SetCaption(QStringLiteral("X"));
    EXPECT_EQ(sheets[0]->LayoutText(), QString());
    sheets[0]->SetCaption(QStringLiteral("分级权限"));  // two bytes: one double-byte character
    EXPECT_EQ(sheets[0]->LayoutText(), QStringLiteral("分级权"));
    sheets[0]->SetShowClose(true);
    EXPECT_EQ(sheets[0]->LayoutText(), QStringLiteral("分级权限 "));

    sheets[1]->SetCaption(QStringLiteral("Wide Wide Wide Wide"));
    pc->ActiveFont().SetStyle(fsBold);
    pc->SetActivePage(sheets[1]);
    const QString padded = PageControlTestAccess::TabText(*pc, 1);
    EXPECT_TRUE(padded.startsWith(sheets[1]->LayoutText()));
    EXPECT_GT(padded.size(), sheets[1]->LayoutText().size());
    EXPECT_EQ(padded.trimmed(), padded.left(sheets[1]->LayoutText().size()).trimmed());
    pc->SetActivePage(sheets[2]);
    EXPECT_EQ(PageControlTestAccess::TabText(*pc, 1), sheets[1]->LayoutText());  // padding removed from the old tab
    pc->SetTabBorder3D(true);
    EXPECT_EQ(PageControlTestAccess::TabText(*pc, 1), sheets[1]->Caption());
}

TEST_F(FlatPageControlTest, NewPagesTakeTheDefaultColoursAndFollowTheirChanges)
{
    pc->SetDefaultTabColor(clWhite);
    pc->SetDefaultTextColor(clNavy);
    EXPECT_EQ(sheets[0]->TabColor(), clWhite);
    EXPECT_EQ(sheets[0]->TextColor(), clNavy);
    sheets[1]->SetTabColor(clRed);
    pc->SetDefaultTabColor(clYellow);
    EXPECT_EQ(sheets[0]->TabColor(), clYellow);
    EXPECT_EQ(sheets[1]->TabColor(), clRed);  // its own colour stays
    auto* late = new TFlatTabSheet(form.get());
    late->SetPageControl(pc);
    EXPECT_EQ(late->TabColor(), clYellow);
    EXPECT_EQ(late->TabColorTo(), clNone);
}

TEST_F(FlatPageControlTest, CloseButtonTracksTheMouseAndClosesThePage)
{
    pc->SetTabHoverColor(clYellow);
    sheets[0]->SetShowClose(true);
    sheets[0]->SetName(QStringLiteral("tsFirst"));
    const TRect button = PageControlTestAccess::CloseButtonRect(*pc);
    ASSERT_FALSE(button.IsEmpty());
    Mouse(QEvent::MouseMove, button.Left + 1, button.Top + 1);
    EXPECT_EQ(PageControlTestAccess::CloseButtonState(*pc), TCloseButtonState::Hot);
    EXPECT_EQ(PageControlTestAccess::HoveredTab(*pc), 0);
    Mouse(QEvent::MouseMove, Centre(2).X, Centre(2).Y);
    EXPECT_EQ(PageControlTestAccess::CloseButtonState(*pc), TCloseButtonState::Normal);
    EXPECT_EQ(PageControlTestAccess::HoveredTab(*pc), 2);

    bool canClose = false;
    sheets[0]->OnCanClose = TCanCloseEvent([&](TObject*, bool& ok) { ok = canClose; });
    sheets[0]->OnClose = TNotifyEvent([&](TObject*) { log.push_back("close"); });
    Mouse(QEvent::MouseButtonPress, button.Left + 1, button.Top + 1);
    EXPECT_EQ(PageControlTestAccess::CloseButtonState(*pc), TCloseButtonState::Pressed);
    Mouse(QEvent::MouseButtonRelease, button.Left + 1, button.Top + 1);
    EXPECT_EQ(State(), "[First] Second Third Fourth");  // refused
    canClose = true;
    Mouse(QEvent::MouseButtonPress, button.Left + 1, button.Top + 1);
    Mouse(QEvent::MouseButtonRelease, button.Left + 1, button.Top + 1);
    EXPECT_EQ(State(), "[Second] Third Fourth");
    EXPECT_EQ(log, (std::vector<std::string>{"close", "change"}));
    ASSERT_EQ(PageControlTestAccess::ClosedPages(*pc).size(), 1u);
    EXPECT_EQ(PageControlTestAccess::ClosedPages(*pc)[0].first, QStringLiteral("tsFirst"));
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
    EXPECT_EQ(sheets[0]->Parent(), nullptr);
}

TEST_F(FlatPageControlTest, ClosingTheOnlyPageLeavesNoActivePage)
{
    for (int i = 3; i >= 1; --i)
        delete sheets[i];
    EXPECT_EQ(State(), "[First]");
    pc->SetFreeOnClose(true);
    sheets[0]->SetShowClose(true);
    const TRect button = PageControlTestAccess::CloseButtonRect(*pc);
    Mouse(QEvent::MouseButtonPress, button.Left + 1, button.Top + 1);
    Mouse(QEvent::MouseButtonRelease, button.Left + 1, button.Top + 1);
    EXPECT_EQ(pc->PageCount(), 0);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_TRUE(PageControlTestAccess::ClosedPages(*pc).empty());
}

TEST_F(FlatPageControlTest, DestroyingPagesOrTheControlKeepsTheOtherSound)
{
    pc->SetActivePage(sheets[1]);
    delete sheets[1];
    EXPECT_EQ(State(), "First [Third] Fourth");
    sheets[0]->SetParent(form.get());  // leaves the control for another parent
    EXPECT_EQ(State(), "[Third] Fourth");
    EXPECT_EQ(sheets[0]->PageControl(), nullptr);
    sheets[0]->SetParent(pc);  // and comes back as the last page
    EXPECT_EQ(State(), "[Third] Fourth First");
}
