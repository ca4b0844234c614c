#pragma once

// How the platform's own self-painted kinds speak to assistive technology:
// forms (the main window a frame, the others dialogs, named by their captions),
// labels (static text, or links when they show the hand pointer) and panels
// (named by their caption only where it can be seen).

#include <memory>

#include "platform/framework/accessibility/AccessibleSource.h"

class TControl;

// Registers the providers of forms, labels and panels.
void RegisterPlatformAccessibility();

// Runs a control's click, as a press of the mouse or of its key would.
void ClickControl(TControl& control);
