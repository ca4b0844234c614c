#include <gtest/gtest.h>

#include <QApplication>
#include <QJsonArray>
#include <QCloseEvent>
#include <QPushButton>
#include <QWidget>
#include <QTimer>

#include "QtPrinters.h"
#include "app/MainForm.h"
#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "platform/framework/Application.h"
#include "platform/controls/Button.h"
#include "screens/DepartPropForm.h"
#include "screens/PostForm.h"
#include "screens/RolePropForm.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

using LauncherTest = ScreenTest;

// A work screen that counts its instances, to see each opening build a new one.
int g_liveScreens = 0;
int g_builtScreens = 0;
class TCountedPostForm : public TPostForm {
public:
    explicit TCountedPostForm(TComponent* owner) : TPostForm(owner)
    {
        ++g_liveScreens;
        ++g_builtScreens;
    }
    ~TCountedPostForm() override { --g_liveScreens; }
};

} // namespace

TEST_F(LauncherTest, LauncherMatchesItsDefinition)
{
    TMainForm form(nullptr);
    EXPECT_EQ(form.Caption(), "MainForm");
    EXPECT_EQ(form.ClientWidth(), 398);
    EXPECT_EQ(form.ClientHeight(), 314);
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(form.Position(), poScreenCenter);
    EXPECT_EQ(form.Color(), 15658734);
    EXPECT_EQ(form.Font().Name(), "宋体");
    EXPECT_EQ(form.Font().Height(), -14);
    EXPECT_EQ(form.Font().Charset(), ANSI_CHARSET);

    struct Row {
        TButton* button;
        const char* caption;
        int left, top, tabOrder;
    } rows[] = {{form.btnPost, "岗位字典", 112, 16, 0},
                {form.btnUser, "用户管理", 113, 64, 2},
                {form.btnOrg, "组织机构", 113, 113, 1},
                {form.btnRight, "权限设置", 113, 169, 3},
                {form.Button5, "权限查询", 112, 224, 4}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.caption);
        EXPECT_EQ(r.button->Caption(), QString::fromUtf8(r.caption));
        EXPECT_EQ(r.button->BoundsRect(), Bounds(r.left, r.top, 105, 25));
        EXPECT_EQ(r.button->TabOrder(), r.tabOrder);
        EXPECT_TRUE(r.button->ParentFont());
        EXPECT_FALSE(r.button->Default());
        EXPECT_FALSE(r.button->Cancel());
    }
}

TEST_F(LauncherTest, TabMovesInTabOrderNotVerticalOrder)
{
    TMainForm form(nullptr);
    form.Show();
    form.btnPost->SetFocus();
    std::vector<QString> visited;
    for (int i = 0; i < 5; ++i) {
        SendKey(form.ActiveControl()->Widget(), Qt::Key_Tab);
        visited.push_back(form.ActiveControl()->Caption());
    }
    EXPECT_EQ(visited, (std::vector<QString>{"组织机构", "用户管理", "权限设置", "权限查询", "岗位字典"}));
    SendKey(form.ActiveControl()->Widget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(form.ActiveControl(), form.Button5);
    form.Hide();
}

TEST_F(LauncherTest, QueryButtonIsEnabledAndDoesNothing)
{
    TMainForm form(nullptr);
    int modalShown = 0;
    Application()->SetModalHook([&](TCustomForm* f) {
        ++modalShown;
        f->Close();
    });
    EXPECT_TRUE(form.Button5->Enabled());
    EXPECT_FALSE(form.Button5->OnClick);
    form.Button5->Click();
    QApplication::processEvents();
    EXPECT_EQ(modalShown, 0);
    EXPECT_TRUE(messages.empty());
}

TEST_F(LauncherTest, EachOpeningBuildsAFreshScreenAndFreesItAfterClosing)
{
    g_liveScreens = g_builtScreens = 0;
    std::vector<bool> launcherEnabledWhileOpen;
    TMainForm launcher(nullptr);
    launcher.Show();
    Application()->SetModalHook([&](TCustomForm* screen) {
        launcherEnabledWhileOpen.push_back(launcher.Widget()->isEnabled());
        EXPECT_TRUE(screen->Visible());
        EXPECT_EQ(g_liveScreens, 1);
        screen->Close(); // the close box
    });
    ShowModalForm(ScreenClass<TCountedPostForm>());
    EXPECT_EQ(g_liveScreens, 0);
    ShowModalForm(ScreenClass<TCountedPostForm>());
    EXPECT_EQ(g_liveScreens, 0);
    EXPECT_EQ(g_builtScreens, 2);
    EXPECT_EQ(launcherEnabledWhileOpen, (std::vector<bool>{false, false}));
    EXPECT_TRUE(launcher.Widget()->isEnabled());
    launcher.Hide();
}

TEST_F(LauncherTest, CloseBoxOfAWorkScreenEndsTheModalLoopWithCancel)
{
    TPostForm screen(nullptr);
    Application()->SetModalHook([](TCustomForm* f) {
        QCloseEvent close;
        QApplication::sendEvent(f->Widget(), &close);
    });
    EXPECT_EQ(screen.ShowModal(), mrCancel);
    EXPECT_FALSE(screen.Visible());
}

TEST_F(LauncherTest, ScreenIsFreedWhenShowingFails)
{
    g_liveScreens = 0;
    class TFailingForm : public TCountedPostForm {
    public:
        using TCountedPostForm::TCountedPostForm;
    };
    auto make = [](TComponent* owner) -> TCustomForm* {
        auto* f = new TCountedPostForm(owner);
        f->Show(); // a visible window cannot be made modal
        return f;
    };
    EXPECT_THROW(ShowModalForm(make), EInvalidOperation);
    EXPECT_EQ(g_liveScreens, 0);
}

TEST_F(LauncherTest, ErrorInAHandlerIsShownAndTheScreenStaysOpen)
{
    TPostForm screen(nullptr);
    bool stillOpenAfterError = false;
    Application()->SetModalHook([&](TCustomForm* f) {
        auto* thrower = new TButton(f);
        thrower->SetParent(f);
        thrower->OnClick = TNotifyEvent([](TObject*) { throw EListError("List index out of bounds (7)"); });
        thrower->Show();
        // Pressed through the window layer, as a user would.
        static_cast<QPushButton*>(thrower->Widget())->click();
        QApplication::processEvents();
        stillOpenAfterError = f->Visible() && f->InModalLoop();
        f->SetModalResult(mrOk);
    });
    EXPECT_EQ(screen.ShowModal(), mrOk);
    EXPECT_TRUE(stillOpenAfterError);
    ASSERT_EQ(messages.size(), 1u);
    // The default error box closes a message with a period unless it ends in punctuation.
    EXPECT_EQ(messages[0], "List index out of bounds (7)");
}

TEST_F(LauncherTest, EveryScreenHasItsWindowProperties)
{
    struct Expect {
        const char* cls;
        const char* caption;
        int width, height, fontHeight;
    } table[] = {{"TMainForm", "MainForm", 398, 314, -14},
                 {"TOrgForm", "组织机构管理", 798, 576, -12},
                 {"TUserForm", "用户管理", 798, 576, -12},
                 {"TPostForm", "岗位管理", 798, 576, -12},
                 {"TRightSetForm", "权限设置", 798, 576, -12},
                 {"TDepartPropForm", "部门属性", 563, 130, -12}, // its creation handler collapses it
                 {"TRolePropForm", "角色属性(部门岗位)", 440, 334, -12},
                 {"TPasswordForm", "设置密码", 330, 126, -12},
                 {"TSignatureForm", "签名图片", 380, 226, -12},
                 {"TPickListForm", "选择", 400, 360, -12},
                 {"TPostPickerForm", "选择岗位", 440, 400, -12},
                 {"TTreePickForm", "选择", 440, 400, -12}};
    ASSERT_EQ(ScreenCatalog().size(), std::size(table));
    for (const Expect& e : table) {
        SCOPED_TRACE(e.cls);
        const ScreenEntry* entry = FindScreen(e.cls);
        ASSERT_NE(entry, nullptr);
        std::unique_ptr<TCustomForm> form(entry->make(nullptr));
        EXPECT_STREQ(form->ClassName(), e.cls);
        EXPECT_FALSE(form->Visible());
        const QJsonObject dump = DumpForm(form.get());
        EXPECT_EQ(dump["caption"].toString(), QString::fromUtf8(e.caption));
        EXPECT_EQ(dump["clientWidth"].toInt(), e.width);
        EXPECT_EQ(dump["clientHeight"].toInt(), e.height);
        EXPECT_EQ(form->Font().Height(), e.fontHeight);
        EXPECT_EQ(form->Font().Name(), "宋体");
        EXPECT_EQ(form->Color(), 0xEEEEEE);
        EXPECT_EQ(form->BorderStyle(), bsDialog);
        EXPECT_EQ(form->Position(), poScreenCenter);
        const QImage picture = RenderForm(form.get());
        EXPECT_EQ(picture.size(), QSize(e.width, e.height));
    }
}

TEST_F(LauncherTest, DumpListsTheLauncherButtons)
{
    TMainForm form(nullptr);
    const QJsonArray children = DumpForm(&form)["children"].toArray();
    ASSERT_EQ(children.size(), 5);
    const QJsonObject post = children[0].toObject();
    EXPECT_EQ(post["class"].toString(), "TButton");
    EXPECT_EQ(post["name"].toString(), "btnPost");
    EXPECT_EQ(post["caption"].toString(), "岗位字典");
    EXPECT_EQ(post["left"].toInt(), 112);
    EXPECT_EQ(post["tabOrder"].toInt(), 0);
    EXPECT_TRUE(post["visible"].toBool());
}

TEST_F(LauncherTest, HiddenDialogsOfStartUpAreNeverShown)
{
    TMainForm* main = nullptr;
    TRolePropForm* role = nullptr;
    TDepartPropForm* depart = nullptr;
    TApplication app;
    app.CreateForm(main);
    app.CreateForm(role);
    app.CreateForm(depart);
    EXPECT_EQ(app.MainForm(), main);
    EXPECT_EQ(depart->ClientHeight(), TDepartPropForm::kShortHeight);
    main->Show();
    Application()->SetModalHook([](TCustomForm* f) { f->Close(); });
    main->btnPost->Click();
    main->btnOrg->Click();
    EXPECT_FALSE(role->Visible());
    EXPECT_FALSE(depart->Visible());
    EXPECT_FALSE(role->Widget()->isVisible());
    EXPECT_FALSE(depart->Widget()->isVisible());
    app.DestroyForms();
    EXPECT_EQ(app.MainForm(), nullptr);
}
