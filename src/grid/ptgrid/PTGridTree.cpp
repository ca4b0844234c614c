// Tree rows of the PT grid: levels read from the level column, the rows'
// Expand flags, and the walk that hides and restores descendants' heights.

#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/actions/ImageList.h"

int TTavikPTGrid::LevelOf(int row) const
{
    if (levelCol_ < 0 || row < 0 || row >= rows_->Count())
        return 0;
    const TPTCells* cells = rows_->Items(row)->Cells();
    if (levelCol_ >= cells->Count())
        return 0;
    bool ok = false;
    const int value = cells->Items(levelCol_)->Value().toInt(&ok);
    return ok ? static_cast<uint8_t>(value) : 0;
}

uint8_t TTavikPTGrid::RowLevel(int row)
{
    if (!IsTreeGrid() || levelCol_ == -1 || row >= RowCount())
        return 0;
    return static_cast<uint8_t>(LevelOf(row));
}

bool TTavikPTGrid::RowExpanded(int row)
{
    bool expanded = row >= 0 && row < rows_->Count() && rows_->Items(row)->Expand();
    OnQueryRowExpand(this, row, expanded);
    return expanded;
}

void TTavikPTGrid::SetRowExpanded(int row, bool expanded)
{
    if (row < 0 || row >= RowCount())
        return;
    Cell(0, row);
    if (row >= rows_->Count())
        return;
    rows_->Items(row)->SetExpand(expanded);
    OnUpdateRowExpand(this, row, expanded);
    TreeShapeChanged();
    UpdateScrollRange();
    Invalidate();
}

bool TTavikPTGrid::IsTreeColumn(int col)
{
    const int c0 = FixedCols() - FixedEditCols();
    if (levelCol_ != c0)
        return col == c0;
    return levelCol_ < ColCount() - 1 && col == levelCol_ + 1;
}

void TTavikPTGrid::ExpandCollapse(int p, bool expand)
{
    if (levelCol_ == -1)
        return;
    const int a = LevelOf(p);
    const int rowCount = std::min(RowCount(), rows_->Count());
    for (int d = p + 1; d < rowCount; ++d) {
        const int b = LevelOf(d);
        if (b <= a)
            break;
        if (b != a + 1)
            continue;
        TPTRow* child = rows_->Items(d);
        if (expand) {
            // A row read collapsed never had a height saved: it gets the default.
            const int saved = child->SavedHeight();
            SetRowHeight(d, saved > 0 ? saved : DefaultRowHeight());
        } else {
            const int present = GetRowHeight(d);
            if (present != 0)
                child->SetSavedHeight(present);
            SetRowHeight(d, 0);
        }
        if (RowHasChildren(d))
            ExpandCollapse(d, expand ? child->Expand() : false);
    }
    TreeShapeChanged();
}

void TTavikPTGrid::SetLevelCol(int value)
{
    if (value < -1 || value >= ColCount())
        throw EGridException(grid_errors::IndexOutOfRange);
    if (value == levelCol_)
        return;
    // The level column is hidden at run time.
    if (levelCol_ >= 0 && levelCol_ < ColCount())
        SetColWidths(levelCol_, DefaultColWidth());
    if (value >= 0)
        SetColWidths(value, 0);
    levelCol_ = value;
    TreeShapeChanged();
    Invalidate();
}

void TTavikPTGrid::Loaded()
{
    TTavikCustomViewGrid::Loaded();
    if (!pendingImages_.isEmpty() && Owner()) {
        if (auto* images = dynamic_cast<TImageList*>(Owner()->FindComponent(pendingImages_)))
            SetImages(images);
        pendingImages_.clear();
    }
    // The stored ColWidths came after LevelCol and showed the column again.
    const int stored = levelCol_;
    levelCol_ = -1;
    if (stored >= 0 && stored < ColCount())
        SetLevelCol(stored);
    TreeShapeChanged();
}
