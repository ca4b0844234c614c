#include "store/StoreJson.h"

#include <QtCore/QJsonArray>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>

#include "store/RightsStore.h"
#include "store/StoreError.h"

namespace {

constexpr const char* FormatName = "orgrights-store";

QJsonValue ToJson(const StoreColumn& c, const QVariant& v)
{
    if (v.isNull())
        return QJsonValue::Null;
    switch (c.kind) {
    case ColumnKind::Text:
    case ColumnKind::Secret:
        return v.toString();
    case ColumnKind::Blob:
        return QString::fromLatin1(v.toByteArray().toBase64());
    default:
        return double(v.toLongLong());
    }
}

[[noreturn]] void Bad(const QString& where, const QString& what)
{
    throw StoreError(QStringLiteral("The file is not a valid store export: %1%2").arg(where, what));
}

qint64 WholeNumber(const QJsonValue& v, const QString& where, const char* name)
{
    const double d = v.toDouble(-1.5);
    if (!v.isDouble() || d != double(qint64(d)) || d < -9007199254740992.0 || d > 9007199254740992.0)
        Bad(where, QStringLiteral("\"%1\" is not a whole number").arg(QLatin1String(name)));
    return qint64(d);
}

QVariant FromJson(const StoreColumn& c, const QJsonValue& v, const QString& where)
{
    if (v.isNull() || v.isUndefined())
        return QVariant();
    switch (c.kind) {
    case ColumnKind::Text:
    case ColumnKind::Secret:
        if (!v.isString())
            Bad(where, QStringLiteral("\"%1\" is not a text").arg(QLatin1String(c.name)));
        return v.toString();
    case ColumnKind::Blob: {
        const auto decoded = QByteArray::fromBase64Encoding(v.toString().toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        if (!v.isString() || !decoded)
            Bad(where, QStringLiteral("\"%1\" is not base64").arg(QLatin1String(c.name)));
        return *decoded;
    }
    default:
        return WholeNumber(v, where, c.name);
    }
}

} // namespace

QByteArray ExportStoreJson(RightsStore& store, bool withSecrets, const StoreJsonProgress& progress)
{
    const auto content = store.LoadAll();
    int64_t total = 0, done = 0;
    for (const auto& [id, records] : content)
        total += int64_t(records.size());
    QJsonObject tables;
    for (const auto& [id, records] : content) {
        const StoreTable& t = Table(id);
        QJsonArray rows;
        for (const StoreRecord& r : records) {
            QJsonObject o;
            o[QStringLiteral("id")] = double(r.id);
            o[QStringLiteral("version")] = double(r.version);
            o[QStringLiteral("changedAt")] = r.changedAt;
            for (size_t c = 0; c < t.columns.size(); ++c)
                if (withSecrets || t.columns[c].kind != ColumnKind::Secret)
                    o[QLatin1String(t.columns[c].name)] = ToJson(t.columns[c], r.values[int(c)]);
            rows.append(o);
            if (progress && ++done % 256 == 0 && !progress(done, total))
                throw StoreError(QStringLiteral("The export was cancelled; no file was written."));
        }
        tables[QLatin1String(t.name)] = rows;
    }
    QJsonObject doc;
    doc[QStringLiteral("format")] = QLatin1String(FormatName);
    doc[QStringLiteral("formatVersion")] = StoreJsonFormatVersion;
    doc[QStringLiteral("schemaVersion")] = store.SchemaVersion();
    doc[QStringLiteral("withSecrets")] = withSecrets;
    doc[QStringLiteral("tables")] = tables;
    return QJsonDocument(doc).toJson(QJsonDocument::Indented);
}

void ImportStoreJson(RightsStore& store, const QByteArray& json, const StoreJsonProgress& progress)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (doc.isNull())
        Bad(QString(), QStringLiteral("%1 at byte %2").arg(error.errorString()).arg(error.offset));
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != QLatin1String(FormatName))
        Bad(QString(), QStringLiteral("its \"format\" is not \"%1\"").arg(QLatin1String(FormatName)));
    const int format = root.value(QStringLiteral("formatVersion")).toInt(-1);
    if (format < 1 || format > StoreJsonFormatVersion)
        Bad(QString(), QStringLiteral("its format version %1 is not one this program reads (up to %2)")
                           .arg(root.value(QStringLiteral("formatVersion")).toVariant().toString())
                           .arg(StoreJsonFormatVersion));
    const int schema = root.value(QStringLiteral("schemaVersion")).toInt(-1);
    if (schema < 1 || schema > store.SchemaVersion())
        Bad(QString(), QStringLiteral("it comes from a store of schema version %1, which this program does not know")
                           .arg(root.value(QStringLiteral("schemaVersion")).toVariant().toString()));
    const QJsonObject tables = root.value(QStringLiteral("tables")).toObject();
    for (auto it = tables.begin(); it != tables.end(); ++it)
        if (!FindTable(it.key()))
            Bad(QString(), QStringLiteral("it has an unknown table \"%1\"").arg(it.key()));
    std::map<TableId, std::vector<StoreRecord>> content;
    for (size_t i = 0; i < StoreTables().size(); ++i) {
        const StoreTable& t = StoreTables()[i];
        const QJsonValue rows = tables.value(QLatin1String(t.name));
        if (!rows.isUndefined() && !rows.isArray())
            Bad(QString(), QStringLiteral("table \"%1\" is not a list").arg(QLatin1String(t.name)));
        auto& records = content[TableId(i)];
        for (qsizetype n = 0; n < rows.toArray().size(); ++n) {
            const QString where = QStringLiteral("table \"%1\", record %2: ").arg(QLatin1String(t.name)).arg(n + 1);
            const QJsonValue row = rows.toArray().at(n);
            if (!row.isObject())
                Bad(where, QStringLiteral("not an object"));
            const QJsonObject o = row.toObject();
            StoreRecord r;
            r.id = WholeNumber(o.value(QStringLiteral("id")), where, "id");
            r.version = WholeNumber(o.value(QStringLiteral("version")), where, "version");
            r.changedAt = o.value(QStringLiteral("changedAt")).toString();
            if (r.id < 1 || r.version < 1 || r.changedAt.isEmpty())
                Bad(where, QStringLiteral("\"id\", \"version\" or \"changedAt\" is missing"));
            for (auto key = o.begin(); key != o.end(); ++key)
                if (key.key() != QLatin1String("id") && key.key() != QLatin1String("version")
                    && key.key() != QLatin1String("changedAt") && t.ColumnIndex(key.key().toLatin1().constData()) < 0)
                    Bad(where, QStringLiteral("unknown field \"%1\"").arg(key.key()));
            for (const StoreColumn& c : t.columns)
                r.values.append(FromJson(c, o.value(QLatin1String(c.name)), where));
            records.push_back(std::move(r));
        }
    }
    store.ReplaceAll(content, progress);
}
