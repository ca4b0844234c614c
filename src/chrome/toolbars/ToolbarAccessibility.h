#pragma once

// Toolbars speak to assistive technology as tool bars whose buttons are named
// by caption or hint (without the accelerator marker), with their shortcut and
// their pressed, checked and disabled states; separators as separators.

#include <QString>

// "Ctrl+Shift+S" for a stored shortcut (key code in the low byte, Shift
// $2000, Ctrl $4000, Alt $8000); empty for none or a key without a name.
QString ShortCutText(int shortCut);

// Registers the providers of toolbars, their buttons and separators.
void RegisterToolbarAccessibility();
