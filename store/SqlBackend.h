#pragma once

#include "store/TableDef.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <memory>

class Connection;
class QSqlDatabase;
class QSqlError;
struct ServerSettings;

// The operating-system side of table open locks: one place (a lock file, a server schema) whose
// tables are locked by number, shared or exclusive, for the whole running program.
class OpenLocks {
public:
    virtual ~OpenLocks() = default;
    // False when the place cannot hold locks at all (a read-only directory): shared opens go
    // on without one, exclusive ones are refused.
    virtual bool usable() const = 0;
    // Takes or drops one table's lock without waiting; false when another program holds it in
    // a conflicting way.
    virtual bool lock(int tableId, bool exclusive) = 0;
    virtual void unlock(int tableId, bool exclusive) = 0;
};

// What differs between keeping a directory's tables in a local database file and in a schema
// on a PostgreSQL server. Everything above the store speaks the same SQL to both; the few
// statements that cannot be the same come from here.
class SqlBackend {
public:
    virtual ~SqlBackend() = default;

    virtual bool isServer() const = 0;
    virtual QString driver() const = 0;
    // Where the tables live, for messages: the directory or the server schema.
    virtual QString place() const = 0;

    // Sets up `db` before it opens; `creating` says the caller may make the store.
    virtual void configure(QSqlDatabase& db, bool creating) = 0;
    [[noreturn]] virtual void failOpen(const QSqlError& error) const = 0;
    // After the database opened: session settings, collations, a first read that fails at once
    // on something that is not a database.
    virtual void prepare(Connection& connection) = 0;
    virtual bool exists(Connection& connection) = 0;
    virtual QString missingMessage() const = 0;
    virtual QString notOursMessage() const = 0;
    // Makes an empty store (the meta table comes after); removes one whose creation failed.
    virtual void createStore(Connection& connection) = 0;
    virtual void removeFailedStore(Connection& connection) = 0;
    // Without a connection of its own: whether the store is there, and its removal with every
    // table (a company deleted, or one whose making or restoring failed).
    virtual bool storeExists() const = 0;
    virtual void removeStore() const = 0;
    // The store renamed for a directory renamed; nothing where the store is a file in it.
    virtual void renameStore(const QString& /*newName*/) const {}
    virtual bool hasMetaTable(Connection& connection) = 0;
    // The private scratch place for local query results; empty when there is none.
    virtual QString attachWork(Connection& connection, const QString& privateDirectory) = 0;

    virtual QString beginStatement() const = 0;
    // The start of a transaction that only reads, seeing one state of every table.
    virtual QString readBeginStatement() const { return beginStatement(); }
    // What a SELECT of one record adds to hold the record until the command ends; empty where
    // the whole command already holds the database alone.
    virtual QString lockRowClause() const { return QString(); }
    // Holds a name until the command ends, so that commands taking the same kind of number
    // go one after the other; nothing where commands already do.
    virtual void lockName(Connection&, const QString&) {}
    virtual QString columnType(FieldKind kind) const = 0;
    // A statement that inserts and yields the new record's key.
    virtual QString insertReturning(const QString& insert, const QString& keyColumn) const = 0;
    // Keeps the key generator of a table above `value`, after a record came with its own key.
    virtual void raiseKeySequence(Connection& connection, const QString& table,
                                  const QString& keyColumn, qint64 value) = 0;
    // `count` new keys from the table's generator, never handed out again; empty where records
    // are best inserted one by one.
    virtual std::vector<qint64> takeKeys(Connection&, const QString& /*table*/,
                                         const QString& /*keyColumn*/, int /*count*/)
    {
        return {};
    }
    // Lets the database learn a table's rows anew after many came at once.
    virtual void refreshStatistics(Connection&, const QString& /*table*/) {}
    // The last key the generator handed out (0 when none).
    virtual qint64 keySequence(Connection& connection, const QString& table,
                               const QString& keyColumn) = 0;

    // Indexes: the statement that makes one, how it is recorded, and what the database holds.
    virtual QString indexStatement(const SqlIndex& index) const = 0;
    virtual void createIndex(Connection& connection, const SqlIndex& index) = 0;
    virtual QString storedIndex(Connection& connection, const QString& name) = 0;
    virtual void dropIndex(Connection& connection, const QString& name) = 0;
    // The real columns of a table and their types, by lower-case name.
    virtual QHash<QString, QString> columnTypes(Connection& connection, const QString& table) = 0;
    virtual QStringList integrityProblems(Connection& connection) = 0;

    // Whether the connection became unusable (the server went away) and must open again.
    virtual bool lostConnection(const QSqlDatabase& db, const QSqlError& error) const = 0;
    // Turns a failed statement into an AppError a user can act on.
    [[noreturn]] virtual void fail(const QSqlError& error, const QString& what,
                                   bool lost) const = 0;
    virtual void setMappedReads(Connection& connection, bool on) = 0;

    // Open locks: the key that names this store's lock place in the program, and the place.
    virtual QString lockKey() const = 0;
    virtual std::unique_ptr<OpenLocks> openLocks() const = 0;

    static std::unique_ptr<SqlBackend> forFile(const QString& directory);
    static std::unique_ptr<SqlBackend> forServer(const ServerSettings& server,
                                                 const QString& schema);
};

// The server schema that holds the tables of the installation's data directory. Company
// schemas are named by their codes, which are at most eight characters, so they never meet it.
inline const QString kGlobalSchema = QStringLiteral("dulvet_genel");
