// The whole organisation chart as a PDF page and an SVG document, through the
// canvas's vector back end: time and file size for a generated chart (random
// fan-out 1 to 8, every node open, each with a short Chinese text).

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "orgchart/OrgChart.h"
#include "orgchart/OrgChartExport.h"

#include "BenchSupport.h"
#include "ChartBenchTree.h"

namespace {

void BM_ChartExportVector(benchmark::State& state)
{
    EnsureApplication();
    TOrgChart chart(nullptr);
    chart.SetBounds(0, 0, 796, 455);
    Generate(chart.Tree(), static_cast<int>(state.range(0)));
    int i = 0;
    for (TOcNode* n = chart.Tree().FirstNode(); n; n = n->GetNext())
        n->SetText(QStringLiteral("部门%1").arg(i++));
    const TVectorFormat format = state.range(1) ? TVectorFormat::Svg : TVectorFormat::Pdf;
    QTemporaryDir dir;
    const QString path = dir.filePath(format == TVectorFormat::Svg ? QStringLiteral("c.svg") : QStringLiteral("c.pdf"));
    for (auto _ : state)
        ExportChartVector(chart, path, format);
    state.counters["MB"] = QFileInfo(path).size() / 1e6;
    state.counters["width_px"] = chart.FullWidth();
    state.SetLabel(format == TVectorFormat::Svg ? "SVG" : "PDF");
}
BENCHMARK(BM_ChartExportVector)
    ->Args({1000, 0})
    ->Args({1000, 1})
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
