#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/TreeView.h"
#include "screens/RightSetForm.h"
#include "support/ScreenTest.h"

namespace {

using RightSetFormTest = ScreenTest;

const char* const kLinks[] = {"Label10", "Label11", "Label18", "Label19", "Label12", "Label17", "Label25",
                              "Label26", "Label7",  "Label8",  "Label21", "Label22", "Label9",  "Label20"};

} // namespace

TEST_F(RightSetFormTest, FivePagesInTheirOrderWithTheFirstActive)
{
    TRightSetForm form(nullptr);
    TFlatPageControl* pages = form.pcRight;
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 5);
    const char* captions[] = {"分级权限设置", "行政和业务隶属关系设置", "角色信任关系设置", "功能和数据策略设置",
                              "公共资源策略设置"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pages->Pages(i)->Caption(), QString::fromUtf8(captions[i]));
    EXPECT_EQ(pages->ActivePageIndex(), 0);
    EXPECT_EQ(pages->TabStyle(), tsDotNet);
    EXPECT_TRUE(form.Find<TSkinCheckBox>("SkinCheckBox2")->Checked());
    EXPECT_FALSE(form.Find<TSkinCheckBox>("SkinCheckBox1")->Checked());
    EXPECT_EQ(pages->BoundsRect(), (TRect{0, 0, 572, 550}));
    EXPECT_EQ(form.Find<TControl>("GradientPanel3")->BoundsRect(), (TRect{226, 26, 798, 576}));

    auto* tree = form.Find<TTreeView>("tvFullOrg");
    ASSERT_NE(tree, nullptr);
    EXPECT_FALSE(tree->Visible());
    EXPECT_EQ(tree->Items().Count(), 29);
}

TEST_F(RightSetFormTest, LinkLabelsTurnDarkRedWithoutUnderlineWhileHovered)
{
    TRightSetForm form(nullptr);
    for (const char* name : kLinks) {
        SCOPED_TRACE(name);
        auto* link = form.Find<TLabel>(QString::fromLatin1(name));
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->Cursor(), crHandPoint);
        EXPECT_EQ(link->Font().Color(), clNavy);
        EXPECT_EQ(link->Font().Style(), fsUnderline);
        EXPECT_EQ(link->Font().Charset(), GB2312_CHARSET);
        link->OnMouseEnter(link);
        EXPECT_EQ(link->Font().Color(), clMaroon);
        EXPECT_EQ(link->Font().Style(), 0);
        link->OnMouseLeave(link);
        EXPECT_EQ(link->Font().Color(), clNavy);
        EXPECT_EQ(link->Font().Style(), fsUnderline);
    }
    auto* plain = form.Find<TLabel>("Label14");
    EXPECT_EQ(plain->Font().Color(), clWindowText);
    // The handlers take their sender as a label, checked.
    EXPECT_THROW(form.Label7MouseEnter(&form), EInvalidCast);
}
