#include "support/Input.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "platform/framework/Control.h"

void SendMouse(QWidget* target, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::KeyboardModifiers mods)
{
    const bool move = type == QEvent::MouseMove;
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, QPointF(x, y), target->mapToGlobal(QPointF(x, y)), move ? Qt::NoButton : button, held,
                  mods);
    QApplication::sendEvent(target, &e);
}

void SendMouse(TControl* target, QEvent::Type type, int x, int y, Qt::MouseButton button,
               Qt::KeyboardModifiers mods)
{
    SendMouse(target->Widget(), type, x, y, button, mods);
}

void ClickAt(TControl* target, int x, int y)
{
    SendMouse(target, QEvent::MouseButtonPress, x, y, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, x, y, Qt::LeftButton);
}

void SendKey(QWidget* target, int key, Qt::KeyboardModifiers mods, QEvent::Type type, const QString& text)
{
    QKeyEvent e(type, key, mods, text);
    QApplication::sendEvent(target, &e);
}

void SendKey(TControl* target, int key, Qt::KeyboardModifiers mods, QEvent::Type type, const QString& text)
{
    SendKey(target->Widget(), key, mods, type, text);
}

void SendInputMethod(QWidget* target, const QString& preedit, const QString& commit)
{
    QInputMethodEvent e(preedit, {});
    e.setCommitString(commit);
    QApplication::sendEvent(target, &e);
}

void SendInputMethod(TControl* target, const QString& preedit, const QString& commit)
{
    SendInputMethod(target->Widget(), preedit, commit);
}
