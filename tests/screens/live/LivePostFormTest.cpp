#include <gtest/gtest.h>

#include <deque>
#include <memory>

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/Action.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveStore.h"
#include "screens/PostForm.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

// The post screen on a real SQLite store: three posts, the second held by a
// user, the third attached to a unit.
class LivePostForm : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        store = Open();
        store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P.A"), QStringLiteral("经理"), QVariant()}, -1),
                     StoreChange::Insert(TableId::Post, {QStringLiteral("P.B"), QStringLiteral("会计"), QVariant()}, -2),
                     StoreChange::Insert(TableId::Post, {QStringLiteral("P.C"), QStringLiteral("出纳"), QStringLiteral("n")}, -3),
                     StoreChange::Insert(TableId::User, {QStringLiteral("wang"), QStringLiteral("王五"), QVariant(), QVariant(), 1, QVariant()}, -4),
                     StoreChange::Insert(TableId::UserPost, {-4, -2, QVariant()}),
                     StoreChange::Insert(TableId::OrgUnit, {QVariant(), 0, 1, QStringLiteral("财务部"), QVariant(), QVariant(), 0, QVariant()}, -5),
                     StoreChange::Insert(TableId::UnitPost, {-5, -3})});
        SetLiveStore(store.get());
        form = std::make_unique<TPostForm>(nullptr);
        grid = form->Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid2"));
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
    // Types text into a cell as the keyboard does; the editor stays open.
    void Type(int col, int row, const QString& text)
    {
        grid->MoveCurrent(col, row, true, false, false, true);
        SendKey(grid, Qt::Key_unknown, {}, QEvent::KeyPress, text);
    }
    void Replace(int col, int row, const QString& text)
    {
        grid->Cell(col, row)->SetValue(QString());
        Type(col, row, text);
    }
    // code|name|note of every stored post, in id order.
    std::string Stored()
    {
        std::string out;
        for (const StoreRecord& r : Open()->Load(TableId::Post))
            out += (out.empty() ? "" : ";")
                   + JoinedTexts(3, [&](int c) { return r.values[c].toString(); });
        return out;
    }
    std::string Shown()
    {
        std::string out;
        for (int row = 1; row < grid->RowCount(); ++row)
            out += (row > 1 ? ";" : "") + JoinedTexts(3, [&](int c) { return grid->GetCellValue(c + 1, row); });
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<RightsStore> store;
    std::unique_ptr<TPostForm> form;
    TTavikPTGrid* grid = nullptr;
};

const std::string Seeded = "P.A|经理|;P.B|会计|;P.C|出纳|n";

TEST_F(LivePostForm, EditsAndNewRowsStayOnScreenUntilSavedInOneGo)
{
    ASSERT_NE(form->Live(), nullptr);
    EXPECT_EQ(Shown(), Seeded);
    Replace(2, 1, QStringLiteral("总经理"));
    Run("acAdd");
    EXPECT_EQ(grid->RowCount(), 5);
    EXPECT_EQ(grid->Current().X, 1);
    EXPECT_EQ(grid->Current().Y, 4);
    Type(1, 4, QStringLiteral(" P.D "));
    Type(2, 4, QStringLiteral("'); DROP TABLE post; --"));
    Type(3, 4, QStringLiteral("%_\\"));
    EXPECT_EQ(Stored(), Seeded);
    EXPECT_TRUE(form->Live()->Dirty());
    // The editor still open on the last cell is saved too; codes are trimmed.
    Run("acSave");
    EXPECT_EQ(Stored(), "P.A|总经理|;P.B|会计|;P.C|出纳|n;P.D|'); DROP TABLE post; --|%_\\");
    EXPECT_FALSE(form->Live()->Dirty());
    EXPECT_TRUE(messages.empty());

    // 取消 drops what is not saved, without asking.
    Replace(2, 2, QStringLiteral("changed"));
    Run("acAdd");
    Run("acCancel");
    EXPECT_EQ(Shown(), "P.A|总经理|;P.B|会计|;P.C|出纳|n;P.D|'); DROP TABLE post; --|%_\\");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LivePostForm, ABadCellIsNamedAndMadeCurrentAndNothingIsSaved)
{
    const struct {
        int col;
        QString text;
        const char* message;
    } cases[] = {
        {1, QString(), "Row 2: The post code is empty."},
        {1, QStringLiteral("P.A"), "Row 2: The post code “P.A” is already used in row 1."},
        {1, QString(65, QLatin1Char('c')), "Row 2: The post code is longer than 64 characters."},
        {2, QStringLiteral("   "), "Row 2: The post name is empty."},
        {2, QString(201, QChar(0x540D)), "Row 2: The post name is longer than 200 characters."},
        {3, QString(2001, QLatin1Char('n')), "Row 2: The description is longer than 2000 characters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        Run("acCancel");
        grid->Cell(c.col, 2)->SetValue(c.text);
        Run("acSave");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message) + QStringLiteral("\n\nNothing was saved."));
        EXPECT_EQ(grid->Current().X, c.col);
        EXPECT_EQ(grid->Current().Y, 2);
        EXPECT_EQ(Stored(), Seeded);
    }
    // Mended, it saves.
    grid->Cell(3, 2)->SetValue(QStringLiteral("ok"));
    messages.clear();
    Run("acSave");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Stored(), "P.A|经理|;P.B|会计|ok;P.C|出纳|n");
}

TEST_F(LivePostForm, DeletingAsksFirstAndRefusesPostsInUse)
{
    const struct {
        int row;
        int answer;
        const char* message;
        const char* shown;
    } cases[] = {
        {2, mrYes, "The post “会计” is held by 王五.\n\nNothing was deleted.", Seeded.c_str()},
        {3, mrYes, "The post “出纳” is attached to 财务部.\n\nNothing was deleted.", Seeded.c_str()},
        {1, mrNo, "Delete 经理? The deletion is written by 保存.", Seeded.c_str()},
        {1, mrYes, "Delete 经理? The deletion is written by 保存.", "P.B|会计|;P.C|出纳|n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        answers = {c.answer};
        grid->MoveCurrent(1, c.row, true, false, false, true);
        Run("acDelete");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
        EXPECT_EQ(Shown(), c.shown);
    }
    EXPECT_EQ(Stored(), Seeded);
    // A code freed by a deletion may be given to a new row of the same save.
    Run("acAdd");
    Type(1, 3, QStringLiteral("P.A"));
    Type(2, 3, QStringLiteral("新经理"));
    Run("acSave");
    EXPECT_EQ(Stored(), "P.B|会计|;P.C|出纳|n;P.A|新经理|");
}

TEST_F(LivePostForm, RefreshAndClosingAskWhenChangesAreUnsaved)
{
    auto other = Open();
    auto posts = other->Load(TableId::Post);
    other->Save({StoreChange::Update(TableId::Post, posts[2], {QStringLiteral("P.C"), QStringLiteral("出纳员"), QVariant()})});

    // Nothing unsaved: reloads and closes without a question.
    Run("acRefresh");
    EXPECT_EQ(Shown(), "P.A|经理|;P.B|会计|;P.C|出纳员|");
    EXPECT_TRUE(messages.empty());

    Replace(2, 1, QStringLiteral("mine"));
    answers = {mrNo};
    Run("acRefresh");
    EXPECT_EQ(grid->GetCellValue(2, 1), QStringLiteral("mine"));
    answers = {mrYes};
    Run("acRefresh");
    EXPECT_EQ(grid->GetCellValue(2, 1), QStringLiteral("经理"));
    EXPECT_EQ(messages.size(), 2u);

    // Closing: stay, then save, then discard.
    Replace(2, 1, QStringLiteral("kept"));
    answers = {mrCancel};
    Run("acExit");
    EXPECT_TRUE(form->Visible());
    answers = {mrYes};
    Run("acExit");
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Stored(), "P.A|kept|;P.B|会计|;P.C|出纳员|");
    form->Show();
    Replace(2, 1, QStringLiteral("dropped"));
    answers = {mrNo};
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(Stored(), "P.A|kept|;P.B|会计|;P.C|出纳员|");
    EXPECT_EQ(messages.size(), 5u);
}

TEST_F(LivePostForm, TheLaterOfTwoSavesIsRefusedAndKeepsItsChanges)
{
    // A second administrator, on a connection of its own, saves first.
    auto other = Open();
    auto posts = other->Load(TableId::Post);
    other->Save({StoreChange::Update(TableId::Post, posts[0], {QStringLiteral("P.A"), QStringLiteral("theirs"), QVariant()})});

    Replace(2, 1, QStringLiteral("mine"));
    Replace(3, 2, QStringLiteral("also mine"));
    answers = {mrNo};
    Run("acSave");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("the post “P.A” was changed by someone else at "))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("Reload now and drop them?")));
    EXPECT_EQ(Shown(), "P.A|mine|;P.B|会计|also mine;P.C|出纳|n");
    EXPECT_EQ(Stored(), "P.A|theirs|;P.B|会计|;P.C|出纳|n");
    EXPECT_TRUE(form->Live()->Dirty());

    // Reloading on the second refusal shows the other change.
    answers = {mrYes};
    Run("acSave");
    EXPECT_EQ(Shown(), "P.A|theirs|;P.B|会计|;P.C|出纳|n");
    EXPECT_FALSE(form->Live()->Dirty());
}

TEST_F(LivePostForm, AStoreFaultKeepsTheChangesForASecondTry)
{
    Replace(2, 1, QStringLiteral("retried"));
    auto raw = [&](const char* sql) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        db.setDatabaseName(dir.filePath("s.db"));
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(QString::fromLatin1(sql)));
        db.close();
    };
    raw("ALTER TABLE post RENAME TO post_away");
    Run("acSave");
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Cannot save to the store "))) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith(QStringLiteral("save again once the store can be reached.")));
    EXPECT_EQ(grid->GetCellValue(2, 1), QStringLiteral("retried"));

    raw("ALTER TABLE post_away RENAME TO post");
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    Run("acSave");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Stored(), "P.A|retried|;P.B|会计|;P.C|出纳|n");
}

TEST(SamplePostForm, WithoutAStoreTheCommandsStayInert)
{
    RunUnitStartup();
    TPostForm form(nullptr);
    EXPECT_EQ(form.Live(), nullptr);
    auto* grid = form.Find<TTavikPTGrid>(QStringLiteral("TavikPTGrid2"));
    for (const char* action : {"acAdd", "acDelete", "acSave", "acCancel", "acRefresh"})
        form.Find<TAction>(QString::fromLatin1(action))->Execute();
    EXPECT_EQ(grid->RowCount(), 4);
    EXPECT_EQ(RowTexts(*grid, 3), "|T.TM.ZG|项目经理|");
}

} // namespace

namespace {

TEST_F(LivePostForm, TheCommandsHaveKeys)
{
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        int rows;
        size_t messages;
    } cases[] = {
        {Qt::Key_N, Qt::ControlModifier, 5, 0},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, 4, 0},
        {Qt::Key_Delete, Qt::ControlModifier, 4, 1}, // asked first
        {Qt::Key_F5, Qt::NoModifier, 4, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        messages.clear();
        grid->MoveCurrent(1, 1, true, false, false, true);
        SendKey(grid, c.key, c.mods);
        EXPECT_EQ(grid->RowCount(), c.rows);
        EXPECT_EQ(messages.size(), c.messages);
    }
    Replace(2, 1, QStringLiteral("总经理"));
    SendKey(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Stored(), "P.A|总经理|;P.B|会计|;P.C|出纳|n");
}

} // namespace
