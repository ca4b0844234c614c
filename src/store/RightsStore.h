#pragma once

// The store of the access-rights model: one SQLite file or one PostgreSQL
// database. Opening creates a new store or migrates an older one in one
// transaction; a save is one transaction that refuses records changed by
// someone else since they were read. Every failure throws StoreError with a
// message naming the store (never its password) and what failed; a failed
// operation leaves the store as it was.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QtCore/QByteArray>
#include <QtSql/QSqlQuery>
#include <QtCore/QString>

#include "store/StoreLocation.h"
#include "store/StoreRecord.h"

class QSqlDatabase;

class RightsStore {
public:
    // Checks a signature picture; returns an empty text when it may be stored,
    // else what is wrong with it.
    using PictureCheck = std::function<QString(const QByteArray&)>;

    // Opens the store, creating an empty one (folder 0700, file 0600) when
    // the SQLite file or the PostgreSQL database holds nothing yet.
    static std::unique_ptr<RightsStore> Open(const StoreLocation& location);
    ~RightsStore();
    RightsStore(const RightsStore&) = delete;
    RightsStore& operator=(const RightsStore&) = delete;

    const StoreLocation& Location() const { return location_; }
    int SchemaVersion() const { return schemaVersion_; }
    // True when this opening made the store: it holds no content yet.
    bool Created() const { return created_; }

    // Without a check, no signature picture is accepted.
    void SetPictureCheck(PictureCheck check) { pictureCheck_ = std::move(check); }

    // The records of a table in id order.
    std::vector<StoreRecord> Load(TableId table);
    qint64 Count(TableId table);
    // Every table, read as one snapshot.
    std::map<TableId, std::vector<StoreRecord>> LoadAll();

    // Writes every change or none. Returns the ids given to the placeholders
    // of inserts.
    std::map<qint64, qint64> Save(const std::vector<StoreChange>& changes);

    // Replaces the whole content with the given records, ids, versions and
    // change times kept (an import). Tables not named become empty.
    // progress (records written, records) may cancel: the transaction is then
    // rolled back and StoreError thrown.
    using Progress = std::function<bool(qint64 done, qint64 total)>;
    void ReplaceAll(const std::map<TableId, std::vector<StoreRecord>>& content, const Progress& progress = {});

private:
    explicit RightsStore(const StoreLocation& location);
    void Connect();
    void PrepareSchema();
    QSqlQuery Prepare(const QString& sql);
    void Exec(QSqlQuery& query, const QString& what);
    void Begin(const QString& what);
    void BeginImmediate(const QString& what);
    // True when this connection's write-ahead log is no longer on disk.
    bool LostLog() const;
    void Reconnect();
    void Commit(const QString& what);
    void Rollback();
    [[noreturn]] void Fail(const QString& what, const QString& detail, bool conflict = false);
    void CheckValues(const StoreTable& table, const QVariantList& values, const QString& what);
    QString ConflictMessage(const StoreTable& table, qint64 id);
    // Updates changes[from, to), all of one table, in one statement.
    void UpdateBatch(const std::vector<StoreChange>& changes, size_t from, size_t to, const QString& now,
                     const std::function<void(QSqlQuery&, const StoreTable&, const StoreChange&)>& bindValues);
    static constexpr size_t UpdateBatchSize = 500;
    int ReadSchemaVersion();

    StoreLocation location_;
    QString connectionName_;
    std::unique_ptr<QSqlDatabase> db_;
    int schemaVersion_ = 0;
    bool created_ = false;
    bool inTransaction_ = false;
    bool wal_ = false; // SQLite took the write-ahead log (some file systems refuse it)
    PictureCheck pictureCheck_;
    // PostgreSQL's batched updates, by table and batch size; prepared on first
    // use in a save and dropped at its end.
    std::map<std::pair<int, int>, QSqlQuery> batchStatements_;
};
