#include "grid/viewgrid/CheckCell.h"

#include <algorithm>

#include "platform/canvas/Canvas.h"

TCheckCellState CheckCellState(const QString& text, bool allowGrayed)
{
    if (text.startsWith(u'T', Qt::CaseInsensitive))
        return ccsChecked;
    if (text.startsWith(u'F', Qt::CaseInsensitive))
        return ccsUnchecked;
    return allowGrayed ? ccsGrayed : ccsNoBox;
}

QString ToggledCheckValue(const QString& text)
{
    return text.startsWith(u'T', Qt::CaseInsensitive) ? QStringLiteral("F") : QStringLiteral("T");
}

TRect CheckBoxRect(const TRect& rect)
{
    const int a = std::min(rect.Bottom - rect.Top + 1, 13);
    const int left = std::max(rect.Left, (rect.Left + rect.Right - a) / 2 + 1);
    const int top = (rect.Top + rect.Bottom - a) / 2 + 1;
    return {left, top, left + a, top + a};
}

TRect CheckBoxHitBox(const TRect& rect)
{
    const int w = std::min(rect.Right - rect.Left + 1, 13);
    const int h = std::min(rect.Bottom - rect.Top + 1, 13);
    const int left = std::max(rect.Left, (rect.Left + rect.Right - w) / 2);
    const int top = (rect.Top + rect.Bottom - h) / 2;
    return {left - 4, top - 2, left + w + 4, top + h + 2};
}

void DrawCheckCell(TCanvas& canvas, const TRect& box, TCheckCellState state)
{
    if (state == ccsNoBox || box.Right - box.Left < 1 || box.Bottom - box.Top < 1)
        return;
    const int l = box.Left;
    const int t = box.Top;
    const int r = box.Right - 1;
    const int b = box.Bottom - 1;
    TBrush& brush = canvas.Brush();
    brush.SetStyle(bsSolid);
    brush.SetColor(state == ccsGrayed ? clBtnFace : clWindow);
    canvas.FillRect(box);
    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetMode(pmCopy);
    pen.SetWidth(1);
    // Two sunken edges: shadow over dark shadow at the top left, highlight
    // over face at the bottom right.
    auto edge = [&](int inset, TColor topLeft, TColor bottomRight) {
        pen.SetColor(topLeft);
        canvas.MoveTo(l + inset, b - inset);
        canvas.LineTo(l + inset, t + inset);
        canvas.LineTo(r - inset + 1, t + inset);
        pen.SetColor(bottomRight);
        canvas.MoveTo(l + inset, b - inset);
        canvas.LineTo(r - inset, b - inset);
        canvas.LineTo(r - inset, t + inset - 1);
    };
    edge(0, clBtnShadow, clBtnHighlight);
    edge(1, cl3DDkShadow, clBtnFace);
    if (state == ccsUnchecked)
        return;
    pen.SetColor(state == ccsChecked ? clWindowText : clBtnShadow);
    // Scaled down boxes keep the mark inside the box.
    canvas.SaveState();
    canvas.IntersectClipRect({l + 2, t + 2, r - 1, b - 1});
    const int dx = l + (box.Right - box.Left - 13) / 2;
    const int dy = t + (box.Bottom - box.Top - 13) / 2;
    for (int i = 0; i < 3; ++i) {
        const TPoint mark[] = {{dx + 3, dy + 5 + i}, {dx + 5, dy + 7 + i}, {dx + 10, dy + 2 + i}};
        canvas.Polyline(mark, 3);
    }
    canvas.RestoreState();
}
