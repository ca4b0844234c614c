#include "chrome/themes/PlainTheme.h"

TPlainTheme::TPlainTheme(const QString& name) : TSkinTheme(name), palette_(PaletteFor(name)) {}

TPlainPalette TPlainTheme::PaletteFor(const QString& name)
{
    auto is = [&name](const char* n) { return name.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
    if (is("Glass"))
        return {0x00F5E8DC, 0x00FAF0E6, clNone,  0x00F7DCC0, 0x00C08040, 0x00E8C098,
                0x00A06020, 0x00F7E4D0, clBlack, 0x00A09080, 0x00D0B090};
    if (is("Silver"))
        return {0x00D8D8D8, 0x00E8E8E8, clNone,  0x00F8F8F8, 0x00808080, 0x00C8C8C8,
                0x00606060, 0x00DCDCDC, clBlack, 0x00A0A0A0, 0x00A8A8A8};
    if (is("Stripes"))
        return {0x00E8E8E8, 0x00F0F0F0, 0x00E4E4E4, 0x00D8EEFF, 0x00407FCC, 0x00B8DCFF,
                0x00305F99, 0x00E0F0FF, clBlack,    0x00A0A0A0, 0x00C0C0C0};
    if (is("Flat"))
        return {0x00FFFFFF, 0x00FFFFFF, clNone,  0x00F0E0D0, 0x00C08040, 0x00E0C0A0,
                0x00C08040, 0x00F0E0D0, clBlack, 0x00A0A0A0, 0x00D0D0D0};
    return {0x00F0F0F0, 0x00F0F0F0, clNone,  0x00FFF3E5, 0x00D79933, 0x00FFE5CC,
            0x00B37A29, 0x00FFEBD9, clBlack, 0x006D6D6D, 0x00C0C0C0};
}

TSkinStateColors TPlainTheme::ItemColors(int state) const
{
    const TPlainPalette& p = palette_;
    switch (state) {
    case 1: return {clNone, p.disabledText, clNone};
    case 2: return {p.checkedFill, p.text, p.hotFrame};
    case 3: return {p.pushedFill, p.text, p.pushedFrame};
    case 4: return {p.hotFill, p.text, p.hotFrame};
    case 5: return {clNone, p.disabledText, p.hotFrame};
    case 6: return {p.hotFill, p.text, p.pushedFrame};
    case 0:
    case 7: return {clNone, p.text, clNone};
    default: return {};
    }
}

void TPlainTheme::PaintDock(TCanvas& canvas, const TRect& r) const
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(palette_.dock);
    canvas.FillRect(r);
}

void TPlainTheme::PaintToolbarBackground(TCanvas& canvas, const TRect& r) const
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(palette_.background);
    canvas.FillRect(r);
    if (palette_.stripe == clNone)
        return;
    canvas.Brush().SetColor(palette_.stripe);
    for (int y = r.Top + 1; y < r.Bottom; y += 2)
        canvas.FillRect({r.Left, y, r.Right, y + 1});
}

void TPlainTheme::PaintButton(TCanvas& canvas, const TRect& r, const TSkinItemState& s) const
{
    const TSkinStateColors c = ItemColors(SkinStateIndex(s));
    canvas.Brush().SetStyle(bsSolid);
    if (c.fill != clNone) {
        canvas.Brush().SetColor(c.fill);
        canvas.FillRect(r);
    }
    if (c.frame != clNone) {
        canvas.Brush().SetColor(c.frame);
        canvas.FrameRect(r);
    }
}

void TPlainTheme::PaintSeparator(TCanvas& canvas, const TRect& r, bool horizontal) const
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(palette_.separator);
    if (horizontal) {
        const int x = r.Left + r.Width() / 2;
        canvas.FillRect({x, r.Top + 3, x + 1, r.Bottom - 3});
    } else {
        const int y = r.Top + r.Height() / 2;
        canvas.FillRect({r.Left + 3, y, r.Right - 3, y + 1});
    }
}
