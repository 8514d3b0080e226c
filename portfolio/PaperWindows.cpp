#include "portfolio/PaperWindows.h"

#include "app/CodeField.h"
#include "customers/CustomerCodes.h"
#include "portfolio/FirmPaperPosting.h"
#include "portfolio/OperationsWindow.h"
#include "portfolio/PaperPosting.h"
#include "portfolio/PortfolioReports.h"
#include "portfolio/VoucherPosting.h"
#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/Table.h"
#include "widgets/DateEdit.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

QString word(const PortfolioKind& kind)
{
    return kind.check ? QStringLiteral("Çek") : QStringLiteral("Senet");
}

std::vector<GridColumn> listColumns(const PortfolioKind& kind, const QString& money)
{
    const QString number = kind.check ? QStringLiteral("Çek No") : QStringLiteral("Senet No");
    if (kind.firm) {
        std::vector<GridColumn> c = {{QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80},
                                     {QStringLiteral("K.Tarih"), QStringLiteral("KTarih"), 80},
                                     {number, kind.numberField, 100},
                                     {QStringLiteral("K.Cari No"), QStringLiteral("KCariNo"), 90},
                                     {QStringLiteral("K. Ünvanı"), QStringLiteral("KUnvani"), 200}};
        if (kind.check) c.push_back({QStringLiteral("Banka"), QStringLiteral("Banka"), 120});
        c.push_back({QStringLiteral("TUTARI"), QStringLiteral("TUTARI"), 110, money});
        c.push_back({QStringLiteral("K"), QStringLiteral("Kaynak"), 30});
        c.push_back({kind.check ? QStringLiteral("R.No") : QStringLiteral("Ref.No"),
                     QStringLiteral("Nosu"), 60});
        return c;
    }
    std::vector<GridColumn> c = {{QStringLiteral("Vadesi"), QStringLiteral("Vadesi"), 80},
                                 {QStringLiteral("G.Tarihi"), QStringLiteral("GirTarihi"), 80},
                                 {QStringLiteral("Cari No"), QStringLiteral("ACariNo"), 90},
                                 {QStringLiteral("Ünvanı"), QStringLiteral("AUnvani"), 180}};
    if (kind.check) {
        c.push_back({QStringLiteral("Banka"), QStringLiteral("Banka"), 110});
        c.push_back({QStringLiteral("Şube"), QStringLiteral("Sube"), 90});
    }
    c.push_back({number, kind.numberField, 90});
    c.push_back({kind.check ? QStringLiteral("Ç.Sahibi") : QStringLiteral("Senet Sahibi"),
                 kind.check ? QStringLiteral("CekSahibi") : QStringLiteral("SenetSahibi"), 140});
    c.push_back({QStringLiteral("Son Ciro"), QStringLiteral("SonCiro"), 120});
    c.push_back({QStringLiteral("TUTARI"), QStringLiteral("TUTARI"), 110, money});
    c.push_back({QStringLiteral("K"), QStringLiteral("Kaynak"), 30});
    c.push_back({QStringLiteral("R.No"), QStringLiteral("Nosu"), 60});
    return c;
}

Table& paperTable(Shell& shell, const PortfolioKind& kind)
{
    Table& t = shell.company->table(kind.table);
    t.setFiltered(false);
    t.setIndexName(kind.table + QStringLiteral("_1"));
    return t;
}

QString windowName(const PortfolioKind& kind, const QString& suffix)
{
    static const QHash<QString, QString> base = {
        {QStringLiteral("Cek"), QStringLiteral("frmCek")},
        {QStringLiteral("Senet"), QStringLiteral("frmSenet")},
        {QStringLiteral("FCek"), QStringLiteral("frmFCek")},
        {QStringLiteral("FSenet"), QStringLiteral("frmFSenet")}};
    return base.value(kind.table) + suffix;
}

} // namespace

// --- list --------------------------------------------------------------------------------------

PaperGrid::PaperGrid(Shell& shell, const QString& title, Table& table,
                     std::vector<GridColumn> columns, const PortfolioKind& kind,
                     const QString& ownSource, QWidget* parent)
    : ListWindow(shell, title, table, std::move(columns), parent, ListTexts(), false)
    , kind_(kind)
{
    const QString w = word(kind);
    setDeleteTexts({kind.check ? QStringLiteral("Çeki ve hareketlerini silmek")
                               : QStringLiteral("Seneti ve hareketlerini silmek"),
                    QStringLiteral("istediğinize emin misiniz ? "),
                    QStringLiteral("%1 hareket bilgisini tamamıyla kaybedeceksiniz").arg(w),
                    QStringLiteral("emin misiniz ? "),
                    QStringLiteral("%1 hareket kontrol").arg(w)});
    const AppError refused = wrongSource(kind);
    setOwnedRecords({QStringLiteral("Kaynak"), ownSource, refused.message(), QString(),
                     refused.detail(), QString(), refused.detail()});
    if (!kind.firm) {
        addCommand(QStringLiteral("Detay"), QStringLiteral("Detay [F5]"), Qt::Key_F5, QString(),
                   [this] { openDetail(); });
        addPopupEntry(popup(), QStringLiteral("Detay"), QStringLiteral("Detay"));
    }
}

void PaperGrid::updateCommands()
{
    ListWindow::updateCommands();
    if (!kind_.firm) setCommandEnabled(QStringLiteral("Detay"), !table().isEmpty());
}

void PaperGrid::gridActivated()
{
    MenuIslem(kind_.firm ? QStringLiteral("Duzeltme") : QStringLiteral("Detay"));
}

void PaperGrid::openDetail()
{
    const qint64 id = table().currentId();
    if (id <= 0) return;
    {
        TfrmCekG detail(shell(), kind_, id, this);
        detail.run();
    }
    applyFilter();
    table().gotoId(id);
    reload();
}

TfrmCek::TfrmCek(Shell& shell, const PortfolioKind& kind, QWidget* parent)
    : PaperGrid(shell, kind.caption, paperTable(shell, kind),
                listColumns(kind, shell.company->moneyFormat()), kind, kind.entryKaynak, parent)
{
    setObjectName(windowName(kind, QString()));
    const QString w = word(kind);
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{
            table()[kind_.firm ? QStringLiteral("KCARef") : QStringLiteral("ACARef")].asInt64(),
            {}};
    });

    // The position, then the two due-date bounds and the total.
    QStringList items = PortfolioReports::positionChoices(kind);
    items.removeLast(); // the list shows one position at a time
    if (!kind.firm) items[5] = QStringLiteral("&V. iade");
    const QString title =
        kind.firm ? (kind.check ? QStringLiteral(" Çek durumu ") : QStringLiteral(" Senet dur. "))
                  : QStringLiteral(" %1 pozisyonları ").arg(w);
    positions_ = addRadioGroup(title, items, 0, 0);
    auto* bounds = new QHBoxLayout;
    const int year = shell.workingYear > 0 ? shell.workingYear : QDate::currentDate().year();
    const QDate start(year, 1, 1), end(year, 12, 31);
    for (int i = 0; i < 2; ++i) {
        bounds_[size_t(i)] = new QCheckBox(this);
        bounds_[size_t(i)]->setChecked(true);
        bounds_[size_t(i)]->setFocusPolicy(Qt::NoFocus);
        dates_[size_t(i)] = new DateEdit(this);
        dates_[size_t(i)]->setMaximumWidth(110);
        dates_[size_t(i)]->setText((i ? end : start).toString(kDate));
        bounds->addWidget(bounds_[size_t(i)]);
        bounds->addWidget(
            new QLabel(i ? QStringLiteral("Tarih 2 : ") : QStringLiteral("Tarih 1 : "), this));
        bounds->addWidget(dates_[size_t(i)]);
        connect(bounds_[size_t(i)], &QCheckBox::toggled, this, [this] { applyFilter(); });
        connect(dates_[size_t(i)], &QLineEdit::editingFinished, this, [this] { applyFilter(); });
    }
    bounds->addStretch();
    content()->insertLayout(1, bounds);
    total_ =
        addInfoBoxes({kind.firm ? QStringLiteral("TOPLAM : ") : QStringLiteral("Top.: ")}).front();
    total_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(positions_, &QButtonGroup::idClicked, this, [this] { applyFilter(); });
    resize(1000, 580);
    applyFilter();
}

TfrmCek::~TfrmCek()
{
    table().setFiltered(false);
}

QString TfrmCek::totalText() const
{
    return total_->text();
}

void TfrmCek::choosePosition(int position)
{
    positions_->button(position)->setChecked(true);
    applyFilter();
}

void TfrmCek::setBounds(const QDate& from, bool fromOn, const QDate& to, bool toOn)
{
    const QSignalBlocker a(bounds_[0]), b(bounds_[1]);
    dates_[0]->setText(from.toString(kDate));
    dates_[1]->setText(to.toString(kDate));
    bounds_[0]->setChecked(fromOn);
    bounds_[1]->setChecked(toOn);
    applyFilter();
}

void TfrmCek::applyFilter()
{
    const int position = std::max(0, positions_->checkedId());
    QString filter = QStringLiteral("%1 = %2").arg(kind_.positionField).arg(position);
    QString sql =
        QStringLiteral("SELECT %1 FROM \"%2\" WHERE \"%3\" = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"TUTARI\"")), kind_.table, kind_.positionField);
    QVariantList params{position};
    for (int i = 0; i < 2; ++i) {
        if (!bounds_[size_t(i)]->isChecked()) continue;
        const QDate date = parseDateLiteral(dates_[size_t(i)]->text());
        if (!date.isValid()) continue; // an empty or unreadable bound chooses nothing
        const char* op = i ? " <= " : " >= ";
        filter += QStringLiteral(" and Vadesi") + QLatin1String(op) +
                  ReportBuilder::quoted(date.toString(kDate));
        sql += QStringLiteral(" AND \"Vadesi\"") + QLatin1String(op) + QStringLiteral("?");
        params << date.toString(Qt::ISODate);
    }
    table().setFilter(filter);
    table().setFiltered(true);
    table().refresh();
    table().last();
    reload();
    const MoneySum sum = MoneySum::fromSql(table().connection().scalar(sql, params));
    total_->setText(formatNumber(shell().company->RoundMoney(sum.value()),
                                 shell().company->kurus() ? QStringLiteral("#,##0.00")
                                                          : QStringLiteral("#,##0")));
    updateCommands();
}

void TfrmCek::updateCommands()
{
    PaperGrid::updateCommands();
    setCommandEnabled(QStringLiteral("Yeni"), positions_ && positions_->checkedId() == 0);
    setCommandEnabled(QStringLiteral("HizliKart"), !table().isEmpty());
}

void TfrmCek::newRecord()
{
    qint64 saved = 0;
    if (kind_.firm) {
        TfrmFCekF entry(shell(), kind_, 0, 0, this);
        entry.run();
        saved = entry.savedId();
    } else {
        TfrmCekF entry(shell(), kind_, 0, 0, this);
        entry.run();
        saved = entry.savedId();
    }
    applyFilter();
    if (saved) table().gotoId(saved);
}

void TfrmCek::editRecord()
{
    const qint64 id = table().currentId();
    if (kind_.firm) {
        TfrmFCekF entry(shell(), kind_, id, 0, this);
        entry.run();
    } else {
        TfrmCekF entry(shell(), kind_, id, 0, this);
        entry.run();
    }
    applyFilter();
    table().gotoId(id);
}

void TfrmCek::deleteRecord()
{
    if (kind_.firm)
        FirmPaperPosting(*shell().company, kind_).remove(table().currentId(), kind_.entryKaynak);
    else
        PaperPosting(*shell().company, kind_).remove(table().currentId(), kind_.entryKaynak);
    applyFilter();
}

// --- customer paper entry ----------------------------------------------------------------------

namespace {

struct Spec {
    int role;
    FieldSpec field;
};

std::vector<Spec> customerPaperFields(const PortfolioKind& kind, bool inVoucher, bool kurus)
{
    const QString w = word(kind);
    std::vector<Spec> s;
    if (!inVoucher) {
        s.push_back({TfrmCekF::CariNo,
                     {QStringLiteral("Cari Nosu : "), QString(), EditorKind::Code, 10,
                      QStringLiteral("Cari kart nosunu giriniz")}});
        s.push_back({TfrmCekF::Unvani,
                     {QStringLiteral("Ünvanı : "), QString(), EditorKind::Text, 35,
                      QStringLiteral("Cari kart ünvanını giriniz")}});
    }
    s.push_back({TfrmCekF::GirTarihi,
                 {QStringLiteral("Alındığı Tarih : "), QString(), EditorKind::Date, 0,
                  QStringLiteral("%1 giriş tarihini giriniz").arg(w)}});
    s.push_back({TfrmCekF::Vadesi,
                 {QStringLiteral("Vadesi : "), QString(), EditorKind::Date, 0,
                  QStringLiteral("%1 vadesini giriniz").arg(w)}});
    if (kind.check) {
        s.push_back({TfrmCekF::Banka,
                     {QStringLiteral("Banka : "), QString(), EditorKind::Text, 15,
                      QStringLiteral("Banka bilgisini giriniz")}});
        s.push_back({TfrmCekF::Sube,
                     {QStringLiteral("Şube : "), QString(), EditorKind::Text, 15,
                      QStringLiteral("Şubesini giriniz")}});
    } else {
        s.push_back({TfrmCekF::Adres1,
                     {QStringLiteral("Adres : "), QString(), EditorKind::Text, 30,
                      QStringLiteral("Senet adresini giriniz")}});
        s.push_back({TfrmCekF::Adres2,
                     {QString(), QString(), EditorKind::Text, 30,
                      QStringLiteral("Senet adresini giriniz")}});
    }
    s.push_back({TfrmCekF::Number,
                 {QStringLiteral("%1 Nosu : ").arg(w), QString(), EditorKind::Text, 15,
                  QStringLiteral("%1 nosunu giriniz").arg(w)}});
    s.push_back({TfrmCekF::SonCiro,
                 {QStringLiteral("Son Ciro : "), QString(), EditorKind::Text, 30,
                  QStringLiteral("Son ciroyu giriniz")}});
    s.push_back({TfrmCekF::Sahibi,
                 {QStringLiteral("%1 Sahibi : ").arg(w), QString(), EditorKind::Text, 30,
                  QStringLiteral("%1 sahibini giriniz").arg(w)}});
    s.push_back({TfrmCekF::Tutari,
                 {QStringLiteral("TUTARI : "), QString(), EditorKind::Money, kurus ? 2 : 0,
                  QStringLiteral("%1 tutarını giriniz").arg(w)}});
    if (inVoucher && !kind.check) {
        s.push_back({TfrmCekF::Adet,
                     {QStringLiteral("Senet adedi : "), QString(), EditorKind::Integer, 0,
                      QStringLiteral("Sıra senet adedini giriniz")}});
        s.push_back({TfrmCekF::Sure,
                     {QStringLiteral("Vade süresi : "), QString(), EditorKind::Integer, 0,
                      QStringLiteral("Sıra senet süresini giriniz")}});
    }
    return s;
}

std::vector<FieldSpec> fieldsOf(const std::vector<Spec>& specs)
{
    std::vector<FieldSpec> fields;
    for (const Spec& s : specs)
        fields.push_back(s.field);
    return fields;
}

template <size_t N> std::array<int, N> rolesOf(const std::vector<Spec>& specs)
{
    std::array<int, N> roles;
    roles.fill(-1);
    for (size_t i = 0; i < specs.size(); ++i)
        roles[size_t(specs[i].role)] = int(i);
    return roles;
}

QString entryCaption(const PortfolioKind& kind, bool isNew)
{
    if (kind.firm && kind.check)
        return isNew ? QStringLiteral("Yeni firma çeki girişi")
                     : QStringLiteral("Eski firma çek bilgileri");
    if (kind.firm)
        return isNew ? QStringLiteral("Yeni firma Seneti girişi")
                     : QStringLiteral("Eski firma Senet bilgileri");
    return isNew ? QStringLiteral("Yeni %1 girişi").arg(word(kind))
                 : QStringLiteral("Eski %1 bilgileri").arg(word(kind));
}

void setDate(EntryWindow& w, int field, const QDate& date)
{
    w.setText(field, date.isValid() ? date.toString(kDate) : QString());
}

} // namespace

TfrmCekF::TfrmCekF(Shell& shell, const PortfolioKind& kind, qint64 paperId, qint64 voucherId,
                   QWidget* parent)
    : EntryWindow(shell, entryCaption(kind, paperId == 0),
                  fieldsOf(customerPaperFields(kind, voucherId > 0, shell.company->kurus())),
                  nullptr, parent)
    , kind_(kind)
    , paperId_(paperId)
    , voucherId_(voucherId)
    , roles_(rolesOf<RoleCount>(customerPaperFields(kind, voucherId > 0, true)))
{
    setObjectName(windowName(kind, voucherId ? QStringLiteral("FisF") : QStringLiteral("F")));
    if (voucherId && !kind.check) setObjectName(QStringLiteral("frmSenFisF"));
    setDownWraps(true);
    // A voucher's line goes round from its first field up to its last.
    setUpWraps(voucherId > 0);
    if (at(CariNo) >= 0) {
        code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(at(CariNo))), customerCodes());
        connect(code_, &CodeField::checked, this,
                [this](qint64 id) { setText(at(Unvani), id ? code_->title() : QString()); });
        addCardListCommand(code_, at(Unvani), at(Unvani));
        addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(at(CariNo))}; });
    } else {
        addQuickCardKey(QuickCard::Customer, [this, &shell] {
            const std::vector<SqlRow> v = shell.company->connection().select(
                QStringLiteral("SELECT \"CARef\" FROM \"%1\" WHERE \"Nosu\" = ?")
                    .arg(kind_.voucherTable),
                {voucherId_});
            return QuickTarget{v.empty() ? 0 : v.front()[0].toLongLong(), {}};
        });
    }
    if (at(Adet) >= 0) {
        seriesGroup_ = addRadioGroup(QStringLiteral(" Senet türü "),
                                     {QStringLiteral("&Normal"), QStringLiteral("&Sıra senet")}, 0);
        seriesGroup_->button(1)->setEnabled(paperId == 0);
        connect(seriesGroup_, &QButtonGroup::idClicked, this, [this](int id) {
            chooseSeries(id == 1);
            editor(at(Vadesi))->setFocus();
        });
        content()->addWidget(
            new QLabel(QStringLiteral("Vade süresi : İki senet arasındaki gün sayısı"), this));
        setNumber(at(Adet), 1);
        setNumber(at(Sure), 30);
        chooseSeries(false);
        if (QPushButton* cancel = commandButton(QStringLiteral("Vazgec")))
            cancel->setText(QStringLiteral("Vazgeç [F12]"));
    }

    setNumber(at(Tutari), 0);
    if (paperId_) {
        const std::optional<CustomerPaper> p = PaperPosting(*shell.company, kind).read(paperId_);
        if (!p) throw AppError(QStringLiteral("%1 kaydı bulunamadı.").arg(word(kind)));
        if (at(CariNo) >= 0) {
            const std::vector<SqlRow> giver = shell.company->connection().select(
                QStringLiteral("SELECT \"ACariNo\", \"AUnvani\" FROM \"%1\" WHERE \"Nosu\" = ?")
                    .arg(kind.table),
                {paperId_});
            setText(at(CariNo), giver.front()[0].toString());
            setText(at(Unvani), giver.front()[1].toString());
        }
        setDate(*this, at(GirTarihi), p->girTarihi);
        setDate(*this, at(Vadesi), p->vadesi);
        if (kind.check) {
            setText(at(Banka), p->banka);
            setText(at(Sube), p->sube);
        } else {
            setText(at(Adres1), p->adres1);
            setText(at(Adres2), p->adres2);
        }
        setText(at(Number), p->number);
        setText(at(SonCiro), p->sonCiro);
        setText(at(Sahibi), p->sahibi);
        setNumber(at(Tutari), p->tutari);
    } else {
        setDate(*this, at(GirTarihi), QDate::currentDate());
        setDate(*this, at(Vadesi), QDate::currentDate().addDays(30));
    }
    editor(at(CariNo) >= 0 ? at(CariNo) : at(GirTarihi))->setFocus();
}

bool TfrmCekF::series() const
{
    return seriesGroup_ && seriesGroup_->checkedId() == 1;
}

void TfrmCekF::chooseSeries(bool on)
{
    if (!seriesGroup_) return;
    seriesGroup_->button(on ? 1 : 0)->setChecked(true);
    editor(at(Adet))->setEnabled(on);
    editor(at(Sure))->setEnabled(on);
}

bool TfrmCekF::eventFilter(QObject* watched, QEvent* event)
{
    // In a series Enter on the amount takes the days between receipt and due date as the
    // series' spacing and goes on to the count.
    if (series() && watched == editor(at(Tutari)) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QDate from = value(at(GirTarihi)).toDate(), to = value(at(Vadesi)).toDate();
            if (from.isValid() && to.isValid()) setNumber(at(Sure), double(from.daysTo(to)));
            editor(at(Adet))->setFocus();
            return true;
        }
    }
    return EntryWindow::eventFilter(watched, event);
}

bool TfrmCekF::validate()
{
    if (!code_ || code_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(at(CariNo))->setFocus();
    return false;
}

void TfrmCekF::save()
{
    CustomerPaper p;
    p.id = paperId_;
    p.girTarihi = value(at(GirTarihi)).toDate();
    p.vadesi = value(at(Vadesi)).toDate();
    p.number = text(at(Number));
    p.tutari = number(at(Tutari));
    if (kind_.check) {
        p.banka = text(at(Banka));
        p.sube = text(at(Sube));
    } else {
        p.adres1 = text(at(Adres1));
        p.adres2 = text(at(Adres2));
    }
    p.sahibi = text(at(Sahibi));
    p.sonCiro = text(at(SonCiro));
    if (!voucherId_) {
        p.customerId = code_->id();
        saved_ = PaperPosting(*shell().company, kind_).save(p);
        return;
    }
    VoucherPosting vouchers(*shell().company, kind_);
    if (series()) {
        const std::vector<qint64> ids =
            vouchers.saveSeries(voucherId_, p, int(number(at(Adet))), int(number(at(Sure))));
        saved_ = ids.empty() ? 0 : ids.back();
        return;
    }
    saved_ = vouchers.saveLine(voucherId_, p);
}

// --- firm paper entry --------------------------------------------------------------------------

namespace {

std::vector<Spec> firmPaperFields(const PortfolioKind& kind, bool inVoucher, bool kurus)
{
    const QString w = word(kind);
    std::vector<Spec> s;
    s.push_back({TfrmFCekF::KTarih,
                 {QStringLiteral("Tanzim Tarihi : "), QString(), EditorKind::Date, 0,
                  QStringLiteral("%1 kesildiği tarihini giriniz").arg(w)}});
    s.push_back({TfrmFCekF::Vadesi,
                 {QStringLiteral("Vadesi : "), QString(), EditorKind::Date, 0,
                  QStringLiteral("%1 vadesini giriniz").arg(w)}});
    if (!inVoucher) {
        s.push_back({TfrmFCekF::CariNo,
                     {QStringLiteral("Cari Nosu : "), QString(), EditorKind::Code, 10,
                      QStringLiteral("Cari kart nosunu giriniz")}});
        s.push_back({TfrmFCekF::Unvani,
                     {QStringLiteral("Ünvanı : "), QString(), EditorKind::Text, 35,
                      QStringLiteral("Cari kart ünvanını giriniz")}});
    }
    s.push_back({TfrmFCekF::Number,
                 {QStringLiteral("%1 Nosu : ").arg(w), QString(), EditorKind::Text, 15,
                  QStringLiteral("%1 nosunu giriniz").arg(w)}});
    if (kind.check) {
        s.push_back({TfrmFCekF::BankaNo,
                     {QStringLiteral("Banka nosu : "), QString(), EditorKind::Code, 10,
                      QStringLiteral("Banka nosunu giriniz")}});
        s.push_back({TfrmFCekF::Banka,
                     {QStringLiteral("Banka : "), QString(), EditorKind::Text, 35,
                      inVoucher ? QStringLiteral("Çek bankasını giriniz")
                                : QStringLiteral("Banka açıklamasını giriniz")}});
    }
    s.push_back({TfrmFCekF::Tutari,
                 {QStringLiteral("TUTARI : "), QString(), EditorKind::Money, kurus ? 2 : 0,
                  QStringLiteral("%1 tutarını giriniz").arg(w)}});
    return s;
}

} // namespace

TfrmFCekF::TfrmFCekF(Shell& shell, const PortfolioKind& kind, qint64 paperId, qint64 voucherId,
                     QWidget* parent)
    : EntryWindow(shell, entryCaption(kind, paperId == 0),
                  fieldsOf(firmPaperFields(kind, voucherId > 0, shell.company->kurus())), nullptr,
                  parent)
    , kind_(kind)
    , paperId_(paperId)
    , voucherId_(voucherId)
    , roles_(rolesOf<RoleCount>(firmPaperFields(kind, voucherId > 0, true)))
{
    if (voucherId)
        setObjectName(kind.check ? QStringLiteral("frmFCekFisF") : QStringLiteral("frmFSenFisF"));
    else
        setObjectName(windowName(kind, QStringLiteral("F")));
    setDownWraps(true);
    setUpWraps(true);
    paid_ = addRadioGroup(kind.check ? QStringLiteral(" Çekin durumu ")
                                     : QStringLiteral(" Senedin  durumu "),
                          {QStringLiteral("&Tanzim"), QStringLiteral("Ö&dendi")}, 0);
    connect(paid_, &QButtonGroup::idClicked, this, [this] { editor(at(KTarih))->setFocus(); });
    if (at(CariNo) >= 0) {
        payee_ = new CodeField(shell, static_cast<QLineEdit*>(editor(at(CariNo))), customerCodes());
        connect(payee_, &CodeField::checked, this,
                [this](qint64 id) { setText(at(Unvani), id ? payee_->title() : QString()); });
    }
    if (at(BankaNo) >= 0) {
        bank_ = new CodeField(shell, static_cast<QLineEdit*>(editor(at(BankaNo))), bankCodes(),
                              nullptr, false);
        connect(bank_, &CodeField::checked, this, [this](qint64 id) {
            bankId_ = id;
            if (id) setText(at(Banka), bank_->title());
            // Leaving the field with a code of no bank card clears it and says so.
            if (!id && !checkingBank_ && !text(at(BankaNo)).trimmed().isEmpty()) {
                checkingBank_ = true;
                bankChecked(true);
                checkingBank_ = false;
            }
        });
    }
    if (kind.check) connect(qApp, &QApplication::focusChanged, this, [this] { updateCommands(); });
    // Firm checks pick from the list only in a code field; firm notes always (their payee).
    addCommand(
        QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
        [this] {
            QWidget* focus = focusWidget();
            CodeField* field = bank_ && focus == bank_->edit() ? bank_ : payee_;
            if (!field) return;
            field->pick(this);
            if (field == payee_ && payee_->id()) setText(at(Unvani), payee_->title());
            if (field == bank_ && bank_->id()) setText(at(Banka), bank_->title());
        },
        at(CariNo) >= 0 || at(BankaNo) >= 0);
    addQuickCardKey(QuickCard::Customer, [this, &shell] {
        if (bank_ && focusWidget() == bank_->edit()) return QuickTarget{0, text(at(BankaNo))};
        if (at(CariNo) >= 0) return QuickTarget{0, text(at(CariNo))};
        const std::vector<SqlRow> v = shell.company->connection().select(
            QStringLiteral("SELECT \"CARef\" FROM \"%1\" WHERE \"Nosu\" = ?")
                .arg(kind_.voucherTable),
            {voucherId_});
        return QuickTarget{v.empty() ? 0 : v.front()[0].toLongLong(), {}};
    });

    setNumber(at(Tutari), 0);
    if (paperId_) {
        const std::vector<SqlRow> r = shell.company->connection().select(
            QStringLiteral("SELECT \"KTarih\", \"Vadesi\", \"%1\", \"TUTARI\", \"KCariNo\", "
                           "\"KUnvani\", \"%2\" %3 FROM \"%4\" WHERE \"Nosu\" = ?")
                .arg(kind.numberField, kind.positionField,
                     kind.check ? QStringLiteral(", \"BACariNo\", \"Banka\", \"BARef\"")
                                : QString(),
                     kind.table),
            {paperId_});
        if (r.empty()) throw AppError(QStringLiteral("%1 kaydı bulunamadı.").arg(word(kind)));
        const SqlRow& row = r.front();
        setDate(*this, at(KTarih), QDate::fromString(row[0].toString(), Qt::ISODate));
        setDate(*this, at(Vadesi), QDate::fromString(row[1].toString(), Qt::ISODate));
        setText(at(Number), row[2].toString());
        setNumber(at(Tutari), row[3].toDouble());
        if (at(CariNo) >= 0) {
            setText(at(CariNo), row[4].toString());
            setText(at(Unvani), row[5].toString());
        }
        paid_->button(row[6].toInt() == 1 ? 1 : 0)->setChecked(true);
        if (kind.check) {
            setText(at(BankaNo), row[7].toString());
            setText(at(Banka), row[8].toString());
            bankId_ = row[9].toLongLong();
        }
    } else {
        setDate(*this, at(KTarih), QDate::currentDate());
        setDate(*this, at(Vadesi), QDate::currentDate().addDays(30));
    }
    editor(at(KTarih))->setFocus();
}

void TfrmFCekF::choosePaid(bool paid)
{
    paid_->button(paid ? 1 : 0)->setChecked(true);
}

void TfrmFCekF::updateCommands()
{
    if (!kind_.check) return;
    // Firm checks: the list only while the focus is in a code field.
    QWidget* focus = focusWidget();
    setCommandEnabled(QStringLiteral("Liste"), (at(CariNo) >= 0 && focus == editor(at(CariNo))) ||
                                                   focus == editor(at(BankaNo)));
}

bool TfrmFCekF::bankChecked(bool tell)
{
    if (!bank_) return true;
    const bool was = checkingBank_;
    checkingBank_ = true;
    const bool found = bank_->check();
    checkingBank_ = was;
    if (found) return true;
    bankId_ = 0;
    const bool typed = !text(at(BankaNo)).trimmed().isEmpty();
    setText(at(BankaNo), QString());
    setText(at(Banka), QString());
    if (tell || typed)
        NoticeBox(shell(), QStringLiteral("Banka kartı bulunamadı"), QString(),
                  QStringLiteral("Banka kart kontrol"), this);
    return false;
}

bool TfrmFCekF::validate()
{
    if (!bankChecked(true)) {
        editor(at(BankaNo))->setFocus();
        return false;
    }
    if (!payee_ || payee_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(at(CariNo))->setFocus();
    return false;
}

void TfrmFCekF::save()
{
    FirmPaper p;
    p.id = paperId_;
    p.kTarih = value(at(KTarih)).toDate();
    p.vadesi = value(at(Vadesi)).toDate();
    p.number = text(at(Number));
    p.tutari = number(at(Tutari));
    p.bankId = bankId_;
    p.paid = paid_->checkedId() == 1;
    if (!voucherId_) {
        p.payeeId = payee_->id();
        saved_ = FirmPaperPosting(*shell().company, kind_).save(p);
        return;
    }
    saved_ = VoucherPosting(*shell().company, kind_).saveLine(voucherId_, p);
}
