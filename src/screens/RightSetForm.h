#pragma once

// The rights of the selected unit or role, on five pages; its link labels
// react to the mouse.

#include "screens/ScreenForm.h"

class TFlatPageControl;

class TRightSetForm : public TScreenForm {
public:
    explicit TRightSetForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TRightSetForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TFlatPageControl* pcRight = nullptr;

    void FormCreate(TObject* sender);
    // The hover look shared by every link label; the sender must be a label.
    void Label7MouseEnter(TObject* sender);
    void Label7MouseLeave(TObject* sender);
};
