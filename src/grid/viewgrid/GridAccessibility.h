#pragma once

// The grid family speaks to assistive technology as a table: heading cells
// from the fixed rows and columns, each cell named by the text it shows, check
// cells as check boxes, tree rows with their level and expand state, merged
// cells with their spans and the in-place editor as the edited cell's text.
// Cells are items keyed by their place, so nothing is made per cell in advance.

#include "platform/framework/accessibility/AccessibleSource.h"

class TTavikCustomGrid;
class TTavikCustomViewGrid;

class GridAccessibility : public TAccessibleSource {
public:
    explicit GridAccessibility(TTavikCustomGrid& grid);

    static TAccItem Key(int row, int col);
    static int RowOf(TAccItem item) { return static_cast<int>((item >> 32) - 1); }
    static int ColOf(TAccItem item) { return static_cast<int>(item & 0xFFFFFFFF); }

    bool IsValid(TAccItem item) const override;
    int ChildCount(TAccItem parent) const override;
    TAccItem Child(TAccItem parent, int index) const override;
    int IndexOf(TAccItem item) const override;
    bool WindowChildren() const override { return false; }
    TAccItem ItemAt(int x, int y) const override;
    TAccItem FocusedItem() const override;

    TAccRole Role(TAccItem item) const override;
    QString Name(TAccItem item) const override;
    QString Description(TAccItem item) const override;
    TAccStates States(TAccItem item) const override;
    TRect Bounds(TAccItem item) const override;
    int Level(TAccItem item) const override;
    std::vector<TAccAction> Actions(TAccItem item) const override;
    bool DoAction(TAccItem item, TAccAction action) override;
    TControl* Editor(TAccItem item) const override;

    int RowCount() const override;
    int ColumnCount() const override;
    int HeaderRowCount() const override;
    int HeaderColumnCount() const override;
    TAccItem CellAt(int row, int col) const override;
    TAccCellPlace PlaceOf(TAccItem item) const override;
    std::vector<TAccItem> SelectedCells(int limit) const override;

private:
    bool IsCheckCell(int col, int row) const;
    bool IsTreeRow(int row) const;
    bool IsDataCell(int col, int row) const;

    TTavikCustomGrid& grid_;
    TTavikCustomViewGrid* view_; // the texts and kinds of cells; nullptr below the view grid
};

// Registers the grid family's provider.
void RegisterGridAccessibility();
