// Repainting the grid in a 798 x 550 picture, 20 columns, text in every cell
// through OnDrawCell, against Qt's table view showing the same strings.

#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <memory>

#include "grid/drawgrid/TavikCustomDrawGrid.h"
#include "platform/canvas/Canvas.h"

#include "BenchSupport.h"

namespace {

constexpr int kWidth = 798;
constexpr int kHeight = 550;
constexpr int kCols = 20;

std::unique_ptr<TTavikCustomDrawGrid> MakeGrid(int rows)
{
    EnsureApplication();
    auto grid = std::make_unique<TTavikCustomDrawGrid>(nullptr);
    grid->SetBounds(0, 0, kWidth, kHeight);
    grid->SetColCount(kCols);
    grid->SetRowCount(rows);
    grid->OnDrawCell = TGridDrawCellEvent([](TObject*, TCanvas& canvas, int col, int row, const TRect& rect,
                                             TGridDrawState, bool& handled) {
        // The background step has filled the cell already.
        canvas.Brush().SetStyle(bsClear);
        canvas.TextRect(rect, rect.Left + 2, rect.Top + 2, BenchCellText(col, row));
        handled = true;
    });
    grid->Update();
    return grid;
}

void BM_GridPaintFull(benchmark::State& state)
{
    auto grid = MakeGrid(static_cast<int>(state.range(0)));
    grid->SetTopLeft(1, static_cast<int>(state.range(0)) / 2);
    grid->Update();
    for (auto _ : state) {
        grid->Invalidate();
        grid->Update();
    }
}
BENCHMARK(BM_GridPaintFull)->Arg(1000)->Arg(1000000);

// One row down: the picture moves and only the uncovered strip is painted.
void BM_GridScrollRow(benchmark::State& state)
{
    const int rows = static_cast<int>(state.range(0));
    auto grid = MakeGrid(rows);
    int top = 1;
    for (auto _ : state) {
        if (top > rows - 100) {
            state.PauseTiming();
            top = 1;
            grid->SetTopLeft(1, top);
            grid->Update();
            state.ResumeTiming();
        }
        grid->SetTopLeft(1, ++top);
        grid->Update();
    }
}
BENCHMARK(BM_GridScrollRow)->Arg(1000000);

class TextModel : public QAbstractTableModel {
public:
    explicit TextModel(int rows) : rows_(rows) {}
    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : kCols; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return BenchCellText(index.column(), index.row());
    }

private:
    int rows_;
};

void BM_QTableViewPaintFull(benchmark::State& state)
{
    EnsureApplication();
    const int rows = static_cast<int>(state.range(0));
    TextModel model(rows);
    QTableView view;
    view.setModel(&model);
    view.horizontalHeader()->setDefaultSectionSize(72);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(19);
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.resize(kWidth, kHeight);
    view.show();
    QApplication::processEvents();
    view.scrollTo(model.index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
        view.render(&image);
}
BENCHMARK(BM_QTableViewPaintFull)->Arg(1000000);

} // namespace
