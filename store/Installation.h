#pragma once

#include "store/CompanySettings.h"

#include <QString>
#include <QStringList>

class GlobalData;
class InstallSettings;
class StoreSession;

// A company as the company window creates it: all modules on, amounts with kuruş, VAT from the
// subtotal, prices with two decimals, "TL" and "KR", unless the caller says otherwise.
struct NewCompany {
    QString code;
    QString title;
    CompanySettings settings{1, 1, 0, QStringLiteral("TL"), QStringLiteral("KR")};
    // Module flags left off ("H"): among STOK, CARI, FATURA, CEKSENET, SIPARIS, URETIM,
    // KATALOG, KASA, NAKLIYE. TAKSITLI is left empty.
    QStringList modulesOff;
};

// The module flags a company window shows as boxes, in the order of its boxes.
const QStringList& companyModuleFlags();

// Points the session at where the installation keeps its books: its database server, or the
// files of its data directory.
void useInstallation(StoreSession& session, const InstallSettings& install);

// A fresh installation: the program directory with a Users.ini whose ANA points at the data
// directory, and the data directory with the global tables. Existing files are kept.
void initInstallation(StoreSession& session, const QString& programDir, const QString& dataDir);

// The company tables in a new directory, each protected by the master password.
void createCompanyTables(StoreSession& session, const QString& directory);

// Whether a code can name a company directory: 1 to 8 letters, digits, "_" or "-".
bool usableCompanyCode(const QString& code);

// What keeps a code from naming a new company: empty, not 1 to 8 letters, digits, "_" or "-"
// (it becomes a directory name), already in Sirket, a directory already there, or tables left
// under it on a server.
enum class NewCodeProblem { None, Empty, Unusable, Taken, Directory, ServerTables };
NewCodeProblem newCompanyCodeProblem(GlobalData& global, const InstallSettings& install,
                                     const QString& code);
// The same as a refusal with its message.
void checkNewCompanyCode(GlobalData& global, const InstallSettings& install, const QString& code);

// Removes a company's tables (its database file, or its schema on a server) and directory,
// after a failed creation or restore.
void removeCompanyStore(StoreSession& session, const QString& directory);

// Makes a new company's directory. One already there gives the company window's message for
// it; any other failure (no permission, a full disk, a missing parent) names its real cause.
void makeCompanyDirectory(const QString& directory);
// The error for a company directory that could not be made or put in place (errno `error`).
[[noreturn]] void failedCompanyDirectory(const QString& directory, int error);

// Creates the company directory, its tables, its Sirket record and its Ayar.ini. Refuses an
// empty or unusable code and a code whose directory or Sirket record exists already. A failure
// after the directory was made removes it again, so the code stays free.
void createCompany(StoreSession& session, GlobalData& global, const InstallSettings& install,
                   const NewCompany& company);

// Writes a company's title, module flags and settings (the company window's edit). The record
// and Ayar.ini are written together; a refused write changes neither.
void updateCompany(GlobalData& global, const InstallSettings& install, const NewCompany& company);
