#pragma once

// The classic look of push buttons and arrow buttons, drawn on a canvas: a
// raised edge with a filled middle, sunken and flat when pressed.

#include "platform/canvas/Canvas.h"

enum TArrowDirection : uint8_t { adUp, adDown, adLeft, adRight };

// Fills r with the button face and draws its edge; answers the face inside the edge.
TRect DrawButtonFace(TCanvas& canvas, const TRect& r, bool pressed);
// A solid triangle pointing in the direction, centred in r (grey when disabled).
void DrawArrow(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool enabled, int size = 0);
