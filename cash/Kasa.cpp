#include "cash/Kasa.h"

#include "cash/CashLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QLineEdit>

namespace {

const QString kTitle = QStringLiteral("Kasa kontrol");

Table& cashTable(Shell& shell)
{
    Table& kasa = shell.company->table(QStringLiteral("Kasa"));
    kasa.setFiltered(false);
    kasa.setIndexName(QStringLiteral("Kasa_1"));
    return kasa;
}

} // namespace

TfrmKasa::TfrmKasa(Shell& shell, QWidget* parent)
    : ListWindow(shell, QStringLiteral("Kasa hareketleri"), cashTable(shell),
                 {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                  {QStringLiteral("Belge No"), QStringLiteral("BelgeNo"), 140},
                  {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 260},
                  {QStringLiteral("GİREN"), QStringLiteral("Giren"), 110,
                   shell.company->cashMoneyFormat()},
                  {QStringLiteral("ÇIKAN"), QStringLiteral("Cikan"), 110,
                   shell.company->cashMoneyFormat()},
                  {QStringLiteral("K"), QStringLiteral("Kaynak"), 30}},
                 parent)
{
    setObjectName(QStringLiteral("frmKasa"));
    setDeleteTexts({QStringLiteral("Kasa hareketini silmek"),
                    QStringLiteral("istediğinize emin misiniz ? "),
                    QStringLiteral("Kasa bilgisini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ? "), kTitle});
    setOwnedRecords({QStringLiteral("Kaynak"), CashKaynak::KA,
                     QStringLiteral("Kaynak program kasa değil"),
                     QStringLiteral("Düzeltme yapamazsınız!!"), kTitle,
                     QStringLiteral("İptal yapamazsınız!!"), kTitle});
    totals_ = addInfoBoxes(
        {QStringLiteral("GİREN : "), QStringLiteral("ÇIKAN : "), QStringLiteral("BAKİYE : ")});
    resize(860, 560);
    goLast();
}

QString TfrmKasa::totalText(int index) const
{
    return totals_[size_t(index)]->text();
}

void TfrmKasa::updateCommands()
{
    ListWindow::updateCommands();
    CompanyData& company = *shell().company;
    const CashTotals totals = CashLedger(company).totals();
    const QString mask = company.cashMoneyFormat();
    // Shown as rounded; noise far below a kuruş is not a negative balance.
    const double balance = company.RoundCash(totals.balance().value());
    totals_[0]->setText(formatNumber(company.RoundCash(totals.giren.value()), mask));
    totals_[1]->setText(formatNumber(company.RoundCash(totals.cikan.value()), mask));
    totals_[2]->setText(formatNumber(balance, mask));
    QPalette palette = totals_[2]->palette();
    palette.setColor(QPalette::Text, balance < 0 ? QColor(Qt::red) : QColor(Qt::darkRed));
    totals_[2]->setPalette(palette);
    if (balance < 0)
        NoticeBox(shell(), QStringLiteral("KASA TERS BAKİYE VERİYOR !!"), QStringLiteral("Dikkat"),
                  kTitle, this);
}

void TfrmKasa::newRecord()
{
    TfrmKasaF window(shell(), 0, this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmKasa::editRecord()
{
    TfrmKasaF window(shell(), table().currentId(), this);
    window.run();
    if (window.savedId()) table().gotoId(window.savedId());
}

void TfrmKasa::deleteRecord()
{
    CashLedger(*shell().company).remove(table().currentId());
}

// --- entry -------------------------------------------------------------------------------------

namespace {

std::vector<FieldSpec> recordFields(int decimals)
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    return {
        f("Tarih : ", EditorKind::Date, 0, "Hareket tarihini giriniz"),
        f("Belge No : ", EditorKind::Text, 20, "Hareket belge nosunu giriniz"),
        f("Açıklama : ", EditorKind::Text, 40, "Hareket açıklamasını giriniz"),
        f("GİREN : ", EditorKind::Money, decimals, "Hareket giren tutarını giriniz"),
        f("ÇIKAN : ", EditorKind::Money, decimals, "Hareket çıkan tutarını giriniz"),
    };
}

} // namespace

TfrmKasaF::TfrmKasaF(Shell& shell, qint64 recordId, QWidget* parent)
    : EntryWindow(shell,
                  recordId ? QStringLiteral("Eski kasa hareketi girişi")
                           : QStringLiteral("Yeni kasa hareketi girişi"),
                  recordFields(shell.company->cashKurus() ? 2 : 0), nullptr, parent)
    , recordId_(recordId)
{
    setObjectName(QStringLiteral("frmKasaF"));
    setDownWraps(true);
    if (recordId_) {
        const std::optional<CashRecord> r = CashLedger(*shell.company).read(recordId_);
        if (!r) throw AppError(QStringLiteral("Kasa hareketi bulunamadı."));
        setText(Tarih, r->tarih.toString(QStringLiteral("dd.MM.yyyy")));
        setText(BelgeNo, r->belgeNo);
        setText(Aciklama, r->aciklama);
        setNumber(Giren, r->giren);
        setNumber(Cikan, r->cikan);
    } else {
        setText(Tarih, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        setNumber(Giren, 0);
        setNumber(Cikan, 0);
    }
    // Typing a value in one side empties the other.
    for (const auto& [typed, other] : {std::pair{Giren, Cikan}, std::pair{Cikan, Giren}}) {
        auto* edit = static_cast<QLineEdit*>(editor(typed));
        connect(edit, &QLineEdit::textChanged, this, [this, typed, other] {
            if (number(typed) != 0 && number(other) != 0) setNumber(other, 0);
        });
    }
    editor(Tarih)->setFocus();
}

void TfrmKasaF::save()
{
    CashRecord r;
    r.tarih = value(Tarih).toDate();
    if (!r.tarih.isValid()) throw AppError(QStringLiteral("Hareket tarihini giriniz."));
    r.belgeNo = text(BelgeNo);
    r.aciklama = text(Aciklama);
    r.giren = number(Giren);
    r.cikan = number(Cikan);
    r.kaynak = CashKaynak::KA;
    CashLedger ledger(*shell().company);
    saved_ = recordId_ ? ledger.rewrite(recordId_, r) : ledger.post(r);
}
