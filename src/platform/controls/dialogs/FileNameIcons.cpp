#include "platform/controls/dialogs/FileNameIcons.h"

#include <QFileInfo>

QIcon TFileNameIcons::icon(const QFileInfo& info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString TFileNameIcons::type(const QFileInfo& info) const
{
    if (info.isDir())
        return QStringLiteral("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("File") : suffix.toUpper() + QStringLiteral(" File");
}
