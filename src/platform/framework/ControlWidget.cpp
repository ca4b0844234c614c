#include "platform/framework/ControlWidget.h"

#include "platform/framework/Control.h"
#include "platform/framework/WinControl.h"
#include "platform/framework/window/WindowLayer.h"

ControlWidget::ControlWidget(TControl* control, QWidget* parent) : QWidget(parent), control_(control)
{
    // Controls hear every move over them, with or without a button down.
    setMouseTracking(true);
}

bool ControlWidget::event(QEvent* event)
{
    if (!control_)
        return QWidget::event(event);
    // The one gate for every self-drawn control: a disabled window, or one inside
    // a disabled window, takes no input at all (the window layer's own check in
    // QWidget::event would come after our dispatch).
    if (WindowLayer::IsUserInput(event->type()) && !WindowLayer::AcceptsInput(this)) {
        event->accept();
        return true;
    }
    bool handled = false;
    GuardedCall([&] { handled = control_->DispatchEvent(event); });
    return handled || QWidget::event(event);
}

void ControlWidget::paintEvent(QPaintEvent* event)
{
    if (control_)
        GuardedPaintCall([&] { control_->PaintEventHandler(event); });
}

bool ControlWidget::focusNextPrevChild(bool next)
{
    // Tab moves by the framework's tab order, not the window layer's.
    if (auto* win = dynamic_cast<TWinControl*>(control_); win && isWindow()) {
        TWinControl* current = nullptr;
        if (QWidget* f = focusWidget())
            for (QWidget* w = f; w && !current; w = w->parentWidget())
                if (auto* cw = dynamic_cast<ControlWidget*>(w))
                    current = dynamic_cast<TWinControl*>(cw->Control());
        GuardedCall([&] { win->SelectNext(current, next, true); });
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}
