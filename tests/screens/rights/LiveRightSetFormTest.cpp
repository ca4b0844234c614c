#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"
#include "app/Startup.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/Action.h"
#include "platform/controls/Label.h"
#include "platform/controls/TreeView.h"
#include "screens/live/LiveEditor.h"
#include "screens/rights/LiveRights.h"
#include "screens/live/LiveStore.h"
#include "screens/RightSetForm.h"
#include "screens/rights/RightsCommands.h"
#include "screens/dialogs/PickListForm.h"
#include "screens/rights/RightsPage.h"
#include "screens/rights/RightsRelationPage.h"
#include "screens/rights/RightsResourcePage.h"
#include "screens/dialogs/TreePickForm.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"
#include "store/TestStores.h"

namespace {

// The rights screen on a real SQLite store: 公司 › 财务部 › 会计 (a post),
// 公司 › 出纳 (a post); zhang administers 财务部 and may manage 材料采购计划;
// 会计 is under 财务部, trusts 出纳, has a right on 材料计划 and is restricted
// on 北京项目.
class LiveRightSetForm : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Seed();
    }
    void TearDown() override
    {
        Application()->SetModalHook({});
        form.reset();
        SetLiveStore(nullptr);
        ScreenTest::TearDown();
    }
    // A new store with the content above, and the screen on it.
    void Seed()
    {
        form.reset();
        store.reset();
        if (backend == Backend::Sqlite) {
            where = dir.filePath("s.db");
            QFile::remove(where);
        } else {
            where = stores.NewStore(backend);
        }
        store = Open();
        auto user = [](const char* login, const char* name) {
            return QVariantList{QString::fromUtf8(login), QString::fromUtf8(name), QVariant(), QVariant(), 1, QVariant()};
        };
        auto unit = [](qint64 parent, int position, int kind, const char* name, const char* code) {
            return QVariantList{parent ? QVariant(parent) : QVariant(), position, kind, QString::fromUtf8(name),
                                QString::fromUtf8(code), QVariant(), 0, QVariant()};
        };
        auto function = [](qint64 parent, int position, const char* name) {
            return QVariantList{parent ? QVariant(parent) : QVariant(), position, QString::fromUtf8(name), QVariant(),
                                QVariant()};
        };
        store->Save({StoreChange::Insert(TableId::User, user("zhang", "张三"), -1),
                     StoreChange::Insert(TableId::User, user("li", "李四"), -2),
                     StoreChange::Insert(TableId::OrgUnit, unit(0, 0, 0, "公司", "C"), -3),
                     StoreChange::Insert(TableId::OrgUnit, unit(-3, 0, 1, "财务部", "C.CW"), -4),
                     StoreChange::Insert(TableId::OrgUnit, unit(-4, 0, 2, "会计", "C.CW.KJ"), -5),
                     StoreChange::Insert(TableId::OrgUnit, unit(-3, 1, 2, "出纳", "C.CN"), -6),
                     StoreChange::Insert(TableId::Function, function(0, 0, "材料管理"), -7),
                     StoreChange::Insert(TableId::Function, function(-7, 0, "材料计划"), -8),
                     StoreChange::Insert(TableId::Function, function(-8, 0, "材料采购计划"), -9),
                     StoreChange::Insert(TableId::Function, function(-7, 1, "材料库房"), -10),
                     StoreChange::Insert(TableId::Right, {-5, -8, 1, 0, 0, 0, 0, QVariant()}),
                     StoreChange::Insert(TableId::DeptAdmin, {-4, -1}),
                     StoreChange::Insert(TableId::AdminFunction, {-4, -9}),
                     StoreChange::Insert(TableId::Subordination, {-4, -5, QVariant(), 0}),
                     StoreChange::Insert(TableId::Subordination, {-4, -4, -2, 1}),
                     StoreChange::Insert(TableId::Trust, {-5, -6, QStringLiteral("浏览"), 0}),
                     StoreChange::Insert(TableId::ResourceClass, {QStringLiteral("PRJ"), QStringLiteral("项目")}, -11),
                     StoreChange::Insert(TableId::Resource, {-11, QStringLiteral("R.BJ"), QStringLiteral("北京项目")}, -12),
                     StoreChange::Insert(TableId::Resource, {-11, QStringLiteral("R.SH"), QStringLiteral("上海项目")}, -13),
                     StoreChange::Insert(TableId::ResourcePolicy, {-5, -12, 1, 1, 0}),
                     StoreChange::Insert(TableId::ResourceClass, {QStringLiteral("DOC"), QStringLiteral("文档")}, -14),
                     StoreChange::Insert(TableId::Resource, {-14, QStringLiteral("D.1"), QStringLiteral("合同文本")}, -15),
                     StoreChange::Insert(TableId::ResourcePolicy, {-5, -15, 0, QVariant(), 0})});
        SetLiveStore(store.get());
        form = std::make_unique<TRightSetForm>(nullptr);
        form->Show();
        form->Widget()->activateWindow();
        QApplication::processEvents();
    }
    std::unique_ptr<RightsStore> Open() { return RightsStore::Open(StoreLocation::Parse(where)); }
    void Run(const char* action) { ASSERT_TRUE(form->Find<TAction>(QString::fromLatin1(action))->Execute()); }
    void Select(const char* node)
    {
        TTreeNode* n = form->Rights()->NodeNamed(QString::fromUtf8(node));
        ASSERT_NE(n, nullptr) << node;
        form->Rights()->Tree().SetSelected(n);
    }
    TTavikPTGrid& Grid(const char* name) { return *form->Find<TTavikPTGrid>(QString::fromLatin1(name)); }
    // Every data row of a grid, its cells joined by '|', rows by ';'.
    std::string Rows(const char* name, int lastCol = -1)
    {
        TTavikPTGrid& g = Grid(name);
        std::string out;
        for (int row = 1; row < g.RowCount(); ++row) {
            out += row > 1 ? ";" : "";
            for (int col = 1; col <= (lastCol < 0 ? g.ColCount() - 1 : lastCol); ++col)
                out += (col > 1 ? "|" : "") + g.GetCellValue(col, row).toStdString();
        }
        return out;
    }
    // The stored records of a table: reference columns by the name of what
    // they refer to, rows by ';'.
    std::string Stored(TableId table)
    {
        auto reopened = Open();
        auto all = reopened->LoadAll();
        auto label = [&](TableId t, qint64 id) {
            for (const StoreRecord& r : all[t])
                if (r.id == id)
                    return r.values[Table(t).labelColumn].toString().toStdString();
            return std::string("?");
        };
        std::string out;
        const StoreTable& t = Table(table);
        for (const StoreRecord& r : all[table]) {
            out += out.empty() ? "" : ";";
            for (size_t c = 0; c < t.columns.size(); ++c) {
                const QVariant& v = r.values[int(c)];
                std::string text = v.isNull() ? "-" : v.toString().toStdString();
                if (t.columns[c].kind == ColumnKind::Ref && !v.isNull())
                    text = label(TableIdOf(t.columns[c].refTable), v.toLongLong());
                out += (c ? "|" : "") + text;
            }
        }
        return out;
    }
    static TableId TableIdOf(const char* name)
    {
        for (size_t i = 0; i < StoreTables().size(); ++i)
            if (QLatin1String(StoreTables()[i].name) == QLatin1String(name))
                return TableId(i);
        return TableId::Post;
    }
    // The pick dialog, answered by ticking the named rows (none: 取消).
    void Answer(std::vector<const char*> names, std::string* offered = nullptr)
    {
        Application()->SetModalHook([this, names, offered](TCustomForm* f) {
            if (auto* list = dynamic_cast<TPickListForm*>(f)) {
                // The user picker: rows by login or name.
                opened.push_back(list->Caption());
                TTavikPTGrid& g = *list->TavikPTGrid1;
                for (const char* name : names)
                    for (int row = 1; row < g.RowCount(); ++row)
                        if (g.GetCellValue(TPickListForm::SecondCol, row) == QString::fromUtf8(name))
                            list->Toggle(row);
                list->SetModalResult(names.empty() ? mrCancel : mrOk);
                return;
            }
            auto* dialog = dynamic_cast<TTreePickForm*>(f);
            ASSERT_NE(dialog, nullptr);
            opened.push_back(dialog->Caption());
            TTavikPTGrid& g = *dialog->TavikPTGrid1;
            if (offered) {
                offered->clear();
                for (int row = 1; row < g.RowCount(); ++row)
                    *offered += (row > 1 ? ";" : "") + g.GetCellValue(TTreePickForm::NameCol, row).toStdString()
                                + (g.GetCellValue(TTreePickForm::PickCol, row).isEmpty() ? "" : "[]");
            }
            if (names.empty()) {
                SendKey(g.Widget(), Qt::Key_Escape);
                if (dialog->ModalResult() == mrNone)
                    dialog->SetModalResult(mrCancel);
                return;
            }
            for (const char* name : names)
                for (int row = 1; row < g.RowCount(); ++row)
                    if (g.GetCellValue(TTreePickForm::NameCol, row) == QString::fromUtf8(name)) {
                        g.FocusCell(TTreePickForm::PickCol, row, true);
                        SendKey(g.Widget(), Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
                    }
            SendKey(g.Widget(), Qt::Key_Return);
            if (dialog->ModalResult() != mrOk) {
                ADD_FAILURE() << "Enter did not close the pick dialog: "
                              << (messages.empty() ? std::string() : messages.back().toStdString());
                dialog->SetModalResult(mrCancel);
            }
        });
    }
    void Click(const char* label) { ASSERT_TRUE(form->Commands()->Click(QString::fromLatin1(label))); }
    void SelectRow(const char* grid, int row)
    {
        Grid(grid).MoveCurrent(1, row, true, false, false, true);
    }

    QTemporaryDir dir;
    Backend backend = Backend::Sqlite;
    TestStores stores;
    QString where;
    std::unique_ptr<RightsStore> store;
    std::unique_ptr<TRightSetForm> form;
};

const char* const kNoFlags = "材料管理||||||;材料计划||||||;材料采购计划||||||;材料库房||||||";

} // namespace

TEST_F(LiveRightSetForm, TheTreeChoosesWhoseRightsEveryPageShows)
{
    EXPECT_TRUE(form->Rights()->Tree().Visible());
    EXPECT_TRUE(form->Rights()->Tree().ReadOnly()); // choosing a holder never renames it
    EXPECT_EQ(form->Rights()->Tree().Items().Count(), 4);
    const struct {
        const char* node;
        bool adminEnabled;
        const char* admins;     // page 1, TavikPTGrid1
        const char* managed;    // page 1, TavikPTGrid3
        const char* subordinates; // page 2
        const char* trusted;    // page 3
        const char* flags;      // page 4
        const char* policies;   // page 5
    } cases[] = {
        {"公司", false, "", "", "", "", kNoFlags, ""},
        {"财务部", false, "张三|zhang", "材料采购计划|", "会计|C.CW.KJ|财务部|岗位;李四|li|财务部|人员", "", kNoFlags, ""},
        {"会计", false, "", "", "", "出纳|C.CN|浏览|", "材料管理||||||;材料计划|T|F|F|F|F|;材料采购计划||||||;材料库房||||||",
         "北京项目|R.BJ|T|T|F"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        Select(c.node);
        EXPECT_EQ(form->Find<TSkinCheckBox>("SkinCheckBox2")->Checked(), c.adminEnabled);
        EXPECT_EQ(Rows("TavikPTGrid1"), c.admins);
        EXPECT_EQ(Rows("TavikPTGrid3"), c.managed);
        EXPECT_EQ(Rows("TavikPTGrid2"), c.subordinates);
        EXPECT_EQ(Rows("TavikPTGrid6"), c.trusted);
        EXPECT_EQ(Rows("TavikPTGrid7", 7), c.flags);
        EXPECT_EQ(Rows("TavikPTGrid5"), c.policies);
    }
    // The function tree in its order, with its levels.
    EXPECT_EQ(ColTexts(Grid("TavikPTGrid7"), 1), "功能名称|材料管理|材料计划|材料采购计划|材料库房");
    EXPECT_EQ(ColTexts(Grid("TavikPTGrid7"), 8), "|0|1|2|1");
    EXPECT_EQ(Rows("TavikPTGrid4"), "项目|PRJ;文档|DOC");
    // The current class chooses the resources listed; a tick is kept across classes.
    Grid("TavikPTGrid5").Cell(5, 1)->SetValue(QStringLiteral("T"));
    Grid("TavikPTGrid4").MoveCurrent(1, 2, true, false, false, true);
    EXPECT_EQ(Rows("TavikPTGrid5"), "合同文本|D.1|F||F");
    Grid("TavikPTGrid4").MoveCurrent(1, 1, true, false, false, true);
    EXPECT_EQ(Rows("TavikPTGrid5"), "北京项目|R.BJ|T|T|T");
}

TEST_F(LiveRightSetForm, EachLinkChangesItsPageAndOneSaveWritesIt)
{
    const struct {
        const char* node;
        const char* label;
        std::vector<const char*> picks; // ticked in the pick dialog
        std::pair<const char*, int> select; // a grid row made current first
        TableId table;
        const char* stored;
        bool changed = true;
    } cases[] = {
        // One already there is not added twice.
        {"财务部", "Label10", {"李四", "张三"}, {nullptr, 0}, TableId::DeptAdmin, "财务部|zhang;财务部|li"},
        {"财务部", "Label11", {"材料管理", "材料库房"}, {nullptr, 0}, TableId::AdminFunction,
         "财务部|材料采购计划;财务部|材料管理;财务部|材料库房"},
        {"财务部", "Label19", {}, {"TavikPTGrid3", 1}, TableId::AdminFunction, ""},
        {"财务部", "Label18", {}, {"TavikPTGrid1", 1}, TableId::DeptAdmin, ""},
        {"财务部", "Label12", {"出纳", "公司"}, {nullptr, 0}, TableId::Subordination,
         "财务部|会计|-|0;财务部|财务部|li|1;财务部|公司|-|2;财务部|出纳|-|3"},
        {"财务部", "Label17", {}, {"TavikPTGrid2", 2}, TableId::Subordination,
         "财务部|会计|-|0"},
        // Only posts are roles; one already trusted is not added twice.
        {"会计", "Label25", {"公司", "出纳"}, {nullptr, 0}, TableId::Trust, "会计|出纳|浏览|0", false},
        {"财务部", "Label25", {"出纳", "会计"}, {nullptr, 0}, TableId::Trust, "会计|出纳|浏览|0;财务部|会计|浏览|0;财务部|出纳|浏览|1"},
        {"会计", "Label26", {}, {"TavikPTGrid6", 1}, TableId::Trust, ""},
        {"会计", "Label7", {"材料采购计划"}, {nullptr, 0}, TableId::Right, "会计|材料计划|1|0|0|0|0|-;会计|材料采购计划|1|0|0|0|0|0"},
        {"会计", "Label21", {}, {"TavikPTGrid7", 2}, TableId::Right,
         "会计|材料计划|1|1|1|1|1|1"},
        {"会计", "Label22", {}, {"TavikPTGrid7", 2}, TableId::Right,
         "会计|材料计划|0|0|0|0|0|0"},
        {"会计", "Label8", {}, {"TavikPTGrid7", 4}, TableId::Right,
         "会计|材料计划|1|0|0|0|0|-;会计|材料库房|0|0|0|0|0|1"},
        {"出纳", "Label9", {"上海项目", "北京项目"}, {nullptr, 0}, TableId::ResourcePolicy,
         "会计|北京项目|1|1|0;会计|合同文本|0|-|0;出纳|北京项目|1|1|1;出纳|上海项目|1|1|1"},
        {"会计", "Label20", {}, {"TavikPTGrid5", 1}, TableId::ResourcePolicy, "会计|合同文本|0|-|0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.node) + " " + c.label);
        Seed();
        Select(c.node);
        if (c.select.first)
            SelectRow(c.select.first, c.select.second);
        opened.clear();
        Answer(c.picks);
        Click(c.label);
        EXPECT_EQ(opened.size(), c.picks.empty() ? 0u : 1u);
        EXPECT_EQ(form->Live()->Dirty(), c.changed);
        Run("acSave");
        EXPECT_TRUE(messages.empty()) << messages.back().toStdString();
        EXPECT_EQ(Stored(c.table), c.stored);
        messages.clear();
    }
}

TEST_F(LiveRightSetForm, CheckCellsAreKeptAcrossHoldersUntilSaveAndCancelDropsThem)
{
    TTavikPTGrid& flags = Grid("TavikPTGrid7");
    form->pcRight->SetActivePageIndex(LiveRights::FunctionPage);
    QApplication::processEvents();
    auto click = [&](int col, int row) {
        const TRect r = flags.CellBounds(col, row);
        ClickAt(&flags, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    };
    for (bool save : {false, true}) {
        SCOPED_TRACE(save ? "save" : "cancel");
        Select("会计");
        click(6, 2);                      // 材料计划: 审核 on
        flags.FocusCell(5, 3, true);       // 材料采购计划: 修改全部, from the keyboard
        SendKey(&flags, Qt::Key_Space, {}, QEvent::KeyPress, QStringLiteral(" "));
        Select("出纳");
        click(2, 1);                      // 出纳 gets 浏览自己 on 材料管理
        Select("会计");
        EXPECT_EQ(Rows("TavikPTGrid7", 7),
                  "材料管理||||||;材料计划|T|F|F|F|T|;材料采购计划||||T||;材料库房||||||");
        EXPECT_TRUE(form->Live()->Dirty());
        Run(save ? "acSave" : "acCancel");
        EXPECT_TRUE(messages.empty());
        EXPECT_FALSE(form->Live()->Dirty());
    }
    EXPECT_EQ(Stored(TableId::Right),
              "会计|材料计划|1|0|0|0|1|-;会计|材料采购计划|-|-|-|1|-|-;出纳|材料管理|1|-|-|-|-|-");
    // What is saved comes back as it was ticked.
    EXPECT_EQ(Rows("TavikPTGrid7", 7), "材料管理||||||;材料计划|T|F|F|F|T|;材料采购计划||||T||;材料库房||||||");
}

TEST_F(LiveRightSetForm, InheritedRightsAreShownShadedAndOnlyThoseChangedBecomeTheHoldersOwn)
{
    // 财务部, above 会计, may browse 材料管理 and is restricted on 上海项目.
    Select("财务部");
    Grid("TavikPTGrid7").Cell(2, 1)->SetValue(QStringLiteral("T"));
    Grid("TavikPTGrid7").Cell(3, 1)->SetValue(QStringLiteral("F"));
    ASSERT_EQ(form->Rights()->Resources().AddResources({2}), 1);
    Run("acSave");
    Select("会计");
    const char* ownFlags = "材料管理||||||;材料计划|T|F|F|F|F|;材料采购计划||||||;材料库房||||||";
    ASSERT_EQ(Rows("TavikPTGrid7", 7), ownFlags);
    const struct {
        const char* box;
        const char* grid;
        int lastCol;
        const char* shown;
        int shadedRow;
    } pages[] = {
        {"SkinCheckBox1", "TavikPTGrid7", 7, "材料管理|T|F||||;材料计划|T|F|F|F|F|;材料采购计划||||||;材料库房||||||", 1},
        {"SkinCheckBox3", "TavikPTGrid5", -1, "北京项目|R.BJ|T|T|F;上海项目|R.SH|T|T|T", 2},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.box);
        TSkinCheckBox* box = form->Find<TSkinCheckBox>(QString::fromLatin1(page.box));
        ClickAt(box, 6, 8);
        ASSERT_TRUE(box->Checked());
        EXPECT_EQ(Rows(page.grid, page.lastCol), page.shown);
        TTavikPTGrid& grid = Grid(page.grid);
        EXPECT_EQ(grid.Cell(3, page.shadedRow)->Color(), RightsPage::InheritedColor);
        EXPECT_NE(grid.Cell(3, 1 + (page.shadedRow % 2))->Color(), RightsPage::InheritedColor);
    }
    // Looking is no change; another holder and back keeps it so.
    Select("出纳");
    Select("会计");
    EXPECT_FALSE(form->Live()->Dirty());
    // A changed inherited flag makes the post's own right, from what it inherited.
    Grid("TavikPTGrid7").Cell(4, 1)->SetValue(QStringLiteral("T"));
    Grid("TavikPTGrid5").Cell(5, 2)->SetValue(QStringLiteral("F"));
    Run("acSave");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Stored(TableId::Right), "会计|材料计划|1|0|0|0|0|-;财务部|材料管理|1|0|-|-|-|-;会计|材料管理|1|0|1|-|-|-");
    EXPECT_EQ(Stored(TableId::ResourcePolicy),
              "会计|北京项目|1|1|0;会计|合同文本|0|-|0;财务部|上海项目|1|1|1;会计|上海项目|1|1|0");
    // Unticked, the page shows the holder's own rights alone.
    ClickAt(form->Find<TSkinCheckBox>("SkinCheckBox1"), 6, 8);
    EXPECT_EQ(Rows("TavikPTGrid7", 7), "材料管理|T|F|T|||;材料计划|T|F|F|F|F|;材料采购计划||||||;材料库房||||||");
}

TEST_F(LiveRightSetForm, TheAdministratorSwitchAndClosingAsk)
{
    Select("财务部");
    auto* enabled = form->Find<TSkinCheckBox>("SkinCheckBox2");
    enabled->SetChecked(true);
    // Closing asks: stay, then save.
    answers = {mrCancel};
    Run("acExit");
    EXPECT_TRUE(form->Visible());
    answers = {mrYes};
    Run("acExit");
    EXPECT_FALSE(form->Visible());
    for (const StoreRecord& r : Open()->Load(TableId::OrgUnit))
        EXPECT_EQ(r.values[Col::UnitAdminEnabled].toInt(), r.values[Col::UnitName].toString() == QStringLiteral("财务部"))
            << r.values[Col::UnitName].toString().toStdString();
}

TEST_F(LiveRightSetForm, PastingAsksWithWhatChangesAndWritesOnSave)
{
    const struct {
        const char* copy;  // nullptr: nothing copied
        const char* paste;
        int answer;
        const char* message;
        const char* rights; // stored after 保存
    } cases[] = {
        {nullptr, "出纳", mrYes, "Nothing to paste: copy the rights of a unit or post with 复制权限 first.",
         "会计|材料计划|1|0|0|0|0|-"},
        {"会计", "会计", mrYes,
         "These are the rights of 会计 that were copied; choose another unit or post to paste them onto.",
         "会计|材料计划|1|0|0|0|0|-"},
        {"公司", "财务部", mrYes, "财务部 already has the rights of 公司; nothing changes.", "会计|材料计划|1|0|0|0|0|-"},
        {"会计", "出纳", mrNo,
         "Give 出纳 the rights of 会计? This changes:\n\n材料计划: 浏览自己 on, 修改自己 off, 浏览全部 off, 修改全部 off, "
         "审核 off\n北京项目: 启用浏览 on, 启用修改 on, 启用删除 off\n合同文本: 启用浏览 off, 启用删除 off\n\nThe change is "
         "written by 保存.",
         "会计|材料计划|1|0|0|0|0|-"},
        {"会计", "出纳", mrYes, nullptr, "会计|材料计划|1|0|0|0|0|-;出纳|材料计划|1|0|0|0|0|-"},
        // The copied holder's lack of a right takes the other's away.
        {"公司", "会计", mrYes,
         "Give 会计 the rights of 公司? This changes:\n\n材料计划: 浏览自己 unset, 修改自己 unset, 浏览全部 unset, 修改全部 "
         "unset, 审核 unset\n北京项目: 启用浏览 unset, 启用修改 unset, 启用删除 unset\n合同文本: 启用浏览 unset, 启用删除 "
         "unset\n\nThe change is written by 保存.",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.copy ? c.copy : "-") + " onto " + c.paste);
        Seed();
        messages.clear();
        if (c.copy) {
            Select(c.copy);
            Run("acCopy");
        }
        Select(c.paste);
        answers = {c.answer};
        Run("acPaste");
        if (c.message) {
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
        }
        messages.clear();
        Run("acSave");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Stored(TableId::Right), c.rights);
    }
    // The policies went along.
    EXPECT_EQ(Stored(TableId::ResourcePolicy), "");
}

TEST_F(LiveRightSetForm, ABadTrustLevelIsShownAtItsCellAndNothingIsSaved)
{
    const struct {
        QString level;
        const char* message;
    } cases[] = {
        {QString(), "会计, trusted roles, row 1: The trust level is empty."},
        {QString(201, QLatin1Char('x')), "会计, trusted roles, row 1: The trust level is longer than 200 characters."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Seed();
        messages.clear();
        TTavikPTGrid& trusted = Grid("TavikPTGrid6");
        Select("会计");
        trusted.Cell(RightsRelationPage::TrustLevelCol, 1)->SetValue(c.level);
        // Another holder is shown when 保存 finds it.
        Select("财务部");
        form->pcRight->SetActivePageIndex(LiveRights::AdminPage);
        Answer({"材料库房"});
        Click("Label11");
        Run("acSave");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message) + QStringLiteral("\n\nNothing was saved."));
        EXPECT_EQ(form->Rights()->Holder(), form->Rights()->Work().Records(TableId::OrgUnit)[2].id);
        EXPECT_EQ(form->pcRight->ActivePageIndex(), LiveRights::TrustPage);
        EXPECT_EQ(trusted.Current().X, RightsRelationPage::TrustLevelCol);
        EXPECT_EQ(trusted.Current().Y, 1);
        EXPECT_EQ(Stored(TableId::Trust), "会计|出纳|浏览|0");
        EXPECT_EQ(Stored(TableId::AdminFunction), "财务部|材料采购计划");
        // Mended, everything goes in one save.
        trusted.Cell(RightsRelationPage::TrustLevelCol, 1)->SetValue(QStringLiteral("修改"));
        messages.clear();
        Run("acSave");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Stored(TableId::Trust), "会计|出纳|修改|0");
        EXPECT_EQ(Stored(TableId::AdminFunction), "财务部|材料采购计划;财务部|材料库房");
    }
}

TEST_F(LiveRightSetForm, InsertAndDeleteOnAGridAreItsLinksKeys)
{
    Select("财务部");
    TTavikPTGrid& admins = Grid("TavikPTGrid1");
    TTavikPTGrid& managed = Grid("TavikPTGrid3");
    Answer({"材料计划"});
    managed.SetFocus();
    SendKey(&managed, Qt::Key_Insert);
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_EQ(Rows("TavikPTGrid3"), "材料采购计划|;材料计划|");
    admins.SetFocus();
    admins.FocusCell(1, 1, true);
    SendKey(&admins, Qt::Key_Delete);
    EXPECT_EQ(Rows("TavikPTGrid1"), "");
    // A cancelled picker changes nothing.
    Answer({});
    managed.SetFocus();
    SendKey(&managed, Qt::Key_Insert);
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_EQ(Rows("TavikPTGrid3"), "材料采购计划|;材料计划|");
    Run("acSave");
    EXPECT_EQ(Stored(TableId::DeptAdmin), "");
    EXPECT_EQ(Stored(TableId::AdminFunction), "财务部|材料采购计划;财务部|材料计划");
}

TEST_F(LiveRightSetForm, AConflictingSaveIsRefusedAndTheChangesStay)
{
    Select("会计");
    Grid("TavikPTGrid7").Cell(7, 2)->SetValue(QStringLiteral("T"));
    {
        auto other = Open();
        const StoreRecord right = other->Load(TableId::Right).front();
        QVariantList values = right.values;
        values[Col::Audit] = 1;
        other->Save({StoreChange::Update(TableId::Right, right, values)});
    }
    answers = {mrNo};
    Run("acSave");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("changed by someone else"))) << messages[0].toStdString();
    EXPECT_TRUE(form->Live()->Dirty());
    EXPECT_EQ(Stored(TableId::Right), "会计|材料计划|1|0|0|0|1|-");
}

TEST_F(LiveRightSetForm, ARoundTripOnPostgreSQL)
{
    backend = Backend::Postgres;
    Seed();
    Select("财务部");
    Answer({"材料库房"});
    Click("Label11");
    Select("会计");
    Grid("TavikPTGrid7").Cell(6, 2)->SetValue(QStringLiteral("T"));
    // What is copied is what the screen shows, saved or not.
    Run("acCopy");
    Grid("TavikPTGrid6").Cell(RightsRelationPage::TrustLevelCol, 1)->SetValue(QStringLiteral("'); DROP TABLE trust; --"));
    Select("出纳");
    answers = {mrYes};
    Run("acPaste");
    messages.clear();
    Run("acSave");
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    EXPECT_EQ(Stored(TableId::AdminFunction), "财务部|材料采购计划;财务部|材料库房");
    EXPECT_EQ(Stored(TableId::Right), "会计|材料计划|1|0|0|0|1|-;出纳|材料计划|1|0|0|0|1|-");
    EXPECT_EQ(Stored(TableId::Trust), "会计|出纳|'); DROP TABLE trust; --|0");
    EXPECT_EQ(Stored(TableId::ResourcePolicy),
              "会计|北京项目|1|1|0;会计|合同文本|0|-|0;出纳|北京项目|1|1|0;出纳|合同文本|0|-|0");
    // A new screen on the server shows what was saved.
    form = std::make_unique<TRightSetForm>(nullptr);
    Select("出纳");
    EXPECT_EQ(Rows("TavikPTGrid7", 7), "材料管理||||||;材料计划|T|F|F|F|T|;材料采购计划||||||;材料库房||||||");
    EXPECT_EQ(Rows("TavikPTGrid5"), "北京项目|R.BJ|T|T|F");
}

TEST(RightSetFormSample, TheDesignedScreenHasNoLiveParts)
{
    RunUnitStartup();
    SetLiveStore(nullptr);
    TRightSetForm form(nullptr);
    EXPECT_EQ(form.Live(), nullptr);
    EXPECT_EQ(form.Commands(), nullptr);
    EXPECT_FALSE(form.Find<TTreeView>("tvFullOrg")->Visible());
    EXPECT_FALSE(form.Find<TLabel>("Label10")->OnClick);
}

TEST_F(LiveRightSetForm, AltAndALinksLetterFromAGridActsAsItsClick)
{
    const struct {
        const char* node;
        int page;
        const char* grid; // focused, its first row current
        Qt::Key letter;
        std::vector<const char*> picks;
        TableId table;
        const char* stored;
    } cases[] = {
        // 选择系统功能(&F) from the administrators' grid.
        {"财务部", LiveRights::AdminPage, "TavikPTGrid1", Qt::Key_F, {"材料库房"}, TableId::AdminFunction,
         "财务部|材料采购计划;财务部|材料库房"},
        // Two 删除(&Del) on the page: the focused grid's own.
        {"财务部", LiveRights::AdminPage, "TavikPTGrid3", Qt::Key_D, {}, TableId::AdminFunction, ""},
        {"财务部", LiveRights::AdminPage, "TavikPTGrid1", Qt::Key_D, {}, TableId::DeptAdmin, ""},
        {"会计", LiveRights::FunctionPage, "TavikPTGrid7", Qt::Key_A, {}, TableId::Right,
         "会计|材料计划|1|0|0|0|0|-;会计|材料管理|1|1|1|1|1|1"},
        {"会计", LiveRights::TrustPage, "TavikPTGrid6", Qt::Key_D, {}, TableId::Trust, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.node) + " " + c.grid);
        Seed();
        messages.clear();
        Select(c.node);
        form->pcRight->SetActivePageIndex(c.page);
        TTavikPTGrid& g = Grid(c.grid);
        g.SetFocus();
        g.FocusCell(1, 1, true);
        Answer(c.picks);
        SendKey(&g, c.letter, Qt::AltModifier);
        Run("acSave");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Stored(c.table), c.stored);
    }
}

TEST_F(LiveRightSetForm, TheToolbarCommandsHaveKeysFromAnyGrid)
{
    TTavikPTGrid& flags = Grid("TavikPTGrid7");
    form->pcRight->SetActivePageIndex(LiveRights::FunctionPage);
    flags.SetFocus();
    Select("会计");
    SendKey(&flags, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    Select("出纳");
    answers = {mrYes};
    SendKey(&flags, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Give 出纳 the rights of 会计?")));
    SendKey(&flags, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_FALSE(form->Live()->Dirty());
    answers = {mrYes};
    SendKey(&flags, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    SendKey(&flags, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Stored(TableId::Right), "会计|材料计划|1|0|0|0|0|-;出纳|材料计划|1|0|0|0|0|-");
    // A level being typed keeps its editor's keys.
    TTavikPTGrid& trusted = Grid("TavikPTGrid6");
    Select("会计");
    form->pcRight->SetActivePageIndex(LiveRights::TrustPage);
    trusted.SetFocus();
    trusted.FocusCell(RightsRelationPage::TrustLevelCol, 1, true);
    SendKey(&trusted, Qt::Key_unknown, {}, QEvent::KeyPress, QStringLiteral("改"));
    ASSERT_TRUE(trusted.EditorMode());
    SendKey(form->ActiveControl(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(trusted.EditorMode());
}
