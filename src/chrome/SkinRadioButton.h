#pragma once

// The skinned radio button: the theme draws the circle, the control its
// caption. Checking a button unchecks the other buttons with the same
// GroupIndex on the same parent first (each firing its own OnChange), and
// fires the button's own OnChange last.

#include "chrome/SkinTextObject.h"

class TSkinCustomRadioButton : public TSkinTextObject {
public:
    explicit TSkinCustomRadioButton(TComponent* owner);
    const char* ClassName() const override { return "TSkinCustomRadioButton"; }

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);

    bool HitTest(int x, int y) const override;
    TRect BoxRect() const;
    unsigned FrameFlags() const;

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;

protected:
    virtual void DoChange() { OnChange(this); }
    virtual bool CanChange() const { return true; }

    void Click() override;
    void MouseEnter() override;
    void MouseLeave() override;
    TRect FocusRectFor(const TRect& textRect) const override;
    TRect TextMargins() const override;
    int MinimumHeight() const override { return SkinLayout::MinBoxHeight; }
    void Paint(TCanvas& canvas) override;

private:
    void UncheckGroup();

    bool checked_ = false;
    int groupIndex_ = 0;
};

class TSkinRadioButton : public TSkinCustomRadioButton {
public:
    using TSkinCustomRadioButton::TSkinCustomRadioButton;
    const char* ClassName() const override { return "TSkinRadioButton"; }
};
