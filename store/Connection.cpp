#include "store/Connection.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/StoreSession.h"
#include "store/TableLocks.h"
#include "store/TurkishCollation.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>
#include <sqlite3.h>
#include <unistd.h>

namespace {

std::atomic<int> connectionCounter{0};
constexpr int kBusyTimeoutMs = 15000;
constexpr int kMaxCachedStatements = 400;

} // namespace

Connection::Connection(StoreSession& session, const QString& directory, OpenMode mode,
                       const QString& name)
    : session_(session)
{
    const QFileInfo dirInfo(directory);
    if (directory.isEmpty() || !dirInfo.isDir())
        throw AppError(QStringLiteral("Veri dizini bulunamadı: %1").arg(directory));
    directory_ = QDir::cleanPath(dirInfo.absoluteFilePath());
    const QString file = QDir(directory_).filePath(kDatabaseFile);
    const bool exists = QFileInfo::exists(file);
    if (!exists && mode == OpenMode::Existing)
        throw AppError(QStringLiteral("%1 dizininde tablo dosyası bulunamadı.").arg(directory_));
    if (!exists && ::access(QFile::encodeName(directory_).constData(), W_OK) != 0)
        throw AppError(
            QStringLiteral("%1 dizinine yazılamıyor; tablolar oluşturulamadı.").arg(directory_));

    name_ = name.isEmpty() ? QStringLiteral("dulvet_%1").arg(++connectionCounter) : name;
    while (QSqlDatabase::contains(name_))
        name_ += QStringLiteral("_%1").arg(++connectionCounter);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(file);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    try {
        if (!db_.open())
            throw AppError(QStringLiteral("Veritabanı açılamadı: %1").arg(file),
                           db_.lastError().text());
        auto* handle = *static_cast<sqlite3* const*>(db_.driver()->handle().data());
        TurkishCollation::registerOn(handle);
        sqlite3_extended_result_codes(handle, 0);
        // Reading the schema fails at once on a file that is not a database.
        scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
        exec(QStringLiteral("PRAGMA cache_size=-16384"));
        exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
        if (!exists) {
            ensureMetaTables();
            QFile lock(lockFilePath());
            lock.open(QIODevice::WriteOnly | QIODevice::Append);
        } else if (!scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                                          "AND name='dulvet_tables'"))
                        .toInt())
            throw AppError(QStringLiteral("%1 bu programın tablo dosyası değil.").arg(file));
        loadDefinitions();
        if (!session.privateDirectory().isEmpty()) {
            const QString work = QDir(session.privateDirectory()).filePath(name_ + ".db");
            exec(QStringLiteral("ATTACH DATABASE ? AS work"), {work});
            exec(QStringLiteral("PRAGMA work.journal_mode=OFF"));
            exec(QStringLiteral("PRAGMA work.synchronous=OFF"));
            workAttached_ = true;
        }
    } catch (...) {
        statements_.clear();
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        if (!exists) QFile::remove(file); // leave nothing behind from a failed creation
        throw;
    }
}

Connection::~Connection()
{
    for (OpenCursor* cursor : std::vector<OpenCursor*>(openCursors_))
        cursor->close();
    if (depth_ > 0) {
        depth_ = 1;
        try {
            rollback();
        } catch (...) {
        }
    }
    statements_.clear();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void Connection::registerCursor(OpenCursor* cursor)
{
    openCursors_.push_back(cursor);
}

void Connection::unregisterCursor(OpenCursor* cursor)
{
    openCursors_.erase(std::remove(openCursors_.begin(), openCursors_.end(), cursor),
                       openCursors_.end());
}

QString Connection::lockFilePath() const
{
    return QDir(directory_).filePath(kLockFile);
}

QString Connection::workSchema()
{
    if (!workAttached_)
        throw AppError(
            QStringLiteral("Geçici çalışma dizini tanımlanmamış; sorgu çalıştırılamaz."));
    return QStringLiteral("work");
}

// --- SQL ------------------------------------------------------------------------------------

void Connection::fail(const QSqlQuery& query, const QString& what) const
{
    const QSqlError error = query.lastError();
    const int code = error.nativeErrorCode().toInt();
    const QString detail = error.databaseText();
    switch (code) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        throw AppError(QStringLiteral("Veriler başka bir kullanıcı tarafından kilitli; işlem "
                                      "yapılamadı. Biraz sonra yeniden deneyin."),
                       detail);
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
        throw AppError(
            QStringLiteral("%1 dizinine yazılamıyor (salt okunur olabilir).").arg(directory_),
            detail);
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        throw AppError(QStringLiteral("%1 dizinindeki tablo dosyası bozuk ya da bir veritabanı "
                                      "değil.")
                           .arg(directory_),
                       detail);
    case SQLITE_FULL:
        throw AppError(QStringLiteral("Diskte yer kalmadı; kayıt yazılamadı."), detail);
    case SQLITE_IOERR:
        throw AppError(QStringLiteral("Disk okuma/yazma hatası: %1").arg(directory_), detail);
    default:
        break;
    }
    throw AppError(what, detail.isEmpty() ? error.text() : detail);
}

QSqlQuery& Connection::prepared(const QString& sql)
{
    auto it = statements_.find(sql);
    if (it != statements_.end()) return *it;
    if (statements_.size() >= kMaxCachedStatements) statements_.clear();
    QSqlQuery query(db_);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) fail(query, QStringLiteral("Veritabanı komutu hazırlanamadı."));
    return *statements_.insert(sql, std::move(query));
}

QSqlQuery& Connection::run(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params[i]);
    if (!query.exec()) {
        query.finish();
        fail(query, QStringLiteral("Veritabanı komutu çalıştırılamadı."));
    }
    return query;
}

int Connection::exec(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = run(sql, params);
    const int affected = query.numRowsAffected();
    query.finish();
    return affected;
}

qint64 Connection::insert(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = run(sql, params);
    const qint64 id = query.lastInsertId().toLongLong();
    query.finish();
    return id;
}

std::vector<SqlRow> Connection::select(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = run(sql, params);
    std::vector<SqlRow> rows;
    const int columns = query.record().count();
    while (query.next()) {
        SqlRow row(static_cast<size_t>(columns));
        for (int i = 0; i < columns; ++i)
            row[size_t(i)] = query.value(i);
        rows.push_back(std::move(row));
    }
    const bool failed = query.lastError().isValid();
    // Finishing releases the read lock at once, so other programs can write.
    query.finish();
    if (failed) fail(query, QStringLiteral("Kayıtlar okunamadı."));
    return rows;
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = run(sql, params);
    QVariant value;
    if (query.next()) value = query.value(0);
    const bool failed = query.lastError().isValid();
    query.finish();
    if (failed) fail(query, QStringLiteral("Kayıtlar okunamadı."));
    return value;
}

// --- Transactions ----------------------------------------------------------------------------

void Connection::begin()
{
    if (depth_ == 0) {
        // IMMEDIATE takes the write lock now: two programs that both read and then write would
        // otherwise deadlock on the upgrade.
        exec(QStringLiteral("BEGIN IMMEDIATE"));
        failed_ = false;
    }
    ++depth_;
}

void Connection::commit()
{
    if (depth_ == 0) return;
    if (depth_ > 1) {
        --depth_;
        return;
    }
    if (failed_) {
        rollback();
        throw AppError(QStringLiteral("İşlem tamamlanamadı; yapılan değişiklikler geri alındı."));
    }
    try {
        exec(QStringLiteral("COMMIT"));
    } catch (...) {
        rollback();
        throw;
    }
    depth_ = 0;
}

void Connection::rollback()
{
    if (depth_ == 0) return;
    ++generation_;
    if (depth_ > 1) {
        failed_ = true;
        --depth_;
        return;
    }
    depth_ = 0;
    failed_ = false;
    // A failed COMMIT may already have ended the transaction; that is not an error here.
    QSqlQuery query(db_);
    query.exec(QStringLiteral("ROLLBACK"));
}

// --- Table definitions ------------------------------------------------------------------------

void Connection::ensureMetaTables()
{
    exec(QStringLiteral("CREATE TABLE IF NOT EXISTS dulvet_tables ("
                        "id INTEGER PRIMARY KEY, name TEXT NOT NULL, lname TEXT NOT NULL UNIQUE, "
                        "definition TEXT NOT NULL, password TEXT)"));
}

void Connection::loadDefinitions()
{
    definitions_.clear();
    for (const SqlRow& row : select(QStringLiteral("SELECT lname, definition FROM dulvet_tables")))
        definitions_.insert(row[0].toString(), TableDef::fromJson(row[1].toByteArray()));
}

bool Connection::tableExists(const QString& tableName)
{
    if (definitions_.contains(tableName.toLower())) return true;
    loadDefinitions(); // another program may have created it meanwhile
    return definitions_.contains(tableName.toLower());
}

QStringList Connection::tableNames()
{
    loadDefinitions();
    QStringList names;
    for (const SqlRow& row : select(QStringLiteral("SELECT name FROM dulvet_tables ORDER BY id")))
        names << row[0].toString();
    return names;
}

const TableDef& Connection::tableDef(const QString& tableName)
{
    if (!tableExists(tableName))
        throw AppError(
            QStringLiteral("%1 tablosu %2 dizininde bulunamadı.").arg(tableName, directory_));
    return definitions_[tableName.toLower()];
}

int Connection::tableId(const QString& tableName)
{
    return scalar(QStringLiteral("SELECT id FROM dulvet_tables WHERE lname = ?"),
                  {tableName.toLower()})
        .toInt();
}

void Connection::createTable(const TableDef& def)
{
    def.validate();
    if (tableExists(def.name))
        throw AppError(QStringLiteral("%1 tablosu zaten var.").arg(def.name));
    QStringList columns;
    for (const FieldDef& field : def.fields)
        columns << sqlName(field.name) + QLatin1Char(' ') + sqlColumnType(field.kind);
    columns << QStringLiteral("\"_Surum\" INTEGER NOT NULL DEFAULT 1");

    CommandTransaction transaction(*this);
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(sqlName(def.name), columns.join(", ")));
    for (const SqlIndex& index : sqlIndexes(def))
        exec(index.statement);
    exec(QStringLiteral("INSERT INTO dulvet_tables (name, lname, definition) VALUES (?, ?, ?)"),
         {def.name, def.name.toLower(), QString::fromUtf8(def.toJson())});
    transaction.commit();
    definitions_.insert(def.name.toLower(), def);
}

void Connection::dropTable(const QString& tableName)
{
    const TableDef def = tableDef(tableName);
    for (const OpenCursor* cursor : openCursors_)
        if (cursor->isOpen() && cursor->name().compare(def.name, Qt::CaseInsensitive) == 0)
            throw AppError(QStringLiteral("%1 tablosu açıkken silinemez.").arg(def.name));
    const int id = tableId(def.name);
    TableLocks::acquire(lockFilePath(), id, true, def.name);
    try {
        CommandTransaction transaction(*this);
        exec(QStringLiteral("DROP TABLE %1").arg(sqlName(def.name)));
        exec(QStringLiteral("DELETE FROM dulvet_tables WHERE id = ?"), {id});
        transaction.commit();
    } catch (...) {
        TableLocks::release(lockFilePath(), id, true);
        throw;
    }
    TableLocks::release(lockFilePath(), id, true);
    definitions_.remove(def.name.toLower());
}

void Connection::protectTable(const OpenCursor& table, const QString& password)
{
    if (!table.isOpen() || !table.isExclusive())
        throw AppError(QStringLiteral("Tabloya parola koymak için tablo tek kullanıcılı "
                                      "açılmalı: %1")
                           .arg(table.name()));
    if (password.isEmpty()) throw AppError(QStringLiteral("Parola boş olamaz."));
    const QString salt = QString::number(QRandomGenerator::global()->generate64(), 36);
    exec(QStringLiteral("UPDATE dulvet_tables SET password = ? WHERE lname = ?"),
         {salt + QLatin1Char('$') + StoreSession::hashPassword(password, salt),
          table.name().toLower()});
}

QString Connection::passwordHashOf(const QString& tableName)
{
    return scalar(QStringLiteral("SELECT password FROM dulvet_tables WHERE lname = ?"),
                  {tableName.toLower()})
        .toString();
}

Connection::MappedReads::MappedReads(Connection& connection)
    : connection_(connection)
{
    // Up to 1 GB of the file; SQLite maps no more than the file holds.
    if (connection_.mappedReads_++ == 0)
        connection_.exec(QStringLiteral("PRAGMA mmap_size=1073741824"));
}

Connection::MappedReads::~MappedReads()
{
    if (--connection_.mappedReads_ > 0) return;
    try {
        connection_.exec(QStringLiteral("PRAGMA mmap_size=0"));
    } catch (const AppError&) {
        // The mapping only made reads faster; a connection that cannot turn it off keeps it.
    }
}
