#pragma once

#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/Installation.h"
#include "store/StoreSession.h"
#include "store/Table.h"
#include "support/TestServer.h"

#include <QTemporaryDir>

// A fresh installation in a temporary directory, made as dulvet-admin init makes one, with a
// session that knows the master password and the global tables open.
struct TestInstallation {
    TestDatabase database; // on a server when the suite runs there
    QTemporaryDir dir;
    InstallSettings install{dir.path()};
    StoreSession session{dir.filePath(QStringLiteral("klt"))};
    std::unique_ptr<GlobalData> global;

    // On database files even when the suite runs on a server (`database` is then the server
    // to move books to).
    struct OnFiles {};

    TestInstallation()
        : TestInstallation(false)
    {
    }
    explicit TestInstallation(OnFiles)
        : TestInstallation(true)
    {
    }

private:
    explicit TestInstallation(bool onFiles)
    {
        session.addPassword(masterPassword());
        if (database.server() && !onFiles)
            install.ini().writeString(QStringLiteral("SERVER"), QStringLiteral("PGSUNUCU"),
                                      database.connectionString());
        initInstallation(session, dir.path(), dir.filePath(QStringLiteral("veri")));
        install.reload();
        global = std::make_unique<GlobalData>(session, install.dataDirectory());
    }

public:
    void createCompany(const NewCompany& company)
    {
        ::createCompany(session, *global, install, company);
    }
};

// A customer card with a code and a title, as the card window saves one; its Nosu.
inline qint64 addCustomerCard(CompanyData& company, const QString& code, const QString& title)
{
    Table& cari = company.table(QStringLiteral("Cari"));
    cari.append();
    cari[QStringLiteral("CariNo")] = code;
    cari[QStringLiteral("Unvani")] = title;
    cari.post();
    return cari.currentId();
}

// An installation with company ABC ("Deneme Ltd.", kuruş on) made and open, as the tests of
// ledgers and reports start.
struct TestCompany : TestInstallation {
    std::unique_ptr<CompanyData> company;

    TestCompany()
    {
        createCompany(NewCompany{QStringLiteral("ABC"), QStringLiteral("Deneme Ltd.")});
        company = std::make_unique<CompanyData>(session, install, QStringLiteral("ABC"));
    }
};
