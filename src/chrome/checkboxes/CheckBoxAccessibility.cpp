#include "chrome/checkboxes/CheckBoxAccessibility.h"

#include "chrome/checkboxes/SkinCheckBox.h"
#include "chrome/checkboxes/SkinRadioButton.h"
#include "platform/framework/accessibility/AccessibleBridge.h"
#include "platform/framework/accessibility/PlatformAccessibility.h"

namespace {

class BoxSource : public TAccessibleSource {
public:
    using TAccessibleSource::TAccessibleSource;
    QString Name(TAccItem) const override { return AccessibleName(Control().Caption()); }
    QString Shortcut(TAccItem) const override { return AccessibleShortcut(Control().Caption()); }
    bool DoAction(TAccItem, TAccAction action) override
    {
        const std::vector<TAccAction> allowed = Actions(0);
        if (allowed.empty() || action != allowed.front() || !Control().Enabled())
            return false;
        ClickControl(Control());
        NotifyAccessibleState(Control(), 0);
        return true;
    }
};

class CheckBoxSource : public BoxSource {
public:
    explicit CheckBoxSource(TSkinCustomCheckBox& box) : BoxSource(box), box_(box) {}
    TAccRole Role(TAccItem) const override { return arCheckBox; }
    TAccStates States(TAccItem) const override
    {
        switch (box_.State()) {
        case cbChecked: return asCheckable | asChecked;
        case cbGrayed: return asCheckable | asMixed;
        default: return asCheckable;
        }
    }
    std::vector<TAccAction> Actions(TAccItem) const override { return {aaToggle}; }

private:
    TSkinCustomCheckBox& box_;
};

class RadioButtonSource : public BoxSource {
public:
    explicit RadioButtonSource(TSkinCustomRadioButton& button) : BoxSource(button), button_(button) {}
    TAccRole Role(TAccItem) const override { return arRadioButton; }
    TAccStates States(TAccItem) const override { return asCheckable | (button_.Checked() ? asChecked : 0u); }
    std::vector<TAccAction> Actions(TAccItem) const override { return {aaPress}; }

private:
    TSkinCustomRadioButton& button_;
};

std::unique_ptr<TAccessibleSource> ProvideBoxes(TControl& control)
{
    if (auto* box = dynamic_cast<TSkinCustomCheckBox*>(&control))
        return std::make_unique<CheckBoxSource>(*box);
    if (auto* radio = dynamic_cast<TSkinCustomRadioButton*>(&control))
        return std::make_unique<RadioButtonSource>(*radio);
    return nullptr;
}

} // namespace

void RegisterCheckBoxAccessibility() { RegisterAccessibleProvider(ProvideBoxes); }
