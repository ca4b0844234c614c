#pragma once

// The banded two-colour fill of the flat page control's strip, tabs and pages:
// the rectangle is cut into equal bands, each one solid colour.

#include "platform/canvas/Color.h"
#include "platform/base/Types.h"

class TCanvas;

// bands <= 0 counts as 1. Vertical bands stack top to bottom, horizontal ones
// left to right; colours may be system colours.
void FillBandGradient(TCanvas& canvas, const TRect& rect, TColor from, TColor to, int bands, bool horizontal);
