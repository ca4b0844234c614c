#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "AtSpiSession.h"
#include "LauncherSession.h"

using namespace desktop;

namespace {

// The program started on a private accessibility bus, read through AT-SPI as
// a screen reader reads it.
class AccessibilityE2e : public LauncherSession {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(atspi.Start()) << atspi.Error().toStdString();
        LauncherSession::SetUp();
    }
    void TearDown() override
    {
        LauncherSession::TearDown();
        atspi.Stop();
    }

    // Opens a work screen from the launcher and reads it.
    QJsonObject OpenAndRead(const QString& button, const QString& caption, QString* window = nullptr)
    {
        ClickControl(launcher, QStringLiteral("TMainForm"), button);
        QString id;
        EXPECT_TRUE(WaitForWindow(caption, &id));
        if (window)
            *window = id;
        return atspi.Probe({QStringLiteral("window"), caption});
    }

    static QStringList Strings(const QJsonValue& list)
    {
        QStringList out;
        for (const QJsonValue v : list.toArray())
            out << v.toString();
        return out;
    }

    AtSpiSession atspi;
};

TEST_F(AccessibilityE2e, RightsScreenHasPageTabsATreeTableAndNamedToolbarButtons)
{
    const QJsonObject screen = OpenAndRead(QStringLiteral("权限设置"), QStringLiteral("权限设置"));
    ASSERT_FALSE(screen.contains(QLatin1String("error"))) << screen.value(QLatin1String("error")).toString().toStdString();
    EXPECT_EQ(screen.value(QLatin1String("role")).toString(), QStringLiteral("dialog"));

    const QJsonArray lists = screen.value(QLatin1String("pageTabLists")).toArray();
    ASSERT_EQ(lists.size(), 1);
    const QJsonArray tabs = lists[0].toObject().value(QLatin1String("tabs")).toArray();
    QStringList names;
    for (const QJsonValue t : tabs)
        names << t.toObject().value(QLatin1String("name")).toString();
    EXPECT_EQ(names, (QStringList{QStringLiteral("分级权限设置"), QStringLiteral("行政和业务隶属关系设置"),
                                  QStringLiteral("角色信任关系设置"), QStringLiteral("功能和数据策略设置"),
                                  QStringLiteral("公共资源策略设置")}));
    ASSERT_EQ(tabs.size(), 5);
    EXPECT_TRUE(tabs[0].toObject().value(QLatin1String("selected")).toBool());

    // Page 4 holds the tree grid: a table with its head texts, tree rows and checked cells.
    const QJsonArray tables = tabs[3].toObject().value(QLatin1String("tables")).toArray();
    ASSERT_EQ(tables.size(), 1);
    const QJsonObject grid = tables[0].toObject();
    EXPECT_GT(grid.value(QLatin1String("rows")).toInt(), 1);
    const QStringList heads = Strings(grid.value(QLatin1String("headers")));
    EXPECT_TRUE(heads.contains(QStringLiteral("功能名称"))) << heads.join(u',').toStdString();
    EXPECT_GT(grid.value(QLatin1String("expandable")).toInt(), 0);
    EXPECT_FALSE(grid.value(QLatin1String("checked")).toArray().isEmpty());

    const QJsonArray toolbars = screen.value(QLatin1String("toolbars")).toArray();
    ASSERT_EQ(toolbars.size(), 1);
    EXPECT_EQ(Strings(toolbars[0].toObject().value(QLatin1String("buttons"))),
              (QStringList{QStringLiteral("复制权限"), QStringLiteral("粘贴权限"), QStringLiteral("保存"),
                           QStringLiteral("取消"), QStringLiteral("刷新"), QStringLiteral("退出")}));
}

TEST_F(AccessibilityE2e, OrganisationChartIsATreeOfItsNodesAndAClickedNodeTakesTheFocus)
{
    QString window;
    const QJsonObject screen = OpenAndRead(QStringLiteral("组织机构"), QStringLiteral("组织机构管理"), &window);
    ASSERT_FALSE(screen.contains(QLatin1String("error"))) << screen.value(QLatin1String("error")).toString().toStdString();
    // The chart's nodes nest as drawn (the tree view beside it lists its rows flat).
    bool found = false;
    for (const QJsonValue tree : screen.value(QLatin1String("trees")).toArray()) {
        QStringList nested;
        for (const QJsonValue v : tree.toObject().value(QLatin1String("items")).toArray())
            nested << QStringLiteral("%1:%2").arg(v.toObject().value(QLatin1String("depth")).toInt())
                          .arg(v.toObject().value(QLatin1String("name")).toString());
        if (nested.contains(QStringLiteral("0:塔维克建筑有限公司")) && nested.contains(QStringLiteral("1:董事会")))
            found = true;
    }
    EXPECT_TRUE(found) << QJsonDocument(screen).toJson().toStdString();

    // "董事会" lies at (449, 74, 82, 42) in the chart, inside its border.
    const QRect chart = ControlRect(QStringLiteral("TOrgForm"), QStringLiteral("org"));
    const QPoint node = OnScreen(ClientRect(window), chart.topLeft() + QPoint(2 + 449 + 41, 2 + 74 + 21));
    const QJsonObject focus =
        atspi.Probe({QStringLiteral("click-focus"), QString::number(node.x()), QString::number(node.y())});
    ASSERT_FALSE(focus.contains(QLatin1String("error"))) << focus.value(QLatin1String("error")).toString().toStdString();
    EXPECT_EQ(focus.value(QLatin1String("name")).toString(), QStringLiteral("董事会"));
    EXPECT_TRUE(focus.value(QLatin1String("focused")).toBool());
}

TEST_F(AccessibilityE2e, PostGridCurrentCellTakesTheFocusOnAClick)
{
    QString window;
    const QJsonObject screen = OpenAndRead(QStringLiteral("岗位字典"), QStringLiteral("岗位管理"), &window);
    ASSERT_FALSE(screen.contains(QLatin1String("error"))) << screen.value(QLatin1String("error")).toString().toStdString();
    // Column 2 (widths 20, 124, 277) and row 3 (heights 20, 18, 20, 18) of the
    // post grid, inside its two-pixel border: "项目经理".
    const QRect grid = ControlRect(QStringLiteral("TPostForm"), QStringLiteral("TavikPTGrid2"));
    const QPoint cell = OnScreen(ClientRect(window), grid.topLeft() + QPoint(2 + 20 + 124 + 138, 2 + 58 + 9));
    const QJsonObject focus =
        atspi.Probe({QStringLiteral("click-focus"), QString::number(cell.x()), QString::number(cell.y())});
    ASSERT_FALSE(focus.contains(QLatin1String("error"))) << focus.value(QLatin1String("error")).toString().toStdString();
    EXPECT_EQ(focus.value(QLatin1String("role")).toString(), QStringLiteral("table cell"));
    EXPECT_EQ(focus.value(QLatin1String("name")).toString(), QStringLiteral("项目经理"));
    EXPECT_EQ(focus.value(QLatin1String("row")).toInt(), 3);
    EXPECT_EQ(focus.value(QLatin1String("col")).toInt(), 2);
    EXPECT_TRUE(focus.value(QLatin1String("focused")).toBool());
}

} // namespace
