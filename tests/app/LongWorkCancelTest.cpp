#include <gtest/gtest.h>

#include <csignal>

#include <QTemporaryDir>

#include "app/TerminalProgress.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"
#include "store/StoreJson.h"

namespace {

std::unique_ptr<RightsStore> StoreWithPosts(const QString& path, int posts, const char* prefix)
{
    auto store = RightsStore::Open(StoreLocation::Parse(path));
    std::vector<StoreChange> changes;
    for (int i = 0; i < posts; ++i)
        changes.push_back(StoreChange::Insert(
            TableId::Post, {QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i), QStringLiteral("岗位%1").arg(i), QVariant()}));
    store->Save(changes);
    return store;
}

} // namespace

TEST(LongWorkCancel, ACancelledImportLeavesTheStoreAsItWas)
{
    QTemporaryDir dir;
    auto source = StoreWithPosts(dir.filePath(QStringLiteral("a.db")), 700, "A");
    const QByteArray json = ExportStoreJson(*source, true);
    const struct {
        const char* name;
        int64_t cancelAt; // the first report at or after this many records; -1 never
        bool imported;
    } cases[] = {{"at the first report", 0, false}, {"just before the commit", 700, false}, {"not cancelled", -1, true}};
    for (const auto& c : cases) {
        auto target = StoreWithPosts(dir.filePath(QStringLiteral("%1.db").arg(c.name)), 5, "B");
        const QByteArray before = ExportStoreJson(*target, true);
        std::vector<int64_t> reports;
        auto progress = [&](int64_t done, int64_t total) {
            EXPECT_EQ(total, 700) << c.name;
            reports.push_back(done);
            return c.cancelAt < 0 || done < c.cancelAt;
        };
        if (c.imported) {
            ImportStoreJson(*target, json, progress);
        } else {
            EXPECT_THROW(ImportStoreJson(*target, json, progress), StoreError) << c.name;
        }
        EXPECT_FALSE(reports.empty()) << c.name;
        // Read through a second connection: what another program would see.
        auto reopened = RightsStore::Open(StoreLocation::Parse(dir.filePath(QStringLiteral("%1.db").arg(c.name))));
        EXPECT_EQ(reopened->Count(TableId::Post), c.imported ? 700 : 5) << c.name;
        if (!c.imported) {
            EXPECT_EQ(ExportStoreJson(*reopened, true), before) << c.name;
        }
    }
}

TEST(LongWorkCancel, ACancelledStoreExportThrowsBeforeAnyFileIsWritten)
{
    QTemporaryDir dir;
    auto store = StoreWithPosts(dir.filePath(QStringLiteral("a.db")), 600, "A");
    int reports = 0;
    EXPECT_THROW(ExportStoreJson(*store, false,
                                 [&](int64_t, int64_t) {
                                     ++reports;
                                     return false;
                                 }),
                 StoreError);
    EXPECT_EQ(reports, 1);
    EXPECT_FALSE(ExportStoreJson(*store, false, [](int64_t, int64_t) { return true; }).isEmpty());
}

TEST(LongWorkCancel, CtrlCCancelsTheWorkInsteadOfEndingTheProcess)
{
    struct sigaction before = {};
    sigaction(SIGINT, nullptr, &before);
    {
        TerminalProgress progress(QStringLiteral("testing"));
        EXPECT_TRUE(progress.Report(1, 10));
        std::raise(SIGINT);
        EXPECT_TRUE(progress.Cancelled());
        EXPECT_FALSE(progress.Report(2, 10));
        EXPECT_FALSE(progress.Hook()(3, 10));
    }
    struct sigaction after = {};
    sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
    // A new piece of work starts uncancelled.
    TerminalProgress next(QStringLiteral("again"));
    EXPECT_FALSE(next.Cancelled());
}
