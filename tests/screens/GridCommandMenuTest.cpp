#include <gtest/gtest.h>

#include <memory>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "QtPrinters.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/Action.h"
#include "platform/controls/Button.h"
#include "platform/framework/Clipboard.h"
#include "platform/controls/dialogs/DrawingPrinter.h"
#include "platform/controls/dialogs/FileDialog.h"
#include "platform/controls/PopupMenu.h"
#include "platform/base/TickCount.h"
#include "screens/GridCommandMenu.h"
#include "screens/live/LiveStore.h"
#include "screens/PostForm.h"
#include "screens/dialogs/ProgressForm.h"
#include "screens/RightSetForm.h"
#include "screens/UserForm.h"
#include "store/RightsStore.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

// The screens on a real SQLite store with three posts and two users, the
// first of whom holds the first post.
class GridMenus : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        store = RightsStore::Open(StoreLocation::Parse(dir.filePath(QStringLiteral("s.db"))));
        auto user = [](const char* login, const char* name) {
            return QVariantList{QString::fromUtf8(login), QString::fromUtf8(name), QVariant(), QVariant(), 1, QVariant()};
        };
        store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P.A"), QStringLiteral("经理"), QVariant()}, -1),
                     StoreChange::Insert(TableId::Post, {QStringLiteral("P.B"), QStringLiteral("会计"), QVariant()}),
                     StoreChange::Insert(TableId::Post, {QStringLiteral("P.C"), QStringLiteral("出纳"), QVariant()}),
                     StoreChange::Insert(TableId::User, user("zhang", "张三"), -2),
                     StoreChange::Insert(TableId::User, user("li", "李四")),
                     StoreChange::Insert(TableId::UserPost, {-2, -1, QVariant()})});
        SetClipboardText(QStringLiteral("before"));
    }
    void TearDown() override
    {
        form.reset();
        SetLiveStore(nullptr);
        SetSaveFileNameHook({});
        TDrawingPrinter::SetDialogHook({});
        SetTickSource({});
        ScreenTest::TearDown();
    }
    template <class F>
    TTavikPTGrid* Open(bool live, const char* gridName)
    {
        SetLiveStore(live ? store.get() : nullptr);
        form = std::make_unique<F>(nullptr);
        form->Show();
        form->Widget()->activateWindow();
        QApplication::processEvents();
        auto* grid = form->Find<TTavikPTGrid>(QString::fromLatin1(gridName));
        if (grid)
            form->SetActiveControl(grid);
        return grid;
    }
    GridCommandMenu* MenuOf(TTavikPTGrid* grid)
    {
        for (int i = 0; i < form->ComponentCount(); ++i)
            if (auto* menu = dynamic_cast<GridCommandMenu*>(form->Components(i)); menu && &menu->Grid() == grid)
                return menu;
        return nullptr;
    }
    int MenuCount()
    {
        int n = 0;
        for (int i = 0; i < form->ComponentCount(); ++i)
            n += dynamic_cast<GridCommandMenu*>(form->Components(i)) != nullptr;
        return n;
    }
    std::string Codes(TTavikPTGrid* grid)
    {
        std::string out;
        for (int row = 1; row < grid->RowCount(); ++row)
            out += (row > 1 ? "|" : "") + grid->GetCellValue(1, row).toStdString();
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<RightsStore> store;
    std::unique_ptr<TCustomForm> form;
};

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

} // namespace

TEST_F(GridMenus, LiveGridsGetTheMenuAndTheDesignedOnesKeepTheirKeys)
{
    const struct {
        const char* name;
        bool live;
        int screen; // 0 posts, 1 users, 2 rights
        const char* grid;
        int menus;
        bool paste;
    } cases[] = {
        {"designed posts", false, 0, "TavikPTGrid2", 0, false},
        {"designed users", false, 1, "TavikPTGrid1", 0, false},
        {"designed rights", false, 2, "TavikPTGrid1", 0, false},
        {"live posts", true, 0, "TavikPTGrid2", 1, true},
        {"live users", true, 1, "TavikPTGrid1", 2, true},
        {"a user's posts are a view", true, 1, "TavikPTGrid2", 2, false},
    };
    for (const auto& c : cases) {
        TTavikPTGrid* grid = c.screen == 0   ? Open<TPostForm>(c.live, c.grid)
                             : c.screen == 1 ? Open<TUserForm>(c.live, c.grid)
                                             : Open<TRightSetForm>(c.live, c.grid);
        ASSERT_NE(grid, nullptr) << c.name;
        EXPECT_EQ(MenuCount(), c.menus) << c.name;
        GridCommandMenu* menu = MenuOf(grid);
        if (!c.live) {
            EXPECT_EQ(menu, nullptr) << c.name;
            // Copying is left to a handler the designed screens do not have.
            grid->Selections().SetRange({1, 1, 2, 2}, true);
            SendKey(grid, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(ClipboardText(), QStringLiteral("before")) << c.name;
            SendKey(grid, Qt::Key_Menu);
            continue;
        }
        ASSERT_NE(menu, nullptr) << c.name;
        ASSERT_EQ(menu->Menu().Count(), 4);
        const char* captions[] = {"复制", "粘贴", "导出 CSV…", "打印…"};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(menu->Menu().Items(i)->Caption, QString::fromUtf8(captions[i])) << c.name;
        const struct {
            int key;
            Qt::KeyboardModifiers mods;
        } keys[] = {{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}};
        for (const auto& k : keys) {
            SendKey(grid, k.key, k.mods);
            EXPECT_TRUE(menu->Menu().IsShown()) << c.name << " " << k.key;
            EXPECT_EQ(menu->Menu().Items(1)->Enabled, c.paste) << c.name;
            menu->Menu().CloseMenu();
        }
        const TRect cell = grid->CellBounds(1, 1);
        SendMouse(grid, QEvent::MouseButtonPress, cell.Left + 3, cell.Top + 3, Qt::RightButton);
        SendMouse(grid, QEvent::MouseButtonRelease, cell.Left + 3, cell.Top + 3, Qt::RightButton);
        EXPECT_TRUE(menu->Menu().IsShown()) << c.name;
        menu->Menu().CloseMenu();
    }
    form.reset();
    // The rights screen's grids too, when a store is open.
    Open<TRightSetForm>(true, "TavikPTGrid1");
    EXPECT_GT(MenuCount(), 3);
}

TEST_F(GridMenus, CopiedPostsPasteIntoTheGridAndAreSaved)
{
    TTavikPTGrid* grid = Open<TPostForm>(true, "TavikPTGrid2");
    grid->Selections().SetRange({1, 1, 2, 2}, true);
    SendKey(grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText(), QStringLiteral("P.A\t经理\r\nP.B\t会计\r\n"));
    EXPECT_TRUE(ClipboardHtml().contains(QStringLiteral("<td>P.A</td><td>经理</td>"))) << ClipboardHtml().toStdString();

    SetClipboardText(QStringLiteral("P.X\t新岗位\r\nP.Y\t另一个\r\n"));
    grid->MoveCurrent(1, 2, true, false, false, true);
    SendKey(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Codes(grid), "P.A|P.X|P.Y");
    EXPECT_TRUE(messages.empty());
    ASSERT_TRUE(form->Find<TAction>(QStringLiteral("acSave"))->Execute());
    std::string stored;
    for (const StoreRecord& r : store->Load(TableId::Post))
        stored += r.values[0].toString().toStdString() + "=" + r.values[1].toString().toStdString() + ";";
    EXPECT_EQ(stored, "P.A=经理;P.X=新岗位;P.Y=另一个;");

    // Rows past the end are refused with a message; the rest is pasted.
    SetClipboardText(QStringLiteral("Q1\nQ2\nQ3"));
    grid->MoveCurrent(1, 3, true, false, false, true);
    MenuOf(grid)->Run(GridCommandMenu::Paste);
    EXPECT_EQ(Codes(grid), "P.A|P.X|Q1");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("2 row(s) past the last row"))) << messages[0].toStdString();
}

TEST_F(GridMenus, PastingIntoAViewIsRefusedClearly)
{
    TTavikPTGrid* posts = Open<TUserForm>(true, "TavikPTGrid2");
    TTavikPTGrid* users = form->Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid1"));
    for (int row = 1; row < users->RowCount(); ++row)
        if (users->GetCellValue(1, row) == QStringLiteral("zhang"))
            users->MoveCurrent(1, row, true, false, false, true);
    ASSERT_GT(posts->RowCount(), posts->FixedRows());
    MenuOf(posts)->Run(GridCommandMenu::Paste);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("cannot be edited"))) << messages[0].toStdString();
}

TEST_F(GridMenus, TheMenuExportsCsvAndPrintsEveryRow)
{
    TTavikPTGrid* grid = Open<TPostForm>(true, "TavikPTGrid2");
    const QString csv = dir.filePath(QStringLiteral("posts.csv"));
    SetSaveFileNameHook([&](const QString&, const QString&) { return csv; });
    MenuOf(grid)->Run(GridCommandMenu::ExportCsv);
    EXPECT_TRUE(ReadAll(csv).contains("P.C,出纳")) << ReadAll(csv).toStdString();

    const QString pdf = dir.filePath(QStringLiteral("posts.pdf"));
    TDrawingPrinter::SetDialogHook([&] { return TDrawingPrinter::ToPdfFile(pdf); });
    MenuOf(grid)->Run(GridCommandMenu::Print);
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const char* s : {"P.A", "P.B", "P.C", "经理", "出纳"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(s))) << s << "\n" << text.toStdString();
    EXPECT_EQ(text.count(u'\f'), 1) << "fitted: one page";

    // The scale chosen in the print dialog: at 400 % the columns go on over pages across.
    TDrawingPrinter::SetDialogHook([&] {
        auto printer = TDrawingPrinter::ToPdfFile(pdf);
        printer->SetScaling({false, 4.0});
        return printer;
    });
    MenuOf(grid)->Run(GridCommandMenu::Print);
    QProcess scaled;
    scaled.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(scaled.waitForFinished(60000));
    EXPECT_GT(QString::fromUtf8(scaled.readAllStandardOutput()).count(u'\f'), 1);
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridMenus, ACancelledExportLeavesNoFileAndAnOldOneAsItWas)
{
    TTavikPTGrid* grid = Open<TPostForm>(true, "TavikPTGrid2");
    const struct {
        const char* name;
        bool existing;
    } cases[] = {{"new file", false}, {"old file", true}};
    for (const auto& c : cases) {
        const QString csv = dir.filePath(QStringLiteral("%1.csv").arg(c.existing));
        if (c.existing) {
            QFile f(csv);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        SetSaveFileNameHook([&](const QString&, const QString&) { return csv; });
        // Each look at the clock is 0.6 s later: the window is up at the first
        // report, and the click on 取消 waiting in the queue reaches it there.
        uint32_t now = 0;
        SetTickSource([&] { return now += 600; });
        bool shown = false;
        QTimer::singleShot(0, [&] {
            TProgressForm* progress = TProgressForm::Showing();
            shown = progress && progress->Visible() && progress->Caption() == QStringLiteral("导出 CSV") &&
                    !form->Enabled();
            if (progress)
                progress->CancelButton()->Click();
        });
        MenuOf(grid)->Run(GridCommandMenu::ExportCsv);
        SetTickSource({});
        EXPECT_TRUE(shown) << c.name;
        EXPECT_EQ(QFile::exists(csv), c.existing) << c.name;
        if (c.existing) {
            EXPECT_EQ(ReadAll(csv), QByteArray("old")) << c.name;
        }
        EXPECT_TRUE(form->Enabled()) << c.name;
        EXPECT_EQ(TProgressForm::Showing(), nullptr) << c.name;
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(GridMenus, PastedUsersSkipTheLinkCellsAndSwitchTheCheckCell)
{
    TTavikPTGrid* grid = Open<TUserForm>(true, "TavikPTGrid1");
    ASSERT_GE(grid->RowCount(), 2);
    const QString password = grid->GetCellValue(3, 1);
    SetClipboardText(QStringLiteral("wu\t吴六\tsecret\tpicture\t否\t备注 <&>\r\n"));
    grid->MoveCurrent(1, 1, true, false, false, true);
    SendKey(grid, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(grid->GetCellValue(1, 1), QStringLiteral("wu"));
    EXPECT_EQ(grid->GetCellValue(2, 1), QStringLiteral("吴六"));
    EXPECT_EQ(grid->GetCellValue(3, 1), password);
    EXPECT_EQ(grid->GetCellValue(5, 1), QStringLiteral("F"));
    EXPECT_EQ(grid->GetCellValue(6, 1), QStringLiteral("备注 <&>"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("2 cell(s) that cannot be edited here"))) << messages[0].toStdString();

    grid->Selections().SetRange({1, 1, 6, 1}, true);
    SendKey(grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_TRUE(ClipboardText().startsWith(QStringLiteral("wu\t吴六\t"))) << ClipboardText().toStdString();
    EXPECT_TRUE(ClipboardText().endsWith(QStringLiteral("\t否\t备注 <&>\r\n"))) << ClipboardText().toStdString();
    EXPECT_TRUE(ClipboardHtml().contains(QStringLiteral("<td>备注 &lt;&amp;&gt;</td>"))) << ClipboardHtml().toStdString();
}

TEST_F(GridMenus, TheProgressWindowAppearsOnlyForWorkOverHalfASecond)
{
    Open<TPostForm>(true, "TavikPTGrid2");
    const struct {
        const char* name;
        uint32_t step; // milliseconds between looks at the clock
        int64_t done, total;
        bool shown;
        int permille;
    } cases[] = {
        {"quick work", 100, 1, 4, false, 250},
        {"slow work", 600, 1, 4, true, 250},
        {"slow but finished", 600, 4, 4, false, 1000},
    };
    for (const auto& c : cases) {
        uint32_t now = 0;
        SetTickSource([&] { return now += c.step; });
        {
            TProgressForm progress(form.get(), QStringLiteral("导出"), QStringLiteral("正在导出"));
            EXPECT_TRUE(progress.Report(c.done, c.total)) << c.name;
            EXPECT_EQ(progress.Visible(), c.shown) << c.name;
            EXPECT_EQ(form->Enabled(), !c.shown) << c.name;
            EXPECT_EQ(progress.Permille(), c.permille) << c.name;
            if (c.shown) {
                // Closing the window is cancelling, not leaving the work unwatched.
                progress.Close();
                EXPECT_TRUE(progress.Visible()) << c.name;
                EXPECT_FALSE(progress.Report(c.done + 1, c.total)) << c.name;
            }
        }
        EXPECT_TRUE(form->Enabled()) << c.name;
        SetTickSource({});
    }
}
