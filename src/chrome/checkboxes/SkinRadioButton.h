#pragma once

// The skinned radio button: the theme draws the circle, the control its
// caption. Checking a button unchecks the other buttons with the same
// GroupIndex on the same parent first (each firing its own OnChange), and
// fires the button's own OnChange last.

#include "chrome/checkboxes/SkinBoxObject.h"

class TSkinCustomRadioButton : public TSkinBoxObject {
public:
    explicit TSkinCustomRadioButton(TComponent* owner);
    const char* ClassName() const override { return "TSkinCustomRadioButton"; }

    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int v);

    void WndProc(TMessage& message) override;

protected:
    int BoxKind() const override { return skfRadioButton; }
    unsigned CheckFlags() const override { return checked_ ? unsigned(skfChecked) : 0u; }

    void Click() override;

private:
    void UncheckGroup();

    bool checked_ = false;
    int groupIndex_ = 0;
};

class TSkinRadioButton : public TSkinCustomRadioButton {
public:
    using TSkinCustomRadioButton::TSkinCustomRadioButton;
    static constexpr const char* StaticClassName() { return "TSkinRadioButton"; }
    const char* ClassName() const override { return StaticClassName(); }
};
