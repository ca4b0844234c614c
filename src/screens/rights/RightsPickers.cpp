#include "screens/rights/RightsPickers.h"

#include "screens/rights/RightsWork.h"
#include "screens/dialogs/TreePickForm.h"
#include "store/RightsStore.h"

std::optional<std::vector<qint64>> PickFunctions(RightsStore& store, const QString& caption)
{
    RightsWork work;
    work.Read({{TableId::Function, store.Load(TableId::Function)}});
    std::vector<TTreePickForm::Item> items;
    for (const auto& entry : work.TreeOrder(TableId::Function, Col::FuncParent, Col::FuncPosition))
        items.push_back({entry.record->id, entry.level, entry.record->values[Col::FuncName].toString(),
                         entry.record->values[Col::FuncCode].toString(), true});
    return TTreePickForm::Pick(caption, QStringLiteral("系统功能"), items);
}

std::optional<std::vector<qint64>> PickUnits(RightsStore& store, const QString& caption, bool postsOnly)
{
    RightsWork work;
    work.Read({{TableId::OrgUnit, store.Load(TableId::OrgUnit)}});
    std::vector<TTreePickForm::Item> items;
    for (const auto& entry : work.TreeOrder(TableId::OrgUnit, Col::UnitParent, Col::UnitPosition)) {
        const bool post = entry.record->values[Col::UnitKind].toInt() == int(UnitKind::Post);
        items.push_back({entry.record->id, entry.level, entry.record->values[Col::UnitName].toString(),
                         entry.record->values[Col::UnitCode].toString(), post || !postsOnly});
    }
    return TTreePickForm::Pick(caption, postsOnly ? QStringLiteral("组织机构与岗位") : QStringLiteral("组织机构"), items);
}

std::optional<std::vector<qint64>> PickResources(RightsStore& store, const QString& caption, qint64 resourceClass)
{
    std::vector<TTreePickForm::Item> items;
    for (const StoreRecord& r : store.Load(TableId::Resource))
        if (RightsWork::RefOf(r.values, Col::ResourceClassRef) == resourceClass)
            items.push_back({r.id, 0, r.values[Col::ResourceName].toString(), r.values[Col::ResourceCode].toString(), true});
    return TTreePickForm::Pick(caption, QStringLiteral("受限资源"), items);
}
