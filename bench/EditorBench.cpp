#include <benchmark/benchmark.h>

#include <QApplication>

#include <memory>

#include "grid/editor/InplaceEdit.h"
#include "grid/core/GridEditing.h"
#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "platform/framework/Form.h"

#include "BenchSupport.h"

namespace {

// Showing the editor on a cell and hiding it again, one column further each
// time, in the middle of a grid of the given row count.
void BM_EditorShowHide(benchmark::State& state)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    TForm form(nullptr);
    auto* grid = new TTavikCustomDrawGrid(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 800, 600);
    grid->SetColCount(12);
    grid->SetRowCount(rows);
    grid->GetEditTextHandler = TGridGetEditEvent([](TObject*, int c, int r, QString& v) { v = QString::number(c + r); });
    grid->SetEditTextHandler = TGridSetEditEvent([](TObject*, int, int, const QString&) {});
    form.SetActiveControl(grid);
    const int row = rows / 2;
    grid->FocusCell(1, row, true);
    int col = 1;
    for (auto _ : state) {
        grid->ShowEditor(QChar(' '));
        grid->HideEditor();
        col = col + 1 < grid->ColCount() ? col + 1 : 1;
        grid->MoveCurrent(col, row, true, false, true, true);
    }
    benchmark::DoNotOptimize(grid->Editing().Editor());
}
BENCHMARK(BM_EditorShowHide)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

} // namespace
