#pragma once

// Colour arithmetic and the small figures the toolbar themes are drawn with.

#include "platform/canvas/Canvas.h"

namespace SkinDrawing {

// Per channel (c1 × w + c2 × (100 − w) + 50) div 100; system colours resolved first.
TColor Blend(TColor c1, TColor c2, int w);
// Weighted brightness (0 .. 255) as the eye sees it.
int Brightness(TColor c);
// c when its brightness differs from the background's by at least threshold;
// otherwise c moved towards black or white (keeping its side of the background
// where there is room) until it does, or as far as it can.
TColor Contrast(TColor c, TColor background, int threshold);

// Row r of a rectangle h rows high, from top at row 0 to bottom at row h − 1:
// bottom + (top − bottom) × (h − 1 − r) div (h − 1), per channel.
TColor GradientRow(TColor top, TColor bottom, int r, int h);
// The gradient above down the rectangle, or across it when vertical is false.
void FillGradient(TCanvas& canvas, const TRect& r, TColor first, TColor last, bool vertical = true);
// The outline through (L + a, T), (R − b, T), (R, T + b), (R, B − b), (R − b, B),
// (L + a, B), (L, B − a), (L, T + a), with R and B the last column and row.
void ChamferedFrame(TCanvas& canvas, const TRect& r, int a, int b, TColor color);
// r shrunk by d on every side.
TRect Inset(const TRect& r, int d);

} // namespace SkinDrawing
