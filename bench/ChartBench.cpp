// The organisation chart on generated trees (random fan-out 1 to 8, every node
// open): a full layout (also after an edit) against a plain walk, painting the
// visible window of a chart scrolled to its middle, and the Items stream.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <memory>
#include <random>
#include <vector>

#include "orgchart/model/OcItemStream.h"
#include "orgchart/model/OcLayout.h"
#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"

#include "BenchSupport.h"
#include "ChartBenchTree.h"

namespace {

const TRect kEverything{-(1 << 30), -(1 << 30), 1 << 30, 1 << 30};

void BM_ChartLayout(benchmark::State& state)
{
    TOcTree tree;
    Generate(tree, static_cast<int>(state.range(0)));
    const TOcMetrics metrics;
    for (auto _ : state) {
        tree.DropAllSizes(skBoth);
        TOcLayout layout(tree, metrics);
        layout.Pass(kEverything, false, nullptr);
        benchmark::DoNotOptimize(tree.FirstNode()->animX);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartLayout)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The same with one node's width changed before each layout: the flat copy of
// the tree that the layout keeps between layouts is made again every time.
void BM_ChartLayoutEdited(benchmark::State& state)
{
    TOcTree tree;
    Generate(tree, static_cast<int>(state.range(0)));
    TOcNode* edited = tree.FirstNode();
    while (edited->HasChildren() && edited->Level() < 4)
        edited = edited->GetLastChild();
    const TOcMetrics metrics;
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        edited->SetWidth(wide ? 100 : 0);
        tree.DropAllSizes(skBoth);
        TOcLayout layout(tree, metrics);
        layout.Pass(kEverything, false, nullptr);
        benchmark::DoNotOptimize(tree.FirstNode()->animX);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartLayoutEdited)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_ChartWalk(benchmark::State& state)
{
    TOcTree tree;
    Generate(tree, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        int64_t sum = 0;
        std::vector<TOcNode*> stack{tree.Root()};
        while (!stack.empty()) {
            TOcNode* n = stack.back();
            stack.pop_back();
            sum += n->Width() + n->Height();
            for (auto it = n->Children().rbegin(); it != n->Children().rend(); ++it)
                stack.push_back(*it);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ChartWalk)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

class PaintChart : public TOrgChart {
public:
    PaintChart() : TOrgChart(nullptr) {}
    using TCustomOrgChart::Paint;
};

void BM_ChartPaint(benchmark::State& state)
{
    EnsureApplication();
    PaintChart chart;
    chart.SetBounds(0, 0, 796, 455);
    Generate(chart.Tree(), static_cast<int>(state.range(0)));
    for (TOcNode* n = chart.Tree().FirstNode(); n; n = n->GetNext())
        n->SetText(QStringLiteral("部门"));
    chart.ScrollTo((chart.FullWidth() - 796) / 2, (chart.FullHeight() - 455) / 2);
    QImage image(796, 455, QImage::Format_RGB32);
    for (auto _ : state) {
        TCanvas canvas(image);
        chart.Paint(canvas);
    }
}
BENCHMARK(BM_ChartPaint)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_ItemsRead(benchmark::State& state)
{
    TOcTree source;
    Generate(source, static_cast<int>(state.range(0)));
    for (TOcNode* n = source.FirstNode(); n; n = n->GetNext())
        n->SetText(QStringLiteral("部门"));
    const std::vector<uint8_t> bytes = TOcItemStream::Write(source);
    TOcTree tree;
    for (auto _ : state)
        TOcItemStream::Read(tree, bytes, "bench");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ItemsRead)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ItemsWrite(benchmark::State& state)
{
    TOcTree tree;
    Generate(tree, static_cast<int>(state.range(0)));
    for (TOcNode* n = tree.FirstNode(); n; n = n->GetNext())
        n->SetText(QStringLiteral("部门"));
    for (auto _ : state)
        benchmark::DoNotOptimize(TOcItemStream::Write(tree));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ItemsWrite)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
