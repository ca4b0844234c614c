#include "platform/framework/accessibility/AccessibleBridge.h"

#include <vector>

#include <QAccessible>
#include <QWidget>

#include "platform/framework/accessibility/AccessibleControl.h"
#include "platform/canvas/text/AcceleratorText.h"
#include "platform/base/AppContext.h"
#include "platform/framework/Control.h"
#include "platform/framework/ControlWidget.h"
#include "platform/framework/accessibility/PlatformAccessibility.h"

namespace {

struct AccessibleProviders {
    std::vector<TAccessibleProvider> list;
};

// Controls nobody describes keep the window's own answers (a client area).
class PlainControlSource : public TAccessibleSource {
public:
    using TAccessibleSource::TAccessibleSource;
    TAccRole Role(TAccItem) const override { return arClient; }
};

QAccessibleInterface* ControlInterfaceFactory(const QString&, QObject* object)
{
    auto* widget = dynamic_cast<ControlWidget*>(object);
    if (!widget || !widget->Control())
        return nullptr;
    return new AccessibleControl(widget, nullptr);
}

AccessibleControl* ListenedInterface(TControl& control)
{
    if (!QAccessible::isActive() || !control.HasWidget() || control.IsDestroying())
        return nullptr;
    auto* iface = dynamic_cast<AccessibleControl*>(QAccessible::queryAccessibleInterface(control.Widget()));
    return iface && iface->Source() ? iface : nullptr;
}

} // namespace

TRect TAccessibleSource::Bounds(TAccItem) const { return control_.ClientRect(); }

QString AccessibleName(const QString& caption) { return ParsePrefixedText(caption).text; }

QString AccessibleShortcut(const QString& caption)
{
    const QChar key = AcceleratorOf(caption);
    return key.isNull() ? QString() : QStringLiteral("Alt+") + key.toUpper();
}

void RegisterAccessibleProvider(TAccessibleProvider provider)
{
    auto& list = AppContext().State<AccessibleProviders>().list;
    if (std::find(list.begin(), list.end(), provider) == list.end())
        list.push_back(provider);
}

std::unique_ptr<TAccessibleSource> MakeAccessibleSource(TControl& control)
{
    if (auto* providers = AppContext().FindState<AccessibleProviders>())
        for (auto it = providers->list.rbegin(); it != providers->list.rend(); ++it)
            if (auto source = (*it)(control))
                return source;
    return nullptr;
}

std::unique_ptr<TAccessibleSource> MakePlainAccessibleSource(TControl& control)
{
    return std::make_unique<PlainControlSource>(control);
}

void InstallAccessibility()
{
    // Qt keeps one factory list for the process.
    static const bool installed = [] {
        QAccessible::installFactory(ControlInterfaceFactory);
        return true;
    }();
    (void)installed;
    RegisterPlatformAccessibility();
}

void NotifyAccessibleFocus(TControl& control)
{
    AccessibleControl* iface = ListenedInterface(control);
    if (!iface)
        return;
    const TAccItem item = iface->Source()->FocusedItem();
    QAccessibleInterface* target = item ? iface->ItemInterface(item) : nullptr;
    if (!target)
        return;
    QAccessibleEvent selection(target, QAccessible::Selection);
    QAccessible::updateAccessibility(&selection);
    if (iface->ControlHasFocus()) {
        QAccessibleEvent focus(target, QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void NotifyAccessibleState(TControl& control, TAccItem item)
{
    AccessibleControl* iface = ListenedInterface(control);
    QAccessibleInterface* target = iface ? iface->ItemInterface(item) : nullptr;
    if (!target)
        return;
    QAccessible::State changed;
    changed.checked = changed.checkStateMixed = true;
    changed.expanded = changed.collapsed = true;
    changed.pressed = changed.selected = true;
    QAccessibleStateChangeEvent event(target, changed);
    QAccessible::updateAccessibility(&event);
}
