#include <benchmark/benchmark.h>

#include <QApplication>

#include <QImage>

#include <memory>
#include <string>

#include "grid/drawgrid/DrawGridClasses.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "grid/core/TavikCustomGrid.h"
#include "grid/core/paint/GridPainter.h"
#include "platform/canvas/Canvas.h"
#include "platform/framework/Form.h"
#include "platform/framework/Messages.h"
#include "stream/FormLoader.h"
#include "stream/FormReader.h"

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

// The six-line definition of a grid of hidden columns: loaded, painted once
// and moved about with the keys, as a user opening it would.
void BM_HiddenColumnsLoadPaintKeys(benchmark::State& state)
{
    EnsureApplication();
    RegisterDrawGridClasses();
    const std::string text = "object F: TForm\n"
                             "  object Grid1: TTavikCustomDrawGrid\n"
                             "    ColCount = " + std::to_string(state.range(0)) + "\n"
                             "    DefaultColWidth = 0\n"
                             "  end\n"
                             "end\n";
    const FormObject tree = ReadForm(text, "Wide.dfm");
    QImage img(300, 200, QImage::Format_RGB32);
    for (auto _ : state) {
        TForm form(nullptr);
        LoadForm(&form, tree, "Wide.dfm");
        auto* grid = form.Find<TTavikCustomDrawGrid>("Grid1");
        grid->SetBounds(0, 0, 300, 200);
        TCanvas canvas(img);
        grid->Painter().PaintGrid(canvas);
        for (Word key : {VK_RIGHT, VK_END, VK_HOME, VK_DOWN})
            grid->KeyDown(key, 0);
        grid->Painter().PaintGrid(canvas);
    }
}
BENCHMARK(BM_HiddenColumnsLoadPaintKeys)->Arg(1000)->Arg(MaxGridCellCount)->Unit(benchmark::kMillisecond);

} // namespace
