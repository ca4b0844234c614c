// The pick dialog of the rights screen: its placement as the layout table
// below says (the chrome of the other new dialogs), and its use from the
// keyboard and through the pickers on a real SQLite store.

#include <gtest/gtest.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>

#include <climits>
#include <map>
#include <memory>

#include "app/ScreenSnapshot.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/rights/RightsPickers.h"
#include "screens/dialogs/TreePickForm.h"
#include "store/RightsStore.h"
#include "support/GridText.h"
#include "support/Input.h"
#include "support/ScreenTest.h"

namespace {

constexpr int kOpen = INT_MIN; // left to the layout

struct PickCtl {
    const char* name;
    const char* cls;
    int left, top, width, height;
    const char* text;
    int tabOrder = kOpen;
};

const PickCtl kPickLayout[] = {
    {"GradientPanel2", "TGradientPanel", 0, 0, 440, 22, "可选项", 0},
    {"GradientPanel3", "TGradientPanel", 0, 22, 440, 342, "GradientPanel3", 1},
    {"TavikPTGrid1", "TTavikPTGrid", 1, 1, 438, 340, nullptr, 0},
    {"GradientPanel1", "TGradientPanel", 0, 364, 440, 36, nullptr, 2},
    {"Bevel1", "TBevel", 0, 0, 440, 50, nullptr},
    {"Button1", "TButton", 268, 6, 75, 25, "确定", 0},
    {"Button2", "TButton", 349, 6, 75, 25, "取消", 1},
};

void CollectControls(const QJsonObject& o, std::map<QString, QJsonObject>& out)
{
    for (const QJsonValue& v : o["children"].toArray()) {
        out[v.toObject()["name"].toString()] = v.toObject();
        CollectControls(v.toObject(), out);
    }
}

using TreePickFormTest = ScreenTest;

// 材料管理 › 材料计划 (not to be picked) › 材料采购计划; 材料库房.
std::vector<TTreePickForm::Item> Items()
{
    return {{11, 0, QStringLiteral("材料管理"), QStringLiteral("M"), true},
            {12, 1, QStringLiteral("材料计划"), QStringLiteral("M.P"), false},
            {13, 2, QStringLiteral("材料采购计划"), QString(), true},
            {14, 1, QStringLiteral("材料库房"), QString(), true}};
}

} // namespace

TEST_F(TreePickFormTest, ThePickDialogIsPlacedAsItsLayoutTableSays)
{
    TTreePickForm form(nullptr);
    const QJsonObject dump = DumpForm(&form);
    EXPECT_EQ(dump["class"].toString(), QStringLiteral("TTreePickForm"));
    EXPECT_EQ(dump["caption"].toString(), QStringLiteral("选择"));
    EXPECT_EQ(dump["clientWidth"].toInt(), 440);
    EXPECT_EQ(dump["clientHeight"].toInt(), 400);
    EXPECT_EQ(form.Font().Name(), QStringLiteral("宋体"));
    EXPECT_EQ(form.Font().Height(), -12);
    EXPECT_EQ(form.Color(), TColor(15658734));
    EXPECT_EQ(form.BorderStyle(), bsDialog);
    EXPECT_EQ(form.Position(), poScreenCenter);
    std::map<QString, QJsonObject> byName;
    CollectControls(dump, byName);
    EXPECT_EQ(byName.size(), std::size(kPickLayout));
    for (const PickCtl& c : kPickLayout) {
        SCOPED_TRACE(c.name);
        auto it = byName.find(QString::fromLatin1(c.name));
        ASSERT_NE(it, byName.end());
        const QJsonObject& o = it->second;
        EXPECT_EQ(o["class"].toString(), QString::fromLatin1(c.cls));
        EXPECT_EQ(o["left"].toInt(), c.left);
        EXPECT_EQ(o["top"].toInt(), c.top);
        EXPECT_EQ(o["width"].toInt(), c.width);
        EXPECT_EQ(o["height"].toInt(), c.height);
        if (c.tabOrder != kOpen) {
            EXPECT_EQ(o["tabOrder"].toInt(), c.tabOrder);
        }
        if (c.text) {
            EXPECT_EQ(o["caption"].toString(), QString::fromUtf8(c.text));
        }
    }
    const QJsonObject grid = byName["TavikPTGrid1"];
    EXPECT_EQ(grid["colCount"].toInt(), 5);
    EXPECT_EQ(grid["levelCol"].toInt(), TTreePickForm::LevelCol);
    QStringList head;
    for (const QJsonValue& v : grid["cells"].toArray().at(0).toArray())
        head << v.toString();
    EXPECT_EQ(head.join(QLatin1Char('|')), QStringLiteral("|名称|选择|编码|"));
}

TEST_F(TreePickFormTest, SpaceTicksEnterChoosesEscapeCancels)
{
    const struct {
        std::vector<int> keys; // Qt keys sent to the grid in turn
        std::optional<std::vector<qint64>> picked;
    } cases[] = {
        {{Qt::Key_Space, Qt::Key_Return}, std::vector<qint64>{11}},
        // Down twice: over the row without a box; Space there ticks nothing.
        {{Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Down, Qt::Key_Space, Qt::Key_Return},
         std::vector<qint64>{13, 14}},
        {{Qt::Key_Space, Qt::Key_Space, Qt::Key_Return}, std::vector<qint64>{}},
        {{Qt::Key_Space, Qt::Key_Escape}, std::nullopt},
    };
    for (size_t n = 0; n < std::size(cases); ++n) {
        SCOPED_TRACE(n);
        Application()->SetModalHook([&](TCustomForm* f) {
            auto* dialog = dynamic_cast<TTreePickForm*>(f);
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->ActiveControl(), dialog->TavikPTGrid1);
            EXPECT_EQ(ColTexts(*dialog->TavikPTGrid1, TTreePickForm::PickCol), "选择|F||F|F");
            for (int key : cases[n].keys)
                SendKey(dialog->TavikPTGrid1, key, {}, QEvent::KeyPress,
                        key == Qt::Key_Space ? QStringLiteral(" ") : QString());
            EXPECT_FALSE(dialog->TavikPTGrid1->EditorMode());
            if (dialog->ModalResult() == mrNone) {
                ADD_FAILURE() << "the keys did not close the dialog";
                dialog->SetModalResult(mrCancel);
            }
        });
        EXPECT_EQ(TTreePickForm::Pick(QStringLiteral("选择系统功能"), QStringLiteral("系统功能"), Items()), cases[n].picked);
    }
}

TEST_F(TreePickFormTest, ThePickersOfferTheStoresRecordsInTreeOrder)
{
    QTemporaryDir dir;
    auto store = RightsStore::Open(StoreLocation::Parse(dir.filePath("s.db")));
    auto unit = [](qint64 parent, int position, int kind, const char* name) {
        return QVariantList{parent ? QVariant(parent) : QVariant(), position, kind, QString::fromUtf8(name), QVariant(),
                            QVariant(), 0, QVariant()};
    };
    auto function = [](qint64 parent, int position, const char* name) {
        return QVariantList{parent ? QVariant(parent) : QVariant(), position, QString::fromUtf8(name), QVariant(), QVariant()};
    };
    // Stored out of order: positions decide.
    const auto ids = store->Save({StoreChange::Insert(TableId::OrgUnit, unit(0, 0, 0, "公司"), -1),
                                  StoreChange::Insert(TableId::OrgUnit, unit(-1, 1, 2, "会计"), -2),
                                  StoreChange::Insert(TableId::OrgUnit, unit(-1, 0, 1, "财务部"), -3),
                                  StoreChange::Insert(TableId::Function, function(0, 0, "材料管理"), -4),
                                  StoreChange::Insert(TableId::Function, function(-4, 0, "材料计划"), -5),
                                  StoreChange::Insert(TableId::ResourceClass, {QStringLiteral("A"), QStringLiteral("甲")}, -6),
                                  StoreChange::Insert(TableId::ResourceClass, {QStringLiteral("B"), QStringLiteral("乙")}, -7),
                                  StoreChange::Insert(TableId::Resource, {-6, QStringLiteral("A1"), QStringLiteral("甲一")}, -8),
                                  StoreChange::Insert(TableId::Resource, {-7, QStringLiteral("B1"), QStringLiteral("乙一")}, -9)});
    std::string offered;
    Application()->SetModalHook([&](TCustomForm* f) {
        auto* dialog = dynamic_cast<TTreePickForm*>(f);
        ASSERT_NE(dialog, nullptr);
        TTavikPTGrid& g = *dialog->TavikPTGrid1;
        offered.clear();
        for (int row = 1; row < g.RowCount(); ++row) {
            offered += (row > 1 ? ";" : "") + g.GetCellValue(TTreePickForm::NameCol, row).toStdString() + "/"
                       + g.GetCellValue(TTreePickForm::LevelCol, row).toStdString();
            if (!g.GetCellValue(TTreePickForm::PickCol, row).isEmpty())
                g.Cell(TTreePickForm::PickCol, row)->SetValue(QStringLiteral("T"));
        }
        dialog->SetModalResult(mrOk);
    });
    EXPECT_EQ(PickUnits(*store, QStringLiteral("选择组织机构"), false), (std::vector<qint64>{ids.at(-1), ids.at(-3), ids.at(-2)}));
    EXPECT_EQ(offered, "公司/0;财务部/1;会计/1");
    EXPECT_EQ(PickUnits(*store, QStringLiteral("选择角色"), true), (std::vector<qint64>{ids.at(-2)}));
    EXPECT_EQ(PickFunctions(*store, QStringLiteral("选择系统功能")), (std::vector<qint64>{ids.at(-4), ids.at(-5)}));
    EXPECT_EQ(offered, "材料管理/0;材料计划/1");
    EXPECT_EQ(PickResources(*store, QStringLiteral("选择资源"), ids.at(-7)), (std::vector<qint64>{ids.at(-9)}));
    EXPECT_EQ(offered, "乙一/0");
}
