#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chrome/checkboxes/SkinRadioButton.h"
#include "platform/framework/Form.h"
#include "platform/controls/Panel.h"
#include "support/Controls.h"
#include "support/Input.h"
#include "support/Pixels.h"

namespace {

// The view switch of the organisation screen: two grouped buttons whose
// handlers each show their own page, whatever the new state.
class OrgViewSwitch : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        group = Make<TPanel>(form.get(), form.get(), 8, 8, 200, 50);
        pic = Make<TSkinRadioButton>(form.get(), group, 16, 24, 59, 17);
        pic->SetCaption(QStringLiteral("图形"));
        text = Make<TSkinRadioButton>(form.get(), group, 81, 24, 49, 17);
        text->SetCaption(QStringLiteral("文字"));
        pic->SetChecked(true);
        pic->OnChange = TNotifyEvent([this](TObject*) { Show("tsPic"); });
        text->OnChange = TNotifyEvent([this](TObject*) { Show("tsText"); });
    }
    void Show(const std::string& page)
    {
        log.push_back(page);
        active = page;
    }

    std::unique_ptr<TForm> form;
    TPanel* group = nullptr;
    TSkinRadioButton* pic = nullptr;
    TSkinRadioButton* text = nullptr;
    std::vector<std::string> log;
    std::string active = "tsPic";
};

} // namespace

TEST_F(OrgViewSwitch, TheUncheckedButtonReportsFirstAndTheCheckedOneLast)
{
    ClickAt(text, 5, 8);
    EXPECT_TRUE(text->Checked());
    EXPECT_FALSE(pic->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"tsPic", "tsText"}));
    EXPECT_EQ(active, "tsText");

    // Clicking the checked button changes nothing.
    log.clear();
    ClickAt(text, 5, 8);
    EXPECT_TRUE(log.empty());

    pic->SetChecked(true);
    EXPECT_EQ(log, (std::vector<std::string>{"tsText", "tsPic"}));
    EXPECT_EQ(active, "tsPic");

    // Unchecking by program leaves the other button alone.
    log.clear();
    pic->SetChecked(false);
    EXPECT_FALSE(text->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"tsPic"}));
}

TEST_F(OrgViewSwitch, TabStopFollowsTheCheckedButton)
{
    EXPECT_TRUE(pic->TabStop());
    text->SetChecked(true);
    EXPECT_TRUE(text->TabStop());
    EXPECT_FALSE(pic->TabStop());
}

TEST_F(OrgViewSwitch, GroupsAreTheParentAndTheGroupIndex)
{
    auto* other = Make<TPanel>(form.get(), form.get(), 8, 80, 200, 50);
    auto* elsewhere = Make<TSkinRadioButton>(form.get(), other, 16, 24, 59, 17);
    elsewhere->SetChecked(true);
    auto* ownGroup = Make<TSkinRadioButton>(form.get(), group, 140, 24, 49, 17);
    ownGroup->SetGroupIndex(1);
    ownGroup->SetChecked(true);
    EXPECT_TRUE(pic->Checked());
    EXPECT_TRUE(ownGroup->Checked());

    text->SetChecked(true);
    EXPECT_TRUE(elsewhere->Checked());
    EXPECT_TRUE(ownGroup->Checked());
    EXPECT_FALSE(pic->Checked());

    // Moving a checked button into a group unchecks that group's buttons.
    ownGroup->SetGroupIndex(0);
    EXPECT_FALSE(text->Checked());
    EXPECT_TRUE(ownGroup->Checked());
    EXPECT_EQ(log, (std::vector<std::string>{"tsPic", "tsText", "tsText"}));
}

TEST_F(OrgViewSwitch, AHandlerThatFreesASiblingDoesNotBreakTheGroup)
{
    auto* third = Make<TSkinRadioButton>(form.get(), group, 140, 24, 49, 17);
    pic->OnChange = TNotifyEvent([&](TObject*) { delete third; third = nullptr; });
    text->SetChecked(true);
    EXPECT_EQ(third, nullptr);
    EXPECT_TRUE(text->Checked());
    EXPECT_FALSE(pic->Checked());
}

TEST_F(OrgViewSwitch, ClickingBesideTheCaptionDoesNothing)
{
    ClickAt(text, 48, 8); // 49 wide; "文字" ends before
    EXPECT_FALSE(text->Checked());
    EXPECT_TRUE(log.empty());
}

TEST_F(OrgViewSwitch, PaintsTheClassicCircleAndDot)
{
    auto pixel = [&](int x, int y) { return At(pic->Surface(), x, y); };
    pic->SetColor(clWhite);
    pic->Repaint();
    // The circle's top row, the dark upper-left and light lower-right rings.
    EXPECT_EQ(pixel(3, 2), Rgb(clWhite));
    EXPECT_EQ(pixel(4, 2), Rgb(clBtnShadow));
    EXPECT_EQ(pixel(0, 6), Rgb(clBtnShadow));
    EXPECT_EQ(pixel(11, 8), Rgb(clBtnHighlight));
    EXPECT_EQ(pixel(1, 6), Rgb(cl3DDkShadow));
    EXPECT_EQ(pixel(10, 8), Rgb(cl3DLight));
    EXPECT_EQ(pixel(3, 6), Rgb(clWindow));
    // The dot, its corners cut.
    EXPECT_EQ(pixel(5, 6), Rgb(clWindowText));
    EXPECT_EQ(pixel(4, 7), Rgb(clWindowText));
    EXPECT_EQ(pixel(4, 6), Rgb(clWindow));
    text->SetChecked(true);
    pic->Repaint();
    EXPECT_EQ(pixel(5, 6), Rgb(clWindow));
}
