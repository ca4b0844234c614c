#pragma once

// The skinned check box: the theme draws the box, the control its caption.
// A click cycles the state (through cbGrayed when AllowGrayed); every change,
// by the user or by the program, fires OnChange.

#include "chrome/checkboxes/SkinBoxObject.h"

enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };

class TSkinCustomCheckBox : public TSkinBoxObject {
public:
    explicit TSkinCustomCheckBox(TComponent* owner);
    const char* ClassName() const override { return "TSkinCustomCheckBox"; }

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState v);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }

    void WndProc(TMessage& message) override;

protected:
    int BoxKind() const override { return skfCheckBox; }
    unsigned CheckFlags() const override
    {
        return state_ == cbChecked ? unsigned(skfChecked) : state_ == cbGrayed ? unsigned(skfMixed) : 0u;
    }
    virtual void Toggle();

    void Click() override;

private:
    bool allowGrayed_ = false;
    TCheckBoxState state_ = cbUnchecked;
};

class TSkinCheckBox : public TSkinCustomCheckBox {
public:
    using TSkinCustomCheckBox::TSkinCustomCheckBox;
    static constexpr const char* StaticClassName() { return "TSkinCheckBox"; }
    const char* ClassName() const override { return StaticClassName(); }
};
