#include "platform/base/SaveFile.h"

#include <QSaveFile>

struct TSaveFile::Private {
    QSaveFile file;
};

TSaveFile::TSaveFile(const QString& path) : d(std::make_unique<Private>()), path_(path)
{
    d->file.setFileName(path);
    // A target on a file system without renames would otherwise be written in place.
    d->file.setDirectWriteFallback(false);
    if (path.isEmpty() || !d->file.open(QIODevice::WriteOnly))
        throw EFileError(QStringLiteral("cannot write %1: %2").arg(path, d->file.errorString()));
}

// QSaveFile removes its temporary file when destroyed without commit().
TSaveFile::~TSaveFile() = default;

void TSaveFile::Write(const char* data, int64_t size)
{
    if (size > 0 && d->file.write(data, size) != size)
        throw EFileError(QStringLiteral("cannot write %1: %2").arg(path_, d->file.errorString()));
}

QIODevice* TSaveFile::Device() const { return &d->file; }

void TSaveFile::Commit()
{
    if (!d->file.commit())
        throw EFileError(QStringLiteral("cannot write %1: %2").arg(path_, d->file.errorString()));
}
