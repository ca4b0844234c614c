#pragma once

// Pictures of the grid's own cursors (32 x 32, transparent where no pixel is
// set): the range-fill cursor, a bold plus sign with its hot spot at its
// centre, and the range-move cursor, an arrow with a four-way arrow.

#include <memory>

#include "platform/canvas/Bitmap.h"
#include "platform/base/Types.h"

namespace GridCursorImages {

std::unique_ptr<TBitmap> Fill();
TPoint FillHotSpot();
std::unique_ptr<TBitmap> Move();
TPoint MoveHotSpot();

} // namespace GridCursorImages
