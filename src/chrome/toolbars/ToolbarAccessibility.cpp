#include "chrome/toolbars/ToolbarAccessibility.h"

#include "chrome/toolbars/SkinItem.h"
#include "chrome/toolbars/SkinSeparatorItem.h"
#include "chrome/toolbars/SkinToolbar.h"
#include "platform/framework/accessibility/AccessibleBridge.h"

namespace {

class ToolbarSource : public TAccessibleSource {
public:
    using TAccessibleSource::TAccessibleSource;
    TAccRole Role(TAccItem) const override { return arToolBar; }
};

class SeparatorSource : public TAccessibleSource {
public:
    using TAccessibleSource::TAccessibleSource;
    TAccRole Role(TAccItem) const override { return arSeparator; }
};

class ToolButtonSource : public TAccessibleSource {
public:
    explicit ToolButtonSource(TSkinItem& item) : TAccessibleSource(item), item_(item) {}
    TAccRole Role(TAccItem) const override { return arPushButton; }
    QString Name(TAccItem) const override
    {
        if (!item_.Caption().isEmpty())
            return AccessibleName(item_.Caption());
        // A hint's short part comes before "|".
        return AccessibleName(item_.Hint().section(QLatin1Char('|'), 0, 0));
    }
    QString Shortcut(TAccItem) const override
    {
        const QString accelerator = AccessibleShortcut(item_.Caption());
        return accelerator.isEmpty() ? ShortCutText(item_.ShortCut()) : accelerator;
    }
    TAccStates States(TAccItem) const override
    {
        TAccStates s = 0;
        if (item_.Pushed())
            s |= asPressed;
        if (item_.Checked())
            s |= asCheckable | asChecked;
        if (!item_.Enabled())
            s |= asDisabled;
        return s;
    }
    std::vector<TAccAction> Actions(TAccItem) const override { return {aaPress}; }
    bool DoAction(TAccItem, TAccAction action) override
    {
        if (action != aaPress || !item_.Enabled())
            return false;
        item_.Click();
        return true;
    }

private:
    TSkinItem& item_;
};

std::unique_ptr<TAccessibleSource> ProvideToolbarParts(TControl& control)
{
    if (dynamic_cast<TSkinToolbar*>(&control))
        return std::make_unique<ToolbarSource>(control);
    if (dynamic_cast<TSkinSeparatorItem*>(&control))
        return std::make_unique<SeparatorSource>(control);
    if (auto* item = dynamic_cast<TSkinItem*>(&control))
        return std::make_unique<ToolButtonSource>(*item);
    return nullptr;
}

} // namespace

QString ShortCutText(int shortCut)
{
    const int key = shortCut & 0xFF;
    QString name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        name = QChar(key);
    else if (key >= 0x70 && key <= 0x87) // VK_F1 .. VK_F24
        name = QStringLiteral("F%1").arg(key - 0x70 + 1);
    else if (key == 0x2E)
        name = QStringLiteral("Del");
    else if (key == 0x2D)
        name = QStringLiteral("Ins");
    if (name.isEmpty())
        return {};
    QString text;
    if (shortCut & 0x4000)
        text += QStringLiteral("Ctrl+");
    if (shortCut & 0x8000)
        text += QStringLiteral("Alt+");
    if (shortCut & 0x2000)
        text += QStringLiteral("Shift+");
    return text + name;
}

void RegisterToolbarAccessibility() { RegisterAccessibleProvider(ProvideToolbarParts); }
