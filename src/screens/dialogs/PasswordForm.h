#pragma once

// The password dialog of the user screen: a new password and its
// confirmation, both masked. 确定 closes it only when the two agree and are
// long enough; the dialog never keeps or shows the password itself.

#include "screens/ScreenForm.h"

class TEdit;

class TPasswordForm : public TScreenForm {
public:
    explicit TPasswordForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TPasswordForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    void Button1Click(TObject* sender);
    // What was typed, once the dialog closed with 确定.
    QString Password() const;

    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
};
