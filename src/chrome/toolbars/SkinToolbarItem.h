#pragma once

// What the buttons and separators of a skinned toolbar share: they are small
// controls the toolbar places and the current theme paints.

#include "chrome/toolbars/SkinToolbarLayout.h"
#include "platform/framework/WinControl.h"

class TSkinToolbar;

class TSkinToolbarItem : public TGraphicControl {
public:
    explicit TSkinToolbarItem(TComponent* owner);
    ~TSkinToolbarItem() override;
    static constexpr const char* StaticClassName() { return "TSkinToolbarItem"; }
    const char* ClassName() const override { return StaticClassName(); }

    // The toolbar the item sits on, or null.
    TSkinToolbar* Toolbar() const;
    void SetParent(TWinControl* parent) override;

    virtual bool IsSeparator() const { return false; }
    // The item as the toolbar's layout sees it.
    virtual SkinToolbarLayout::Item LayoutItem() const = 0;

protected:
    // The toolbar places its items again after a change of their size.
    void SizeChanged();
    void VisibleChanged() override;
};
