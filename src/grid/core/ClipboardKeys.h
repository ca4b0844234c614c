#pragma once

// The keys that copy and paste a grid's cells, as the edit messages they stand
// for: Ctrl+C and Ctrl+Insert copy, Ctrl+V and Shift+Insert paste. The grid
// sends the message to itself; what it does is up to OnGridMessage.

#include "platform/framework/Messages.h"

inline unsigned ClipboardKeyMessage(Word key, TShiftState shift)
{
    const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
    if ((mods == ssCtrl && key == 'C') || (mods == ssCtrl && key == VK_INSERT))
        return WM_COPY;
    if ((mods == ssCtrl && key == 'V') || (mods == ssShift && key == VK_INSERT))
        return WM_PASTE;
    return 0;
}
