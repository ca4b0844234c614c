#include "chrome/pagecontrol/PageControlAccessibility.h"

#include "chrome/pagecontrol/FlatPageControl.h"
#include "chrome/pagecontrol/FlatTabSheet.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

namespace {

class PageTabsSource : public TAccessibleSource {
public:
    explicit PageTabsSource(TFlatPageControl& pages) : TAccessibleSource(pages), pages_(pages) {}

    static TAccItem Key(const TFlatTabSheet* sheet) { return static_cast<TAccItem>(reinterpret_cast<intptr_t>(sheet)); }

    bool IsValid(TAccItem item) const override { return item == 0 || PageIndex(item) >= 0; }
    int ChildCount(TAccItem parent) const override { return parent == 0 ? static_cast<int>(Tabs().size()) : 0; }
    TAccItem Child(TAccItem parent, int index) const override
    {
        const std::vector<TFlatTabSheet*> tabs = Tabs();
        return parent == 0 && index >= 0 && index < static_cast<int>(tabs.size()) ? Key(tabs[index]) : 0;
    }
    int IndexOf(TAccItem item) const override
    {
        const std::vector<TFlatTabSheet*> tabs = Tabs();
        for (size_t i = 0; i < tabs.size(); ++i)
            if (Key(tabs[i]) == item)
                return static_cast<int>(i);
        return -1;
    }
    TAccItem ItemAt(int x, int y) const override
    {
        const int index = pages_.PageIndexAt(x, y);
        return index >= 0 ? Key(pages_.Pages(index)) : 0;
    }
    // The tabs hold their pages; sheets without a shown tab follow the tabs.
    TControl* ItemWindow(TAccItem item) const override { return item == 0 ? nullptr : Sheet(item); }
    TAccItem ItemHolding(const TControl& child) const override
    {
        for (int i = 0; i < pages_.PageCount(); ++i)
            if (pages_.Pages(i) == &child)
                return pages_.Pages(i)->TabVisible() ? Key(pages_.Pages(i)) : 0;
        return 0;
    }
    TAccItem FocusedItem() const override
    {
        TFlatTabSheet* active = pages_.ActivePage();
        return active && active->TabVisible() ? Key(active) : 0;
    }

    TAccRole Role(TAccItem item) const override { return item == 0 ? arPageTabList : arPageTab; }
    QString Name(TAccItem item) const override { return item == 0 ? QString() : AccessibleName(Sheet(item)->Caption()); }
    TAccStates States(TAccItem item) const override
    {
        if (item == 0)
            return 0;
        TAccStates s = asSelectable | asFocusable;
        if (pages_.ActivePage() == Sheet(item)) {
            s |= asSelected;
            if (pages_.Focused())
                s |= asFocused;
        }
        return s;
    }
    TRect Bounds(TAccItem item) const override
    {
        return item == 0 ? pages_.ClientRect() : pages_.TabRect(PageIndex(item));
    }
    std::vector<TAccAction> Actions(TAccItem item) const override
    {
        if (item == 0)
            return {};
        return {aaPress};
    }
    bool DoAction(TAccItem item, TAccAction action) override
    {
        if (item == 0 || action != aaPress || !pages_.Enabled())
            return false;
        const bool done = pages_.SelectPageAsUser(Sheet(item));
        if (done)
            NotifyAccessibleFocus(pages_);
        return done;
    }

private:
    // The pages whose tab is shown, in page order.
    std::vector<TFlatTabSheet*> Tabs() const
    {
        std::vector<TFlatTabSheet*> tabs;
        for (int i = 0; i < pages_.PageCount(); ++i)
            if (pages_.Pages(i)->TabVisible())
                tabs.push_back(pages_.Pages(i));
        return tabs;
    }
    int PageIndex(TAccItem item) const
    {
        for (int i = 0; i < pages_.PageCount(); ++i)
            if (Key(pages_.Pages(i)) == item)
                return pages_.Pages(i)->TabVisible() ? i : -1;
        return -1;
    }
    // Only for keys IsValid accepted.
    static TFlatTabSheet* Sheet(TAccItem item) { return reinterpret_cast<TFlatTabSheet*>(static_cast<intptr_t>(item)); }

    TFlatPageControl& pages_;
};

class SheetSource : public TAccessibleSource {
public:
    explicit SheetSource(TFlatTabSheet& sheet) : TAccessibleSource(sheet), sheet_(sheet) {}
    // Without a shown tab the sheet is no page a user can turn to, only a pane.
    TAccRole Role(TAccItem) const override { return sheet_.TabVisible() ? arPropertyPage : arPane; }
    QString Name(TAccItem) const override { return sheet_.TabVisible() ? AccessibleName(sheet_.Caption()) : QString(); }

private:
    TFlatTabSheet& sheet_;
};

std::unique_ptr<TAccessibleSource> ProvidePageParts(TControl& control)
{
    if (auto* pages = dynamic_cast<TFlatPageControl*>(&control))
        return std::make_unique<PageTabsSource>(*pages);
    if (auto* sheet = dynamic_cast<TFlatTabSheet*>(&control))
        return std::make_unique<SheetSource>(*sheet);
    return nullptr;
}

} // namespace

void RegisterPageControlAccessibility() { RegisterAccessibleProvider(ProvidePageParts); }
