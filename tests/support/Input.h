#pragma once

// Mouse and keys sent through the window layer, as a user's input arrives.

#include <QEvent>
#include <QString>

class QWidget;
class TControl;

// A press or release of button, or a move with button held (Qt::NoButton for
// a move that hovers), at (x, y) in the target's coordinates.
void SendMouse(QWidget* target, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::KeyboardModifiers mods = Qt::NoModifier);
void SendMouse(TControl* target, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::KeyboardModifiers mods = Qt::NoModifier);
// A left press and release at one place.
void ClickAt(TControl* target, int x, int y);

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             QEvent::Type type = QEvent::KeyPress, const QString& text = {});
void SendKey(TControl* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             QEvent::Type type = QEvent::KeyPress, const QString& text = {});
// An input method's event: the pre-edit under way and the text it commits.
void SendInputMethod(QWidget* target, const QString& preedit, const QString& commit = {});
void SendInputMethod(TControl* target, const QString& preedit, const QString& commit = {});
