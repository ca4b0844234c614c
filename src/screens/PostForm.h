#pragma once

// The dictionary of posts: one grid under a toolbar.

#include "screens/ScreenForm.h"

class TPostForm : public TScreenForm {
public:
    explicit TPostForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TPostForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    void FormCreate(TObject* sender);
};
