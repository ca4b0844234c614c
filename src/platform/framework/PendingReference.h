#pragma once

// A reference that a stored definition gave by name before the component it
// names was read. It is looked up among the owner's components when loading
// ends.

#include <QString>

#include "platform/framework/Component.h"
#include "platform/base/Object.h"

// Takes the pending name, leaving it empty, and returns the component it names.
// Returns nullptr when no name was pending. When the name is unknown or names
// a component of another class, raises EInvalidOperation
// "<Name>.<property>: no image list named 'x'" or "... 'x' is not an image list".
template <class T>
T* ResolvePending(const TComponent& self, QString& pending, const char* property, const char* kind,
                  const char* withArticle)
{
    if (pending.isEmpty())
        return nullptr;
    const QString name = pending;
    pending.clear();
    TComponent* found = self.Owner() ? self.Owner()->FindComponent(name) : nullptr;
    if (auto* target = dynamic_cast<T*>(found))
        return target;
    const QString problem = found ? QStringLiteral("'%1' is not %2").arg(name, QString::fromUtf8(withArticle))
                                  : QStringLiteral("no %1 named '%2'").arg(QString::fromUtf8(kind), name);
    throw EInvalidOperation(QStringLiteral("%1.%2: %3").arg(self.Name(), QString::fromUtf8(property), problem));
}
