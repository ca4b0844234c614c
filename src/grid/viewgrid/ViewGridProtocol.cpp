// The view grid's value and attribute protocol, its per-column and per-row
// data, and the properties that go with them.

#include <algorithm>

#include "grid/richtext/RichSymbolDraw.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/base/AppContext.h"
#include "platform/canvas/Canvas.h"

TTavikCustomViewGrid::TTavikCustomViewGrid(TComponent* owner)
    : TTavikCustomDrawGrid(owner), images_([this] { Invalidate(); })
{
    ResizeArrays(ColCount(), RowCount());
    Font().SetName(QStringLiteral("宋体"));
    Font().SetSize(9);
    Font().SetStyle(0);
    SetColWidths(0, 20);
    SetOptions(Options() | GridOption(goCellMerge));
}

TTavikCustomViewGrid::~TTavikCustomViewGrid()
{
    // The boxes are children of the grid: the control tree frees them. The
    // drawer goes before the draw grid's own destruction.
    richDraw_.reset();
}

void TTavikCustomViewGrid::Loaded()
{
    TTavikCustomDrawGrid::Loaded();
    ResetRowArrays();
}

void TTavikCustomViewGrid::Resize()
{
    // An open drop-down of the editor would be left at its old place.
    EditorCancelMode();
    TTavikCustomDrawGrid::Resize();
}

void TTavikCustomViewGrid::ResetRowArrays()
{
    std::fill(colData_.begin(), colData_.end(), 0);
    std::fill(rowData_.begin(), rowData_.end(), 0);
    std::fill(rowExpanded_.begin(), rowExpanded_.end(), uint8_t(1));
    treeCacheValid_ = false;
}

void TTavikCustomViewGrid::ResizeArrays(int cols, int rows)
{
    colData_.resize(std::max(cols, 0), 0);
    rowData_.resize(std::max(rows, 0), 0);
    rowExpanded_.resize(std::max(rows, 0), 1);
    treeCacheValid_ = false;
}

void TTavikCustomViewGrid::CheckRow(int row) const
{
    if (row < 0 || row >= RowCount())
        throw EGridException(view_grid_errors::BadRow);
}

void TTavikCustomViewGrid::CheckCol(int col) const
{
    if (col < 0 || col >= ColCount())
        throw EGridException(view_grid_errors::BadCol);
}

int TTavikCustomViewGrid::GetRowData(int row)
{
    CheckRow(row);
    return rowData_[row];
}

void TTavikCustomViewGrid::SetRowData(int row, int value)
{
    CheckRow(row);
    rowData_[row] = value;
}

int TTavikCustomViewGrid::ColData(int col) const
{
    CheckCol(col);
    return colData_[col];
}

void TTavikCustomViewGrid::SetColData(int col, int value)
{
    CheckCol(col);
    colData_[col] = value;
}

QString TTavikCustomViewGrid::GetCellValue(int col, int row)
{
    QString value;
    if (!InGrid(col, row))
        return value;
    if (HasOption(goShowRowNo) && col < EditableCol())
        value = QString::number(row);
    OnQueryCellValue(this, col, row, value);
    return value;
}

void TTavikCustomViewGrid::SetCellValue(int col, int row, const QString& value)
{
    if (InGrid(col, row))
        OnUpdateCellValue(this, col, row, value);
}

TCellAttrInfo TTavikCustomViewGrid::DefaultAttrs() const
{
    TCellAttrInfo info;
    const TFont& font = Font();
    info.FontName = font.Name();
    info.FontSize = font.Size();
    info.FontColor = font.Color();
    info.FontStyles = font.Style();
    info.BackColor = Color();
    info.HorzAlign = haDefault;
    info.VertAlign = vaCenter;
    info.DataType = cdtString;
    info.MergeID = 0;
    info.Style = csAutoWrap;
    info.HorzMargin = cellHorzMargin_;
    info.VertMargin = cellVertMargin_;
    info.HandleSymbol = false;
    info.ImageIndex = -1;
    info.ImageLayout = clImageLeft;
    info.ShowComment = false;
    return info;
}

void TTavikCustomViewGrid::GetCellAttrs(int col, int row, TCellAttrInfo& info, TCellAttributes attrs)
{
    info = DefaultAttrs();
    if (!InGrid(col, row))
        return;
    if (HasCellAttr(attrs, caHorzAlign) && (col < EditableCol() || row < EditableRow()))
        info.HorzAlign = haCenter;
    OnQueryCellAttribute(this, col, row, attrs, info);
}

void TTavikCustomViewGrid::SetCellAttrs(int col, int row, const TCellAttrInfo& info, TCellAttributes attrs)
{
    if (!InGrid(col, row))
        return;
    const TCellAttrInfo copy = info;
    OnUpdateCellAttribute(this, col, row, attrs, copy);
}

QString TTavikCustomViewGrid::ShownText(int col, int row)
{
    if (HasOption(goShowRowNo) && col == 0 && FixedCols() > 0)
        return row >= EditableRow() ? QString::number(row - EditableRow() + 1) : QString();
    if (HasOption(goShowColNo) && row == 0 && FixedRows() > 0 && col > 0)
        return ColumnLetters(col);
    return GetCellValue(col, row);
}

bool TTavikCustomViewGrid::IsTreeColumn(int col)
{
    return col == EditableCol();
}

int TTavikCustomViewGrid::MergeId(int col, int row)
{
    if (!InGrid(col, row))
        return 0;
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caMergeID));
    return static_cast<int>(info.MergeID);
}

void TTavikCustomViewGrid::SetMergeId(int col, int row, int id)
{
    TCellAttrInfo info;
    info.MergeID = static_cast<uint32_t>(id);
    SetCellAttrs(col, row, info, CellAttr(caMergeID));
}

TCellLineWidths TTavikCustomViewGrid::LineWidths(int col, int row)
{
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttrs({caRightLine, caBottomLine, caDiagonal, caAntiDiagonal, caMergeID}));
    TCellLineWidths w{info.RightLine, info.BottomLine, info.Diagonal, info.AntiDiagonal};
    if (!HasOption(goCellMerge) || info.MergeID == 0)
        return w;
    const int id = static_cast<int>(info.MergeID);
    int c = col;
    while (c + 1 < ColCount() && MergeId(c + 1, row) == id)
        ++c;
    if (c != col) {
        GetCellAttrs(c, row, info, CellAttr(caRightLine));
        w.Right = info.RightLine;
    }
    int r = row;
    while (r + 1 < RowCount() && MergeId(col, r + 1) == id)
        ++r;
    if (r != row) {
        GetCellAttrs(col, r, info, CellAttr(caBottomLine));
        w.Bottom = info.BottomLine;
    }
    return w;
}

void TTavikCustomViewGrid::AdjustEditorRect(int col, int row, TRect& out, const TRect& rect)
{
    out = rect;
    const TCellLineWidths w = LineWidths(col, row);
    out.Right -= std::max(0, w.Right - GridLineWidth());
    out.Bottom -= std::max(0, w.Bottom - GridLineWidth());
}

TRowStyle TTavikCustomViewGrid::RowStyle(int row)
{
    TRowStyle style = TTavikCustomDrawGrid::RowStyle(row);
    OnQueryRowStyle(this, row, style);
    return style;
}

QString TTavikCustomViewGrid::GetEditText(int col, int row)
{
    const TGridRect area = MergedArea(col, row);
    QString text = GetCellValue(area.Left, area.Top);
    GetEditTextHandler(this, area.Left, area.Top, text);
    return text;
}

void TTavikCustomViewGrid::SetEditText(int col, int row, const QString& text)
{
    const TGridRect area = MergedArea(col, row);
    col = area.Left;
    row = area.Top;
    QString current = GetCellValue(col, row);
    TCellAttrInfo info;
    GetCellAttrs(col, row, info, CellAttr(caDataType));
    if (info.DataType == cdtBoolean)
        current = current.startsWith(u'T', Qt::CaseInsensitive) ? QStringLiteral("T") : QStringLiteral("F");
    if (text != current)
        SetCellValue(col, row, text);
    SetEditTextHandler(this, col, row, text);
}

void TTavikCustomViewGrid::SizeChanging(int oldColCount, int oldRowCount)
{
    ResizeArrays(ColCount(), RowCount());
    TTavikCustomDrawGrid::SizeChanging(oldColCount, oldRowCount);
}

void TTavikCustomViewGrid::SetColCount(int value)
{
    TTavikCustomDrawGrid::SetColCount(value);
    ResizeArrays(ColCount(), RowCount());
}

void TTavikCustomViewGrid::SetRowCount(int value)
{
    TTavikCustomDrawGrid::SetRowCount(value);
    ResizeArrays(ColCount(), RowCount());
}

namespace {

template <class T>
void MoveEntry(std::vector<T>& v, int from, int to)
{
    if (from < to)
        std::rotate(v.begin() + from, v.begin() + from + 1, v.begin() + to + 1);
    else if (from > to)
        std::rotate(v.begin() + to, v.begin() + from, v.begin() + from + 1);
}

} // namespace

void TTavikCustomViewGrid::MoveColumn(int from, int to)
{
    CheckCol(from);
    CheckCol(to);
    MoveEntry(colData_, from, to);
    TTavikCustomDrawGrid::MoveColumn(from, to);
}

void TTavikCustomViewGrid::MoveRow(int from, int to)
{
    CheckRow(from);
    CheckRow(to);
    MoveEntry(rowData_, from, to);
    MoveEntry(rowExpanded_, from, to);
    treeCacheValid_ = false;
    TTavikCustomDrawGrid::MoveRow(from, to);
}

void TTavikCustomViewGrid::SetIsTree(bool value)
{
    if (Exchange(isTree_, value)) {
        treeCacheValid_ = false;
        Invalidate();
    }
}

void TTavikCustomViewGrid::SetCellHorzMargin(int value)
{
    if (Exchange(cellHorzMargin_, static_cast<uint8_t>(std::clamp(value, 0, 255))))
        Invalidate();
}

void TTavikCustomViewGrid::SetCellVertMargin(int value)
{
    if (Exchange(cellVertMargin_, static_cast<uint8_t>(std::clamp(value, 0, 255))))
        Invalidate();
}

TCanvas& TTavikCustomViewGrid::MeasureCanvas()
{
    struct TextMeasureCanvas {
        TCanvas canvas;
    };
    return AppContext().State<TextMeasureCanvas>().canvas;
}

int TTavikCustomViewGrid::TextHeight(const TCellAttrInfo& font, const QString& text, int width)
{
    TCanvas& canvas = MeasureCanvas();
    TFont& f = canvas.Font();
    f.SetName(font.FontName);
    f.SetSize(font.FontSize);
    f.SetStyle(font.FontStyles);
    TRect r{0, 0, std::max(width, 0), 0};
    return canvas.DrawText(text, r, DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
}
