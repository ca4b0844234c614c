// The pointer host's answers that the core gives: the pointer's own.

#include "grid/core/pointer/GridPointerHost.h"

#include "grid/core/pointer/GridPointer.h"

bool IGridPointerHost::IsSpecialRegion(int x, int y)
{
    return Pointer().QuerySpecialRegion(x, y);
}

bool IGridPointerHost::IsBestWidthHit(int x, int y)
{
    return Pointer().BestWidthHit(x, y);
}

bool IGridPointerHost::CheckColumnDrag(int& origin, int& destination, const TPoint& mousePt)
{
    return Pointer().ColumnDragAllowed(origin, destination, mousePt);
}
