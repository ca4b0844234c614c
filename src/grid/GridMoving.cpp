#include "grid/TavikCustomGrid.h"

bool TTavikCustomGrid::CheckColumnDrag(int&, int&, const TPoint&)
{
    return true;
}
