#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "platform/canvas/pictures/SignaturePicture.h"
#include "store/PasswordHash.h"
#include "store/RightsStore.h"
#include "store/StoreError.h"
#include "store/StoreJson.h"
#include "store/TestStores.h"

namespace {

QVariantList UserValues(const QString& login, const QString& name, const QVariant& hash = {},
                        const QVariant& picture = {}, const QString& note = {})
{
    return {login, name, hash, picture, 1, note.isNull() ? QVariant() : QVariant(note)};
}

QVariantList PostValues(const QString& code, const QString& name)
{
    return {code, name, QVariant()};
}

QVariantList UnitValues(const QVariant& parent, int position, UnitKind kind, const QString& name)
{
    return {parent, position, int(kind), name, QVariant(), QVariant(), 0, QVariant()};
}

QByteArray Png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

std::string Message(const std::function<void()>& f)
{
    try {
        f();
    } catch (const StoreError& e) {
        return e.Message().toStdString();
    }
    return "(no error)";
}

class StoreTest : public ::testing::TestWithParam<Backend> {
protected:
    std::unique_ptr<RightsStore> Open(const QString& location)
    {
        auto store = RightsStore::Open(StoreLocation::Parse(location));
        store->SetPictureCheck(CheckSignaturePicture);
        return store;
    }
    std::unique_ptr<RightsStore> OpenNew()
    {
        where = stores.NewStore(GetParam());
        return Open(where);
    }
    // A user, a post and a unit tree of three, saved.
    void AddSample(RightsStore& store)
    {
        store.Save({
            StoreChange::Insert(TableId::Post, PostValues(QStringLiteral("T.TM.FZ"), QStringLiteral("副总经理")), -1),
            StoreChange::Insert(TableId::User, UserValues(QStringLiteral("Zhengl"), QStringLiteral("郑林")), -2),
            StoreChange::Insert(TableId::OrgUnit, UnitValues({}, 0, UnitKind::Company, QStringLiteral("塔维克建筑有限公司")), -3),
            StoreChange::Insert(TableId::OrgUnit, UnitValues(-3, 0, UnitKind::Department, QStringLiteral("董事会")), -4),
            StoreChange::Insert(TableId::OrgUnit, UnitValues(-4, 0, UnitKind::Post, QStringLiteral("0.总经理")), -5),
            StoreChange::Insert(TableId::UserPost, {-2, -1, -4}),
        });
    }

    // Works on the store's database directly, past the store's checks.
    static void Raw(const StoreLocation& location, const std::function<void(QSqlQuery&)>& use)
    {
        const bool postgres = location.GetKind() == StoreLocation::Kind::Postgres;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(postgres ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            if (postgres) {
                db.setHostName(location.Host());
                db.setPort(location.Port());
                db.setUserName(location.User());
                db.setDatabaseName(location.Database());
            } else {
                QDir().mkpath(QFileInfo(location.Path()).absolutePath());
                db.setDatabaseName(location.Path());
            }
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            use(q);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    TestStores stores;
    QString where;
};

TEST_P(StoreTest, NewStoreIsCreatedOnceAndSavesRoundTrip)
{
    {
        auto store = OpenNew();
        EXPECT_TRUE(store->Created());
        EXPECT_EQ(store->SchemaVersion(), CurrentSchemaVersion);
        AddSample(*store);
    }
    auto store = Open(where);
    EXPECT_FALSE(store->Created());
    const auto units = store->Load(TableId::OrgUnit);
    ASSERT_EQ(units.size(), 3u);
    // Placeholders became the ids the store gave.
    EXPECT_TRUE(units[0].values[Col::UnitParent].isNull());
    EXPECT_EQ(units[1].values[Col::UnitParent].toLongLong(), units[0].id);
    EXPECT_EQ(units[2].values[Col::UnitParent].toLongLong(), units[1].id);
    EXPECT_EQ(units[2].values[Col::UnitName].toString(), QStringLiteral("0.总经理"));
    EXPECT_EQ(units[2].version, 1);
    const auto held = store->Load(TableId::UserPost);
    ASSERT_EQ(held.size(), 1u);
    EXPECT_EQ(held[0].values[Col::UserPostUnit].toLongLong(), units[1].id);

    // An update counts the version up; a delete removes the record.
    QVariantList renamed = units[2].values;
    renamed[Col::UnitName] = QStringLiteral("0.总经理(新)");
    store->Save({StoreChange::Update(TableId::OrgUnit, units[2], renamed)});
    const auto after = store->Load(TableId::OrgUnit);
    EXPECT_EQ(after[2].version, 2);
    EXPECT_EQ(after[2].values[Col::UnitName].toString(), QStringLiteral("0.总经理(新)"));
    store->Save({StoreChange::Delete(TableId::OrgUnit, after[2])});
    EXPECT_EQ(store->Count(TableId::OrgUnit), 2);
}

TEST_P(StoreTest, HostileTextsAreStoredAsTheyAre)
{
    auto store = OpenNew();
    const QStringList texts = {QStringLiteral("'); DROP TABLE users; --"), QStringLiteral("%_\\"),
                               QStringLiteral("\"quoted\" 'single' `back`"), QStringLiteral("$1 ? :name @x"),
                               QStringLiteral("塔维克\t\n结尾 ")};
    std::vector<StoreChange> changes;
    for (int i = 0; i < texts.size(); ++i)
        changes.push_back(StoreChange::Insert(TableId::User, UserValues(texts[i].left(60) + QString::number(i), texts[i], {}, {}, texts[i])));
    store->Save(changes);
    // Updates travel another way (in batches on PostgreSQL): the texts again, reversed.
    changes.clear();
    const auto inserted = store->Load(TableId::User);
    for (int i = 0; i < texts.size(); ++i) {
        QVariantList v = inserted[size_t(i)].values;
        v[Col::UserNote] = texts[texts.size() - 1 - i];
        changes.push_back(StoreChange::Update(TableId::User, inserted[size_t(i)], v));
    }
    store->Save(changes);
    auto reopened = Open(where);
    const auto users = reopened->Load(TableId::User);
    ASSERT_EQ(users.size(), size_t(texts.size()));
    for (int i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(users[size_t(i)].values[Col::UserLogin].toString(), texts[i].left(60) + QString::number(i));
        EXPECT_EQ(users[size_t(i)].values[Col::UserName].toString(), texts[i]);
        EXPECT_EQ(users[size_t(i)].values[Col::UserNote].toString(), texts[texts.size() - 1 - i]);
        EXPECT_EQ(users[size_t(i)].version, 2);
    }
}

TEST_P(StoreTest, BadValuesAreRefusedAndNothingOfTheSaveIsWritten)
{
    auto store = OpenNew();
    AddSample(*store);
    const QString hash = HashPassword(QStringLiteral("secret-password"));
    struct Case {
        const char* what;
        QVariantList values;
        const char* message;
    } cases[] = {
        {"login too long", UserValues(QString(65, QLatin1Char('x')), QStringLiteral("n")), "longer than 64"},
        {"empty name", UserValues(QStringLiteral("a"), QStringLiteral("  ")), "is empty"},
        {"missing login", {QVariant(), QStringLiteral("n"), QVariant(), QVariant(), 1, QVariant()}, "is missing"},
        {"duplicate login", UserValues(QStringLiteral("Zhengl"), QStringLiteral("n")), "Cannot save to the store"},
        {"plain password", UserValues(QStringLiteral("a"), QStringLiteral("n"), QStringLiteral("secret-password")), "not an Argon2id hash"},
        {"not a picture", UserValues(QStringLiteral("a"), QStringLiteral("n"), hash, QByteArray("GIF89a....")), "not a PNG, JPEG or BMP"},
        {"picture too wide", UserValues(QStringLiteral("a"), QStringLiteral("n"), hash, Png(2001, 10)), "2000 × 2000"},
        {"too few values", {QStringLiteral("a")}, "needs 6 values"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // The post before the bad user must not be written either.
        const std::string message = Message([&] {
            store->Save({StoreChange::Insert(TableId::Post, PostValues(QStringLiteral("NEW"), QStringLiteral("新岗位"))),
                         StoreChange::Insert(TableId::User, c.values)});
        });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message.find(QFileInfo(where).fileName().toStdString()), std::string::npos) << message;
        EXPECT_EQ(store->Count(TableId::Post), 1);
        EXPECT_EQ(store->Count(TableId::User), 1);
    }
    // A flag outside 0 and 1, and a reference to nothing.
    const auto units = store->Load(TableId::OrgUnit);
    QVariantList bad = units[0].values;
    bad[Col::UnitAdminEnabled] = 2;
    EXPECT_NE(Message([&] { store->Save({StoreChange::Update(TableId::OrgUnit, units[0], bad)}); }).find("0 or 1"), std::string::npos);
    EXPECT_NE(Message([&] { store->Save({StoreChange::Insert(TableId::UnitUser, {units[0].id, 9999})}); }).find("Cannot save"),
              std::string::npos);
    EXPECT_EQ(store->Load(TableId::OrgUnit)[0].version, 1);
    EXPECT_EQ(store->Count(TableId::UnitUser), 0);
}

TEST_P(StoreTest, PasswordsAndPicturesRoundTrip)
{
    auto store = OpenNew();
    const QString hash = HashPassword(QStringLiteral("correct horse"));
    EXPECT_TRUE(hash.startsWith(QLatin1String("$argon2id$")));
    EXPECT_TRUE(VerifyPassword(hash, QStringLiteral("correct horse")));
    EXPECT_FALSE(VerifyPassword(hash, QStringLiteral("correct horsE")));
    const QByteArray picture = Png(120, 40);
    store->Save({StoreChange::Insert(TableId::User, UserValues(QStringLiteral("Hep"), QStringLiteral("何平"), hash, picture))});
    const auto users = Open(where)->Load(TableId::User);
    EXPECT_EQ(users[0].values[Col::UserPassword].toString(), hash);
    EXPECT_EQ(users[0].values[Col::UserSignature].toByteArray(), picture);
}

TEST_P(StoreTest, TheLaterOfTwoSavesOfOneRecordIsRefused)
{
    auto first = OpenNew();
    AddSample(*first);
    auto second = Open(where);
    const auto readByFirst = first->Load(TableId::User);
    const auto readBySecond = second->Load(TableId::User);
    QVariantList a = readByFirst[0].values;
    a[Col::UserName] = QStringLiteral("郑林一");
    first->Save({StoreChange::Update(TableId::User, readByFirst[0], a)});

    QVariantList b = readBySecond[0].values;
    b[Col::UserName] = QStringLiteral("郑林二");
    const std::string message = Message([&] {
        second->Save({StoreChange::Insert(TableId::Post, PostValues(QStringLiteral("P2"), QStringLiteral("岗位二"))),
                      StoreChange::Update(TableId::User, readBySecond[0], b)});
    });
    const QString changedAt = first->Load(TableId::User)[0].changedAt;
    EXPECT_NE(message.find("user “Zhengl” was changed by someone else"), std::string::npos) << message;
    EXPECT_NE(message.find(changedAt.left(10).toStdString() + " " + changedAt.mid(11, 8).toStdString() + " UTC"), std::string::npos)
        << message;
    EXPECT_EQ(second->Load(TableId::User)[0].values[Col::UserName].toString(), QStringLiteral("郑林一"));
    EXPECT_EQ(second->Count(TableId::Post), 1);

    // A record deleted by the first is refused to the second alike.
    const auto posts = second->Load(TableId::Post);
    first->Save({StoreChange::Delete(TableId::UserPost, first->Load(TableId::UserPost)[0])});
    first->Save({StoreChange::Delete(TableId::Post, first->Load(TableId::Post)[0])});
    EXPECT_NE(Message([&] { second->Save({StoreChange::Delete(TableId::Post, posts[0])}); }).find("was deleted by someone else"),
              std::string::npos);

    // One stale record among several updates of a table refuses them all.
    const auto units = second->Load(TableId::OrgUnit);
    QVariantList moved = units[1].values;
    moved[Col::UnitPosition] = 5;
    first->Save({StoreChange::Update(TableId::OrgUnit, units[1], moved)});
    std::vector<StoreChange> renames;
    for (const StoreRecord& u : units) {
        QVariantList v = u.values;
        v[Col::UnitName] = v[Col::UnitName].toString() + QStringLiteral("·");
        renames.push_back(StoreChange::Update(TableId::OrgUnit, u, v));
    }
    EXPECT_NE(Message([&] { second->Save(renames); }).find("organisation unit “董事会” was changed"), std::string::npos);
    const auto after = second->Load(TableId::OrgUnit);
    EXPECT_EQ(after[0].values[Col::UnitName].toString(), QStringLiteral("塔维克建筑有限公司"));
    EXPECT_EQ(after[2].version, 1);
}

TEST_P(StoreTest, AnOlderStoreIsMigratedAndANewerOneRefusedUntouched)
{
    where = stores.NewStore(GetParam());
    const bool postgres = GetParam() == Backend::Postgres;
    const StoreLocation location = StoreLocation::Parse(where);
    auto raw = [&](const std::function<void(QSqlQuery&)>& use) { Raw(location, use); };
    // A store as the first schema made it, with one user.
    raw([&](QSqlQuery& q) {
        for (const QString& sql : MigrationStatements(1, postgres))
            ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO orgrights_meta (key, value) VALUES ('schema_version', '1')")));
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO users (id, version, changed_at, login, name, enabled) "
                                          "VALUES (7, 3, '2026-01-02T03:04:05.000Z', 'Maj', '马骏', 1)")));
    });
    {
        auto store = Open(where);
        EXPECT_FALSE(store->Created());
        EXPECT_EQ(store->SchemaVersion(), CurrentSchemaVersion);
        EXPECT_EQ(store->Count(TableId::Trust), 0);
        const auto users = store->Load(TableId::User);
        ASSERT_EQ(users.size(), 1u);
        EXPECT_EQ(users[0].id, 7);
        EXPECT_EQ(users[0].version, 3);
        EXPECT_EQ(users[0].values[Col::UserName].toString(), QStringLiteral("马骏"));
    }
    raw([&](QSqlQuery& q) { ASSERT_TRUE(q.exec(QStringLiteral("UPDATE orgrights_meta SET value = '99' WHERE key = 'schema_version'"))); });
    QByteArray before;
    if (!postgres) {
        // Without its log, so that the file alone is the whole store.
        raw([&](QSqlQuery& q) { q.exec(QStringLiteral("PRAGMA journal_mode = DELETE")); });
        QFile f(location.Path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        before = f.readAll();
    }
    const std::string message = Message([&] { Open(where); });
    EXPECT_NE(message.find("schema version 99 is newer than this program's (2)"), std::string::npos) << message;
    EXPECT_NE(message.find("The store was not changed"), std::string::npos) << message;
    if (!postgres) {
        QFile f(location.Path());
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_TRUE(f.readAll() == before);
    }
    raw([&](QSqlQuery& q) {
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT value FROM orgrights_meta WHERE key = 'schema_version'")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("99"));
    });
}

TEST_P(StoreTest, AFailedMigrationChangesNothing)
{
    where = stores.NewStore(GetParam());
    const StoreLocation location = StoreLocation::Parse(where);
    const bool postgres = GetParam() == Backend::Postgres;
    // A first-version store in which a table of the second version's name
    // already stands in the way, after two others the migration makes first.
    Raw(location, [&](QSqlQuery& q) {
        for (const QString& sql : MigrationStatements(1, postgres))
            ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO orgrights_meta (key, value) VALUES ('schema_version', '1')")));
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE resource (x INTEGER)")));
    });
    const std::string message = Message([&] { Open(where); });
    EXPECT_NE(message.find("Cannot migrate the store"), std::string::npos) << message;
    Raw(location, [&](QSqlQuery& q) {
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT value FROM orgrights_meta WHERE key = 'schema_version'")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("1"));
        q.finish();
        EXPECT_FALSE(q.exec(QStringLiteral("SELECT COUNT(*) FROM trust")));
    });
}

TEST_P(StoreTest, ExportImportExportGivesTheSameJsonOnEitherBackEnd)
{
    auto source = OpenNew();
    AddSample(*source);
    const auto users = source->Load(TableId::User);
    QVariantList v = users[0].values;
    v[Col::UserPassword] = HashPassword(QStringLiteral("12345678"));
    v[Col::UserSignature] = Png(30, 10);
    v[Col::UserNote] = QStringLiteral("'); DROP TABLE users; --");
    source->Save({StoreChange::Update(TableId::User, users[0], v)});
    const QByteArray withSecrets = ExportStoreJson(*source, true);
    const QByteArray without = ExportStoreJson(*source, false);
    EXPECT_TRUE(withSecrets.contains("$argon2id$"));
    EXPECT_FALSE(without.contains("argon2id"));
    EXPECT_FALSE(without.contains("password_hash"));

    for (Backend target : {Backend::Sqlite, Backend::Postgres}) {
        SCOPED_TRACE(BackendName(target));
        auto copy = Open(stores.NewStore(target));
        ImportStoreJson(*copy, withSecrets);
        EXPECT_EQ(ExportStoreJson(*copy, true).toStdString(), withSecrets.toStdString());
        // New records continue after the imported ids.
        copy->Save({StoreChange::Insert(TableId::Post, PostValues(QStringLiteral("AFTER"), QStringLiteral("后")))});
        EXPECT_EQ(copy->Load(TableId::Post).back().id, copy->Load(TableId::Post).front().id + 1);

        // Without secrets the passwords stay unset.
        auto plain = Open(stores.NewStore(target));
        ImportStoreJson(*plain, without);
        EXPECT_TRUE(plain->Load(TableId::User)[0].values[Col::UserPassword].isNull());
        EXPECT_EQ(ExportStoreJson(*plain, false).toStdString(), without.toStdString());
    }
}

TEST_P(StoreTest, ABrokenImportChangesNothing)
{
    auto store = OpenNew();
    AddSample(*store);
    const QByteArray good = ExportStoreJson(*store, false);
    QByteArray danglingParent = good;
    danglingParent.replace("\"parent_id\": 2", "\"parent_id\": 555");
    ASSERT_NE(danglingParent, good);
    struct Case {
        const char* what;
        QByteArray json;
        const char* message;
    } cases[] = {
        {"not JSON", "{ nope", "not a valid store export"},
        {"other format", R"({"format": "x", "formatVersion": 1})", "\"format\" is not"},
        {"newer format", R"({"format": "orgrights-store", "formatVersion": 2, "schemaVersion": 1, "tables": {}})", "format version 2"},
        {"unknown table", R"({"format": "orgrights-store", "formatVersion": 1, "schemaVersion": 2, "tables": {"x": []}})", "unknown table"},
        {"bad record", R"({"format": "orgrights-store", "formatVersion": 1, "schemaVersion": 2, "tables": {"post": [{"id": 1}]}})", "record 1"},
        {"dangling reference", danglingParent, "Cannot import into the store"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string message = Message([&] { ImportStoreJson(*store, c.json); });
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(ExportStoreJson(*store, false), good);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreTest, ::testing::Values(Backend::Sqlite, Backend::Postgres),
                         [](const auto& p) { return BackendName(p.param); });

} // namespace
