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
// with the companies' settings files and Sirket records.
struct BackupInfo {
    QString path;
    QDateTime created;
    QStringList companies;
    bool whole = false; // the whole data directory
};

// Backs up one company, or every company and the global tables when `code` is empty, into a
// new archive in `targetDir` named with the date and time. Returns the archive's path.
QString backupCompanies(StoreSession& session, GlobalData& global, const InstallSettings& install,
                        const QString& code, const QString& targetDir);

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
