#include "screens/rights/RightsFunctionPage.h"

#include <algorithm>

#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/rights/RightsWork.h"

RightsFunctionPage::RightsFunctionPage(RightsWork& work, TTavikPTGrid& grid) : RightsPage(work), grid_(grid)
{
    PrepareGrid(grid_, {2, 3, 4, 5, 6, 7});
}

void RightsFunctionPage::EndEdit()
{
    grid_.SetEditorMode(false);
}

int RightsFunctionPage::RightRow(qint64 function, bool make)
{
    const int row = work_.RowWith(TableId::Right, Col::RightHolder, holder_, Col::RightFunction, function);
    if (row >= 0 || !make)
        return row;
    return int(work_.Add(TableId::Right, {holder_, function, QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                                          QVariant()}));
}

QVariantList RightsFunctionPage::Inherited(qint64 function) const
{
    for (qint64 unit : work_.Ancestors(holder_)) {
        const int row = work_.RowWith(TableId::Right, Col::RightHolder, unit, Col::RightFunction, function);
        if (row >= 0)
            return work_.Rows(TableId::Right)[size_t(row)].values.mid(Col::BrowseOwn, LastFlagCol - FirstFlagCol + 1);
    }
    return {};
}

void RightsFunctionPage::SetShowInherited(bool on)
{
    Harvest();
    showInherited_ = on;
    Show(holder_);
}

void RightsFunctionPage::Show(qint64 holder)
{
    holder_ = holder;
    functions_.clear();
    inherited_.clear();
    const auto tree = work_.TreeOrder(TableId::Function, Col::FuncParent, Col::FuncPosition);
    SetDataRows(grid_, holder_ ? int(tree.size()) : 0);
    const int levelCol = grid_.LevelCol();
    for (size_t n = 0; holder_ && n < tree.size(); ++n) {
        const int row = 1 + int(n);
        const qint64 function = tree[n].record->id;
        functions_.push_back(function);
        grid_.Rows()->Items(row)->SetData(int32_t(n + 1));
        grid_.Cell(NameCol, row)->SetValue(tree[n].record->values[Col::FuncName].toString());
        if (levelCol > LastFlagCol)
            grid_.Cell(levelCol, row)->SetValue(QString::number(tree[n].level));
        const int right = RightRow(function, false);
        inherited_.push_back(right < 0 && showInherited_ ? Inherited(function) : QVariantList());
        const QVariantList& shown =
            right >= 0 ? work_.Rows(TableId::Right)[size_t(right)].values.mid(Col::BrowseOwn) : inherited_.back();
        for (int col = FirstFlagCol; col <= LastFlagCol; ++col) {
            TPTCell* cell = grid_.Cell(col, row);
            cell->SetDataType(cdtBoolean);
            cell->SetValue(shown.isEmpty() ? QString() : CheckText(shown[col - FirstFlagCol]));
            if (inherited_.back().isEmpty())
                cell->SetParentColor(true);
            else
                cell->SetColor(InheritedColor);
        }
    }
    grid_.Invalidate();
}

void RightsFunctionPage::Harvest()
{
    grid_.SetEditorMode(false);
    if (!holder_)
        return;
    for (int row = 1; row < grid_.RowCount(); ++row) {
        const int n = EntryOf(grid_, row);
        if (n < 0 || size_t(n) >= functions_.size())
            continue;
        QVariantList flags;
        bool any = false;
        for (int col = FirstFlagCol; col <= LastFlagCol; ++col) {
            flags << CheckValue(grid_.Cell(col, row)->Value());
            any = any || !flags.back().isNull();
        }
        const QVariantList& inherited = inherited_[size_t(n)];
        if (!inherited.isEmpty() && RightRow(functions_[size_t(n)], false) < 0
            && std::equal(flags.begin(), flags.end(), inherited.begin(), inherited.end(), RightsWork::Same))
            continue; // shown as inherited, left as it was
        const int right = RightRow(functions_[size_t(n)], any);
        if (right < 0)
            continue;
        QVariantList& values = work_.Rows(TableId::Right)[size_t(right)].values;
        for (int i = 0; i < flags.size(); ++i)
            values[Col::BrowseOwn + i] = flags[i];
    }
}

int RightsFunctionPage::Grant(const std::vector<qint64>& functions)
{
    Harvest();
    int first = -1;
    for (qint64 function : functions) {
        if (!holder_ || !work_.Record(TableId::Function, function))
            continue;
        QVariantList& values = work_.Rows(TableId::Right)[size_t(RightRow(function, true))].values;
        values[Col::BrowseOwn] = 1;
        for (int c = Col::EditOwn; c <= Col::Policy; ++c)
            if (values[c].isNull())
                values[c] = 0;
        for (size_t n = 0; first < 0 && n < functions_.size(); ++n)
            if (functions_[n] == function)
                first = int(n) + 1;
    }
    Show(holder_);
    if (first > 0)
        grid_.FocusCell(FirstFlagCol, first, true);
    return first;
}

std::vector<size_t> RightsFunctionPage::SelectedRows()
{
    // The selection's rows as indexes into functions_.
    std::vector<size_t> out;
    for (size_t entry : SelectedEntries(grid_))
        if (entry < functions_.size())
            out.push_back(entry);
    return out;
}

bool RightsFunctionPage::SetSelectedFlags(bool on, bool policyOnly)
{
    Harvest();
    const auto rows = SelectedRows();
    for (size_t n : rows) {
        QVariantList& values = work_.Rows(TableId::Right)[size_t(RightRow(functions_[n], true))].values;
        for (int c = policyOnly ? int(Col::Policy) : int(Col::BrowseOwn); c <= Col::Policy; ++c)
            values[c] = on ? 1 : 0;
        if (policyOnly)
            for (int c = Col::BrowseOwn; c < Col::Policy; ++c)
                if (values[c].isNull())
                    values[c] = 0;
    }
    Show(holder_);
    return !rows.empty();
}
