#pragma once

// The door between our controls and assistive technology: components register
// how to describe their controls (a TAccessibleSource per control), the
// program installs the bridge at start-up, and controls report focus and
// selection moves among their items.

#include <memory>

#include "platform/framework/accessibility/AccessibleSource.h"

class TControl;

// Makes the source for a control, or nullptr when the control is not of the
// provider's kind. The newest provider that answers wins.
using TAccessibleProvider = std::unique_ptr<TAccessibleSource> (*)(TControl& control);
void RegisterAccessibleProvider(TAccessibleProvider provider);

// Installs the window system's factory (once per process) and registers the
// platform's own kinds: forms, labels and panels.
void InstallAccessibility();

// The source the bridge would use for a control (tests, the bridge itself).
std::unique_ptr<TAccessibleSource> MakeAccessibleSource(TControl& control);

// The control's focused item moved (a current cell, a selected node): assistive
// technology hears of the new item as selected and, while the control has the
// focus, as focused. Costs nothing while no assistive technology listens.
void NotifyAccessibleFocus(TControl& control);
// An item's states changed (checked, expanded, pressed).
void NotifyAccessibleState(TControl& control, TAccItem item);
