#pragma once

// Icons and type names for the file dialogs that come from a file's name and
// kind alone. Qt's own provider reads a file's first bytes to guess its type,
// and a process that opens and closes the store's file drops SQLite's locks
// on it (POSIX locks belong to the process, not to the descriptor): another
// program then takes the store for unused and removes its write-ahead log
// under this one.

#include <QFileIconProvider>

class TFileNameIcons final : public QFileIconProvider {
public:
    using QFileIconProvider::icon;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};
