#pragma once

// What the grid's pointer handling may ask of its grid beyond the grid's public
// interface: the descendants' refinements of presses and drags, and the few
// window operations a drag needs. The neutral answers are here, the core's own
// given by the pointer; the editor's questions go to the editor host.

#include <memory>

#include <QString>

#include "grid/layout/CellTypes.h"
#include "grid/layout/GridScrollBarStates.h"
#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"
#include "platform/canvas/CanvasTypes.h"
#include "platform/framework/Messages.h"

class TCanvas;
class TGridPointer;

class IGridPointerHost {
public:
    virtual ~IGridPointerHost() = default;
    // Presses, drags and releases, the sizing and moving of heads, auto-scroll.
    virtual TGridPointer& Pointer() const = 0;

    virtual int EditPartCount(int col, int row) { return 0; }
    virtual void SetCurrentEditPart(int col, int row, int part) {}
    // OnQuerySpecRegion.
    virtual bool IsSpecialRegion(int x, int y);
    virtual bool ClickShowsEditor(int x, int y) { return false; }
    virtual void GridClick() = 0;
    virtual TRect BoxBounds(const TGridRect& rect, bool withLines) = 0;
    // The core's copy; trees widen row ranges to whole subtrees.
    virtual void NormalizeSelRect(const TGridRect& in, TGridRect& out) { out = in; }
    // Raises BestWidthRequest for the column whose border lies under the point.
    virtual bool IsBestWidthHit(int x, int y);
    virtual bool QueryColSizing(int index, const TPoint& mousePt) { return true; }
    virtual bool QueryRowSizing(int index, const TPoint& mousePt) { return true; }
    virtual bool BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool BeginRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    // Refuses targets that would split a merged head.
    virtual bool CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt);
    virtual bool CheckRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool EndColumnDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool EndRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual void ModifyScrollBar(TGridScrollBarKind bar, unsigned code, int pos) = 0;
    // The grid's cancel mode: the editor's drop-down closes, a drag ends cancelled.
    virtual void CancelMode() = 0;
    // The window's own drawing surface, for the exclusive-or drag lines.
    virtual std::unique_ptr<TCanvas> DragLineCanvas() = 0;
    virtual void ShowPointerCursor(TCursor cursor) = 0;
};
