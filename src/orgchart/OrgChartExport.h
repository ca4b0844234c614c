#pragma once

// The whole organisation chart as a file: a PNG picture at scale 1 or 2 (the
// canvas's high-DPI scale), painted in strips so that its size is bounded by
// the format, not by memory; or a PDF or SVG drawing, the same painting going
// through the canvas's vector back end.

#include <QString>

#include "platform/controls/dialogs/DrawingPrinter.h"
#include "platform/base/SaveFile.h"
#include "platform/canvas/pictures/VectorPictureWriter.h"

class TCustomOrgChart;

// Most pixels a PNG of the chart may have on a side: the largest picture the
// platform's image viewers and the painter's 16-bit coordinates handle.
inline constexpr int kMaxChartPictureSide = 32767;

// The picture's size in pixels at scale (logical size times scale).
struct TChartPictureSize {
    int64_t width = 0;
    int64_t height = 0;
};
TChartPictureSize ChartPictureSize(TCustomOrgChart& chart, int scale);

// Writes the chart to path as PNG through a temporary file. Returns false when
// progress cancelled (nothing is left behind). Throws EFileError when the
// file cannot be written, the scale is not 1 to TCanvas::kMaxScale, the chart
// is empty, or the picture would exceed kMaxChartPictureSide on a side (the
// message then suggests PDF or SVG).
bool ExportChartPng(TCustomOrgChart& chart, const QString& path, int scale, const TProgressHook& progress = {},
                    int stripHeight = 256);

// Writes the chart to path as a PDF page or an SVG document of the whole
// chart's size, boxes, connectors and texts as shapes and text. progress
// hears how far the painting is (pixels along the chart) every few hundred
// nodes; returns false when it cancelled (nothing is left behind). Throws
// EFileError when the file cannot be written or the chart is empty.
bool ExportChartVector(TCustomOrgChart& chart, const QString& path, TVectorFormat format,
                       const TProgressHook& progress = {});

// Prints the whole chart, fitted to a page or at a scale over several pages;
// returns the pages printed, 0 when progress cancelled. Throws EFileError
// when the chart is empty or printing fails.
int PrintChart(TCustomOrgChart& chart, TDrawingPrinter& printer, const TPrintScaling& scaling,
               const TProgressHook& progress = {});
