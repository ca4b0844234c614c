#pragma once

// The dictionary of posts: one grid under a toolbar.

#include "screens/ScreenForm.h"

class TPostForm : public TScreenForm {
public:
    explicit TPostForm(TComponent* owner);
    const char* ClassName() const override { return "TPostForm"; }

    void FormCreate(TObject* sender);
};
