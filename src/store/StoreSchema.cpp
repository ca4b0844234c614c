#include "store/StoreSchema.h"

#include <cstring>

#include <QtCore/QStringList>

namespace {

StoreColumn Text(const char* name, int maxLength, bool nullable = false, bool unique = false)
{
    return {name, ColumnKind::Text, nullable, maxLength, nullptr, unique};
}

StoreColumn Ref(const char* name, const char* table, bool nullable = false)
{
    return {name, ColumnKind::Ref, nullable, 0, table, false};
}

StoreColumn Int(const char* name)
{
    return {name, ColumnKind::Integer};
}

StoreColumn Flag(const char* name)
{
    return {name, ColumnKind::Flag};
}

StoreColumn Tri(const char* name)
{
    return {name, ColumnKind::TriState, true};
}

std::vector<StoreTable> MakeTables()
{
    std::vector<StoreTable> t;
    t.push_back({"post", "post",
                 {Text("code", MaxCodeLength, false, true), Text("name", MaxNameLength), Text("note", MaxNoteLength, true)},
                 0});
    t.push_back({"users", "user",
                 {Text("login", MaxCodeLength, false, true), Text("name", MaxNameLength),
                  {"password_hash", ColumnKind::Secret, true, 512}, {"signature", ColumnKind::Blob, true},
                  Flag("enabled"), Text("note", MaxNoteLength, true)},
                 0});
    // Companies, departments or bodies, and posts in one ordered tree; a post
    // unit may stand for an entry of the post dictionary.
    t.push_back({"org_unit", "organisation unit",
                 {Ref("parent_id", "org_unit", true), Int("position"), Int("kind"), Text("name", MaxNameLength),
                  Text("code", MaxCodeLength, true), Ref("post_id", "post", true), Flag("admin_enabled"),
                  Text("note", MaxNoteLength, true)},
                 3});
    // The posts attached to a department and the people working in it (department dialog).
    t.push_back({"unit_post", "post of a unit", {Ref("unit_id", "org_unit"), Ref("post_id", "post")}, -1, 1,
                 "unit_id, post_id"});
    t.push_back({"unit_user", "user of a unit", {Ref("unit_id", "org_unit"), Ref("user_id", "users")}, -1, 1,
                 "unit_id, user_id"});
    // A post a user holds, in the unit where it is held (the user screen's path).
    t.push_back({"user_post", "post of a user",
                 {Ref("user_id", "users"), Ref("post_id", "post"), Ref("unit_id", "org_unit", true)}, -1, 1,
                 "user_id, post_id, unit_id"});
    t.push_back({"sys_function", "system function",
                 {Ref("parent_id", "sys_function", true), Int("position"), Text("name", MaxNameLength),
                  Text("code", MaxCodeLength, true), Text("note", MaxNoteLength, true)},
                 2});
    // The six flags of a unit's or post's rights on one function.
    t.push_back({"access_right", "right",
                 {Ref("holder_id", "org_unit"), Ref("function_id", "sys_function"), Tri("browse_own"), Tri("edit_own"),
                  Tri("browse_all"), Tri("edit_all"), Tri("audit"), Tri("policy")},
                 -1, 1, "holder_id, function_id"});
    t.push_back({"dept_admin", "department administrator", {Ref("unit_id", "org_unit"), Ref("user_id", "users")}, -1,
                 1, "unit_id, user_id"});
    t.push_back({"admin_function", "function of department administrators",
                 {Ref("unit_id", "org_unit"), Ref("function_id", "sys_function")}, -1, 1, "unit_id, function_id"});
    // A unit, or a person in a unit, under the administration of another unit.
    t.push_back({"subordination", "subordination",
                 {Ref("unit_id", "org_unit"), Ref("target_unit_id", "org_unit"), Ref("target_user_id", "users", true),
                  Int("position")},
                 -1, 1});
    t.push_back({"trust", "trust", {Ref("unit_id", "org_unit"), Ref("trusted_id", "org_unit"), Text("level", MaxNameLength), Int("position")},
                 -1, 2, "unit_id, trusted_id"});
    t.push_back({"resource_class", "resource class", {Text("code", MaxCodeLength, false, true), Text("name", MaxNameLength)}, 1, 2});
    t.push_back({"resource", "resource",
                 {Ref("class_id", "resource_class"), Text("code", MaxCodeLength, false, true), Text("name", MaxNameLength)}, 2, 2});
    t.push_back({"resource_policy", "resource policy",
                 {Ref("unit_id", "org_unit"), Ref("resource_id", "resource"), Tri("can_browse"), Tri("can_edit"),
                  Tri("can_delete")},
                 -1, 2, "unit_id, resource_id"});
    return t;
}

} // namespace

int StoreTable::ColumnIndex(const char* column) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (std::strcmp(columns[i].name, column) == 0)
            return int(i);
    return -1;
}

const std::vector<StoreTable>& StoreTables()
{
    static const std::vector<StoreTable> tables = MakeTables();
    return tables;
}

const StoreTable& Table(TableId id)
{
    return StoreTables()[size_t(id)];
}

const StoreTable* FindTable(const QString& name)
{
    for (const StoreTable& t : StoreTables())
        if (name == QLatin1String(t.name))
            return &t;
    return nullptr;
}

namespace {

QString ColumnType(const StoreColumn& c, bool postgres)
{
    switch (c.kind) {
    case ColumnKind::Text:
    case ColumnKind::Secret:
        return QStringLiteral("TEXT");
    case ColumnKind::Integer:
    case ColumnKind::Ref:
        return QStringLiteral("BIGINT");
    case ColumnKind::Flag:
    case ColumnKind::TriState:
        return QStringLiteral("SMALLINT");
    case ColumnKind::Blob:
        return postgres ? QStringLiteral("BYTEA") : QStringLiteral("BLOB");
    }
    return {};
}

QString CreateTable(const StoreTable& t, bool postgres)
{
    QStringList parts;
    parts << (postgres ? QStringLiteral("id BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
                       : QStringLiteral("id INTEGER PRIMARY KEY"));
    parts << QStringLiteral("version BIGINT NOT NULL") << QStringLiteral("changed_at TEXT NOT NULL");
    for (const StoreColumn& c : t.columns) {
        const QString name = QLatin1String(c.name);
        QString def = name + QLatin1Char(' ') + ColumnType(c, postgres);
        if (!c.nullable)
            def += QLatin1String(" NOT NULL");
        if (c.unique)
            def += QLatin1String(" UNIQUE");
        if (c.maxLength > 0)
            def += QStringLiteral(" CHECK (length(%1) <= %2)").arg(name).arg(c.maxLength);
        if (c.kind == ColumnKind::Flag || c.kind == ColumnKind::TriState)
            def += QStringLiteral(" CHECK (%1 IN (0, 1))").arg(name);
        // Deferred, so that an import may write a child before its parent and a
        // save may reorder a tree in any order.
        if (c.kind == ColumnKind::Ref)
            def += QStringLiteral(" REFERENCES %1 (id) DEFERRABLE INITIALLY DEFERRED").arg(QLatin1String(c.refTable));
        parts << def;
    }
    if (t.uniqueKey)
        parts << QStringLiteral("UNIQUE (%1)").arg(QLatin1String(t.uniqueKey));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(QLatin1String(t.name), parts.join(QLatin1String(", ")));
}

} // namespace

std::vector<QString> MigrationStatements(int toVersion, bool postgres)
{
    std::vector<QString> statements;
    if (toVersion == 1)
        statements.push_back(QStringLiteral("CREATE TABLE %1 (key TEXT PRIMARY KEY, value TEXT NOT NULL)")
                                 .arg(QLatin1String(MetaTableName)));
    for (const StoreTable& t : StoreTables()) {
        if (t.sinceVersion != toVersion)
            continue;
        statements.push_back(CreateTable(t, postgres));
        // References are looked up on every delete of the record they name.
        for (const StoreColumn& c : t.columns)
            if (c.kind == ColumnKind::Ref)
                statements.push_back(QStringLiteral("CREATE INDEX %1_%2 ON %1 (%2)")
                                         .arg(QLatin1String(t.name), QLatin1String(c.name)));
    }
    return statements;
}
