#pragma once

// Fresh stores for the store tests: an SQLite file in a temporary folder, or a
// new database on the suite's PostgreSQL server (the CTest fixture's, or one
// this program starts for itself and stops at exit).

#include <memory>
#include <string>

#include <QString>

#include "store/StoreLocation.h"

enum class Backend { Sqlite, Postgres };

std::string BackendName(Backend backend);

class TestStores {
public:
    TestStores();
    ~TestStores();
    // A location where no store is yet. Throws std::runtime_error when the
    // PostgreSQL server cannot be reached.
    QString NewStore(Backend backend);
    // The port of the PostgreSQL server, started on first need.
    static int PostgresPort();
    // Runs a statement as the server's superuser, in its "postgres" database.
    static void Admin(const QString& statement);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
