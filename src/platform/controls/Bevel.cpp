#include "platform/controls/Bevel.h"

#include "platform/canvas/Canvas.h"

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v)
{
    if (Exchange(shape_, v))
        Invalidate();
}

void TBevel::SetStyle(TBevelStyle v)
{
    if (Exchange(style_, v))
        Invalidate();
}

namespace {

void Line(TCanvas& c, TColor color, int x1, int y1, int x2, int y2)
{
    c.Pen().SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

// Top and left edges in one colour, bottom and right in the other; polylines
// leave out their last pixel, so the two halves meet without overlap.
void BevelRect(TCanvas& c, const TRect& r, TColor topLeft, TColor bottomRight)
{
    c.Pen().SetColor(topLeft);
    c.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
    c.Pen().SetColor(bottomRight);
    c.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}});
}

} // namespace

void TBevel::Paint(TCanvas& canvas)
{
    // Lowered: the shadow line first with the highlight just below or right of it.
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    switch (shape_) {
    case bsBox:
        BevelRect(canvas, {0, 0, w - 1, h - 1}, first, second);
        break;
    case bsFrame:
        BevelRect(canvas, {1, 1, w - 1, h - 1}, second, second);
        BevelRect(canvas, {0, 0, w - 2, h - 2}, first, first);
        break;
    case bsTopLine:
        Line(canvas, first, 0, 0, w, 0);
        Line(canvas, second, 0, 1, w, 1);
        break;
    case bsBottomLine:
        Line(canvas, first, 0, h - 2, w, h - 2);
        Line(canvas, second, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        Line(canvas, first, 0, 0, 0, h);
        Line(canvas, second, 1, 0, 1, h);
        break;
    case bsRightLine:
        Line(canvas, first, w - 2, 0, w - 2, h);
        Line(canvas, second, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        break;
    }
}
