// An administrator's day on a store of their own: what they enter is saved,
// survives the program, and a second administrator's change to the same record
// is neither overwritten nor lost.

#include <algorithm>
#include <functional>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include "LauncherSession.h"

using namespace desktop;

namespace {

const QString kLauncher = QStringLiteral("MainForm");
const QString kUsers = QStringLiteral("用户管理");
const QString kPassword = QStringLiteral("secret-pass-1");

struct Screen {
    const char* button; // on the launcher
    const char* caption;
    const char* className;
};
const Screen kOrganisation{"组织机构", "组织机构管理", "TOrgForm"};
const Screen kPosts{"岗位字典", "岗位管理", "TPostForm"};
const Screen kUserScreen{"用户管理", "用户管理", "TUserForm"};
const Screen kRights{"权限设置", "权限设置", "TRightSetForm"};

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

// The one window of that caption that is not among `known`.
::testing::AssertionResult WaitForNewWindow(const QString& caption, const std::vector<QString>& known, QString* id)
{
    const QDeadlineTimer deadline(kWaitMs);
    while (!deadline.hasExpired()) {
        for (const QString& w : WindowsNamed(caption))
            if (std::find(known.begin(), known.end(), w) == known.end()) {
                *id = w;
                return ::testing::AssertionSuccess();
            }
        QThread::msleep(50);
    }
    return ::testing::AssertionFailure() << "no new window named " << caption.toStdString();
}

class AdminDayE2e : public ::testing::Test {
protected:
    void SetUp() override
    {
        XSession& session = XSession::Instance();
        ASSERT_TRUE(session.Ready()) << session.Error().toStdString();
        ASSERT_TRUE(dir.isValid());
        store = dir.filePath(QStringLiteral("day.db"));
        ASSERT_EQ(Run({QStringLiteral("--store-info")}).exitCode, 0);
    }

    // The program run off screen on the test's store, to its end.
    ToolResult Run(QStringList args)
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(env);
        p.start(ProgramPath(), args << QStringLiteral("--store") << store);
        ToolResult r;
        r.finished = p.waitForFinished(60000);
        r.exitCode = p.exitCode();
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }

    // The store's table as --export writes it, password hashes included.
    QJsonArray Stored(const char* table)
    {
        const QString file = dir.filePath(QStringLiteral("export.json"));
        QFile::remove(file);
        const ToolResult r = Run({QStringLiteral("--export"), file, QStringLiteral("--with-secrets")});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QJsonDocument::fromJson(f.readAll()).object()[QLatin1String("tables")].toObject()[QLatin1String(table)].toArray();
    }
    // Polls the store until a record of the table passes the check.
    ::testing::AssertionResult WaitForStored(const char* table, const std::function<bool(const QJsonObject&)>& check)
    {
        const QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            for (const QJsonValue record : Stored(table))
                if (check(record.toObject()))
                    return ::testing::AssertionSuccess();
            QThread::msleep(200);
        }
        return ::testing::AssertionFailure() << "the store's " << table << " has no such record; it holds "
                                             << QJsonDocument(Stored(table)).toJson(QJsonDocument::Compact).toStdString();
    }
    QJsonObject StoredUser(const QString& login)
    {
        for (const QJsonValue u : Stored("users"))
            if (u[QLatin1String("login")].toString() == login)
                return u.toObject();
        return {};
    }

    // The screen as it opens on the store, drawn off screen.
    QImage Rendered(const char* className)
    {
        const QString out = dir.filePath(QStringLiteral("pictures"));
        QDir(out).removeRecursively();
        EXPECT_EQ(Run({QStringLiteral("--render"), QLatin1String(className), QStringLiteral("--out"), out}).exitCode, 0);
        return QImage(QDir(out).filePath(QLatin1String(className) + QStringLiteral(".png"))).convertToFormat(QImage::Format_RGB32);
    }

    // Starts the program on the store and returns its launcher.
    QString Start(AppProcess& app)
    {
        const std::vector<QString> known = WindowsNamed(kLauncher);
        EXPECT_TRUE(app.Start({QStringLiteral("--store"), store}));
        QString launcher;
        EXPECT_TRUE(WaitForNewWindow(kLauncher, known, &launcher)) << app.Output().toStdString();
        return launcher;
    }
    QString Open(const QString& launcher, const Screen& screen)
    {
        const std::vector<QString> known = WindowsNamed(Utf8(screen.caption));
        MovePointerAway();
        ClickOn(launcher, "TMainForm", screen.button);
        QString id;
        EXPECT_TRUE(WaitForNewWindow(Utf8(screen.caption), known, &id));
        EXPECT_TRUE(WaitForFocus(id));
        return id;
    }
    void ClickOn(const QString& window, const char* className, const char* control)
    {
        Click(ClientRect(window).topLeft() + ControlRect(QLatin1String(className), Utf8(control)).center());
    }
    // Clicks the user grid's cell in the column `col` on the row of `login`.
    void ClickUserCell(const QString& window, const QString& login, int col)
    {
        const QJsonArray cells = LiveControl(QStringLiteral("TUserForm"), QStringLiteral("TavikPTGrid1"))[QLatin1String("cells")].toArray();
        int row = 0;
        while (row < cells.size() && cells[row].toArray()[1].toString() != login)
            ++row;
        ASSERT_LT(row, cells.size()) << login.toStdString() << " is not listed";
        ClickCell(window, QStringLiteral("TUserForm"), QStringLiteral("TavikPTGrid1"), col, row);
    }
    // A control of the screen as it opens on the store, and where it is in the
    // screen's client area.
    QJsonObject LiveControl(const QString& className, const QString& name, QPoint* at = nullptr)
    {
        const ToolResult r = Run({QStringLiteral("--dump"), className});
        struct Pending {
            QJsonObject control;
            QPoint origin;
        };
        std::vector<Pending> pending;
        for (const QJsonValue child : QJsonDocument::fromJson(r.out).object()[QLatin1String("children")].toArray())
            pending.push_back({child.toObject(), QPoint()});
        while (!pending.empty()) {
            const Pending p = pending.back();
            pending.pop_back();
            const QPoint origin = p.origin + QPoint(p.control[QLatin1String("left")].toInt(), p.control[QLatin1String("top")].toInt());
            if (p.control[QLatin1String("name")].toString() == name) {
                if (at)
                    *at = origin;
                return p.control;
            }
            for (const QJsonValue child : p.control[QLatin1String("children")].toArray())
                pending.push_back({child.toObject(), origin});
        }
        ADD_FAILURE() << className.toStdString() << " has no control " << name.toStdString();
        return {};
    }
    // Clicks the cell (col, row) of a grid as the screen shows it when it opens on the store.
    void ClickCell(const QString& window, const QString& className, const QString& gridName, int col, int row)
    {
        QPoint at;
        const QJsonObject grid = LiveControl(className, gridName, &at);
        const QJsonArray widths = grid[QLatin1String("colWidths")].toArray();
        const QJsonArray heights = grid[QLatin1String("rowHeights")].toArray();
        ASSERT_LT(col, widths.size());
        ASSERT_LT(row, heights.size());
        at += QPoint(1, 1);
        for (int c = 0; c < col; ++c)
            at.rx() += widths[c].toInt() + 1;
        for (int r = 0; r < row; ++r)
            at.ry() += heights[r].toInt() + 1;
        Click(ClientRect(window).topLeft() + at + QPoint(widths[col].toInt() / 2, heights[row].toInt() / 2));
    }
    void Quit(const QString& window, const char* className, const Screen* screen = nullptr)
    {
        ClickOn(window, className, "退出");
        if (screen) {
            EXPECT_TRUE(WaitForNoWindowId(window));
        }
    }
    ::testing::AssertionResult WaitForNoWindowId(const QString& id)
    {
        const QDeadlineTimer deadline(kWaitMs);
        while (!deadline.hasExpired()) {
            bool found = false;
            for (const QString& caption : {kLauncher, kUsers, Utf8(kOrganisation.caption), Utf8(kPosts.caption)})
                for (const QString& w : WindowsNamed(caption))
                    found = found || w == id;
            if (!found)
                return ::testing::AssertionSuccess();
            QThread::msleep(50);
        }
        return ::testing::AssertionFailure() << "window " << id.toStdString() << " is still there";
    }
    void CloseProgram(AppProcess& app, const QString& launcher)
    {
        Click(CloseBoxPoint(ClientRect(launcher)));
        EXPECT_TRUE(WaitForNoWindowId(launcher));
        app.Stop();
    }

    QTemporaryDir dir;
    QString store;
};

TEST_F(AdminDayE2e, WhatIsEnteredIsKeptAndASecondAdministratorsChangeIsNeitherOverwrittenNorLost)
{
    AppProcess first;
    QString launcher = Start(first);

    {
        SCOPED_TRACE("a department under the company the chart selects");
        const QString org = Open(launcher, kOrganisation);
        ClickOn(org, kOrganisation.className, "新增部门");
        QString dialog;
        ASSERT_TRUE(WaitForWindow(QStringLiteral("部门属性"), &dialog));
        ASSERT_TRUE(WaitForFocus(dialog));
        Type(QStringLiteral("E2E Audit"));
        Key(QStringLiteral("Tab"));
        Type(QStringLiteral("E2E.A"));
        Key(QStringLiteral("Return"));
        ASSERT_TRUE(WaitForNoWindow(QStringLiteral("部门属性")));
        ClickOn(org, kOrganisation.className, "保存");
        EXPECT_TRUE(WaitForStored("org_unit", [](const QJsonObject& u) {
            return u[QLatin1String("name")].toString() == QLatin1String("E2E Audit")
                && u[QLatin1String("code")].toString() == QLatin1String("E2E.A");
        }));
        Quit(org, kOrganisation.className, &kOrganisation);
    }
    {
        SCOPED_TRACE("a post in the dictionary");
        const QString posts = Open(launcher, kPosts);
        ClickOn(posts, kPosts.className, "新增");
        Type(QStringLiteral("E2E.P"));
        Key(QStringLiteral("Tab"));
        Type(QStringLiteral("E2E Post"));
        Key(QStringLiteral("Return"));
        ClickOn(posts, kPosts.className, "保存");
        EXPECT_TRUE(WaitForStored("post", [](const QJsonObject& p) {
            return p[QLatin1String("code")].toString() == QLatin1String("E2E.P")
                && p[QLatin1String("name")].toString() == QLatin1String("E2E Post");
        }));
        Quit(posts, kPosts.className, &kPosts);
    }
    {
        SCOPED_TRACE("a user with a password");
        const QString users = Open(launcher, kUserScreen);
        ClickOn(users, kUserScreen.className, "新增用户");
        Type(QStringLiteral("e2euser"));
        Key(QStringLiteral("Tab"));
        Type(QStringLiteral("E2E User"));
        Key(QStringLiteral("Tab"));
        Key(QStringLiteral("Return")); // on the password cell
        QString dialog;
        ASSERT_TRUE(WaitForWindow(QStringLiteral("设置密码"), &dialog));
        ASSERT_TRUE(WaitForFocus(dialog));
        Type(kPassword);
        Key(QStringLiteral("Tab"));
        Type(kPassword);
        Key(QStringLiteral("Return"));
        ASSERT_TRUE(WaitForNoWindow(QStringLiteral("设置密码")));

        // A signature picture, taken from a file through the file dialog.
        const QString picture = dir.filePath(QStringLiteral("signature.png"));
        QImage drawn(120, 40, QImage::Format_RGB32);
        drawn.fill(Qt::darkBlue);
        ASSERT_TRUE(drawn.save(picture));
        Key(QStringLiteral("Tab"));
        Key(QStringLiteral("Return")); // on the signature cell
        ASSERT_TRUE(WaitForWindow(QStringLiteral("签名图片"), &dialog));
        ASSERT_TRUE(WaitForFocus(dialog));
        Key(QStringLiteral("alt+b"));
        QString files;
        ASSERT_TRUE(WaitForWindow(QStringLiteral("选择签名图片"), &files));
        ASSERT_TRUE(WaitForFocus(files));
        Type(picture);
        Key(QStringLiteral("Return"));
        ASSERT_TRUE(WaitForNoWindow(QStringLiteral("选择签名图片")));
        // 浏览 keeps the focus, so Enter would browse again: 确定 is clicked.
        ASSERT_TRUE(WaitForFocus(dialog));
        ClickOn(dialog, "TSignatureForm", "确定");
        ASSERT_TRUE(WaitForNoWindow(QStringLiteral("签名图片")));

        ClickOn(users, kUserScreen.className, "保存");
        EXPECT_TRUE(WaitForStored("users", [](const QJsonObject& u) {
            return u[QLatin1String("login")].toString() == QLatin1String("e2euser")
                && u[QLatin1String("name")].toString() == QLatin1String("E2E User")
                && u[QLatin1String("password_hash")].toString().startsWith(QLatin1String("$argon2id$"))
                && !u[QLatin1String("signature")].toString().isEmpty();
        }));
        Quit(users, kUserScreen.className, &kUserScreen);
    }
    // After the file dialog on purpose: one that read the store's file, which
    // lies in the same folder, once made every later save of the program vanish.
    {
        SCOPED_TRACE("rights of the new department on page 4");
        qint64 department = 0;
        for (const QJsonValue u : Stored("org_unit"))
            if (u[QLatin1String("name")].toString() == QLatin1String("E2E Audit"))
                department = u[QLatin1String("id")].toInteger();
        ASSERT_NE(department, 0);
        const QString rights = Open(launcher, kRights);
        // The tree's top node, then its incremental search finds the department.
        QPoint tree;
        LiveControl(QLatin1String(kRights.className), QStringLiteral("tvFullOrg"), &tree);
        Click(ClientRect(rights).topLeft() + tree + QPoint(60, 10));
        Type(QStringLiteral("E2E"));
        Click(ClientRect(rights).topLeft() + QPoint(602, 38)); // page 4's tab
        // 浏览自己 of the first function, 材料管理.
        ClickCell(rights, QLatin1String(kRights.className), QStringLiteral("TavikPTGrid7"), 2, 1);
        Key(QStringLiteral("ctrl+s"));
        EXPECT_TRUE(WaitForStored("access_right", [department](const QJsonObject& r) {
            return r[QLatin1String("holder_id")].toInteger() == department && r[QLatin1String("browse_own")].toInt() == 1;
        }));
        Quit(rights, kRights.className, &kRights);
    }
    CloseProgram(first, launcher);

    // Started again, every screen shows what the store holds, as the program
    // draws it off screen from the same store.
    AppProcess again;
    launcher = Start(again);
    for (const Screen* screen : {&kOrganisation, &kPosts, &kRights, &kUserScreen}) {
        SCOPED_TRACE(screen->className);
        const QString id = Open(launcher, *screen);
        MovePointerAway();
        EXPECT_TRUE(WaitForPicture(id, Rendered(screen->className), QLatin1String(screen->className) + QStringLiteral("-kept")));
        if (screen != &kUserScreen)
            Quit(id, screen->className, screen);
    }
    const QString users = WindowsNamed(kUsers).front();
    const ToolResult dumped = Run({QStringLiteral("--dump"), QStringLiteral("TOrgForm")});
    EXPECT_TRUE(dumped.out.contains("E2E Audit"));

    // The first administrator renames the user and has not saved yet when a
    // second one, on another program, changes the same user's note and saves.
    ClickUserCell(users, QStringLiteral("e2euser"), 2);
    Type(QStringLiteral("Renamed by A"));
    Key(QStringLiteral("Return"));
    {
        SCOPED_TRACE("the second administrator");
        AppProcess second;
        const QString otherLauncher = Start(second);
        const QString otherUsers = Open(otherLauncher, kUserScreen);
        ClickUserCell(otherUsers, QStringLiteral("e2euser"), 6);
        Type(QStringLiteral("Changed by B"));
        Key(QStringLiteral("Return"));
        ClickOn(otherUsers, kUserScreen.className, "保存");
        EXPECT_TRUE(WaitForStored("users", [](const QJsonObject& u) {
            return u[QLatin1String("note")].toString() == QLatin1String("Changed by B");
        }));
        Quit(otherUsers, kUserScreen.className, &kUserScreen);
        CloseProgram(second, otherLauncher);
    }

    // The first one's save is refused with a message; keeping the changes on
    // the screen (No), nothing of either is lost.
    const QImage beforeSave = CaptureWindow(users);
    ClickOn(users, kUserScreen.className, "保存");
    QString message;
    ASSERT_TRUE(WaitForNewWindow(kUsers, {users}, &message));
    Key(QStringLiteral("Escape"));
    EXPECT_TRUE(WaitForNoWindowId(message));
    const QJsonObject stored = StoredUser(QStringLiteral("e2euser"));
    EXPECT_EQ(stored[QLatin1String("name")].toString(), QStringLiteral("E2E User"));
    EXPECT_EQ(stored[QLatin1String("note")].toString(), QStringLiteral("Changed by B"));
    MovePointerAway();
    EXPECT_TRUE(WaitForPicture(users, beforeSave, QStringLiteral("unsaved-rename-kept")));
    // The screen still shows the rename, which the store does not hold.
    EXPECT_FALSE(DifferingPixels(CaptureWindow(users), Rendered("TUserForm")).empty());

    // Closing the screen asks, for the rename is still not saved; No discards it.
    Quit(users, kUserScreen.className);
    ASSERT_TRUE(WaitForNewWindow(kUsers, {users}, &message));
    Key(QStringLiteral("alt+n"));
    EXPECT_TRUE(WaitForNoWindowId(users));
    CloseProgram(again, launcher);
    EXPECT_EQ(StoredUser(QStringLiteral("e2euser"))[QLatin1String("name")].toString(), QStringLiteral("E2E User"));
}

} // namespace
