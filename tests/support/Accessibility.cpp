#include "support/Accessibility.h"

#include <QWidget>

#include "platform/framework/Control.h"

namespace a11y {


QAccessibleInterface* Of(TControl* control) { return QAccessible::queryAccessibleInterface(control->Widget()); }

QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role, const QString& name)
{
    if (!root)
        return nullptr;
    if (root->role() == role && (name.isNull() || root->text(QAccessible::Name) == name))
        return root;
    // Tables are not searched cell by cell.
    if (root->role() == QAccessible::Table)
        return nullptr;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* found = Find(root->child(i), role, name))
            return found;
    return nullptr;
}

QStringList ChildNames(QAccessibleInterface* parent, QAccessible::Role role)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        if (QAccessibleInterface* c = parent->child(i); c && c->role() == role)
            names << c->text(QAccessible::Name);
    return names;
}

std::string States(QAccessibleInterface* iface)
{
    const QAccessible::State s = iface->state();
    std::string out;
    auto add = [&](bool on, const char* name) {
        if (on)
            out += out.empty() ? name : std::string(" ") + name;
    };
    add(s.checkable, "checkable");
    add(s.checked, "checked");
    add(s.checkStateMixed, "mixed");
    add(s.selected, "selected");
    add(s.focused, "focused");
    add(s.expandable, "expandable");
    add(s.expanded, "expanded");
    add(s.collapsed, "collapsed");
    add(s.pressed, "pressed");
    add(s.disabled, "disabled");
    add(s.invisible, "invisible");
    add(s.editable, "editable");
    return out;
}

} // namespace a11y
