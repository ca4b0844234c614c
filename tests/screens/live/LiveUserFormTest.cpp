#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include <QApplication>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/Action.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/TreeView.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveStore.h"
#include "screens/live/LiveUsers.h"
#include "screens/dialogs/PasswordForm.h"
#include "screens/dialogs/PostPicker.h"
#include "screens/UserForm.h"
#include "store/PasswordHash.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

// The user screen on a real SQLite store: 公司 › 财务部 › 会计 (a post unit);
// zhang holds 会计 in 财务部 and administers it, wang works in 公司, li has
// no post.
class LiveUserForm : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        store = Open();
        auto user = [](const char* login, const char* name) {
            return QVariantList{QString::fromUtf8(login), QString::fromUtf8(name), QVariant(), QVariant(), 1, QVariant()};
        };
        auto unit = [](qint64 parent, int kind, const char* name) {
            return QVariantList{parent ? QVariant(parent) : QVariant(), 0, kind, QString::fromUtf8(name), QVariant(),
                                QVariant(), 0, QVariant()};
        };
        store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P.K"), QStringLiteral("会计"), QVariant()}, -1),
                     StoreChange::Insert(TableId::User, user("zhang", "张三"), -2),
                     StoreChange::Insert(TableId::User, user("li", "李四"), -3),
                     StoreChange::Insert(TableId::User, user("wang", "王五"), -4),
                     StoreChange::Insert(TableId::OrgUnit, unit(0, 0, "公司"), -5),
                     StoreChange::Insert(TableId::OrgUnit, unit(-5, 1, "财务部"), -6),
                     StoreChange::Insert(TableId::OrgUnit, unit(-6, 2, "会计"), -7),
                     StoreChange::Insert(TableId::UserPost, {-2, -1, -6}),
                     StoreChange::Insert(TableId::DeptAdmin, {-6, -2}),
                     StoreChange::Insert(TableId::UnitUser, {-5, -4})});
        SetLiveStore(store.get());
        form = std::make_unique<TUserForm>(nullptr);
        grid = form->TavikPTGrid1;
        posts = form->TavikPTGrid2;
        form->Show();
        form->Widget()->activateWindow();
        QApplication::processEvents();
        form->SetActiveControl(grid);
    }
    void TearDown() override
    {
        form.reset();
        SetLiveStore(nullptr);
        ScreenTest::TearDown();
    }
    std::unique_ptr<RightsStore> Open() { return RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db"))); }
    void Run(const char* action) { ASSERT_TRUE(form->Find<TAction>(QString::fromLatin1(action))->Execute()); }
    void Select(const char* node)
    {
        TTreeNode* n = form->Users()->NodeNamed(QString::fromUtf8(node));
        ASSERT_NE(n, nullptr) << node;
        form->TreeView1->SetSelected(n);
    }
    void Type(int col, int row, const QString& text)
    {
        grid->Cell(col, row)->SetValue(QString());
        grid->MoveCurrent(col, row, true, false, false, true);
        SendKey(grid, Qt::Key_unknown, {}, QEvent::KeyPress, text);
    }
    std::string Logins() { return ColTexts(*grid, LiveUsers::LoginCol); }
    // login|name|password set|enabled|note of every stored user, in id order.
    std::string Stored()
    {
        std::string out;
        for (const StoreRecord& r : Open()->Load(TableId::User))
            out += (out.empty() ? "" : ";") + r.values[Col::UserLogin].toString().toStdString() + "|"
                   + r.values[Col::UserName].toString().toStdString() + "|"
                   + (r.values[Col::UserPassword].isNull() ? "-" : "pw") + "|"
                   + r.values[Col::UserEnabled].toString().toStdString() + "|"
                   + r.values[Col::UserNote].toString().toStdString();
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<RightsStore> store;
    std::unique_ptr<TUserForm> form;
    TTavikPTGrid* grid = nullptr;
    TTavikPTGrid* posts = nullptr;
};

const std::string Seeded = "zhang|张三|-|1|;li|李四|-|1|;wang|王五|-|1|";

TEST_F(LiveUserForm, TheTreeChoosesWhoseUsersAreListed)
{
    const struct {
        const char* node;
        const char* logins;
    } cases[] = {
        {"1.全部", "登录账号|zhang|li|wang"},
        {"0.未分类", "登录账号|li|wang"},
        {"公司", "登录账号|zhang|wang"},
        {"财务部", "登录账号|zhang"},
        {"会计", "登录账号"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        Select(c.node);
        EXPECT_EQ(Logins(), c.logins);
    }
    // The current user's posts, with the units above the post but the top one.
    Select("财务部");
    grid->MoveCurrent(1, 1, true, false, false, true);
    EXPECT_EQ(RowTexts(*posts, 1), "|会计|P.K|财务部");
    EXPECT_EQ(posts->RowCount(), 2);
}

TEST_F(LiveUserForm, ChangesInOneListAreKeptWhileAnotherIsShownAndSavedTogether)
{
    Select("0.未分类");
    Type(LiveUsers::NameCol, 1, QStringLiteral("李四四"));
    Select("公司");
    Type(LiveUsers::NoteCol, 2, QStringLiteral("'); DROP TABLE users; --"));
    grid->Cell(LiveUsers::EnabledCol, 1)->SetValue(QStringLiteral("F"));
    Run("acAdd");
    EXPECT_EQ(Logins(), "登录账号|zhang|wang|");
    EXPECT_EQ(grid->Current().Y, 3);
    Type(LiveUsers::LoginCol, 3, QStringLiteral("zhao"));
    Type(LiveUsers::NameCol, 3, QStringLiteral("赵六"));
    EXPECT_EQ(Stored(), Seeded);
    Run("acSave");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Stored(), "zhang|张三|-|0|;li|李四四|-|1|;wang|王五|-|1|'); DROP TABLE users; --;zhao|赵六|-|1|");
    EXPECT_FALSE(form->Live()->Dirty());
    // Saved, the new user has no post: it is listed under 未分类 only.
    EXPECT_EQ(Logins(), "登录账号|zhang|wang");

    // Clicked on the toolbar while the tree has the focus, the new login still
    // gets what is typed next, not the tree's incremental search.
    form->SetActiveControl(form->TreeView1);
    Run("acAdd");
    EXPECT_TRUE(grid->Focused());
}

TEST_F(LiveUserForm, ABadCellIsNamedAndShownEvenFromAnotherList)
{
    const struct {
        int col;
        QString text;
        const char* message;
        int row;
    } cases[] = {
        {LiveUsers::LoginCol, QStringLiteral("li"), "Row 2: The login “li” is already used by 张三.", 2},
        {LiveUsers::LoginCol, QString(), "Row 1: The login is empty.", 1},
        {LiveUsers::LoginCol, QString(65, QLatin1Char('x')), "Row 1: The login is longer than 64 characters.", 1},
        {LiveUsers::NameCol, QString(), "Row 1: The user name is empty.", 1},
        {LiveUsers::NameCol, QString(201, QLatin1Char('x')), "Row 1: The user name is longer than 200 characters.", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        Run("acCancel");
        Select("财务部");
        grid->Cell(c.col, 1)->SetValue(c.text);
        Run("acSave");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message) + QStringLiteral("\n\nNothing was saved."));
        EXPECT_EQ(grid->Current().X, c.col);
        EXPECT_EQ(grid->Current().Y, c.row);
        EXPECT_EQ(Stored(), Seeded);
    }
}

TEST_F(LiveUserForm, DeletingAUserAsksAndTakesItsRelationsAlong)
{
    Select("财务部");
    grid->MoveCurrent(1, 1, true, false, false, true);
    answers = {mrNo};
    Run("acDelete");
    EXPECT_EQ(Logins(), "登录账号|zhang");
    answers = {mrYes};
    Run("acDelete");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1], QStringLiteral("Delete the user 张三? The deletion is written by 保存."));
    EXPECT_EQ(Logins(), "登录账号");
    Run("acSave");
    EXPECT_EQ(Stored(), "li|李四|-|1|;wang|王五|-|1|");
    auto reopened = Open();
    EXPECT_EQ(reopened->Count(TableId::UserPost), 0);
    EXPECT_EQ(reopened->Count(TableId::DeptAdmin), 0);
    EXPECT_EQ(reopened->Count(TableId::UnitUser), 1);
}

TEST_F(LiveUserForm, TheDeleteUnderThePostGridTakesAPostAway)
{
    Select("财务部");
    grid->MoveCurrent(1, 1, true, false, false, true);
    form->SetActiveControl(posts);
    posts->MoveCurrent(1, 1, true, false, false, true);
    Run("acDelete");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(posts->RowCount(), 1);
    EXPECT_TRUE(form->Live()->Dirty());
    Run("acSave");
    EXPECT_EQ(Open()->Count(TableId::UserPost), 0);
    EXPECT_EQ(Stored(), Seeded);
    // Now without a post, zhang is listed under 未分类.
    Select("0.未分类");
    EXPECT_EQ(Logins(), "登录账号|zhang|li|wang");
}

TEST_F(LiveUserForm, ThePasswordCellOpensTheDialogAndStoresOnlyAHash)
{
    // The dialog is answered from the keyboard: a mismatch first, then a match.
    int dialogsOpened = 0;
    Application()->SetModalHook([&](TCustomForm* f) {
        auto* dialog = dynamic_cast<TPasswordForm*>(f);
        ASSERT_NE(dialog, nullptr);
        ++dialogsOpened;
        EXPECT_EQ(dialog->Edit1->PasswordChar(), QLatin1Char('*'));
        EXPECT_EQ(dialog->Edit2->PasswordChar(), QLatin1Char('*'));
        dialog->Edit1->SetText(QStringLiteral("secret-one"));
        dialog->Edit2->SetText(QStringLiteral("secret-two"));
        dialog->SetActiveControl(dialog->Edit2);
        SendKey(dialog->Edit2, Qt::Key_Return);
        EXPECT_EQ(dialog->ModalResult(), mrNone);
        EXPECT_EQ(dialog->Edit1->Text(), QString());
        dialog->Edit1->SetText(QStringLiteral("秘密的口令一二三"));
        dialog->Edit2->SetText(QStringLiteral("秘密的口令一二三"));
        SendKey(dialog->Edit2, Qt::Key_Return);
        // Never left waiting for a window nobody answers.
        if (dialog->ModalResult() != mrOk) {
            ADD_FAILURE() << "Enter did not close the password dialog: " << messages.back().toStdString();
            dialog->SetModalResult(mrCancel);
        }
    });
    Select("1.全部");
    grid->MoveCurrent(LiveUsers::PasswordCol, 2, true, false, false, true);
    EXPECT_EQ(grid->Current().X, LiveUsers::PasswordCol);
    SendKey(grid, Qt::Key_Return);
    EXPECT_EQ(dialogsOpened, 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("The password and its confirmation differ."));
    EXPECT_EQ(grid->GetCellValue(LiveUsers::PasswordCol, 2), QStringLiteral("修改"));
    Run("acSave");
    const auto users = Open()->Load(TableId::User);
    const QString hash = users[1].values[Col::UserPassword].toString();
    EXPECT_TRUE(hash.startsWith(QStringLiteral("$argon2id$")));
    EXPECT_TRUE(VerifyPassword(hash, QStringLiteral("秘密的口令一二三")));
    EXPECT_TRUE(users[0].values[Col::UserPassword].isNull());
}

TEST_F(LiveUserForm, SelectPostGivesTheCurrentUserPostsAsTheOrganisationHoldsThem)
{
    // 财务部 gets a post unit standing for 会计 and the attached post 出纳.
    qint64 finance = 0;
    for (const StoreRecord& r : store->Load(TableId::OrgUnit))
        if (r.values[Col::UnitName].toString() == QStringLiteral("财务部"))
            finance = r.id;
    const qint64 accountant = store->Load(TableId::Post).at(0).id;
    store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P.C"), QStringLiteral("出纳"), QVariant()}, -1),
                 StoreChange::Insert(TableId::UnitPost, {finance, -1}),
                 StoreChange::Insert(TableId::OrgUnit, {finance, 1, 2, QStringLiteral("主管会计"), QVariant(), accountant, 0,
                                                        QVariant()})});
    Run("acRefresh");
    // Each case ticks picker rows from the keyboard for the current user.
    auto pick = [&](std::vector<int> rows) {
        Application()->SetModalHook([rows](TCustomForm* f) {
            auto* d = dynamic_cast<TPostPickerForm*>(f);
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(ColTexts(*d->TavikPTGrid1, TPostPickerForm::NameCol), "组织机构与岗位|公司|财务部|会计|主管会计|出纳");
            EXPECT_EQ(ColTexts(*d->TavikPTGrid1, TPostPickerForm::CodeCol), "岗位编码||||P.K|P.C");
            for (int row : rows) {
                d->TavikPTGrid1->MoveCurrent(TPostPickerForm::NameCol, row, true, false, false, true);
                SendKey(d->TavikPTGrid1, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
            }
            SendKey(d->TavikPTGrid1, Qt::Key_Return);
            if (d->ModalResult() != mrOk) {
                ADD_FAILURE() << "Enter did not close the picker";
                d->SetModalResult(mrCancel);
            }
        });
        Run("acSelectPost");
    };
    Select("1.全部");
    grid->MoveCurrent(LiveUsers::LoginCol, 1, true, false, false, true);
    pick({3, 4, 5}); // a unit row is not a post; zhang holds 会计 in 财务部 already
    EXPECT_EQ(ColTexts(*posts, 1), "岗位名称|会计|出纳");
    EXPECT_EQ(RowTexts(*posts, 2), "|出纳|P.C|财务部");
    // A new user gets a post before it is saved.
    Run("acAdd");
    Type(LiveUsers::LoginCol, 4, QStringLiteral("zhao"));
    Type(LiveUsers::NameCol, 4, QStringLiteral("赵六"));
    grid->MoveCurrent(LiveUsers::LoginCol, 4, true, false, false, true);
    pick({4, 5});
    EXPECT_EQ(ColTexts(*posts, 1), "岗位名称|会计|出纳"); // the dictionary's names
    // 删除 under the post grid takes a post given here away again.
    form->SetActiveControl(posts);
    posts->MoveCurrent(1, 1, true, false, false, true);
    Run("acDelete");
    EXPECT_EQ(ColTexts(*posts, 1), "岗位名称|出纳");
    Run("acSave");
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    std::set<std::string> held;
    auto reopened = Open();
    std::map<qint64, std::string> login, postName;
    for (const StoreRecord& r : reopened->Load(TableId::User))
        login[r.id] = r.values[Col::UserLogin].toString().toStdString();
    for (const StoreRecord& r : reopened->Load(TableId::Post))
        postName[r.id] = r.values[Col::PostName].toString().toStdString();
    for (const StoreRecord& r : reopened->Load(TableId::UserPost)) {
        EXPECT_EQ(r.values[Col::UserPostUnit].toLongLong(), finance);
        held.insert(login[r.values[Col::UserPostUser].toLongLong()] + ":" + postName[r.values[Col::UserPostPost].toLongLong()]);
    }
    EXPECT_EQ(held, (std::set<std::string>{"zhang:会计", "zhang:出纳", "zhao:出纳"}));
}

TEST_F(LiveUserForm, EveryCommandHasAKey)
{
    Select("1.全部");
    std::vector<std::string> shown;
    Application()->SetModalHook([&](TCustomForm* f) {
        shown.push_back(f->ClassName());
        f->SetModalResult(mrCancel);
    });
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        const char* logins;
        const char* dialog;
        int messages;
    } cases[] = {
        {Qt::Key_N, Qt::ControlModifier, "登录账号|zhang|li|wang|", nullptr, 0},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "登录账号|zhang|li|wang", nullptr, 0},
        {Qt::Key_P, Qt::ControlModifier, "登录账号|zhang|li|wang", "TPostPickerForm", 0},
        {Qt::Key_Delete, Qt::ControlModifier, "登录账号|zhang|li|wang", nullptr, 1}, // asked, answered no
        {Qt::Key_F5, Qt::NoModifier, "登录账号|zhang|li|wang", nullptr, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        shown.clear();
        messages.clear();
        answers = {mrNo};
        grid->MoveCurrent(LiveUsers::LoginCol, 1, true, false, false, true);
        SendKey(grid, c.key, c.mods);
        EXPECT_EQ(Logins(), c.logins);
        EXPECT_EQ(shown, c.dialog ? std::vector<std::string>{c.dialog} : std::vector<std::string>{});
        EXPECT_EQ(int(messages.size()), c.messages);
    }
    Application()->SetModalHook({});
}

TEST(PasswordDialog, AcceptsOnlyTwoEqualPasswordsOfEightCharactersOrMore)
{
    RunUnitStartup();
    std::vector<QString> messages;
    Application()->SetMessageBoxHook([&](const QString& text, const QString&, unsigned) {
        messages.push_back(text);
        return int(mrOk);
    });
    const struct {
        const char* password;
        const char* confirmation;
        const char* message; // nullptr: accepted
    } cases[] = {
        {"12345678", "12345679", "The password and its confirmation differ."},
        {"1234567", "1234567", "The password needs at least 8 characters."},
        {"", "", "The password needs at least 8 characters."},
        {"12345678", "12345678", nullptr},
        {"八个汉字的口令啊", "八个汉字的口令啊", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        messages.clear();
        TPasswordForm dialog(nullptr);
        EXPECT_EQ(dialog.ActiveControl(), dialog.Edit1);
        dialog.Edit1->SetText(QString::fromUtf8(c.password));
        dialog.Edit2->SetText(QString::fromUtf8(c.confirmation));
        dialog.Button1Click(nullptr);
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
            EXPECT_EQ(dialog.ModalResult(), mrNone);
        } else {
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(dialog.ModalResult(), mrOk);
            EXPECT_EQ(dialog.Password(), QString::fromUtf8(c.password));
        }
    }
    Application()->SetMessageBoxHook({});
}

} // namespace
