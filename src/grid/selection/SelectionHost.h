#pragma once

// What the selection set needs from the grid that owns it. TTavikCustomGrid
// implements this; the selection classes never see the grid itself, so they can
// be exercised without a window. Geometry queries are not const: the grid may
// bring its layout up to date while answering.

#include "grid/layout/CellTypes.h"
#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"

class TGridSelection;

enum TSelectoinNotification : uint8_t { snAdded, snDeleted };

class ISelectionHost {
public:
    virtual ~ISelectionHost() = default;

    // Counts. The editable area starts at column FixedCols - FixedEditCols (c0)
    // and row FixedRows - FixedEditRows (r0).
    virtual int ColCount() const = 0;
    virtual int RowCount() const = 0;
    virtual int FixedCols() const = 0;
    virtual int FixedRows() const = 0;
    virtual int FixedEditCols() const = 0;
    virtual int FixedEditRows() const = 0;

    virtual bool HasOption(TGridOption option) const = 0;
    virtual bool HasOptionEx(TGridOptionEx option) const = 0;

    // The overridable per-row style query.
    virtual TRowStyle RowStyle(int row) { return rsNormal; }

    // The range grown until every merged area touching its border lies wholly
    // inside it. Only called with goCellMerge set.
    virtual TGridRect WidenToMergedAreas(const TGridRect& rect) = 0;

    virtual TGridCoord Anchor() const = 0;
    virtual void SetAnchor(TGridCoord anchor) = 0;
    virtual TGridCoord Current() const = 0;
    // Stores Current as it is, without events, selection change or scrolling
    // (the release of a range move shifts it this way while Anchor stays).
    virtual void PlaceCurrent(TGridCoord current) = 0;
    // Anchor and Current spanned, widened to whole merged areas.
    virtual TGridRect SelectionRect() = 0;
    virtual TGridMouseState MouseState() const = 0;

    virtual void MoveCurrent(int col, int row, bool replaceSelections, bool ask, bool show, bool moveAnchor) = 0;
    virtual void MakeCellVisible(TGridCoord cell) = 0;

    // Pixel rectangle of a block of cells, empty when not in view.
    virtual TRect BoxBounds(const TGridRect& rect, bool withLines) = 0;
    // Invalidates two ranges: with changeOnly only the parts covered by exactly
    // one of them, else their union; with withHeads also their heads.
    virtual void RepaintRangeChange(const TGridRect& oldRect, const TGridRect& newRect, bool changeOnly,
                                    bool withHeads) = 0;
    virtual void RepaintAll() = 0;
    virtual bool IsDestroying() const = 0;

    // Called after a selection joined the set, and after one left it (it is
    // freed right afterwards). The grid widens an added row selection to whole
    // merged areas here, so descendants that refine it see the widened rows.
    virtual void SelectionNotify(TGridSelection* selection, TSelectoinNotification action) = 0;
    // OnFillRangeChanged / OnMoveRangeChanged; only called when the ranges differ.
    virtual void FillRangeChanged(const TGridRect& source, const TGridRect& target) = 0;
    virtual void MoveRangeChanged(const TGridRect& source, const TGridRect& target) = 0;

    // What a press on the heads needs besides the above.
    virtual TGridCoord TopLeft() const = 0;
    virtual void SetEditorMode(bool on) = 0;
    virtual void SetMouseState(TGridMouseState state) = 0;
    // The auto-scroll timer (identifier 1), for dragging over heads.
    virtual void StartAutoScroll() = 0;
    // OnBeforeMoveCurrent from Current to the cell, with LastMoveReason.
    virtual bool BeforeMoveCurrent(TGridCoord cell) = 0;
    virtual bool QueryRowChange() = 0;
    // The public setters, with their events.
    virtual void SetCurrentCol(int col) = 0;
    virtual void SetCurrentRow(int row) = 0;
    virtual void CurrentMoved(TGridCoord oldCurrent, TMoveReason reason) = 0;
    virtual void RepaintCell(int col, int row) = 0;
};
