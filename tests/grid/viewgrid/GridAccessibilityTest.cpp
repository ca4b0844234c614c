#include <gtest/gtest.h>

#include <memory>

#include <QAccessible>

#include "../editor/EditorTestGrid.h"
#include "grid/viewgrid/GridAccessibility.h"
#include "grid/core/TavikCustomGrid.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/accessibility/AccessibleControl.h"

namespace {

// A plain grid with one 2 x 2 merged area at columns 1..2, rows 1..2.
class MergeGrid : public TTavikCustomGrid {
public:
    using TTavikCustomGrid::TTavikCustomGrid;
    int MergeId(int col, int row) override { return col >= 1 && col <= 2 && row >= 1 && row <= 2 ? 7 : 0; }
};

class GridAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallAccessibility();
        RegisterGridAccessibility();
    }
    static AccessibleControl* Table(TControl& grid)
    {
        return dynamic_cast<AccessibleControl*>(QAccessible::queryAccessibleInterface(grid.Widget()));
    }
};

TEST_F(GridAccessibilityTest, MillionRowsAnswerWithCellsMadeOnDemandAndGivenBack)
{
    auto grid = std::make_unique<MergeGrid>(nullptr);
    grid->SetColCount(4);
    grid->SetRowCount(1000000);
    AccessibleControl* table = Table(*grid);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->CachedItemCount(), 0u);
    EXPECT_EQ(table->rowCount(), 1000000);
    EXPECT_EQ(table->childCount(), 4000000);

    QAccessibleInterface* last = table->cellAt(999999, 3);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->tableCellInterface()->rowIndex(), 999999);
    EXPECT_EQ(table->child(3999999), last);
    EXPECT_EQ(table->indexOfChild(last), 3999999);
    EXPECT_EQ(table->cellAt(1000000, 0), nullptr);
    EXPECT_EQ(table->cellAt(0, 4), nullptr);

    // Walking many cells keeps only the newest ones; the current cell stays.
    QAccessibleInterface* current = table->cellAt(grid->Current().Y, grid->Current().X);
    const QAccessible::Id currentId = QAccessible::uniqueId(current);
    const QAccessible::Id lastId = QAccessible::uniqueId(last);
    for (int row = 500000; row < 500000 + 3 * static_cast<int>(AccessibleControl::ItemCacheLimit); ++row)
        ASSERT_NE(table->cellAt(row, 1), nullptr);
    EXPECT_LE(table->CachedItemCount(), AccessibleControl::ItemCacheLimit);
    EXPECT_EQ(QAccessible::accessibleInterface(lastId), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(currentId), current);

    // Rows that go take their cells' validity with them; the grid takes the rest.
    QAccessibleInterface* deep = table->cellAt(600000, 2);
    const QAccessible::Id deepId = QAccessible::uniqueId(deep);
    grid->SetRowCount(10);
    EXPECT_FALSE(deep->isValid());
    EXPECT_EQ(deep->role(), QAccessible::NoRole);
    const QAccessible::Id tableId = QAccessible::uniqueId(table);
    grid.reset();
    EXPECT_EQ(QAccessible::accessibleInterface(tableId), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(deepId), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(currentId), nullptr);
}

TEST_F(GridAccessibilityTest, MergedCellsSpanAndHeadsComeFromTheFixedRowsAndColumns)
{
    MergeGrid grid(nullptr);
    grid.SetOptions(grid.Options() | GridOption(goCellMerge));
    AccessibleControl* table = Table(grid);
    struct Case {
        int row, col;
        int originRow, originCol, rowSpan, colSpan;
        QAccessible::Role role;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 1, 1, QAccessible::ColumnHeader},
        {0, 3, 0, 3, 1, 1, QAccessible::ColumnHeader},
        {3, 0, 3, 0, 1, 1, QAccessible::RowHeader},
        {1, 1, 1, 1, 2, 2, QAccessible::Cell},
        {2, 2, 1, 1, 2, 2, QAccessible::Cell}, // inside the merged area
        {1, 2, 1, 1, 2, 2, QAccessible::Cell},
        {3, 3, 3, 3, 1, 1, QAccessible::Cell},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << "," << c.col);
        QAccessibleInterface* cell = table->cellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr);
        QAccessibleTableCellInterface* place = cell->tableCellInterface();
        EXPECT_EQ(place->rowIndex(), c.originRow);
        EXPECT_EQ(place->columnIndex(), c.originCol);
        EXPECT_EQ(place->rowExtent(), c.rowSpan);
        EXPECT_EQ(place->columnExtent(), c.colSpan);
        EXPECT_EQ(cell->role(), c.role);
        EXPECT_EQ(place->table(), table);
    }
    // A place a merged cell covers is a child of its own, not shown.
    QAccessibleInterface* covered = table->child(1 * 5 + 2);
    EXPECT_TRUE(covered->state().invisible);
    EXPECT_EQ(covered->tableCellInterface()->columnExtent(), 1);
    EXPECT_EQ(table->cellAt(3, 3)->tableCellInterface()->columnHeaderCells().size(), 1);
    EXPECT_EQ(table->cellAt(3, 3)->tableCellInterface()->rowHeaderCells().size(), 1);
    EXPECT_TRUE(table->cellAt(1, 1)->state().selected); // the current cell's selection
    EXPECT_EQ(table->selectedCellCount(), 1);
}

class EditedCell : public GridAccessibilityTest, public EditorFixtureBase {};

TEST_F(EditedCell, IsTheEditorsEditableText)
{
    grid->Text(2, 3) = QStringLiteral("abc");
    grid->FocusCell(2, 3, true);
    QAccessibleInterface* cell = Table(*grid)->cellAt(3, 2);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->textInterface(), nullptr);
    EXPECT_TRUE(cell->state().focused);
    Word f2 = VK_F2;
    grid->KeyDown(f2, 0);
    ASSERT_TRUE(grid->EditorMode());
    EXPECT_TRUE(cell->state().editable);
    QAccessibleTextInterface* text = cell->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(0, text->characterCount()), QStringLiteral("abc"));
    ASSERT_NE(cell->editableTextInterface(), nullptr);
    cell->editableTextInterface()->insertText(3, QStringLiteral("d"));
    EXPECT_EQ(grid->Editor()->Text(), QStringLiteral("abcd"));
}

} // namespace
