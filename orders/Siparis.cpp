#include "orders/Siparis.h"

#include "app/CodeField.h"
#include "app/PickList.h"
#include "customers/CustomerCodes.h"
#include "orders/SiparisB.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QLineEdit>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

} // namespace

TfrmSiparis::TfrmSiparis(Shell& shell, const OrderKind& kind, QWidget* parent)
    : ListWindow(
          shell, kind.word + QStringLiteral(" sipariş fişleri"),
          shell.company->table(QStringLiteral("Siparis")),
          {{QStringLiteral("Sip. No"), QStringLiteral("SipNo"), 60, QStringLiteral("0")},
           {QStringLiteral("Termin T."), QStringLiteral("TerminTar"), 80},
           {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
           {QStringLiteral("Saat"), QStringLiteral("Saat"), 50},
           {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 80},
           {QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 200},
           {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 150},
           {QStringLiteral("Ö.Kod"), QStringLiteral("OzelKod"), 50},
           {QStringLiteral("Tutarı"), QStringLiteral("GenTop"), 100, shell.company->moneyFormat()}},
          parent)
    , kind_(kind)
    , posting_(std::make_unique<OrderPosting>(*shell.company, kind, &shell.install))
{
    setObjectName(kind.sipTuru == 1 ? QStringLiteral("frmSiparis") : QStringLiteral("frmASiparis"));
    setMultiSelect(true);
    setDeleteTexts({QStringLiteral("Sipariş fişini iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Sipariş satış fişi iptal")});
    addLinesCommand(QStringLiteral("Hareketler [F5]"), QStringLiteral("Fiş hareketleri"),
                    [this] { openLines(); });
    addCommand(QStringLiteral("FisListesi"), QStringLiteral("Fiş listesi [F6]"), Qt::Key_F6,
               QString(), [this] {
                   const qint64 at = table().currentId();
                   if (!pickInto(this->shell(), QStringLiteral("Sipariş fişleri"), table(),
                                 QStringLiteral("Siparis_4"),
                                 {{QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 240},
                                  {QStringLiteral("Termin T."), QStringLiteral("TerminTar"), 90},
                                  {QStringLiteral("Sip. No"), QStringLiteral("SipNo"), 70,
                                   QStringLiteral("0")}},
                                 this))
                       table().gotoId(at);
                   reload();
               });
    setHeaderWindow([this](qint64 orderId) {
        TfrmSiparisA header(this->shell(), *posting_, orderId, this);
        header.run();
        return header.savedId();
    });
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{table()[QStringLiteral("CARef")].asInt64(), {}};
    });
    // The customer table shows every card again when an order looks a code up.
    shell.company->table(QStringLiteral("Cari")).setFiltered(false);
    setOrders(QStringLiteral(" Fiş listesi "),
              {{QStringLiteral("&Termin tarihine"), QStringLiteral("Siparis_3")},
               {QStringLiteral("&Nosuna"), QStringLiteral("Siparis_1")},
               {QStringLiteral("Açma ta&rihine"), QStringLiteral("Siparis_2")},
               {QStringLiteral("Ü&nvanına"), QStringLiteral("Siparis_4")}},
              2);
    state_ = addRadioGroup(
        QStringLiteral(" Fiş durumu "),
        {QStringLiteral("&Açık fişler"), QStringLiteral("&Kapalı fişler"), QStringLiteral("Tü&mü")},
        0, 1);
    connect(state_, &QButtonGroup::idClicked, this, [this](int id) {
        const qint64 at = table().currentId();
        setState(id);
        if (at > 0) table().gotoId(at);
        reload();
        updateCommands();
        grid()->setFocus();
    });
    setState(0);
    resize(1000, 560);
    goLast();
}

TfrmSiparis::~TfrmSiparis()
{
    table().setFiltered(false);
}

void TfrmSiparis::setState(int state)
{
    // The filter is the program's own text: the kind and the state are numbers.
    table().setFilter(
        state == 2 ? QStringLiteral("SipTuru = %1").arg(kind_.sipTuru)
                   : QStringLiteral("SipTuru = %1 and Acikmi = %2").arg(kind_.sipTuru).arg(state));
    table().setFiltered(true);
    table().last();
    reload();
}

bool TfrmSiparis::onlyOne(const QString& refused)
{
    if (selectedIds().size() <= 1) return true;
    NoticeBox(shell(), QStringLiteral("Birden fazla kaydı aynı anda"), refused,
              QStringLiteral("Sipariş kontrol"), this);
    return false;
}

void TfrmSiparis::editRecord()
{
    if (onlyOne(QStringLiteral("düzeltemezsiniz !!!"))) ListWindow::editRecord();
}

bool TfrmSiparis::canDelete()
{
    return onlyOne(QStringLiteral("iptal edemezsiniz !!!"));
}

void TfrmSiparis::deleteRecord()
{
    try {
        posting_->removeOrder(table().currentId());
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(), QString(), QStringLiteral("Siparis satış fişi kontrol"),
                  this);
    }
    table().refresh();
}

void TfrmSiparis::openLines()
{
    std::vector<qint64> ids = selectedIds();
    if (ids.empty()) return;
    if (ids.size() > 1 && !posting_->sameCustomer(ids)) {
        NoticeBox(shell(), QStringLiteral("Lütfen aynı kişilerin"),
                  QStringLiteral("siparişlerini seçiniz"),
                  QStringLiteral("Çoklu sipariş faturalama kontrol"), this);
        return;
    }
    const qint64 at = table().currentId();
    {
        TfrmSiparisB lines(shell(), *posting_, ids, this);
        lines.run();
    }
    table().refresh();
    table().gotoId(at);
    reload();
    updateCommands();
}

// --- header -------------------------------------------------------------------------------------

namespace {

std::vector<FieldSpec> headerFields()
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    std::vector<FieldSpec> fields = {
        f("Sipariş açma tarihi : ", EditorKind::Date, 0, "Sipariş açma tarihini giriniz"),
        f("Sipariş açma saati : ", EditorKind::Text, 5, "Sipariş açma saatini giriniz"),
        f("Sipariş Termin tarihi : ", EditorKind::Date, 0, "Sipariş TERMİN tarihini giriniz"),
        f("Sipariş nosu : ", EditorKind::Integer, 0, "Sipariş nosunu giriniz"),
        f("Sipariş açıklaması : ", EditorKind::Text, 30, "Sipariş açıklamasını giriniz")};
    for (FieldSpec& c : customerHeaderFields())
        fields.push_back(std::move(c));
    fields.push_back(f("Sipariş Özel kod : ", EditorKind::Code, 5, "Sipariş özel kodunu giriniz"));
    return fields;
}

QTime timeOf(const QString& text)
{
    for (const QString& format : {QStringLiteral("H:mm"), QStringLiteral("H:mm:ss")})
        if (const QTime t = QTime::fromString(text.trimmed(), format); t.isValid()) return t;
    return QTime();
}

} // namespace

TfrmSiparisA::TfrmSiparisA(Shell& shell, OrderPosting& posting, qint64 orderId, QWidget* parent)
    : EntryWindow(shell,
                  (orderId ? QStringLiteral("Eski ") : QStringLiteral("Yeni ")) +
                      posting.kind().word + QStringLiteral(" sipariş fişi"),
                  headerFields(), nullptr, parent)
    , posting_(posting)
    , orderId_(orderId)
{
    setObjectName(posting.kind().sipTuru == 1 ? QStringLiteral("frmSiparisA")
                                              : QStringLiteral("frmASiparisA"));
    setWrapFields(true);
    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(CariNo)), customerCodes());
    followCustomerCode(*this, code_, CariNo, [this] { return orderId_ == 0; });
    addCardListCommand(code_);
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(CariNo)}; });
    if (orderId_) {
        const std::optional<OrderPosting::Header> h = posting.read(orderId_);
        if (!h) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId_));
        setText(Tarih, h->tarih.toString(kDate));
        setText(Saat, h->saat.toString(QStringLiteral("HH:mm")));
        setText(TerminTar, h->terminTar.toString(kDate));
        setNumber(SipNo, h->sipNo);
        setText(Aciklama, h->aciklama);
        showCardAddress(*this, CariNo,
                        {h->cariNo, h->unvani, h->adres1, h->adres2, h->adres3, h->vd, h->vdNo},
                        true);
        setText(OzelKod, h->ozelKod);
        // The customer of an order stays: its code, title and list are off and skipped.
        lockCustomerCode(*this, CariNo);
        setCommandEnabled(QStringLiteral("Liste"), false);
    } else {
        const QDate today = QDate::currentDate();
        setText(Tarih, today.toString(kDate));
        setText(Saat, QTime::currentTime().toString(QStringLiteral("HH:mm")));
        setText(TerminTar, today.addDays(7).toString(kDate));
        setNumber(SipNo, posting.nextNumber());
    }
    resize(540, 460);
    editor(Tarih)->setFocus();
}

bool TfrmSiparisA::validate()
{
    const auto refuse = [this](const QString& line, int field) {
        NoticeBox(shell(), line, QString(), windowTitle(), this);
        editor(field)->setFocus();
        return false;
    };
    if (!value(Tarih).toDate().isValid())
        return refuse(QStringLiteral("Sipariş açma tarihi geçerli bir tarih değil"), Tarih);
    if (!timeOf(text(Saat)).isValid())
        return refuse(QStringLiteral("Sipariş açma saati SS:DD biçiminde olmalıdır"), Saat);
    if (!value(TerminTar).toDate().isValid())
        return refuse(QStringLiteral("Sipariş termin tarihi geçerli bir tarih değil"), TerminTar);
    // The code is looked up again as it stands now.
    if (orderId_ || code_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(CariNo)->setFocus();
    return false;
}

void TfrmSiparisA::save()
{
    OrderPosting::Header h;
    h.tarih = value(Tarih).toDate();
    h.saat = timeOf(text(Saat));
    h.terminTar = value(TerminTar).toDate();
    h.sipNo = number(SipNo);
    h.aciklama = text(Aciklama);
    h.cariNo = text(CariNo);
    h.unvani = text(Unvani);
    h.adres1 = text(Adres1);
    h.adres2 = text(Adres2);
    h.adres3 = text(Adres3);
    h.vd = text(Vd);
    h.vdNo = text(VdNo);
    h.ozelKod = text(OzelKod);
    saved_ = posting_.saveHeader(orderId_, h);
}
