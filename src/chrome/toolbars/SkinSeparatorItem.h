#pragma once

// A gap with a line between groups of toolbar buttons.

#include "chrome/toolbars/SkinToolbarItem.h"

class TSkinSeparatorItem : public TSkinToolbarItem {
public:
    explicit TSkinSeparatorItem(TComponent* owner);
    static constexpr const char* StaticClassName() { return "TSkinSeparatorItem"; }
    const char* ClassName() const override { return StaticClassName(); }

    // Width on a horizontal toolbar; −1 takes the theme's.
    int Size() const { return size_; }
    void SetSize(int v);

    bool IsSeparator() const override { return true; }
    SkinToolbarLayout::Item LayoutItem() const override;

protected:
    void Paint(TCanvas& canvas) override;

private:
    int size_ = -1;
};
