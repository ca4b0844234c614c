#pragma once

#include "screens/ScreenForm.h"

class TOrgForm : public TScreenForm {
public:
    explicit TOrgForm(TComponent* owner);
    const char* ClassName() const override { return "TOrgForm"; }
};
