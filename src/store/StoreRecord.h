#pragma once

// One record of a store table and one change of a save.

#include <QtCore/QString>
#include <QtCore/QVariant>
#include <QtCore/QVariantList>

#include "store/StoreSchema.h"

struct StoreRecord {
    qint64 id = 0;
    qint64 version = 0;  // counted up by every save that changes the record
    QString changedAt;   // UTC, ISO 8601 with milliseconds
    QVariantList values; // one per column of the table; a null QVariant for NULL

    // The id a reference column holds; 0 for NULL.
    qint64 RefOf(int column) const { return values[column].isNull() ? 0 : values[column].toLongLong(); }
};

struct StoreChange {
    enum class Kind { Insert, Update, Delete };
    Kind kind = Kind::Update;
    TableId table = TableId::Post;
    // Insert: a negative placeholder that later changes of the same save may
    // use in reference columns, or 0. Update and Delete: the record.
    qint64 id = 0;
    qint64 version = 0; // Update and Delete: the version that was read
    QVariantList values;

    static StoreChange Insert(TableId table, QVariantList values, qint64 placeholder = 0)
    {
        return {Kind::Insert, table, placeholder, 0, std::move(values)};
    }
    static StoreChange Update(TableId table, const StoreRecord& read, QVariantList values)
    {
        return {Kind::Update, table, read.id, read.version, std::move(values)};
    }
    static StoreChange Delete(TableId table, const StoreRecord& read)
    {
        return {Kind::Delete, table, read.id, read.version, {}};
    }
};
