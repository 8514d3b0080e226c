#include "customers/CarFis.h"

#include "app/CodeField.h"
#include "app/MessageWindow.h"
#include "customers/CarHarG.h"
#include "customers/CustomerCodes.h"
#include "customers/CustomerVouchers.h"
#include "store/AppError.h"
#include "store/CompanyData.h"

#include <QLineEdit>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

std::vector<FieldSpec> lineFields(int decimals)
{
    // The customer by code, then the movement window's dates, texts and amounts.
    const std::vector<FieldSpec> movement = customerMovementFields(decimals, decimals);
    std::vector<FieldSpec> fields{{QStringLiteral("Cari Nosu : "), QString(), EditorKind::Code, 10,
                                   QStringLiteral("Cari kart nosunu giriniz")},
                                  {QStringLiteral("Ünvanı : "), QString(), EditorKind::Text, 35,
                                   QStringLiteral("Cari kart ünvanını giriniz")}};
    for (int f : {TfrmCarHarG::Tarih, TfrmCarHarG::Vadesi, TfrmCarHarG::BelgeNo,
                  TfrmCarHarG::Aciklama, TfrmCarHarG::Borc, TfrmCarHarG::Alacak})
        fields.push_back(movement[size_t(f)]);
    return fields;
}

} // namespace

VoucherKind customerVoucherKind()
{
    VoucherKind k;
    k.listName = QStringLiteral("TfrmCarFis");
    k.voucherName = QStringLiteral("TfrmCarFisF");
    k.headerTable = QStringLiteral("CarFis");
    k.listCaption = QStringLiteral("Cari fiş hareketleri ");
    k.listDelete = {QStringLiteral("Cari hareket fişini iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Cari fiş iptal")};
    k.lineTable = QStringLiteral("CarHar");
    k.lineIndex = QStringLiteral("CarHar_1");
    k.lineOwnTerms = QStringLiteral("Kaynak = 'CA'");
    k.lineColumns = [](CompanyData& company) {
        const QString money = company.moneyFormat();
        return std::vector<GridColumn>{
            {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 90},
            {QStringLiteral("Ünvani"), QStringLiteral("Unvani"), 200},
            {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
            {QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80},
            {QStringLiteral("Belge No"), QStringLiteral("BelgeNo"), 80},
            {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 160},
            {QStringLiteral("Borç"), QStringLiteral("Borc"), 100, money},
            {QStringLiteral("Alacak"), QStringLiteral("Alacak"), 100, money},
            {QStringLiteral("K"), QStringLiteral("Kaynak"), 30}};
    };
    k.captionWord = QStringLiteral("cari fiş");
    k.lineDelete = {QStringLiteral("Cari hareket kaydını iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Cari hareketi siliyorsunuz!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Cari hareket iptal")};
    k.totalLabels = {QStringLiteral("Borç : "), QStringLiteral("Alacak : "),
                     QStringLiteral("Bakiye : ")};
    k.quickCard = QuickCard::Customer;
    k.cardRef = QStringLiteral("CARef");
    k.book = [](CompanyData& company) { return std::make_unique<CustomerVoucherPosting>(company); };
    k.lineWindow = [](Shell& shell, qint64 voucherId, qint64 lineId, QWidget* parent) {
        TfrmCarFisG line(shell, voucherId, lineId, parent);
        line.run();
        return line.savedId();
    };
    return k;
}

TfrmCarFis::TfrmCarFis(Shell& shell, QWidget* parent)
    : VoucherListWindow(shell, customerVoucherKind(), parent)
{
}

TfrmCarFisF::TfrmCarFisF(Shell& shell, qint64 voucherId, QWidget* parent)
    : VoucherWindow(shell, customerVoucherKind(), voucherId, parent)
{
}

// --- line --------------------------------------------------------------------------------------

TfrmCarFisG::TfrmCarFisG(Shell& shell, qint64 voucherId, qint64 lineId, QWidget* parent)
    : EntryWindow(
          shell, lineId ? QStringLiteral("Eski Cari hareket") : QStringLiteral("Yeni Cari hareket"),
          lineFields(shell.company->kurus() ? 2 : 0), nullptr, parent)
    , voucherId_(voucherId)
    , lineId_(lineId)
{
    setObjectName(QStringLiteral("TfrmCarFisG"));
    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(CariNo)), customerCodes());
    connect(code_, &CodeField::checked, this,
            [this](qint64 id) { setText(Unvani, id ? code_->title() : QString()); });
    addCardListCommand(code_, Unvani, Unvani);
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(CariNo)}; });
    // A positive amount typed on one side clears the other.
    for (const auto& [typed, other] : {std::pair{Borc, Alacak}, std::pair{Alacak, Borc}}) {
        connect(static_cast<QLineEdit*>(editor(typed)), &QLineEdit::textChanged, this,
                [this, typed, other] {
                    if (clearing_ || number(typed) <= 0) return;
                    clearing_ = true;
                    setNumber(other, 0);
                    clearing_ = false;
                });
    }
    if (lineId) {
        const std::optional<CustomerMovement> m = CustomerLedger(*shell.company).read(lineId);
        if (!m) throw AppError(QStringLiteral("Cari hareket bulunamadı."));
        const std::vector<SqlRow> card = shell.company->connection().select(
            QStringLiteral("SELECT \"CariNo\", \"Unvani\" FROM \"CarHar\" WHERE \"Nosu\" = ?"),
            {lineId});
        setText(CariNo, card.front()[0].toString());
        setText(Unvani, card.front()[1].toString());
        setText(Tarih, m->tarih.toString(kDate));
        // A missing due date shows the line's date.
        setText(Vadesi, (m->vadesi.isValid() ? m->vadesi : m->tarih).toString(kDate));
        setText(BelgeNo, m->belgeNo);
        setText(Aciklama, m->aciklama);
        setNumber(Borc, m->borc);
        setNumber(Alacak, m->alacak);
    } else {
        const QString today = QDate::currentDate().toString(kDate);
        setText(Tarih, today);
        setText(Vadesi, today);
        setNumber(Borc, 0);
        setNumber(Alacak, 0);
    }
    editor(CariNo)->setFocus();
}

bool TfrmCarFisG::validate()
{
    // The code is looked up again as it stands now; a code of no card is never saved.
    if (code_->check()) return true;
    setText(CariNo, QString());
    setText(Unvani, QString());
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(CariNo)->setFocus();
    return false;
}

void TfrmCarFisG::save()
{
    CustomerMovement m;
    m.tarih = value(Tarih).toDate();
    m.vadesi = value(Vadesi).toDate();
    m.belgeNo = text(BelgeNo);
    m.aciklama = text(Aciklama);
    m.borc = number(Borc);
    m.alacak = number(Alacak);
    saved_ =
        CustomerVoucherPosting(*shell().company).saveLine(voucherId_, lineId_, text(CariNo), m);
}
