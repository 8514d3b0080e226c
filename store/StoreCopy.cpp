#include "store/StoreCopy.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/Connection.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kReadRows = 2000;
constexpr int kMaxParameters = 20000;

QStringList columnsOf(const TableDef& def)
{
    QStringList columns;
    for (const FieldDef& field : def.fields)
        columns << sqlName(field.name);
    columns << QStringLiteral("\"_Surum\"");
    return columns;
}

// The next rows after key `after`, in key order.
std::vector<SqlRow> rowsAfter(Connection& db, const TableDef& def, qint64 after)
{
    return db.select(QStringLiteral("SELECT %1 FROM %2 WHERE %3 > ? ORDER BY %3 LIMIT ?")
                         .arg(columnsOf(def).join(QStringLiteral(", ")), sqlName(def.name),
                              sqlName(def.fields.front().name)),
                     {after, kReadRows});
}

void insertRows(Connection& db, const TableDef& def, const std::vector<SqlRow>& rows)
{
    const QStringList columns = columnsOf(def);
    const int width = int(columns.size());
    const int perStatement = std::max(1, kMaxParameters / width);
    for (size_t start = 0; start < rows.size(); start += size_t(perStatement)) {
        const size_t end = std::min(rows.size(), start + size_t(perStatement));
        QVariantList params;
        params.reserve(int((end - start) * size_t(width)));
        for (size_t r = start; r < end; ++r)
            for (const QVariant& value : rows[r])
                params << value;
        db.exec(Connection::insertStatement(def.name, columns, int(end - start)), params);
    }
}

// Values compared as their field stores them: the two databases may hand back different
// types for the same stored value.
bool sameValue(const FieldDef* field, const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
    const FieldKind kind = field ? field->kind : FieldKind::Integer;
    switch (kind) {
    case FieldKind::AutoInc:
    case FieldKind::Integer:
        return a.toLongLong() == b.toLongLong();
    case FieldKind::Float: {
        const double x = a.toDouble(), y = b.toDouble();
        return std::memcmp(&x, &y, sizeof x) == 0 || x == y;
    }
    case FieldKind::Picture:
        return a.toByteArray() == b.toByteArray();
    case FieldKind::Text:
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::Memo:
        break;
    }
    return a.toString() == b.toString();
}

} // namespace

void copyStore(Connection& from, Connection& to,
               const std::function<void(const QString& table)>& progress)
{
    // The source is read as one consistent picture while others may write to it.
    CommandTransaction reading(from);
    CommandTransaction writing(to);
    for (const QString& name : from.tableNames()) {
        if (progress) progress(name);
        const TableDef def = from.tableDef(name);
        if (to.tableExists(name))
            throw AppError(QStringLiteral("%1 tablosu hedefte zaten var; kopyalanmadı.").arg(name));
        to.createTable(def);
        to.exec(QStringLiteral("UPDATE dulvet_tables SET password = ? WHERE lname = ?"),
                {from.passwordHashOf(name), name.toLower()});
        qint64 last = 0;
        for (;;) {
            const std::vector<SqlRow> rows = rowsAfter(from, def, last);
            if (rows.empty()) break;
            insertRows(to, def, rows);
            last = rows.back().front().toLongLong();
            if (int(rows.size()) < kReadRows) break;
        }
        const qint64 sequence = std::max(last, from.keySequence(name));
        if (sequence > 0) to.raiseKeySequence(name, sequence);
        // A server plans its queries by what it knows of a table's rows.
        to.refreshStatistics(name);
    }
    writing.commit();
    reading.commit();
}

QStringList compareStores(Connection& a, Connection& b)
{
    QStringList differences;
    const QStringList names = a.tableNames();
    for (const QString& name : b.tableNames())
        if (!a.tableExists(name))
            differences << QStringLiteral("%1 tablosu yalnız hedefte var.").arg(name);
    for (const QString& name : names) {
        if (!b.tableExists(name)) {
            differences << QStringLiteral("%1 tablosu hedefte yok.").arg(name);
            continue;
        }
        const TableDef def = a.tableDef(name);
        if (def.toJson() != b.tableDef(name).toJson()) {
            differences << QStringLiteral("%1 tablosunun tanımı farklı.").arg(name);
            continue;
        }
        if (a.passwordHashOf(name) != b.passwordHashOf(name))
            differences << QStringLiteral("%1 tablosunun parolası farklı.").arg(name);
        const QString count = QStringLiteral("SELECT count(*) FROM %1").arg(sqlName(def.name));
        const qint64 countA = a.scalar(count).toLongLong(), countB = b.scalar(count).toLongLong();
        if (countA != countB) {
            differences << QStringLiteral("%1 tablosunda %2 / %3 kayıt var.")
                               .arg(name)
                               .arg(countA)
                               .arg(countB);
            continue;
        }
        qint64 last = 0;
        int reported = 0;
        for (;;) {
            const std::vector<SqlRow> rowsA = rowsAfter(a, def, last);
            const std::vector<SqlRow> rowsB = rowsAfter(b, def, last);
            if (rowsA.empty()) break;
            for (size_t r = 0; r < rowsA.size() && reported < 5; ++r) {
                const SqlRow& x = rowsA[r];
                const SqlRow* y = r < rowsB.size() ? &rowsB[r] : nullptr;
                bool same = y != nullptr;
                for (size_t c = 0; same && c < x.size(); ++c)
                    same =
                        sameValue(c < def.fields.size() ? &def.fields[c] : nullptr, x[c], (*y)[c]);
                if (!same) {
                    differences << QStringLiteral("%1 tablosunda %2 nolu kayıt farklı.")
                                       .arg(name)
                                       .arg(x.front().toLongLong());
                    ++reported;
                }
            }
            last = rowsA.back().front().toLongLong();
            if (int(rowsA.size()) < kReadRows) break;
        }
        if (a.keySequence(name) > b.keySequence(name))
            differences << QStringLiteral("%1 tablosunun anahtar sayacı geride.").arg(name);
    }
    return differences;
}
