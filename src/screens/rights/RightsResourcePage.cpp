#include "screens/rights/RightsResourcePage.h"

#include <algorithm>
#include <set>

#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/rights/RightsWork.h"

RightsResourcePage::RightsResourcePage(RightsWork& work, TTavikPTGrid& classes, TTavikPTGrid& resources)
    : RightsPage(work), classes_(classes), resources_(resources)
{
    PrepareGrid(classes_, {});
    PrepareGrid(resources_, {BrowseCol, EditCol, DeleteCol});
}

void RightsResourcePage::EndEdit()
{
    classes_.SetEditorMode(false);
    resources_.SetEditorMode(false);
}

void RightsResourcePage::Show(qint64 holder)
{
    holder_ = holder;
    const auto& classes = work_.Records(TableId::ResourceClass);
    SetDataRows(classes_, int(classes.size()));
    for (size_t i = 0; i < classes.size(); ++i) {
        const int row = 1 + int(i);
        classes_.Rows()->Items(row)->SetData(int32_t(i + 1));
        classes_.Cell(ClassNameCol, row)->SetValue(classes[i].values[Col::ClassName].toString());
        classes_.Cell(ClassCodeCol, row)->SetValue(classes[i].values[Col::ClassCode].toString());
    }
    classes_.Invalidate();
    ShowPolicies();
}

qint64 RightsResourcePage::CurrentClass()
{
    const auto& classes = work_.Records(TableId::ResourceClass);
    const int entry = EntryOf(classes_, classes_.CurrentRow());
    if (entry >= 0 && size_t(entry) < classes.size())
        return classes[size_t(entry)].id;
    return classes.empty() ? 0 : classes.front().id;
}

void RightsResourcePage::ClassChosen()
{
    if (CurrentClass() == shownClass_)
        return;
    Harvest();
    ShowPolicies();
}

namespace {

void SetFlags(QVariantList& policy, const QVariantList& flags)
{
    for (int i = 0; i < flags.size(); ++i)
        policy[Col::PolicyBrowse + i] = flags[i];
}

} // namespace

void RightsResourcePage::SetShowInherited(bool on)
{
    Harvest();
    showInherited_ = on;
    ShowPolicies();
}

void RightsResourcePage::ShowPolicies()
{
    shownClass_ = CurrentClass();
    auto ofShownClass = [this](const QVariantList& policy) {
        const StoreRecord* r = work_.Record(TableId::Resource, RightsWork::RefOf(policy, Col::PolicyResource));
        return r && RightsWork::RefOf(r->values, Col::ResourceClassRef) == shownClass_;
    };
    const auto& policies = work_.Rows(TableId::ResourcePolicy);
    std::vector<size_t> shown;
    std::set<qint64> listed;
    for (size_t entry : work_.RowsWhere(TableId::ResourcePolicy, Col::PolicyUnit, holder_))
        if (ofShownClass(policies[entry].values)) {
            shown.push_back(entry);
            listed.insert(RightsWork::RefOf(policies[entry].values, Col::PolicyResource));
        }
    inherited_.clear();
    for (qint64 unit : showInherited_ && holder_ ? work_.Ancestors(holder_) : std::vector<qint64>())
        for (size_t entry : work_.RowsWhere(TableId::ResourcePolicy, Col::PolicyUnit, unit)) {
            const QVariantList& v = policies[entry].values;
            if (ofShownClass(v) && listed.insert(RightsWork::RefOf(v, Col::PolicyResource)).second)
                inherited_.emplace_back(RightsWork::RefOf(v, Col::PolicyResource), v.mid(Col::PolicyBrowse, 3));
        }
    SetDataRows(resources_, holder_ ? int(shown.size() + inherited_.size()) : 0);
    for (size_t n = 0; holder_ && n < shown.size() + inherited_.size(); ++n) {
        const int row = 1 + int(n);
        const bool own = n < shown.size();
        const qint64 resource =
            own ? RightsWork::RefOf(policies[shown[n]].values, Col::PolicyResource) : inherited_[n - shown.size()].first;
        const QVariantList flags =
            own ? policies[shown[n]].values.mid(Col::PolicyBrowse, 3) : inherited_[n - shown.size()].second;
        // An inherited row is no working row of the holder's.
        resources_.Rows()->Items(row)->SetData(own ? int32_t(shown[n] + 1) : 0);
        resources_.Cell(NameCol, row)->SetValue(work_.Text(TableId::Resource, resource, Col::ResourceName));
        resources_.Cell(CodeCol, row)->SetValue(work_.Text(TableId::Resource, resource, Col::ResourceCode));
        for (int col = NameCol; col <= DeleteCol; ++col) {
            TPTCell* cell = resources_.Cell(col, row);
            if (col >= BrowseCol) {
                cell->SetDataType(cdtBoolean);
                cell->SetValue(CheckText(flags[col - BrowseCol]));
            }
            if (own)
                cell->SetParentColor(true);
            else
                cell->SetColor(InheritedColor);
        }
    }
    resources_.Invalidate();
}

void RightsResourcePage::Harvest()
{
    resources_.SetEditorMode(false);
    auto& rows = work_.Rows(TableId::ResourcePolicy);
    const int ownRows = resources_.RowCount() - 1 - int(inherited_.size());
    for (int row = 1; holder_ && row < resources_.RowCount(); ++row) {
        QVariantList flags;
        for (int col = BrowseCol; col <= DeleteCol; ++col)
            flags << CheckValue(resources_.Cell(col, row)->Value());
        const int entry = EntryOf(resources_, row);
        if (row > ownRows && size_t(row - 1 - ownRows) < inherited_.size()) {
            const auto& [resource, inherited] = inherited_[size_t(row - 1 - ownRows)];
            const int own = work_.RowWith(TableId::ResourcePolicy, Col::PolicyUnit, holder_, Col::PolicyResource, resource);
            if (own >= 0)
                SetFlags(rows[size_t(own)].values, flags);
            else if (!std::equal(flags.begin(), flags.end(), inherited.begin(), inherited.end(), RightsWork::Same))
                work_.Add(TableId::ResourcePolicy, QVariantList{holder_, resource} + flags);
            continue;
        }
        if (entry >= 0 && size_t(entry) < rows.size())
            SetFlags(rows[size_t(entry)].values, flags);
    }
}

int RightsResourcePage::AddResources(const std::vector<qint64>& resources)
{
    Harvest();
    int added = 0;
    for (qint64 resource : resources)
        if (holder_ && work_.Record(TableId::Resource, resource)
            && work_.RowWith(TableId::ResourcePolicy, Col::PolicyUnit, holder_, Col::PolicyResource, resource) < 0) {
            work_.Add(TableId::ResourcePolicy, {holder_, resource, 1, 1, 1});
            ++added;
        }
    ShowPolicies();
    return added;
}

bool RightsResourcePage::RemoveSelected()
{
    Harvest();
    const auto entries = SelectedEntries(resources_);
    for (size_t entry : entries)
        work_.Remove(TableId::ResourcePolicy, entry);
    ShowPolicies();
    return !entries.empty();
}
