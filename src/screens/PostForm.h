#pragma once

#include "screens/ScreenForm.h"

class TPostForm : public TScreenForm {
public:
    explicit TPostForm(TComponent* owner);
    const char* ClassName() const override { return "TPostForm"; }
};
