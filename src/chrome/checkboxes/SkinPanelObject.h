#pragma once

// Base of the skinned check box and radio button: hot state (the mouse is over
// the control), pressed state (left button or Space held), focus taken with
// care (SmartFocus), a transparent background by default, and the seam through
// which the current theme draws the box or circle.

#include <functional>

#include "platform/framework/WinControl.h"

// Kinds and state flags of the theme's frame-control drawing.
enum : int { skfCheckBox = 1, skfRadioButton = 2 };
enum : unsigned {
    skfChecked = 0x01,
    skfMixed = 0x02,
    skfDisabled = 0x04,
    skfHot = 0x08,
    skfPushed = 0x10,
    skfFocused = 0x20,
};

using TSkinFramePainter = std::function<void(TCanvas&, const TRect&, int kind, unsigned flags)>;

class TSkinPanelObject : public TCustomControl {
public:
    explicit TSkinPanelObject(TComponent* owner);
    ~TSkinPanelObject() override;
    static constexpr const char* StaticClassName() { return "TSkinPanelObject"; }
    const char* ClassName() const override { return StaticClassName(); }

    bool SmartFocus() const { return smartFocus_; }
    void SetSmartFocus(bool v) { smartFocus_ = v; }
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
    bool Hot() const { return hot_; }
    bool Pressed() const { return pressed_; }

    // Whether the point (client coordinates) belongs to the control for the mouse.
    bool HitTest(int x, int y) const override { return x >= 0 && y >= 0 && x < Width() && y < Height(); }
    // The press takes the focus in MouseDown, by the SmartFocus rule.
    bool FocusOnPress() const override { return false; }

    void EnterHot();
    void LeaveHot();

    // The theme's drawing of a 13 x 13 box (kind 1) or circle (kind 2); the
    // classic frame-control look while no theme painter is installed.
    static void SetFramePainter(TSkinFramePainter painter);
    static void PaintFrame(TCanvas& canvas, const TRect& rect, int kind, unsigned flags);
    static void PaintClassicFrame(TCanvas& canvas, const TRect& rect, int kind, unsigned flags);
    // A theme change repaints every skinned control.
    static void ThemeChanged();

    void WndProc(TMessage& message) override;

protected:
    void SetSpaceClicks(bool v) { spaceClicks_ = v; }
    bool FocusingWithoutScroll() const { return focusingWithoutScroll_; }

    // Hooks: MouseEnter/MouseLeave (from TControl) run on entering and leaving
    // the hot state, not on the window layer's enter and leave.
    virtual int DesiredHeight() const { return Height(); }
    virtual int DesiredWidth() const { return Width(); }

    void Paint(TCanvas& canvas) override;
    void ColorChanged() override;
    void EnabledChanged() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyUp(Word& key, TShiftState shift) override;
    void DoEnter() override;
    void DoExit() override;

private:
    void LeaveHotState();
    void TakeFocusOnPress();
    bool ParentHoldsActiveControl() const;

    bool focusingWithoutScroll_ = false;
    bool doubleBuffered_ = false;
    bool pressed_ = false;
    bool smartFocus_ = false;
    bool spaceClicks_ = false;
    bool hot_ = false;
    bool leftDown_ = false;
};
