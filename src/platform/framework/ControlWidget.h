#pragma once

// The window of a control that the framework paints and drives itself: every
// event goes to the control, under the application's default error handling.

#include <QWidget>

class TControl;

class ControlWidget : public QWidget {
public:
    ControlWidget(TControl* control, QWidget* parent = nullptr);
    TControl* Control() const { return control_; }
    void Detach() { control_ = nullptr; }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    TControl* control_;
};

// Runs fn and hands any exception to the application's error handling, so no
// exception ever crosses the window layer's event loop.
template <class Fn>
bool GuardedCall(Fn&& fn);

bool HandleEscapedException();

// As GuardedCall, for code run by a paint handler: an error waits until the
// paint has returned instead of opening a modal box in the middle of it.
void BeginPaintCall();
void EndPaintCall();
template <class Fn>
bool GuardedPaintCall(Fn&& fn)
{
    struct Scope {
        Scope() { BeginPaintCall(); }
        ~Scope() { EndPaintCall(); }
    } scope;
    return GuardedCall(fn);
}
#include <exception>
template <class Fn>
bool GuardedCall(Fn&& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        return HandleEscapedException();
    }
}
