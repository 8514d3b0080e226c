#include "customers/CustomerCodes.h"

#include "customers/CarKartG.h"
#include "customers/CariListe.h"
#include "store/CompanyData.h"

namespace {

CodeKind customerKind(bool banksOnly)
{
    CodeKind kind;
    kind.table = QStringLiteral("Cari");
    kind.codeField = QStringLiteral("CariNo");
    kind.titleField = QStringLiteral("Unvani");
    if (banksOnly) kind.filter = QStringLiteral("CariDurum = 3");
    kind.notFound = QStringLiteral("Cari kart nosu bulunamadı");
    kind.askNew = QStringLiteral("Yeni kart açılsın mı?");
    kind.title = QStringLiteral("Cari kart kontrol");
    kind.pick = [banksOnly](Shell& shell, QWidget* parent) {
        Table& cari = shell.company->table(QStringLiteral("Cari"));
        cari.setFiltered(false); // the list offers every card, or the banks
        return TfrmCariListe::pick(shell, cari, banksOnly, parent).code;
    };
    kind.newCard = [](Shell& shell, const QString& code, QWidget* parent) {
        TfrmCarKartG card(shell, shell.company->table(QStringLiteral("Cari")),
                          TfrmCarKartG::Mode::NewWithCode, code, parent);
        return card.run() == QDialog::Accepted;
    };
    return kind;
}

} // namespace

const CodeKind& customerCodes()
{
    static const CodeKind kind = customerKind(false);
    return kind;
}

const CodeKind& bankCodes()
{
    static const CodeKind kind = customerKind(true);
    return kind;
}
