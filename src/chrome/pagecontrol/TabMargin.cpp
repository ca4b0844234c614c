#include "chrome/pagecontrol/TabMargin.h"

void TTabMargin::Assign(const TPersistent* source)
{
    const auto* m = dynamic_cast<const TTabMargin*>(source);
    if (!m) {
        TPersistent::Assign(source);
        return;
    }
    SetLeftMargin(m->left_);
    SetTopMargin(m->top_);
    SetRightMargin(m->right_);
}

void TTabMargin::Set(int& field, int value, Which which)
{
    if (value < 0)
        throw EInvalidOperation(QStringLiteral("A tab margin cannot be negative, not %1").arg(value));
    if (field == value)
        return;
    if (OnMarginChange)
        OnMarginChange(value, field, which);
    field = value;
}
