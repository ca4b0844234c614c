#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "app/ScreenCatalog.h"
#include "app/ScreenSnapshot.h"
#include "app/Startup.h"
#include "platform/framework/Application.h"
#include "platform/framework/Form.h"
#include "grid/ptgrid/TavikPTGrid.h"

#include "BenchSupport.h"

namespace {

std::unique_ptr<TTavikPTGrid> MakeGrid(int rows, int cols)
{
    EnsureApplication();
    auto grid = std::make_unique<TTavikPTGrid>(nullptr);
    grid->SetColCount(cols);
    grid->SetRowCount(rows);
    // Own heights, so that inserting and deleting move the height block too.
    grid->SetRowHeights(1, 24);
    return grid;
}

// One row inserted in the middle of a grid that then holds the given number of
// rows, then taken out again outside the timing. The grid starts a row short,
// so that the largest case ends at the most a grid holds rather than past it.
void BM_PTGridInsertRow(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto grid = MakeGrid(rows - 1, 10);
    for (auto _ : state) {
        grid->InsertRow(rows / 2);
        state.PauseTiming();
        grid->DeleteRow(rows / 2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PTGridInsertRow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_PTGridDeleteRow(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto grid = MakeGrid(rows, 10);
    for (auto _ : state) {
        grid->DeleteRow(rows / 2);
        state.PauseTiming();
        grid->InsertRow(rows / 2);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PTGridDeleteRow)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A 1 x 2 source filled over a 1,000 x 10 target.
void BM_PTRangeFill(benchmark::State& state)
{
    auto grid = MakeGrid(1002, 11);
    for (auto _ : state) {
        grid->Cell(1, 1)->SetValue(QStringLiteral("a"));
        grid->Cell(2, 1)->SetValue(QStringLiteral("b"));
        grid->FillRangeChanged({1, 1, 2, 1}, {1, 2, 10, 1001});
    }
}
BENCHMARK(BM_PTRangeFill)->Unit(benchmark::kMillisecond);

// Opening as the launcher does it: construction from the stored definition with
// the creation handler, shown, brought up to date at the first idle moment, and
// so painted once.
void BM_OpenScreen(benchmark::State& state, const char* className)
{
    const ScreenEntry* entry = PrepareScreen(state, className);
    if (!entry)
        return;
    for (auto _ : state) {
        std::unique_ptr<TCustomForm> form(entry->make(nullptr));
        form->Show();
        QApplication::processEvents();
        Application()->DoIdle();
        QApplication::processEvents();
        form->Hide();
    }
}

// The same, then a picture of the screen taken as --render takes it, which
// paints the whole window a second time.
void BM_OpenScreenAndGrab(benchmark::State& state, const char* className)
{
    const ScreenEntry* entry = PrepareScreen(state, className);
    if (!entry)
        return;
    for (auto _ : state) {
        std::unique_ptr<TCustomForm> form(entry->make(nullptr));
        benchmark::DoNotOptimize(RenderForm(form.get()));
    }
}
BENCHMARK_CAPTURE(BM_OpenScreen, TOrgForm, "TOrgForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreen, TUserForm, "TUserForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreen, TPostForm, "TPostForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreen, TRightSetForm, "TRightSetForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreen, TDepartPropForm, "TDepartPropForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreen, TRolePropForm, "TRolePropForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAndGrab, TUserForm, "TUserForm")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_OpenScreenAndGrab, TRightSetForm, "TRightSetForm")->Unit(benchmark::kMillisecond);

} // namespace
