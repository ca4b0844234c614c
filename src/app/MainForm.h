#pragma once

// The launcher: five buttons, four of which open a work screen modally.

#include <functional>

#include "screens/ScreenForm.h"

class TButton;

// Something that constructs a screen given an owner.
using TScreenClass = std::function<TCustomForm*(TComponent* owner)>;

template <class T>
TScreenClass ScreenClass()
{
    return [](TComponent* owner) -> TCustomForm* { return new T(owner); };
}

// Constructs the screen without owner, shows it modally and frees it, also when
// showing fails. The modal result is ignored.
void ShowModalForm(const TScreenClass& screenClass);

class TMainForm : public TScreenForm {
public:
    explicit TMainForm(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TMainForm"; }
    const char* ClassName() const override { return StaticClassName(); }

    TButton* btnPost = nullptr;
    TButton* btnUser = nullptr;
    TButton* btnOrg = nullptr;
    TButton* btnRight = nullptr;
    TButton* Button5 = nullptr;

    void btnPostClick(TObject* sender);
    void btnUserClick(TObject* sender);
    void btnOrgClick(TObject* sender);
    void btnRightClick(TObject* sender);
};
