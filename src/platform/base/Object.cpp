#include "platform/base/Object.h"

namespace {
[[noreturn]] void AssignError(const TPersistent* source, const TPersistent* dest)
{
    const std::string from = source ? source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + dest->ClassName());
}
} // namespace

void TPersistent::Assign(const TPersistent* source)
{
    if (!source)
        AssignError(nullptr, this);
    source->AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) const
{
    AssignError(this, dest);
}
