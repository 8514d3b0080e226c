#include "stock/StockCodes.h"

#include "stock/StKartF.h"
#include "stock/StokL.h"
#include "store/CompanyData.h"

namespace {

CodeKind stockKind()
{
    CodeKind kind;
    kind.table = QStringLiteral("Stok");
    kind.codeField = QStringLiteral("Kodu");
    kind.titleField = QStringLiteral("Cinsi");
    kind.notFound = QStringLiteral("Stok kart nosu bulunamadı");
    kind.askNew = QStringLiteral("Yeni kart açılsın mı?");
    kind.title = QStringLiteral("Stok kart kontrol");
    kind.pick = [kind](Shell& shell, const QString& current, QWidget* parent) {
        const auto card =
            shell.company->findCard(kind.table, kind.codeField, kind.titleField, current.trimmed());
        Table& stok = shell.company->table(QStringLiteral("Stok"));
        return TfrmStokL::pick(shell, stok, parent, card ? card->id : stok.currentId()).code;
    };
    kind.newCard = [](Shell& shell, const QString& code, QWidget* parent) {
        TfrmStKartF card(shell, shell.company->table(QStringLiteral("Stok")),
                         TfrmStKartF::Mode::NewWithCode, code, parent);
        return card.run() == QDialog::Accepted;
    };
    return kind;
}

} // namespace

const CodeKind& stockCodes()
{
    static const CodeKind kind = stockKind();
    return kind;
}

const CodeKind& lineStockCodes()
{
    static const CodeKind kind = [] {
        CodeKind line = stockKind();
        line.notFound = QStringLiteral("Stok kartı bulunamadı");
        return line;
    }();
    return kind;
}
