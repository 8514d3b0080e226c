#include "store/Backup.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <unistd.h>

namespace {

const char* const kSettingsFiles[] = {"Ayar.ini", "Resimler.ini"};

// A raw SQLite handle, closed when it goes out of scope.
struct Db {
    sqlite3* handle = nullptr;
    Db(const QString& path, int flags)
    {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, flags, nullptr) !=
            SQLITE_OK)
            fail(QStringLiteral("Dosya açılamadı: %1").arg(path));
        sqlite3_busy_timeout(handle, 15000);
    }
    ~Db() { sqlite3_close(handle); }
    [[noreturn]] void fail(const QString& what) const
    {
        throw AppError(what, QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    void exec(const char* sql) const
    {
        if (sqlite3_exec(handle, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            fail(QStringLiteral("Yedek dosyası yazılamadı."));
    }
};

// A consistent copy of a live database file, read in one step under a read lock.
QByteArray snapshot(const QString& databaseFile)
{
    QTemporaryDir temp;
    const QString copy = temp.filePath(QStringLiteral("kopya.db"));
    {
        Db source(databaseFile, SQLITE_OPEN_READONLY);
        Db target(copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        sqlite3_backup* backup = sqlite3_backup_init(target.handle, "main", source.handle, "main");
        if (!backup) target.fail(QStringLiteral("Yedekleme başlatılamadı: %1").arg(databaseFile));
        const int rc = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) source.fail(QStringLiteral("Yedek alınamadı: %1").arg(databaseFile));
    }
    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly)) throw AppError(QStringLiteral("Yedek kopyası okunamadı."));
    return file.readAll();
}

void insertFile(const Db& archive, const QString& company, const QString& name,
                const QByteArray& data)
{
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(archive.handle, "INSERT INTO dosyalar (sirket, ad, veri) VALUES (?, ?, ?)",
                       -1, &st, nullptr);
    const QByteArray c = company.toUtf8(), n = name.toUtf8();
    sqlite3_bind_text(st, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(st, 2, n.constData(), int(n.size()), SQLITE_TRANSIENT);
    sqlite3_bind_blob(st, 3, data.constData(), int(data.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) archive.fail(QStringLiteral("Yedek dosyası yazılamadı."));
}

QByteArray readFileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QJsonObject sirketRecord(Table& sirket)
{
    QJsonObject record;
    for (int i = 1; i < sirket.fieldCount(); ++i)
        record.insert(sirket.def().fields[size_t(i)].name,
                      QJsonValue::fromVariant(sirket.field(i).value()));
    return record;
}

} // namespace

QString defaultBackupDirectory(const InstallSettings& install)
{
    return QDir(install.programDir()).filePath(QStringLiteral("Yedek"));
}

QString backupCompanies(StoreSession&, GlobalData& global, const InstallSettings& install,
                        const QString& code, const QString& targetDir)
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

    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString path = QDir(targetDir).filePath(
        QStringLiteral("Yedek-%1-%2.dvy")
            .arg(code.isEmpty() ? QStringLiteral("TUMU") : codes.front(), stamp));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(targetDir).filePath(
            QStringLiteral("Yedek-%1-%2-%3.dvy")
                .arg(code.isEmpty() ? QStringLiteral("TUMU") : codes.front(), stamp)
                .arg(n));
    const QString partial = path + QStringLiteral(".yaziliyor");
    QFile::remove(partial);
    try {
        Db archive(partial, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        archive.exec("PRAGMA journal_mode=OFF; BEGIN;"
                     "CREATE TABLE bilgi (anahtar TEXT PRIMARY KEY, deger TEXT);"
                     "CREATE TABLE dosyalar (sirket TEXT, ad TEXT, veri BLOB);"
                     "CREATE TABLE sirketler (kod TEXT PRIMARY KEY, kayit TEXT);");
        const auto info = [&](const char* key, const QString& value) {
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(archive.handle, "INSERT INTO bilgi VALUES (?, ?)", -1, &st, nullptr);
            const QByteArray v = value.toUtf8();
            sqlite3_bind_text(st, 1, key, -1, SQLITE_STATIC);
            sqlite3_bind_text(st, 2, v.constData(), int(v.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_finalize(st);
        };
        info("olusturma", QDateTime::currentDateTime().toString(Qt::ISODate));
        info("kapsam", code.isEmpty() ? QStringLiteral("tumu") : QStringLiteral("sirket"));
        if (code.isEmpty())
            insertFile(archive, QString(), Connection::kDatabaseFile,
                       snapshot(joinPath(install.dataDirectory(), Connection::kDatabaseFile)));
        for (const QString& c : codes) {
            const QString dir = install.companyDirectory(c);
            insertFile(archive, c, Connection::kDatabaseFile,
                       snapshot(joinPath(dir, Connection::kDatabaseFile)));
            for (const char* name : kSettingsFiles)
                if (QFile::exists(joinPath(dir, QLatin1String(name))))
                    insertFile(archive, c, QLatin1String(name),
                               readFileBytes(joinPath(dir, QLatin1String(name))));
            sirket.findKey({c});
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(archive.handle, "INSERT INTO sirketler VALUES (?, ?)", -1, &st,
                               nullptr);
            const QByteArray k = c.toUtf8();
            const QByteArray record =
                QJsonDocument(sirketRecord(sirket)).toJson(QJsonDocument::Compact);
            sqlite3_bind_text(st, 1, k.constData(), int(k.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, record.constData(), int(record.size()), SQLITE_TRANSIENT);
            sqlite3_step(st);
            sqlite3_finalize(st);
        }
        archive.exec("COMMIT");
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    // The archive gets its name only when complete.
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw AppError(QStringLiteral("Yedek dosyası kaydedilemedi: %1").arg(path));
    }
    return path;
}

BackupInfo readBackupInfo(const QString& archivePath)
{
    BackupInfo info;
    info.path = archivePath;
    Db archive(archivePath, SQLITE_OPEN_READONLY);
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(archive.handle, "SELECT anahtar, deger FROM bilgi", -1, &st, nullptr) !=
        SQLITE_OK)
        throw AppError(QStringLiteral("%1 bir yedek dosyası değil.").arg(archivePath));
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QString key =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        const QString value =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        if (key == QLatin1String("olusturma"))
            info.created = QDateTime::fromString(value, Qt::ISODate);
        if (key == QLatin1String("kapsam")) info.whole = value == QLatin1String("tumu");
    }
    sqlite3_finalize(st);
    sqlite3_prepare_v2(archive.handle, "SELECT kod FROM sirketler ORDER BY kod", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        info.companies << QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
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
    checkNewCompanyCode(global, install, code);

    Db archive(archivePath, SQLITE_OPEN_READONLY);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(archive.handle, "SELECT kayit FROM sirketler WHERE kod = ?", -1, &st,
                       nullptr);
    const QByteArray from = fromCode.toUtf8();
    sqlite3_bind_text(st, 1, from.constData(), int(from.size()), SQLITE_TRANSIENT);
    QJsonObject record;
    if (sqlite3_step(st) == SQLITE_ROW)
        record = QJsonDocument::fromJson(
                     QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))))
                     .object();
    sqlite3_finalize(st);
    if (record.isEmpty()) throw AppError(QStringLiteral("Yedekte %1 şirketi yok.").arg(fromCode));

    const QString directory = install.companyDirectory(code);
    if (!QDir().mkdir(directory))
        throw AppError(QStringLiteral("Şirket kodunda önceden kayıt edilmiş dizin var"),
                       QStringLiteral("Şirket kodunu değiştiriniz !!"));
    try {
        sqlite3_prepare_v2(archive.handle, "SELECT ad, veri FROM dosyalar WHERE sirket = ?", -1,
                           &st, nullptr);
        sqlite3_bind_text(st, 1, from.constData(), int(from.size()), SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            const QString name =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            const QByteArray data(static_cast<const char*>(sqlite3_column_blob(st, 1)),
                                  sqlite3_column_bytes(st, 1));
            if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
                name.startsWith(QLatin1Char('.')))
                continue; // only plain file names go into the company directory
            QFile file(joinPath(directory, name));
            if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() ||
                !file.flush())
                throw AppError(QStringLiteral("Yedek açılamadı: %1").arg(file.fileName()));
            ::fsync(file.handle());
        }
        sqlite3_finalize(st);
        st = nullptr;
        // The restored tables must open; a damaged archive stops here.
        Connection db(session, directory);
        for (const SqlRow& row : db.select(QStringLiteral("PRAGMA integrity_check")))
            if (row[0].toString() != QLatin1String("ok"))
                throw AppError(QStringLiteral("Yedekteki veritabanı bozuk."), row[0].toString());
    } catch (...) {
        if (st) sqlite3_finalize(st);
        QDir(directory).removeRecursively();
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
        QDir(directory).removeRecursively();
        throw;
    }
}
