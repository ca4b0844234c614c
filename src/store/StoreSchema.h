#pragma once

// The tables of the rights store, described once: the DDL of both back ends,
// loading, saving, export and import all read these descriptions.

#include <vector>

#include <QtCore/QString>

// Texts longer than these are refused before anything is written.
constexpr int MaxCodeLength = 64;   // logins, post, unit, function and resource codes
constexpr int MaxNameLength = 200;  // names and trust levels
constexpr int MaxNoteLength = 2000; // notes and descriptions
constexpr int MaxPictureBytes = 1024 * 1024;

enum class ColumnKind {
    Text,     // limited by maxLength
    Integer,
    Flag,     // 0 or 1
    TriState, // a check cell: null (undetermined), 0 or 1
    Ref,      // the id of a record of refTable
    Blob,
    Secret,   // a password hash: text, left out of exports unless asked for
};

struct StoreColumn {
    const char* name;
    ColumnKind kind;
    bool nullable = false;
    int maxLength = 0;          // Text and Secret
    const char* refTable = nullptr;
    bool unique = false;
};

struct StoreTable {
    const char* name;
    const char* caption; // how a message names one of its records ("user", "post")
    std::vector<StoreColumn> columns;
    int labelColumn = -1; // the column that names a record in messages
    int sinceVersion = 1; // the schema version that added the table
    const char* uniqueKey = nullptr; // columns that together name one record, for relations

    int ColumnIndex(const char* column) const;
};

// Every record also has id, version (counted up by each save that changes it)
// and changed_at (UTC, ISO 8601 to the millisecond).
enum class TableId {
    Post,
    User,
    OrgUnit,
    UnitPost,
    UnitUser,
    UserPost,
    Function,
    Right,
    DeptAdmin,
    AdminFunction,
    Subordination,
    Trust,
    ResourceClass,
    Resource,
    ResourcePolicy,
};

// Tables in dependency order: a table refers only to tables before it.
const std::vector<StoreTable>& StoreTables();
const StoreTable& Table(TableId id);
const StoreTable* FindTable(const QString& name);

// The schema this program writes; stores at an older version are migrated.
constexpr int CurrentSchemaVersion = 2;

// Column indexes by table, in the order of their descriptions.
namespace Col {
enum OrgUnit { UnitParent, UnitPosition, UnitKind, UnitName, UnitCode, UnitPost, UnitAdminEnabled, UnitNote };
enum Post { PostCode, PostName, PostNote };
enum User { UserLogin, UserName, UserPassword, UserSignature, UserEnabled, UserNote };
enum UnitPost { UnitPostUnit, UnitPostPost };
enum UnitUser { UnitUserUnit, UnitUserUser };
enum UserPost { UserPostUser, UserPostPost, UserPostUnit };
enum Function { FuncParent, FuncPosition, FuncName, FuncCode, FuncNote };
enum Right { RightHolder, RightFunction, BrowseOwn, EditOwn, BrowseAll, EditAll, Audit, Policy };
enum DeptAdmin { DeptAdminUnit, DeptAdminUser };
enum AdminFunction { AdminFunctionUnit, AdminFunctionFunction };
enum Subordination { SubUnit, SubTargetUnit, SubTargetUser, SubPosition };
enum Trust { TrustUnit, TrustTrusted, TrustLevel, TrustPosition };
enum ResourceClass { ClassCode, ClassName };
enum Resource { ResourceClassRef, ResourceCode, ResourceName };
enum ResourcePolicy { PolicyUnit, PolicyResource, PolicyBrowse, PolicyEdit, PolicyDelete };
} // namespace Col

// The kinds of organisation units, as the organisation screen pictures them.
enum class UnitKind { Company = 0, Department = 1, Post = 2 };

// The statements that take a store from version toVersion - 1 to toVersion
// (version 1: from nothing), for SQLite (postgres false) or PostgreSQL.
std::vector<QString> MigrationStatements(int toVersion, bool postgres);
// The table that identifies a store and holds its schema version.
constexpr const char* MetaTableName = "orgrights_meta";
