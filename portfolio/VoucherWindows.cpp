#include "portfolio/VoucherWindows.h"

#include "app/CodeField.h"
#include "customers/CustomerCodes.h"
#include "customers/CustomerLedger.h"
#include "portfolio/VoucherPosting.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QLineEdit>
#include <QTimer>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

// What the four voucher families say differently.
struct VoucherTexts {
    QString listCaption, deleteFirst, deleteTitle, linesCaption, totalLabel;
    QString newHeader, oldHeader, dateHint, descriptionHint;
    QString listObject, headerObject, linesObject;
};

const VoucherTexts& textsOf(const PortfolioKind& kind)
{
    static const VoucherTexts checks{QStringLiteral("Müşteri çek fişleri"),
                                     QStringLiteral("Müşteri çek hareket fişini iptal etmek"),
                                     QStringLiteral("Çek fiş iptal"),
                                     QStringLiteral("Müşteri çekleri"),
                                     QStringLiteral("ÇEK TOPLAMI : "),
                                     QStringLiteral("Yeni çek fişi girişi"),
                                     QStringLiteral("Eski çek fişi bilgileri"),
                                     QStringLiteral("Çek fişi tarihini giriniz"),
                                     QStringLiteral("Çek fişi açıklamasını giriniz"),
                                     QStringLiteral("frmCekFis"),
                                     QStringLiteral("frmCekFisA"),
                                     QStringLiteral("frmCekFisB")};
    static const VoucherTexts notes{QStringLiteral("Müşteri Senet fişleri"),
                                    QStringLiteral("Müşteri Senet hareket fişini iptal etmek"),
                                    QStringLiteral("Senet fiş iptal"),
                                    QStringLiteral("Müşteri senet fişi"),
                                    QStringLiteral("ÇEK TOPLAMI : "),
                                    QStringLiteral("Yeni çek fişi girişi"),
                                    QStringLiteral("Eski çek fişi bilgileri"),
                                    QStringLiteral("Çek fişi tarihini giriniz"),
                                    QStringLiteral("Çek fişi açıklamasını giriniz"),
                                    QStringLiteral("frmSenetFis"),
                                    QStringLiteral("frmSenetFisA"),
                                    QStringLiteral("frmSenFisB")};
    static const VoucherTexts firmChecks{QStringLiteral("Firma çek fişleri"),
                                         QStringLiteral("Firma çek hareket fişini iptal etmek"),
                                         QStringLiteral("Çek fiş iptal"),
                                         QStringLiteral("Firma çek fişi"),
                                         QStringLiteral("ÇEK TOPLAMI : "),
                                         QStringLiteral("Yeni çek fişi girişi"),
                                         QStringLiteral("Eski çek fişi bilgileri"),
                                         QStringLiteral("Çek fişi tarihini giriniz"),
                                         QStringLiteral("Çek fişi açıklamasını giriniz"),
                                         QStringLiteral("frmFCekFis"),
                                         QStringLiteral("frmFCekFisA"),
                                         QStringLiteral("frmFCekFisB")};
    static const VoucherTexts firmNotes{QStringLiteral("Firma Senet fişleri"),
                                        QStringLiteral("Firma Senet hareket fişini iptal etmek"),
                                        QStringLiteral("Senet fiş iptal"),
                                        QStringLiteral("Firma senet fişi"),
                                        QStringLiteral("SENET TOPLAMI : "),
                                        QStringLiteral("Yeni Senet fişi girişi"),
                                        QStringLiteral("Eski Senet fişi bilgileri"),
                                        QStringLiteral("Senet fişi tarihini giriniz"),
                                        QStringLiteral("Senet fişi açıklamasını giriniz"),
                                        QStringLiteral("frmFSenetFis"),
                                        QStringLiteral("frmFSenetFisA"),
                                        QStringLiteral("frmFSenFisB")};
    if (kind.firm) return kind.check ? firmChecks : firmNotes;
    return kind.check ? checks : notes;
}

QString companyCaption(Shell& shell, const QString& text)
{
    return QStringLiteral("[-%1-%2-] şirketi %3")
        .arg(shell.activeCompanyCode, shell.activeCompanyTitle, text);
}

Table& voucherTable(Shell& shell, const PortfolioKind& kind)
{
    Table& t = shell.company->table(kind.voucherTable);
    t.setFiltered(false);
    t.setIndexName(kind.voucherTable + QStringLiteral("_1"));
    t.refresh();
    return t;
}

std::vector<GridColumn> voucherColumns(const PortfolioKind& kind)
{
    std::vector<GridColumn> c = {{QStringLiteral("Ref.No"), QStringLiteral("Nosu"), 60},
                                 {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                                 {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 180},
                                 {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 90},
                                 {QStringLiteral("Ünvani"), QStringLiteral("Unvani"), 220}};
    if (!kind.firm) c.push_back({QStringLiteral("G.Zam"), QStringLiteral("GZam"), 60});
    return c;
}

std::vector<GridColumn> lineColumns(const PortfolioKind& kind, const QString& money)
{
    const QString number = kind.check ? QStringLiteral("Çek No") : QStringLiteral("Senet No");
    std::vector<GridColumn> c = {{QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80}};
    if (kind.firm) {
        c.push_back({QStringLiteral("K.Tarih"), QStringLiteral("KTarih"), 80});
        c.push_back({number, kind.numberField, 100});
        if (kind.check) c.push_back({QStringLiteral("Banka"), QStringLiteral("Banka"), 140});
    } else if (kind.check) {
        c.push_back({QStringLiteral("G.Tarihi"), QStringLiteral("GirTarihi"), 80});
        c.push_back({QStringLiteral("Banka"), QStringLiteral("Banka"), 110});
        c.push_back({QStringLiteral("Şube"), QStringLiteral("Sube"), 90});
        c.push_back({number, kind.numberField, 90});
        c.push_back({QStringLiteral("Ç.Sahibi"), QStringLiteral("CekSahibi"), 130});
        c.push_back({QStringLiteral("Son Ciro"), QStringLiteral("SonCiro"), 110});
    } else {
        c.push_back({QStringLiteral("G.Tarihi"), QStringLiteral("GirTarihi"), 80});
        c.push_back({number, kind.numberField, 90});
        c.push_back({QStringLiteral("Senet Sahibi"), QStringLiteral("SenetSahibi"), 140});
        c.push_back({QStringLiteral("Son Ciro"), QStringLiteral("SonCiro"), 120});
    }
    c.push_back({QStringLiteral("TUTARI"), QStringLiteral("TUTARI"), 110, money});
    c.push_back({QStringLiteral("K"), QStringLiteral("Kaynak"), 30});
    c.push_back({QStringLiteral("R.No"), QStringLiteral("Nosu"), 60});
    c.push_back({QStringLiteral("D"), kind.positionField, 30});
    return c;
}

std::vector<FieldSpec> headerFields(const PortfolioKind& kind)
{
    const VoucherTexts& t = textsOf(kind);
    std::vector<FieldSpec> f = {
        {QStringLiteral("Fiş Tarihi : "), QString(), EditorKind::Date, 0, t.dateHint},
        {QStringLiteral("Cari Nosu : "), QString(), EditorKind::Code, 10,
         QStringLiteral("Cari kart nosunu giriniz")},
        {QStringLiteral("Ünvanı : "), QString(), EditorKind::Text, 35,
         QStringLiteral("Cari kart ünvanını giriniz")}};
    if (!kind.firm)
        f.push_back({QStringLiteral("G. Zammı : "), QString(), EditorKind::Number, 0,
                     QStringLiteral("Çek fişi gecikme zammı oranını giriniz")});
    f.push_back(
        {QStringLiteral("Açıklama : "), QString(), EditorKind::Text, 20, t.descriptionHint});
    return f;
}

struct VoucherRow {
    QDate tarih;
    QString cariNo, unvani, aciklama;
    qint64 customerId = 0, surchargeId = 0;
    double gZam = 0;
    bool islensin = false;
};

std::optional<VoucherRow> readVoucher(CompanyData& company, const PortfolioKind& kind, qint64 id)
{
    const std::vector<SqlRow> r = company.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"CariNo\", \"Unvani\", \"Aciklama\", \"CARef\", "
                       "\"GZam\" %1 FROM \"%2\" WHERE \"Nosu\" = ?")
            .arg(kind.firm ? QString() : QStringLiteral(", \"CAHRef\", \"Islensin\""),
                 kind.voucherTable),
        {id});
    if (r.empty()) return std::nullopt;
    const SqlRow& row = r.front();
    VoucherRow v;
    v.tarih = QDate::fromString(row[0].toString(), Qt::ISODate);
    v.cariNo = row[1].toString();
    v.unvani = row[2].toString();
    v.aciklama = row[3].toString();
    v.customerId = row[4].toLongLong();
    v.gZam = row[5].toDouble();
    if (!kind.firm) {
        v.surchargeId = row[6].toLongLong();
        v.islensin = row[7].toInt() == 1;
    }
    return v;
}

} // namespace

// --- voucher list ------------------------------------------------------------------------------

TfrmCekFis::TfrmCekFis(Shell& shell, const PortfolioKind& kind, QWidget* parent)
    : ListWindow(shell, companyCaption(shell, textsOf(kind).listCaption), voucherTable(shell, kind),
                 voucherColumns(kind), parent, ListTexts(), false)
    , kind_(kind)
{
    const VoucherTexts& t = textsOf(kind);
    setObjectName(t.listObject);
    setDeleteTexts({t.deleteFirst, QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), t.deleteTitle});
    addLinesCommand(QStringLiteral("Fiş hareketleri [F5]"), QStringLiteral("Fiş hareketleri"),
                    [this] { openLines(); });
    setRereadBeforeKeys(true);
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{table()[QStringLiteral("CARef")].asInt64(), {}};
    });
    resize(860, 540);
    goLast();
}

TfrmCekFis::~TfrmCekFis() = default;

void TfrmCekFis::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("HizliKart"), !table().isEmpty());
}

void TfrmCekFis::openHeader(qint64 voucherId)
{
    TfrmCekFisA header(shell(), kind_, voucherId, this);
    header.run();
    if (!header.savedId()) return;
    table().refresh();
    table().gotoId(header.savedId());
    reload();
    if (header.openLines()) openLines();
}

void TfrmCekFis::newRecord()
{
    openHeader(0);
}

void TfrmCekFis::editRecord()
{
    openHeader(table().currentId());
}

void TfrmCekFis::openLines()
{
    const qint64 id = table().currentId();
    if (id <= 0) return;
    {
        TfrmCekFisB lines(shell(), kind_, id, this);
        lines.run();
    }
    table().refresh();
    table().gotoId(id);
    reload();
}

void TfrmCekFis::deleteRecord()
{
    VoucherPosting(*shell().company, kind_).removeVoucher(table().currentId());
    table().refresh();
}

// --- voucher header ----------------------------------------------------------------------------

TfrmCekFisA::TfrmCekFisA(Shell& shell, const PortfolioKind& kind, qint64 voucherId, QWidget* parent)
    : EntryWindow(shell, voucherId ? textsOf(kind).oldHeader : textsOf(kind).newHeader,
                  headerFields(kind), nullptr, parent)
    , kind_(kind)
    , voucherId_(voucherId)
{
    setObjectName(textsOf(kind).headerObject);
    setDownWraps(true);
    setUpWraps(true);
    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(at(CariNo))), customerCodes());
    connect(code_, &CodeField::checked, this,
            [this](qint64 id) { setText(at(Unvani), id ? code_->title() : QString()); });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   code_->pick(this);
                   if (code_->id()) {
                       setText(at(Unvani), code_->title());
                       // The card's own surcharge rate comes along.
                       if (at(GZam) >= 0)
                           setNumber(at(GZam),
                                     this->shell()
                                         .company->connection()
                                         .scalar(QStringLiteral("SELECT \"GZam\" FROM "
                                                                "\"Cari\" WHERE \"Nosu\" = ?"),
                                                 {code_->id()})
                                         .toDouble());
                   }
                   QTimer::singleShot(0, this, [this] { editor(at(Tarih))->setFocus(); });
               });
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(at(CariNo))}; });
    if (!kind.firm)
        posted_ = addRadioGroup(QStringLiteral(" G.Zammı Cari karta "),
                                {QStringLiteral("İşlenmesin"), QStringLiteral("İşlensin")}, 0);
    if (voucherId) {
        const std::optional<VoucherRow> v = readVoucher(*shell.company, kind, voucherId);
        if (!v) throw AppError(QStringLiteral("Fiş bulunamadı."));
        setText(at(Tarih), v->tarih.toString(kDate));
        setText(at(CariNo), v->cariNo);
        setText(at(Unvani), v->unvani);
        if (at(GZam) >= 0) setNumber(at(GZam), v->gZam);
        setText(at(Aciklama), v->aciklama);
        if (posted_) posted_->button(v->islensin ? 1 : 0)->setChecked(true);
    } else {
        setText(at(Tarih), QDate::currentDate().toString(kDate));
        if (at(GZam) >= 0) setNumber(at(GZam), 0);
    }
    editor(at(Tarih))->setFocus();
}

int TfrmCekFisA::at(Field field) const
{
    if (!kind_.firm) return int(field);
    if (field == GZam) return -1;
    return field == Aciklama ? 3 : int(field);
}

void TfrmCekFisA::choosePosted(bool posted)
{
    if (posted_) posted_->button(posted ? 1 : 0)->setChecked(true);
}

bool TfrmCekFisA::validate()
{
    if (code_->check()) return true;
    setText(at(Unvani), QString());
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(at(CariNo))->setFocus();
    return false;
}

void TfrmCekFisA::save()
{
    VoucherHeader h;
    h.tarih = value(at(Tarih)).toDate();
    h.customerId = code_->id();
    h.gZam = at(GZam) >= 0 ? number(at(GZam)) : 0;
    h.aciklama = text(at(Aciklama));
    h.islensin = posted_ && posted_->checkedId() == 1;
    // Whether a surcharge movement stood before: if not, the lines show the new one at once.
    bool hadSurcharge = false;
    if (voucherId_ && h.islensin)
        if (const std::optional<VoucherRow> v = readVoucher(*shell().company, kind_, voucherId_))
            hadSurcharge =
                v->islensin && CustomerLedger(*shell().company).read(v->surchargeId).has_value();
    saved_ = VoucherPosting(*shell().company, kind_).saveHeader(voucherId_, h);
    openLines_ = h.islensin && !hadSurcharge;
}

// --- voucher lines -----------------------------------------------------------------------------

namespace {

Table& voucherPapers(Shell& shell, const PortfolioKind& kind, qint64 voucherId)
{
    Table& t = shell.company->table(kind.table);
    t.setIndexName(kind.table + QStringLiteral("_1"));
    t.setFilter(
        QStringLiteral("FRef = %1 and Kaynak = '%2'").arg(voucherId).arg(kind.voucherKaynak));
    t.setFiltered(true);
    t.refresh();
    return t;
}

} // namespace

TfrmCekFisB::TfrmCekFisB(Shell& shell, const PortfolioKind& kind, qint64 voucherId, QWidget* parent)
    : PaperGrid(shell, textsOf(kind).linesCaption, voucherPapers(shell, kind, voucherId),
                lineColumns(kind, shell.company->moneyFormat()), kind, kind.voucherKaynak, parent)
    , voucherId_(voucherId)
{
    setObjectName(textsOf(kind).linesObject);
    addQuickCardKey(QuickCard::Customer, [this] {
        const std::optional<VoucherRow> v = readVoucher(*this->shell().company, kind_, voucherId_);
        return QuickTarget{v ? v->customerId : 0, {}};
    });
    labels_ = {QStringLiteral("Fiş Tarihi : "), QStringLiteral("Cari Nosu : "),
               QStringLiteral("Ünvanı : ")};
    if (!kind.firm) labels_ << QStringLiteral("G. Zammı : ");
    labels_ << QStringLiteral("Açıklama : ") << QStringLiteral("Ortalama Vade : ");
    if (!kind.firm) labels_ << QStringLiteral("Gecikme Zammı : ");
    labels_ << textsOf(kind).totalLabel;
    info_ = addInfoGrid(labels_, 3, 150);
    resize(1000, 560);
    goLast();
}

TfrmCekFisB::~TfrmCekFisB()
{
    table().setFiltered(false);
}

QString TfrmCekFisB::infoText(const QString& label) const
{
    for (int i = 0; i < labels_.size(); ++i)
        if (labels_[i].startsWith(label)) return info_[size_t(i)]->text();
    return QString();
}

void TfrmCekFisB::applyFilter()
{
    voucherPapers(shell(), kind_, voucherId_);
    reload();
}

void TfrmCekFisB::updateCommands()
{
    PaperGrid::updateCommands();
    if (info_.empty()) return;
    const std::optional<VoucherRow> v = readVoucher(*shell().company, kind_, voucherId_);
    if (!v) return;
    const VoucherFigures f = VoucherPosting(*shell().company, kind_).figures(voucherId_);
    const QString money =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    QStringList shown = {v->tarih.toString(kDate), v->cariNo, v->unvani};
    if (!kind_.firm) shown << formatNumber(v->gZam, QStringLiteral("0.##"));
    shown << v->aciklama << f.averageText();
    if (!kind_.firm) shown << formatNumber(f.surcharge, money);
    shown << formatNumber(f.total, money);
    for (size_t i = 0; i < info_.size(); ++i)
        info_[i]->setText(shown[int(i)]);
}

void TfrmCekFisB::openLine(qint64 paperId)
{
    qint64 saved = 0;
    if (kind_.firm) {
        TfrmFCekF line(shell(), kind_, paperId, voucherId_, this);
        line.run();
        saved = line.savedId();
    } else {
        TfrmCekF line(shell(), kind_, paperId, voucherId_, this);
        line.run();
        saved = line.savedId();
    }
    applyFilter();
    if (saved) table().gotoId(saved);
}

void TfrmCekFisB::newRecord()
{
    openLine(0);
}

void TfrmCekFisB::editRecord()
{
    openLine(table().currentId());
}

void TfrmCekFisB::deleteRecord()
{
    VoucherPosting(*shell().company, kind_).removeLine(voucherId_, table().currentId());
    applyFilter();
}
