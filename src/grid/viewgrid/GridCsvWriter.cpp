#include "grid/viewgrid/GridCsvWriter.h"

#include "grid/viewgrid/CheckCell.h"
#include "grid/viewgrid/TavikCustomViewGrid.h"

namespace {

constexpr int kRowsPerProgress = 1024;

bool RunsAsFormula(const QString& text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    if (first != u'=' && first != u'+' && first != u'-' && first != u'@' && first != u'\t' && first != u'\r')
        return false;
    bool number = false;
    text.toDouble(&number);
    return !number;
}

} // namespace

TGridCsvWriter::TGridCsvWriter(TTavikCustomViewGrid& grid) : grid_(grid)
{
    for (int c = 0; c < grid.ColCount(); ++c)
        if (grid.ColWidths(c) > 0)
            columns_.push_back(c);
}

QString TGridCsvWriter::CellText(int col, int row)
{
    const bool numberHead = (grid_.HasOption(goShowRowNo) && col == 0 && grid_.FixedCols() > 0) ||
                            (grid_.HasOption(goShowColNo) && row == 0 && grid_.FixedRows() > 0 && col > 0);
    QString text = grid_.ShownText(col, row);
    if (numberHead)
        return text;
    TCellAttrInfo info;
    grid_.GetCellAttrs(col, row, info, CellAttr(caDataType));
    if (info.DataType == cdtBoolean) {
        switch (CheckCellState(text, true)) {
        case ccsChecked: text = QStringLiteral("是"); break;
        case ccsUnchecked: text = QStringLiteral("否"); break;
        default: text.clear(); break;
        }
    } else if (RunsAsFormula(text)) {
        text.prepend(u'\'');
    }
    if (grid_.IsTreeGrid() && grid_.IsTreeColumn(col) && row >= grid_.EditableRow())
        text.prepend(QString(2 * grid_.RowLevel(row), u' '));
    return text;
}

QString TGridCsvWriter::Quoted(const QString& field)
{
    bool quote = false;
    for (const QChar ch : field)
        if (ch == u',' || ch == u'"' || ch == u'\n' || ch == u'\r') {
            quote = true;
            break;
        }
    if (!quote)
        return field;
    QString q = field;
    q.replace(u'"', QStringLiteral("\"\""));
    return u'"' + q + u'"';
}

QByteArray TGridCsvWriter::Line(int row)
{
    QString line;
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (i)
            line += u',';
        line += Quoted(CellText(columns_[i], row));
    }
    line += QStringLiteral("\r\n");
    return line.toUtf8();
}

bool TGridCsvWriter::Save(const QString& path, const TProgressHook& progress)
{
    TSaveFile file(path);
    file.Write(QByteArray("\xEF\xBB\xBF", 3));
    const int rows = grid_.RowCount();
    for (int r = 0; r < rows; ++r) {
        if (progress && r % kRowsPerProgress == 0 && !progress(r, rows))
            return false;
        file.Write(Line(r));
    }
    if (progress && !progress(rows, rows))
        return false;
    file.Commit();
    return true;
}
