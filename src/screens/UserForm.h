#pragma once

#include "screens/ScreenForm.h"

class TUserForm : public TScreenForm {
public:
    explicit TUserForm(TComponent* owner);
    const char* ClassName() const override { return "TUserForm"; }
};
