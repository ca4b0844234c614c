#pragma once

// A grid's cell texts and extents as values, for comparing whole rows and columns.

#include <string>
#include <vector>

// The texts cell(0) .. cell(count - 1), joined by '|'.
template <class Cell>
std::string JoinedTexts(int count, Cell cell)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += (i ? "|" : "") + cell(i).toStdString();
    return out;
}

template <class Grid>
std::string RowTexts(Grid& g, int row)
{
    return JoinedTexts(g.ColCount(), [&](int c) { return g.GetCellValue(c, row); });
}

template <class Grid>
std::string ColTexts(Grid& g, int col)
{
    return JoinedTexts(g.RowCount(), [&](int r) { return g.GetCellValue(col, r); });
}

// value(0) .. value(count - 1): the widths, heights or flags of every column or row.
template <class Value>
std::vector<int> EachOf(int count, Value value)
{
    std::vector<int> out;
    for (int i = 0; i < count; ++i)
        out.push_back(value(i));
    return out;
}
