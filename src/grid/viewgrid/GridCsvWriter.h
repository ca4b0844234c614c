#pragma once

// A grid as a spreadsheet opens it: UTF-8 with a byte-order mark (without it
// spreadsheets read Chinese as the local code page), one CRLF line per row,
// the texts the cells show, quoted where CSV needs it. Tree rows are indented
// by two spaces a level in the tree column, check cells read 是 or 否 (empty
// while undetermined), and columns the grid hides are left out. A text that a
// spreadsheet would run as a formula (=, +, -, @ first, and not a number)
// gets a leading apostrophe, which spreadsheets show as plain text.

#include <vector>

#include <QByteArray>
#include <QString>

#include "platform/base/SaveFile.h"

class TTavikCustomViewGrid;

class TGridCsvWriter {
public:
    explicit TGridCsvWriter(TTavikCustomViewGrid& grid);

    // The grid's columns that are written, left to right.
    const std::vector<int>& Columns() const { return columns_; }
    // A cell's field before quoting.
    QString CellText(int col, int row);
    // One row's line, CRLF included, in UTF-8.
    QByteArray Line(int row);
    // The field as CSV writes it.
    static QString Quoted(const QString& field);

    // Writes the whole grid to path through a temporary file. progress (rows
    // done, rows) may cancel: then nothing is left behind and false is
    // returned. Throws EFileError when the file cannot be written.
    bool Save(const QString& path, const TProgressHook& progress = {});

private:
    TTavikCustomViewGrid& grid_;
    std::vector<int> columns_;
};
