#include <benchmark/benchmark.h>

#include <memory>

#include <QAccessible>
#include <QWidget>

#include "BenchSupport.h"
#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "platform/framework/Form.h"

namespace {

// What a screen reader asks of a window that opens: every object's role,
// name, states and place, and every cell of its tables.
size_t ReadTree(QAccessibleInterface* iface)
{
    if (!iface)
        return 0;
    size_t n = 1;
    benchmark::DoNotOptimize(iface->role());
    benchmark::DoNotOptimize(iface->text(QAccessible::Name));
    benchmark::DoNotOptimize(iface->state());
    benchmark::DoNotOptimize(iface->rect());
    if (QAccessibleTableInterface* table = iface->tableInterface()) {
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                n += ReadTree(table->cellAt(r, c));
        return n;
    }
    for (int i = 0; i < iface->childCount(); ++i)
        n += ReadTree(iface->child(i));
    return n;
}

// Opening a screen (construction, creation handler, one paint) without and
// with a screen reader reading all of it; the second should cost at most
// twice the first.
void BM_OpenScreenAccessible(benchmark::State& state, const char* className, bool read)
{
    const ScreenEntry* entry = PrepareScreen(state, className);
    if (!entry)
        return;
    size_t objects = 0;
    for (auto _ : state) {
        std::unique_ptr<TCustomForm> form(entry->make(nullptr));
        benchmark::DoNotOptimize(RenderForm(form.get()));
        if (read)
            objects = ReadTree(QAccessible::queryAccessibleInterface(form->Widget()));
    }
    state.counters["objects"] = static_cast<double>(objects);
}
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TRightSetForm_plain, "TRightSetForm", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TRightSetForm_read, "TRightSetForm", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TOrgForm_plain, "TOrgForm", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TOrgForm_read, "TOrgForm", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TPostForm_plain, "TPostForm", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAccessible, TPostForm_read, "TPostForm", true)->Unit(benchmark::kMillisecond);

} // namespace
