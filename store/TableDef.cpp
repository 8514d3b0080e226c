#include "store/TableDef.h"

#include "store/AppError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>

namespace {

const char* const kKindNames[] = {"autoinc", "integer", "float", "text",
                                  "date",    "time",    "memo",  "picture"};

FieldKind kindFromName(const QString& name)
{
    for (int i = 0; i < int(std::size(kKindNames)); ++i)
        if (name == QLatin1String(kKindNames[i])) return FieldKind(i);
    throw AppError(QStringLiteral("Tablo tanımında bilinmeyen alan türü: %1").arg(name));
}

bool validName(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]{0,63}$"));
    return re.match(name).hasMatch();
}

} // namespace

const char* fieldKindName(FieldKind kind)
{
    return kKindNames[int(kind)];
}

bool isTextLike(FieldKind kind)
{
    return kind == FieldKind::Text || kind == FieldKind::Memo || kind == FieldKind::Date ||
           kind == FieldKind::Time;
}

QString sqlName(const QString& identifier)
{
    QString quoted = identifier;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QStringList IndexDef::fieldList() const
{
    QStringList list;
    for (const QString& part : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        list << part.trimmed();
    return list;
}

int TableDef::fieldIndex(const QString& fieldName) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(fieldName, Qt::CaseInsensitive) == 0) return int(i);
    return -1;
}

const IndexDef* TableDef::findIndex(const QString& indexName) const
{
    for (const IndexDef& index : indexes) {
        if (indexName.isEmpty() ? index.isPrimary()
                                : index.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &index;
    }
    return nullptr;
}

void TableDef::validate() const
{
    if (!validName(name)) throw AppError(QStringLiteral("Geçersiz tablo adı: \"%1\"").arg(name));
    if (fields.empty() || fields.front().kind != FieldKind::AutoInc)
        throw AppError(
            QStringLiteral("%1 tablosunun ilk alanı otomatik artan bir anahtar olmalı.").arg(name));
    QSet<QString> seen;
    for (const FieldDef& field : fields) {
        if (!validName(field.name) || field.name.startsWith(QLatin1Char('_')))
            throw AppError(
                QStringLiteral("%1 tablosunda geçersiz alan adı: \"%2\"").arg(name, field.name));
        if (seen.contains(field.name.toLower()))
            throw AppError(QStringLiteral("%1 tablosunda %2 alanı iki kez tanımlanmış.")
                               .arg(name, field.name));
        seen.insert(field.name.toLower());
        if (field.kind == FieldKind::Text && (field.size < 1 || field.size > 255))
            throw AppError(
                QStringLiteral("%1.%2 metin alanının uzunluğu 1 ile 255 arasında olmalı.")
                    .arg(name, field.name));
        if (field.kind == FieldKind::AutoInc && &field != &fields.front())
            throw AppError(
                QStringLiteral("%1 tablosunda yalnız ilk alan otomatik artan olabilir.").arg(name));
    }
    QSet<QString> indexNames;
    for (const IndexDef& index : indexes) {
        if (!index.isPrimary() && !validName(index.name))
            throw AppError(
                QStringLiteral("%1 tablosunda geçersiz indeks adı: \"%2\"").arg(name, index.name));
        if (indexNames.contains(index.name.toLower()))
            throw AppError(QStringLiteral("%1 tablosunda %2 indeksi iki kez tanımlanmış.")
                               .arg(name, index.name));
        indexNames.insert(index.name.toLower());
        const QStringList parts = index.fieldList();
        if (parts.isEmpty())
            throw AppError(
                QStringLiteral("%1 tablosunun %2 indeksinde alan yok.").arg(name, index.name));
        for (const QString& part : parts) {
            const int at = fieldIndex(part);
            if (at < 0)
                throw AppError(QStringLiteral("%1 tablosunun %2 indeksindeki %3 alanı tabloda yok.")
                                   .arg(name, index.name, part));
            const FieldKind kind = fields[size_t(at)].kind;
            if (kind == FieldKind::Memo || kind == FieldKind::Picture)
                throw AppError(QStringLiteral("%1.%2 alanı indekslenemez.").arg(name, part));
        }
        if (index.isPrimary() && (parts.size() != 1 || fieldIndex(parts.front()) != 0))
            throw AppError(
                QStringLiteral("%1 tablosunun birincil indeksi ilk alan üzerinde olmalı.")
                    .arg(name));
    }
}

QByteArray TableDef::toJson() const
{
    QJsonArray fieldArray;
    for (const FieldDef& field : fields) {
        QJsonObject object{{"name", field.name},
                           {"kind", QLatin1String(fieldKindName(field.kind))}};
        if (field.size) object.insert("size", field.size);
        if (field.required) object.insert("required", true);
        fieldArray.append(object);
    }
    QJsonArray indexArray;
    for (const IndexDef& index : indexes)
        indexArray.append(QJsonObject{
            {"name", index.name}, {"fields", index.fields}, {"options", index.options}});
    return QJsonDocument(
               QJsonObject{{"name", name}, {"fields", fieldArray}, {"indexes", indexArray}})
        .toJson(QJsonDocument::Compact);
}

TableDef TableDef::fromJson(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        throw AppError(QStringLiteral("Tablo tanımı okunamadı; veritabanı bozuk olabilir."),
                       error.errorString());
    const QJsonObject root = document.object();
    TableDef def;
    def.name = root.value("name").toString();
    for (const QJsonValue& value : root.value("fields").toArray()) {
        const QJsonObject object = value.toObject();
        def.fields.push_back(
            FieldDef{object.value("name").toString(), kindFromName(object.value("kind").toString()),
                     object.value("size").toInt(), object.value("required").toBool()});
    }
    for (const QJsonValue& value : root.value("indexes").toArray()) {
        const QJsonObject object = value.toObject();
        def.indexes.push_back(IndexDef{object.value("name").toString(),
                                       object.value("fields").toString(),
                                       object.value("options").toInt()});
    }
    return def;
}

QString keyExpression(const FieldDef& field, bool caseInsensitive)
{
    const QString name = sqlName(field.name);
    switch (field.kind) {
    case FieldKind::AutoInc:
        return name;
    case FieldKind::Integer:
    case FieldKind::Float:
        return QStringLiteral("coalesce(%1,0)").arg(name);
    case FieldKind::Date:
    case FieldKind::Time:
        return QStringLiteral("coalesce(%1,'')").arg(name);
    case FieldKind::Text:
    case FieldKind::Memo:
    case FieldKind::Picture:
        break;
    }
    return QStringLiteral("coalesce(%1,'') COLLATE %2")
        .arg(name, QLatin1String(caseInsensitive ? "TRK_CI" : "TRK_CS"));
}

QString sqlColumnType(FieldKind kind)
{
    switch (kind) {
    case FieldKind::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldKind::Integer:
        return QStringLiteral("INTEGER");
    case FieldKind::Float:
        return QStringLiteral("REAL");
    case FieldKind::Picture:
        return QStringLiteral("BLOB");
    case FieldKind::Text:
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::Memo:
        break;
    }
    return QStringLiteral("TEXT");
}

QString SqlIndex::statement() const
{
    return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
        .arg(QLatin1String(unique ? "UNIQUE " : ""), sqlName(name), sqlName(table),
             keys.join(QStringLiteral(", ")));
}

std::vector<SqlIndex> sqlIndexes(const TableDef& def)
{
    std::vector<SqlIndex> result;
    for (const IndexDef& index : def.indexes) {
        if (index.isPrimary()) continue;
        QStringList keys;
        for (const QString& part : index.fieldList())
            keys << keyExpression(def.fields[size_t(def.fieldIndex(part))],
                                  index.options & IndexCaseInsensitive);
        const QString name = def.name + QStringLiteral("__") + index.name;
        result.push_back({name, def.name, keys + QStringList{sqlName(def.fields.front().name)}});
        if (index.options & IndexUnique)
            result.push_back({name + QStringLiteral("_u"), def.name, keys, true});
    }
    return result;
}
