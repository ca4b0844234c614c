#include "screens/OrgForm.h"

TOrgForm::TOrgForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("OrgForm"));
}
