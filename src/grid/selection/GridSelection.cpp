#include "grid/selection/GridSelection.h"

#include <algorithm>
#include <stdexcept>

#include "grid/selection/SelectionHost.h"
#include "grid/selection/Selections.h"

TRect TGridSelection::HandleRect(const TRect& bounds) const
{
    return {bounds.Right - 3, bounds.Bottom - 3, bounds.Right + 3, bounds.Bottom + 3};
}

bool TGridSelection::Contains(TGridCoord cell) const
{
    return GridRectContains(GetRange(), cell.X, cell.Y);
}

ISelectionHost& TGridSelection::Grid() const
{
    if (!FOwner || !FOwner->Grid())
        throw std::logic_error("Selection is not part of a grid's selection set");
    return *FOwner->Grid();
}

TRangeSelection::TRangeSelection(const TGridRect& range)
    : FRange{std::min(range.Left, range.Right), std::min(range.Top, range.Bottom),
             std::max(range.Left, range.Right), std::max(range.Top, range.Bottom)}
{
}

TGridRect TRangeSelection::GetRange() const
{
    // A range on its own (the set's empty range among them) has no grid to
    // widen against.
    if (!Owner() || !Owner()->Grid())
        return FRange;
    ISelectionHost& grid = Grid();
    return grid.HasOption(goCellMerge) ? grid.WidenToMergedAreas(FRange) : FRange;
}

bool TRangeSelection::CoversLine(int, int) const
{
    return false;
}

std::unique_ptr<TGridSelection> TRangeSelection::Clone() const
{
    return std::make_unique<TRangeSelection>(*this);
}

TRowSelection::TRowSelection(int row1, int row2) : FFirstRow(std::min(row1, row2)), FLastRow(std::max(row1, row2)) {}

void TRowSelection::SetRows(int row1, int row2)
{
    FFirstRow = std::min(row1, row2);
    FLastRow = std::max(row1, row2);
}

TGridRect TRowSelection::GetRange() const
{
    ISelectionHost& grid = Grid();
    return {grid.FixedCols() - grid.FixedEditCols(), FFirstRow, grid.ColCount() - 1, FLastRow};
}

TRect TRowSelection::HandleRect(const TRect& bounds) const
{
    return {bounds.Left + 2, bounds.Bottom - 3, bounds.Left + 8, bounds.Bottom + 3};
}

bool TRowSelection::CoversLine(int, int row) const
{
    return row >= FFirstRow && row <= FLastRow;
}

std::unique_ptr<TGridSelection> TRowSelection::Clone() const
{
    return std::make_unique<TRowSelection>(*this);
}

TColSelection::TColSelection(int col1, int col2) : FFirstCol(std::min(col1, col2)), FLastCol(std::max(col1, col2)) {}

TGridRect TColSelection::GetRange() const
{
    ISelectionHost& grid = Grid();
    return {FFirstCol, grid.FixedRows() - grid.FixedEditRows(), FLastCol, grid.RowCount() - 1};
}

TRect TColSelection::HandleRect(const TRect& bounds) const
{
    return {bounds.Right - 3, bounds.Top + 2, bounds.Right + 3, bounds.Top + 8};
}

bool TColSelection::CoversLine(int col, int) const
{
    return col >= FFirstCol && col <= FLastCol;
}

std::unique_ptr<TGridSelection> TColSelection::Clone() const
{
    return std::make_unique<TColSelection>(*this);
}

TGridRect TFullSelection::GetRange() const
{
    ISelectionHost& grid = Grid();
    return {grid.FixedCols() - grid.FixedEditCols(), grid.FixedRows() - grid.FixedEditRows(), grid.ColCount() - 1,
            grid.RowCount() - 1};
}

bool TFullSelection::CoversLine(int, int) const
{
    return true;
}

std::unique_ptr<TGridSelection> TFullSelection::Clone() const
{
    return std::make_unique<TFullSelection>(*this);
}
