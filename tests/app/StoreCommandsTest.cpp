#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/StoreCommands.h"
#include "store/RightsStore.h"
#include "store/StoreJson.h"
#include "support/ScreenTest.h"

namespace {

class StoreCommands : public ScreenFixture<> {
protected:
    CommandLine Command(CommandLine::Action action, const QString& store, const QString& file = {}, bool secrets = false)
    {
        CommandLine c;
        c.action = action;
        c.store = folder.filePath(store);
        c.file = file.isEmpty() ? QString() : folder.filePath(file);
        c.withSecrets = secrets;
        return c;
    }
    QByteArray Read(const QString& file)
    {
        QFile f(folder.filePath(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

QString ValueOf(const StoreRecord& r, int column)
{
    return r.values[column].toString();
}

} // namespace

TEST_F(StoreCommands, ANewStoreHoldsTheDesignedSampleContentOnce)
{
    auto store = OpenCommandStore(Command(CommandLine::Action::Launcher, QStringLiteral("a.db")));
    EXPECT_EQ(store->Count(TableId::OrgUnit), 29);
    EXPECT_EQ(store->Count(TableId::Post), 3);
    EXPECT_EQ(store->Count(TableId::User), 4);
    EXPECT_EQ(store->Count(TableId::Function), 11);

    const auto units = store->Load(TableId::OrgUnit);
    auto unit = [&](qint64 id) -> const StoreRecord& { return units[size_t(id - units.front().id)]; };
    auto path = [&](qint64 id) {
        QStringList parts;
        for (; id; id = unit(id).values[Col::UnitParent].toLongLong())
            parts.prepend(ValueOf(unit(id), Col::UnitName));
        return parts.join(QLatin1Char('\\'));
    };
    // The organisation screen's fuller tree, its pictures as kinds.
    EXPECT_EQ(path(units.back().id), QStringLiteral("塔维克建筑有限公司\\监事会"));
    EXPECT_EQ(ValueOf(unit(12), Col::UnitName), QStringLiteral("0.土木公司"));
    EXPECT_EQ(unit(12).values[Col::UnitKind].toInt(), int(UnitKind::Company));
    EXPECT_EQ(ValueOf(unit(12), Col::UnitCode), QStringLiteral("T.TM"));

    // Zhengl holds the user screen's three posts, Hep the role dialog's.
    const auto users = store->Load(TableId::User);
    EXPECT_EQ(ValueOf(users[0], Col::UserLogin), QStringLiteral("Zhengl"));
    EXPECT_TRUE(users[0].values[Col::UserPassword].isNull());
    EXPECT_TRUE(ValueOf(users[1], Col::UserPassword).startsWith(QLatin1String("$argon2id$")));
    EXPECT_EQ(users[3].values[Col::UserEnabled].toInt(), 0);
    QStringList held;
    for (const StoreRecord& r : store->Load(TableId::UserPost))
        held << QStringLiteral("%1@%2").arg(r.values[Col::UserPostUser].toLongLong()).arg(path(r.values[Col::UserPostUnit].toLongLong()));
    EXPECT_EQ(held.join(QLatin1Char(' ')),
              QStringLiteral("1@塔维克建筑有限公司\\董事会\\总经理办公室\\7.全资子公司\\0.土木公司 "
                             "1@塔维克建筑有限公司\\董事会\\总经理办公室\\7.全资子公司\\0.土木公司\\5.经营部 "
                             "1@塔维克建筑有限公司\\董事会\\总经理办公室\\7.全资子公司\\0.土木公司\\8.北京项目部 "
                             "2@塔维克建筑有限公司\\董事会\\总经理办公室\\7.全资子公司\\0.土木公司"));

    // Page 4's flags, as rights of the post 副总经理: "T" is 1, "FALSE" 0, empty unset.
    const auto rights = store->Load(TableId::Right);
    ASSERT_EQ(rights.size(), 11u);
    EXPECT_EQ(ValueOf(unit(rights[0].values[Col::RightHolder].toLongLong()), Col::UnitName), QStringLiteral("1.副总经理"));
    EXPECT_EQ(rights[0].values[Col::BrowseOwn].toInt(), 1);
    EXPECT_EQ(rights[0].values[Col::Audit].toInt(), 0);
    EXPECT_TRUE(rights[0].values[Col::Policy].isNull());
    EXPECT_EQ(rights[4].values[Col::Policy].toInt(), 1);
    EXPECT_EQ(store->Count(TableId::DeptAdmin), 2);
    EXPECT_EQ(store->Count(TableId::AdminFunction), 7);
    EXPECT_EQ(store->Count(TableId::Subordination), 4);
    EXPECT_EQ(store->Count(TableId::Trust), 1);
    EXPECT_EQ(store->Count(TableId::ResourcePolicy), 1);

    store.reset();
    // Opening it again seeds nothing more.
    EXPECT_EQ(OpenCommandStore(Command(CommandLine::Action::StoreInfo, QStringLiteral("a.db")))->Count(TableId::User), 4);
}

TEST_F(StoreCommands, ExportWithSecretsIsTheOwnersAloneAndImportsBackIdentically)
{
    ASSERT_EQ(RunStoreCommand(Command(CommandLine::Action::Export, QStringLiteral("a.db"), QStringLiteral("plain.json"))), 0);
    ASSERT_EQ(RunStoreCommand(Command(CommandLine::Action::Export, QStringLiteral("a.db"), QStringLiteral("secret.json"), true)), 0);
    EXPECT_FALSE(Read(QStringLiteral("plain.json")).contains("password_hash"));
    EXPECT_TRUE(Read(QStringLiteral("secret.json")).contains("$argon2id$"));
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther;
    EXPECT_EQ(QFileInfo(folder.filePath(QStringLiteral("secret.json"))).permissions() & others, 0);

    ASSERT_EQ(RunStoreCommand(Command(CommandLine::Action::Import, QStringLiteral("b.db"), QStringLiteral("secret.json"))), 0);
    ASSERT_EQ(RunStoreCommand(Command(CommandLine::Action::Export, QStringLiteral("b.db"), QStringLiteral("again.json"), true)), 0);
    EXPECT_EQ(Read(QStringLiteral("again.json")), Read(QStringLiteral("secret.json")));

    // A file that cannot be read leaves no store behind.
    EXPECT_EQ(RunStoreCommand(Command(CommandLine::Action::Import, QStringLiteral("c.db"), QStringLiteral("missing.json"))), 1);
    EXPECT_FALSE(QFileInfo::exists(folder.filePath(QStringLiteral("c.db"))));
}
