#include "platform/framework/window/WindowFlush.h"

#include <QWidget>

#include "platform/framework/Control.h"

void ShowPictureNow(TControl& control)
{
    if (control.HasWidget() && control.Widget()->isVisible())
        control.Widget()->repaint();
}
