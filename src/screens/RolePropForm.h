#pragma once

#include "screens/ScreenForm.h"

class TRolePropForm : public TScreenForm {
public:
    explicit TRolePropForm(TComponent* owner);
    const char* ClassName() const override { return "TRolePropForm"; }
};
