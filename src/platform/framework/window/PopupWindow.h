#pragma once

// Drop-down windows: top-level tool windows without a caption that stay on top
// and never take the activation from the window they drop down from, and a
// watcher that reports presses outside them while they are open.

#include <functional>
#include <memory>
#include <vector>

#include "platform/framework/Control.h"

namespace PopupWindow {

// Makes the control's window a drop-down window (once, before it is shown).
void Prepare(TControl* control);
// Makes the control's window a hint window: a drop-down window that the mouse
// passes through to the window beneath. A translucent one shows what lies
// beneath wherever its painting leaves the surface clear.
void PrepareHint(TControl* control, bool translucent);
// Places the window at screen bounds and shows it without activation.
void ShowAt(TControl* control, const TRect& screenBounds);
void Hide(TControl* control);
bool IsShown(const TControl* control);
// The work area of the monitor nearest to a screen rectangle.
TRect WorkAreaNear(const TRect& screenRect);

} // namespace PopupWindow

// While started, calls back on a mouse press outside the given controls'
// windows and when the application loses the activation.
class TPopupWatcher {
public:
    explicit TPopupWatcher(std::function<void()> outside);
    ~TPopupWatcher();
    void Start(std::vector<TControl*> inside);
    void Stop();
    bool Active() const;

private:
    class Filter;
    std::unique_ptr<Filter> filter_;
};
