#include "platform/controls/dialogs/FileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include "platform/controls/dialogs/FileNameIcons.h"
#include "platform/framework/WinControl.h"

namespace {

TSaveFileNameHook& SaveHook()
{
    static TSaveFileNameHook hook;
    return hook;
}

} // namespace

void SetSaveFileNameHook(TSaveFileNameHook hook)
{
    SaveHook() = std::move(hook);
}

QString SaveFileName(TWinControl* owner, const QString& caption, const QString& filter, const QString& suffix)
{
    QString path;
    if (SaveHook()) {
        path = SaveHook()(caption, filter);
    } else {
        // Outlives the dialog, which keeps a pointer to it.
        TFileNameIcons icons;
        QFileDialog dialog(owner ? owner->Widget() : nullptr, caption, QString(), filter);
        dialog.setIconProvider(&icons);
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
