#include <gtest/gtest.h>

#include <QCoreApplication>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "platform/framework/Application.h"
#include "platform/controls/TreeView.h"
#include "screens/DepartPropForm.h"
#include "screens/OrgForm.h"
#include "support/ScreenTest.h"

namespace {

using OrgFormTest = ScreenTest;

int CountNodes(TTreeNode* node, bool expandedOnly, int* expanded)
{
    int n = 1;
    if (node->Expanded())
        ++*expanded;
    for (int i = 0; i < node->Count(); ++i)
        n += CountNodes(node->Item(i), expandedOnly, expanded);
    return n;
}

} // namespace

TEST_F(OrgFormTest, OpensOnThePicturePageWithoutTabsAndTheTreeFullyExpanded)
{
    TOrgForm form(nullptr);
    auto* pages = form.Find<TFlatPageControl>("FlatPageControl1");
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->ActivePage(), form.tsPic);
    EXPECT_FALSE(form.tsPic->TabVisible());
    EXPECT_FALSE(form.tsText->TabVisible());
    EXPECT_TRUE(form.tsPic->Visible());
    EXPECT_FALSE(form.tsText->Visible());
    EXPECT_EQ(pages->BoundsRect(), (TRect{0, 100, 798, 576}));

    TTreeView* tree = form.TreeView1;
    ASSERT_EQ(tree->Items().TopCount(), 1);
    TTreeNode* root = tree->Items().TopItem(0);
    EXPECT_EQ(root->Text(), "塔维克建筑有限公司");
    ASSERT_EQ(root->Count(), 2);
    EXPECT_EQ(root->Item(0)->Text(), "董事会");
    EXPECT_EQ(root->Item(1)->Text(), "监事会");
    int expanded = 0;
    EXPECT_EQ(CountNodes(root, false, &expanded), 29);
    EXPECT_EQ(expanded, 7); // every node with children
}

TEST_F(OrgFormTest, RadioButtonsSwitchThePages)
{
    TOrgForm form(nullptr);
    auto* text = form.Find<TSkinRadioButton>("SkinRadioButton1");
    auto* picture = form.Find<TSkinRadioButton>("SkinRadioButton2");
    ASSERT_TRUE(text && picture);
    EXPECT_TRUE(picture->Checked());
    text->SetChecked(true);
    EXPECT_FALSE(picture->Checked());
    EXPECT_TRUE(form.tsText->Visible());
    EXPECT_FALSE(form.tsPic->Visible());
    text->SetChecked(true); // already checked: nothing changes
    EXPECT_TRUE(form.tsText->Visible());
    picture->SetChecked(true);
    EXPECT_TRUE(form.tsPic->Visible());
    EXPECT_FALSE(form.tsText->Visible());
}

TEST_F(OrgFormTest, DialogCommandsOpenTheirDialogs)
{
    TOrgForm form(nullptr);
    struct Seen {
        QString caption;
        int height;
        bool checkBoxVisible;
    };
    std::vector<Seen> seen;
    Application()->SetModalHook([&](TCustomForm* f) {
        auto* box = f->Find<TSkinCheckBox>("SkinCheckBox1");
        seen.push_back({f->Caption(), f->ClientHeight(), box && box->Visible()});
        f->Close();
    });
    form.acAddOrgExecute(nullptr);
    form.acAddDepartExecute(nullptr);
    form.acAddChildDepartExecute(nullptr);
    form.acAddRoleExecute(nullptr);
    form.acAddUserExecute(nullptr);
    ASSERT_EQ(seen.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(seen[i].caption, "部门属性");
        EXPECT_EQ(seen[i].height, 130);
        EXPECT_TRUE(seen[i].checkBoxVisible);
    }
    EXPECT_EQ(seen[3].caption, "部门属性");
    EXPECT_EQ(seen[3].height, 374);
    EXPECT_FALSE(seen[3].checkBoxVisible);
    EXPECT_EQ(seen[4].caption, "角色属性(部门岗位)");
}

TEST_F(OrgFormTest, RenameOnTheTreePageEditsTheSelectedLabelAfterTheCommand)
{
    TOrgForm form(nullptr);
    form.Show();
    form.Find<TSkinRadioButton>("SkinRadioButton1")->SetChecked(true);
    TTreeView* tree = form.TreeView1;
    form.acRenameExecute(nullptr); // nothing selected yet: nothing to edit
    QCoreApplication::processEvents();
    EXPECT_FALSE(tree->IsEditing());

    tree->SetSelected(tree->Items().TopItem(0)->Item(0));
    form.acRenameExecute(nullptr);
    EXPECT_FALSE(tree->IsEditing()); // posted, not yet handled
    QCoreApplication::processEvents();
    EXPECT_TRUE(tree->IsEditing());
    form.Hide();
}
