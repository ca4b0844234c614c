#include "screens/OrgForm.h"

#include <vector>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "orgchart/OrgChart.h"
#include "platform/Application.h"
#include "platform/TreeView.h"
#include "screens/DepartPropForm.h"
#include "screens/RolePropForm.h"

TOrgForm::TOrgForm(TComponent* owner) : TScreenForm(owner)
{
    Handler<TNotifyEvent>("FormCreate", [this](TObject* s) { FormCreate(s); });
    Handler<TNotifyEvent>("SkinRadioButton1Change", [this](TObject* s) { SkinRadioButton1Change(s); });
    Handler<TNotifyEvent>("SkinRadioButton2Change", [this](TObject* s) { SkinRadioButton2Change(s); });
    Handler<TNotifyEvent>("acAddOrgExecute", [this](TObject* s) { acAddOrgExecute(s); });
    Handler<TNotifyEvent>("acAddDepartExecute", [this](TObject* s) { acAddDepartExecute(s); });
    Handler<TNotifyEvent>("acAddChildDepartExecute", [this](TObject* s) { acAddChildDepartExecute(s); });
    Handler<TNotifyEvent>("acAddRoleExecute", [this](TObject* s) { acAddRoleExecute(s); });
    Handler<TNotifyEvent>("acAddUserExecute", [this](TObject* s) { acAddUserExecute(s); });
    Handler<TNotifyEvent>("acRenameExecute", [this](TObject* s) { acRenameExecute(s); });
    Handler<TNotifyEvent>("acPropExecute", [this](TObject* s) { acPropExecute(s); });
    ExitHandler();
    EmptyHandlers({"acSaveExecute", "acCancelExecute", "acRefreshExecute"});
    Build(QStringLiteral("OrgForm"));
}

void TOrgForm::FormCreate(TObject*)
{
    tsPic = Require<TFlatTabSheet>("tsPic");
    tsText = Require<TFlatTabSheet>("tsText");
    TreeView1 = Require<TTreeView>("TreeView1");
    org = Require<TOrgChart>("org");
    TreeView1->FullExpand();
    ExpandTopLevels(org->FirstNode());
    // The radio buttons switch the pages; the tabs would only duplicate them.
    tsText->SetTabVisible(false);
    tsPic->SetTabVisible(false);
    tsPic->Show();
}

// A radio button's change handler runs when it is checked and when it is
// cleared, so each one simply shows its own page: the button checked last wins.
void TOrgForm::SkinRadioButton1Change(TObject*)
{
    if (tsText)
        tsText->Show();
}

void TOrgForm::SkinRadioButton2Change(TObject*)
{
    if (tsPic)
        tsPic->Show();
}

void TOrgForm::acAddOrgExecute(TObject*)
{
    OpenDialog<TDepartPropForm>();
}

void TOrgForm::acAddDepartExecute(TObject*)
{
    OpenDialog<TDepartPropForm>();
}

void TOrgForm::acAddChildDepartExecute(TObject*)
{
    OpenDialog<TDepartPropForm>();
}

void TOrgForm::acAddRoleExecute(TObject*)
{
    OpenDialog<TDepartPropForm>([](TDepartPropForm& dialog) {
        // Ticking grows the dialog to its full form through its own handler.
        dialog.SkinCheckBox1->SetChecked(true);
        dialog.SkinCheckBox1->Hide();
    });
}

void TOrgForm::acAddUserExecute(TObject*)
{
    OpenDialog<TRolePropForm>();
}

void TOrgForm::acRenameExecute(TObject*)
{
    if (tsPic && tsPic->Visible()) {
        if (org)
            org->SetEditing(true);
        return;
    }
    // Posted, as the tree's own label editing starts after the command returns.
    if (TTreeNode* node = TreeView1 ? TreeView1->Selected() : nullptr)
        TreeView1->PostMessage(TTreeView::TVM_EDITLABEL, 0, reinterpret_cast<LPARAM>(node));
}

void TOrgForm::acPropExecute(TObject*)
{
    if (const std::optional<int> image = SelectedNodeImage())
        OpenProperties(*image);
}

void TOrgForm::OpenProperties(int imageIndex)
{
    // Compared as an unsigned 16-bit number, so "no picture" (-1) is 65535.
    switch (static_cast<uint16_t>(imageIndex)) {
    case 0:
    case 1:
        OpenDialog<TDepartPropForm>();
        break;
    case 2:
        OpenDialog<TRolePropForm>();
        break;
    default:
        Application()->MessageBox(QStringLiteral("不使能"), Application()->Title(), MB_OK);
        break;
    }
}

std::optional<int> TOrgForm::SelectedNodeImage() const
{
    if (!org || !org->Selected())
        return std::nullopt;
    return org->Selected()->ImageIndex();
}

void TOrgForm::ExpandTopLevels(TOcNode* node)
{
    if (!node)
        return;
    // Depth first without recursion; levels below 4 are not visited at all.
    std::vector<TOcNode*> stack{node};
    while (!stack.empty()) {
        TOcNode* n = stack.back();
        stack.pop_back();
        if (n->Level() > 3)
            continue;
        n->SetExpanded(true);
        for (int i = n->Count() - 1; i >= 0; --i)
            stack.push_back(n->Items(i));
    }
}
