#include "chrome/themes/SkinTheme.h"

#include "chrome/checkboxes/SkinPanelObject.h"
#include "platform/framework/actions/ImageList.h"

int SkinStateIndex(const TSkinItemState& s)
{
    if (!s.enabled)
        return s.hot ? 5 : 1;
    if (s.pushed)
        return 3;
    if (s.checked)
        return s.hot ? 6 : 2;
    return s.hot ? 4 : 0;
}

void TSkinTheme::PaintCaption(TCanvas& canvas, const TRect& r, const QString& text, const TSkinItemState& s,
                              TColor fontColor) const
{
    TColor color = fontColor;
    if (color == clNone || color == clDefault)
        color = ItemColors(SkinStateIndex(s)).text;
    if (color == clNone)
        return;
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(color);
    TRect box = r;
    canvas.DrawText(text, box, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
}

void TSkinTheme::PaintImage(TCanvas& canvas, const TImageList& images, int index, int x, int y,
                            const TSkinItemState& s) const
{
    images.Draw(canvas, x, y, index, s.enabled);
}

void TSkinTheme::PaintFrameControl(TCanvas& canvas, const TRect& r, int kind, unsigned flags) const
{
    TSkinPanelObject::PaintClassicFrame(canvas, r, kind, flags);
}
