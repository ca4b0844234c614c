#include "app/GalleryDrawGrid.h"

#include "platform/canvas/Canvas.h"

namespace {

constexpr int kRows = 5000;
constexpr int kHiddenCol = 5;

const char* const kColumnHeads[] = {"No.", "Key", "Name", "Department", "Post", "Hidden", "Login", "Created",
                                    "State", "Read", "Write", "Admin"};

} // namespace

TGalleryDrawGrid::TGalleryDrawGrid(TComponent* owner) : TTavikCustomDrawGrid(owner), cols_(12), rows_(kRows)
{
    SetColCount(12);
    SetRowCount(kRows);
    SetFixedCols(2);
    SetFixedRows(3);
    SetFixedEditCols(1);
    SetFixedEditRows(1);
    SetOptions(Options() | GridOption(goCellMerge) | GridOption(goRangeFilling) | GridOption(goDrawFocusSelected));
    SetColWidths(0, 44);
    SetColWidths(1, 56);
    SetColWidths(2, 90);
    SetColWidths(3, 110);
    SetColWidths(kHiddenCol, 0);
    OnDrawCell = TGridDrawCellEvent([this](TObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                                           TGridDrawState state, bool& handled) {
        const QString text = CellText(col, row);
        if (text.isEmpty())
            return;
        canvas.Brush().SetStyle(bsClear);
        TRect r = rect;
        const bool head = row < 2 || col == 0;
        InflateRect(r, -3, 0);
        canvas.DrawText(text, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (head ? DT_CENTER : DT_LEFT));
        handled = true;
    });
}

int TGalleryDrawGrid::MergeId(int col, int row)
{
    if (row == 0) {
        if (col >= 2 && col <= 5)
            return 1;
        if (col >= 6 && col <= 8)
            return 2;
        if (col >= 9)
            return 3;
    }
    if (row <= 1 && col <= 1)
        return 10 + col;
    if (col == 3 && row >= 6 && row <= 8)
        return 20;
    return 0;
}

void TGalleryDrawGrid::ColumnMoved(int from, int to)
{
    cols_.Move(from, to);
    TTavikCustomDrawGrid::ColumnMoved(from, to);
}

void TGalleryDrawGrid::RowMoved(int from, int to)
{
    rows_.Move(from, to);
    TTavikCustomDrawGrid::RowMoved(from, to);
}

QString TGalleryDrawGrid::CellText(int col, int row) const
{
    // The group heads belong to their places; everything else to its record.
    if (row == 0)
        return RecordText(col, 0);
    return RecordText(cols_[col], rows_[row]);
}

QString TGalleryDrawGrid::RecordText(int col, int row) const
{
    if (row == 0) {
        switch (col) {
        case 0:
        case 1:
            return QString::fromLatin1(kColumnHeads[col]);
        case 2:
            return QStringLiteral("Person");
        case 6:
            return QStringLiteral("Account");
        case 9:
            return QStringLiteral("Rights");
        default:
            return {};
        }
    }
    if (row == 1)
        return col <= 1 ? QString() : QString::fromLatin1(kColumnHeads[col]);
    if (row == 2)
        return col == 0 ? QStringLiteral("Σ") : (col == 1 ? QStringLiteral("all") : QStringLiteral("*"));
    const int n = row - 2;
    switch (col) {
    case 0:
        return QString::number(n);
    case 1:
        return QStringLiteral("K%1").arg(n, 4, 10, QLatin1Char('0'));
    case 2:
        return QStringLiteral("User %1").arg(n);
    case 3:
        return row >= 6 && row <= 8 ? QStringLiteral("Merged 3 rows") : QStringLiteral("Dept %1").arg(n % 17);
    case 4:
        return QStringLiteral("Post %1").arg(n % 5);
    case 6:
        return QStringLiteral("user%1").arg(n);
    case 7:
        return QStringLiteral("2026-%1-%2").arg(1 + n % 12, 2, 10, QLatin1Char('0')).arg(1 + n % 28, 2, 10, QLatin1Char('0'));
    case 8:
        return n % 3 ? QStringLiteral("active") : QStringLiteral("locked");
    default:
        return (n + col) % 2 ? QStringLiteral("T") : QStringLiteral("F");
    }
}

TGalleryDrawGrid* MakeGalleryDrawGrid(TCustomForm* form, const TRect& bounds)
{
    auto* grid = new TGalleryDrawGrid(form);
    grid->SetParent(form);
    grid->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    grid->MoveCurrent(3, 4, true, false, false, true);
    grid->MoveCurrent(4, 5, true, false, false, false);
    return grid;
}
