#include "screens/rights/LiveRights.h"

#include <algorithm>

#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/pagecontrol/FlatPageControl.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "platform/framework/Form.h"
#include "platform/controls/TreeView.h"
#include "screens/rights/RightsAdminPage.h"
#include "screens/rights/RightsFunctionPage.h"
#include "screens/rights/RightsRelationPage.h"
#include "screens/rights/RightsResourcePage.h"
#include "store/RightsStore.h"

namespace {

template <class T>
T& RightsControl(TForm& form, const char* name)
{
    auto* c = form.Find<T>(QString::fromLatin1(name));
    if (!c)
        throw Exception(std::string("TRightSetForm: the stored definition has no component ") + name
                        + " of the expected class");
    return *c;
}

} // namespace

LiveRights::LiveRights(TForm& form)
    : tree_(RightsControl<TTreeView>(form, "tvFullOrg")), pages_(RightsControl<TFlatPageControl>(form, "pcRight"))
{
    // The tree only chooses whose rights are shown: a click on the selected
    // node must not start renaming it.
    tree_.SetReadOnly(true);
    admins_ = std::make_unique<RightsAdminPage>(work_, RightsControl<TSkinCheckBox>(form, "SkinCheckBox2"),
                                                RightsControl<TTavikPTGrid>(form, "TavikPTGrid1"),
                                                RightsControl<TTavikPTGrid>(form, "TavikPTGrid3"));
    subordination_ = std::make_unique<RightsRelationPage>(work_, TableId::Subordination,
                                                          RightsControl<TTavikPTGrid>(form, "TavikPTGrid2"));
    trust_ = std::make_unique<RightsRelationPage>(work_, TableId::Trust, RightsControl<TTavikPTGrid>(form, "TavikPTGrid6"));
    functions_ = std::make_unique<RightsFunctionPage>(work_, RightsControl<TTavikPTGrid>(form, "TavikPTGrid7"));
    resources_ = std::make_unique<RightsResourcePage>(work_, RightsControl<TTavikPTGrid>(form, "TavikPTGrid4"),
                                                      RightsControl<TTavikPTGrid>(form, "TavikPTGrid5"));
    for (auto [box, page] : {std::pair<const char*, int>{"SkinCheckBox1", 4}, {"SkinCheckBox3", 5}}) {
        TSkinCheckBox& check = RightsControl<TSkinCheckBox>(form, box);
        check.OnClick = TNotifyEvent([this, &check, page](TObject*) {
            if (page == 4)
                functions_->SetShowInherited(check.Checked());
            else
                resources_->SetShowInherited(check.Checked());
        });
    }
    tree_.SetSortType(stNone);
    tree_.SetVisible(true);
}

LiveRights::~LiveRights() = default;

void LiveRights::Read(RightsStore& store)
{
    work_.Read(store.LoadAll());
}

void LiveRights::Show()
{
    EndEdit();
    work_.Reset();
    FillTree();
    ShowPages();
}

void LiveRights::FillTree()
{
    filling_ = true;
    tree_.Items().Clear();
    nodes_.clear();
    std::vector<TTreeNode*> open; // the last node of each level
    TTreeNode* selected = nullptr;
    TTreeNode* first = nullptr;
    for (const auto& entry : work_.TreeOrder(TableId::OrgUnit, Col::UnitParent, Col::UnitPosition)) {
        open.resize(size_t(entry.level));
        TTreeNode* node = tree_.Items().AddChild(open.empty() ? nullptr : open.back(),
                                                 entry.record->values[Col::UnitName].toString());
        const int image = std::clamp(entry.record->values[Col::UnitKind].toInt(), 0, 2);
        node->SetImageIndex(image);
        node->SetSelectedIndex(image);
        nodes_[node] = entry.record->id;
        open.push_back(node);
        if (entry.record->id == holder_)
            selected = node;
        if (!first)
            first = node;
    }
    tree_.FullExpand();
    // A holder deleted meanwhile (or none yet): the first unit is shown.
    if (!selected)
        selected = first;
    holder_ = selected ? nodes_[selected] : 0;
    tree_.SetSelected(selected);
    filling_ = false;
}

void LiveRights::ShowPages()
{
    admins_->Show(holder_);
    subordination_->Show(holder_);
    trust_->Show(holder_);
    functions_->Show(holder_);
    resources_->Show(holder_);
}

void LiveRights::EndEdit()
{
    admins_->EndEdit();
    subordination_->EndEdit();
    trust_->EndEdit();
    functions_->EndEdit();
    resources_->EndEdit();
}

void LiveRights::Harvest()
{
    admins_->Harvest();
    subordination_->Harvest();
    trust_->Harvest();
    functions_->Harvest();
    resources_->Harvest();
}

void LiveRights::NodeSelected(TTreeNode* node)
{
    const auto found = nodes_.find(node);
    if (filling_ || found == nodes_.end() || found->second == holder_)
        return;
    Harvest();
    holder_ = found->second;
    ShowPages();
}

TTreeNode* LiveRights::NodeOf(qint64 unit) const
{
    for (const auto& [node, id] : nodes_)
        if (id == unit)
            return node;
    return nullptr;
}

TTreeNode* LiveRights::NodeNamed(const QString& text) const
{
    for (const auto& [node, id] : nodes_)
        if (node->Text() == text)
            return node;
    return nullptr;
}

QString LiveRights::HolderName(qint64 holder) const
{
    return work_.UnitName(holder);
}

QString LiveRights::Problem()
{
    Harvest();
    qint64 holder = 0;
    size_t entry = 0;
    const QString problem = trust_->Problem(holder, entry);
    if (problem.isEmpty())
        return {};
    if (holder != holder_)
        if (TTreeNode* node = NodeOf(holder))
            tree_.SetSelected(node);
    pages_.SetActivePageIndex(TrustPage);
    const int row = trust_->FocusLevel(entry);
    return QStringLiteral("%1, trusted roles, row %2: %3").arg(HolderName(holder)).arg(row).arg(problem);
}

std::vector<StoreChange> LiveRights::Changes()
{
    Harvest();
    return work_.Changes();
}
