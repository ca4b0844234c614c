#pragma once

// The mouse pointer as the whole desktop sees it.

#include "platform/base/Types.h"

class TControl;

// Where the pointer is, in screen coordinates.
TPoint GetCursorPos();
// The innermost control of the program under a screen point, or nullptr.
TControl* FindControlAtPos(TPoint screen);
