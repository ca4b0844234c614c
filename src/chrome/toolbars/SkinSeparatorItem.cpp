#include "chrome/toolbars/SkinSeparatorItem.h"

#include "chrome/themes/SkinNexus.h"
#include "chrome/themes/SkinTheme.h"
#include "chrome/toolbars/SkinToolbar.h"

TSkinSeparatorItem::TSkinSeparatorItem(TComponent* owner) : TSkinToolbarItem(owner) {}

void TSkinSeparatorItem::SetSize(int v)
{
    if (v < -1)
        v = -1;
    if (Exchange(size_, v))
        SizeChanged();
}

SkinToolbarLayout::Item TSkinSeparatorItem::LayoutItem() const
{
    SkinToolbarLayout::Item item;
    item.visible = Visible();
    item.separator = true;
    item.separatorSize = size_;
    return item;
}

void TSkinSeparatorItem::Paint(TCanvas& canvas)
{
    const TSkinToolbar* bar = Toolbar();
    CurrentSkinTheme().PaintSeparator(canvas, ClientRect(), !bar || bar->Horizontal());
}
