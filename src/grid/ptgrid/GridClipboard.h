#pragma once

// A grid's cells as the clipboard carries them: copying gives tab-separated
// text (what spreadsheets paste) and an HTML table beside it; pasting writes
// tab-separated text into the cells a user could edit there, through the same
// queries and write-back as a typed edit. Hidden columns and rows are passed
// over both ways.

#include <vector>

#include <QString>
#include <QStringList>

#include "grid/layout/GridTypes.h"

class TTavikCustomViewGrid;

struct TGridClipboardText {
    QString Tsv;
    QString Html;
};

// What a paste did, cell by cell.
struct TGridPasteResult {
    int Written = 0;
    // Cells that cannot be edited there (heads, read-only, links, views).
    int ReadOnly = 0;
    // Values that a check cell cannot take, or that the grid's edit check refused.
    int Refused = 0;
    // Rows and columns of the text that lie beyond the grid's last row or column.
    int RowsBeyondEnd = 0;
    int ColsBeyondEnd = 0;
    // An editor that would not close left the grid as it was.
    bool EditorBusy = false;
    // A sentence for the user about what was left out; empty when nothing was.
    QString Summary() const;
};

class TGridClipboard {
public:
    explicit TGridClipboard(TTavikCustomViewGrid& grid);

    // The block a copy takes: the selections' bounding range, else the current cell.
    TGridRect CopyRange();
    // The block as tab-separated lines and as an HTML table; cells of the
    // block that no selection holds are left empty.
    TGridClipboardText Copy();
    // The text a cell gives the clipboard: what it shows, check cells as 是 or 否.
    QString CellText(int col, int row);

    // Whether a user could change the cell here by typing or clicking.
    bool CellEditable(int col, int row);
    // Whether any cell of the grid's data area can be edited (checks the first
    // rows only: a grid's columns decide it).
    bool AcceptsPaste();
    // Writes text from the selection's top-left cell on; a single value fills
    // the whole selection.
    TGridPasteResult Paste(const QString& text);

    // A field as tab-separated text writes it: quoted when it holds a tab, a
    // line break or a quote.
    static QString TsvField(const QString& field);
    // Tab-separated text as rows of fields; quoted fields may hold tabs and
    // line breaks. A final line break does not make an empty row.
    static std::vector<QStringList> ParseTsv(const QString& text);
    // Text for HTML, with <, >, & and quotes escaped and line breaks as <br>.
    static QString HtmlEscaped(const QString& text);
    // The value a check cell takes for a pasted text ("T" or "F"); empty
    // when the text does not say yes or no.
    static QString CheckValue(const QString& text);

private:
    std::vector<int> ShownCols(int from, int to);
    std::vector<int> ShownRows(int from, int to);
    bool WriteCell(int col, int row, const QString& text, TGridPasteResult& result);

    TTavikCustomViewGrid& grid_;
};
