#include "app/StoreCommands.h"

#include <cstdio>

#include <QFile>
#include <QSaveFile>

#include "app/StoreSeeder.h"
#include "app/TerminalProgress.h"
#include "platform/canvas/pictures/SignaturePicture.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"
#include "store/StoreJson.h"

namespace {

// An export or import file larger than this is surely not one of ours.
constexpr qint64 MaxImportBytes = qint64(1) << 30;

void Print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

int Complain(const QString& message)
{
    std::fprintf(stderr, "orgrights: %s\n", message.toUtf8().constData());
    return 1;
}

int Cancelled(const QString& path, bool import)
{
    std::fprintf(stderr, "orgrights: cancelled; %s\n",
                 (import ? QStringLiteral("the store is as it was") : QStringLiteral("%1 was not written").arg(path))
                     .toUtf8()
                     .constData());
    return TerminalProgress::kCancelledExit;
}

void WriteExport(const QString& path, const QByteArray& json, bool secret)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw StoreError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    // Password hashes are for the owner's eyes only, whatever the file was before.
    if (secret && !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        throw StoreError(QStringLiteral("Cannot make %1 readable by its owner alone.").arg(path));
    if (file.write(json) != json.size() || !file.commit())
        throw StoreError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

QByteArray ReadImport(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(QStringLiteral("Cannot read %1: %2").arg(path, file.errorString()));
    if (file.size() > MaxImportBytes)
        throw StoreError(QStringLiteral("Cannot import %1: it is larger than 1 GB.").arg(path));
    return file.readAll();
}

} // namespace

std::unique_ptr<RightsStore> OpenCommandStore(const CommandLine& command)
{
    const StoreLocation location = command.store.isEmpty() ? StoreLocation::Default() : StoreLocation::Parse(command.store);
    auto store = RightsStore::Open(location);
    store->SetPictureCheck(CheckSignaturePicture);
    if (store->Created() && command.action != CommandLine::Action::Import)
        SeedStore(*store);
    return store;
}

int RunStoreCommand(const CommandLine& command)
{
    try {
        // Read first, so that a file that cannot be read leaves no new store behind.
        const QByteArray json = command.action == CommandLine::Action::Import ? ReadImport(command.file) : QByteArray();
        auto store = OpenCommandStore(command);
        switch (command.action) {
        case CommandLine::Action::StoreInfo:
            Print(QStringLiteral("store: %1\nschema version: %2\norganisation units: %3\nposts: %4\nusers: %5\nfunctions: %6\n")
                      .arg(store->Location().Display())
                      .arg(store->SchemaVersion())
                      .arg(store->Count(TableId::OrgUnit))
                      .arg(store->Count(TableId::Post))
                      .arg(store->Count(TableId::User))
                      .arg(store->Count(TableId::Function)));
            return 0;
        case CommandLine::Action::Export: {
            TerminalProgress progress(QStringLiteral("exporting %1").arg(command.file));
            QByteArray exported;
            try {
                exported = ExportStoreJson(*store, command.withSecrets, progress.Hook());
            } catch (const StoreError&) {
                if (progress.Cancelled())
                    return Cancelled(command.file, false);
                throw;
            }
            WriteExport(command.file, exported, command.withSecrets);
            Print(QStringLiteral("exported %1 to %2%3\n")
                      .arg(store->Location().Display(), command.file,
                           command.withSecrets ? QStringLiteral(" with password hashes") : QString()));
            return 0;
        }
        case CommandLine::Action::Import: {
            TerminalProgress progress(QStringLiteral("importing %1").arg(command.file));
            try {
                ImportStoreJson(*store, json, progress.Hook());
            } catch (const StoreError&) {
                if (progress.Cancelled())
                    return Cancelled(command.file, true);
                throw;
            }
            Print(QStringLiteral("imported %1 into %2\n").arg(command.file, store->Location().Display()));
            return 0;
        }
        default:
            return Complain(QStringLiteral("not a store command"));
        }
    } catch (const StoreError& e) {
        return Complain(e.Message());
    }
}
