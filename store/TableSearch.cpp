#include "store/Table.h"

#include "store/AppError.h"

#include <algorithm>

// Search (find key, nearest key, locate, lookup) and the filter.

namespace {

QVariant nonNullText(const QVariant& value)
{
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : value;
}

} // namespace

const FieldDef& Table::orderFieldDef(size_t position) const
{
    static const FieldDef rowKey{QStringLiteral("Nosu"), FieldKind::AutoInc, 0, true};
    const int at = orderFields_[position];
    return at < fieldCount() ? def_.fields[size_t(at)] : rowKey;
}

// Search values in the form the key expressions compare with: blanks as '' or 0.
QVariantList Table::seekValues(const QVariantList& values, int keys) const
{
    QVariantList params;
    for (int i = 0; i < keys; ++i) {
        const FieldDef& field = orderFieldDef(size_t(i));
        QVariant stored = convertIn(field, values[i]);
        if (stored.isNull())
            stored = (field.kind == FieldKind::Integer || field.kind == FieldKind::Float)
                         ? QVariant(0)
                         : nonNullText(stored);
        params << stored;
    }
    return params;
}

bool Table::findKey(const QVariantList& values)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int keys = std::min<int>(int(values.size()), int(orderExpressions_.size()));
    if (keys == 0) return false;
    QStringList terms;
    for (int i = 0; i < keys; ++i)
        terms << orderExpressions_[i] + QStringLiteral(" = ?");
    const QVariantList params = seekValues(values, keys);
    std::vector<SqlRow> rows =
        fetch(terms.join(QStringLiteral(" AND ")), params, false, kWindowRows, 0, keys);
    if (rows.empty()) return false;
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
    return true;
}

void Table::findNearest(const QVariantList& values)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int keys = std::min<int>(int(values.size()), int(orderExpressions_.size()));
    if (keys == 0) {
        first();
        return;
    }
    const QVariantList params = seekValues(values, keys);
    std::vector<SqlRow> rows = seek(params, true, true, kWindowRows);
    if (rows.empty()) {
        last();
        return;
    }
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
}

bool Table::locate(const QString& fieldName, const QVariant& value)
{
    return locateImpl(fieldName, value, false);
}

bool Table::locateLast(const QString& fieldName, const QVariant& value)
{
    return locateImpl(fieldName, value, true);
}

bool Table::locateImpl(const QString& fieldName, const QVariant& value, bool fromEnd)
{
    requireBrowse("arama yapılamaz");
    checkGeneration();
    const int at = def_.fieldIndex(fieldName);
    if (at < 0)
        throw AppError(QStringLiteral("%1 tablosunda %2 alanı yok.").arg(tableName_, fieldName));
    const FieldDef& field = def_.fields[size_t(at)];
    const QVariant stored = convertIn(field, value);
    QString condition;
    QVariantList params;
    if (stored.isNull()) {
        condition = sqlName(field.name) + QStringLiteral(" IS NULL");
    } else {
        condition = sqlName(field.name) + QStringLiteral(" = ?");
        params << stored;
        // The same test through the key expression lets an index on the field narrow the search.
        if (field.kind != FieldKind::Memo && field.kind != FieldKind::Picture) {
            condition += QStringLiteral(" AND ") + keyExpression(field) + QStringLiteral(" = ?");
            params << stored;
        }
    }
    std::vector<SqlRow> rows = fetch(condition, params, fromEnd, 1);
    if (rows.empty()) return false;
    setWindow(std::move(rows), 0);
    recNo_ = -1;
    bof_ = eof_ = false;
    return true;
}

QVariant Table::lookup(const QString& keyField, const QVariant& keyValue,
                       const QString& resultField)
{
    requireOpen();
    const int keyAt = def_.fieldIndex(keyField);
    const int resultAt = def_.fieldIndex(resultField);
    if (keyAt < 0 || resultAt < 0)
        throw AppError(QStringLiteral("%1 tablosunda %2 alanı yok.")
                           .arg(tableName_, keyAt < 0 ? keyField : resultField));
    const QVariant stored = convertIn(def_.fields[size_t(keyAt)], keyValue);
    const QString condition =
        sqlName(def_.fields[size_t(keyAt)].name) +
        (stored.isNull() ? QStringLiteral(" IS NULL") : QStringLiteral(" = ?"));
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2%3 LIMIT 1")
            .arg(sqlName(def_.fields[size_t(resultAt)].name), source_, whereClause(condition));
    const QVariantList params =
        whereParams(stored.isNull() ? QVariantList() : QVariantList{stored});
    const QVariant found = connection_.scalar(sql, params);
    const FieldKind kind = def_.fields[size_t(resultAt)].kind;
    if (!found.isNull() && kind == FieldKind::Date)
        return QDate::fromString(found.toString(), Qt::ISODate);
    return found;
}

void Table::setFilter(const QString& expression)
{
    if (isOpen()) {
        filterSql_ = ConditionCompiler::compileFilter(expression, def_);
    } else if (!expression.trimmed().isEmpty()) {
        // Checked when the table opens and its fields are known.
        filterSql_ = SqlFragment{};
    }
    filterText_ = expression;
    if (isOpen() && filtered_) first();
}

void Table::setFiltered(bool on)
{
    filtered_ = on;
    if (!isOpen()) return;
    if (on) filterSql_ = ConditionCompiler::compileFilter(filterText_, def_);
    count_ = -1;
    first();
}
