#pragma once

// What the grid's pointer handling may ask of its grid beyond the grid's public
// interface: the descendants' refinements of presses and drags, and the few
// window operations a drag needs. Where the core has nothing to add, the
// neutral answer is here.

#include <memory>

#include <QString>

#include "grid/layout/CellTypes.h"
#include "grid/layout/GridScrollBarStates.h"
#include "grid/layout/GridTypes.h"
#include "platform/base/Types.h"
#include "platform/canvas/CanvasTypes.h"
#include "platform/framework/Messages.h"

class TCanvas;

class IGridPointerHost {
public:
    virtual ~IGridPointerHost() = default;

    virtual bool QueryReadOnly(int col, int row) = 0;
    virtual int EditPartCount(int col, int row) { return 0; }
    virtual bool GetEditPart(int col, int row, int part, int& fontHeight, TRect& rect, QString& text) = 0;
    virtual void SetCurrentEditPart(int col, int row, int part) {}
    virtual bool IsSpecialRegion(int x, int y) = 0;
    virtual bool ClickShowsEditor(int x, int y) { return false; }
    virtual void UpdateEdit() = 0;
    virtual void GridClick() = 0;
    virtual TRect BoxBounds(const TGridRect& rect, bool withLines) = 0;
    // The core's copy; trees widen row ranges to whole subtrees.
    virtual void NormalizeSelRect(const TGridRect& in, TGridRect& out) { out = in; }
    virtual bool IsBestWidthHit(int x, int y) = 0;
    virtual bool QueryColSizing(int index, const TPoint& mousePt) { return true; }
    virtual bool QueryRowSizing(int index, const TPoint& mousePt) { return true; }
    virtual bool BeginColumnDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool BeginRowDrag(int& origin, int& destination, const TPoint& mousePt) { return true; }
    virtual bool CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt) = 0;
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
