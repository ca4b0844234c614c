#include "screens/DepartPropForm.h"

TDepartPropForm::TDepartPropForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TNotifyEvent>("SkinCheckBox1Change", [this](TObject* s) { SkinCheckBox1Change(s); });
    Build(QStringLiteral("DepartPropForm"));
}

void TDepartPropForm::FormCreate(TObject*)
{
    // Fields are bound here: the creation handler runs right after loading.
    pnlPost = Bind<TControl>("pnlPost");
    pnlUser = Bind<TControl>("pnlUser");
    SkinCheckBox1Change(this);
}

bool TDepartPropForm::PostsAttached() const
{
    // The dialog's definition stores "挂接岗位" unticked; the themed check box that
    // changes it joins the dialog with the rest of its controls.
    return false;
}

void TDepartPropForm::SkinCheckBox1Change(TObject*)
{
    if (PostsAttached()) {
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
