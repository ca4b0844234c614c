#include "platform/framework/Mouse.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/framework/window/WindowLayer.h"

TPoint GetCursorPos()
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

TControl* FindControlAtPos(TPoint screen)
{
    QWidget* widget = qApp ? QApplication::widgetAt(QPoint(screen.X, screen.Y)) : nullptr;
    return widget ? WindowLayer::ControlFromWidget(widget) : nullptr;
}
