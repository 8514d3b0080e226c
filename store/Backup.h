#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

class GlobalData;
class InstallSettings;
class StoreSession;

// Backups: one archive file (itself an SQLite database) holding consistent copies of company
// databases, taken with SQLite's online backup while other workstations may write, together
// with the companies' settings files and Sirket records. Files are stored in chunks, so a
// backup of any size runs in bounded memory; each file's size and SHA-256 are kept with it and
// checked before the archive gets its name and again on restore.
struct BackupInfo {
    QString path;
    QDateTime created;
    QStringList companies;
    bool whole = false; // the whole data directory
};

// How the archive is written; the defaults are for real use, tests lower them.
struct BackupLimits {
    int chunkBytes = 1 << 20; // bytes of a file per archive row
    int lengthLimit = 0;      // SQLite's largest value in the archive; 0 leaves SQLite's own
};

// Backs up one company, or every company and the global tables when `code` is empty, into a
// new archive in `targetDir` named with the date and time. Every database is checked first
// (with the store's collation) and a damaged one is refused. The archive is read back and
// verified before it gets its final name; on any failure nothing is left behind. Returns the
// archive's path.
QString backupCompanies(StoreSession& session, GlobalData& global, const InstallSettings& install,
                        const QString& code, const QString& targetDir,
                        const BackupLimits& limits = {});

// Archives in a directory, newest first; files that are not archives are skipped.
std::vector<BackupInfo> listBackups(const QString& directory);
BackupInfo readBackupInfo(const QString& archive); // throws AppError for a file that is not one

// Restores one company of an archive under a new code: a new directory, its tables and
// settings files, and a Sirket record. Refuses a code that exists (as a record or a directory)
// and the open company's code.
void restoreCompany(StoreSession& session, GlobalData& global, const InstallSettings& install,
                    const QString& archive, const QString& fromCode, const QString& newCode,
                    const QString& openCompanyCode = QString());

// The default place of backups: "Yedek" in the program directory.
QString defaultBackupDirectory(const InstallSettings& install);
