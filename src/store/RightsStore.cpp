#include "store/RightsStore.h"

#include <set>

#include <QtCore/QAtomicInt>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStringList>
#include <QtSql/QSqlDatabase>
#include <QtSql/QSqlError>
#include <QtSql/QSqlQuery>
#include <QtSql/QSqlRecord>

#include "store/StoreError.h"

namespace {

QAtomicInt g_connections;

QString Now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

// "2026-12-10T01:02:03.456Z" as a person reads it.
QString ShownTime(const QString& changedAt)
{
    const QDateTime t = QDateTime::fromString(changedAt, Qt::ISODateWithMs);
    return t.isValid() ? t.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'")) : changedAt;
}

QString ErrorText(const QSqlError& e)
{
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.driverText().trimmed();
    return text.isEmpty() ? QStringLiteral("unknown error") : text;
}

QString ColumnList(const StoreTable& t)
{
    QStringList names;
    for (const StoreColumn& c : t.columns)
        names << QLatin1String(c.name);
    return names.join(QLatin1String(", "));
}

QString Placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QLatin1String(", "));
}

bool IsIntegerKind(ColumnKind k)
{
    return k == ColumnKind::Integer || k == ColumnKind::Ref || k == ColumnKind::Flag || k == ColumnKind::TriState;
}

// Both back ends give the same types: qint64, QString, QByteArray, or null.
QVariant Normalised(const StoreColumn& c, const QVariant& v)
{
    if (v.isNull())
        return QVariant();
    if (IsIntegerKind(c.kind))
        return QVariant(v.toLongLong());
    if (c.kind == ColumnKind::Blob)
        return QVariant(v.toByteArray());
    return QVariant(v.toString());
}

// How a value is bound: a null of the column's type for NULL.
QVariant Bound(const StoreColumn& c, const QVariant& v)
{
    if (!v.isNull())
        return c.kind == ColumnKind::Blob ? QVariant(v.toByteArray()) : v;
    if (IsIntegerKind(c.kind))
        return QVariant(QMetaType::fromType<qlonglong>());
    if (c.kind == ColumnKind::Blob)
        return QVariant(QMetaType::fromType<QByteArray>());
    return QVariant(QMetaType::fromType<QString>());
}

} // namespace

RightsStore::RightsStore(const StoreLocation& location)
    : location_(location), connectionName_(QStringLiteral("orgrights-store-%1").arg(g_connections.fetchAndAddRelaxed(1)))
{
}

RightsStore::~RightsStore()
{
    if (db_) {
        db_->close();
        db_.reset();
    }
    QSqlDatabase::removeDatabase(connectionName_);
}

std::unique_ptr<RightsStore> RightsStore::Open(const StoreLocation& location)
{
    std::unique_ptr<RightsStore> store(new RightsStore(location));
    store->Connect();
    store->PrepareSchema();
    return store;
}

void RightsStore::Fail(const QString& what, const QString& detail, bool conflict)
{
    QString text = detail;
    if (!location_.Password().isEmpty())
        text.replace(location_.Password(), QStringLiteral("***"));
    throw StoreError(QStringLiteral("%1 %2: %3").arg(what, location_.Display(), text), conflict);
}

void RightsStore::Connect()
{
    const QString what = QStringLiteral("Cannot open the store");
    const bool postgres = location_.GetKind() == StoreLocation::Kind::Postgres;
    const QString driver = postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE");
    if (!QSqlDatabase::isDriverAvailable(driver))
        Fail(what, postgres ? QStringLiteral("Qt's PostgreSQL driver is missing (Debian package libqt6sql6-psql)")
                            : QStringLiteral("Qt's SQLite driver is missing (Debian package libqt6sql6-sqlite)"));
    db_ = std::make_unique<QSqlDatabase>(QSqlDatabase::addDatabase(driver, connectionName_));
    if (postgres) {
        db_->setHostName(location_.Host());
        db_->setPort(location_.Port());
        db_->setDatabaseName(location_.Database());
        db_->setUserName(location_.User());
        db_->setPassword(location_.Password());
        db_->setConnectOptions(QStringLiteral("connect_timeout=5"));
    } else {
        const QFileInfo file(location_.Path());
        if (file.isDir())
            Fail(what, QStringLiteral("it is a folder"));
        QDir folder = file.absoluteDir();
        if (!folder.exists()) {
            if (!QDir().mkpath(folder.absolutePath()))
                Fail(what, QStringLiteral("cannot make the folder %1").arg(folder.absolutePath()));
            QFile::setPermissions(folder.absolutePath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        if (!file.exists()) {
            // Made here rather than by SQLite, so that it is the owner's alone
            // from the first byte; SQLite gives its journals the same rights.
            QFile f(file.absoluteFilePath());
            if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
                Fail(what, QStringLiteral("cannot create the file (%1)").arg(f.errorString()));
        }
        db_->setDatabaseName(file.absoluteFilePath());
        db_->setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    }
    if (!db_->open())
        Fail(what, ErrorText(db_->lastError()));
    if (!postgres) {
        QSqlQuery q = Prepare(QStringLiteral("PRAGMA foreign_keys = ON"));
        Exec(q, what);
    }
}

QSqlQuery RightsStore::Prepare(const QString& sql)
{
    QSqlQuery q(*db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        Fail(QStringLiteral("Cannot use the store"), ErrorText(q.lastError()));
    return q;
}

void RightsStore::Exec(QSqlQuery& query, const QString& what)
{
    if (!query.exec())
        Fail(what, ErrorText(query.lastError()));
}

void RightsStore::Begin(const QString& what)
{
    if (location_.GetKind() == StoreLocation::Kind::Sqlite) {
        BeginImmediate(what);
        if (LostLog()) {
            // SQLite's locks belong to the process: when any code of ours opens
            // and closes the store's file, they are gone, and another program
            // that then took the store for unused has removed the log that this
            // connection would write to, unseen by anyone. A new connection
            // writes where the others read.
            Rollback();
            Reconnect();
            BeginImmediate(what);
            if (LostLog()) {
                Rollback();
                Fail(what, QStringLiteral("its write-ahead log vanished while it was open"));
            }
        }
    } else if (!db_->transaction()) {
        Fail(what, ErrorText(db_->lastError()));
    }
    inTransaction_ = true;
}

void RightsStore::BeginImmediate(const QString& what)
{
    // Immediate: the write lock is taken now, so that the version checks of a
    // save and its writes see the same store.
    QSqlQuery q(*db_);
    if (!q.prepare(QStringLiteral("BEGIN IMMEDIATE")) || !q.exec())
        Fail(what, ErrorText(q.lastError()));
    inTransaction_ = true;
}

bool RightsStore::LostLog() const
{
    // A connection in the middle of a transaction always has its log open.
    return wal_ && !QFileInfo::exists(db_->databaseName() + QStringLiteral("-wal"));
}

void RightsStore::Reconnect()
{
    db_->close();
    db_.reset();
    QSqlDatabase::removeDatabase(connectionName_);
    Connect();
}

void RightsStore::Commit(const QString& what)
{
    if (!db_->commit()) {
        const QString detail = ErrorText(db_->lastError());
        // A refused COMMIT ends PostgreSQL's transaction but leaves SQLite's open.
        if (location_.GetKind() == StoreLocation::Kind::Postgres)
            inTransaction_ = false;
        Rollback();
        Fail(what, detail);
    }
    inTransaction_ = false;
}

void RightsStore::Rollback()
{
    if (inTransaction_)
        db_->rollback();
    inTransaction_ = false;
}

int RightsStore::ReadSchemaVersion()
{
    QSqlQuery q = Prepare(QStringLiteral("SELECT value FROM %1 WHERE key = ?").arg(QLatin1String(MetaTableName)));
    q.addBindValue(QStringLiteral("schema_version"));
    Exec(q, QStringLiteral("Cannot read the store"));
    bool ok = false;
    const int version = q.next() ? q.value(0).toString().toInt(&ok) : 0;
    if (!ok || version < 1)
        Fail(QStringLiteral("Cannot open the store"), QStringLiteral("its schema version is missing or damaged"));
    return version;
}

void RightsStore::PrepareSchema()
{
    const QString what = QStringLiteral("Cannot open the store");
    const bool postgres = location_.GetKind() == StoreLocation::Kind::Postgres;
    try {
        Begin(what);
        if (postgres) {
            // Two programs opening a new or old store at once take turns.
            QSqlQuery lock = Prepare(QStringLiteral("SELECT pg_advisory_xact_lock(?)"));
            lock.addBindValue(qint64(0x6f7267726967)); // "orgrig"
            Exec(lock, what);
        }
        QSqlQuery tables = Prepare(postgres ? QStringLiteral("SELECT table_name FROM information_schema.tables "
                                                             "WHERE table_schema = current_schema()")
                                            : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
        Exec(tables, what);
        QStringList names;
        while (tables.next())
            names << tables.value(0).toString();
        int from = 0;
        if (!names.isEmpty()) {
            if (!names.contains(QLatin1String(MetaTableName)))
                Fail(what, QStringLiteral("it is not an orgrights store (it holds the tables of another program)"));
            from = ReadSchemaVersion();
            if (from > CurrentSchemaVersion)
                Fail(what, QStringLiteral("its schema version %1 is newer than this program's (%2); use a newer "
                                          "orgrights. The store was not changed.")
                               .arg(from)
                               .arg(CurrentSchemaVersion));
        }
        for (int v = from + 1; v <= CurrentSchemaVersion; ++v)
            for (const QString& sql : MigrationStatements(v, postgres)) {
                // Constant text of our own schema, without values: PostgreSQL
                // prepares no table definitions.
                QSqlQuery q(*db_);
                if (!q.exec(sql))
                    Fail(from ? QStringLiteral("Cannot migrate the store") : QStringLiteral("Cannot create the store"),
                         ErrorText(q.lastError()));
            }
        if (from < CurrentSchemaVersion) {
            const QString upsert = from ? QStringLiteral("UPDATE %1 SET value = ? WHERE key = ?")
                                        : QStringLiteral("INSERT INTO %1 (value, key) VALUES (?, ?)");
            QSqlQuery q = Prepare(upsert.arg(QLatin1String(MetaTableName)));
            q.addBindValue(QString::number(CurrentSchemaVersion));
            q.addBindValue(QStringLiteral("schema_version"));
            Exec(q, what);
            Commit(what);
        } else {
            Rollback();
        }
        created_ = from == 0;
        schemaVersion_ = CurrentSchemaVersion;
    } catch (const StoreError&) {
        Rollback();
        throw;
    }
    if (!postgres) {
        // Readers then never wait for a writer, and a killed writer leaves
        // its unfinished transaction in the log, where it is ignored.
        QSqlQuery q(*db_);
        wal_ = q.exec(QStringLiteral("PRAGMA journal_mode = WAL")) && q.next()
            && q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) == 0;
    }
}

std::vector<StoreRecord> RightsStore::Load(TableId id)
{
    const StoreTable& t = Table(id);
    QSqlQuery q = Prepare(QStringLiteral("SELECT id, version, changed_at, %1 FROM %2 ORDER BY id")
                              .arg(ColumnList(t), QLatin1String(t.name)));
    Exec(q, QStringLiteral("Cannot read the store"));
    std::vector<StoreRecord> records;
    const int n = int(t.columns.size());
    while (q.next()) {
        StoreRecord r;
        r.id = q.value(0).toLongLong();
        r.version = q.value(1).toLongLong();
        r.changedAt = q.value(2).toString();
        r.values.reserve(n);
        for (int i = 0; i < n; ++i)
            r.values.append(Normalised(t.columns[size_t(i)], q.value(3 + i)));
        records.push_back(std::move(r));
    }
    if (q.lastError().isValid())
        Fail(QStringLiteral("Cannot read the store"), ErrorText(q.lastError()));
    return records;
}

std::map<TableId, std::vector<StoreRecord>> RightsStore::LoadAll()
{
    Begin(QStringLiteral("Cannot read the store"));
    std::map<TableId, std::vector<StoreRecord>> content;
    try {
        if (location_.GetKind() == StoreLocation::Kind::Postgres) {
            // A constant statement: PostgreSQL prepares only queries and changes.
            QSqlQuery q(*db_);
            if (!q.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ READ ONLY")))
                Fail(QStringLiteral("Cannot read the store"), ErrorText(q.lastError()));
        }
        for (size_t i = 0; i < StoreTables().size(); ++i)
            content[TableId(i)] = Load(TableId(i));
    } catch (const StoreError&) {
        Rollback();
        throw;
    }
    Rollback();
    return content;
}

qint64 RightsStore::Count(TableId id)
{
    QSqlQuery q = Prepare(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(Table(id).name)));
    Exec(q, QStringLiteral("Cannot read the store"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

void RightsStore::CheckValues(const StoreTable& t, const QVariantList& values, const QString& what)
{
    if (values.size() != int(t.columns.size()))
        Fail(what, QStringLiteral("a %1 needs %2 values, not %3").arg(QLatin1String(t.caption)).arg(t.columns.size()).arg(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        const StoreColumn& c = t.columns[size_t(i)];
        const QVariant& v = values[i];
        const QString field = QStringLiteral("the %1 of a %2").arg(QLatin1String(c.name), QLatin1String(t.caption));
        if (v.isNull()) {
            if (!c.nullable)
                Fail(what, QStringLiteral("%1 is missing").arg(field));
            continue;
        }
        switch (c.kind) {
        case ColumnKind::Text:
        case ColumnKind::Secret: {
            const QString s = v.toString();
            if (s.size() > c.maxLength)
                Fail(what, QStringLiteral("%1 is longer than %2 characters").arg(field).arg(c.maxLength));
            if (!c.nullable && s.trimmed().isEmpty() && c.kind == ColumnKind::Text)
                Fail(what, QStringLiteral("%1 is empty").arg(field));
            // Only hashes are kept: a text that is not one must not end up in the store.
            if (c.kind == ColumnKind::Secret && (!s.startsWith(QLatin1String("$argon2id$"))))
                Fail(what, QStringLiteral("%1 is not an Argon2id hash").arg(field));
            break;
        }
        case ColumnKind::Flag:
        case ColumnKind::TriState: {
            bool ok = false;
            const qint64 n = v.toLongLong(&ok);
            if (!ok || (n != 0 && n != 1))
                Fail(what, QStringLiteral("%1 must be 0 or 1").arg(field));
            break;
        }
        case ColumnKind::Integer:
        case ColumnKind::Ref: {
            bool ok = false;
            v.toLongLong(&ok);
            if (!ok)
                Fail(what, QStringLiteral("%1 is not a number").arg(field));
            break;
        }
        case ColumnKind::Blob: {
            const QByteArray bytes = v.toByteArray();
            if (bytes.size() > MaxPictureBytes)
                Fail(what, QStringLiteral("%1 is larger than 1 MB").arg(field));
            const QString problem = pictureCheck_ ? pictureCheck_(bytes) : QStringLiteral("pictures cannot be checked here");
            if (!problem.isEmpty())
                Fail(what, QStringLiteral("%1: %2").arg(field, problem));
            break;
        }
        }
    }
}

QString RightsStore::ConflictMessage(const StoreTable& t, qint64 id)
{
    const QString label = t.labelColumn >= 0 ? QLatin1String(t.columns[size_t(t.labelColumn)].name) : QLatin1String("id");
    QSqlQuery q = Prepare(QStringLiteral("SELECT changed_at, %1 FROM %2 WHERE id = ?").arg(label, QLatin1String(t.name)));
    q.addBindValue(id);
    Exec(q, QStringLiteral("Cannot save to the store"));
    const QString tail = QStringLiteral(" Nothing of this save was written; reload to see the other change.");
    if (!q.next())
        return QStringLiteral("the %1 #%2 was deleted by someone else after it was read.%3")
            .arg(QLatin1String(t.caption))
            .arg(id)
            .arg(tail);
    const QString name = t.labelColumn >= 0 ? QStringLiteral("“%1”").arg(q.value(1).toString()) : QStringLiteral("#%1").arg(id);
    return QStringLiteral("the %1 %2 was changed by someone else at %3, after it was read.%4")
        .arg(QLatin1String(t.caption), name, ShownTime(q.value(0).toString()), tail);
}

std::map<qint64, qint64> RightsStore::Save(const std::vector<StoreChange>& changes)
{
    const QString what = QStringLiteral("Cannot save to the store");
    for (const StoreChange& c : changes)
        if (c.kind != StoreChange::Kind::Delete)
            CheckValues(Table(c.table), c.values, what);
    std::map<qint64, qint64> ids;
    // One prepared statement per table and kind, reused through the save.
    std::map<std::pair<int, int>, QSqlQuery> statements;
    auto statement = [&](const StoreChange& c) -> QSqlQuery& {
        const auto key = std::make_pair(int(c.table), int(c.kind));
        auto it = statements.find(key);
        if (it != statements.end())
            return it->second;
        const StoreTable& t = Table(c.table);
        QString sql;
        switch (c.kind) {
        case StoreChange::Kind::Insert:
            sql = QStringLiteral("INSERT INTO %1 (%2, version, changed_at) VALUES (%3, 1, ?) RETURNING id")
                      .arg(QLatin1String(t.name), ColumnList(t), Placeholders(int(t.columns.size())));
            break;
        case StoreChange::Kind::Update: {
            QStringList sets;
            for (const StoreColumn& col : t.columns)
                sets << QStringLiteral("%1 = ?").arg(QLatin1String(col.name));
            sql = QStringLiteral("UPDATE %1 SET %2, version = version + 1, changed_at = ? WHERE id = ? AND version = ?")
                      .arg(QLatin1String(t.name), sets.join(QLatin1String(", ")));
            break;
        }
        case StoreChange::Kind::Delete:
            sql = QStringLiteral("DELETE FROM %1 WHERE id = ? AND version = ?").arg(QLatin1String(t.name));
            break;
        }
        return statements.emplace(key, Prepare(sql)).first->second;
    };
    const QString now = Now();
    auto bindValues = [&](QSqlQuery& q, const StoreTable& t, const StoreChange& c) {
        for (int i = 0; i < c.values.size(); ++i) {
            const StoreColumn& col = t.columns[size_t(i)];
            QVariant v = c.values[i];
            if (col.kind == ColumnKind::Ref && !v.isNull() && v.toLongLong() < 0) {
                const auto found = ids.find(v.toLongLong());
                if (found == ids.end())
                    Fail(what, QStringLiteral("a %1 refers to a record that this save does not add").arg(QLatin1String(t.caption)));
                v = found->second;
            }
            q.addBindValue(Bound(col, v));
        }
    };
    const bool batched = location_.GetKind() == StoreLocation::Kind::Postgres;
    Begin(what);
    try {
        for (size_t n = 0; n < changes.size(); ++n) {
            const StoreChange& c = changes[n];
            const StoreTable& t = Table(c.table);
            if (batched && c.kind == StoreChange::Kind::Update) {
                // Each statement is a round trip to the server: a run of updates
                // of one table goes in batches.
                size_t end = n + 1;
                while (end < changes.size() && end - n < UpdateBatchSize && changes[end].kind == StoreChange::Kind::Update
                       && changes[end].table == c.table)
                    ++end;
                UpdateBatch(changes, n, end, now, bindValues);
                n = end - 1;
                continue;
            }
            QSqlQuery& q = statement(c);
            if (c.kind != StoreChange::Kind::Delete) {
                bindValues(q, t, c);
                q.addBindValue(now);
            }
            if (c.kind != StoreChange::Kind::Insert) {
                q.addBindValue(c.id);
                q.addBindValue(c.version);
            }
            Exec(q, what);
            if (c.kind == StoreChange::Kind::Insert) {
                if (!q.next())
                    Fail(what, QStringLiteral("the new %1 got no id").arg(QLatin1String(t.caption)));
                if (c.id < 0)
                    ids[c.id] = q.value(0).toLongLong();
                q.finish();
            } else if (q.numRowsAffected() != 1) {
                const QString conflict = ConflictMessage(t, c.id);
                Fail(what, conflict, true);
            }
        }
        batchStatements_.clear();
        statements.clear();
        Commit(what);
    } catch (const StoreError&) {
        statements.clear();
        batchStatements_.clear();
        Rollback();
        throw;
    }
    return ids;
}

void RightsStore::UpdateBatch(const std::vector<StoreChange>& changes, size_t from, size_t to, const QString& now,
                              const std::function<void(QSqlQuery&, const StoreTable&, const StoreChange&)>& bindValues)
{
    const QString what = QStringLiteral("Cannot save to the store");
    const StoreChange& first = changes[from];
    const StoreTable& t = Table(first.table);
    const int rows = int(to - from);
    const auto key = std::make_pair(int(first.table), rows);
    auto it = batchStatements_.find(key);
    if (it == batchStatements_.end()) {
        QStringList sets, names{QStringLiteral("id"), QStringLiteral("version_read")}, casts;
        casts << QStringLiteral("CAST(? AS BIGINT)") << QStringLiteral("CAST(? AS BIGINT)");
        for (const StoreColumn& col : t.columns) {
            sets << QStringLiteral("%1 = v.%1").arg(QLatin1String(col.name));
            names << QLatin1String(col.name);
            const char* type = col.kind == ColumnKind::Text || col.kind == ColumnKind::Secret ? "TEXT"
                             : col.kind == ColumnKind::Blob                                   ? "BYTEA"
                             : col.kind == ColumnKind::Flag || col.kind == ColumnKind::TriState ? "SMALLINT"
                                                                                               : "BIGINT";
            casts << QStringLiteral("CAST(? AS %1)").arg(QLatin1String(type));
        }
        const QString row = QLatin1Char('(') + casts.join(QLatin1String(", ")) + QLatin1Char(')');
        QStringList values;
        for (int i = 0; i < rows; ++i)
            values << row;
        const QString sql = QStringLiteral("UPDATE %1 AS t SET %2, version = t.version + 1, changed_at = ? FROM (VALUES %3) "
                                           "AS v (%4) WHERE t.id = v.id AND t.version = v.version_read RETURNING t.id")
                                .arg(QLatin1String(t.name), sets.join(QLatin1String(", ")), values.join(QLatin1String(", ")),
                                     names.join(QLatin1String(", ")));
        it = batchStatements_.emplace(key, Prepare(sql)).first;
    }
    QSqlQuery& q = it->second;
    q.addBindValue(now);
    for (size_t n = from; n < to; ++n) {
        q.addBindValue(changes[n].id);
        q.addBindValue(changes[n].version);
        bindValues(q, t, changes[n]);
    }
    Exec(q, what);
    std::set<qint64> updated;
    while (q.next())
        updated.insert(q.value(0).toLongLong());
    q.finish();
    for (size_t n = from; n < to; ++n)
        if (!updated.erase(changes[n].id))
            Fail(what, ConflictMessage(t, changes[n].id), true);
}

void RightsStore::ReplaceAll(const std::map<TableId, std::vector<StoreRecord>>& content, const Progress& progress)
{
    const QString what = QStringLiteral("Cannot import into the store");
    for (const auto& [id, records] : content)
        for (const StoreRecord& r : records)
            CheckValues(Table(id), r.values, what);
    const bool postgres = location_.GetKind() == StoreLocation::Kind::Postgres;
    const auto& tables = StoreTables();
    qint64 total = 0, done = 0;
    for (const auto& [id, records] : content)
        total += qint64(records.size());
    auto report = [&] {
        if (progress && !progress(done, total))
            throw StoreError(QStringLiteral("The import was cancelled; the store is as it was."));
    };
    Begin(what);
    try {
        for (auto t = tables.rbegin(); t != tables.rend(); ++t) {
            QSqlQuery q = Prepare(QStringLiteral("DELETE FROM %1").arg(QLatin1String(t->name)));
            Exec(q, what);
        }
        for (size_t i = 0; i < tables.size(); ++i) {
            const StoreTable& t = tables[i];
            const auto found = content.find(TableId(i));
            if (found != content.end() && !found->second.empty()) {
                QSqlQuery q = Prepare(QStringLiteral("INSERT INTO %1 (id, version, changed_at, %2) VALUES (?, ?, ?, %3)")
                                          .arg(QLatin1String(t.name), ColumnList(t), Placeholders(int(t.columns.size()))));
                for (const StoreRecord& r : found->second) {
                    q.addBindValue(r.id);
                    q.addBindValue(r.version);
                    q.addBindValue(r.changedAt);
                    for (int c = 0; c < r.values.size(); ++c)
                        q.addBindValue(Bound(t.columns[size_t(c)], r.values[c]));
                    Exec(q, what);
                    if (++done % 256 == 0)
                        report();
                }
            }
            if (postgres) {
                // Ids given by the store continue after the imported ones.
                QSqlQuery q = Prepare(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), "
                                                     "COALESCE((SELECT MAX(id) FROM %1), 0) + 1, false)")
                                          .arg(QLatin1String(t.name)));
                Exec(q, what);
            }
        }
        // The last word before the commit: a cancel here still leaves nothing.
        report();
        Commit(what);
    } catch (const StoreError&) {
        Rollback();
        throw;
    }
}
