#include "customers/CustomerCodes.h"

#include "app/EntryWindow.h"
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
    kind.pick = [kind](Shell& shell, const QString& current, QWidget* parent) {
        // The list opens on the card whose code is in the field, else where the table is.
        const auto card = shell.company->findCard(kind.table, kind.codeField, kind.titleField,
                                                  current.trimmed(), kind.filter);
        Table& cari = shell.company->table(QStringLiteral("Cari"));
        const qint64 startId = card ? card->id : cari.currentId();
        cari.setFiltered(false); // the list offers every card, or the banks
        return TfrmCariListe::pick(shell, cari, !kind.filter.isEmpty(), parent, startId).code;
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

std::optional<CardAddress> cardAddress(CompanyData& company, qint64 customerId)
{
    const std::vector<SqlRow> card = company.connection().select(
        QStringLiteral("SELECT \"CariNo\", \"Unvani\", \"IsAdres1\", \"IsAdres2\", "
                       "\"IsAdres3\", \"Vd\", \"VdNo\" FROM \"Cari\" WHERE \"Nosu\" = ?"),
        {customerId});
    if (card.empty()) return std::nullopt;
    const SqlRow& c = card.front();
    return CardAddress{c[0].toString(), c[1].toString(), c[2].toString(), c[3].toString(),
                       c[4].toString(), c[5].toString(), c[6].toString()};
}

void showCardAddress(EntryWindow& window, int codeField, const CardAddress& card, bool address)
{
    window.setText(codeField, card.code);
    window.setText(codeField + 1, card.title);
    if (!address) return;
    const QString lines[] = {card.adres1, card.adres2, card.adres3, card.vd, card.vdNo};
    for (int i = 0; i < 5; ++i)
        window.setText(codeField + 2 + i, lines[i]);
}

void followCustomerCode(EntryWindow& window, CodeField* code, int codeField,
                        std::function<bool()> address)
{
    QObject::connect(code, &CodeField::checked, &window,
                     [&window, codeField, address = std::move(address)](qint64 id) {
                         const std::optional<CardAddress> c =
                             id ? cardAddress(*window.shell().company, id) : std::nullopt;
                         if (c)
                             showCardAddress(window, codeField, *c, address());
                         else
                             window.setText(codeField + 1, QString());
                     });
}

void lockCustomerCode(EntryWindow& window, int codeField)
{
    for (const int f : {codeField, codeField + 1}) {
        window.editor(f)->setEnabled(false);
        window.editor(f)->setFocusPolicy(Qt::NoFocus);
    }
}

std::vector<FieldSpec> customerHeaderFields()
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    return {f("Cari kart nosu : ", EditorKind::Code, 10, "Cari kart nosunu giriniz"),
            f("Ünvanı : ", EditorKind::Text, 35, "Cari kart ünvanını giriniz"),
            f("Adres : ", EditorKind::Text, 35, "Cari kart adresini giriniz"),
            f("", EditorKind::Text, 35, "Cari kart adresini giriniz"),
            f("", EditorKind::Text, 35, "Cari kart adresini giriniz"),
            f("Vergi dairesi : ", EditorKind::Text, 15, "Cari kart vergi dairesini giriniz"),
            f("Vergi hesap no : ", EditorKind::Text, 15, "Cari kart vergi nosunu giriniz")};
}
