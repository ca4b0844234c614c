#pragma once

// Writing a file so that it is either complete or not there: the bytes go to a
// temporary file beside the target, renamed into place by Commit(). A writer
// that fails, is cancelled or is destroyed before Commit() leaves the target
// as it was (absent, or its old content).

#include <cstdint>
#include <functional>
#include <memory>

#include <QByteArray>
#include <QString>

class QIODevice;

#include "platform/base/Object.h"

// A file that cannot be opened, written or put in place.
class EFileError : public Exception {
    using Exception::Exception;
};

// Long work reports how far it got; returning false asks it to stop.
using TProgressHook = std::function<bool(int64_t done, int64_t total)>;

class TSaveFile {
public:
    // Throws EFileError when the temporary file cannot be made.
    explicit TSaveFile(const QString& path);
    TSaveFile(const TSaveFile&) = delete;
    TSaveFile& operator=(const TSaveFile&) = delete;
    ~TSaveFile();

    QString Path() const { return path_; }
    // Throws EFileError on a failed write.
    void Write(const char* data, int64_t size);
    void Write(const QByteArray& bytes) { Write(bytes.constData(), bytes.size()); }
    // The open temporary file, for writers that take a device.
    QIODevice* Device() const;
    // Puts the file in place; throws EFileError when that fails.
    void Commit();

private:
    struct Private;
    std::unique_ptr<Private> d;
    QString path_;
};
