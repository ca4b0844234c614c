#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "orgchart/OcInplaceEdit.h"
#include "orgchart/OrgChart.h"
#include "platform/framework/actions/Action.h"
#include "platform/controls/dialogs/DrawingPrinter.h"
#include "platform/controls/dialogs/FileDialog.h"
#include "platform/controls/PopupMenu.h"
#include "platform/controls/Edit.h"
#include "platform/controls/TreeView.h"
#include "screens/ChartExportMenu.h"
#include "screens/DepartPropForm.h"
#include "screens/LiveEditor.h"
#include "screens/LiveStore.h"
#include "screens/OrgForm.h"
#include "screens/RolePropForm.h"
#include "store/RightsStore.h"
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
        for (TOcNode* n = chart->FirstNode(); n; n = n->GetNext())
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
        const std::string c = Outline(chart->FirstNode());
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
    chart->SetSelected(Node("甲部"));
    chart->SetFocus();
    Run("acRename");
    ASSERT_TRUE(chart->Editing());
    chart->Editor()->SetEditText(QStringLiteral("丙部"));
    chart->Editor()->SetModified(true);
    Word f2 = VK_F2;
    chart->Editor()->EditKeyDown(f2, 0);
    EXPECT_EQ(Shown(), "公司(0)[乙部(1)[经理(2)] 丙部(1)]");
    // Dropping 乙部 onto 丙部 places it after it.
    chart->SetSelected(Node("乙部"));
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
    EXPECT_EQ(chart->Selected(), chart->FirstNode()->Items(0));

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
        chart->SetSelected(Node(c.selected));
        Run(c.action); // cancelled: nothing added
        EXPECT_EQ(Shown(), SeededShown);
        FillUnit(c.name, "");
        Run(c.action);
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(chart->Selected(), Node(c.name));
    }
    // An empty name is refused in the dialog, which stays open until mended.
    Run("acCancel");
    chart->SetSelected(Node("乙部"));
    messages.clear();
    FillUnit("  ", "");
    FillUnit("子部", "Z.1");
    Run("acAddChildDepart");
    EXPECT_EQ(messages, std::deque<QString>{QStringLiteral("The name is empty.")});
    Run("acSave");
    EXPECT_EQ(Stored(), Seeded + ";子部@乙部#1=Z.1");

    // 属性: the department dialog for a department, the role dialog for a post.
    dialogs.clear();
    chart->SetSelected(Node("甲部"));
    FillUnit("甲部门", "J");
    Run("acProp");
    chart->SetSelected(Node("经理"));
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
        chart->SetSelected(Node(c.node));
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

} // namespace
