#pragma once

// What the check box and the radio button share: a 13 × 13 box the theme draws
// beside the caption, the hit area of box and text, the theme's state flags,
// and the change notification.

#include "chrome/checkboxes/SkinTextObject.h"

class TSkinBoxObject : public TSkinTextObject {
public:
    explicit TSkinBoxObject(TComponent* owner) : TSkinTextObject(owner) {}
    const char* ClassName() const override { return "TSkinBoxObject"; }

    // Only the box and the text answer the mouse.
    bool HitTest(int x, int y) const override;
    TRect BoxRect() const;
    // The theme's state flags for the box as it stands.
    unsigned FrameFlags() const;

    TNotifyEvent OnChange;

protected:
    virtual void DoChange() { OnChange(this); }
    virtual bool CanChange() const { return true; }
    // skfCheckBox or skfRadioButton.
    virtual int BoxKind() const = 0;
    // skfChecked or skfMixed for the present state, 0 when clear.
    virtual unsigned CheckFlags() const = 0;

    void MouseEnter() override;
    void MouseLeave() override;
    TRect FocusRectFor(const TRect& textRect) const override;
    TRect TextMargins() const override;
    int MinimumHeight() const override { return SkinLayout::MinBoxHeight; }
    void Paint(TCanvas& canvas) override;
};
