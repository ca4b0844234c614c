#include "app/MainForm.h"

#include <memory>

#include "platform/controls/Button.h"
#include "screens/OrgForm.h"
#include "screens/PostForm.h"
#include "screens/RightSetForm.h"
#include "screens/UserForm.h"

void ShowModalForm(const TScreenClass& screenClass)
{
    std::unique_ptr<TCustomForm> form(screenClass(nullptr));
    form->ShowModal();
}

TMainForm::TMainForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("btnPostClick", [this](TObject* s) { btnPostClick(s); });
    Handler<TNotifyEvent>("btnUserClick", [this](TObject* s) { btnUserClick(s); });
    Handler<TNotifyEvent>("btnOrgClick", [this](TObject* s) { btnOrgClick(s); });
    Handler<TNotifyEvent>("btnRightClick", [this](TObject* s) { btnRightClick(s); });
    Build(QStringLiteral("MainForm"));
    btnPost = Require<TButton>("btnPost");
    btnUser = Require<TButton>("btnUser");
    btnOrg = Require<TButton>("btnOrg");
    btnRight = Require<TButton>("btnRight");
    Button5 = Require<TButton>("Button5");
}

void TMainForm::btnPostClick(TObject*)
{
    ShowModalForm(ScreenClass<TPostForm>());
}

void TMainForm::btnUserClick(TObject*)
{
    ShowModalForm(ScreenClass<TUserForm>());
}

void TMainForm::btnOrgClick(TObject*)
{
    ShowModalForm(ScreenClass<TOrgForm>());
}

void TMainForm::btnRightClick(TObject*)
{
    ShowModalForm(ScreenClass<TRightSetForm>());
}
