#pragma once

// The gallery's organisation charts: every shape, image alignment and child
// alignment on one chart, the same tree rotated, and a large tree zoomed to fit.

#include "platform/framework/Form.h"

class TOrgChart;

enum class TGalleryChartKind { Shapes, Rotated, Zoomed };

TOrgChart* MakeGalleryChart(TCustomForm* form, const TRect& bounds, TGalleryChartKind kind);
