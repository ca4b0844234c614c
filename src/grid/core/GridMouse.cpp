// The grid's mouse events, handed to its pointer handling, and the core's
// answers to the pointer's queries that descendants refine.

#include "grid/core/GridCoreState.h"
#include "grid/core/pointer/GridPointer.h"
#include "grid/core/TavikCustomGrid.h"

void TTavikCustomGrid::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    d_->pointer->MouseDown(button, shift, x, y, [&] { TCustomControl::MouseDown(button, shift, x, y); });
}

void TTavikCustomGrid::MouseMove(TShiftState shift, int x, int y)
{
    d_->pointer->MouseMove(x, y);
    TCustomControl::MouseMove(shift, x, y);
}

void TTavikCustomGrid::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    d_->pointer->MouseUp(x, y, [&] { TCustomControl::MouseUp(button, shift, x, y); });
}

void TTavikCustomGrid::TimerFired(unsigned id)
{
    if (id == TGridPointer::AutoScrollTimer)
        d_->pointer->TimerFired();
}

void TTavikCustomGrid::StartAutoScroll()
{
    SetTimer(TGridPointer::AutoScrollTimer, TGridPointer::AutoScrollInterval);
}

TGridPointer& TTavikCustomGrid::Pointer() const
{
    return *d_->pointer;
}

bool TTavikCustomGrid::IsBestWidthHit(int x, int y)
{
    const TGridCoord cell = PointToCell(x, y);
    if (cell.X < 0)
        return false;
    const TRect r = BoxBounds({cell.X, cell.Y, cell.X, cell.Y}, false);
    if (r.IsEmpty())
        return false;
    int col = -1;
    if (r.Right - x < 4) {
        col = cell.X;
    } else if (x - r.Left < 5) {
        // The border on the left belongs to the nearest shown column before it.
        for (int i = cell.X - 1; i >= 1 && col < 0; --i)
            if (ColWidths(i) > 0)
                col = i;
    } else {
        return false;
    }
    if (col > 0)
        BestWidthRequest(this, col);
    return true;
}

bool TTavikCustomGrid::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    const TGridDragTracker& tracker = d_->pointer->Tracker();
    if (destination < tracker.ColMoveFirst || destination > tracker.ColMoveLast)
        return false;
    const TGridCoord mouse = PointToCell(mousePt.X, mousePt.Y);
    int boundary = destination;
    if (mouse.X >= 0) {
        const TGridRect area = MergedArea(mouse.X, mouse.Y);
        boundary = mouse.X > origin ? area.Right : area.Left;
    }
    const int after = destination > origin ? boundary + 1 : boundary;
    if (!HasOption(goCellMerge) || after <= 0 || after >= d_->colCount)
        return true;
    // The boundary must not split a merged head.
    for (int row = tracker.ColMoveHeadRow; row < EditableRow() && row < d_->rowCount; ++row) {
        const int id = MergeId(after, row);
        if (id != 0 && MergeId(after - 1, row) == id)
            return false;
    }
    return true;
}
