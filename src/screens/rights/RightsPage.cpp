#include "screens/rights/RightsPage.h"

#include <set>

#include "grid/ptgrid/TavikPTGrid.h"

void RightsPage::PrepareGrid(TTavikPTGrid& grid, std::initializer_list<int> editable)
{
    // Moved columns would no longer be the page's, a moved row no longer its
    // working row's neighbour.
    grid.SetOptions(grid.Options() & ~(GridOption(goColMoving) | GridOption(goRowMoving)));
    // Read-only cells could not even be made current: the view columns keep
    // their cells selectable and only refuse an editor.
    std::set<int> open(editable);
    grid.OnQueryEditorMode = TGridQueryEditorModeEvent([open](TObject*, int col, int, bool& canShow, QChar) {
        canShow = canShow && open.count(col);
    });
}

void RightsPage::SetDataRows(TTavikPTGrid& grid, int count)
{
    grid.SetEditorMode(false);
    const int rows = 1 + count;
    grid.Synchronise(grid.ColCount(), rows);
    grid.SetRowCount(rows);
    for (int row = 1; row < rows; ++row) {
        grid.Rows()->Items(row)->SetExpand(true);
        grid.SetRowHeight(row, grid.DefaultRowHeight());
    }
    if (grid.CurrentRow() >= rows)
        grid.MoveCurrent(grid.Current().X, rows - 1, true, false, false, true);
}

int RightsPage::EntryOf(TTavikPTGrid& grid, int row)
{
    if (row < 1 || row >= grid.RowCount())
        return -1;
    return grid.Rows()->Items(row)->Data() - 1;
}

std::vector<size_t> RightsPage::SelectedEntries(TTavikPTGrid& grid)
{
    std::vector<size_t> out;
    for (int row = 1; row < grid.RowCount(); ++row) {
        bool selected = false;
        for (int col = 1; col < grid.ColCount() && !selected; ++col)
            selected = grid.IsCellSelected(col, row);
        if (selected && EntryOf(grid, row) >= 0)
            out.push_back(size_t(EntryOf(grid, row)));
    }
    if (out.empty() && EntryOf(grid, grid.CurrentRow()) >= 0)
        out.push_back(size_t(EntryOf(grid, grid.CurrentRow())));
    return out;
}

QString RightsPage::CheckText(const QVariant& value)
{
    if (value.isNull())
        return {};
    return value.toInt() ? QStringLiteral("T") : QStringLiteral("F");
}

QVariant RightsPage::CheckValue(const QString& text)
{
    if (text.startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
        return 1;
    if (text.startsWith(QLatin1Char('F'), Qt::CaseInsensitive))
        return 0;
    return {};
}
