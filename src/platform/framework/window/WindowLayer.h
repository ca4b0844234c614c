#pragma once

// Glue between the window layer (Qt) and the framework: which control a window
// belongs to, keyboard routing that the dialog conventions need (Tab, Enter,
// Escape), key codes, modifier state and posted messages.

#include <QEvent>
#include <QString>

#include "platform/framework/Messages.h"

class QWidget;
class QInputEvent;
class QKeyEvent;
class TControl;

namespace WindowLayer {

void AttachControl(QWidget* widget, TControl* control);
void ForgetControl(QWidget* widget);
// The control a window belongs to, looking up through parent windows.
TControl* ControlFromWidget(QWidget* widget);

// Mouse, wheel, key and tablet input: what a disabled window never receives.
bool IsUserInput(QEvent::Type type);
// Whether the window may take user input: it and every window it lies in are
// enabled. A disabled window ignores input itself and does not pass it on.
bool AcceptsInput(const QWidget* widget);

TShiftState ShiftFromEvent(const QInputEvent* event);
TShiftState LastShiftState();
void SetLastShiftState(TShiftState state);

// The platform's virtual key code for a key event (0 when it has none).
Word VirtualKey(const QKeyEvent* event);
// The printable characters a key event types, in order (CJK, accented and
// punctuation included; control characters and Alt accelerators left out).
QString TypedCharacters(const QKeyEvent* event);

void PostMessage(TControl* control, const TMessage& message);
// The message carried by a posted-message event, or nullptr.
TMessage* AsPostedMessage(QEvent* event);

} // namespace WindowLayer
