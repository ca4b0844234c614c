#include "screens/UserForm.h"

TUserForm::TUserForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("UserForm"));
}
