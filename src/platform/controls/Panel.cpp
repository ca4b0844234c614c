#include "platform/controls/Panel.h"

#include "platform/canvas/Canvas.h"

TPanel::TPanel(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 185, 41);
}

void TPanel::Changed()
{
    Realign();
    Invalidate();
}

void TPanel::SetBevelOuter(TBevelCut v)
{
    if (Exchange(bevelOuter_, v))
        Changed();
}

void TPanel::SetBevelInner(TBevelCut v)
{
    if (Exchange(bevelInner_, v))
        Changed();
}

void TPanel::SetBevelWidth(int v)
{
    if (v < 1)
        throw EInvalidOperation(QStringLiteral("BevelWidth must be at least 1, not %1").arg(v));
    if (Exchange(bevelWidth_, v))
        Changed();
}

void TPanel::SetBorderWidth(int v)
{
    if (v < 0)
        throw EInvalidOperation(QStringLiteral("BorderWidth must not be negative, not %1").arg(v));
    if (Exchange(borderWidth_, v))
        Changed();
}

void TPanel::SetBorderStyle(TFormBorderStyle v)
{
    if (v != bsNone && v != bsSingle)
        throw EInvalidOperation("A panel's BorderStyle is bsNone or bsSingle");
    if (Exchange(borderStyle_, v))
        Changed();
}

void TPanel::SetAlignment(TAlignment v)
{
    if (Exchange(alignment_, v))
        Invalidate();
}

TRect TPanel::AlignRect() const
{
    TRect r = ClientRect();
    int inset = borderWidth_ + (borderStyle_ == bsSingle ? 1 : 0);
    if (bevelOuter_ != bvNone)
        inset += bevelWidth_;
    if (bevelInner_ != bvNone)
        inset += bevelWidth_;
    InflateRect(r, -inset, -inset);
    if (r.Right < r.Left)
        r.Right = r.Left;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top;
    return r;
}

void TPanel::AlignControls(TRect& rect)
{
    rect = AlignRect();
    TCustomControl::AlignControls(rect);
}

namespace {

// Bevel rings of the given width, shrinking r past them.
void Frame3D(TCanvas& c, TRect& r, TColor topColor, TColor bottomColor, int width)
{
    c.Pen().SetWidth(1);
    c.Pen().SetStyle(psSolid);
    --r.Bottom;
    --r.Right;
    for (int i = 0; i < width; ++i) {
        c.Pen().SetColor(topColor);
        c.Polyline({{r.Left, r.Bottom}, {r.Left, r.Top}, {r.Right, r.Top}});
        c.Pen().SetColor(bottomColor);
        c.Polyline({{r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left - 1, r.Bottom}});
        InflateRect(r, -1, -1);
    }
    ++r.Bottom;
    ++r.Right;
}

void BevelColors(TBevelCut cut, TColor face, TColor& top, TColor& bottom)
{
    switch (cut) {
    case bvLowered: top = clBtnShadow; bottom = clBtnHighlight; break;
    case bvRaised: top = clBtnHighlight; bottom = clBtnShadow; break;
    default: top = bottom = face; break;
    }
}

} // namespace

void TPanel::Paint(TCanvas& canvas)
{
    TRect r = ClientRect();
    TColor top, bottom;
    if (borderStyle_ == bsSingle)
        Frame3D(canvas, r, clWindowFrame, clWindowFrame, 1);
    if (bevelOuter_ != bvNone) {
        BevelColors(bevelOuter_, Color(), top, bottom);
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    }
    Frame3D(canvas, r, Color(), Color(), borderWidth_);
    if (bevelInner_ != bvNone) {
        BevelColors(bevelInner_, Color(), top, bottom);
        Frame3D(canvas, r, top, bottom, bevelWidth_);
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    PaintCaption(canvas, r, DT_VCENTER | DT_SINGLELINE);
}

void TPanel::PaintCaption(TCanvas& canvas, TRect area, unsigned extraFormat) const
{
    if (Caption().isEmpty())
        return;
    canvas.Brush().SetStyle(bsClear);
    const int fontHeight = canvas.TextHeight(QStringLiteral("W"));
    area.Top = (area.Top + area.Bottom - fontHeight) / 2;
    area.Bottom = area.Top + fontHeight;
    static constexpr unsigned kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
    canvas.DrawText(Caption(), area, DT_EXPANDTABS | extraFormat | kAlign[alignment_]);
}
