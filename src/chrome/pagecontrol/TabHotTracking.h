#pragma once

// Hot tracking of the flat page control's tabs: the tab under the mouse and
// the state of the active tab's close button, with the repaints their changes
// need. It sees the control through its public interface only.

#include <cstdint>

#include "platform/base/Types.h"

class TFlatPageControl;

// Close button states as drawn.
enum class TCloseButtonState : uint8_t { Normal, Hot, Pressed };

class TTabHotTracking {
public:
    explicit TTabHotTracking(TFlatPageControl& control) : control_(control) {}

    // The page under the mouse, -1 when none.
    int Hovered() const { return hovered_; }
    TCloseButtonState CloseState() const { return closeState_; }
    // The active tab's close button; empty when the active page has no tab.
    TRect CloseButtonRect() const;

    void MouseMove(int x, int y);
    void MouseLeave();
    // A left press; true when it went to the close button (which then shows pressed).
    bool Press(int x, int y);
    // A left release; true when it completes a click on the close button.
    bool Release(int x, int y);
    // After a page closed: the button of the next active page starts normal.
    void ResetCloseButton();
    // After a page left: a hovered page index past the end is forgotten.
    void ForgetPagesFrom(int pageCount);

private:
    void SetHovered(int pageIndex);
    void SetCloseState(TCloseButtonState state);

    TFlatPageControl& control_;
    int hovered_ = -1;
    TCloseButtonState closeState_ = TCloseButtonState::Normal;
};
