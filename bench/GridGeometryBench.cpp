#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "grid/TavikCustomGrid.h"

#include "BenchSupport.h"

namespace {

// A grid of the given row count scrolled to its middle, with some rows hidden
// and sized so that the walks meet more than the defaults.
std::unique_ptr<TTavikCustomGrid> MakeGrid(int rows)
{
    EnsureApplication();
    auto grid = std::make_unique<TTavikCustomGrid>(nullptr);
    grid->SetBounds(0, 0, 800, 600);
    grid->SetColCount(20);
    grid->SetRowCount(rows);
    for (int r = rows / 2; r < rows / 2 + 40; r += 3)
        grid->SetRowHeights(r, r % 2 ? 0 : 30);
    grid->SetTopLeft(3, rows / 2);
    return grid;
}

void BM_PointToCell(benchmark::State& state)
{
    auto grid = MakeGrid(static_cast<int>(state.range(0)));
    int x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(grid->PointToCell(x % 800, (x * 7) % 600));
        ++x;
    }
}
BENCHMARK(BM_PointToCell)->Arg(1000)->Arg(1000000);

void BM_Layout(benchmark::State& state)
{
    auto grid = MakeGrid(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->ComputeLayout());
}
BENCHMARK(BM_Layout)->Arg(1000)->Arg(1000000);

void BM_MaxTopLeft(benchmark::State& state)
{
    auto grid = MakeGrid(static_cast<int>(state.range(0)));
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(grid->MaxTopLeft({grid->ColCount() - 1, rows - 1}));
}
BENCHMARK(BM_MaxTopLeft)->Arg(1000)->Arg(1000000);

} // namespace
