#include "store/AppError.h"
#include "store/Connection.h"
#include "store/SqlBackend.h"
#include "store/TurkishCollation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kBusyTimeoutMs = 15000;

// Locks on bytes of the directory's lock file, one byte per table.
class FileLocks : public OpenLocks {
public:
    explicit FileLocks(const QString& path)
    {
        const QByteArray name = QFile::encodeName(path);
        fd_ = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        // A lock file we may only read carries read locks but no write lock, so on a read-only
        // directory shared opens work and exclusive ones are refused.
        if (fd_ < 0) fd_ = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    }
    ~FileLocks() override
    {
        if (fd_ >= 0) ::close(fd_);
    }
    bool usable() const override { return fd_ >= 0; }
    bool lock(int tableId, bool exclusive) override
    {
        return set(tableId, exclusive ? F_WRLCK : F_RDLCK);
    }
    void unlock(int tableId, bool) override { set(tableId, F_UNLCK); }

private:
    bool set(int tableId, short type)
    {
        struct flock request {};
        request.l_type = type;
        request.l_whence = SEEK_SET;
        request.l_start = tableId;
        request.l_len = 1;
        while (fcntl(fd_, F_SETLK, &request) == -1) {
            if (errno != EINTR) return false;
        }
        return true;
    }
    int fd_ = -1;
};

class SqliteBackend : public SqlBackend {
public:
    explicit SqliteBackend(const QString& directory)
        : directory_(directory)
        , file_(QDir(directory).filePath(Connection::kDatabaseFile))
    {
    }

    bool isServer() const override { return false; }
    QString driver() const override { return QStringLiteral("QSQLITE"); }
    QString place() const override { return directory_; }

    void configure(QSqlDatabase& db, bool creating) override
    {
        existed_ = QFileInfo::exists(file_);
        if (!existed_ && !creating) throw AppError(missingMessage());
        if (!existed_ && ::access(QFile::encodeName(directory_).constData(), W_OK) != 0)
            throw AppError(QStringLiteral("%1 dizinine yazılamıyor; tablolar oluşturulamadı.")
                               .arg(directory_));
        db.setDatabaseName(file_);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    }
    [[noreturn]] void failOpen(const QSqlError& error) const override
    {
        throw AppError(QStringLiteral("Veritabanı açılamadı: %1").arg(file_), error.text());
    }
    bool exists(Connection&) override { return existed_; }
    QString missingMessage() const override
    {
        return QStringLiteral("%1 dizininde tablo dosyası bulunamadı.").arg(directory_);
    }
    QString notOursMessage() const override
    {
        return QStringLiteral("%1 bu programın tablo dosyası değil.").arg(file_);
    }

    void prepare(Connection& c) override
    {
        auto* handle = *static_cast<sqlite3* const*>(c.database().driver()->handle().data());
        TurkishCollation::registerOn(handle);
        sqlite3_extended_result_codes(handle, 0);
        // Reading the schema fails at once on a file that is not a database.
        c.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
        c.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        c.exec(QStringLiteral("PRAGMA synchronous=FULL"));
        c.exec(QStringLiteral("PRAGMA cache_size=-16384"));
        c.exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    }

    void createStore(Connection&) override
    {
        QFile lock(QDir(directory_).filePath(Connection::kLockFile));
        lock.open(QIODevice::WriteOnly | QIODevice::Append);
    }

    void removeFailedStore(Connection&) override { QFile::remove(file_); }
    bool storeExists() const override { return QFileInfo::exists(file_); }
    void removeStore() const override
    {
        QFile::remove(file_);
        QFile::remove(QDir(directory_).filePath(Connection::kLockFile));
    }

    bool hasMetaTable(Connection& c) override
    {
        return c
            .scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                                   "AND name='dulvet_tables'"))
            .toInt();
    }

    QString attachWork(Connection& c, const QString& privateDirectory) override
    {
        if (privateDirectory.isEmpty()) return QString();
        const QString work = QDir(privateDirectory).filePath(c.name() + ".db");
        c.exec(QStringLiteral("ATTACH DATABASE ? AS work"), {work});
        c.exec(QStringLiteral("PRAGMA work.journal_mode=OFF"));
        c.exec(QStringLiteral("PRAGMA work.synchronous=OFF"));
        return QStringLiteral("work");
    }

    // IMMEDIATE takes the write lock now: two programs that both read and then write would
    // otherwise deadlock on the upgrade.
    QString beginStatement() const override { return QStringLiteral("BEGIN IMMEDIATE"); }
    // Deferred: a shared lock once the first row is read, so other programs still write until
    // the reader's view has to be kept.
    QString readBeginStatement() const override { return QStringLiteral("BEGIN"); }
    QString columnType(FieldKind kind) const override { return sqlColumnType(kind); }
    QString insertReturning(const QString& insert, const QString&) const override { return insert; }
    void raiseKeySequence(Connection& c, const QString& table, const QString&,
                          qint64 value) override
    {
        if (c.exec(QStringLiteral("UPDATE sqlite_sequence SET seq = max(seq, ?) WHERE name = ?"),
                   {value, table}) == 0)
            c.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                   {table, value});
    }

    qint64 keySequence(Connection& c, const QString& table, const QString&) override
    {
        return c.scalar(QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), {table})
            .toLongLong();
    }

    QString indexStatement(const SqlIndex& index) const override { return index.statement(); }
    void createIndex(Connection& c, const SqlIndex& index) override { c.exec(index.statement()); }
    QString storedIndex(Connection& c, const QString& name) override
    {
        return c
            .scalar(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index' AND "
                                   "name = ?"),
                    {name})
            .toString();
    }
    void dropIndex(Connection& c, const QString& name) override
    {
        c.exec(QStringLiteral("DROP INDEX %1").arg(sqlName(name)));
    }
    QHash<QString, QString> columnTypes(Connection& c, const QString& table) override
    {
        QHash<QString, QString> columns;
        for (const SqlRow& row :
             c.select(QStringLiteral("SELECT name, type FROM pragma_table_info(?)"), {table}))
            columns.insert(row[0].toString().toLower(), row[1].toString());
        return columns;
    }
    QStringList integrityProblems(Connection& c) override
    {
        QStringList problems;
        for (const SqlRow& row : c.select(QStringLiteral("PRAGMA integrity_check")))
            if (row[0].toString() != QLatin1String("ok")) problems << row[0].toString();
        return problems;
    }

    [[noreturn]] void fail(const QSqlError& error, const QString& what, bool) const override
    {
        const QString detail = error.databaseText();
        switch (error.nativeErrorCode().toInt()) {
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
            throw AppError(QStringLiteral("%1 dizinindeki tablo dosyası bozuk ya da bir "
                                          "veritabanı değil.")
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
    bool lostConnection(const QSqlDatabase&, const QSqlError&) const override { return false; }

    void setMappedReads(Connection& c, bool on) override
    {
        // Up to 1 GB of the file; SQLite maps no more than the file holds.
        c.exec(on ? QStringLiteral("PRAGMA mmap_size=1073741824")
                  : QStringLiteral("PRAGMA mmap_size=0"));
    }

    QString lockKey() const override { return QDir(directory_).filePath(Connection::kLockFile); }
    std::unique_ptr<OpenLocks> openLocks() const override
    {
        return std::make_unique<FileLocks>(lockKey());
    }

private:
    QString directory_;
    QString file_;
    bool existed_ = false;
};

} // namespace

std::unique_ptr<SqlBackend> SqlBackend::forFile(const QString& directory)
{
    return std::make_unique<SqliteBackend>(directory);
}
