#include "screens/RightSetForm.h"

TRightSetForm::TRightSetForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("RightSetForm"));
}
