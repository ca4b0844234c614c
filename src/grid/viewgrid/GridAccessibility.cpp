#include "grid/viewgrid/GridAccessibility.h"

#include <algorithm>
#include <climits>

#include "grid/layout/CellAttributes.h"
#include "grid/viewgrid/CheckCell.h"
#include "grid/editor/InplaceEdit.h"
#include "grid/richtext/RichTextReader.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "grid/core/GridEditing.h"

GridAccessibility::GridAccessibility(TTavikCustomGrid& grid)
    : TAccessibleSource(grid), grid_(grid), view_(dynamic_cast<TTavikCustomViewGrid*>(&grid))
{
}

TAccItem GridAccessibility::Key(int row, int col)
{
    return (static_cast<TAccItem>(row) + 1) << 32 | static_cast<TAccItem>(static_cast<uint32_t>(col));
}

bool GridAccessibility::IsValid(TAccItem item) const
{
    if (item == 0)
        return true;
    const int row = RowOf(item), col = ColOf(item);
    return row >= 0 && col >= 0 && row < grid_.RowCount() && col < grid_.ColCount();
}

int GridAccessibility::ChildCount(TAccItem parent) const
{
    if (parent != 0)
        return 0;
    // Every place is a child; past the largest index only the table reaches.
    const int64_t places = static_cast<int64_t>(grid_.RowCount()) * grid_.ColCount();
    return static_cast<int>(std::min<int64_t>(places, INT_MAX));
}

TAccItem GridAccessibility::Child(TAccItem parent, int index) const
{
    const int cols = grid_.ColCount();
    if (parent != 0 || index < 0 || cols <= 0 || index >= ChildCount(0))
        return 0;
    return Key(index / cols, index % cols);
}

int GridAccessibility::IndexOf(TAccItem item) const
{
    if (item == 0 || !IsValid(item))
        return -1;
    const int64_t index = static_cast<int64_t>(RowOf(item)) * grid_.ColCount() + ColOf(item);
    return index < INT_MAX ? static_cast<int>(index) : -1;
}

TAccItem GridAccessibility::ItemAt(int x, int y) const
{
    const TGridCoord c = grid_.PointToCell(x, y);
    return IsValid(Key(c.Y, c.X)) ? CellAt(c.Y, c.X) : 0;
}

TAccItem GridAccessibility::FocusedItem() const
{
    const TGridCoord c = grid_.Current();
    return IsValid(Key(c.Y, c.X)) ? CellAt(c.Y, c.X) : 0;
}

bool GridAccessibility::IsDataCell(int col, int row) const { return col >= grid_.FixedCols() && row >= grid_.FixedRows(); }

bool GridAccessibility::IsCheckCell(int col, int row) const
{
    if (!view_ || !IsDataCell(col, row))
        return false;
    TCellAttrInfo info;
    view_->GetCellAttrs(col, row, info, CellAttr(caDataType));
    return info.DataType == cdtBoolean;
}

bool GridAccessibility::IsTreeRow(int row) const
{
    return view_ && view_->IsTreeGrid() && row >= grid_.FixedRows() && grid_.RowHasChildren(row);
}

TAccRole GridAccessibility::Role(TAccItem item) const
{
    if (item == 0)
        return arTable;
    const int row = RowOf(item), col = ColOf(item);
    if (row < grid_.FixedRows())
        return arColumnHeader;
    if (col < grid_.FixedCols())
        return arRowHeader;
    return IsCheckCell(col, row) ? arCheckBox : arCell;
}

QString GridAccessibility::Name(TAccItem item) const
{
    if (item == 0 || !view_)
        return {};
    const int row = RowOf(item), col = ColOf(item);
    // Row numbers and column letters where the grid draws them.
    if (grid_.HasOption(goShowRowNo) && col == 0 && grid_.FixedCols() > 0)
        return row >= grid_.EditableRow() ? QString::number(row - grid_.EditableRow() + 1) : QString();
    if (grid_.HasOption(goShowColNo) && row == 0 && grid_.FixedRows() > 0 && col > 0)
        return TTavikCustomViewGrid::ColumnLetters(col);
    TCellAttrInfo info;
    view_->GetCellAttrs(col, row, info, CellAttr(caDataType));
    if (info.DataType == cdtBoolean && IsDataCell(col, row))
        return {}; // a box, no text
    const QString value = view_->GetCellValue(col, row);
    if (info.DataType == cdtRichText && IsRichText(value))
        return RichDocumentText(ReadRichText(value));
    return value;
}

QString GridAccessibility::Description(TAccItem item) const
{
    // Tree rows say how deep they lie, as the indentation shows.
    if (item != 0 && view_ && view_->IsTreeGrid() && RowOf(item) >= grid_.FixedRows())
        return QStringLiteral("level %1").arg(Level(item) + 1);
    return {};
}

TAccStates GridAccessibility::States(TAccItem item) const
{
    if (item == 0) {
        TAccStates s = 0;
        if (grid_.HasOption(goRangeSelect) || grid_.HasOption(goMultiSelection))
            s |= asMultiSelectable;
        return s;
    }
    const int row = RowOf(item), col = ColOf(item);
    TAccStates s = 0;
    const TGridRect area = grid_.MergedArea(col, row);
    if (grid_.ColWidths(col) <= 0 || grid_.GetRowHeight(row) <= 0 || area.Left != col || area.Top != row)
        s |= asInvisible;
    if (!IsDataCell(col, row))
        return s | asReadOnly;
    s |= asSelectable | asFocusable;
    if (grid_.IsCellSelected(col, row))
        s |= asSelected;
    const TGridCoord cur = grid_.Current();
    const TGridRect curArea = grid_.MergedArea(cur.X, cur.Y);
    const bool editing = grid_.EditorMode() && grid_.Editing().EditCol() == col && grid_.Editing().EditRow() == row;
    if (curArea.Left == col && curArea.Top == row && grid_.Focused() && !grid_.EditorMode())
        s |= asFocused;
    if (editing)
        s |= asEditable | asFocused;
    else if (grid_.ReadOnly() || !grid_.HasOption(goEditing))
        s |= asReadOnly;
    if (IsCheckCell(col, row)) {
        s |= asCheckable;
        switch (CheckCellState(view_->GetCellValue(col, row), grid_.HasOption(goAllowCheckBoxGrayed))) {
        case ccsChecked: s |= asChecked; break;
        case ccsGrayed: s |= asMixed; break;
        default: break;
        }
    }
    if (IsTreeRow(row))
        s |= asExpandable | (grid_.RowExpanded(row) ? asExpanded : asCollapsed);
    return s;
}

TRect GridAccessibility::Bounds(TAccItem item) const
{
    if (item == 0)
        return grid_.ClientRect();
    const TGridRect area = grid_.MergedArea(ColOf(item), RowOf(item));
    const TRect first = grid_.CellBounds(area.Left, area.Top);
    const TRect last = grid_.CellBounds(area.Right, area.Bottom);
    if (last.IsEmpty())
        return first;
    return {first.Left, first.Top, std::max(first.Right, last.Right), std::max(first.Bottom, last.Bottom)};
}

int GridAccessibility::Level(TAccItem item) const
{
    if (item == 0 || !view_ || !view_->IsTreeGrid())
        return 0;
    return grid_.RowLevel(RowOf(item));
}

std::vector<TAccAction> GridAccessibility::Actions(TAccItem item) const
{
    std::vector<TAccAction> actions;
    if (item == 0)
        return actions;
    const int row = RowOf(item), col = ColOf(item);
    if (IsCheckCell(col, row) && !grid_.ReadOnly() && view_->DirectEditBool())
        actions.push_back(aaToggle);
    if (IsTreeRow(row))
        actions.push_back(grid_.RowExpanded(row) ? aaCollapse : aaExpand);
    return actions;
}

bool GridAccessibility::DoAction(TAccItem item, TAccAction action)
{
    const int row = RowOf(item), col = ColOf(item);
    const std::vector<TAccAction> allowed = Actions(item);
    if (std::find(allowed.begin(), allowed.end(), action) == allowed.end())
        return false;
    if (action == aaToggle) {
        // As a click on the box: the value flips where the hide query lets it.
        if (!view_->ToggleCheckCell(col, row))
            return false;
    } else {
        grid_.SetRowExpanded(row, action == aaExpand);
    }
    NotifyAccessibleState(grid_, item);
    return true;
}

TControl* GridAccessibility::Editor(TAccItem item) const
{
    const TGridEditing& editing = grid_.Editing();
    if (item == 0 || !grid_.EditorMode() || editing.EditCol() != ColOf(item) || editing.EditRow() != RowOf(item))
        return nullptr;
    return editing.Editor();
}

int GridAccessibility::RowCount() const { return grid_.RowCount(); }
int GridAccessibility::ColumnCount() const { return grid_.ColCount(); }
int GridAccessibility::HeaderRowCount() const { return grid_.FixedRows(); }
int GridAccessibility::HeaderColumnCount() const { return grid_.FixedCols(); }

TAccItem GridAccessibility::CellAt(int row, int col) const
{
    if (!IsValid(Key(row, col)))
        return 0;
    const TGridRect area = grid_.MergedArea(col, row);
    return Key(area.Top, area.Left);
}

TAccCellPlace GridAccessibility::PlaceOf(TAccItem item) const
{
    if (item == 0 || !IsValid(item))
        return {};
    const int row = RowOf(item), col = ColOf(item);
    const TGridRect area = grid_.MergedArea(col, row);
    if (area.Left != col || area.Top != row)
        return {row, col, 1, 1};
    return {row, col, area.Bottom - area.Top + 1, area.Right - area.Left + 1};
}

std::vector<TAccItem> GridAccessibility::SelectedCells(int limit) const
{
    std::vector<TAccItem> cells;
    const TGridRect r = grid_.SelectionRect();
    const int top = std::max(r.Top, grid_.FixedRows()), left = std::max(r.Left, grid_.FixedCols());
    const int bottom = std::min(r.Bottom, grid_.RowCount() - 1), right = std::min(r.Right, grid_.ColCount() - 1);
    for (int row = top; row <= bottom; ++row)
        for (int col = left; col <= right; ++col) {
            if (static_cast<int>(cells.size()) >= limit)
                return cells;
            if (grid_.IsCellSelected(col, row) && CellAt(row, col) == Key(row, col))
                cells.push_back(Key(row, col));
        }
    return cells;
}

void RegisterGridAccessibility()
{
    RegisterAccessibleProvider([](TControl& control) -> std::unique_ptr<TAccessibleSource> {
        if (auto* grid = dynamic_cast<TTavikCustomGrid*>(&control))
            return std::make_unique<GridAccessibility>(*grid);
        return nullptr;
    });
}
