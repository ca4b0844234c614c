#pragma once

// Whole-file reads of the program's resources (":/...") and of files on disk,
// so that layers above the platform need no file classes of their own.

#include <QByteArray>
#include <QString>

// False when the file cannot be opened or read.
bool ReadResourceFile(const QString& path, QByteArray& data);
