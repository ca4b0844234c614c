#include "screens/dialogs/PasswordForm.h"

#include "platform/framework/Application.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Messages.h"
#include "store/PasswordHash.h"

TPasswordForm::TPasswordForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("Button1Click", [this](TObject* s) { Button1Click(s); });
    Build(QStringLiteral("PasswordForm"));
    Edit1 = Require<TEdit>("Edit1");
    Edit2 = Require<TEdit>("Edit2");
    SetActiveControl(Edit1);
}

void TPasswordForm::Button1Click(TObject*)
{
    const QString problem = CheckNewPassword(Edit1->Text(), Edit2->Text());
    if (problem.isEmpty()) {
        SetModalResult(mrOk);
        return;
    }
    Application()->MessageBox(problem, Caption(), MB_ICONWARNING);
    // Both are typed again: a mismatch does not say which one is wrong.
    Edit1->SetText(QString());
    Edit2->SetText(QString());
    SetActiveControl(Edit1);
}

QString TPasswordForm::Password() const
{
    return Edit1->Text();
}
