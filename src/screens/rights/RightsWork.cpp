#include "screens/rights/RightsWork.h"

#include <algorithm>
#include <functional>
#include <set>

#include <QStringList>

const std::vector<TableId>& RightsWork::Written()
{
    static const std::vector<TableId> tables{TableId::OrgUnit,       TableId::Right, TableId::DeptAdmin,
                                             TableId::AdminFunction, TableId::Subordination, TableId::Trust,
                                             TableId::ResourcePolicy};
    return tables;
}

void RightsWork::Read(std::map<TableId, std::vector<StoreRecord>> all)
{
    read_ = std::move(all);
    Reset();
}

void RightsWork::Reset()
{
    work_.clear();
    for (TableId table : Written()) {
        auto& rows = work_[table];
        const auto& records = Records(table);
        for (size_t i = 0; i < records.size(); ++i)
            rows.push_back(Row{int(i), records[i].values, false});
    }
}

const std::vector<StoreRecord>& RightsWork::Records(TableId table) const
{
    static const std::vector<StoreRecord> none;
    const auto found = read_.find(table);
    return found == read_.end() ? none : found->second;
}

const StoreRecord* RightsWork::Record(TableId table, qint64 id) const
{
    for (const StoreRecord& r : Records(table))
        if (r.id == id)
            return &r;
    return nullptr;
}

const std::vector<RightsWork::Row>& RightsWork::Rows(TableId table) const
{
    static const std::vector<Row> none;
    const auto found = work_.find(table);
    return found == work_.end() ? none : found->second;
}

qint64 RightsWork::RefOf(const QVariantList& values, int col)
{
    return col < values.size() && !values[col].isNull() ? values[col].toLongLong() : 0;
}

bool RightsWork::Same(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a.toString() == b.toString();
}

std::vector<size_t> RightsWork::RowsWhere(TableId table, int col, qint64 id) const
{
    std::vector<size_t> out;
    const auto& rows = Rows(table);
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].deleted && RefOf(rows[i].values, col) == id)
            out.push_back(i);
    return out;
}

int RightsWork::RowWith(TableId table, int a, qint64 ida, int b, qint64 idb) const
{
    const auto& rows = Rows(table);
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].deleted && RefOf(rows[i].values, a) == ida && RefOf(rows[i].values, b) == idb)
            return int(i);
    return -1;
}

size_t RightsWork::Add(TableId table, QVariantList values)
{
    auto& rows = work_[table];
    rows.push_back(Row{-1, std::move(values), false});
    return rows.size() - 1;
}

void RightsWork::Remove(TableId table, size_t row)
{
    auto& rows = work_[table];
    if (row < rows.size())
        rows[row].deleted = true;
}

std::vector<StoreChange> RightsWork::Changes() const
{
    std::vector<StoreChange> deletes, updates, inserts;
    for (TableId table : Written()) {
        const auto& records = Records(table);
        for (const Row& row : Rows(table)) {
            if (row.record < 0) {
                if (!row.deleted)
                    inserts.push_back(StoreChange::Insert(table, row.values));
                continue;
            }
            const StoreRecord& read = records[size_t(row.record)];
            if (row.deleted) {
                deletes.push_back(StoreChange::Delete(table, read));
                continue;
            }
            bool same = row.values.size() == read.values.size();
            for (int c = 0; same && c < row.values.size(); ++c)
                same = Same(row.values[c], read.values[c]);
            if (!same)
                updates.push_back(StoreChange::Update(table, read, row.values));
        }
    }
    for (auto* part : {&updates, &inserts})
        for (StoreChange& c : *part)
            deletes.push_back(std::move(c));
    return deletes;
}

std::vector<RightsWork::TreeEntry> RightsWork::TreeOrder(TableId table, int parentCol, int positionCol) const
{
    const auto& records = Records(table);
    std::set<qint64> ids;
    for (const StoreRecord& r : records)
        ids.insert(r.id);
    std::map<qint64, std::vector<const StoreRecord*>> children;
    for (const StoreRecord& r : records) {
        const qint64 parent = RefOf(r.values, parentCol);
        children[ids.count(parent) ? parent : 0].push_back(&r);
    }
    for (auto& [parent, list] : children)
        std::stable_sort(list.begin(), list.end(), [positionCol](const StoreRecord* a, const StoreRecord* b) {
            return a->values[positionCol].toLongLong() < b->values[positionCol].toLongLong();
        });
    std::vector<TreeEntry> out;
    std::set<qint64> placed;
    std::function<void(qint64, int)> walk = [&](qint64 parent, int level) {
        for (const StoreRecord* r : children[parent])
            if (placed.insert(r->id).second) {
                out.push_back({r, level});
                walk(r->id, level + 1);
            }
    };
    walk(0, 0);
    return out;
}

QString RightsWork::Text(TableId table, qint64 id, int col) const
{
    const StoreRecord* r = Record(table, id);
    return r ? r->values[col].toString() : QString();
}

namespace {

QString WithoutTreeNumber(const QString& name)
{
    int digits = 0;
    while (digits < name.size() && name[digits].isDigit())
        ++digits;
    return digits > 0 && digits < name.size() && name[digits] == QLatin1Char('.') ? name.mid(digits + 1) : name;
}

} // namespace

QString RightsWork::UnitName(qint64 unit) const
{
    return WithoutTreeNumber(Text(TableId::OrgUnit, unit, Col::UnitName));
}

std::vector<qint64> RightsWork::Ancestors(qint64 unit) const
{
    std::vector<qint64> out;
    std::set<qint64> seen{unit};
    for (const StoreRecord* r = Record(TableId::OrgUnit, unit); r;) {
        const qint64 parent = RefOf(r->values, Col::UnitParent);
        if (!parent || !seen.insert(parent).second)
            break;
        out.push_back(parent);
        r = Record(TableId::OrgUnit, parent);
    }
    return out;
}

QString RightsWork::UnitPath(qint64 unit, bool withUnit) const
{
    QStringList parts;
    std::set<qint64> seen;
    bool first = true;
    while (unit && seen.insert(unit).second) {
        const StoreRecord* r = Record(TableId::OrgUnit, unit);
        if (!r)
            break;
        const qint64 parent = RefOf(r->values, Col::UnitParent);
        if (parent && (withUnit || !first))
            parts.prepend(WithoutTreeNumber(r->values[Col::UnitName].toString()));
        first = false;
        unit = parent;
    }
    return parts.join(QLatin1Char('\\'));
}
