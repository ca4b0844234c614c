#include "platform/controls/dialogs/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "platform/framework/WinControl.h"

namespace {

TSaveFileNameHook& Hook()
{
    static TSaveFileNameHook hook;
    return hook;
}

} // namespace

void SetSaveFileNameHook(TSaveFileNameHook hook)
{
    Hook() = std::move(hook);
}

QString SaveFileName(TWinControl* owner, const QString& caption, const QString& filter, const QString& suffix)
{
    QString path;
    if (Hook()) {
        path = Hook()(caption, filter);
    } else {
        QFileDialog dialog(owner ? owner->Widget() : nullptr, caption, QString(), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(suffix);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        path = dialog.selectedFiles().front();
    }
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}
