#include "store/Connection.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/StoreSession.h"
#include "store/TableLocks.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>

namespace {

std::atomic<int> connectionCounter{0};
constexpr int kMaxCachedStatements = 400;

// Values as both databases store them: dates as ISO text, truth as 0 or 1.
QVariant storable(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.isNull() ? QVariant() : QVariant(value.toBool() ? 1 : 0);
    case QMetaType::QDate:
        return value.isNull() ? QVariant() : QVariant(value.toDate().toString(Qt::ISODate));
    default:
        return value;
    }
}

} // namespace

namespace {

std::unique_ptr<SqlBackend> backendFor(StoreSession& session, const QString& directory)
{
    return session.server() ? SqlBackend::forServer(*session.server(), session.schemaFor(directory))
                            : SqlBackend::forFile(directory);
}

} // namespace

bool Connection::storeExists(StoreSession& session, const QString& directory)
{
    return backendFor(session, QDir::cleanPath(QDir(directory).absolutePath()))->storeExists();
}

void Connection::removeStore(StoreSession& session, const QString& directory)
{
    backendFor(session, QDir::cleanPath(QDir(directory).absolutePath()))->removeStore();
}

Connection::Connection(StoreSession& session, const QString& directory, OpenMode mode,
                       const QString& name)
    : session_(session)
{
    const QFileInfo dirInfo(directory);
    if (directory.isEmpty() || !dirInfo.isDir())
        throw AppError(QStringLiteral("Veri dizini bulunamadı: %1").arg(directory));
    directory_ = QDir::cleanPath(dirInfo.absoluteFilePath());
    backend_ = session.server()
                   ? SqlBackend::forServer(*session.server(), session.schemaFor(directory_))
                   : SqlBackend::forFile(directory_);

    name_ = name.isEmpty() ? QStringLiteral("dulvet_%1").arg(++connectionCounter) : name;
    while (QSqlDatabase::contains(name_))
        name_ += QStringLiteral("_%1").arg(++connectionCounter);
    db_ = QSqlDatabase::addDatabase(backend_->driver(), name_);
    bool created = false;
    try {
        backend_->configure(db_, mode == OpenMode::CreateIfMissing);
        if (!db_.open()) backend_->failOpen(db_.lastError());
        backend_->prepare(*this);
        if (!backend_->exists(*this)) {
            if (mode == OpenMode::Existing) throw AppError(backend_->missingMessage());
            created = true;
            backend_->createStore(*this);
            ensureMetaTables();
        } else if (!backend_->hasMetaTable(*this)) {
            throw AppError(backend_->notOursMessage());
        }
        loadDefinitions();
        workSchema_ = backend_->attachWork(*this, session.privateDirectory());
    } catch (...) {
        // Leave nothing behind from a failed creation.
        if (created) backend_->removeFailedStore(*this);
        closeDatabase();
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
    closeDatabase();
}

void Connection::closeDatabase()
{
    statements_.clear();
    direct_ = QSqlQuery();
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

void Connection::reopen()
{
    // The server went away during an earlier command, which was not written. A command in
    // progress cannot go on on a new connection; the next one can.
    if (depth_ > 0) {
        backend_->fail(QSqlError(), QString(), true);
        throw AppError(QString()); // not reached
    }
    statements_.clear();
    direct_ = QSqlQuery();
    db_.close();
    if (!db_.open()) backend_->failOpen(db_.lastError());
    broken_ = false;
    ++generation_;
    try {
        backend_->prepare(*this);
    } catch (...) {
        broken_ = true;
        throw;
    }
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

QString Connection::workSchema()
{
    if (workSchema_.isEmpty())
        throw AppError(
            QStringLiteral("Geçici çalışma dizini tanımlanmamış; sorgu çalıştırılamaz."));
    return workSchema_;
}

void Connection::raiseKeySequence(const QString& table, qint64 value)
{
    const TableDef& def = tableDef(table);
    backend_->raiseKeySequence(*this, def.name, def.fields.front().name, value);
}

void Connection::lockName(const QString& name)
{
    if (depth_ > 0) backend_->lockName(*this, name);
}

qint64 Connection::keySequence(const QString& table)
{
    const TableDef& def = tableDef(table);
    return backend_->keySequence(*this, def.name, def.fields.front().name);
}

// --- SQL ------------------------------------------------------------------------------------

void Connection::fail(const QSqlQuery& query, const QString& what)
{
    const bool lost = backend_->lostConnection(db_, query.lastError());
    if (lost) broken_ = true;
    // On a server a failed statement spoils the rest of its transaction: the command cannot
    // be committed any more, only rolled back.
    if (backend_->isServer() && depth_ > 0) failed_ = true;
    backend_->fail(query.lastError(), what, lost);
    throw AppError(what); // not reached: the backend throws
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
    if (broken_) reopen();
    if (params.isEmpty() && backend_->isServer()) {
        // The server prepares only queries and changes of rows, not the statements that set
        // up a session, a transaction or a table; those without values go as they are.
        direct_ = QSqlQuery(db_);
        direct_.setForwardOnly(true);
        if (!direct_.exec(sql)) fail(direct_, QStringLiteral("Veritabanı komutu çalıştırılamadı."));
        return direct_;
    }
    QSqlQuery& query = prepared(sql);
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, storable(params[i]));
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

qint64 Connection::insert(const QString& sql, const QVariantList& params, const QString& keyColumn)
{
    QSqlQuery& query = run(backend_->insertReturning(sql, keyColumn), params);
    const qint64 id = backend_->isServer() ? (query.next() ? query.value(0).toLongLong() : 0)
                                           : query.lastInsertId().toLongLong();
    query.finish();
    return id;
}

QString Connection::keyListMarks()
{
    return QStringLiteral("(?%1)").arg(QStringLiteral(", ?").repeated(kKeysAtOnce - 1));
}

std::vector<QVariantList> Connection::keyGroups(const std::vector<qint64>& keys)
{
    std::vector<QVariantList> groups;
    for (size_t at = 0; at < keys.size(); at += kKeysAtOnce) {
        QVariantList group;
        for (size_t i = at; i < at + kKeysAtOnce; ++i)
            group << keys[std::min(i, keys.size() - 1)];
        groups.push_back(std::move(group));
    }
    return groups;
}

QString Connection::insertStatement(const QString& table, const QStringList& columns, int rows)
{
    const QString row =
        QStringLiteral("(?%1)").arg(QStringLiteral(", ?").repeated(int(columns.size()) - 1));
    QStringList values;
    for (int i = 0; i < rows; ++i)
        values << row;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
        .arg(sqlName(table), columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
}

std::vector<qint64> Connection::insertAll(const QString& table, const QString& keyColumn,
                                          const QStringList& columns,
                                          const std::vector<QVariantList>& rows)
{
    std::vector<qint64> keys;
    if (rows.empty()) return keys;
    keys = backend_->takeKeys(*this, table, keyColumn, int(rows.size()));
    if (keys.empty()) {
        const QString sql = insertStatement(table, columns, 1);
        for (const QVariantList& row : rows)
            keys.push_back(insert(sql, row, keyColumn));
        return keys;
    }
    // Rows that come with their keys, 32 or 16 or … to a statement: a few shapes of statement
    // serve every count.
    const QStringList withKey = QStringList{sqlName(keyColumn)} + columns;
    for (size_t at = 0; at < rows.size();) {
        size_t chunk = 32;
        while (chunk > rows.size() - at)
            chunk /= 2;
        QVariantList params;
        for (size_t i = at; i < at + chunk; ++i)
            params << keys[i] << rows[i];
        exec(insertStatement(table, withKey, int(chunk)), params);
        at += chunk;
    }
    return keys;
}

QSqlQuery& Connection::runReading(const QString& sql, const QVariantList& params)
{
    try {
        return run(sql, params);
    } catch (const AppError&) {
        // A read outside any command that met a lost server is read again on a new
        // connection: it changed nothing, so nothing can happen twice.
        if (!broken_ || depth_ > 0) throw;
    }
    return run(sql, params);
}

std::vector<SqlRow> Connection::select(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = runReading(sql, params);
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

void Connection::each(const QString& sql, const QVariantList& params,
                      const std::function<void(const QSqlQuery&)>& row)
{
    QSqlQuery& query = runReading(sql, params);
    try {
        while (query.next())
            row(query);
    } catch (...) {
        query.finish();
        throw;
    }
    const bool failed = query.lastError().isValid();
    query.finish();
    if (failed) fail(query, QStringLiteral("Kayıtlar okunamadı."));
}

int Connection::replaceExact(const QString& table, const QString& field, const QString& from,
                             const QString& to, const QString& linkField, qint64 linkId)
{
    const TableDef& def = tableDef(table);
    const int index = def.fieldIndex(field);
    if (index < 0 || def.fieldIndex(linkField) < 0)
        throw AppError(
            QStringLiteral("%1 tablosunda %2 ya da %3 alanı yok.").arg(def.name, field, linkField));
    const FieldDef& f = def.fields[size_t(index)];
    const QString stored = f.kind == FieldKind::Text ? to.left(f.size) : to;
    // The texts compare by their bytes (the columns' own comparison), never by the folded
    // order of the indexes; an empty text is stored as nothing.
    const int changed = exec(
        QStringLiteral("UPDATE %1 SET %2 = ?, \"_Surum\" = \"_Surum\" + 1 WHERE coalesce(%3,0) = ? "
                       "AND coalesce(%2,'') = ?")
            .arg(sqlName(def.name), sqlName(f.name), sqlName(linkField)),
        {stored.isEmpty() ? QVariant() : QVariant(stored), linkId, from});
    ++generation_;
    return changed;
}

Connection::ReadTransaction::ReadTransaction(Connection& connection)
    : connection_(connection)
{
    if (connection_.depth_ > 0) return;
    connection_.exec(connection_.backend_->readBeginStatement());
    connection_.depth_ = 1;
    connection_.failed_ = false;
    owns_ = true;
}

Connection::ReadTransaction::~ReadTransaction()
{
    if (!owns_) return;
    try {
        connection_.commit();
    } catch (const AppError&) {
        // Nothing was written; a view that cannot be closed in order is given up.
        connection_.rollback();
    }
}

void Connection::renameStore(StoreSession& session, const QString& from, const QString& to)
{
    if (!session.server()) return;
    backendFor(session, QDir::cleanPath(QDir(from).absolutePath()))
        ->renameStore(session.schemaFor(QDir::cleanPath(QDir(to).absolutePath())));
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params)
{
    QSqlQuery& query = runReading(sql, params);
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
        exec(backend_->beginStatement());
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
    if (broken_) return;
    QSqlQuery query(db_);
    query.exec(QStringLiteral("ROLLBACK"));
}

// --- Table definitions ------------------------------------------------------------------------

void Connection::ensureMetaTables()
{
    exec(QStringLiteral("CREATE TABLE IF NOT EXISTS dulvet_tables (id %1, "
                        "name TEXT NOT NULL, lname TEXT NOT NULL UNIQUE, "
                        "definition TEXT NOT NULL, password TEXT)")
             .arg(onServer() ? columnType(FieldKind::AutoInc)
                             : QStringLiteral("INTEGER PRIMARY KEY")));
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
        columns << sqlName(field.name) + QLatin1Char(' ') + columnType(field.kind);
    columns << QStringLiteral("\"_Surum\" INTEGER NOT NULL DEFAULT 1");

    CommandTransaction transaction(*this);
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(sqlName(def.name), columns.join(", ")));
    for (const SqlIndex& index : sqlIndexes(def))
        createIndex(index);
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
    TableLocks::acquire(*this, id, true, def.name);
    try {
        CommandTransaction transaction(*this);
        exec(QStringLiteral("DROP TABLE %1").arg(sqlName(def.name)));
        exec(QStringLiteral("DELETE FROM dulvet_tables WHERE id = ?"), {id});
        transaction.commit();
    } catch (...) {
        TableLocks::release(*this, id, true);
        throw;
    }
    TableLocks::release(*this, id, true);
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
    if (connection_.mappedReads_++ == 0) connection_.backend_->setMappedReads(connection_, true);
}

Connection::MappedReads::~MappedReads()
{
    if (--connection_.mappedReads_ > 0) return;
    try {
        connection_.backend_->setMappedReads(connection_, false);
    } catch (const AppError&) {
        // The mapping only made reads faster; a connection that cannot turn it off keeps it.
    }
}
