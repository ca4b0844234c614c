#include "screens/PostForm.h"

TPostForm::TPostForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    ExitHandler();
    EmptyHandlers({"acSaveExecute", "acCancelExecute", "acRefreshExecute", "acCopyExecute", "acPasteExecute",
                   "acDeleteExecute", "acAddExecute"});
    Build(QStringLiteral("PostForm"));
}

void TPostForm::FormCreate(TObject*)
{
    // The grid whose selection highlight this switches off arrives with the grid family.
}
