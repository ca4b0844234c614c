#include "grid/ptgrid/GridClipboard.h"

#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "grid/core/GridEditing.h"

QString TGridPasteResult::Summary() const
{
    QStringList parts;
    if (EditorBusy)
        return QStringLiteral("Nothing was pasted: the cell being edited does not accept its text yet.");
    if (ReadOnly > 0)
        parts << QStringLiteral("%1 cell(s) that cannot be edited here were skipped").arg(ReadOnly);
    if (Refused > 0)
        parts << QStringLiteral("%1 value(s) were refused by their cells").arg(Refused);
    if (RowsBeyondEnd > 0)
        parts << QStringLiteral("%1 row(s) past the last row were not pasted (add rows first)").arg(RowsBeyondEnd);
    if (ColsBeyondEnd > 0)
        parts << QStringLiteral("%1 column(s) past the last column were not pasted").arg(ColsBeyondEnd);
    if (parts.isEmpty())
        return {};
    return QStringLiteral("%1 cell(s) pasted; %2.").arg(Written).arg(parts.join(QStringLiteral("; ")));
}

TGridClipboard::TGridClipboard(TTavikCustomViewGrid& grid) : grid_(grid) {}

TGridRect TGridClipboard::CopyRange()
{
    const TSelections& selections = grid_.Selections();
    const TGridCoord current = grid_.Current();
    TGridRect range{current.X, current.Y, current.X, current.Y};
    bool first = true;
    for (int i = 0; i < selections.Count(); ++i) {
        const TGridRect r = selections.Items(i)->GetRange();
        if (r.Right < r.Left || r.Bottom < r.Top)
            continue;
        range = first ? r
                      : TGridRect{std::min(range.Left, r.Left), std::min(range.Top, r.Top),
                                  std::max(range.Right, r.Right), std::max(range.Bottom, r.Bottom)};
        first = false;
    }
    range.Left = std::max(range.Left, 0);
    range.Top = std::max(range.Top, 0);
    range.Right = std::min(range.Right, grid_.ColCount() - 1);
    range.Bottom = std::min(range.Bottom, grid_.RowCount() - 1);
    return range;
}

std::vector<int> TGridClipboard::ShownCols(int from, int to)
{
    std::vector<int> cols;
    for (int c = std::max(from, 0); c <= to && c < grid_.ColCount(); ++c)
        if (grid_.ColWidths(c) > 0)
            cols.push_back(c);
    return cols;
}

std::vector<int> TGridClipboard::ShownRows(int from, int to)
{
    std::vector<int> rows;
    for (int r = std::max(from, 0); r <= to && r < grid_.RowCount(); ++r)
        if (grid_.GetRowHeight(r) > 0)
            rows.push_back(r);
    return rows;
}

QString TGridClipboard::CellText(int col, int row)
{
    const TGridRect area = grid_.MergedArea(col, row);
    const QString text = grid_.ShownText(area.Left, area.Top);
    if (!grid_.IsCheckCell(area.Left, area.Top))
        return text;
    switch (CheckCellState(text, true)) {
    case ccsChecked: return QStringLiteral("是");
    case ccsUnchecked: return QStringLiteral("否");
    default: return {};
    }
}

TGridClipboardText TGridClipboard::Copy()
{
    const TGridRect range = CopyRange();
    const std::vector<int> cols = ShownCols(range.Left, range.Right);
    const std::vector<int> rows = ShownRows(range.Top, range.Bottom);
    const bool anySelection = grid_.Selections().Count() > 0;
    TGridClipboardText out;
    out.Html = QStringLiteral("<table>");
    for (const int row : rows) {
        out.Html += QStringLiteral("<tr>");
        for (size_t i = 0; i < cols.size(); ++i) {
            const int col = cols[i];
            const bool held = !anySelection || grid_.Selections().Contains({col, row});
            const QString text = held ? CellText(col, row) : QString();
            if (i)
                out.Tsv += u'\t';
            out.Tsv += TsvField(text);
            out.Html += QStringLiteral("<td>") + HtmlEscaped(text) + QStringLiteral("</td>");
        }
        out.Tsv += QStringLiteral("\r\n");
        out.Html += QStringLiteral("</tr>");
    }
    out.Html += QStringLiteral("</table>");
    return out;
}

QString TGridClipboard::TsvField(const QString& field)
{
    if (!field.contains(u'\t') && !field.contains(u'\n') && !field.contains(u'\r') && !field.contains(u'"'))
        return field;
    QString quoted = field;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

std::vector<QStringList> TGridClipboard::ParseTsv(const QString& text)
{
    std::vector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    const int n = int(text.size());
    auto endField = [&] {
        row << field;
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(row);
        row.clear();
    };
    for (int i = 0; i < n; ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += ch;
            }
            continue;
        }
        if (ch == u'"' && !fieldStarted && field.isEmpty()) {
            quoted = true;
            fieldStarted = true;
        } else if (ch == u'\t') {
            endField();
        } else if (ch == u'\r' || ch == u'\n') {
            if (ch == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endRow();
        } else {
            field += ch;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !field.isEmpty() || !row.isEmpty())
        endRow();
    return rows;
}

QString TGridClipboard::HtmlEscaped(const QString& text)
{
    QString out = text.toHtmlEscaped();
    out.replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
    out.replace(u'\n', QStringLiteral("<br>"));
    out.replace(u'\r', QStringLiteral("<br>"));
    return out;
}

QString TGridClipboard::CheckValue(const QString& text)
{
    const QString t = text.trimmed().toLower();
    static const QStringList yes{QStringLiteral("是"), QStringLiteral("1"), QStringLiteral("yes"), QStringLiteral("y"),
                                 QStringLiteral("x"), QStringLiteral("✓"), QStringLiteral("√")};
    static const QStringList no{QStringLiteral("否"), QStringLiteral("0"), QStringLiteral("no"), QStringLiteral("n"),
                                QString()};
    if (yes.contains(t) || t.startsWith(u't'))
        return QStringLiteral("T");
    if (no.contains(t) || t.startsWith(u'f'))
        return QStringLiteral("F");
    return {};
}

bool TGridClipboard::CellEditable(int col, int row)
{
    if (col < grid_.EditableCol() || row < grid_.EditableRow() || col >= grid_.ColCount() || row >= grid_.RowCount())
        return false;
    if (grid_.ColWidths(col) <= 0 || grid_.GetRowHeight(row) <= 0 || grid_.RowStyle(row) == rsSplit)
        return false;
    // A merged area takes its value in its top-left cell alone.
    const TGridRect area = grid_.MergedArea(col, row);
    if (area.Left != col || area.Top != row)
        return false;
    if (grid_.Editing().CellReadOnly(col, row) || grid_.HasEditParts(col, row))
        return false;
    bool canShow = !grid_.ReadOnly();
    grid_.OnQueryEditorMode(&grid_, col, row, canShow, QChar());
    if (!canShow)
        return false;
    if (grid_.IsCheckCell(col, row))
        return grid_.DirectEditBool();
    return grid_.HasOption(goEditing) && !grid_.HasOption(goRowSelect);
}

bool TGridClipboard::AcceptsPaste()
{
    const int rows = std::min(grid_.RowCount(), grid_.EditableRow() + 8);
    for (int row = grid_.EditableRow(); row < rows; ++row)
        for (int col = grid_.EditableCol(); col < grid_.ColCount(); ++col)
            if (CellEditable(col, row))
                return true;
    return false;
}

bool TGridClipboard::WriteCell(int col, int row, const QString& text, TGridPasteResult& result)
{
    if (!CellEditable(col, row)) {
        ++result.ReadOnly;
        return false;
    }
    QString value = text;
    if (grid_.IsCheckCell(col, row)) {
        value = CheckValue(text);
        if (value.isEmpty() || !grid_.QueryToggleStore(col, row, value)) {
            ++result.Refused;
            return false;
        }
    } else if (!grid_.Editing().QueryHide(col, row, value)) {
        ++result.Refused;
        return false;
    }
    grid_.Editing().WriteCellText(col, row, value);
    grid_.RepaintCell(col, row);
    ++result.Written;
    return true;
}

TGridPasteResult TGridClipboard::Paste(const QString& text)
{
    TGridPasteResult result;
    if (grid_.EditorMode()) {
        if (!grid_.CanHideEditor()) {
            result.EditorBusy = true;
            return result;
        }
        grid_.HideEditor();
    }
    const std::vector<QStringList> rows = ParseTsv(text);
    if (rows.empty())
        return result;
    const TGridCoord current = grid_.Current();
    TGridRect target{current.X, current.Y, current.X, current.Y};
    if (grid_.Selections().Count() > 0) {
        const TGridRect r = grid_.Selections().Last()->GetRange();
        if (r.Left <= r.Right && r.Top <= r.Bottom)
            target = r;
    }
    target.Left = std::max(target.Left, grid_.EditableCol());
    target.Top = std::max(target.Top, grid_.EditableRow());
    const std::vector<int> cols = ShownCols(target.Left, grid_.ColCount() - 1);
    const std::vector<int> gridRows = ShownRows(target.Top, grid_.RowCount() - 1);

    // One value fills the selection, as spreadsheets do.
    if (rows.size() == 1 && rows[0].size() == 1 && (target.Right > target.Left || target.Bottom > target.Top)) {
        for (const int row : gridRows) {
            if (row > target.Bottom)
                break;
            for (const int col : cols) {
                if (col > target.Right)
                    break;
                WriteCell(col, row, rows[0][0], result);
            }
        }
        return result;
    }
    grid_.BeginUpdate();
    try {
        for (size_t r = 0; r < rows.size(); ++r) {
            if (r >= gridRows.size()) {
                result.RowsBeyondEnd = int(rows.size() - r);
                break;
            }
            const QStringList& fields = rows[r];
            for (qsizetype c = 0; c < fields.size(); ++c) {
                if (size_t(c) >= cols.size()) {
                    result.ColsBeyondEnd = std::max(result.ColsBeyondEnd, int(fields.size() - c));
                    break;
                }
                WriteCell(cols[size_t(c)], gridRows[r], fields[c], result);
            }
        }
    } catch (...) {
        grid_.EndUpdate();
        throw;
    }
    grid_.EndUpdate();
    return result;
}
