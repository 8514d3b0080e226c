#pragma once

#include "store/Connection.h"
#include "store/Expression.h"
#include "store/TableDef.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class Table;

// One field of the current record (or of the edit buffer while a record is in edit).
class FieldRef {
public:
    FieldRef(Table& table, int index)
        : table_(&table)
        , index_(index)
    {
    }
    const FieldDef& def() const;
    const QString& name() const { return def().name; }
    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    int asInteger() const;
    // Record links (Nosu and the ...Ref fields) may pass 2^31; read them whole.
    qint64 asInt64() const;
    double asFloat() const;
    QDate asDate() const;
    QTime asTime() const;
    QByteArray asBytes() const;
    void setValue(const QVariant& value);
    FieldRef& operator=(const QVariant& value)
    {
        setValue(value);
        return *this;
    }
    void clear() { setValue(QVariant()); }

private:
    Table* table_;
    int index_;
};

// A cursor over one table: an ordered, optionally filtered window onto rows that stay in the
// database. Only a few rows around the current one are kept in memory; every move is an indexed
// seek, so the cost does not grow with the table.
class Table : public OpenCursor {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Table(Connection& connection, const QString& tableName = QString());
    ~Table() override;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    Connection& connection() const { return connection_; }
    void setTableName(const QString& tableName);
    const QString& name() const override { return tableName_; }
    // Empty for the primary index (order of Nosu).
    void setIndexName(const QString& indexName);
    // A cursor that reads only these fields, its order's fields and its key; the others read as
    // empty. It cannot write: for reports over wide records that print a few of their fields.
    void setReadFields(const QStringList& fields);
    const QString& indexName() const { return indexName_; }

    virtual void open(bool exclusive = false);
    void close() override;
    bool isOpen() const override { return state_ != State::Inactive; }
    bool isExclusive() const override { return exclusive_; }
    State state() const { return state_; }
    const TableDef& def() const { return def_; }

    // --- Fields ---------------------------------------------------------------------------
    int fieldCount() const { return int(def_.fields.size()); }
    FieldRef field(int index);
    FieldRef fieldByName(const QString& fieldName); // throws for an unknown name
    FieldRef operator[](const QString& fieldName) { return fieldByName(fieldName); }
    int fieldIndex(const QString& fieldName) const { return def_.fieldIndex(fieldName); }
    QVariant value(int index);
    void setValue(int index, const QVariant& value);

    // --- Navigation in the current order ----------------------------------------------------
    void first();
    void last();
    void next();
    void prior();
    // Moves up to `count` records (negative: backwards); returns how many it moved.
    int moveBy(int count);
    bool bof() const { return bof_; }
    bool eof() const { return eof_; }
    bool isEmpty();
    qint64 recNo(); // 1-based position in the current order; 0 when empty
    void setRecNo(qint64 number);
    qint64 recordCount();   // records that pass the filter
    qint64 currentId();     // Nosu of the current record, 0 when empty
    bool gotoId(qint64 id); // positions on the record with that Nosu, if it passes the filter

    // --- Rows for grids, read without moving the cursor -----------------------------------
    // `count` rows starting `offset` rows from the first record (or, fromEnd, from the last,
    // nearest the end first); the rows after or before a row read earlier (nearest first).
    std::vector<SqlRow> rowsFrom(qint64 offset, int count, bool fromEnd);
    std::vector<SqlRow> rowsAfter(const SqlRow& row, int count);
    std::vector<SqlRow> rowsBefore(const SqlRow& row, int count);
    QVariant rowValue(const SqlRow& row, int field) const;
    qint64 rowId(const SqlRow& row) const { return row[size_t(fieldCount() + 1)].toLongLong(); }
    // Makes a row read above the current record; its position is given when known (else 0).
    void gotoRow(const SqlRow& row, qint64 number = 0);

    // --- Search ---------------------------------------------------------------------------
    // Exact match of the leading fields of the current index (texts without regard to case).
    bool findKey(const QVariantList& values);
    // The first record whose key is at or after the values (the last record when none is).
    void findNearest(const QVariantList& values);
    // First record in the current order whose field equals the value exactly (case-sensitive).
    bool locate(const QString& fieldName, const QVariant& value);
    // The same from the end: the last such record in the current order.
    bool locateLast(const QString& fieldName, const QVariant& value);
    // The value of `resultField` in the record whose `keyField` equals `keyValue` (exactly),
    // without moving; a null QVariant when there is none.
    QVariant lookup(const QString& keyField, const QVariant& keyValue, const QString& resultField);

    // --- Filter ---------------------------------------------------------------------------
    void setFilter(const QString& expression); // checked at once; throws when malformed
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // --- Change ---------------------------------------------------------------------------
    void append();
    void edit();
    // Writes the buffer. Outside a command transaction the change is on disk when this returns.
    void post();
    // Posts an edit only when it changes the stored record (texts as they would be cut);
    // otherwise leaves edit without writing. True when it wrote.
    bool postIfChanged();
    void cancel();
    void remove(); // deletes the current record
    // Appends `count` records, each filled by `fill(i)` as after append(), in as few
    // statements as the database allows; returns their keys in order. The cursor then stands on
    // the last. Records cannot bring their own keys here.
    std::vector<qint64> appendAll(int count, const std::function<void(int)>& fill);
    // For the private cursors of commands: the record `id` (if it passes the filter) made
    // current and put into edit in one read, on a server held until the command ends; false
    // when there is none.
    bool editId(qint64 id);
    // Deletes the record `id` in one statement, without reading a neighbour to stand on; the
    // next read finds where the cursor is. False when there was none.
    bool removeId(qint64 id);
    // Forgets cached rows so that the next read shows what other programs have posted.
    void refresh();

protected:
    struct ResultSet {};
    // A read-only cursor over a result set (local queries).
    Table(Connection& connection, ResultSet);
    // Opens the result: rows of `source`, ordered by `keyColumn`, with the fields of `def`.
    void openResult(const TableDef& def, const QString& source, const QString& keyColumn);

private:
    friend class FieldRef;
    // Rows read ahead on a move that leaves the cached window. Small enough that a move costs a
    // fraction of a millisecond, large enough that walking a table is a query per 32 records.
    static constexpr int kWindowRows = 32;
    // A walk through the table (a report, an export) reads ever larger windows, up to this many
    // rows: a query per thousand records instead of per 32.
    static constexpr int kMaxReadAhead = 1024;
    struct Position; // key values of a row, for seeks

    void requireOpen() const;
    void requireBrowse(const char* what) const;
    void checkGeneration();
    void prepareSql();
    QVariant convertIn(const FieldDef& field, const QVariant& value) const;
    QVariantList keyOf(const SqlRow& row) const;
    QString whereClause(const QString& extra) const;
    QVariantList whereParams(const QVariantList& extra) const;
    std::vector<SqlRow> fetch(const QString& extraCondition, const QVariantList& extraParams,
                              bool descending, int limit, qint64 offset = 0, int orderFrom = 0);
    // Rows after (or before) a key, or a leading part of one, in order: each level of the key
    // is one indexed seek, so a run of equal keys is never scanned.
    std::vector<SqlRow> seek(const QVariantList& key, bool forward, bool inclusive, int limit);
    QString levelCondition(int level, const char* op) const;
    qint64 countBefore(const QVariantList& key);
    bool fetchForward(bool inclusive, int rows = kWindowRows);
    bool fetchBackward(int rows = kWindowRows);
    // Rows to read for the next window of a walk that has read `walked` windows already.
    static int readAhead(int walked);
    void setWindow(std::vector<SqlRow> rows, size_t position);
    void setEmpty();
    const SqlRow& currentRow();
    void reloadCurrent();
    // The record `id` read and held for the command (see edit).
    std::optional<SqlRow> readHeld(qint64 id, bool filtered);
    void startEdit();
    // Cuts texts to their size and refuses empty required fields of the buffer.
    void checkBuffer();
    QStringList writtenColumns(int from) const;
    // Whether a buffer value would change the stored one.
    static bool differs(const QVariant& value, const QVariant& stored);
    void loadFirst();
    QVariant convertOut(int field, const QVariant& stored) const;
    void afterWrite(const SqlRow& row);
    QVariantList filterParams() const;
    const FieldDef& orderFieldDef(size_t position) const;
    QVariantList seekValues(const QVariantList& values, int keys) const;
    bool locateImpl(const QString& fieldName, const QVariant& value, bool fromEnd);

    Connection& connection_;
    QString tableName_;
    QString indexName_;
    TableDef def_;
    QString source_;    // SQL name of the table
    QString keyColumn_; // row key column (Nosu)
    bool readOnly_ = false;
    QStringList readFields_; // empty: every field
    bool exclusive_ = false;
    int lockId_ = -1;
    State state_ = State::Inactive;

    // Order of the current index: key expressions (the row key last) and their field positions.
    QStringList orderExpressions_;
    std::vector<int> orderFields_;
    QString selectList_;

    QString filterText_;
    bool filtered_ = false;
    SqlFragment filterSql_;

    std::vector<SqlRow> window_; // consecutive rows in order; the current one at pos_
    size_t pos_ = 0;
    bool windowValid_ = false;
    bool windowHasFirst_ = false; // window_.front() is the first record
    bool windowHasLast_ = false;  // window_.back() is the last record
    bool hasCurrent_ = false;
    SqlRow current_;
    bool currentStale_ = false;
    bool bof_ = true;
    bool eof_ = true;
    qint64 recNo_ = -1;
    qint64 count_ = -1;
    quint64 generation_ = 0;
    int walked_ = 0; // windows read one after another: by next() (> 0) or prior() (< 0)

    SqlRow buffer_;
    qint64 editVersion_ = 0;
};

// Runs a change on a cursor: whatever fails, the cursor leaves edit before the error goes on.
template <typename Change> void changeOrCancel(Table& table, Change&& change)
{
    try {
        change();
    } catch (...) {
        table.cancel();
        throw;
    }
}

// Appends a record filled by `fill` and posts it; the cursor leaves edit whatever fails.
// Returns the new record's key.
template <typename Fill> qint64 appendRecord(Table& table, Fill&& fill)
{
    changeOrCancel(table, [&] {
        table.append();
        fill();
        table.post();
    });
    return table.currentId();
}

// Rewrites the record `id` in place with `fill`; a key of 0, or of a record that is gone, gets
// a new record instead. Returns the key. A record that already says the same is not written;
// `wrote` tells whether anything was. For the private cursors of commands (see editId).
template <typename Fill> qint64 rewriteRecord(Table& table, qint64 id, Fill&& fill, bool* wrote)
{
    if (wrote) *wrote = true;
    if (id <= 0 || !table.editId(id)) return appendRecord(table, fill);
    changeOrCancel(table, [&] {
        fill();
        const bool changed = table.postIfChanged();
        if (wrote) *wrote = changed;
    });
    return id;
}
