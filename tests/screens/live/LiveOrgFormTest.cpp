#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>

#include "grid/ptgrid/TavikPTGrid.h"
#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "platform/controls/Button.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/dialogs/DrawingPrinter.h"
#include "platform/controls/dialogs/FileDialog.h"
#include "platform/base/TickCount.h"
#include "platform/framework/actions/Action.h"
#include "screens/ChartExportMenu.h"
#include "screens/DepartPropForm.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveStore.h"
#include "screens/dialogs/PickListForm.h"
#include "screens/dialogs/ProgressForm.h"
#include "screens/OrgForm.h"
#include "screens/RolePropForm.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"
#include "support/ChartTestAccess.h"

namespace {

QVariantList Unit(QVariant parent, int position, UnitKind kind, const char* name)
{
    return {parent, position, int(kind), QString::fromUtf8(name), QVariant(), QVariant(), 0, QVariant()};
}

// The organisation screen on a real SQLite store: a company with two
// departments stored in the order 乙, 甲 (a text sort would swap them), a post
// under 乙 and a user in 甲.
class LiveOrgForm : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        Application()->SetMessageBoxHook([this](const QString& text, const QString&, unsigned) {
            messages.push_back(text);
            if (answers.empty())
                return int(mrOk);
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        });
        // A dialog gets the next prepared filling; without one it is cancelled.
        Application()->SetModalHook([this](TCustomForm* dialog) {
            dialogs.push_back(dialog->ClassName());
            if (fills.empty()) {
                dialog->SetModalResult(mrCancel);
                return;
            }
            auto fill = fills.front();
            fills.pop_front();
            fill(*dialog);
        });
        store = Open();
        store->Save({StoreChange::Insert(TableId::OrgUnit, Unit(QVariant(), 0, UnitKind::Company, "公司"), -1),
                     StoreChange::Insert(TableId::OrgUnit, Unit(-1, 0, UnitKind::Department, "乙部"), -2),
                     StoreChange::Insert(TableId::OrgUnit, Unit(-1, 1, UnitKind::Department, "甲部"), -3),
                     StoreChange::Insert(TableId::OrgUnit, Unit(-2, 0, UnitKind::Post, "经理"), -4),
                     StoreChange::Insert(TableId::User, {QStringLiteral("wang"), QStringLiteral("王五"), QVariant(), QVariant(), 1, QVariant()}, -5),
                     StoreChange::Insert(TableId::UnitUser, {-3, -5})});
        SetLiveStore(store.get());
        form = std::make_unique<TOrgForm>(nullptr);
        form->Show();
        QApplication::processEvents();
        chart = form->org;
        tree = form->TreeView1;
    }
    void TearDown() override
    {
        form.reset();
        SetLiveStore(nullptr);
        Application()->SetModalHook({});
        ScreenTest::TearDown();
    }
    std::unique_ptr<RightsStore> Open() { return RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db"))); }
    void Run(const char* action) { ASSERT_TRUE(form->Find<TAction>(QString::fromLatin1(action))->Execute()); }

    TOcNode* Node(const char* name)
    {
        for (TOcNode* n = chart->Tree().FirstNode(); n; n = n->GetNext())
            if (n->Text() == QString::fromUtf8(name))
                return n;
        return nullptr;
    }
    // name(kind) of every chart node in pre-order, children in brackets.
    static std::string Outline(TOcNode* n)
    {
        std::string out;
        for (; n; n = n->GetNextSibling()) {
            out += n->Text().toStdString() + "(" + std::to_string(n->ImageIndex()) + ")";
            if (n->HasChildren())
                out += "[" + Outline(n->GetFirstChild()) + "]";
            out += n->GetNextSibling() ? " " : "";
        }
        return out;
    }
    static std::string Outline(TTreeNode* n)
    {
        std::string out;
        for (; n; n = n->GetNextSibling()) {
            out += n->Text().toStdString() + "(" + std::to_string(n->ImageIndex()) + ")";
            if (n->HasChildren())
                out += "[" + Outline(n->GetFirstChild()) + "]";
            out += n->GetNextSibling() ? " " : "";
        }
        return out;
    }
    std::string Shown()
    {
        const std::string c = Outline(chart->Tree().FirstNode());
        EXPECT_EQ(Outline(tree->Items().GetFirstNode()), c) << "the tree differs from the chart";
        return c;
    }
    // name@parent's name#position of every stored unit, in id order.
    std::string Stored()
    {
        std::string out;
        const auto units = Open()->Load(TableId::OrgUnit);
        for (const StoreRecord& r : units) {
            QString parent;
            for (const StoreRecord& p : units)
                if (p.id == r.values[Col::UnitParent].toLongLong())
                    parent = p.values[Col::UnitName].toString();
            out += (out.empty() ? "" : ";") + r.values[Col::UnitName].toString().toStdString() + "@"
                   + parent.toStdString() + "#" + r.values[Col::UnitPosition].toString().toStdString()
                   + (r.values[Col::UnitCode].isNull() ? "" : "=" + r.values[Col::UnitCode].toString().toStdString());
        }
        return out;
    }
    // Fills the department dialog with name and code and presses 确定.
    void FillUnit(const char* name, const char* code)
    {
        fills.push_back([=](TCustomForm& d) {
            d.Find<TEdit>(QStringLiteral("Edit3"))->SetText(QString::fromUtf8(name));
            d.Find<TEdit>(QStringLiteral("Edit4"))->SetText(QString::fromUtf8(code));
            d.SetModalResult(mrOk);
        });
    }

    QTemporaryDir dir;
    std::unique_ptr<RightsStore> store;
    std::unique_ptr<TOrgForm> form;
    TOrgChart* chart = nullptr;
    TTreeView* tree = nullptr;
    std::deque<QString> messages;
    std::deque<int> answers;
    std::deque<std::function<void(TCustomForm&)>> fills;
    std::vector<std::string> dialogs;
};

const std::string Seeded = "公司@#0;乙部@公司#0;甲部@公司#1;经理@乙部#0";
const std::string SeededShown = "公司(0)[乙部(1)[经理(2)] 甲部(1)]";

TEST_F(LiveOrgForm, ChartAndTreeShowTheStoreAndRenamesAndMovesWaitForSave)
{
    ASSERT_NE(form->Live(), nullptr);
    EXPECT_EQ(Shown(), SeededShown);
    EXPECT_TRUE(Node("乙部")->Expanded());

    // F2 on the chart: the text typed is pending until 保存.
    chart->Tree().SetSelected(Node("甲部"));
    chart->SetFocus();
    Run("acRename");
    ASSERT_TRUE(chart->Editing());
    chart->Editor()->SetEditText(QStringLiteral("丙部"));
    chart->Editor()->SetModified(true);
    Word f2 = VK_F2;
    chart->Editor()->EditKeyDown(f2, 0);
    EXPECT_EQ(Shown(), "公司(0)[乙部(1)[经理(2)] 丙部(1)]");
    // Dropping 乙部 onto 丙部 places it after it.
    chart->Tree().SetSelected(Node("乙部"));
    ChartTestAccess::BeginDrag(*chart);
    const TRect target = chart->NodeBoxRect(Node("丙部"));
    ChartTestAccess::DragDrop(*chart, chart, (target.Left + target.Right) / 2, (target.Top + target.Bottom) / 2);
    EXPECT_EQ(Shown(), "公司(0)[丙部(1) 乙部(1)[经理(2)]]");
    EXPECT_EQ(Stored(), Seeded);
    EXPECT_TRUE(form->Live()->Dirty());

    // 取消 drops both; done again, 保存 writes both.
    Run("acCancel");
    EXPECT_EQ(Shown(), SeededShown);
    EXPECT_FALSE(form->Live()->Dirty());
    Node("甲部")->SetText(QStringLiteral("丙部"));
    Node("经理")->MoveTo(Node("丙部"), amAddChild);
    Run("acSave");
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Stored(), "公司@#0;乙部@公司#0;丙部@公司#1;经理@丙部#0");
    EXPECT_EQ(Shown(), "公司(0)[乙部(1) 丙部(1)[经理(2)]]");

    // An empty name is refused at 保存, its node selected.
    Node("乙部")->SetText(QString());
    Run("acSave");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], QStringLiteral("A unit's name is empty.\n\nNothing was saved."));
    EXPECT_EQ(chart->Tree().Selected(), chart->Tree().FirstNode()->Items(0));

    // 刷新 asks before dropping unsaved changes.
    messages.clear();
    answers = {mrYes};
    Run("acRefresh");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Shown(), "公司(0)[乙部(1) 丙部(1)[经理(2)]]");
}

TEST_F(LiveOrgForm, NewUnitsGoWhereTheirCommandSaysAndPropertiesEditByKind)
{
    const struct {
        const char* selected;
        const char* action;
        const char* name;
        const char* shown;
    } cases[] = {
        {"乙部", "acAddChildDepart", "子部", "公司(0)[乙部(1)[经理(2) 子部(1)] 甲部(1)]"},
        {"乙部", "acAddDepart", "丁部", "公司(0)[乙部(1)[经理(2)] 甲部(1) 丁部(1)]"},
        {"公司", "acAddDepart", "戊部", "公司(0)[乙部(1)[经理(2)] 甲部(1) 戊部(1)]"},
        {"甲部", "acAddOrg", "分公司", "公司(0)[乙部(1)[经理(2)] 甲部(1)[分公司(0)]]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        Run("acCancel");
        chart->Tree().SetSelected(Node(c.selected));
        Run(c.action); // cancelled: nothing added
        EXPECT_EQ(Shown(), SeededShown);
        FillUnit(c.name, "");
        Run(c.action);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(chart->Tree().Selected(), Node(c.name));
    }
    // An empty name is refused in the dialog, which stays open until mended.
    Run("acCancel");
    chart->Tree().SetSelected(Node("乙部"));
    messages.clear();
    FillUnit("  ", "");
    FillUnit("子部", "Z.1");
    Run("acAddChildDepart");
    EXPECT_EQ(messages, std::deque<QString>{QStringLiteral("The name is empty.")});
    Run("acSave");
    EXPECT_EQ(Stored(), Seeded + ";子部@乙部#1=Z.1");

    // 属性: the department dialog for a department, the role dialog for a post.
    dialogs.clear();
    chart->Tree().SetSelected(Node("甲部"));
    FillUnit("甲部门", "J");
    Run("acProp");
    chart->Tree().SetSelected(Node("经理"));
    fills.push_back([](TCustomForm& d) {
        EXPECT_EQ(d.Find<TEdit>(QStringLiteral("Edit4"))->Text(), QStringLiteral("公司\\乙部"));
        d.Find<TEdit>(QStringLiteral("Edit3"))->SetText(QStringLiteral("总经理"));
        d.SetModalResult(mrOk);
    });
    Run("acProp");
    EXPECT_EQ(dialogs, (std::vector<std::string>{"TDepartPropForm", "TRolePropForm"}));
    Run("acSave");
    EXPECT_EQ(Stored(), "公司@#0;乙部@公司#0;甲部门@公司#1=J;总经理@乙部#0;子部@乙部#1=Z.1");
}

TEST_F(LiveOrgForm, DeletingAsksAndRefusesUnitsWithChildrenOrUsers)
{
    store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P"), QStringLiteral("岗"), QVariant()}, -1),
                 StoreChange::Insert(TableId::UnitPost, {Open()->Load(TableId::OrgUnit)[3].id, -1})});
    Run("acRefresh");
    const struct {
        const char* node;
        int answer;
        const char* message;
        const char* shown;
    } cases[] = {
        {"乙部", mrYes, "乙部 still has its units: 经理.\n\nNothing was deleted.", SeededShown.c_str()},
        {"甲部", mrYes, "甲部 still has its users: wang.\n\nNothing was deleted.", SeededShown.c_str()},
        {"经理", mrNo, "Delete 经理? The deletion is written by 保存.", SeededShown.c_str()},
        {"经理", mrYes, "Delete 经理? The deletion is written by 保存.", "公司(0)[乙部(1) 甲部(1)]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        messages.clear();
        answers = {c.answer};
        chart->Tree().SetSelected(Node(c.node));
        Run("acDelete");
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], QString::fromUtf8(c.message));
        EXPECT_EQ(Shown(), c.shown);
    }
    EXPECT_EQ(Stored(), Seeded);
    // The post attached to the deleted unit goes with it, in the same save.
    Run("acSave");
    EXPECT_TRUE(messages.empty() || messages.back().startsWith(QStringLiteral("Delete")));
    EXPECT_EQ(Stored(), "公司@#0;乙部@公司#0;甲部@公司#1");
    EXPECT_TRUE(Open()->Load(TableId::UnitPost).empty());
}

TEST_F(LiveOrgForm, TheChartsMenuOpensFromMouseAndKeyboardAndWritesEachKindOfFile)
{
    ChartExportMenu* menu = form->ChartMenu();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->Menu().Count(), 4);
    EXPECT_EQ(menu->Menu().Items(0)->Caption, QStringLiteral("导出图片…"));
    EXPECT_EQ(menu->Menu().Items(3)->Caption, QStringLiteral("打印…"));

    chart->SetFocus();
    QApplication::processEvents();
    const struct {
        int key;
        Qt::KeyboardModifiers mods;
    } keys[] = {{Qt::Key_Menu, Qt::NoModifier}, {Qt::Key_F10, Qt::ShiftModifier}};
    for (const auto& k : keys) {
        SendKey(chart, k.key, k.mods);
        EXPECT_TRUE(menu->Menu().IsShown()) << k.key;
        menu->Menu().CloseMenu();
    }
    SendMouse(chart, QEvent::MouseButtonPress, 20, 20, Qt::RightButton);
    SendMouse(chart, QEvent::MouseButtonRelease, 20, 20, Qt::RightButton);
    EXPECT_TRUE(menu->Menu().IsShown());
    menu->Menu().CloseMenu();

    // Each file holds the chart; a name without suffix gets the kind's.
    QString asked;
    SetSaveFileNameHook([&](const QString&, const QString&) { return asked; });
    const struct {
        int item;
        const char* name;
        const char* file;
        QByteArray head;
    } files[] = {{0, "chart", "chart.png", QByteArray("\x89PNG", 4)}, {1, "c.pdf", "c.pdf", "%PDF"}, {2, "c", "c.svg", "<?xml"}};
    for (const auto& f : files) {
        SCOPED_TRACE(f.file);
        asked = dir.filePath(QString::fromLatin1(f.name));
        menu->Menu().Items(f.item)->Click();
        QFile file(dir.filePath(QString::fromLatin1(f.file)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        EXPECT_TRUE(data.startsWith(f.head));
        if (f.item == 2) {
            EXPECT_TRUE(data.contains(QStringLiteral("甲部").toUtf8()));
        }
    }
    EXPECT_EQ(QImage(dir.filePath(QStringLiteral("chart.png"))).width(), chart->FullWidth());
    // Cancelled: nothing; unwritable: a message, no crash.
    asked.clear();
    menu->Menu().Items(1)->Click();
    asked = dir.filePath(QStringLiteral("missing/x.pdf"));
    menu->Menu().Items(1)->Click();
    EXPECT_EQ(messages.size(), 1u);

    // 打印… prints the whole chart on the printer the dialog gives.
    const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
    TDrawingPrinter::SetDialogHook([&] { return TDrawingPrinter::ToPdfFile(printed); });
    menu->Menu().Items(3)->Click();
    TDrawingPrinter::SetDialogHook({});
    SetSaveFileNameHook({});
    EXPECT_GT(QFile(printed).size(), 0);
}

// A long drawing shows the progress window, and 取消 there stops it part way:
// no file is left, or the old one stays as it was.
TEST_F(LiveOrgForm, ALongDrawingShowsItsProgressAndCancelLeavesNoFile)
{
    // Enough nodes for the painting to report several times (shown only, not saved).
    TOcNode* top = chart->Tree().FirstNode();
    for (int i = 0; i < 600; ++i)
        chart->Tree().Add(top)->SetText(QStringLiteral("岗位%1").arg(i));
    top->Expand(false);
    ChartExportMenu* menu = form->ChartMenu();
    const struct {
        ChartExportMenu::Command command;
        const char* file;
        bool existing;
    } cases[] = {{ChartExportMenu::Pdf, "long.pdf", false}, {ChartExportMenu::Svg, "long.svg", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = dir.filePath(QString::fromLatin1(c.file));
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        SetSaveFileNameHook([&](const QString&, const QString&) { return path; });
        // Each look at the clock is 0.6 s later: the window is up at the first
        // report, and the click on 取消 waiting in the queue reaches it there.
        uint32_t now = 0;
        SetTickSource([&] { return now += 600; });
        bool shown = false;
        QTimer::singleShot(0, [&] {
            TProgressForm* progress = TProgressForm::Showing();
            shown = progress && progress->Visible() && !form->Enabled();
            if (progress)
                progress->CancelButton()->Click();
        });
        menu->Run(c.command);
        SetTickSource({});
        SetSaveFileNameHook({});
        EXPECT_TRUE(shown);
        EXPECT_EQ(QFile::exists(path), c.existing);
        if (c.existing) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), QByteArray("old"));
        }
        EXPECT_TRUE(form->Enabled());
        EXPECT_EQ(TProgressForm::Showing(), nullptr);
    }
    EXPECT_TRUE(messages.empty());
}

} // namespace

namespace {

// The ids of a relation's records as "unit:other" names.
std::set<std::string> Relation(RightsStore& store, TableId table, int otherCol, TableId otherTable, int otherName)
{
    std::map<qint64, std::string> units, others;
    for (const StoreRecord& r : store.Load(TableId::OrgUnit))
        units[r.id] = r.values[Col::UnitName].toString().toStdString();
    for (const StoreRecord& r : store.Load(otherTable))
        others[r.id] = r.values[otherName].toString().toStdString();
    std::set<std::string> out;
    for (const StoreRecord& r : store.Load(table))
        out.insert(units[r.values[0].toLongLong()] + ":" + others[r.values[otherCol].toLongLong()]);
    return out;
}

} // namespace

TEST_F(LiveOrgForm, AttachingPostsAndUsersGoesThroughTheDialogsGridsAndPickers)
{
    store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P.B"), QStringLiteral("出纳"), QVariant()}),
                 StoreChange::Insert(TableId::Post, {QStringLiteral("P.A"), QStringLiteral("会计"), QVariant()}),
                 StoreChange::Insert(TableId::User, {QStringLiteral("li"), QStringLiteral("李四"), QVariant(), QVariant(), 1, QVariant()})});
    Run("acRefresh");
    auto grid = [](TCustomForm& d, const char* name) { return d.Find<TTavikPTGrid>(QString::fromLatin1(name)); };
    auto run = [](TCustomForm& d, const char* action) { EXPECT_TRUE(d.Find<TAction>(QString::fromLatin1(action))->Execute()); };
    // A picker ticks its rows and closes with 确定.
    auto tick = [this](std::vector<int> rows) {
        fills.push_back([rows](TCustomForm& d) {
            auto& picker = dynamic_cast<TPickListForm&>(d);
            for (int row : rows)
                picker.Toggle(row);
            d.SetModalResult(mrOk);
        });
    };

    // 关联岗位 on 甲部: the full department dialog lists its user; two posts
    // and a user are added, the user it had is taken away.
    chart->Tree().SetSelected(Node("甲部"));
    fills.push_back([&](TCustomForm& d) {
        EXPECT_EQ(d.ClientHeight(), TDepartPropForm::kFullHeight);
        EXPECT_FALSE(d.Find<TControl>(QStringLiteral("SkinCheckBox1"))->Visible());
        EXPECT_EQ(d.Find<TEdit>(QStringLiteral("Edit3"))->Text(), QStringLiteral("甲部"));
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid1"), 1), "登录账号|wang");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid2"), 1), "岗位名称");
        tick({1, 2}); // the dictionary by code: 会计 P.A, 出纳 P.B
        run(d, "acSelectPost");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid2"), 2), "岗位编码|P.A|P.B");
        tick({1}); // users by login: li, wang
        run(d, "acSelectUser");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid1"), 1), "登录账号|wang|li");
        // 删除 takes the current row of the focused grid.
        d.SetActiveControl(grid(d, "TavikPTGrid1"));
        grid(d, "TavikPTGrid1")->MoveCurrent(1, 1, true, false, false, true);
        run(d, "acDelete");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid1"), 1), "登录账号|li");
        d.SetActiveControl(grid(d, "TavikPTGrid2"));
        grid(d, "TavikPTGrid2")->MoveCurrent(1, 2, true, false, false, true);
        run(d, "acDelete");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid2"), 1), "岗位名称|会计");
        d.SetModalResult(mrOk);
    });
    Run("acAddRole");
    // 关联人员 on the post 经理: the role dialog, its actions usable now.
    chart->Tree().SetSelected(Node("经理"));
    fills.push_back([&](TCustomForm& d) {
        EXPECT_TRUE(d.Find<TAction>(QStringLiteral("acSelectUser"))->Update() || d.Find<TAction>(QStringLiteral("acSelectUser"))->Enabled());
        tick({2});
        run(d, "acSelectUser");
        EXPECT_EQ(ColTexts(*grid(d, "TavikPTGrid1"), 2), "用户名称|王五");
        d.SetModalResult(mrOk);
    });
    Run("acAddUser");
    // A cancelled dialog changes nothing.
    chart->Tree().SetSelected(Node("乙部"));
    fills.push_back([&](TCustomForm& d) {
        tick({1});
        run(d, "acSelectPost");
        d.SetModalResult(mrCancel);
    });
    Run("acAddRole");
    EXPECT_TRUE(Relation(*Open(), TableId::UnitPost, 1, TableId::Post, Col::PostName).empty());
    Run("acSave");
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    auto reopened = Open();
    EXPECT_EQ(Relation(*reopened, TableId::UnitPost, 1, TableId::Post, Col::PostName), (std::set<std::string>{"甲部:会计"}));
    EXPECT_EQ(Relation(*reopened, TableId::UnitUser, 1, TableId::User, Col::UserLogin),
              (std::set<std::string>{"甲部:li", "经理:wang"}));
    // Posts go to companies and departments only.
    messages.clear();
    chart->Tree().SetSelected(Node("经理"));
    Run("acAddRole");
    EXPECT_EQ(messages, std::deque<QString>{QStringLiteral("Posts are attached to a company or a department: select one first.")});
}

TEST_F(LiveOrgForm, EveryCommandHasAKeyFromTheChartAndTheTree)
{
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const struct {
        const char* node;
        int key;
        Qt::KeyboardModifiers mods;
        const char* dialog;  // opened (and cancelled), or nullptr
        const char* message; // shown, or nullptr
    } cases[] = {
        {"乙部", Qt::Key_1, Qt::ControlModifier, "TDepartPropForm", nullptr},
        {"乙部", Qt::Key_2, Qt::ControlModifier, "TDepartPropForm", nullptr},
        {"乙部", Qt::Key_3, Qt::ControlModifier, "TDepartPropForm", nullptr},
        {"乙部", Qt::Key_4, Qt::ControlModifier, "TDepartPropForm", nullptr},
        {"乙部", Qt::Key_5, Qt::ControlModifier, "TRolePropForm", nullptr},
        {"经理", Qt::Key_Return, Qt::AltModifier, "TRolePropForm", nullptr},
        {"甲部", Qt::Key_Return, Qt::AltModifier, "TDepartPropForm", nullptr},
        {"甲部", Qt::Key_Delete, none, nullptr, "甲部 still has its users: wang.\n\nNothing was deleted."},
        {"甲部", Qt::Key_F5, none, nullptr, nullptr},
        {"甲部", Qt::Key_S, Qt::ControlModifier, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        dialogs.clear();
        messages.clear();
        chart->Tree().SetSelected(Node(c.node));
        chart->SetFocus();
        SendKey(chart, c.key, c.mods);
        EXPECT_EQ(dialogs, c.dialog ? std::vector<std::string>{c.dialog} : std::vector<std::string>{});
        EXPECT_EQ(messages, c.message ? std::deque<QString>{QString::fromUtf8(c.message)} : std::deque<QString>{});
    }
    // F2 renames in place; meanwhile Delete is the editor's.
    chart->Tree().SetSelected(Node("经理"));
    SendKey(chart, Qt::Key_F2);
    ASSERT_TRUE(chart->Editing());
    SendKey(chart->Editor(), Qt::Key_Delete);
    EXPECT_TRUE(messages.empty());
    chart->HideEditor(false);
    // From the tree: Ctrl+Shift+Z drops a rename, Ctrl+S saves one, Ctrl+W closes.
    tree->SetFocus();
    Node("甲部")->SetText(QStringLiteral("丙部"));
    SendKey(tree, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Shown(), SeededShown);
    Node("甲部")->SetText(QStringLiteral("丙部"));
    SendKey(tree, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Stored(), "公司@#0;乙部@公司#0;丙部@公司#1;经理@乙部#0");
    ASSERT_TRUE(form->Visible());
    SendKey(tree, Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(form->Visible());
}

TEST_F(LiveOrgForm, TheLevelSwitchesShowPeopleAndAttachedPostsAsNodesThatAreNotUnits)
{
    store->Save({StoreChange::Insert(TableId::Post, {QStringLiteral("P"), QStringLiteral("岗"), QVariant()}, -1),
                 StoreChange::Insert(TableId::UnitPost, {Open()->Load(TableId::OrgUnit)[2].id, -1})});
    Run("acRefresh");
    auto box = [&](const char* name) { return form->Find<TSkinCheckBox>(QString::fromLatin1(name)); };
    const struct {
        bool posts, people;
        const char* shown;
    } cases[] = {
        {false, true, "公司(0)[乙部(1)[经理(2)] 甲部(1)[王五(3)]]"},
        {true, true, "公司(0)[乙部(1)[经理(2)] 甲部(1)[岗(2) 王五(3)]]"},
        {true, false, "公司(0)[乙部(1)[经理(2)] 甲部(1)[岗(2)]]"},
        {false, false, SeededShown.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        box("SkinCheckBox2")->SetChecked(c.posts);
        box("SkinCheckBox3")->SetChecked(c.people);
        EXPECT_EQ(Shown(), c.shown);
    }
    // Shown nodes are not units: not renamed, deleted or given children, and
    // never saved; units around them keep their order.
    box("SkinCheckBox2")->SetChecked(true);
    box("SkinCheckBox3")->SetChecked(true);
    chart->Tree().SetSelected(Node("王五"));
    Run("acRename");
    EXPECT_FALSE(chart->Editing());
    messages.clear();
    Run("acDelete");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("王五 is shown here, not a unit")));
    FillUnit("丙部", "");
    Run("acAddChildDepart");
    EXPECT_EQ(Shown(), "公司(0)[乙部(1)[经理(2)] 甲部(1)[岗(2) 王五(3) 丙部(1)]]");
    Run("acSave");
    EXPECT_EQ(Stored(), Seeded + ";丙部@甲部#0");
    EXPECT_EQ(Open()->Count(TableId::UnitUser), 1);
    EXPECT_EQ(Open()->Count(TableId::UnitPost), 1);
    // After the save the switches still hold.
    EXPECT_EQ(Shown(), "公司(0)[乙部(1)[经理(2)] 甲部(1)[丙部(1) 岗(2) 王五(3)]]");

    // 显示子机构 opens every company below the top with all beneath it.
    FillUnit("子公司", "");
    chart->Tree().SetSelected(Node("丙部"));
    Run("acAddOrg");
    FillUnit("子部", "");
    Run("acAddChildDepart");
    Node("子公司")->Collapse(false);
    box("SkinCheckBox1")->SetChecked(true);
    EXPECT_TRUE(Node("子公司")->Expanded());
    box("SkinCheckBox1")->SetChecked(false);
    EXPECT_FALSE(Node("子公司")->Expanded());
}

TEST_F(LiveOrgForm, TheDepartmentDialogKeepsItsFieldsUntilTheyAreMended)
{
    FillUnit("乙部", "Y");
    chart->Tree().SetSelected(Node("乙部"));
    Run("acProp");
    const struct {
        std::string name, code;
        const char* message; // nullptr: taken
    } cases[] = {
        {"", "X", "The name is empty."},
        {std::string(201, 'n'), "X", "The name is longer than 200 characters."},
        {"丁部", std::string(65, 'c'), "The code is longer than 64 characters."},
        {"丁部", "Y", "The code “Y” is already used by 乙部."},
        {"丁部", "D", nullptr},
    };
    chart->Tree().SetSelected(Node("甲部"));
    for (const auto& c : cases)
        fills.push_back([&c](TCustomForm& d) {
            d.Find<TEdit>(QStringLiteral("Edit3"))->SetText(QString::fromStdString(c.name));
            d.Find<TEdit>(QStringLiteral("Edit4"))->SetText(QString::fromStdString(c.code));
            d.SetModalResult(mrOk);
        });
    messages.clear();
    Run("acProp");
    std::deque<QString> expected;
    for (const auto& c : cases)
        if (c.message)
            expected.push_back(QString::fromUtf8(c.message));
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(Shown(), "公司(0)[乙部(1)[经理(2)] 丁部(1)]");
    Run("acSave");
    EXPECT_EQ(Stored(), "公司@#0;乙部@公司#0=Y;丁部@公司#1=D;经理@乙部#0");
}
