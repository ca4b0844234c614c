#pragma once

// Boolean cells: the state a text stands for, where the box sits in a cell,
// where a press hits it, and how the box is drawn.

#include <cstdint>

#include <QString>

#include "platform/base/Types.h"

class TCanvas;

enum TCheckCellState : uint8_t { ccsNoBox, ccsUnchecked, ccsChecked, ccsGrayed };

// "T…"/"t…" checked, "F…"/"f…" unchecked, anything else grayed where allowed.
TCheckCellState CheckCellState(const QString& text, bool allowGrayed);
// The value a toggle writes: "F" for a checked text, "T" for any other.
QString ToggledCheckValue(const QString& text);

// The box of side min(height + 1, 13), centred in rect.
TRect CheckBoxRect(const TRect& rect);
// The area a press must hit to toggle the box of a cell rectangle.
TRect CheckBoxHitBox(const TRect& rect);

// The classic sunken box with its check mark; grayed draws a gray mark on the
// button face.
void DrawCheckCell(TCanvas& canvas, const TRect& box, TCheckCellState state);
