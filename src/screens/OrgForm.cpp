#include "screens/OrgForm.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "chrome/checkboxes/SkinCheckBox.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "orgchart/OrgChart.h"
#include "platform/framework/actions/Action.h"
#include "platform/framework/Application.h"
#include "platform/controls/edit/Edit.h"
#include "platform/framework/Messages.h"
#include "platform/controls/TreeView.h"
#include "screens/ChartExportMenu.h"
#include "screens/DepartPropForm.h"
#include "screens/live/LiveActions.h"
#include "screens/live/LiveChecks.h"
#include "screens/live/LiveEditor.h"
#include "screens/live/LiveOrganisation.h"
#include "screens/live/LiveShortcuts.h"
#include "screens/live/LiveStore.h"
#include "screens/RolePropForm.h"
#include "screens/live/UnitRelations.h"
#include "store/StoreSchema.h"

namespace {

// A part of a built-in definition; its absence is a fault of the program.
template <class T>
T& Part(TComponent& form, const char* name)
{
    T* c = form.Find<T>(QString::fromLatin1(name));
    if (!c)
        throw std::logic_error(std::string("the definition has no ") + name);
    return *c;
}

} // namespace

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
    RegisterLiveActions(*this, live_);
    Build(QStringLiteral("OrgForm"));
    if (RightsStore* store = LiveStore()) {
        organisation_ = std::make_unique<LiveOrganisation>(*org, *TreeView1);
        live_ = std::make_unique<LiveEditor>(*store, *organisation_, Caption());
        chartMenu_ = std::make_unique<ChartExportMenu>(*this, *org);
        // The designed screen has no handler for 删除; live, it deletes a unit.
        Require<TAction>("acDelete")->OnExecute = TNotifyEvent([this](TObject*) { DeleteUnit(); });
        OnClose = TCloseEvent([this](TObject*, TCloseAction& action) {
            if (!live_->MayClose())
                action = caNone;
        });
        // The level switches, inert in the design, choose what the views show.
        auto* subOrganisations = Require<TSkinCheckBox>("SkinCheckBox1");
        auto* posts = Require<TSkinCheckBox>("SkinCheckBox2");
        auto* people = Require<TSkinCheckBox>("SkinCheckBox3");
        const TNotifyEvent shown([=, this](TObject*) {
            organisation_->SetShown(subOrganisations->Checked(), posts->Checked(), people->Checked());
        });
        subOrganisations->OnChange = shown;
        posts->OnChange = shown;
        people->OnChange = shown;
        // While a name is typed in place its keys stay with the editor.
        BindShortcuts(*this,
                      WithSaveKeys({{"acAddOrg", scCtrl | '1'},
                                    {"acAddDepart", scCtrl | '2'},
                                    {"acAddChildDepart", scCtrl | '3'},
                                    {"acAddRole", scCtrl | '4'},
                                    {"acAddUser", scCtrl | '5'},
                                    {"acProp", scAlt | VK_RETURN},
                                    {"acRename", VK_F2},
                                    {"acDelete", VK_DELETE}}),
                      [this] { return org->Editing() || TreeView1->IsEditing(); });
        live_->Load();
    }
}

TOrgForm::~TOrgForm() = default;

void TOrgForm::FormCreate(TObject*)
{
    tsPic = Require<TFlatTabSheet>("tsPic");
    tsText = Require<TFlatTabSheet>("tsText");
    TreeView1 = Require<TTreeView>("TreeView1");
    org = Require<TOrgChart>("org");
    TreeView1->FullExpand();
    ExpandTopLevels(org->Tree().FirstNode());
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
    if (organisation_)
        AddUnit(org->Tree().Selected(), int(UnitKind::Company));
    else
        OpenDialog<TDepartPropForm>();
}

void TOrgForm::acAddDepartExecute(TObject*)
{
    if (!organisation_) {
        OpenDialog<TDepartPropForm>();
        return;
    }
    // Beside a selected department; under a selected company or post's owner.
    TOcNode* sel = org->Tree().Selected();
    TOcNode* parent = sel;
    if (sel && sel->ImageIndex() != int(UnitKind::Company))
        parent = sel->Parent();
    AddUnit(parent, int(UnitKind::Department));
}

void TOrgForm::acAddChildDepartExecute(TObject*)
{
    if (organisation_)
        AddUnit(org->Tree().Selected(), int(UnitKind::Department));
    else
        OpenDialog<TDepartPropForm>();
}

bool TOrgForm::AskUnit(TDepartPropForm& dialog, QVariantList& values, const TOcNode* node)
{
    auto* name = &Part<TEdit>(dialog, "Edit3");
    auto* code = &Part<TEdit>(dialog, "Edit4");
    name->SetText(values[Col::UnitName].toString());
    code->SetText(values[Col::UnitCode].toString());
    for (;;) {
        if (dialog.ShowModal() != mrOk)
            return false;
        const QString n = name->Text().trimmed(), c = code->Text().trimmed();
        QString problem = LiveTextProblem(QStringLiteral("The name"), n, MaxNameLength, true);
        TEdit* at = name;
        if (problem.isEmpty()) {
            problem = LiveTextProblem(QStringLiteral("The code"), c, MaxCodeLength, false);
            at = code;
        }
        if (const QString other = organisation_->CodeUsedBy(node, c); problem.isEmpty() && !other.isEmpty())
            problem = QStringLiteral("The code “%1” is already used by %2.").arg(c, other);
        if (problem.isEmpty()) {
            values[Col::UnitName] = n;
            values[Col::UnitCode] = OptionalText(c);
            return true;
        }
        Application()->MessageBox(problem, dialog.Caption(), MB_ICONWARNING);
        dialog.SetActiveControl(at);
    }
}

void TOrgForm::AddUnit(TOcNode* parent, int kind)
{
    // A person or attached post holds no units: the new one goes beside it.
    if (LiveOrganisation::IsExtra(parent))
        parent = parent->Parent();
    QVariantList values{QVariant(), 0, kind, QString(), QVariant(), QVariant(), 0, QVariant()};
    std::unique_ptr<TDepartPropForm> dialog(new TDepartPropForm(nullptr));
    if (AskUnit(*dialog, values, nullptr))
        organisation_->Add(parent, values);
}

void TOrgForm::EditUnit(TOcNode* node)
{
    if (node->ImageIndex() == int(UnitKind::Post)) {
        EditInRoleDialog(node);
        return;
    }
    QVariantList values = organisation_->Values(node);
    if (values.isEmpty())
        return;
    std::unique_ptr<TDepartPropForm> dialog(new TDepartPropForm(nullptr));
    if (AskUnit(*dialog, values, node))
        organisation_->SetValues(node, values);
}

void TOrgForm::EditInRoleDialog(TOcNode* node)
{
    QVariantList values = organisation_->Values(node);
    if (values.isEmpty())
        return;
    // The role dialog shows the unit's name, its path in the chart and its users.
    std::unique_ptr<TRolePropForm> dialog(new TRolePropForm(nullptr));
    auto* name = &Part<TEdit>(*dialog, "Edit3");
    name->SetText(values[Col::UnitName].toString());
    QStringList path;
    for (TOcNode* p = node->Parent(); p; p = p->Parent())
        path.prepend(p->Text());
    auto* pathEdit = &Part<TEdit>(*dialog, "Edit4");
    pathEdit->SetText(path.join(QLatin1Char('\\')));
    pathEdit->SetReadOnly(true);
    UnitRelations relations(*LiveStore(), *organisation_, node);
    relations.Attach(*dialog, Part<TTavikPTGrid>(*dialog, "TavikPTGrid1"), nullptr);
    for (;;) {
        if (dialog->ShowModal() != mrOk)
            return;
        const QString n = name->Text().trimmed();
        const QString problem = LiveTextProblem(QStringLiteral("The name"), n, MaxNameLength, true);
        if (problem.isEmpty()) {
            values[Col::UnitName] = n;
            organisation_->SetValues(node, values);
            relations.Apply();
            return;
        }
        Application()->MessageBox(problem, dialog->Caption(), MB_ICONWARNING);
        dialog->SetActiveControl(name);
    }
}

void TOrgForm::AttachPosts(TOcNode* node)
{
    if (!node || node->ImageIndex() == int(UnitKind::Post)) {
        Application()->MessageBox(QStringLiteral("Posts are attached to a company or a department: select one first."),
                                  Caption(), MB_ICONINFORMATION);
        return;
    }
    QVariantList values = organisation_->Values(node);
    if (values.isEmpty())
        return;
    std::unique_ptr<TDepartPropForm> dialog(new TDepartPropForm(nullptr));
    // The full form with its grids, without the check box that would shrink it.
    dialog->SkinCheckBox1->SetChecked(true);
    dialog->SkinCheckBox1->Hide();
    UnitRelations relations(*LiveStore(), *organisation_, node);
    relations.Attach(*dialog, Part<TTavikPTGrid>(*dialog, "TavikPTGrid1"), &Part<TTavikPTGrid>(*dialog, "TavikPTGrid2"));
    if (AskUnit(*dialog, values, node)) {
        organisation_->SetValues(node, values);
        relations.Apply();
    }
}

void TOrgForm::DeleteUnit()
{
    TOcNode* node = org ? org->Tree().Selected() : nullptr;
    if (!organisation_ || !node)
        return;
    if (LiveOrganisation::IsExtra(node)) {
        Application()->MessageBox(QStringLiteral("%1 is shown here, not a unit: take it away in 关联人员 or 关联岗位.").arg(node->Text()),
                                  Caption(), MB_ICONINFORMATION);
        return;
    }
    const QString problem = organisation_->DeleteProblem(node);
    if (!problem.isEmpty()) {
        Application()->MessageBox(problem + QStringLiteral("\n\nNothing was deleted."), Caption(), MB_ICONWARNING);
        return;
    }
    if (Application()->MessageBox(QStringLiteral("Delete %1? The deletion is written by 保存.").arg(node->Text()), Caption(),
                                  MB_YESNO | MB_ICONQUESTION) == mrYes)
        organisation_->Delete(node);
}

void TOrgForm::acAddRoleExecute(TObject*)
{
    if (organisation_) {
        AttachPosts(org->Tree().Selected());
        return;
    }
    OpenDialog<TDepartPropForm>([](TDepartPropForm& dialog) {
        // Ticking grows the dialog to its full form through its own handler.
        dialog.SkinCheckBox1->SetChecked(true);
        dialog.SkinCheckBox1->Hide();
    });
}

void TOrgForm::acAddUserExecute(TObject*)
{
    if (organisation_) {
        if (TOcNode* node = org->Tree().Selected())
            EditInRoleDialog(node);
        else
            Application()->MessageBox(QStringLiteral("Select the unit that gets the users first."), Caption(),
                                      MB_ICONINFORMATION);
        return;
    }
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
    if (organisation_) {
        if (org->Tree().Selected())
            EditUnit(org->Tree().Selected());
        return;
    }
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
    if (!org || !org->Tree().Selected())
        return std::nullopt;
    return org->Tree().Selected()->ImageIndex();
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
