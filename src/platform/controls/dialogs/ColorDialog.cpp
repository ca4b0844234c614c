#include "platform/controls/dialogs/ColorDialog.h"

#include <QColorDialog>

#include "platform/base/AppContext.h"

namespace {
struct ColorDialogState {
    TColorDialog::ExecuteHook hook;
};

TColorDialog::ExecuteHook& Hook()
{
    return AppContext().State<ColorDialogState>().hook;
}
} // namespace

void TColorDialog::SetExecuteHook(ExecuteHook hook)
{
    Hook() = std::move(hook);
}

bool TColorDialog::Execute()
{
    if (Hook())
        return Hook()(color_);
    const QColor chosen = QColorDialog::getColor(ToQColor(color_));
    if (!chosen.isValid())
        return false;
    color_ = static_cast<TColor>(chosen.red() | (chosen.green() << 8) | (chosen.blue() << 16));
    return true;
}
