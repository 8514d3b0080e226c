#include "store/Backup.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyBuild.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreCopy.h"
#include "store/StoreSession.h"
#include "store/TurkishCollation.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const char* const kSettingsFiles[] = {"Ayar.ini", "Resimler.ini"};

// A raw SQLite handle, closed when it goes out of scope.
struct Db {
    sqlite3* handle = nullptr;
    Db(const QString& path, int flags)
    {
        const int rc =
            sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags, nullptr);
        if (rc != SQLITE_OK) fail(QStringLiteral("Dosya açılamadı: %1").arg(path));
        sqlite3_busy_timeout(handle, 15000);
    }
    ~Db() { sqlite3_close(handle); }
    Db(const Db&) = delete;
    Db& operator=(const Db&) = delete;
    [[noreturn]] void fail(const QString& what) const
    {
        throw AppError(what, QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    void exec(const char* sql, const QString& what) const
    {
        if (sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK) fail(what);
    }
    // The database's own integrity check; the problems it names, empty when sound.
    QStringList integrityProblems() const;
};

// A prepared statement whose every bind and step is checked; a failure throws `what`.
class Statement {
public:
    Statement(const Db& db, const char* sql, QString what)
        : db_(db)
        , what_(std::move(what))
    {
        if (sqlite3_prepare_v2(db.handle, sql, -1, &st_, nullptr) != SQLITE_OK) db.fail(what_);
    }
    ~Statement() { sqlite3_finalize(st_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& text(int at, const QString& value)
    {
        const QByteArray bytes = value.toUtf8();
        return check(
            sqlite3_bind_text(st_, at, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT));
    }
    Statement& blob(int at, const char* data, int size)
    {
        return check(sqlite3_bind_blob(st_, at, data, size, SQLITE_STATIC));
    }
    Statement& integer(int at, qint64 value) { return check(sqlite3_bind_int64(st_, at, value)); }
    // Steps once: true with a row, false when done.
    bool row()
    {
        const int rc = sqlite3_step(st_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        db_.fail(what_);
    }
    // Runs a statement that returns no rows, then makes it ready for the next values.
    void run()
    {
        row();
        sqlite3_reset(st_);
        sqlite3_clear_bindings(st_);
    }
    QString columnText(int at) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st_, at)));
    }
    qint64 columnInt(int at) const { return sqlite3_column_int64(st_, at); }
    bool columnIsNull(int at) const { return sqlite3_column_type(st_, at) == SQLITE_NULL; }
    QByteArrayView columnBlob(int at) const
    {
        const void* data = sqlite3_column_blob(st_, at);
        return QByteArrayView(static_cast<const char*>(data), sqlite3_column_bytes(st_, at));
    }

private:
    Statement& check(int rc)
    {
        if (rc != SQLITE_OK) db_.fail(what_);
        return *this;
    }

    const Db& db_;
    QString what_;
    sqlite3_stmt* st_ = nullptr;
};

QStringList Db::integrityProblems() const
{
    QStringList problems;
    Statement check(*this, "PRAGMA integrity_check(20)",
                    QStringLiteral("Veritabanı denetlenemedi."));
    while (check.row())
        if (check.columnText(0) != QLatin1String("ok")) problems << check.columnText(0);
    return problems;
}

const QString& writeFailure()
{
    static const QString text = QStringLiteral("Yedek dosyası yazılamadı.");
    return text;
}

const QString& readFailure()
{
    static const QString text = QStringLiteral("Yedek dosyası okunamadı ya da bozuk.");
    return text;
}

// The tables of a directory on the server, copied as one consistent picture into a database
// file at `copy`: archives hold the same database file whichever way the books are kept, and
// restore on either.
void copyFromServer(StoreSession& session, const QString& directory, const QString& workDir,
                    const QString& copy)
{
    const QString fileDir = QDir(workDir).filePath(QStringLiteral("dosya"));
    QDir().mkpath(fileDir);
    {
        StoreSession files(QDir(workDir).filePath(QStringLiteral("klt")));
        Connection server(session, directory);
        Connection file(files, fileDir, Connection::OpenMode::CreateIfMissing);
        copyStore(server, file);
    }
    QFile::remove(copy);
    if (!QFile::rename(joinPath(fileDir, Connection::kDatabaseFile), copy))
        throw AppError(QStringLiteral("Geçici kopya hazırlanamadı: %1").arg(copy));
    QDir(fileDir).removeRecursively();
}

// Puts a restored database file's tables into the company's schema on the server and removes
// the file from the directory.
void copyToServer(StoreSession& session, const QString& directory, const QString& workDir)
{
    {
        StoreSession files(QDir(workDir).filePath(QStringLiteral("klt")));
        Connection file(files, directory);
        Connection server(session, directory, Connection::OpenMode::CreateIfMissing);
        copyStore(file, server);
    }
    QFile::remove(joinPath(directory, Connection::kDatabaseFile));
    QFile::remove(joinPath(directory, Connection::kLockFile));
}

// A consistent copy of a live database in `copy`, taken with SQLite's online backup under a
// read lock, then checked with the store's collation: a damaged database is not archived.
void snapshotInto(const QString& databaseFile, const QString& copy, const QString& label)
{
    if (databaseFile != copy) {
        Db source(databaseFile, SQLITE_OPEN_READONLY);
        Db target(copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(target.handle, "main", source.handle, "main");
        if (!backup) target.fail(QStringLiteral("Yedekleme başlatılamadı: %1").arg(databaseFile));
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) source.fail(QStringLiteral("Yedek alınamadı: %1").arg(databaseFile));
    }
    Db target(copy, SQLITE_OPEN_READWRITE);
    TurkishCollation::registerOn(target.handle);
    const QStringList problems = target.integrityProblems();
    if (!problems.isEmpty())
        throw AppError(QStringLiteral("%1 veritabanı bozuk, yedek alınmadı. Önce veritabanını "
                                      "onarınız.")
                           .arg(label),
                       problems.join(QLatin1Char('\n')));
}

// Stores a file in the archive chunk by chunk, with its size and SHA-256.
void addFile(const Db& archive, const QString& company, const QString& name,
             const QString& sourcePath, int chunkBytes)
{
    QFile in(sourcePath);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Yedeklenecek dosya okunamadı: %1").arg(sourcePath),
                       in.errorString());
    Statement file(archive, "INSERT INTO dosyalar (sirket, ad, boyut, ozet) VALUES (?, ?, 0, '')",
                   writeFailure());
    file.text(1, company).text(2, name).run();
    const qint64 id = sqlite3_last_insert_rowid(archive.handle);
    Statement part(archive, "INSERT INTO parcalar (dosya, sira, veri) VALUES (?, ?, ?)",
                   writeFailure());
    QCryptographicHash digest(QCryptographicHash::Sha256);
    QByteArray buffer(chunkBytes, Qt::Uninitialized);
    qint64 total = 0;
    for (int sequence = 0;; ++sequence) {
        const qint64 n = in.read(buffer.data(), chunkBytes);
        if (n < 0)
            throw AppError(QStringLiteral("Yedeklenecek dosya okunamadı: %1").arg(sourcePath),
                           in.errorString());
        if (n == 0) break;
        digest.addData(QByteArrayView(buffer.constData(), n));
        part.integer(1, id).integer(2, sequence).blob(3, buffer.constData(), int(n)).run();
        total += n;
    }
    Statement done(archive, "UPDATE dosyalar SET boyut = ?, ozet = ? WHERE rowid = ?",
                   writeFailure());
    done.integer(1, total).text(2, QString::fromLatin1(digest.result().toHex())).integer(3, id);
    done.run();
}

// One file of an archive as a stored row names it.
struct StoredFile {
    qint64 id = 0;
    QString name;
    qint64 size = -1;   // -1 in archives of the first form, which keep no size
    QString digest;     // empty there too
    QByteArray inlined; // the whole file, in archives of the first form
};

bool hasChunks(const Db& archive)
{
    Statement st(archive, "SELECT count(*) FROM sqlite_master WHERE name = 'parcalar'",
                 readFailure());
    return st.row() && st.columnInt(0) > 0;
}

// The files of one company (or of all, with `all`), without their contents.
std::vector<StoredFile> storedFiles(const Db& archive, const QString& company, bool all)
{
    const bool chunked = hasChunks(archive);
    const char* sql = chunked ? (all ? "SELECT rowid, ad, boyut, ozet FROM dosyalar"
                                     : "SELECT rowid, ad, boyut, ozet FROM dosyalar WHERE "
                                       "sirket = ?")
                              : (all ? "SELECT rowid, ad, veri FROM dosyalar"
                                     : "SELECT rowid, ad, veri FROM dosyalar WHERE sirket = ?");
    Statement st(archive, sql, readFailure());
    if (!all) st.text(1, company);
    std::vector<StoredFile> files;
    while (st.row()) {
        StoredFile file;
        file.id = st.columnInt(0);
        file.name = st.columnText(1);
        if (chunked) {
            file.size = st.columnInt(2);
            file.digest = st.columnText(3);
        } else {
            file.inlined = st.columnBlob(2).toByteArray();
        }
        files.push_back(std::move(file));
    }
    return files;
}

// Hands a stored file to `sink` chunk by chunk and checks its size and digest.
void readStoredFile(const Db& archive, const StoredFile& file,
                    const std::function<void(QByteArrayView)>& sink)
{
    if (file.size < 0) {
        sink(file.inlined);
        return;
    }
    QCryptographicHash digest(QCryptographicHash::Sha256);
    qint64 total = 0;
    Statement parts(archive, "SELECT veri FROM parcalar WHERE dosya = ? ORDER BY sira",
                    readFailure());
    parts.integer(1, file.id);
    while (parts.row()) {
        const QByteArrayView chunk = parts.columnBlob(0);
        digest.addData(chunk);
        total += chunk.size();
        sink(chunk);
    }
    if (total != file.size || QString::fromLatin1(digest.result().toHex()) != file.digest)
        throw AppError(
            readFailure(),
            QStringLiteral("%1 dosyasının içeriği kayıtlı özetiyle uyuşmuyor.").arg(file.name));
}

// Reads the whole archive back before it is trusted: SQLite's own check, then every file's
// size and digest.
void verifyArchive(const QString& path)
{
    Db archive(path, SQLITE_OPEN_READONLY);
    const QStringList problems = archive.integrityProblems();
    if (!problems.isEmpty())
        throw AppError(QStringLiteral("Yedek dosyası doğrulanamadı."),
                       problems.join(QLatin1Char('\n')));
    for (const StoredFile& file : storedFiles(archive, QString(), true))
        readStoredFile(archive, file, [](QByteArrayView) {});
}

QJsonObject sirketRecord(Table& sirket)
{
    QJsonObject record;
    for (int i = 1; i < sirket.fieldCount(); ++i)
        record.insert(sirket.def().fields[size_t(i)].name,
                      QJsonValue::fromVariant(sirket.field(i).value()));
    return record;
}

bool syncDirectory(const QString& directory)
{
    const int fd = ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

} // namespace

QString defaultBackupDirectory(const InstallSettings& install)
{
    return QDir(install.programDir()).filePath(QStringLiteral("Yedek"));
}

QString backupCompanies(StoreSession& session, GlobalData& global, const InstallSettings& install,
                        const QString& code, const QString& targetDir, const BackupLimits& limits)
{
    if (!QDir().mkpath(targetDir))
        throw AppError(QStringLiteral("Yedek dizini oluşturulamadı: %1").arg(targetDir));
    Table sirket(global.connection(), QStringLiteral("Sirket"));
    sirket.setIndexName(QStringLiteral("Sirket_1"));
    sirket.open();
    QStringList codes;
    if (!code.isEmpty()) {
        if (!sirket.findKey({code}))
            throw AppError(QStringLiteral("Şirket kodu bulunamadı: %1").arg(code));
        codes << sirket[QStringLiteral("SKodu")].asString();
    } else {
        for (sirket.first(); !sirket.eof(); sirket.next())
            codes << sirket[QStringLiteral("SKodu")].asString();
    }

    const QString scope = code.isEmpty() ? QStringLiteral("TUMU") : codes.front();
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QDir(targetDir).filePath(QStringLiteral("Yedek-%1-%2.dvy").arg(scope, stamp));
    for (int n = 2; QFile::exists(path); ++n)
        path =
            QDir(targetDir).filePath(QStringLiteral("Yedek-%1-%2-%3.dvy").arg(scope, stamp).arg(n));
    // Copies of the databases and the archive are made beside the target, not in /tmp: a
    // database may be larger than a temporary file system.
    QTemporaryDir work(QDir(targetDir).filePath(QStringLiteral(".yedek-XXXXXX")));
    if (!work.isValid())
        throw AppError(QStringLiteral("Yedek dizinine yazılamıyor: %1").arg(targetDir),
                       work.errorString());
    const QString partial = work.filePath(QStringLiteral("arsiv.dvy"));
    const QString copy = work.filePath(QStringLiteral("kopya.db"));
    const int chunkBytes = std::max(1, limits.chunkBytes);
    {
        Db archive(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        if (limits.lengthLimit > 0)
            sqlite3_limit(archive.handle, SQLITE_LIMIT_LENGTH, limits.lengthLimit);
        archive.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=FULL; BEGIN;"
                     "CREATE TABLE bilgi (anahtar TEXT PRIMARY KEY, deger TEXT);"
                     "CREATE TABLE dosyalar (sirket TEXT, ad TEXT, boyut INTEGER, ozet TEXT);"
                     "CREATE TABLE parcalar (dosya INTEGER, sira INTEGER, veri BLOB, "
                     "PRIMARY KEY (dosya, sira));"
                     "CREATE TABLE sirketler (kod TEXT PRIMARY KEY, kayit TEXT);",
                     writeFailure());
        Statement info(archive, "INSERT INTO bilgi VALUES (?, ?)", writeFailure());
        info.text(1, QStringLiteral("olusturma"))
            .text(2, QDateTime::currentDateTime().toString(Qt::ISODate))
            .run();
        info.text(1, QStringLiteral("kapsam"))
            .text(2, code.isEmpty() ? QStringLiteral("tumu") : QStringLiteral("sirket"))
            .run();
        info.text(1, QStringLiteral("surum")).text(2, QStringLiteral("2")).run();
        const auto addDatabase = [&](const QString& company, const QString& directory,
                                     const QString& label) {
            if (session.server()) copyFromServer(session, directory, work.path(), copy);
            snapshotInto(session.server() ? copy : joinPath(directory, Connection::kDatabaseFile),
                         copy, label);
            addFile(archive, company, Connection::kDatabaseFile, copy, chunkBytes);
            if (!QFile::remove(copy))
                throw AppError(QStringLiteral("Geçici kopya silinemedi: %1").arg(copy));
        };
        if (code.isEmpty())
            addDatabase(QString(), install.dataDirectory(), QStringLiteral("Genel"));
        Statement company(archive, "INSERT INTO sirketler VALUES (?, ?)", writeFailure());
        for (const QString& c : codes) {
            const QString dir = install.companyDirectory(c);
            addDatabase(c, dir, c);
            for (const char* name : kSettingsFiles)
                if (QFile::exists(joinPath(dir, QLatin1String(name))))
                    addFile(archive, c, QLatin1String(name), joinPath(dir, QLatin1String(name)),
                            chunkBytes);
            sirket.findKey({c});
            company.text(1, c)
                .text(2, QString::fromUtf8(
                             QJsonDocument(sirketRecord(sirket)).toJson(QJsonDocument::Compact)))
                .run();
        }
        archive.exec("COMMIT", writeFailure());
    }
    // The archive gets its name only when it reads back whole.
    verifyArchive(partial);
    if (!QFile::rename(partial, path))
        throw AppError(QStringLiteral("Yedek dosyası kaydedilemedi: %1").arg(path));
    if (!syncDirectory(targetDir)) {
        QFile::remove(path);
        throw AppError(QStringLiteral("Yedek dosyası kaydedilemedi: %1").arg(path));
    }
    return path;
}

BackupInfo readBackupInfo(const QString& archivePath)
{
    BackupInfo info;
    info.path = archivePath;
    const AppError notAnArchive(QStringLiteral("%1 bir yedek dosyası değil.").arg(archivePath));
    try {
        Db archive(archivePath, SQLITE_OPEN_READONLY);
        Statement st(archive, "SELECT anahtar, deger FROM bilgi", notAnArchive.message());
        while (st.row()) {
            const QString key = st.columnText(0), value = st.columnText(1);
            if (key == QLatin1String("olusturma"))
                info.created = QDateTime::fromString(value, Qt::ISODate);
            if (key == QLatin1String("kapsam")) info.whole = value == QLatin1String("tumu");
        }
        Statement companies(archive, "SELECT kod FROM sirketler ORDER BY kod",
                            notAnArchive.message());
        while (companies.row())
            info.companies << companies.columnText(0);
    } catch (const AppError&) {
        throw notAnArchive;
    }
    return info;
}

std::vector<BackupInfo> listBackups(const QString& directory)
{
    std::vector<BackupInfo> list;
    for (const QFileInfo& file :
         QDir(directory).entryInfoList({QStringLiteral("*.dvy")}, QDir::Files)) {
        try {
            list.push_back(readBackupInfo(file.absoluteFilePath()));
        } catch (const AppError&) {
        }
    }
    std::sort(list.begin(), list.end(),
              [](const BackupInfo& a, const BackupInfo& b) { return a.created > b.created; });
    return list;
}

void restoreCompany(StoreSession& session, GlobalData& global, const InstallSettings& install,
                    const QString& archivePath, const QString& fromCode, const QString& newCode,
                    const QString& openCompanyCode)
{
    const QString code = newCode.trimmed();
    if (!openCompanyCode.isEmpty() && code.compare(openCompanyCode, Qt::CaseInsensitive) == 0)
        throw AppError(QStringLiteral("Çalışmakta olduğunuz şirketin üzerine yedek yüklenemez."));
    clearUnfinishedCompany(session, global, install, code);
    checkNewCompanyCode(global, install, code);

    Db archive(archivePath, SQLITE_OPEN_READONLY);
    QJsonObject record;
    {
        Statement st(archive, "SELECT kayit FROM sirketler WHERE kod = ?", readFailure());
        st.text(1, fromCode);
        if (st.row()) record = QJsonDocument::fromJson(st.columnText(0).toUtf8()).object();
    }
    if (record.isEmpty()) throw AppError(QStringLiteral("Yedekte %1 şirketi yok.").arg(fromCode));

    const QString directory = install.companyDirectory(code);
    makeCompanyDirectory(directory);
    try {
        for (const StoredFile& stored : storedFiles(archive, fromCode, false)) {
            if (stored.name.contains(QLatin1Char('/')) || stored.name.contains(QLatin1Char('\\')) ||
                stored.name.startsWith(QLatin1Char('.')))
                continue; // only plain file names go into the company directory
            QFile file(joinPath(directory, stored.name));
            const auto failed = [&] {
                return AppError(QStringLiteral("Yedek açılamadı: %1").arg(file.fileName()),
                                file.errorString());
            };
            if (!file.open(QIODevice::WriteOnly)) throw failed();
            readStoredFile(archive, stored, [&](QByteArrayView chunk) {
                if (file.write(chunk.data(), chunk.size()) != chunk.size()) throw failed();
            });
            if (!file.flush() || ::fsync(file.handle()) != 0) throw failed();
        }
        // The restored tables must open; a damaged archive stops here.
        {
            QTemporaryDir work(QDir(directory).filePath(QStringLiteral(".yukle-XXXXXX")));
            StoreSession files(work.filePath(QStringLiteral("klt")));
            Connection db(files, directory);
            const QStringList problems = db.integrityProblems();
            if (!problems.isEmpty())
                throw AppError(QStringLiteral("Yedekteki veritabanı bozuk."), problems.front());
        }
        if (session.server()) {
            QTemporaryDir work(QDir(directory).filePath(QStringLiteral(".yukle-XXXXXX")));
            copyToServer(session, directory, work.path());
        }
    } catch (...) {
        removeCompanyStore(session, directory);
        throw;
    }

    Table& sirket = global.sirket();
    CommandTransaction transaction(global.connection());
    sirket.append();
    for (auto it = record.begin(); it != record.end(); ++it)
        if (sirket.fieldIndex(it.key()) > 0) sirket[it.key()] = it.value().toVariant();
    sirket[QStringLiteral("SKodu")] = code;
    sirket[QStringLiteral("Kutuk")] = directory;
    try {
        sirket.post();
        transaction.commit();
    } catch (...) {
        sirket.cancel();
        removeCompanyStore(session, directory);
        throw;
    }
}
