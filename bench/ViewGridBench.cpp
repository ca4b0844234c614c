// The view grid repainting a 798 x 550 picture of 20 columns whose cells all
// come through the value query (text, numbers and check cells, one merged
// area on screen), and collapsing and expanding every row of a tree grid of
// 100,000 rows in ten levels against Qt's tree view doing the same.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>
#include <QTreeView>

#include <memory>
#include <vector>

#include "grid/viewgrid/TavikCustomViewGrid.h"
#include "platform/framework/Messages.h"

#include "BenchSupport.h"

namespace {

constexpr int kWidth = 798;
constexpr int kHeight = 550;
constexpr int kCols = 20;

std::unique_ptr<TTavikCustomViewGrid> MakeGrid(int rows)
{
    EnsureApplication();
    auto grid = std::make_unique<TTavikCustomViewGrid>(nullptr);
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(kCols);
    grid->SetRowCount(rows);
    const int mergeTop = rows / 2 + 4;
    grid->OnQueryCellValue = TQueryCellValueEvent([](TObject*, int col, int row, QString& value) {
        if (col % 5 == 4)
            value = (row + col) % 3 ? QStringLiteral("T") : QStringLiteral("F");
        else if (col % 5 == 2)
            value = QString::number(1000 + (row * 7 + col) % 9000);
        else
            value = BenchCellText(col, row);
    });
    grid->OnQueryCellAttribute =
        TQueryCellAttributeEvent([mergeTop](TObject*, int col, int row, TCellAttributes, TCellAttrInfo& info) {
            if (col % 5 == 4)
                info.DataType = cdtBoolean;
            else if (col % 5 == 2)
                info.DataType = cdtNumeric;
            if (col >= 6 && col <= 7 && row >= mergeTop && row <= mergeTop + 2)
                info.MergeID = 1;
        });
    grid->Update();
    return grid;
}

void BM_ViewGridPaintFull(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto grid = MakeGrid(rows);
    grid->SetTopLeft(1, rows / 2);
    grid->Update();
    for (auto _ : state) {
        grid->Invalidate();
        grid->Update();
    }
}
BENCHMARK(BM_ViewGridPaintFull)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Levels of a tree of ten levels, repeating every 16 rows.
constexpr uint8_t kLevels[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 9, 9, 8, 7, 5, 1};

uint8_t LevelOf(int row)
{
    return row == 0 ? 0 : kLevels[(row - 1) % 16];
}

std::unique_ptr<TTavikCustomViewGrid> MakeTreeGrid(int rows)
{
    EnsureApplication();
    auto grid = std::make_unique<TTavikCustomViewGrid>(nullptr);
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(4);
    grid->SetRowCount(rows + 1);
    grid->OnQueryRowLevel = TQueryRowLevelEvent([](TObject*, int row, uint8_t& level) { level = LevelOf(row); });
    grid->SetIsTree(true);
    grid->Update();
    return grid;
}

void AllRows(TTavikCustomViewGrid& grid, bool expand)
{
    grid.Perform(WM_USER + (expand ? 1016 : 1017));
}

void BM_TreeRowsCollapseAll(benchmark::State& state)
{
    auto grid = MakeTreeGrid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AllRows(*grid, true);
        state.ResumeTiming();
        AllRows(*grid, false);
    }
}
BENCHMARK(BM_TreeRowsCollapseAll)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TreeRowsExpandAll(benchmark::State& state)
{
    auto grid = MakeTreeGrid(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        AllRows(*grid, false);
        state.ResumeTiming();
        AllRows(*grid, true);
    }
}
BENCHMARK(BM_TreeRowsExpandAll)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_QTreeViewExpandAll(benchmark::State& state)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    QStandardItemModel model;
    std::vector<QStandardItem*> parents(10, nullptr);
    for (int r = 1; r <= rows; ++r) {
        const int level = LevelOf(r);
        auto* item = new QStandardItem(QString::number(r));
        if (level == 0)
            model.appendRow(item);
        else
            parents[level - 1]->appendRow(item);
        parents[level] = item;
    }
    QTreeView view;
    view.setModel(&model);
    view.resize(kWidth, kHeight);
    view.show();
    QApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        view.collapseAll();
        QApplication::processEvents();
        state.ResumeTiming();
        view.expandAll();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_QTreeViewExpandAll)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
