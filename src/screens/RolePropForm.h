#pragma once

#include "screens/ScreenForm.h"

class TRolePropForm : public TScreenForm {
public:
    explicit TRolePropForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TRolePropForm"; }
    const char* ClassName() const override { return StaticClassName(); }
};
