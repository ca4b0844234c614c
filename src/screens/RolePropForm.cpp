#include "screens/RolePropForm.h"

TRolePropForm::TRolePropForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("RolePropForm"));
}
