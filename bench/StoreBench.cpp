// The store on SQLite and, when its server can be started, on PostgreSQL:
// loading many users into the user screen's grid, saving many changed check
// cells, and loading a large organisation into the chart and the tree.
// PostgreSQL runs when ORGRIGHTS_BENCH_PG names a database URL, for example
// one on a server started with tests/store/pg-cluster.sh.

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <unordered_map>
#include <vector>

#include <QTemporaryDir>

#include "app/Startup.h"
#include "grid/ptgrid/TavikPTGrid.h"
#include "orgchart/OrgChart.h"
#include "platform/controls/TreeView.h"
#include "screens/OrgForm.h"
#include "screens/UserForm.h"
#include "store/RightsStore.h"

#include "BenchSupport.h"

namespace {

enum Backend { Sqlite, Postgres };

// A store of its own for each benchmark and back end: a new SQLite file, or
// the PostgreSQL database emptied by an import of nothing.
std::unique_ptr<RightsStore> OpenFreshStore(Backend backend)
{
    static QTemporaryDir folder;
    static int n = 0;
    if (backend == Sqlite)
        return RightsStore::Open(StoreLocation::Parse(folder.filePath(QStringLiteral("bench%1.db").arg(++n))));
    const QString url = qEnvironmentVariable("ORGRIGHTS_BENCH_PG");
    if (url.isEmpty())
        return nullptr;
    auto store = RightsStore::Open(StoreLocation::Parse(url));
    store->ReplaceAll({});
    return store;
}

void Startup()
{
    EnsureApplication();
    static bool done = false;
    if (!done)
        RunUnitStartup();
    done = true;
}

// The started program's fresh store for one benchmark, or null with the run
// skipped when the back end has no server.
std::unique_ptr<RightsStore> FreshStore(benchmark::State& state, Backend backend)
{
    Startup();
    auto store = OpenFreshStore(backend);
    if (!store)
        state.SkipWithError("ORGRIGHTS_BENCH_PG is not set");
    return store;
}

void BM_StoreLoadUsers(benchmark::State& state, Backend backend)
{
    const int count = static_cast<int>(state.range(0));
    auto store = FreshStore(state, backend);
    if (!store)
        return;
    std::vector<StoreChange> users;
    for (int i = 0; i < count; ++i)
        users.push_back(StoreChange::Insert(TableId::User, {QStringLiteral("user%1").arg(i), QStringLiteral("用户%1").arg(i),
                                                            QVariant(), QVariant(), i % 7 ? 1 : 0, QVariant()}));
    store->Save(users);
    TUserForm form(nullptr);
    TTavikPTGrid* grid = form.TavikPTGrid1;
    const QString set = QStringLiteral("修改"), unset = QStringLiteral("未设置");
    const QString yes = QStringLiteral("T"), no = QStringLiteral("F");
    for (auto _ : state) {
        const auto records = store->Load(TableId::User);
        grid->BeginUpdate();
        grid->SetRowCount(1 + int(records.size()));
        int row = 1;
        for (const StoreRecord& r : records) {
            grid->SetCellValue(1, row, r.values[Col::UserLogin].toString());
            grid->SetCellValue(2, row, r.values[Col::UserName].toString());
            grid->SetCellValue(3, row, r.values[Col::UserPassword].isNull() ? unset : set);
            grid->SetCellValue(4, row, r.values[Col::UserSignature].isNull() ? unset : set);
            grid->SetCellValue(5, row, r.values[Col::UserEnabled].toInt() ? yes : no);
            grid->SetCellValue(6, row, r.values[Col::UserNote].toString());
            ++row;
        }
        grid->EndUpdate();
        state.PauseTiming();
        grid->SetRowCount(2);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BM_StoreLoadUsers, Sqlite, Sqlite)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StoreLoadUsers, Postgres, Postgres)->Arg(100000)->Unit(benchmark::kMillisecond);

// One save of count changed check cells: one flag of count rights records.
void BM_StoreSaveCells(benchmark::State& state, Backend backend)
{
    const int count = static_cast<int>(state.range(0));
    auto store = FreshStore(state, backend);
    if (!store)
        return;
    std::vector<StoreChange> setup{StoreChange::Insert(TableId::OrgUnit, {QVariant(), 0, 2, QStringLiteral("岗位"), QVariant(), QVariant(), 0, QVariant()}, -1)};
    for (int i = 0; i < count; ++i) {
        setup.push_back(StoreChange::Insert(TableId::Function, {QVariant(), i, QStringLiteral("功能%1").arg(i), QVariant(), QVariant()}, -2 - i));
        setup.push_back(StoreChange::Insert(TableId::Right, {-1, -2 - i, 1, 0, 0, 0, 0, QVariant()}));
    }
    store->Save(setup);
    std::vector<StoreRecord> rights = store->Load(TableId::Right);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<StoreChange> changes;
        changes.reserve(rights.size());
        for (StoreRecord& r : rights) {
            r.values[Col::Audit] = 1 - r.values[Col::Audit].toInt();
            changes.push_back(StoreChange::Update(TableId::Right, r, r.values));
            ++r.version;
        }
        state.ResumeTiming();
        store->Save(changes);
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BM_StoreSaveCells, Sqlite, Sqlite)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StoreSaveCells, Postgres, Postgres)->Arg(10000)->Unit(benchmark::kMillisecond);

// An organisation of count units (random fan-out 1 to 8) into the organisation
// screen's chart and tree.
void BM_StoreLoadOrganisation(benchmark::State& state, Backend backend)
{
    const int count = static_cast<int>(state.range(0));
    auto store = FreshStore(state, backend);
    if (!store)
        return;
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> fanOut(1, 8);
    std::vector<StoreChange> units{StoreChange::Insert(TableId::OrgUnit, {QVariant(), 0, 0, QStringLiteral("公司"), QVariant(), QVariant(), 0, QVariant()}, -1)};
    for (int parent = 0, made = 1; made < count; ++parent)
        for (int k = fanOut(random), position = 0; k > 0 && made < count; --k, ++made)
            units.push_back(StoreChange::Insert(TableId::OrgUnit, {-1 - parent, position++, 1, QStringLiteral("部门%1").arg(made), QVariant(), QVariant(), 0, QVariant()},
                                                -1 - made));
    store->Save(units);
    TOrgForm form(nullptr);
    for (auto _ : state) {
        const auto records = store->Load(TableId::OrgUnit);
        // Parents come before their children in id order here; a store
        // reordered by moves is read through the id map the same way.
        std::vector<TOcNode*> nodes(records.size() + 1, nullptr);
        std::vector<TTreeNode*> items(records.size() + 1, nullptr);
        std::unordered_map<qint64, size_t> index;
        index.reserve(records.size());
        form.org->BeginUpdate();
        form.org->Tree().Clear();
        form.TreeView1->Items().Clear();
        for (size_t i = 0; i < records.size(); ++i) {
            const StoreRecord& r = records[i];
            index[r.id] = i;
            const QVariant parent = r.values[Col::UnitParent];
            const size_t p = parent.isNull() ? records.size() : index.at(parent.toLongLong());
            nodes[i] = form.org->Tree().Add(nodes[p]);
            nodes[i]->SetText(r.values[Col::UnitName].toString());
            nodes[i]->SetImageIndex(r.values[Col::UnitKind].toInt());
            items[i] = form.TreeView1->Items().AddChild(items[p], r.values[Col::UnitName].toString());
            items[i]->SetImageIndex(r.values[Col::UnitKind].toInt());
        }
        form.org->EndUpdate();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BM_StoreLoadOrganisation, Sqlite, Sqlite)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StoreLoadOrganisation, Postgres, Postgres)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
