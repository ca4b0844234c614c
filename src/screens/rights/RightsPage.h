#pragma once

// One page of the rights screen in live mode: it shows the chosen holder's
// part of the working copy in its grids and takes the grids' edits back.
// A grid row's data is 1 + the index of its working row.

#include <initializer_list>
#include <vector>

#include <QString>

#include "platform/canvas/Color.h"

class RightsWork;
class TTavikPTGrid;

class RightsPage {
public:
    explicit RightsPage(RightsWork& work) : work_(work) {}
    virtual ~RightsPage() = default;
    RightsPage(const RightsPage&) = delete;
    RightsPage& operator=(const RightsPage&) = delete;

    // Shows the holder's content (0: none chosen, the grids are empty).
    virtual void Show(qint64 holder) = 0;
    // Takes what was typed or ticked into the working copy.
    virtual void Harvest() {}
    virtual void EndEdit() = 0;

    // Makes the grid's stored columns act as views except editable ones, and
    // keeps columns and rows where the page put them.
    static void PrepareGrid(TTavikPTGrid& grid, std::initializer_list<int> editable);
    // head row + count data rows, at the default height.
    static void SetDataRows(TTavikPTGrid& grid, int count);
    // The working row a grid row shows, or -1.
    static int EntryOf(TTavikPTGrid& grid, int row);
    // The working rows of the rows with a selected cell, else of the current row.
    static std::vector<size_t> SelectedEntries(TTavikPTGrid& grid);
    // "T" and "F" for 1 and 0, empty for none; and back.
    static QString CheckText(const QVariant& value);
    static QVariant CheckValue(const QString& text);

    // The shade of what a holder is shown inheriting from the units above it.
    static constexpr TColor InheritedColor = 0xEEEEEE;

protected:
    RightsWork& work_;
    qint64 holder_ = 0;
};
