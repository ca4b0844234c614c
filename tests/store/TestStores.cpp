#include "store/TestStores.h"

#include <stdexcept>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTemporaryDir>
#include <QUuid>

namespace {

QString Run(const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(ORGRIGHTS_PG_CLUSTER_SCRIPT), args);
    if (!p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        throw std::runtime_error("pg-cluster.sh " + args.join(QLatin1Char(' ')).toStdString() + " failed: "
                                 + QString::fromLocal8Bit(p.readAll()).toStdString());
    return QString::fromLocal8Bit(p.readAll());
}

// The fixture's server when CTest started one, else a private one for this
// program, stopped when the program ends.
struct Server {
    QString dir;
    bool own = false;
    int port = 0;

    Server()
    {
        QFile fixture(QStringLiteral(ORGRIGHTS_PG_FIXTURE_DIR "/port"));
        if (fixture.open(QIODevice::ReadOnly)) {
            port = QString::fromLatin1(fixture.readAll()).trimmed().toInt();
            dir = QStringLiteral(ORGRIGHTS_PG_FIXTURE_DIR);
            if (Reachable())
                return;
        }
        dir = QDir::temp().filePath(QStringLiteral("orgrights-pg-%1").arg(QUuid::createUuid().toString(QUuid::Id128).left(12)));
        own = true;
        Run({QStringLiteral("start"), dir});
        QFile f(dir + QStringLiteral("/port"));
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error("the PostgreSQL server wrote no port");
        port = QString::fromLatin1(f.readAll()).trimmed().toInt();
    }
    ~Server()
    {
        if (own) {
            try {
                Run({QStringLiteral("stop"), dir});
            } catch (...) {
            }
        }
    }
    bool Reachable()
    {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-probe"));
            db.setHostName(QStringLiteral("127.0.0.1"));
            db.setPort(port);
            db.setUserName(QStringLiteral("postgres"));
            db.setDatabaseName(QStringLiteral("postgres"));
            ok = db.open();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("test-probe"));
        return ok;
    }
};

Server& TheServer()
{
    static Server server;
    return server;
}

} // namespace

void TestStores::Admin(const QString& statement)
{
    const QString name = QStringLiteral("test-admin");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(TheServer().port);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            if (!q.exec(statement))
                error = q.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!error.isEmpty())
        throw std::runtime_error(statement.toStdString() + ": " + error.toStdString());
}

std::string BackendName(Backend backend)
{
    return backend == Backend::Sqlite ? "Sqlite" : "Postgres";
}

struct TestStores::Private {
    QTemporaryDir folder;
    QStringList databases;
};

TestStores::TestStores() : d(std::make_unique<Private>()) {}

TestStores::~TestStores()
{
    for (const QString& db : d->databases) {
        try {
            Admin(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(db));
        } catch (...) {
        }
    }
}

int TestStores::PostgresPort()
{
    return TheServer().port;
}

QString TestStores::NewStore(Backend backend)
{
    static int counter = 0;
    ++counter;
    if (backend == Backend::Sqlite)
        return d->folder.filePath(QStringLiteral("store%1/rights.db").arg(counter));
    const QString name = QStringLiteral("t%1_%2").arg(QUuid::createUuid().toString(QUuid::Id128).left(16)).arg(counter);
    Admin(QStringLiteral("CREATE DATABASE %1").arg(name));
    d->databases << name;
    return QStringLiteral("postgresql://postgres@127.0.0.1:%1/%2").arg(PostgresPort()).arg(name);
}
