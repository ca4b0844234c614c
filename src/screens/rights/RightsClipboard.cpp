#include "screens/rights/RightsClipboard.h"

#include <set>

#include "screens/rights/RightsWork.h"

namespace {

struct ClipTable {
    TableId table;
    int holderCol, targetCol, firstFlag, flagCount;
    TableId targetTable;
    int labelCol;
};

const ClipTable kClipTables[] = {
    {TableId::Right, Col::RightHolder, Col::RightFunction, Col::BrowseOwn, 6, TableId::Function, Col::FuncName},
    {TableId::ResourcePolicy, Col::PolicyUnit, Col::PolicyResource, Col::PolicyBrowse, 3, TableId::Resource,
     Col::ResourceName},
};

std::map<qint64, QVariantList> ClipFlagsOf(const RightsWork& work, const ClipTable& t, qint64 holder)
{
    std::map<qint64, QVariantList> out;
    for (size_t row : work.RowsWhere(t.table, t.holderCol, holder)) {
        const QVariantList& v = work.Rows(t.table)[row].values;
        out[RightsWork::RefOf(v, t.targetCol)] = v.mid(t.firstFlag, t.flagCount);
    }
    return out;
}

QString ClipFlagName(TableId table, int flag)
{
    static const char* const rights[] = {"浏览自己", "修改自己", "浏览全部", "修改全部", "审核", "策略"};
    static const char* const policies[] = {"启用浏览", "启用修改", "启用删除"};
    return QString::fromUtf8(table == TableId::Right ? rights[flag] : policies[flag]);
}

QString ClipState(const QVariant& v)
{
    return v.isNull() ? QStringLiteral("unset") : v.toInt() ? QStringLiteral("on") : QStringLiteral("off");
}

} // namespace

void RightsClipboard::Copy(const RightsWork& work, qint64 holder)
{
    source_ = holder;
    functions_ = ClipFlagsOf(work, kClipTables[0], holder);
    resources_ = ClipFlagsOf(work, kClipTables[1], holder);
}

QStringList RightsClipboard::Differences(const RightsWork& work, qint64 target) const
{
    QStringList lines;
    for (const ClipTable& t : kClipTables) {
        const auto& copied = t.table == TableId::Right ? functions_ : resources_;
        const auto present = ClipFlagsOf(work, t, target);
        std::set<qint64> keys;
        for (const auto& [k, v] : copied)
            keys.insert(k);
        for (const auto& [k, v] : present)
            keys.insert(k);
        for (qint64 key : keys) {
            const auto from = copied.find(key);
            const auto to = present.find(key);
            QStringList changes;
            for (int f = 0; f < t.flagCount; ++f) {
                const QVariant next = from == copied.end() ? QVariant() : from->second.value(f);
                const QVariant now = to == present.end() ? QVariant() : to->second.value(f);
                if (!RightsWork::Same(next, now))
                    changes << ClipFlagName(t.table, f) + QLatin1Char(' ') + ClipState(next);
            }
            if (!changes.isEmpty())
                lines << work.Text(t.targetTable, key, t.labelCol) + QStringLiteral(": ") + changes.join(QStringLiteral(", "));
        }
    }
    return lines;
}

void RightsClipboard::Apply(RightsWork& work, qint64 target) const
{
    if (target == source_)
        return;
    for (const ClipTable& t : kClipTables) {
        const auto& copied = t.table == TableId::Right ? functions_ : resources_;
        for (size_t row : work.RowsWhere(t.table, t.holderCol, target))
            if (!copied.count(RightsWork::RefOf(work.Rows(t.table)[row].values, t.targetCol)))
                work.Remove(t.table, row);
        for (const auto& [key, flags] : copied) {
            // A function or resource gone from the store since the copy is left out.
            if (!work.Record(t.targetTable, key))
                continue;
            int row = work.RowWith(t.table, t.holderCol, target, t.targetCol, key);
            if (row < 0) {
                QVariantList values{target, key};
                values += flags;
                work.Add(t.table, values);
                continue;
            }
            QVariantList& values = work.Rows(t.table)[size_t(row)].values;
            for (int f = 0; f < t.flagCount; ++f)
                values[t.firstFlag + f] = flags.value(f);
        }
    }
}
