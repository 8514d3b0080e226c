#pragma once

#include <QString>
#include <QStringList>
#include <vector>

enum class FieldKind { AutoInc, Integer, Float, Text, Date, Time, Memo, Picture };

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::Text;
    int size = 0; // characters, for text fields only
    bool required = false;
};

enum IndexOption { IndexPrimary = 1, IndexUnique = 2, IndexCaseInsensitive = 4 };

struct IndexDef {
    QString name;    // empty for the primary index
    QString fields;  // field names joined by ";"
    int options = 0; // IndexOption flags

    bool isPrimary() const { return options & IndexPrimary; }
    QStringList fieldList() const;
};

struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    // Position of a field, matched without regard to case; -1 when absent.
    int fieldIndex(const QString& fieldName) const;
    const IndexDef* findIndex(const QString& indexName) const;

    // Checks names, kinds and sizes; throws AppError naming the fault.
    void validate() const;

    QByteArray toJson() const;
    static TableDef fromJson(const QByteArray& json);
};

const char* fieldKindName(FieldKind kind);
bool isTextLike(FieldKind kind); // text, memo, date and time are stored as text

// Quotes an identifier for SQL. Identifiers come from table definitions, never from user input,
// but are quoted all the same so that names such as "Not" stay names.
QString sqlName(const QString& identifier);

// The SQL expression by which a field takes part in an index order or a filter comparison.
// Blank values sort as the empty text or zero, so that every key is comparable and ordered
// navigation never loses a record with a blank key field.
QString keyExpression(const FieldDef& field, bool caseInsensitive = true);

// The SQL column type of a field kind.
QString sqlColumnType(FieldKind kind);

// A database index that carries one of a table's orders. Index names belong to their table
// (two tables may both have a "Taksit_1"); a unique order has a second, unique index.
struct SqlIndex {
    QString name;     // unquoted
    QString table;    // unquoted
    QStringList keys; // key expressions in order, the record key last where it takes part
    bool unique = false;

    // The CREATE INDEX statement as a database file keeps it.
    QString statement() const;
};
std::vector<SqlIndex> sqlIndexes(const TableDef& def);
