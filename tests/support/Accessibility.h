#pragma once

// Reading controls as assistive technology does, through Qt's accessibility
// interfaces: finding children by role and name, and the states tests read.

#include <string>

#include <QAccessible>
#include <QString>

class TControl;

namespace a11y {

QAccessibleInterface* Of(TControl* control);
// The first descendant (depth first, itself included) with the role and,
// when given, the name.
QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role, const QString& name = QString());
// The direct children with the role, by name.
QStringList ChildNames(QAccessibleInterface* parent, QAccessible::Role role);
// "checked focused …": the states a test looks at, in a fixed order.
std::string States(QAccessibleInterface* iface);

} // namespace a11y
