#pragma once

// What the row and cell model needs from the grid that owns it. The model calls
// these synchronously; it never holds on to anything the grid returns.

#include "platform/canvas/Color.h"
#include "platform/canvas/text/Font.h"

class TPTCell;

class IPTGridOwner {
public:
    // Read when a cell is created and when it follows the grid again.
    virtual const TFont& GridFont() const = 0;
    virtual TColor GridColor() const = 0;

    // Sent once the cell is fully initialised.
    virtual void CellCreated(TPTCell* cell) = 0;
    // Sent at the start of the cell's destruction, while it is still complete.
    // The model cannot pass on an exception from here.
    virtual void CellDestroyed(TPTCell* cell) = 0;

    // One row needs repainting.
    virtual void RowChanged(int row) = 0;
    // The whole collection changed: repaint everything.
    virtual void RowsChanged() = 0;

    // Shows or hides the descendants of a tree row; called before the row's
    // Expand flag takes the new value.
    virtual void ExpandCollapse(int row, bool expand) = 0;

protected:
    ~IPTGridOwner() = default;
};

// What a model without a grid takes for the grid's font and colour.
const TFont& PTDefaultGridFont();
constexpr TColor PTDefaultGridColor = clWindow;
