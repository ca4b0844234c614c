#pragma once

// Pictures of the grid's own cursors (32 x 32, transparent where no pixel is
// set): the range-fill cursor, a bold plus sign with its hot spot at its
// centre, and the range-move cursor, an arrow with a four-way arrow.

#include <QImage>

#include "platform/Types.h"

namespace GridCursorImages {

QImage Fill();
TPoint FillHotSpot();
QImage Move();
TPoint MoveHotSpot();

} // namespace GridCursorImages
