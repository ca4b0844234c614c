#include "screens/UserForm.h"

#include "platform/TreeView.h"

TUserForm::TUserForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    ExitHandler();
    EmptyHandlers({"acSaveExecute", "acCancelExecute", "acRefreshExecute", "acCopyExecute", "acPasteExecute",
                   "acSelectPostExecute", "acDeleteExecute", "acAddExecute"});
    Build(QStringLiteral("UserForm"));
}

void TUserForm::FormCreate(TObject*)
{
    TreeView1 = Require<TTreeView>("TreeView1");
    TreeView1->FullExpand();
}
