#include "grid/TavikCustomGrid.h"

void TTavikCustomGrid::DrawCellBackground(int, int, TGridDrawState, const TRect&) {}

void TTavikCustomGrid::DrawCellDecoration(int, int, TGridDrawState, const TRect&) {}
