#pragma once

// A grid's cell texts as one string, for comparing whole rows and columns.

#include <string>

// The texts of one row, cells joined by '|'.
template <class Grid>
std::string RowTexts(Grid& g, int row)
{
    std::string out;
    for (int c = 0; c < g.ColCount(); ++c)
        out += (c ? "|" : "") + g.GetCellValue(c, row).toStdString();
    return out;
}

// The texts of one column, cells joined by '|'.
template <class Grid>
std::string ColTexts(Grid& g, int col)
{
    std::string out;
    for (int r = 0; r < g.RowCount(); ++r)
        out += (r ? "|" : "") + g.GetCellValue(col, r).toStdString();
    return out;
}
