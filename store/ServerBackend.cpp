#include "store/AppError.h"
#include "store/Connection.h"
#include "store/ServerSettings.h"
#include "store/SqlBackend.h"

#include <QAtomicInt>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <libpq-fe.h>

// Books on a PostgreSQL server: one schema per directory (the company code, or kGlobalSchema
// for the data directory), the Turkish orders as ICU collations, keys from identity sequences,
// commands as serializable transactions, open locks as advisory locks.

namespace {

QAtomicInt lockConnectionCounter{0};

// A name as one of the two numbers of an advisory lock key.
int lockKeyOf(const QString& name)
{
    return int(qChecksum(name.toUtf8()) & 0x7fffffff);
}

// Turkish order, case-insensitive (nondeterministic: "IŞIK" equals "ışık") and case-sensitive
// (ties of that order broken by the bytes), as the local database's TRK_CI and TRK_CS.
const char* const kCollations[] = {
    "CREATE COLLATION IF NOT EXISTS public.trk_ci (provider = icu, locale = "
    "'tr-TR-u-ks-level2', deterministic = false)",
    "CREATE COLLATION IF NOT EXISTS public.trk_cs (provider = icu, locale = "
    "'tr-TR-u-ks-level2', deterministic = true)",
};

void configureDatabase(QSqlDatabase& db, const ServerSettings& server)
{
    if (!server.host.isEmpty()) db.setHostName(server.host);
    db.setPort(server.port);
    db.setDatabaseName(server.database);
    if (!server.user.isEmpty()) db.setUserName(server.user);
    QString options = server.options;
    if (!options.contains(QLatin1String("connect_timeout=")))
        options +=
            QLatin1String(options.isEmpty() ? "" : ";") + QStringLiteral("connect_timeout=10");
    db.setConnectOptions(options);
}

QString describe(const ServerSettings& server)
{
    return QStringLiteral("%1%2/%3").arg(
        server.host.isEmpty() ? QStringLiteral("yerel sunucu") : server.host,
        server.port == 5432 ? QString() : QStringLiteral(":%1").arg(server.port), server.database);
}

// Session-level advisory locks on a connection of their own, which lives as long as the
// program holds any lock of the schema: the server drops them when the program dies. When the
// connection is lost (the server restarted), it is made again and the held locks taken again.
class AdvisoryLocks : public OpenLocks {
public:
    AdvisoryLocks(const ServerSettings& server, const QString& schema)
        : name_(QStringLiteral("dulvet_kilit_%1").arg(++lockConnectionCounter))
        , space_(lockKeyOf(schema))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name_);
        configureDatabase(db, server);
        db.open();
    }
    ~AdvisoryLocks() override
    {
        {
            QSqlDatabase db = QSqlDatabase::database(name_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(name_);
    }
    bool usable() const override { return QSqlDatabase::database(name_, false).isOpen(); }
    bool lock(int tableId, bool exclusive) override
    {
        const bool taken = call(exclusive, true, tableId);
        if (taken) held_.insert(tableId, exclusive);
        return taken;
    }
    void unlock(int tableId, bool exclusive) override
    {
        held_.remove(tableId);
        call(exclusive, false, tableId);
    }

private:
    bool call(bool exclusive, bool take, int tableId)
    {
        bool reached = false;
        const bool result = run(exclusive, take, tableId, &reached);
        if (reached || !take) return result;
        // The connection is gone: a new one, the locks held before, then this one.
        QSqlDatabase db = QSqlDatabase::database(name_, false);
        db.close();
        if (!db.open()) return false;
        for (auto it = held_.cbegin(); it != held_.cend(); ++it)
            run(it.value(), true, it.key(), nullptr);
        return run(exclusive, take, tableId, nullptr);
    }
    bool run(bool exclusive, bool take, int tableId, bool* reached)
    {
        QSqlQuery query(QSqlDatabase::database(name_, false));
        const char* function =
            take ? (exclusive ? "pg_try_advisory_lock" : "pg_try_advisory_lock_shared")
                 : (exclusive ? "pg_advisory_unlock" : "pg_advisory_unlock_shared");
        query.prepare(QStringLiteral("SELECT %1(?, ?)").arg(QLatin1String(function)));
        query.bindValue(0, space_);
        query.bindValue(1, tableId);
        const bool ran = query.exec() && query.next();
        if (reached) *reached = ran;
        return ran && query.value(0).toBool();
    }
    QString name_;
    int space_;
    QHash<int, bool> held_; // table → exclusive
};

class ServerBackend : public SqlBackend {
public:
    ServerBackend(const ServerSettings& server, const QString& schema)
        : server_(server)
        , schema_(schema)
    {
    }

    bool isServer() const override { return true; }
    QString driver() const override { return QStringLiteral("QPSQL"); }
    QString place() const override
    {
        return QStringLiteral("%1 (%2)").arg(schema_, describe(server_));
    }

    void configure(QSqlDatabase& db, bool) override { configureDatabase(db, server_); }
    [[noreturn]] void failOpen(const QSqlError& error) const override
    {
        throw AppError(QStringLiteral("Sunucuya bağlanılamadı: %1").arg(describe(server_)),
                       error.text());
    }

    void prepare(Connection& c) override
    {
        // Notices (a rollback after the server already ended the transaction) are not errors.
        c.exec(QStringLiteral("SET client_min_messages TO error"));
        c.exec(QStringLiteral("SET search_path TO %1, public").arg(sqlName(schema_)));
        // A lock that another workstation holds for long makes a command give up instead of
        // waiting without end.
        c.exec(QStringLiteral("SET lock_timeout TO '15s'"));
    }

    bool exists(Connection& c) override
    {
        return c.scalar(QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = ?"),
                        {schema_})
                   .toInt() > 0;
    }
    QString missingMessage() const override
    {
        return QStringLiteral("Sunucuda %1 tabloları bulunamadı.").arg(place());
    }
    QString notOursMessage() const override
    {
        return QStringLiteral("Sunucudaki %1 şeması bu programın tabloları değil.").arg(place());
    }

    void createStore(Connection& c) override
    {
        for (const char* statement : kCollations) {
            try {
                c.exec(QLatin1String(statement));
            } catch (const AppError&) {
                // Another program may be making it at the same moment; what counts is that it
                // is there now.
                if (!c.scalar(QStringLiteral("SELECT count(*) FROM pg_collation WHERE collname = "
                                             "'trk_ci'"))
                         .toInt())
                    throw;
            }
        }
        c.exec(QStringLiteral("CREATE SCHEMA %1").arg(sqlName(schema_)));
    }

    void removeFailedStore(Connection& c) override
    {
        try {
            c.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(sqlName(schema_)));
        } catch (const AppError&) {
        }
    }

    bool storeExists() const override
    {
        return administer(QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname = ?"),
                          {schema_})
                   .toInt() > 0;
    }
    void removeStore() const override
    {
        administer(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(sqlName(schema_)), {});
    }
    void renameStore(const QString& newName) const override
    {
        administer(
            QStringLiteral("ALTER SCHEMA %1 RENAME TO %2").arg(sqlName(schema_), sqlName(newName)),
            {});
    }

    bool hasMetaTable(Connection& c) override
    {
        return c.scalar(QStringLiteral("SELECT count(*) FROM pg_tables WHERE schemaname = ? AND "
                                       "tablename = 'dulvet_tables'"),
                        {schema_})
                   .toInt() > 0;
    }

    QString attachWork(Connection&, const QString&) override { return QStringLiteral("pg_temp"); }

    QString beginStatement() const override
    {
        // Read committed: each statement sees what others committed before it. Commands that
        // change a record lock it first (Table::edit), and wait for each other there instead
        // of failing; commands that take a number lock its name (Connection::lockName).
        return QStringLiteral("BEGIN ISOLATION LEVEL READ COMMITTED");
    }

    QString readBeginStatement() const override
    {
        return QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    }

    QString lockRowClause() const override { return QStringLiteral(" FOR UPDATE"); }

    void lockName(Connection& c, const QString& name) override
    {
        c.scalar(QStringLiteral("SELECT pg_advisory_xact_lock(?, ?)"),
                 {lockKeyOf(schema_), lockKeyOf(name)});
    }

    QString columnType(FieldKind kind) const override
    {
        switch (kind) {
        case FieldKind::AutoInc:
            return QStringLiteral("bigint GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY");
        case FieldKind::Integer:
            return QStringLiteral("bigint");
        case FieldKind::Float:
            return QStringLiteral("double precision");
        case FieldKind::Picture:
            return QStringLiteral("bytea");
        case FieldKind::Text:
        case FieldKind::Date:
        case FieldKind::Time:
        case FieldKind::Memo:
            break;
        }
        return QStringLiteral("text");
    }

    QString insertReturning(const QString& insert, const QString& keyColumn) const override
    {
        return insert + QStringLiteral(" RETURNING ") + sqlName(keyColumn);
    }

    void raiseKeySequence(Connection& c, const QString& table, const QString& keyColumn,
                          qint64 value) override
    {
        c.scalar(QStringLiteral("SELECT setval(s, greatest(?, coalesce(pg_sequence_last_value(s), "
                                "0))) FROM (SELECT pg_get_serial_sequence(?, ?)::regclass AS s) "
                                "AS q"),
                 {value, sqlName(schema_) + QLatin1Char('.') + sqlName(table), keyColumn});
    }

    std::vector<qint64> takeKeys(Connection& c, const QString& table, const QString& keyColumn,
                                 int count) override
    {
        std::vector<qint64> keys;
        for (const SqlRow& row :
             c.select(QStringLiteral("SELECT nextval(pg_get_serial_sequence(?, ?)::regclass) "
                                     "FROM generate_series(1, ?)"),
                      {sqlName(schema_) + QLatin1Char('.') + sqlName(table), keyColumn, count}))
            keys.push_back(row[0].toLongLong());
        std::sort(keys.begin(), keys.end());
        if (int(keys.size()) != count)
            throw AppError(
                QStringLiteral("%1 tablosu için yeni kayıt numarası alınamadı.").arg(table));
        return keys;
    }

    void refreshStatistics(Connection& c, const QString& table) override
    {
        c.exec(QStringLiteral("ANALYZE %1").arg(sqlName(table)));
    }

    qint64 keySequence(Connection& c, const QString& table, const QString& keyColumn) override
    {
        return c
            .scalar(QStringLiteral("SELECT coalesce(pg_sequence_last_value(pg_get_serial_sequence("
                                   "?, ?)::regclass), 0)"),
                    {sqlName(schema_) + QLatin1Char('.') + sqlName(table), keyColumn})
            .toLongLong();
    }

    QString indexStatement(const SqlIndex& index) const override
    {
        // The server wants each key expression in parentheses; a plain column may stand alone.
        QStringList keys;
        for (const QString& key : index.keys)
            keys << (key == sqlName(key.mid(1, key.size() - 2)) ? key : u'(' + key + u')');
        return QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
            .arg(QLatin1String(index.unique ? "UNIQUE " : ""), sqlName(index.name),
                 sqlName(index.table), keys.join(QStringLiteral(", ")));
    }

    void createIndex(Connection& c, const SqlIndex& index) override
    {
        const QString statement = indexStatement(index);
        c.exec(statement);
        // The statement is kept with the index, so that a check compares like with like.
        QString literal = statement;
        literal.replace(QLatin1Char('\''), QLatin1String("''"));
        c.exec(QStringLiteral("COMMENT ON INDEX %1 IS '%2'").arg(sqlName(index.name), literal));
    }

    QString storedIndex(Connection& c, const QString& name) override
    {
        return c
            .scalar(QStringLiteral("SELECT coalesce(obj_description(c.oid, 'pg_class'), "
                                   "pg_get_indexdef(c.oid)) FROM pg_class c JOIN pg_namespace n "
                                   "ON n.oid = c.relnamespace WHERE n.nspname = ? AND c.relname "
                                   "= ? AND c.relkind = 'i'"),
                    {schema_, name})
            .toString();
    }

    void dropIndex(Connection& c, const QString& name) override
    {
        c.exec(QStringLiteral("DROP INDEX %1.%2").arg(sqlName(schema_), sqlName(name)));
    }

    QHash<QString, QString> columnTypes(Connection& c, const QString& table) override
    {
        QHash<QString, QString> columns;
        for (const SqlRow& row :
             c.select(QStringLiteral("SELECT column_name, data_type FROM "
                                     "information_schema.columns WHERE table_schema = ? AND "
                                     "table_name = ?"),
                      {schema_, table}))
            columns.insert(row[0].toString().toLower(),
                           row[1].toString().section(QLatin1Char(' '), 0, 0));
        return columns;
    }

    // The server keeps its own checksums and logs; there is no file here to walk.
    QStringList integrityProblems(Connection&) override { return {}; }

    [[noreturn]] void fail(const QSqlError& error, const QString& what, bool lost) const override
    {
        const QString state = error.nativeErrorCode();
        const QString detail = error.databaseText().isEmpty() ? error.text() : error.databaseText();
        if (state == u"40001" || state == u"40P01")
            throw ConcurrentChangeError(
                QStringLiteral("Veriler aynı anda başka bir kullanıcı tarafından değiştirildi; "
                               "işlem yapılmadı. Yeniden deneyin."),
                detail);
        if (state == u"55P03" || state == u"57014")
            throw AppError(QStringLiteral("Veriler başka bir kullanıcı tarafından kilitli; işlem "
                                          "yapılamadı. Biraz sonra yeniden deneyin."),
                           detail);
        if (state == u"53100")
            throw AppError(QStringLiteral("Sunucuda disk yeri kalmadı; kayıt yazılamadı."), detail);
        if (state == u"42501" || state == u"25006")
            throw AppError(QStringLiteral("Sunucuda bu işlem için yetkiniz yok: %1").arg(place()),
                           detail);
        if (lost || state.startsWith(u"08") || state.startsWith(u"57P"))
            throw AppError(QStringLiteral("Sunucu bağlantısı koptu; işlem yapılmadı. Sunucu "
                                          "yeniden açıldığında komutu tekrarlayın."),
                           detail);
        throw AppError(what, detail);
    }

    bool lostConnection(const QSqlDatabase& db, const QSqlError& error) const override
    {
        // The server ended the session (shut down, restarted, or the session was ended by its
        // administrator), or the connection itself broke.
        const QString state = error.nativeErrorCode();
        if (state.startsWith(u"08") || state.startsWith(u"57P")) return true;
        const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
        auto* conn = handle.isValid() ? *static_cast<PGconn* const*>(handle.data()) : nullptr;
        return !conn || PQstatus(conn) != CONNECTION_OK;
    }

    void setMappedReads(Connection&, bool) override {}

    QString lockKey() const override
    {
        return QStringLiteral("pg:%1/%2").arg(describe(server_), schema_);
    }
    std::unique_ptr<OpenLocks> openLocks() const override
    {
        return std::make_unique<AdvisoryLocks>(server_, schema_);
    }

private:
    // One statement on a short connection of its own, for work outside any schema.
    QVariant administer(const QString& sql, const QVariantList& params) const
    {
        const QString name = QStringLiteral("dulvet_yonetim_%1").arg(++lockConnectionCounter);
        QVariant value;
        QSqlError error;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            configureDatabase(db, server_);
            if (!db.open()) {
                error = db.lastError();
            } else {
                QSqlQuery query(db);
                bool ok = params.isEmpty() ? query.exec(sql) : query.prepare(sql);
                for (int i = 0; ok && !params.isEmpty() && i < params.size(); ++i)
                    query.bindValue(i, params[i]);
                if (ok && !params.isEmpty()) ok = query.exec();
                if (ok && query.next()) value = query.value(0);
                if (!ok) error = query.lastError();
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        if (error.isValid())
            throw AppError(QStringLiteral("Sunucuda işlem yapılamadı: %1").arg(place()),
                           error.text());
        return value;
    }

    ServerSettings server_;
    QString schema_;
};

} // namespace

std::unique_ptr<SqlBackend> SqlBackend::forServer(const ServerSettings& server,
                                                  const QString& schema)
{
    return std::make_unique<ServerBackend>(server, schema);
}
