#include "store/DatabaseCheck.h"

#include "store/AppError.h"
#include "store/Connection.h"
#include "store/Table.h"

#include <QHash>

QStringList checkDirectory(StoreSession& session, const QString& directory,
                           const std::vector<TableDef>& expected)
{
    QStringList problems;
    std::unique_ptr<Connection> db;
    try {
        db = std::make_unique<Connection>(session, directory);
    } catch (const AppError& e) {
        return {e.message()};
    }
    try {
        for (const QString& problem : db->integrityProblems())
            problems << QStringLiteral("Veritabanı bütünlük denetimi: %1").arg(problem);
    } catch (const AppError& e) {
        problems << e.message();
    }
    for (const TableDef& want : expected) {
        if (!db->tableExists(want.name)) {
            problems << QStringLiteral("%1 tablosu yok.").arg(want.name);
            continue;
        }
        const TableDef& have = db->tableDef(want.name);
        // The real columns and their types, beside the stored definition.
        const QHash<QString, QString> columns = db->columnTypes(have.name);
        for (const FieldDef& field : want.fields) {
            const int at = have.fieldIndex(field.name);
            if (at < 0 || !columns.contains(field.name.toLower())) {
                problems
                    << QStringLiteral("%1 tablosunda %2 alanı yok.").arg(want.name, field.name);
                continue;
            }
            const FieldDef& got = have.fields[size_t(at)];
            if (got.kind != field.kind || got.size != field.size ||
                got.required != field.required ||
                columns.value(field.name.toLower())
                        .compare(db->columnType(field.kind).section(QLatin1Char(' '), 0, 0),
                                 Qt::CaseInsensitive) != 0)
                problems << QStringLiteral(
                                "%1.%2 alanının türü, uzunluğu ya da zorunluluğu farklı.")
                                .arg(want.name, field.name);
        }
        for (const IndexDef& index : want.indexes) {
            const IndexDef* got = have.findIndex(index.name);
            if (!got || got->fieldList() != index.fieldList())
                problems << QStringLiteral("%1 tablosunda %2 indeksi yok ya da farklı.")
                                .arg(want.name,
                                     index.isPrimary() ? QStringLiteral("birincil") : index.name);
        }
        // The indexes the database really has, statement by statement: one dropped or changed
        // behind the store's back makes orders slow or wrong.
        for (const SqlIndex& index : sqlIndexes(want)) {
            if (db->storedIndex(index.name).simplified() != db->indexStatement(index).simplified())
                problems << QStringLiteral("%1 tablosunun %2 indeksi veritabanında yok ya da "
                                           "farklı.")
                                .arg(want.name, index.name);
        }
        try {
            Table table(*db, want.name);
            table.open();
        } catch (const AppError& e) {
            problems << e.message();
        }
    }
    return problems;
}
