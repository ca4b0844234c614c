#include "screens/DepartPropForm.h"

#include "chrome/checkboxes/SkinCheckBox.h"

TDepartPropForm::TDepartPropForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TNotifyEvent>("SkinCheckBox1Change", [this](TObject* s) { SkinCheckBox1Change(s); });
    EmptyHandlers({"acSelectPostExecute", "acDeleteExecute", "acSelectUserExecute"});
    Build(QStringLiteral("DepartPropForm"));
}

void TDepartPropForm::FormCreate(TObject*)
{
    // Fields are bound here: the creation handler runs right after loading.
    pnlPost = Require<TControl>("pnlPost");
    pnlUser = Require<TControl>("pnlUser");
    SkinCheckBox1 = Require<TSkinCheckBox>("SkinCheckBox1");
    SkinCheckBox1Change(this);
}

void TDepartPropForm::SkinCheckBox1Change(TObject*)
{
    if (SkinCheckBox1 && SkinCheckBox1->Checked()) {
        SetClientHeight(kFullHeight);
        if (pnlPost)
            pnlPost->Show();
        if (pnlUser)
            pnlUser->Show();
    } else {
        if (pnlPost)
            pnlPost->Hide();
        if (pnlUser)
            pnlUser->Hide();
        SetClientHeight(kShortHeight);
    }
}
