#include "grid/viewgrid/HintBox.h"

#include "platform/canvas/Canvas.h"
#include "platform/framework/Mouse.h"
#include "platform/framework/window/PopupWindow.h"

TCustomHintBox::TCustomHintBox(TComponent* owner) : TCustomControl(owner)
{
    SetColor(clInfoBk);
    SetVisible(false);
    SetTabStop(false);
    PopupWindow::PrepareHint(this, false);
}

void TCustomHintBox::SetVisible(bool visible)
{
    TCustomControl::SetVisible(visible);
    if (visible)
        PopupWindow::ShowAt(this, BoundsRect());
    else
        PopupWindow::Hide(this);
}

void TCustomHintBox::SetHintText(const QString& text)
{
    TCanvas measure;
    measure.Font().Assign(&Font());
    SetText(text);
    SetBounds(Left(), Top(), measure.TextWidth(text) + 10, measure.TextHeight(QStringLiteral("Tg")) + 6);
    Invalidate();
}

void TCustomHintBox::ShowAt(TPoint p)
{
    if (!(p == lastPoint_)) {
        const TPoint cursor = GetCursorPos();
        if (cursor == lastCursor_)
            return;
        if (Visible())
            SetVisible(false);
        SetBounds(p.X, p.Y, Width(), Height());
        lastPoint_ = p;
        lastCursor_ = cursor;
    }
    SetVisible(true);
}

void TCustomHintBox::Paint(TCanvas& canvas)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetMode(pmCopy);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(0x00808080);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(clInfoBk);
    canvas.Rectangle(0, 0, Width(), Height());
    canvas.Font().Assign(&Font());
    canvas.Brush().SetStyle(bsClear);
    canvas.IntersectClipRect({1, 1, Width() - 1, Height() - 1});
    canvas.TextOut(4, 2, Text());
}
