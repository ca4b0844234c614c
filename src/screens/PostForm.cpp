#include "screens/PostForm.h"

TPostForm::TPostForm(TComponent* owner) : TScreenForm(owner)
{
    Build(QStringLiteral("PostForm"));
}
