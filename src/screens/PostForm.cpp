#include "screens/PostForm.h"

#include "grid/TavikPTGrid.h"

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
    Require<TTavikPTGrid>("TavikPTGrid2")->SetPaintSelection(false);
}
