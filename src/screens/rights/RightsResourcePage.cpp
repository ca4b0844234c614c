#include "screens/rights/RightsResourcePage.h"

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
    classes_.InvalidateGrid();
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

void RightsResourcePage::ShowPolicies()
{
    shownClass_ = CurrentClass();
    std::vector<size_t> shown;
    for (size_t entry : work_.RowsWhere(TableId::ResourcePolicy, Col::PolicyUnit, holder_)) {
        const qint64 resource = RightsWork::RefOf(work_.Rows(TableId::ResourcePolicy)[entry].values, Col::PolicyResource);
        const StoreRecord* r = work_.Record(TableId::Resource, resource);
        if (r && RightsWork::RefOf(r->values, Col::ResourceClassRef) == shownClass_)
            shown.push_back(entry);
    }
    SetDataRows(resources_, holder_ ? int(shown.size()) : 0);
    for (size_t n = 0; holder_ && n < shown.size(); ++n) {
        const int row = 1 + int(n);
        const QVariantList& v = work_.Rows(TableId::ResourcePolicy)[shown[n]].values;
        const qint64 resource = RightsWork::RefOf(v, Col::PolicyResource);
        resources_.Rows()->Items(row)->SetData(int32_t(shown[n] + 1));
        resources_.Cell(NameCol, row)->SetValue(work_.Text(TableId::Resource, resource, Col::ResourceName));
        resources_.Cell(CodeCol, row)->SetValue(work_.Text(TableId::Resource, resource, Col::ResourceCode));
        for (int col = BrowseCol; col <= DeleteCol; ++col) {
            resources_.Cell(col, row)->SetDataType(cdtBoolean);
            resources_.Cell(col, row)->SetValue(CheckText(v[Col::PolicyBrowse + col - BrowseCol]));
        }
    }
    resources_.InvalidateGrid();
}

void RightsResourcePage::Harvest()
{
    resources_.SetEditorMode(false);
    auto& rows = work_.Rows(TableId::ResourcePolicy);
    for (int row = 1; holder_ && row < resources_.RowCount(); ++row) {
        const int entry = EntryOf(resources_, row);
        if (entry < 0 || size_t(entry) >= rows.size())
            continue;
        for (int col = BrowseCol; col <= DeleteCol; ++col)
            rows[size_t(entry)].values[Col::PolicyBrowse + col - BrowseCol] = CheckValue(resources_.Cell(col, row)->Value());
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
