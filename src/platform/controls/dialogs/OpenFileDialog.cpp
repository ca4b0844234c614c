#include "platform/controls/dialogs/OpenFileDialog.h"

#include <QFile>
#include <QFileDialog>

#include "platform/controls/dialogs/FileNameIcons.h"
#include "platform/framework/WinControl.h"

namespace {

TOpenFileNameHook& OpenHook()
{
    static TOpenFileNameHook hook;
    return hook;
}

} // namespace

void SetOpenFileNameHook(TOpenFileNameHook hook)
{
    OpenHook() = std::move(hook);
}

QString OpenFileName(TWinControl* owner, const QString& caption, const QString& filter)
{
    if (OpenHook())
        return OpenHook()(caption, filter);
    // Outlives the dialog, which keeps a pointer to it.
    TFileNameIcons icons;
    QFileDialog dialog(owner ? owner->Widget() : nullptr, caption, QString(), filter);
    dialog.setIconProvider(&icons);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

TReadResult ReadFileUpTo(const QString& path, qint64 limit, QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TReadResult::Failed;
    // Read one byte past the limit: a device that reports no size still ends.
    QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return TReadResult::Failed;
    if (bytes.size() > limit)
        return TReadResult::TooLarge;
    data = std::move(bytes);
    return TReadResult::Read;
}
