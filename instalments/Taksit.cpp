#include "instalments/Taksit.h"

#include "app/CodeField.h"
#include "app/PickList.h"
#include "customers/CustomerCodes.h"
#include "instalments/TaksitB.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

} // namespace

TfrmTaksit::TfrmTaksit(Shell& shell, const InstalmentSide& side, QWidget* parent)
    : ListWindow(shell,
                 side.sales ? QStringLiteral("Kredili satış fişleri")
                            : QStringLiteral("Kredili alış fişleri"),
                 shell.company->table(side.sale),
                 {{QStringLiteral("Ref. No"), QStringLiteral("Nosu"), 60},
                  {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                  {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 80},
                  {QStringLiteral("Ünvani"), QStringLiteral("Unvani"), 220},
                  {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 170},
                  {QStringLiteral("V.D."), QStringLiteral("Vd"), 100},
                  {QStringLiteral("V.D. No"), QStringLiteral("VdNo"), 100}},
                 parent)
    , side_(side)
    , posting_(std::make_unique<InstalmentPosting>(*shell.company, side, &shell.install))
{
    setObjectName(side.sales ? QStringLiteral("frmTaksit") : QStringLiteral("frmATaksit"));
    setDeleteTexts({QStringLiteral("Kredili satış fişini iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"),
                    side.sales ? QStringLiteral("Kredili satış fişi iptal")
                               : QStringLiteral("Kredili alış fişi iptal")});
    addLinesCommand(QStringLiteral("Fiş hareketleri [F5]"), QStringLiteral("Fiş hareketleri"),
                    [this] { openSale(); });
    addCommand(QStringLiteral("FisListesi"), QStringLiteral("Fiş listesi [F6]"), Qt::Key_F6,
               QString(), [this] {
                   const qint64 at = table().currentId();
                   if (!pickInto(this->shell(),
                                 side_.sales ? QStringLiteral("Taksitli satış listesi")
                                             : QStringLiteral("Kredili alış listesi"),
                                 table(), QStringLiteral("Taksit_2"),
                                 {{QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 260},
                                  {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 90}},
                                 this))
                       table().gotoId(at);
                   reload();
               });
    setHeaderWindow([this](qint64 saleId) {
        TfrmTaksitA header(this->shell(), *posting_, saleId, this);
        header.run();
        return header.savedId();
    });
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{table()[QStringLiteral("CARef")].asInt64(), {}};
    });
    setOrders(QStringLiteral(" Fiş listesi "),
              {{QStringLiteral("&Tarihe"), QStringLiteral("Taksit_1")},
               {QStringLiteral("Ü&nvanına"), QStringLiteral("Taksit_2")}},
              0);
    state_ = addRadioGroup(
        QStringLiteral(" Fiş durumu "),
        {QStringLiteral("&Açık fişler"), QStringLiteral("&Kapalı fişler"), QStringLiteral("Tü&mü")},
        0, 1);
    connect(state_, &QButtonGroup::idClicked, this, [this](int id) {
        setState(id);
        updateCommands();
        grid()->setFocus();
    });
    setState(0);
    resize(900, 560);
    goLast();
}

TfrmTaksit::~TfrmTaksit()
{
    table().setFiltered(false);
}

void TfrmTaksit::setState(int state)
{
    if (state == 2) {
        table().setFiltered(false);
    } else {
        table().setFilter(QStringLiteral("Acikmi = %1").arg(state));
        table().setFiltered(true);
    }
    table().last();
    reload();
}

void TfrmTaksit::openSale()
{
    const qint64 saleId = table().currentId();
    if (saleId <= 0) return;
    TfrmTaksitB sale(shell(), *posting_, saleId, this);
    sale.run();
    table().refresh();
    table().gotoId(saleId);
    reload();
}

void TfrmTaksit::deleteRecord()
{
    if (posting_->hasInvoices(table().currentId())) {
        NoticeBox(shell(), QStringLiteral("İlk önce faturaları iptal ediniz"), QString(),
                  QStringLiteral("Taksit satış fişi kontrol"), this);
        return;
    }
    posting_->removeSale(table().currentId());
    table().refresh();
}

// --- header -------------------------------------------------------------------------------------

namespace {

std::vector<FieldSpec> headerFields()
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    std::vector<FieldSpec> fields = {
        f("Fiş Tarihi : ", EditorKind::Date, 0, "Fiş tarihini giriniz"),
        f("Fiş açıklaması : ", EditorKind::Text, 25, "Fiş açıklamasını giriniz")};
    for (FieldSpec& c : customerHeaderFields())
        fields.push_back(std::move(c));
    return fields;
}

} // namespace

TfrmTaksitA::TfrmTaksitA(Shell& shell, InstalmentPosting& posting, qint64 saleId, QWidget* parent)
    : EntryWindow(shell,
                  posting.side().sales ? (saleId ? QStringLiteral("Eski Kredili satış fişi")
                                                 : QStringLiteral("Yeni Kredili satış fişi"))
                                       : (saleId ? QStringLiteral("Eski kredili alış fişi")
                                                 : QStringLiteral("Yeni kredili alış fişi")),
                  headerFields(), nullptr, parent)
    , posting_(posting)
    , saleId_(saleId)
{
    setObjectName(posting.side().sales ? QStringLiteral("frmTaksitA")
                                       : QStringLiteral("frmATaksitA"));
    setWrapFields(true);
    auto* code = static_cast<QLineEdit*>(editor(CariNo));
    code_ = new CodeField(shell, code, customerCodes());
    followCustomerCode(*this, code_, CariNo, [this] { return saleId_ == 0; });
    addCardListCommand(code_);
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(CariNo)}; });
    if (saleId_) {
        const std::optional<InstalmentPosting::Sale> s = posting.readSale(saleId_);
        if (!s) throw AppError(QStringLiteral("Kredili fiş bulunamadı (%1).").arg(saleId_));
        setText(Tarih, s->tarih.toString(kDate));
        setText(Aciklama, s->aciklama);
        showCardAddress(*this, CariNo,
                        {s->cariNo, s->unvani, s->adres1, s->adres2, s->adres3, s->vd, s->vdNo},
                        true);
        // The customer of a sale stays: its code, title and list are off and skipped.
        lockCustomerCode(*this, CariNo);
        setCommandEnabled(QStringLiteral("Liste"), false);
    } else {
        setText(Tarih, QDate::currentDate().toString(kDate));
    }
    resize(520, 400);
    editor(Tarih)->setFocus();
}

bool TfrmTaksitA::validate()
{
    // The code is looked up again as it stands now.
    if (saleId_ || code_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(CariNo)->setFocus();
    return false;
}

void TfrmTaksitA::save()
{
    InstalmentPosting::Sale s;
    s.tarih = value(Tarih).toDate();
    s.aciklama = text(Aciklama);
    s.cariNo = text(CariNo);
    s.unvani = text(Unvani);
    s.adres1 = text(Adres1);
    s.adres2 = text(Adres2);
    s.adres3 = text(Adres3);
    s.vd = text(Vd);
    s.vdNo = text(VdNo);
    saved_ = posting_.saveSale(saleId_, s);
}
