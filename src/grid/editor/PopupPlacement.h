#pragma once

// Where a drop-down goes: below its anchor when it fits, above when it only
// fits there (or neither fits and there is more room above), shrunk to the
// work area, and kept inside it sideways.

#include "platform/base/Types.h"

enum TPopupAlign : uint8_t { paLeft, paRight, paCenter };

TRect PlacePopup(const TRect& anchor, const TRect& workArea, int width, int height, TPopupAlign align = paLeft);
