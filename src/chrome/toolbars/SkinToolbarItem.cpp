#include "chrome/toolbars/SkinToolbarItem.h"

#include "chrome/toolbars/SkinToolbar.h"

TSkinToolbarItem::TSkinToolbarItem(TComponent* owner) : TGraphicControl(owner) {}

TSkinToolbarItem::~TSkinToolbarItem()
{
    MarkDestroying();
    SetParent(nullptr);
}

TSkinToolbar* TSkinToolbarItem::Toolbar() const
{
    return dynamic_cast<TSkinToolbar*>(Parent());
}

void TSkinToolbarItem::SetParent(TWinControl* parent)
{
    TSkinToolbar* old = Toolbar();
    TGraphicControl::SetParent(parent);
    if (old && old != Toolbar())
        old->ItemsChanged();
    SizeChanged();
}

void TSkinToolbarItem::SizeChanged()
{
    if (TSkinToolbar* bar = Toolbar())
        bar->ItemsChanged();
}

void TSkinToolbarItem::VisibleChanged()
{
    TGraphicControl::VisibleChanged();
    SizeChanged();
}
