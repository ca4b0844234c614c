#include <gtest/gtest.h>

#include <QAccessibleActionInterface>

#include "QtPrinters.h"
#include "app/MainForm.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "orgchart/OrgChart.h"
#include "platform/controls/Label.h"
#include "screens/OrgForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "support/Accessibility.h"
#include "support/ScreenTest.h"

namespace {

using ScreenAccessibility = ScreenTest;
using a11y::ChildNames;
using a11y::Find;
using a11y::States;

TEST_F(ScreenAccessibility, WindowsAreAFrameAndDialogsNamedByTheirCaptions)
{
    TRightSetForm rights(nullptr);
    QAccessibleInterface* w = a11y::Of(&rights);
    EXPECT_EQ(w->role(), QAccessible::Dialog);
    EXPECT_EQ(w->text(QAccessible::Name), QStringLiteral("权限设置"));
    TOrgForm org(nullptr);
    EXPECT_EQ(a11y::Of(&org)->role(), QAccessible::Dialog);
    EXPECT_EQ(a11y::Of(&org)->text(QAccessible::Name), QStringLiteral("组织机构管理"));
    // The launcher is the application's main window.
    TMainForm* main = nullptr;
    Application()->CreateForm(main);
    EXPECT_EQ(a11y::Of(main)->role(), QAccessible::Window);
    EXPECT_EQ(a11y::Of(main)->text(QAccessible::Name), QStringLiteral("MainForm"));
    Application()->DestroyForms();
}

TEST_F(ScreenAccessibility, RightsPagesAreTabsHoldingPropertyPages)
{
    TRightSetForm form(nullptr);
    form.Show();
    QAccessibleInterface* list = a11y::Of(form.pcRight);
    ASSERT_EQ(list->role(), QAccessible::PageTabList);
    EXPECT_EQ(ChildNames(list, QAccessible::PageTab),
              (QStringList{QStringLiteral("分级权限设置"), QStringLiteral("行政和业务隶属关系设置"),
                           QStringLiteral("角色信任关系设置"), QStringLiteral("功能和数据策略设置"),
                           QStringLiteral("公共资源策略设置")}));
    QAccessibleInterface* first = list->child(0);
    QAccessibleInterface* third = list->child(2);
    EXPECT_EQ(States(first), "selected focused"); // the page control has the focus
    EXPECT_EQ(States(third), "");
    // Each tab holds its sheet, whose parent is the tab again.
    ASSERT_EQ(third->childCount(), 1);
    QAccessibleInterface* page = third->child(0);
    EXPECT_EQ(page->role(), QAccessible::PropertyPage);
    EXPECT_EQ(page->text(QAccessible::Name), QStringLiteral("角色信任关系设置"));
    EXPECT_EQ(page->parent(), third);
    EXPECT_EQ(third->indexOfChild(page), 0);
    EXPECT_EQ(list->indexOfChild(third), 2);

    // Pressing a tab turns to its page as a click does.
    third->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(form.pcRight->ActivePageIndex(), 2);
    EXPECT_EQ(States(third), "selected focused");

    // A hidden tab is absent; its sheet is a plain pane among the window children.
    form.pcRight->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(ChildNames(list, QAccessible::PageTab).size(), 4);
    EXPECT_NE(Find(list, QAccessible::Pane), nullptr);
}

TEST_F(ScreenAccessibility, ToolbarButtonsLinksAndCheckBoxes)
{
    TRightSetForm form(nullptr);
    QAccessibleInterface* w = a11y::Of(&form);
    QAccessibleInterface* bar = Find(w, QAccessible::ToolBar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(ChildNames(bar, QAccessible::Button),
              (QStringList{QStringLiteral("复制权限"), QStringLiteral("粘贴权限"), QStringLiteral("保存"),
                           QStringLiteral("取消"), QStringLiteral("刷新"), QStringLiteral("退出")}));
    EXPECT_EQ(ChildNames(bar, QAccessible::Separator).size(), 4);

    // Link labels: the name as shown, the accelerator as a shortcut, a press action.
    auto* link = form.Find<TLabel>("Label10");
    QAccessibleInterface* l = a11y::Of(link);
    EXPECT_EQ(l->role(), QAccessible::Link);
    EXPECT_EQ(l->text(QAccessible::Name), QStringLiteral(" ·选择用户(U)"));
    EXPECT_EQ(l->text(QAccessible::Accelerator), QStringLiteral("Alt+U"));
    EXPECT_TRUE(l->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    int clicks = 0;
    link->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    l->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(a11y::Of(form.Find<TLabel>("Label14"))->role(), QAccessible::StaticText);

    // The check box toggles through its action.
    auto* box = form.Find<TSkinCheckBox>("SkinCheckBox2");
    QAccessibleInterface* b = a11y::Of(box);
    EXPECT_EQ(b->role(), QAccessible::CheckBox);
    EXPECT_EQ(b->text(QAccessible::Name), QStringLiteral("启用部门级系统管理员"));
    EXPECT_NE(States(b).find("checked"), std::string::npos);
    b->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(States(b).find("checked"), std::string::npos);

    // A gradient panel is named only where its caption shows: GradientPanel3's
    // is covered by the page control, GradientPanel1's is drawn.
    EXPECT_EQ(a11y::Of(form.Find<TControl>("GradientPanel3"))->text(QAccessible::Name), QString());
    EXPECT_EQ(a11y::Of(form.Find<TControl>("GradientPanel1"))->text(QAccessible::Name), QStringLiteral("GradientPanel1"));
    EXPECT_EQ(a11y::Of(form.Find<TControl>("GradientPanel2"))->text(QAccessible::Name), QStringLiteral("组织机构"));
}

TEST_F(ScreenAccessibility, TreeGridIsATableWithHeadsChecksAndTreeRows)
{
    TRightSetForm form(nullptr);
    form.Show();
    form.pcRight->SetActivePageIndex(3);
    auto* grid = form.Find<TTavikPTGrid>("TavikPTGrid7");
    QAccessibleInterface* t = a11y::Of(grid);
    ASSERT_EQ(t->role(), QAccessible::Table);
    QAccessibleTableInterface* table = t->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), grid->RowCount());
    EXPECT_EQ(table->columnCount(), 9);
    EXPECT_EQ(table->columnDescription(1), QStringLiteral("功能名称"));

    struct Case {
        int row, col;
        QAccessible::Role role;
        const char* name;
        const char* states;
    };
    // Rows: 材料管理 (level 0, expanded), 材料计划 (1), 材料采购计划 (2), …
    const Case cases[] = {
        {0, 1, QAccessible::ColumnHeader, "功能名称", ""},
        {1, 0, QAccessible::RowHeader, "1", ""},
        {1, 1, QAccessible::Cell, "材料管理", "selected expandable expanded"}, // the current cell
        {1, 2, QAccessible::CheckBox, "", "checkable checked expandable expanded"},
        {1, 3, QAccessible::CheckBox, "", "checkable expandable expanded"},
        {1, 7, QAccessible::CheckBox, "", "checkable mixed expandable expanded"},
        {3, 1, QAccessible::Cell, "材料采购计划", ""},
        {1, 8, QAccessible::Cell, "0", "expandable expanded invisible"}, // the hidden level column
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        QAccessibleInterface* cell = table->cellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), c.role);
        EXPECT_EQ(cell->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(States(cell), c.states);
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), c.row);
        EXPECT_EQ(cell->tableCellInterface()->columnIndex(), c.col);
        EXPECT_EQ(cell->parent(), t);
        EXPECT_EQ(t->indexOfChild(cell), c.row * 9 + c.col);
    }
    QAccessibleInterface* head = table->cellAt(3, 1)->tableCellInterface()->columnHeaderCells().value(0);
    ASSERT_NE(head, nullptr);
    EXPECT_EQ(head->text(QAccessible::Name), QStringLiteral("功能名称"));
    EXPECT_EQ(table->cellAt(3, 1)->text(QAccessible::Description), QStringLiteral("level 3"));

    // Actions change the grid: the check flips, the tree row collapses.
    QAccessibleInterface* check = table->cellAt(2, 2);
    check->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(grid->GetCellValue(2, 2), QStringLiteral("F"));
    EXPECT_EQ(States(check).find("checked"), std::string::npos);
    QAccessibleInterface* parentRow = table->cellAt(2, 1);
    ASSERT_TRUE(parentRow->actionInterface()->actionNames().contains(QStringLiteral("Collapse")));
    parentRow->actionInterface()->doAction(QStringLiteral("Collapse"));
    EXPECT_FALSE(grid->RowExpanded(2));
    EXPECT_NE(States(table->cellAt(3, 1)).find("invisible"), std::string::npos);
    EXPECT_EQ(States(parentRow), "expandable collapsed");
    parentRow->actionInterface()->doAction(QStringLiteral("Expand"));
    EXPECT_TRUE(grid->RowExpanded(2));
}

TEST_F(ScreenAccessibility, PostGridCurrentCellIsTheFocusedChild)
{
    TPostForm post(nullptr);
    auto* grid = post.Find<TTavikPTGrid>("TavikPTGrid2");
    post.Show();
    grid->SetFocus();
    ASSERT_TRUE(grid->Focused());
    grid->MoveCurrent(2, 3, true, false, true, true);
    QAccessibleInterface* t = a11y::Of(grid);
    QAccessibleInterface* focused = t->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("项目经理"));
    EXPECT_EQ(States(focused), "selected focused");
}

TEST_F(ScreenAccessibility, ChartIsATreeOfNodesWithExpandCollapseAndRename)
{
    TOrgForm form(nullptr);
    form.Show();
    TOrgChart* chart = form.org;
    QAccessibleInterface* tree = a11y::Of(chart);
    ASSERT_EQ(tree->role(), QAccessible::Tree);
    ASSERT_EQ(tree->childCount(), chart->Tree().TopCount());
    QAccessibleInterface* company = tree->child(0);
    EXPECT_EQ(company->role(), QAccessible::TreeItem);
    EXPECT_EQ(company->text(QAccessible::Name), QStringLiteral("塔维克建筑有限公司"));
    EXPECT_EQ(company->parent(), tree);
    QAccessibleInterface* board = Find(company, QAccessible::TreeItem, QStringLiteral("董事会"));
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->parent(), company);
    EXPECT_EQ(company->indexOfChild(board), 0);
    EXPECT_NE(States(company).find("expanded"), std::string::npos);

    // Collapsing hides the children; expanding shows them again.
    company->actionInterface()->doAction(QStringLiteral("Collapse"));
    EXPECT_FALSE(chart->Tree().Items(0)->Expanded());
    EXPECT_NE(States(board).find("invisible"), std::string::npos);
    company->actionInterface()->doAction(QStringLiteral("Expand"));
    EXPECT_TRUE(chart->Tree().Items(0)->Expanded());

    // Rename selects the node and edits it in place: its text is the editor's.
    chart->SetFocus();
    board->actionInterface()->doAction(QStringLiteral("Rename"));
    EXPECT_TRUE(chart->Editing());
    EXPECT_EQ(chart->Tree().Selected()->Text(), QStringLiteral("董事会"));
    EXPECT_NE(States(board).find("editable"), std::string::npos);
    ASSERT_NE(board->textInterface(), nullptr);
    EXPECT_EQ(board->textInterface()->text(0, board->textInterface()->characterCount()), QStringLiteral("董事会"));
    chart->HideEditor(false);
    EXPECT_EQ(States(board), "selected focused expandable expanded");
    EXPECT_EQ(tree->focusChild(), board);
}

TEST_F(ScreenAccessibility, GroupBoxesAndRadioButtons)
{
    TOrgForm form(nullptr);
    form.Show();
    QAccessibleInterface* group = Find(a11y::Of(&form), QAccessible::Grouping, QStringLiteral("视图样式"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(ChildNames(group, QAccessible::RadioButton), (QStringList{QStringLiteral("图形"), QStringLiteral("文字")}));
    auto* text = form.Find<TSkinRadioButton>("SkinRadioButton1");
    QAccessibleInterface* r = a11y::Of(text);
    r->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(text->Checked());
    EXPECT_EQ(States(r), "checkable checked");
    EXPECT_NE(Find(a11y::Of(&form), QAccessible::Grouping, QStringLiteral("显示层级")), nullptr);
}

} // namespace
