#pragma once

// User accounts: the organisation tree on the left, the users and their posts
// on the right.

#include "screens/ScreenForm.h"

class TTreeView;

class TUserForm : public TScreenForm {
public:
    explicit TUserForm(TComponent* owner);
    const char* ClassName() const override { return "TUserForm"; }

    TTreeView* TreeView1 = nullptr;

    void FormCreate(TObject* sender);
};
