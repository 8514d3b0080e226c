#include "store/Installation.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyBuild.h"
#include "store/CompanySchema.h"
#include "store/Connection.h"
#include "store/GlobalData.h"
#include "store/HelpText.h"
#include "store/InstallSettings.h"
#include "store/StoreSession.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

const QStringList& companyModuleFlags()
{
    static const QStringList flags = {"FATURA",  "CARI",    "CEKSENET", "STOK",   "KASA",
                                      "NAKLIYE", "SIPARIS", "URETIM",   "KATALOG"};
    return flags;
}

void removeCompanyStore(StoreSession& session, const QString& directory)
{
    try {
        Connection::removeStore(session, directory);
    } catch (const AppError&) {
        // The directory goes all the same; tables left on a server keep the code taken.
    }
    QDir(directory).removeRecursively();
}

void useInstallation(StoreSession& session, const InstallSettings& install)
{
    session.setServer(install.server(), install.dataDirectory());
}

void initInstallation(StoreSession& session, const QString& programDir, const QString& dataDir)
{
    for (const QString& dir : {programDir, dataDir})
        if (!QDir().mkpath(dir))
            throw AppError(QStringLiteral("Dizin oluşturulamadı: %1").arg(dir));
    InstallSettings install(programDir);
    if (install.ana().isEmpty()) {
        QString ana = QDir(dataDir).absolutePath();
        if (!ana.endsWith(QLatin1Char('/'))) ana += QLatin1Char('/');
        install.setAna(ana);
    }
    useInstallation(session, install);
    GlobalData::createGlobalTables(session, install.dataDirectory());
    installStarterHelp(programDir);
}

void createCompanyTables(StoreSession& session, const QString& directory)
{
    Connection db(session, directory, Connection::OpenMode::CreateIfMissing);
    for (const TableDef& def : companyTableDefs())
        if (!db.tableExists(def.name)) createProtectedTable(db, def);
    ensureExtraIndexes(db);
}

bool usableCompanyCode(const QString& code)
{
    static const QRegularExpression usable(QStringLiteral("^[A-Za-z0-9ÇĞİÖŞÜçğıöşü_-]{1,8}$"));
    return usable.match(code).hasMatch();
}

NewCodeProblem newCompanyCodeProblem(GlobalData& global, const InstallSettings& install,
                                     const QString& code)
{
    if (code.isEmpty()) return NewCodeProblem::Empty;
    if (!usableCompanyCode(code)) return NewCodeProblem::Unusable;
    if (global.CompanyCodeExists(code)) return NewCodeProblem::Taken;
    if (QFileInfo::exists(install.companyDirectory(code))) return NewCodeProblem::Directory;
    // On a server, tables left under the code (a company removed by hand) are not taken over.
    if (global.connection().onServer() &&
        Connection::storeExists(global.connection().session(), install.companyDirectory(code)))
        return NewCodeProblem::ServerTables;
    return NewCodeProblem::None;
}

void checkNewCompanyCode(GlobalData& global, const InstallSettings& install, const QString& code)
{
    const QString change = QStringLiteral("Şirket kodunu değiştiriniz !!");
    switch (newCompanyCodeProblem(global, install, code)) {
    case NewCodeProblem::None:
        return;
    case NewCodeProblem::Empty:
        throw AppError(QStringLiteral("Sirket kodu boş girilemez !!"));
    case NewCodeProblem::Unusable:
        throw AppError(QStringLiteral("Şirket kodu en çok 8 harf ve rakamdan oluşmalı."), change);
    case NewCodeProblem::Taken:
        throw AppError(QStringLiteral("Bu şirket kodu zaten kayıtlı."), change);
    case NewCodeProblem::Directory:
        throw AppError(QStringLiteral("Şirket kodunda önceden kayıt edilmiş dizin var"), change);
    case NewCodeProblem::ServerTables:
        throw AppError(QStringLiteral("Sunucuda bu şirket koduyla tablolar var."), change);
    }
}

void failedCompanyDirectory(const QString& directory, int error)
{
    QString cause;
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        throw AppError(QStringLiteral("Şirket kodunda önceden kayıt edilmiş dizin var"),
                       QStringLiteral("Şirket kodunu değiştiriniz !!"));
    case EACCES:
    case EPERM:
    case EROFS:
        cause = QStringLiteral("Bu dizine yazma izniniz yok.");
        break;
    case ENOSPC:
    case EDQUOT:
        cause = QStringLiteral("Diskte yer kalmadı.");
        break;
    case ENOENT:
    case ENOTDIR:
        cause = QStringLiteral("Veri dizini bulunamadı.");
        break;
    default:
        cause = QString::fromLocal8Bit(std::strerror(error));
    }
    throw AppError(QStringLiteral("Şirket dizini oluşturulamadı: %1").arg(directory), cause);
}

void makeCompanyDirectory(const QString& directory)
{
    if (::mkdir(QFile::encodeName(directory).constData(), 0777) != 0)
        failedCompanyDirectory(directory, errno);
}

void createCompany(StoreSession& session, GlobalData& global, const InstallSettings& install,
                   const NewCompany& company)
{
    const QString code = company.code.trimmed();
    clearUnfinishedCompany(session, global, install, code);
    checkNewCompanyCode(global, install, code);
    const QString directory = install.companyDirectory(code);
    makeCompanyDirectory(directory);
    Table& sirket = global.sirket();
    try {
        createCompanyTables(session, directory);
        CommandTransaction transaction(global.connection());
        sirket.append();
        sirket["SKodu"] = code;
        sirket["Aciklama"] = company.title;
        sirket["Kutuk"] = directory;
        for (const QString& module : companyModuleFlags())
            sirket[module] =
                company.modulesOff.contains(module) ? QStringLiteral("H") : QStringLiteral("E");
        sirket["Liste"] = QStringLiteral("E");
        sirket["Yil"] = QDate::currentDate().year();
        try {
            sirket.post();
            company.settings.write(directory);
            transaction.commit();
        } catch (...) {
            sirket.cancel();
            throw;
        }
    } catch (...) {
        removeCompanyStore(session, directory);
        throw;
    }
}

namespace {

// The company's Sirket record by its code, exactly.
bool findCompanyRecord(Table& sirket, const QString& code)
{
    if (sirket.filtered()) sirket.setFiltered(false);
    return sirket.locateLast(QStringLiteral("SKodu"), code);
}

} // namespace

void updateCompany(GlobalData& global, const InstallSettings& install, const NewCompany& company)
{
    Table& sirket = global.sirket();
    sirket.refresh();
    if (!findCompanyRecord(sirket, company.code))
        throw AppError(QStringLiteral("Şirket kodu bulunamadı: %1").arg(company.code));
    CommandTransaction transaction(global.connection());
    sirket.edit();
    sirket["Aciklama"] = company.title;
    for (const QString& module : companyModuleFlags())
        sirket[module] =
            company.modulesOff.contains(module) ? QStringLiteral("H") : QStringLiteral("E");
    sirket["Liste"] = QStringLiteral("E");
    try {
        sirket.post();
        company.settings.write(install.companyDirectory(company.code));
        transaction.commit();
    } catch (...) {
        sirket.cancel();
        throw;
    }
}
