#include "orgchart/OrgChartExport.h"

#include "orgchart/OrgChart.h"
#include "platform/canvas/Canvas.h"
#include "platform/canvas/pictures/PngStripWriter.h"

TChartPictureSize ChartPictureSize(TCustomOrgChart& chart, int scale)
{
    return {int64_t(chart.FullWidth()) * scale, int64_t(chart.FullHeight()) * scale};
}

namespace {

void RequireNodes(TCustomOrgChart& chart)
{
    if (chart.Tree().Count() == 0 || chart.FullWidth() < 1 || chart.FullHeight() < 1)
        throw EFileError(QStringLiteral("the chart has no nodes to export"));
}

} // namespace

bool ExportChartPng(TCustomOrgChart& chart, const QString& path, int scale, const TProgressHook& progress,
                    int stripHeight)
{
    if (scale < 1 || scale > TCanvas::kMaxScale)
        throw EFileError(QStringLiteral("a picture's scale is 1 to %1, not %2").arg(TCanvas::kMaxScale).arg(scale));
    RequireNodes(chart);
    const int width = chart.FullWidth(), height = chart.FullHeight();
    const TChartPictureSize size = ChartPictureSize(chart, scale);
    if (size.width > kMaxChartPictureSide || size.height > kMaxChartPictureSide)
        throw EFileError(QStringLiteral("the chart is %1 x %2 pixels at scale %3, larger than a picture's %4 on a "
                                        "side; export it as PDF or SVG, which have no such limit")
                             .arg(size.width)
                             .arg(size.height)
                             .arg(scale)
                             .arg(kMaxChartPictureSide));
    return SavePngInStrips(
        path, width, height, scale, [&chart](TCanvas& canvas) { chart.PaintWhole(canvas); }, progress, stripHeight);
}

bool ExportChartVector(TCustomOrgChart& chart, const QString& path, TVectorFormat format,
                       const TProgressHook& progress)
{
    RequireNodes(chart);
    return SaveVectorPicture(path, format, chart.FullWidth(), chart.FullHeight(), chart.Name(),
                             [&](TCanvas& canvas) { return chart.PaintWhole(canvas, progress); });
}

int PrintChart(TCustomOrgChart& chart, TDrawingPrinter& printer, const TPrintScaling& scaling,
               const TProgressHook& progress)
{
    RequireNodes(chart);
    if (!progress)
        return printer.Print(chart.FullWidth(), chart.FullHeight(), scaling, chart.Name(),
                             [&chart](TCanvas& canvas) { chart.PaintWhole(canvas); });
    // A page of a large chart (the whole chart, fitted) takes long: its painting
    // asks too whether to go on, and a stop there ends the run at the next report.
    int64_t page = 0, pages = 1;
    bool stopped = false;
    const TProgressHook pageProgress = [&](int64_t done, int64_t total) {
        page = done;
        pages = total;
        return !stopped && progress(done, total);
    };
    return printer.Print(
        chart.FullWidth(), chart.FullHeight(), scaling, chart.Name(),
        [&](TCanvas& canvas) {
            stopped = !chart.PaintWhole(canvas, [&](int64_t done, int64_t total) {
                return done >= total || progress(page, pages);
            });
        },
        pageProgress);
}
