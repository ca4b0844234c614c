#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

#include "grid/model/PTOwner.h"
#include "grid/model/PTRows.h"

namespace {

class NullGrid final : public IPTGridOwner {
public:
    NullGrid() { font.SetName(QStringLiteral("宋体")); font.SetSize(9); }
    const TFont& GridFont() const override { return font; }
    TColor GridColor() const override { return clWindow; }
    void CellCreated(TPTCell*) override {}
    void CellDestroyed(TPTCell*) override {}
    void RowChanged(int) override {}
    void RowsChanged() override {}
    void ExpandCollapse(int, bool) override {}

    TFont font;
    TPTRows rows{this};
};

// Heap bytes in use, counting blocks the allocator maps on its own.
size_t AllocatedBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void Build(TPTRows& rows, int rowCount, int colCount)
{
    for (int r = 0; r < rowCount; ++r) {
        TPTCells* cells = rows.Add()->Cells();
        for (int c = 0; c < colCount; ++c)
            cells->Add();
    }
}

constexpr int kRows = 100000;
constexpr int kCols = 10;

// Default cells of a large grid: what one cell costs, its share of its row included.
void BM_PTModelMemory(benchmark::State& state)
{
    double perCell = 0;
    for (auto _ : state) {
        const size_t before = AllocatedBytes();
        auto grid = std::make_unique<NullGrid>();
        Build(grid->rows, kRows, kCols);
        const size_t after = AllocatedBytes();
        perCell = double(after - before) / (double(kRows) * kCols);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = perCell;
}
BENCHMARK(BM_PTModelMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

// Building and freeing a model of the given number of rows of ten cells.
void BM_PTModelBuild(benchmark::State& state)
{
    const int rowCount = static_cast<int>(state.range(0));
    for (auto _ : state) {
        NullGrid grid;
        Build(grid.rows, rowCount, kCols);
        benchmark::DoNotOptimize(grid.rows.Count());
    }
    state.SetItemsProcessed(state.iterations() * rowCount * kCols);
}
BENCHMARK(BM_PTModelBuild)->Arg(1000)->Arg(kRows)->Unit(benchmark::kMillisecond);

// Following a font change of the grid over every cell.
void BM_PTModelFollowFont(benchmark::State& state)
{
    NullGrid grid;
    Build(grid.rows, kRows, kCols);
    int size = 9;
    for (auto _ : state) {
        grid.font.SetSize(size = size == 9 ? 10 : 9);
        grid.rows.FollowGridFont();
    }
}
BENCHMARK(BM_PTModelFollowFont)->Unit(benchmark::kMillisecond);

} // namespace

// The benchmark program's entry point, unless another benchmark file brings one.
__attribute__((weak)) int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
