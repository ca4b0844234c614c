#pragma once

// The skinned check box: the theme draws the box, the control its caption.
// A click cycles the state (through cbGrayed when AllowGrayed); every change,
// by the user or by the program, fires OnChange.

#include "chrome/SkinTextObject.h"

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TSkinCustomCheckBox : public TSkinTextObject {
public:
    explicit TSkinCustomCheckBox(TComponent* owner);
    const char* ClassName() const override { return "TSkinCustomCheckBox"; }

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }

    // Only the box and the text answer the mouse.
    bool HitTest(int x, int y) const override;
    TRect BoxRect() const;
    // The theme's state flags for the box as it stands.
    unsigned FrameFlags() const;

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    virtual void DoChange() { OnChange(this); }
    virtual bool CanChange() const { return true; }
    virtual void Toggle();

    void Click() override;
    void MouseEnter() override;
    void MouseLeave() override;
    TRect FocusRectFor(const TRect& textRect) const override;
    TRect TextMargins() const override;
    int MinimumHeight() const override { return SkinLayout::MinBoxHeight; }
    void Paint(TCanvas& canvas) override;

private:
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TSkinCheckBox : public TSkinCustomCheckBox {
public:
    using TSkinCustomCheckBox::TSkinCustomCheckBox;
    const char* ClassName() const override { return "TSkinCheckBox"; }
};
