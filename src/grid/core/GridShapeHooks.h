#pragma once

// What the grid core tells its descendants as its shape changes: the counts
// about to change and changed, the fixed rows changed, a column or row moved.
// The core itself does nothing on them; the PT grid keeps its cells in step.

class IGridShapeHooks {
public:
    virtual ~IGridShapeHooks() = default;

    virtual void SizeChanging(int oldColCount, int oldRowCount) {}
    virtual void SizeChanged(int oldColCount, int oldRowCount) {}
    virtual void FixedRowsChanged(int oldFixedRows, int oldFixedEditRows) {}
    virtual void ColumnMoved(int from, int to) {}
    virtual void RowMoved(int from, int to) {}
};
