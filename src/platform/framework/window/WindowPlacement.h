#pragma once

// Where a window goes on the screen.

#include "platform/base/Types.h"

// The client top-left of a window of clientWidth x clientHeight centred in the
// available area, its frame (frameLeft, frameTop: the border and caption bar
// outside the client area) kept inside the area's left and top edges, so that
// a window larger than the screen still shows its caption bar and the
// controls at its top left.
TPoint CenteredClientPos(const TRect& area, int clientWidth, int clientHeight, int frameLeft, int frameTop);
