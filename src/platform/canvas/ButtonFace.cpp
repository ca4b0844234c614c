#include "platform/canvas/ButtonFace.h"

#include <algorithm>

TRect DrawButtonFace(TCanvas& canvas, const TRect& r, bool pressed)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(r);
    if (r.Width() < 2 || r.Height() < 2)
        return r;
    auto line = [&](int x1, int y1, int x2, int y2, TColor c) {
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetMode(pmCopy);
        canvas.Pen().SetColor(c);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    if (pressed) {
        // Flat: one shadow line around.
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FrameRect(r);
        return {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    const int l = r.Left, t = r.Top, rr = r.Right - 1, b = r.Bottom - 1;
    line(l, b, l, t, clBtnFace);
    line(l, t, rr, t, clBtnFace);
    line(rr, t, rr, b, cl3DDkShadow);
    line(rr, b, l - 1, b, cl3DDkShadow);
    if (r.Width() > 3 && r.Height() > 3) {
        line(l + 1, b - 1, l + 1, t + 1, clBtnHighlight);
        line(l + 1, t + 1, rr - 1, t + 1, clBtnHighlight);
        line(rr - 1, t + 1, rr - 1, b - 1, clBtnShadow);
        line(rr - 1, b - 1, l, b - 1, clBtnShadow);
        return {l + 2, t + 2, rr - 1, b - 1};
    }
    return {l + 1, t + 1, rr, b};
}

void DrawArrow(TCanvas& canvas, const TRect& r, TArrowDirection d, bool enabled, int size)
{
    if (size <= 0)
        size = std::max(2, std::min(r.Width(), r.Height()) / 4);
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    auto draw = [&](int dx, int dy, TColor color) {
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetMode(pmCopy);
        canvas.Pen().SetColor(color);
        for (int i = 0; i < size; ++i) {
            switch (d) {
            case adDown:
                canvas.MoveTo(cx - (size - 1) + i + dx, cy - size / 2 + i + dy);
                canvas.LineTo(cx + size - i + dx, cy - size / 2 + i + dy);
                break;
            case adUp:
                canvas.MoveTo(cx - i + dx, cy - size / 2 + i + dy);
                canvas.LineTo(cx + i + 1 + dx, cy - size / 2 + i + dy);
                break;
            case adRight:
                canvas.MoveTo(cx - size / 2 + i + dx, cy - (size - 1) + i + dy);
                canvas.LineTo(cx - size / 2 + i + dx, cy + size - i + dy);
                break;
            case adLeft:
                canvas.MoveTo(cx - size / 2 + i + dx, cy - i + dy);
                canvas.LineTo(cx - size / 2 + i + dx, cy + i + 1 + dy);
                break;
            }
        }
    };
    if (!enabled) {
        draw(1, 1, clBtnHighlight);
        draw(0, 0, clBtnShadow);
    } else {
        draw(0, 0, clBtnText);
    }
}
