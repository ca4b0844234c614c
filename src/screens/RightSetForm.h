#pragma once

#include "screens/ScreenForm.h"

class TRightSetForm : public TScreenForm {
public:
    explicit TRightSetForm(TComponent* owner);
    const char* ClassName() const override { return "TRightSetForm"; }
};
