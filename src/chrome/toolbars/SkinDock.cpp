#include "chrome/toolbars/SkinDock.h"

#include <algorithm>

#include "chrome/themes/SkinTheme.h"
#include "chrome/toolbars/SkinToolbar.h"

TSkinDock::TSkinDock(TComponent* owner) : TCustomControl(owner)
{
    SetParentColor(false);
    SetColor(clNone);
    SetBounds(0, 0, 150, 26);
    SetAlign(alTop);
    TSkinNexus::Instance().AddClient(this);
}

TSkinDock::~TSkinDock()
{
    MarkDestroying();
    TSkinNexus::Instance().RemoveClient(this);
}

void TSkinDock::SetPosition(TSkinDockPosition v)
{
    if (!Exchange(position_, v))
        return;
    static constexpr TAlign aligns[] = {alTop, alBottom, alLeft, alRight};
    SetAlign(aligns[position_]);
    ArrangeToolbars();
    Invalidate();
}

void TSkinDock::SetUseParentBackground(bool v)
{
    if (Exchange(useParentBackground_, v))
        Invalidate();
}

void TSkinDock::ArrangeToolbars()
{
    if (arranging_ || IsLoading() || IsDestroying())
        return;
    arranging_ = true;
    std::vector<TSkinToolbar*> bars;
    for (TControl* c : ControlList())
        if (auto* bar = dynamic_cast<TSkinToolbar*>(c); bar && bar->Visible())
            bars.push_back(bar);
    std::stable_sort(bars.begin(), bars.end(), [](const TSkinToolbar* a, const TSkinToolbar* b) {
        return a->DockRow() != b->DockRow() ? a->DockRow() < b->DockRow() : a->DockPos() < b->DockPos();
    });
    int offset = 0; // across the rows
    for (TSkinToolbar* bar : bars) {
        const TSize size = bar->ContentSize();
        const int pos = std::max(0, bar->DockPos());
        if (Horizontal()) {
            const int width = bar->FullSize() ? ClientWidth() : size.cx;
            bar->SetBounds(bar->FullSize() ? 0 : pos, offset, width, size.cy);
            offset += size.cy;
        } else {
            const int height = bar->FullSize() ? ClientHeight() : size.cy;
            bar->SetBounds(offset, bar->FullSize() ? 0 : pos, size.cx, height);
            offset += size.cx;
        }
    }
    arranging_ = false;
}

void TSkinDock::SkinThemeChange(int code)
{
    if (code == skinThemeRepaint)
        Invalidate();
}

void TSkinDock::Paint(TCanvas& canvas)
{
    if (Color() != clNone) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(ClientRect());
        return;
    }
    CurrentSkinTheme().PaintDock(canvas, ClientRect());
}

void TSkinDock::AlignControls(TRect& rect)
{
    TCustomControl::AlignControls(rect);
    ArrangeToolbars();
}

void TSkinDock::Loaded()
{
    TCustomControl::Loaded();
    ArrangeToolbars();
}
