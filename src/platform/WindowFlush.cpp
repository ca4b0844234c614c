#include "platform/WindowFlush.h"

#include <QWidget>

#include "platform/Control.h"

void ShowPictureNow(TControl& control)
{
    if (control.HasWidget() && control.Widget()->isVisible())
        control.Widget()->repaint();
}
