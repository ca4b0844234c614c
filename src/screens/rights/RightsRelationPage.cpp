#include "screens/rights/RightsRelationPage.h"

#include <algorithm>

#include "grid/ptgrid/TavikPTGrid.h"
#include "screens/live/LiveChecks.h"
#include "screens/rights/RightsWork.h"

RightsRelationPage::RightsRelationPage(RightsWork& work, TableId table, TTavikPTGrid& grid)
    : RightsPage(work), table_(table), grid_(grid)
{
    if (table_ == TableId::Trust)
        PrepareGrid(grid_, {TrustLevelCol});
    else
        PrepareGrid(grid_, {});
}

QString RightsRelationPage::DefaultLevel()
{
    return QStringLiteral("浏览");
}

int RightsRelationPage::HolderCol() const
{
    return table_ == TableId::Trust ? int(Col::TrustUnit) : int(Col::SubUnit);
}

int RightsRelationPage::TargetCol() const
{
    return table_ == TableId::Trust ? int(Col::TrustTrusted) : int(Col::SubTargetUnit);
}

int RightsRelationPage::PositionCol() const
{
    return table_ == TableId::Trust ? int(Col::TrustPosition) : int(Col::SubPosition);
}

void RightsRelationPage::EndEdit()
{
    grid_.SetEditorMode(false);
}

void RightsRelationPage::Show(qint64 holder)
{
    holder_ = holder;
    ShowRows();
}

void RightsRelationPage::ShowRows()
{
    auto entries = work_.RowsWhere(table_, HolderCol(), holder_);
    const auto& rows = work_.Rows(table_);
    std::stable_sort(entries.begin(), entries.end(), [&](size_t a, size_t b) {
        return rows[a].values[PositionCol()].toLongLong() < rows[b].values[PositionCol()].toLongLong();
    });
    SetDataRows(grid_, holder_ ? int(entries.size()) : 0);
    static const QString kinds[] = {QStringLiteral("机构"), QStringLiteral("部门"), QStringLiteral("岗位")};
    for (size_t n = 0; holder_ && n < entries.size(); ++n) {
        const int row = 1 + int(n);
        const QVariantList& v = rows[entries[n]].values;
        const qint64 unit = RightsWork::RefOf(v, TargetCol());
        grid_.Rows()->Items(row)->SetData(int32_t(entries[n] + 1));
        const QString name = work_.UnitName(unit);
        const QString code = work_.Text(TableId::OrgUnit, unit, Col::UnitCode);
        if (table_ == TableId::Trust) {
            grid_.Cell(TrustNameCol, row)->SetValue(name);
            grid_.Cell(TrustCodeCol, row)->SetValue(code);
            grid_.Cell(TrustLevelCol, row)->SetValue(v[Col::TrustLevel].toString());
            grid_.Cell(TrustPathCol, row)->SetValue(work_.UnitPath(unit, false));
            continue;
        }
        if (const qint64 user = RightsWork::RefOf(v, Col::SubTargetUser)) {
            // A person in a unit: the unit ends the path.
            grid_.Cell(SubNameCol, row)->SetValue(work_.Text(TableId::User, user, Col::UserName));
            grid_.Cell(SubCodeCol, row)->SetValue(work_.Text(TableId::User, user, Col::UserLogin));
            grid_.Cell(SubPathCol, row)->SetValue(work_.UnitPath(unit, true));
            grid_.Cell(SubKindCol, row)->SetValue(QStringLiteral("人员"));
            continue;
        }
        const StoreRecord* r = work_.Record(TableId::OrgUnit, unit);
        const int kind = r ? std::clamp(r->values[Col::UnitKind].toInt(), 0, 2) : 0;
        grid_.Cell(SubNameCol, row)->SetValue(name);
        grid_.Cell(SubCodeCol, row)->SetValue(code);
        grid_.Cell(SubPathCol, row)->SetValue(work_.UnitPath(unit, false));
        grid_.Cell(SubKindCol, row)->SetValue(kinds[kind]);
    }
    grid_.Invalidate();
}

void RightsRelationPage::Harvest()
{
    grid_.SetEditorMode(false);
    if (table_ != TableId::Trust || !holder_)
        return;
    auto& rows = work_.Rows(table_);
    for (int row = 1; row < grid_.RowCount(); ++row) {
        const int entry = EntryOf(grid_, row);
        if (entry >= 0 && size_t(entry) < rows.size())
            rows[size_t(entry)].values[Col::TrustLevel] = grid_.Cell(TrustLevelCol, row)->Value().trimmed();
    }
}

int RightsRelationPage::AddUnits(const std::vector<qint64>& units)
{
    Harvest();
    qint64 position = -1;
    for (size_t entry : work_.RowsWhere(table_, HolderCol(), holder_))
        position = std::max(position, work_.Rows(table_)[entry].values[PositionCol()].toLongLong());
    int added = 0;
    for (qint64 unit : units) {
        if (!holder_ || unit == holder_ || !work_.Record(TableId::OrgUnit, unit))
            continue;
        bool there = false;
        for (size_t entry : work_.RowsWhere(table_, HolderCol(), holder_)) {
            const QVariantList& v = work_.Rows(table_)[entry].values;
            there = there
                    || (RightsWork::RefOf(v, TargetCol()) == unit
                        && (table_ == TableId::Trust || RightsWork::RefOf(v, Col::SubTargetUser) == 0));
        }
        if (there)
            continue;
        if (table_ == TableId::Trust)
            work_.Add(table_, {holder_, unit, DefaultLevel(), ++position});
        else
            work_.Add(table_, {holder_, unit, QVariant(), ++position});
        ++added;
    }
    ShowRows();
    return added;
}

bool RightsRelationPage::RemoveSelected()
{
    Harvest();
    const auto entries = SelectedEntries(grid_);
    for (size_t entry : entries)
        work_.Remove(table_, entry);
    ShowRows();
    return !entries.empty();
}

QString RightsRelationPage::Problem(qint64& holder, size_t& entry) const
{
    if (table_ != TableId::Trust)
        return {};
    const auto& rows = work_.Rows(table_);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].deleted)
            continue;
        const QString problem =
            LiveTextProblem(QStringLiteral("The trust level"), rows[i].values[Col::TrustLevel].toString(), MaxNameLength, true);
        if (!problem.isEmpty()) {
            holder = RightsWork::RefOf(rows[i].values, Col::TrustUnit);
            entry = i;
            return problem;
        }
    }
    return {};
}

int RightsRelationPage::FocusLevel(size_t entry)
{
    for (int row = 1; row < grid_.RowCount(); ++row)
        if (EntryOf(grid_, row) == int(entry)) {
            grid_.FocusCell(TrustLevelCol, row, true);
            return row;
        }
    return -1;
}
