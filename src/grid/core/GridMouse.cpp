// The grid's mouse events and timer, handed to its pointer handling.

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

