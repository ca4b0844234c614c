#include "chrome/themes/DreamTheme.h"

#include "chrome/themes/SkinDrawing.h"
#include "chrome/checkboxes/SkinPanelObject.h"

using namespace SkinDrawing;
using namespace DreamColors;

TDreamTheme::TDreamTheme(const QString& name) : TSkinTheme(name)
{
    ComputeColors();
}

void TDreamTheme::ComputeColors()
{
    const TColor bg = ToolbarBottom;
    const TColor normalText = Contrast(clBtnText, bg, 180);
    const TColor f4 = Contrast(Blend(clHighlight, clWindow, 20), bg, 50);
    const TColor f6 = Contrast(Blend(clHighlight, clWindow, 50), bg, 30);
    const TColor highlight = static_cast<TColor>(ColorToRGB(clHighlight));
    colors_[0] = {clNone, normalText, clNone};
    colors_[1] = {clNone, Contrast(0x00C0C0C0, bg, 80), 0x00D0D0D0};
    colors_[2] = {Contrast(Blend(clHighlight, Blend(clBtnFace, clWindow, 50), 10), bg, 5), normalText, 0x00C0C0C0};
    colors_[3] = {Blend(clHighlight, clWindow, 30), 0x00000000, 0x000000FF};
    colors_[4] = {f4, Contrast(clMenuText, f4, 180), 0x00A0A0A0};
    colors_[5] = {f4, 0x00C0C0C0, highlight};
    colors_[6] = {f6, Contrast(clBlack, f6, 180), Contrast(clHighlight, f6, 100)};
    colors_[7] = {bg, normalText, 0x00A0A0A0};
}

TSkinStateColors TDreamTheme::ItemColors(int state) const
{
    if (state < 0 || state >= SkinStateCount)
        return {};
    return colors_[state];
}

void TDreamTheme::ThemeMessage(int code)
{
    if (code == 2)
        ComputeColors();
}

void TDreamTheme::PaintDock(TCanvas& canvas, const TRect& r) const
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(Dock);
    canvas.FillRect(r);
}

void TDreamTheme::PaintToolbarBackground(TCanvas& canvas, const TRect& r) const
{
    // A toolbar taller than wide stands on its side: the shading runs across.
    FillGradient(canvas, r, ToolbarTop, ToolbarBottom, r.Width() >= r.Height());
}

void TDreamTheme::PaintButton(TCanvas& canvas, const TRect& r, const TSkinItemState& s) const
{
    const int state = SkinStateIndex(s);
    const TRect inner = Inset(r, 1);
    switch (state) {
    case 4:
    case 5:
        ChamferedFrame(canvas, inner, 1, 1, HotOuter);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(HotFill);
        canvas.FillRect(Inset(r, 2));
        ChamferedFrame(canvas, r, 2, 2, colors_[state].frame);
        break;
    case 3:
        ChamferedFrame(canvas, inner, 1, 1, PushedInner);
        FillGradient(canvas, Inset(r, 2), PushedTop, PushedBottom);
        ChamferedFrame(canvas, r, 2, 2, PushedFrame);
        break;
    case 2:
    case 6: {
        const bool hot = state == 6;
        FillGradient(canvas, inner, hot ? CheckedHotTop : CheckedTop, hot ? CheckedHotBottom : CheckedBottom);
        ChamferedFrame(canvas, inner, 1, 1, CheckedInner);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(hot ? CheckedHotEdge : CheckedEdge);
        canvas.FillRect({r.Left + 2, r.Top + 2, r.Right - 2, r.Top + 3});
        canvas.FillRect({r.Left + 2, r.Top + 2, r.Left + 3, r.Bottom - 2});
        ChamferedFrame(canvas, r, 2, 2, CheckedFrame);
        break;
    }
    default:
        break; // the toolbar's background shows through
    }
}

void TDreamTheme::PaintSeparator(TCanvas& canvas, const TRect& r, bool horizontal) const
{
    canvas.Brush().SetStyle(bsSolid);
    if (horizontal) {
        const int x = r.Left + r.Width() / 2 - 1;
        canvas.Brush().SetColor(SeparatorDark);
        canvas.FillRect({x, r.Top + 2, x + 1, r.Bottom - 2});
        canvas.Brush().SetColor(SeparatorLight);
        canvas.FillRect({x + 1, r.Top + 2, x + 2, r.Bottom - 2});
    } else {
        const int y = r.Top + r.Height() / 2 - 1;
        canvas.Brush().SetColor(SeparatorDark);
        canvas.FillRect({r.Left + 2, y, r.Right - 2, y + 1});
        canvas.Brush().SetColor(SeparatorLight);
        canvas.FillRect({r.Left + 2, y + 1, r.Right - 2, y + 2});
    }
}

void TDreamTheme::PaintFrameControl(TCanvas& canvas, const TRect& r, int kind, unsigned flags) const
{
    const bool disabled = flags & skfDisabled;
    const bool hot = !disabled && (flags & skfHot);
    const bool pushed = !disabled && (flags & skfPushed);
    const TColor frame = disabled ? 0x00C0C0C0 : hot ? static_cast<TColor>(ColorToRGB(clHighlight)) : CheckedFrame;
    const TColor mark = disabled ? 0x00A0A0A0 : clBlack;
    const TRect in = Inset(r, 1);
    if (kind == skfRadioButton) {
        canvas.Pen().SetStyle(psSolid);
        canvas.Pen().SetWidth(1);
        canvas.Pen().SetMode(pmCopy);
        canvas.Pen().SetColor(frame);
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(disabled ? 0x00F0F0F0 : pushed ? PushedBottom : hot ? HotFill : clWhite);
        canvas.Ellipse(r);
        if (flags & skfChecked) {
            canvas.Pen().SetColor(mark);
            canvas.Brush().SetColor(mark);
            canvas.Ellipse(Inset(r, 4));
        }
        return;
    }
    if (disabled) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(0x00F0F0F0);
        canvas.FillRect(in);
    } else if (pushed) {
        FillGradient(canvas, in, PushedBottom, PushedTop);
    } else if (hot) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(HotFill);
        canvas.FillRect(in);
    } else {
        FillGradient(canvas, in, ToolbarTop, ToolbarBottom);
    }
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(frame);
    canvas.FrameRect(r);
    canvas.Brush().SetColor(mark);
    if (flags & skfMixed) {
        canvas.FillRect(Inset(r, 3));
    } else if (flags & skfChecked) {
        // A tick three pixels thick: down-right from the left, then up to the right.
        const int x = r.Left + 3, y = r.Top + 5;
        for (int i = 0; i < 7; ++i) {
            const int dy = i < 3 ? i : 4 - i;
            canvas.FillRect({x + i, y + dy, x + i + 1, y + dy + 3});
        }
    }
}
