#pragma once

#include "store/SqlBackend.h"
#include "store/TableDef.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

class StoreSession;

using SqlRow = std::vector<QVariant>;

// What a connection knows of a cursor open on it: its table, whether it holds the table
// exclusively, and how to close it when the connection closes first.
class OpenCursor {
public:
    virtual ~OpenCursor() = default;
    virtual const QString& name() const = 0;
    virtual bool isOpen() const = 0;
    virtual bool isExclusive() const = 0;
    virtual void close() = 0;
};

// A named connection bound to one directory, whose tables live in one database file there or,
// for an installation on a server, in the directory's schema on the server. Several
// connections may be open at once (the global tables and the open company).
class Connection {
public:
    enum class OpenMode { Existing, CreateIfMissing };
    static inline const QString kDatabaseFile = QStringLiteral("dulvet.db");
    static inline const QString kLockFile = QStringLiteral("dulvet.lck");

    Connection(StoreSession& session, const QString& directory, OpenMode mode = OpenMode::Existing,
               const QString& name = QString());
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Whether a directory's tables exist (its database file, or its schema on the server), and
    // their removal with every record, where the session keeps them.
    static bool storeExists(StoreSession& session, const QString& directory);
    static void removeStore(StoreSession& session, const QString& directory);

    const QString& name() const { return name_; }
    const QString& directory() const { return directory_; }
    StoreSession& session() const { return session_; }
    bool onServer() const { return backend_->isServer(); }
    // Where the tables live, for messages: the directory or the server schema.
    QString place() const { return backend_->place(); }
    // The database, for the store's backends only.
    QSqlDatabase& database() { return db_; }

    // --- Tables -------------------------------------------------------------------------
    void createTable(const TableDef& def);
    void dropTable(const QString& tableName);
    bool tableExists(const QString& tableName);
    QStringList tableNames();
    // The definition of a table, looked up without regard to case; throws when it is absent.
    const TableDef& tableDef(const QString& tableName);
    int tableId(const QString& tableName);
    // Protects a table with the master password; the table must be open exclusively.
    void protectTable(const OpenCursor& table, const QString& password);
    QString passwordHashOf(const QString& tableName);

    // --- What differs between a database file and a server ------------------------------
    QString columnType(FieldKind kind) const { return backend_->columnType(kind); }
    QString indexStatement(const SqlIndex& index) const { return backend_->indexStatement(index); }
    void createIndex(const SqlIndex& index) { backend_->createIndex(*this, index); }
    // The statement an index of this name was made with; empty when there is none.
    QString storedIndex(const QString& name) { return backend_->storedIndex(*this, name); }
    void dropIndex(const QString& name) { backend_->dropIndex(*this, name); }
    // The real columns of a table and their types (first word), by lower-case name.
    QHash<QString, QString> columnTypes(const QString& table)
    {
        return backend_->columnTypes(*this, table);
    }
    QStringList integrityProblems() { return backend_->integrityProblems(*this); }
    // Keeps a table's key generator above `value`: keys given by hand are never handed out
    // again.
    void raiseKeySequence(const QString& table, qint64 value);
    qint64 keySequence(const QString& table);
    // After many records came at once: a server learns the table's rows anew for its plans.
    void refreshStatistics(const QString& table) { backend_->refreshStatistics(*this, table); }
    // Names this store's open-lock place within the program, and makes it.
    QString lockKey() const { return backend_->lockKey(); }
    std::unique_ptr<OpenLocks> openLocks() const { return backend_->openLocks(); }

    // --- Command transactions -----------------------------------------------------------
    // Nested begins join the outer command; only the outermost commit writes to disk.
    void begin();
    void commit();
    void rollback();
    bool inTransaction() const { return depth_ > 0; }
    // Within a command, holds a name (a kind of number being taken) until the command ends:
    // another workstation's command that takes the same waits for it. Outside one, nothing.
    void lockName(const QString& name);
    // What a SELECT of one record adds to hold it until the command ends (see Table::edit).
    QString lockRowClause() const { return depth_ > 0 ? backend_->lockRowClause() : QString(); }
    // Changes whenever rolled-back work may have left stale rows in table caches.
    quint64 generation() const { return generation_; }

    // --- Plain SQL, for the store's own classes -------------------------------------------
    // Every value is bound; statements are prepared once and reused.
    int exec(const QString& sql, const QVariantList& params = {});
    // Runs an INSERT and returns the new record's key.
    qint64 insert(const QString& sql, const QVariantList& params,
                  const QString& keyColumn = QStringLiteral("Nosu"));
    // New records of one table, each row giving the values of `columns`; returns their keys in
    // the order of the rows. On a server the keys are taken in one step and the rows go a few
    // dozen to a statement; a database file takes them one by one, which costs it nothing.
    std::vector<qint64> insertAll(const QString& table, const QString& keyColumn,
                                  const QStringList& columns,
                                  const std::vector<QVariantList>& rows);
    // Keys asked for a few dozen at a time, in statements of one shape: "(?, …)" with
    // kKeysAtOnce marks, and the keys in groups of that many (the last group filled up by
    // repeating its last key).
    static constexpr int kKeysAtOnce = 32;
    static QString keyListMarks();
    static std::vector<QVariantList> keyGroups(const std::vector<qint64>& keys);
    // "INSERT INTO table (columns) VALUES (?, …), …" for `rows` rows.
    static QString insertStatement(const QString& table, const QStringList& columns, int rows);
    std::vector<SqlRow> select(const QString& sql, const QVariantList& params = {});
    // The rows of a query handed to `row` one at a time as they are read, so that a pass over
    // a million rows keeps no more than one in memory. `row` runs no statement on this
    // connection.
    void each(const QString& sql, const QVariantList& params,
              const std::function<void(const QSqlQuery&)>& row);
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Where this program's private scratch tables go: the database of its working directory
    // attached as "work", or the server session's temporary schema.
    QString workSchema();
    // Sets `field` to `to` (cut to the field's size) in every record of `table` whose `field`
    // is exactly `from` (same letters, same case; empty matches empty) and whose `linkField`
    // holds `linkId`, in one statement. Each such record's version goes up, so that an edit of
    // it begun elsewhere is refused instead of writing the old value back, and every cursor on
    // this connection reads afresh. Returns how many records changed.
    int replaceExact(const QString& table, const QString& field, const QString& from,
                     const QString& to, const QString& linkField, qint64 linkId);
    // Turns a failed statement into an AppError with a message a user can act on.
    [[noreturn]] void fail(const QSqlQuery& query, const QString& what);

    // While a long read runs (a report walking much of a table), the database file is mapped
    // into memory: pages are read where they lie instead of being copied in one system call
    // each. Scopes nest; the last one to end turns the mapping off.
    class MappedReads {
    public:
        explicit MappedReads(Connection& connection);
        ~MappedReads();
        MappedReads(const MappedReads&) = delete;
        MappedReads& operator=(const MappedReads&) = delete;

    private:
        Connection& connection_;
    };

    // A consistent view of the tables for a long read over several of them: what other
    // programs commit meanwhile is not seen until it ends. It writes nothing and takes no write
    // lock; inside a command it is the command's own view.
    class ReadTransaction {
    public:
        explicit ReadTransaction(Connection& connection);
        ~ReadTransaction();
        ReadTransaction(const ReadTransaction&) = delete;
        ReadTransaction& operator=(const ReadTransaction&) = delete;

    private:
        Connection& connection_;
        bool owns_ = false;
    };

    // Where a directory's tables are kept moves with it to `to` (a server's schema is renamed;
    // a database file travels with its directory). No connection may be open on either.
    static void renameStore(StoreSession& session, const QString& from, const QString& to);

    // Cursors register while they are open.
    void registerCursor(OpenCursor* cursor);
    void unregisterCursor(OpenCursor* cursor);

private:
    QSqlQuery& prepared(const QString& sql);
    QSqlQuery& run(const QString& sql, const QVariantList& params);
    QSqlQuery& runReading(const QString& sql, const QVariantList& params);
    void ensureMetaTables();
    void loadDefinitions();
    void closeDatabase();
    void reopen();

    StoreSession& session_;
    QString directory_;
    QString name_;
    std::unique_ptr<SqlBackend> backend_;
    QSqlDatabase db_;
    QSqlQuery direct_; // statements without parameters, on a server
    QString workSchema_;
    bool broken_ = false;
    QHash<QString, QSqlQuery> statements_;
    QHash<QString, TableDef> definitions_; // by lower-case name
    std::vector<OpenCursor*> openCursors_;
    int depth_ = 0;
    bool failed_ = false;
    quint64 generation_ = 0;
    int mappedReads_ = 0;
};
