#include "store/CompanyMove.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/StoreCopy.h"
#include "store/StoreSession.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

// The company's Sirket record, as the source has it, added to the target's.
void copyCompanyRecord(GlobalData& from, GlobalData& to, const QString& code)
{
    Table& source = from.sirket();
    if (!source.findKey({code}))
        throw AppError(QStringLiteral("Şirket kaydı bulunamadı: %1").arg(code));
    if (to.CompanyCodeExists(code)) return;
    Table& target = to.sirket();
    CommandTransaction::run(to.connection(), [&] {
        changeOrCancel(target, [&] {
            target.append();
            for (int i = 1; i < source.fieldCount(); ++i)
                target[source.def().fields[size_t(i)].name] = source.field(i).value();
            target.post();
        });
    });
}

} // namespace

void moveCompanyBooks(const InstallSettings& install, const ServerSettings& server,
                      const QString& code, MoveDirection direction,
                      const std::function<void(const QString&)>& progress)
{
    const QString directory = install.companyDirectory(code);
    const QString dataDirectory = install.dataDirectory();
    if (code.isEmpty() || !QFileInfo(directory).isDir())
        throw AppError(QStringLiteral("Şirket dizini bulunamadı: %1").arg(directory));
    QTemporaryDir work;
    if (!work.isValid())
        throw AppError(QStringLiteral("Geçici çalışma dizini oluşturulamadı."), work.errorString());
    StoreSession files(work.filePath(QStringLiteral("dosya")));
    StoreSession onServer(work.filePath(QStringLiteral("sunucu")));
    for (StoreSession* session : {&files, &onServer})
        session->addPassword(masterPassword());
    onServer.setServer(server, dataDirectory);
    const bool toServer = direction == MoveDirection::ToServer;
    StoreSession& from = toServer ? files : onServer;
    StoreSession& to = toServer ? onServer : files;

    if (!Connection::storeExists(from, directory))
        throw AppError(toServer
                           ? QStringLiteral("%1 şirketinin tablo dosyası yok.").arg(code)
                           : QStringLiteral("Sunucuda %1 şirketinin tabloları yok.").arg(code));
    if (Connection::storeExists(to, directory))
        throw AppError(
            toServer ? QStringLiteral("Sunucuda %1 şirketinin tabloları zaten var.").arg(code)
                     : QStringLiteral("%1 şirketinin dizininde tablo dosyası zaten var.").arg(code),
            QStringLiteral("Taşıma yapılmadı; var olan tablolar yerinde duruyor."));
    if (!Connection::storeExists(to, dataDirectory))
        GlobalData::createGlobalTables(to, dataDirectory);

    GlobalData fromGlobal(from, dataDirectory);
    GlobalData toGlobal(to, dataDirectory);
    {
        Connection source(from, directory);
        bool made = false;
        try {
            Connection target(to, directory, Connection::OpenMode::CreateIfMissing);
            made = true;
            copyStore(source, target, progress);
            const QStringList differences = compareStores(source, target);
            if (!differences.isEmpty())
                throw AppError(QStringLiteral("Kopya denetimde kaynaktan farklı çıktı; taşıma "
                                              "geri alındı."),
                               differences.join(QLatin1Char('\n')));
        } catch (...) {
            if (made) Connection::removeStore(to, directory);
            throw;
        }
    }
    copyCompanyRecord(fromGlobal, toGlobal, code);
}
