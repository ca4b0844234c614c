#include "chrome/gradients/GroupBoxAccessibility.h"

#include "chrome/gradients/ExtGroupBox.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

namespace {

class GroupBoxSource : public TAccessibleSource {
public:
    using TAccessibleSource::TAccessibleSource;
    TAccRole Role(TAccItem) const override { return arGrouping; }
    QString Name(TAccItem) const override { return AccessibleName(Control().Caption()); }
    QString Shortcut(TAccItem) const override { return AccessibleShortcut(Control().Caption()); }
};

std::unique_ptr<TAccessibleSource> ProvideGroupBox(TControl& control)
{
    if (dynamic_cast<TCustomExtGroupBox*>(&control))
        return std::make_unique<GroupBoxSource>(control);
    return nullptr;
}

} // namespace

void RegisterGroupBoxAccessibility() { RegisterAccessibleProvider(ProvideGroupBox); }
