#include <gtest/gtest.h>

#include "QtPrinters.h"
#include "app/ScreenCatalog.h"
#include "app/Startup.h"
#include "chrome/themes/SkinNexus.h"
#include "chrome/themes/SkinTheme.h"
#include "chrome/toolbars/SkinDock.h"
#include "chrome/toolbars/SkinItem.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/Application.h"
#include "platform/framework/actions/ImageList.h"
#include "screens/OrgForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "screens/RolePropForm.h"
#include "screens/UserForm.h"
#include "support/Input.h"
#include "support/ScreenTest.h"
#include "grid/core/GridEditing.h"

namespace {

using ScreenChromeTest = ScreenTest;

// The toolbar's items as captions, separators as "|".
QStringList Items(TCustomForm& form, const char* toolbar)
{
    QStringList out;
    auto* bar = form.Find<TSkinToolbar>(QString::fromLatin1(toolbar));
    EXPECT_NE(bar, nullptr) << toolbar;
    if (!bar)
        return out;
    for (TSkinToolbarItem* item : bar->Items()) {
        if (dynamic_cast<TSkinSeparatorItem*>(item))
            out << "|";
        else if (auto* button = dynamic_cast<TSkinItem*>(item))
            out << button->Caption();
    }
    return out;
}

} // namespace

TEST_F(ScreenChromeTest, EveryToolbarHoldsItsItemsInOrder)
{
    TOrgForm org(nullptr);
    EXPECT_EQ(Items(org, "SkinToolbar6"),
              QStringList({"新增机构", "|", "新增部门", "新增子部门", "|", "关联岗位", "关联人员", "|", "属性", "|", "保存",
                           "取消", "|", "刷新", "|", "退出", "|"}));
    TUserForm user(nullptr);
    EXPECT_EQ(Items(user, "SkinToolbar6"), QStringList({"保存", "取消", "|", "刷新", "|", "退出"}));
    EXPECT_EQ(Items(user, "SkinToolbar1"), QStringList({"选择岗位", "删除"}));
    EXPECT_EQ(Items(user, "SkinToolbar2"), QStringList({"新增用户", "删除"}));
    TPostForm post(nullptr);
    EXPECT_EQ(Items(post, "SkinToolbar6"), QStringList({"新增", "删除", "|", "保存", "取消", "|", "刷新", "|", "退出"}));
    TRightSetForm rights(nullptr);
    EXPECT_EQ(Items(rights, "SkinToolbar6"),
              QStringList({"复制权限", "粘贴权限", "|", "保存", "取消", "|", "刷新", "|", "退出", "|"}));
    TRolePropForm role(nullptr);
    EXPECT_EQ(Items(role, "SkinToolbar2"), QStringList({"选择用户", "删除"}));

    // Docks lie along the top of their parents.
    EXPECT_EQ(org.Find<TControl>("SkinDock1")->BoundsRect(), (TRect{0, 0, 798, 26}));
    EXPECT_EQ(role.Find<TControl>("SkinDock3")->BoundsRect(), (TRect{1, 1, 439, 27}));
    // The organisation screen has seven more pictures than the others.
    EXPECT_EQ(org.Find<TImageList>("imlFuncs")->Count(), 22);
    EXPECT_EQ(post.Find<TImageList>("imlFuncs")->Count(), 15);
    EXPECT_EQ(post.Find<TImageList>("ImageList1")->Count(), 4);
}

TEST_F(ScreenChromeTest, ExitClosesEveryWorkScreenAndEscapeNeverDoes)
{
    // Escape twice backs out of a cell edit; closing the screen then would throw
    // its changes away, so only 退出 and the close box close it.
    for (const char* cls : {"TOrgForm", "TUserForm", "TPostForm", "TRightSetForm"}) {
        SCOPED_TRACE(cls);
        std::unique_ptr<TCustomForm> screen(FindScreen(cls)->make(nullptr));
        auto* exit = screen->Find<TAction>("acExit");
        ASSERT_NE(exit, nullptr);
        Application()->SetModalHook([&](TCustomForm*) {
            SendKey(screen.get(), Qt::Key_Escape);
            SendKey(screen.get(), Qt::Key_Escape);
            EXPECT_TRUE(screen->Visible());
            exit->Execute();
        });
        EXPECT_EQ(screen->ShowModal(), mrCancel);
        EXPECT_FALSE(screen->Visible());
    }
}

TEST_F(ScreenChromeTest, EscapeInACellEditorEndsTheEditAndLeavesTheScreenOpen)
{
    TPostForm post(nullptr);
    post.Show();
    auto* grid = post.Find<TTavikCustomGrid>("TavikPTGrid2");
    grid->SetFocus();
    grid->ShowEditor(QChar());
    ASSERT_TRUE(grid->EditorMode());
    SendKey(grid->Editing().Editor(), Qt::Key_Escape);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_TRUE(post.Visible());
    SendKey(grid, Qt::Key_Escape);
    EXPECT_TRUE(post.Visible());
}

TEST_F(ScreenChromeTest, EmptyHandlersStayEnabledAndActionsWithoutOneGreyAfterIdle)
{
    TPostForm post(nullptr);
    post.Show();
    Application()->DoIdle();
    for (const char* name : {"acAdd", "acDelete", "acSave", "acCancel", "acRefresh", "acExit"}) {
        auto* action = post.Find<TAction>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(action->Enabled()) << name;
        if (std::string(name) != "acExit")
            action->Execute(); // does nothing, screen stays
    }
    EXPECT_TRUE(post.Visible());
    post.Hide();

    TRolePropForm role(nullptr);
    role.Show();
    Application()->DoIdle();
    EXPECT_FALSE(role.Find<TAction>("acSelectUser")->Enabled());
    EXPECT_FALSE(role.Find<TAction>("acDelete")->Enabled());
    for (TSkinToolbarItem* item : role.Find<TSkinToolbar>("SkinToolbar2")->Items())
        EXPECT_FALSE(item->Enabled());
    role.Hide();
}

TEST_F(ScreenChromeTest, WorkScreensMakeDreamTheThemeForGood)
{
    TSkinNexus::Instance().SetTheme("Default");
    { TRolePropForm dialog(nullptr); }
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), "Default"); // dialogs carry no switcher
    { TUserForm screen(nullptr); }
    EXPECT_EQ(TSkinNexus::Instance().GetTheme(), "Dream");
    TRolePropForm later(nullptr);
    EXPECT_EQ(CurrentSkinTheme().Name(), "Dream");
}

TEST_F(ScreenChromeTest, PropertiesPickTheDialogByThePicture)
{
    TOrgForm org(nullptr);
    CloseModalWindows();
    for (int image : {0, 1, 2, 3, -1})
        org.OpenProperties(image);
    EXPECT_EQ(opened, (std::vector<QString>{"部门属性", "部门属性", "角色属性(部门岗位)"}));
    EXPECT_EQ(messages, (std::vector<QString>{"不使能", "不使能"}));
}
