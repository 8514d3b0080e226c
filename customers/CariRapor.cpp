#include "customers/CariRapor.h"

#include "customers/CariListe.h"
#include "printing/PagePrinter.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/Table.h"
#include "store/TextRules.h"
#include "widgets/DateEdit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

using namespace CustomerReports;

namespace {

QString dateText(const QDate& d)
{
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate dateOf(const QString& text)
{
    return QDate::fromString(NormalizeDateText(text), QStringLiteral("dd.MM.yyyy"));
}

int workingYear(const Shell& shell)
{
    return shell.workingYear ? shell.workingYear : QDate::currentDate().year();
}

} // namespace

CariRaporBase::CariRaporBase(Shell& shell, const QString& title, QWidget* parent)
    : ReportWindow(shell, title, parent)
{
    form_ = new QFormLayout;
    content()->addLayout(form_);
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] {
                   auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
                   if (focus && focus->property("customerCode").toBool())
                       pickCustomer(focus);
                   else if (!fields().empty())
                       fields().front()->setFocus();
               });
}

QLineEdit* CariRaporBase::addEdit(const QString& name, const QString& label, const QString& hint,
                                  bool date)
{
    QLineEdit* e = date ? new DateEdit(this) : new QLineEdit(this);
    edits_.insert(name, e);
    form_->addRow(label, e);
    addField(e, hint);
    return e;
}

QLineEdit* CariRaporBase::addRange(const QString& name, const QString& label, const QString& hint)
{
    auto* row = new QHBoxLayout;
    auto* from = new QLineEdit(this);
    auto* to = new QLineEdit(this);
    row->addWidget(from);
    row->addWidget(to);
    form_->addRow(label, row);
    edits_.insert(name + QStringLiteral("1"), from);
    edits_.insert(name + QStringLiteral("2"), to);
    addField(from, hint);
    addField(to, hint);
    return from;
}

QButtonGroup* CariRaporBase::addGroup(const QString& name, const QString& title,
                                      const QStringList& choices, int chosen)
{
    auto* box = new QGroupBox(title, this);
    auto* layout = new QHBoxLayout(box);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(choices[i], box);
        radio->setFocusPolicy(Qt::NoFocus);
        group->addButton(radio, i);
        layout->addWidget(radio);
    }
    group->button(chosen)->setChecked(true);
    content()->addWidget(box);
    groups_.insert(name, group);
    return group;
}

int CariRaporBase::choice(const QString& group) const
{
    return groups_.value(group)->checkedId();
}
QString CariRaporBase::text(const QString& name) const
{
    return edits_.value(name)->text().trimmed();
}
bool CariRaporBase::letter() const
{
    return shell().install.kagit() == 1;
}

void CariRaporBase::pickCustomer(QLineEdit* target)
{
    Table& cari = shell().company->table(QStringLiteral("Cari"));
    cari.setFiltered(false);
    const TfrmCariListe::Choice chosen = TfrmCariListe::pick(shell(), cari, false, this);
    if (chosen.id) target->setText(chosen.code);
    target->setFocus();
}

void CariRaporBase::fillCodeRange(const QString& from, const QString& to)
{
    // The first and last code in code order.
    Table cari(shell().company->connection(), QStringLiteral("Cari"));
    cari.setIndexName(QStringLiteral("Cari_1"));
    cari.open();
    if (cari.isEmpty()) return;
    cari.first();
    edits_.value(from)->setText(cari[QStringLiteral("CariNo")].asString());
    cari.last();
    edits_.value(to)->setText(cari[QStringLiteral("CariNo")].asString());
}

CardChoice CariRaporBase::cardChoice() const
{
    CardChoice c;
    const int kind = choice(QStringLiteral("durum"));
    c.kind = kind == 4 ? -1 : kind;
    c.codeFrom = text(QStringLiteral("kod1"));
    c.codeTo = text(QStringLiteral("kod2"));
    c.il = text(QStringLiteral("il"));
    for (int i = 0; i < 3; ++i) {
        c.specialFrom[size_t(i)] = text(QStringLiteral("ozel%1").arg(i + 1) + QStringLiteral("1"));
        c.specialTo[size_t(i)] = text(QStringLiteral("ozel%1").arg(i + 1) + QStringLiteral("2"));
    }
    c.order = choice(QStringLiteral("sira"));
    return c;
}

void CariRaporBase::updateCommands()
{
    ReportWindow::updateCommands();
    if (fields().empty() || !isVisible()) return;
    // After any command the focus returns to the first field; the F6 pick list leaves it in
    // the code field it filled.
    auto* focus = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!focus || !focus->property("customerCode").toBool()) fields().front()->setFocus();
}

void CariRaporBase::preview()
{
    showPages(pages());
}

QLineEdit* CariRaporBase::addMovementFields()
{
    // The working year's first and last day, and the customer code.
    const int year = workingYear(shell());
    addEdit(QStringLiteral("tarih1"), QStringLiteral("Cari işlem tarihleri : "),
            QStringLiteral("Başlangıç tarihini giriniz"), true)
        ->setText(dateText(QDate(year, 1, 1)));
    addEdit(QStringLiteral("tarih2"), QString(), QStringLiteral("Bitiş tarihini giriniz"), true)
        ->setText(dateText(QDate(year, 12, 31)));
    QLineEdit* code = addEdit(QStringLiteral("cari"), QStringLiteral("Cari Nosu : "),
                              QStringLiteral("Cari kart nosunu giriniz (F6 kart listesi)"));
    code->setProperty("customerCode", true);
    return code;
}
void CariRaporBase::print()
{
    printPages(pages());
}

// --- 2301 --------------------------------------------------------------------------------------

namespace {
const QStringList kKinds = {QStringLiteral("&Müşteri"), QStringLiteral("&Satıcı"),
                            QStringLiteral("Ö&zel"), QStringLiteral("&Banka"),
                            QStringLiteral("&Tümü")};
const QStringList kMovementKinds = {QStringLiteral("&Dekont"), QStringLiteral("&Fatura"),
                                    QStringLiteral("Na&kit"), QStringLiteral("Ç&ek Senet"),
                                    QStringLiteral("&Tümü")};
const QStringList kAmounts = {QStringLiteral("&Borç"), QStringLiteral("&Alacak"),
                              QStringLiteral("Tü&mü")};

void addCardFields(
    CariRaporBase* w,
    const std::function<QLineEdit*(const QString&, const QString&, const QString&)>& range,
    const std::function<QLineEdit*(const QString&, const QString&, const QString&)>& edit)
{
    QLineEdit* from = range(QStringLiteral("kod"), QStringLiteral("Cari kart nosu : "),
                            QStringLiteral("Cari kart nosu aralığını giriniz (F6 kart listesi)"));
    from->setProperty("customerCode", true);
    w->edit(QStringLiteral("kod2"))->setProperty("customerCode", true);
    edit(QStringLiteral("il"), QStringLiteral("İl : "), QStringLiteral("İli giriniz"));
    for (int i = 1; i <= 3; ++i)
        range(QStringLiteral("ozel%1").arg(i), QStringLiteral("Özel kod [%1] : ").arg(i),
              QStringLiteral("Özel kod aralığını giriniz"));
}

} // namespace

TfrmCariListeR::TfrmCariListeR(Shell& shell, QWidget* parent)
    : CariRaporBase(shell, QStringLiteral("Cari kart listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariListeR"));
    addCardFields(
        this, [this](auto... a) { return addRange(a...); },
        [this](auto... a) { return addEdit(a...); });
    addGroup(QStringLiteral("durum"), QStringLiteral(" Cari kart durumu "), kKinds, 4);
    addGroup(QStringLiteral("sira"), QStringLiteral(" Cari kart listesi "),
             {QStringLiteral("&Nosuna göre"), QStringLiteral("Ün&vanına göre"),
              QStringLiteral("&Yetkili kişiye göre")},
             0);
    fillCodeRange(QStringLiteral("kod1"), QStringLiteral("kod2"));
    fields().front()->setFocus();
}

PageSet TfrmCariListeR::pages()
{
    return cardList(*shell().company, cardChoice(), letter());
}

// --- 2302 --------------------------------------------------------------------------------------

TfrmCariDurumR::TfrmCariDurumR(Shell& shell, QWidget* parent)
    : CariRaporBase(shell, QStringLiteral("Cari durum listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariDurumR"));
    QLineEdit* from =
        addRange(QStringLiteral("kod"), QStringLiteral("Cari kart nosu : "),
                 QStringLiteral("Cari kart nosu aralığını giriniz (F6 kart listesi)"));
    from->setProperty("customerCode", true);
    edit(QStringLiteral("kod2"))->setProperty("customerCode", true);
    addEdit(QStringLiteral("tarih1"), QStringLiteral("Tarih aralığı : "),
            QStringLiteral("Başlangıç tarihini giriniz"), true);
    addEdit(QStringLiteral("tarih2"), QStringLiteral(""), QStringLiteral("Bitiş tarihini giriniz"),
            true);
    addEdit(QStringLiteral("il"), QStringLiteral("İl : "), QStringLiteral("İli giriniz"));
    for (int i = 1; i <= 3; ++i)
        addRange(QStringLiteral("ozel%1").arg(i), QStringLiteral("Özel kod [%1] : ").arg(i),
                 QStringLiteral("Özel kod aralığını giriniz"));
    addRange(QStringLiteral("bakiye"), QStringLiteral("Bakiye aralığı : "),
             QStringLiteral("Bakiye aralığını giriniz (0: sınır yok)"));
    edit(QStringLiteral("bakiye1"))->setText(QStringLiteral("0"));
    edit(QStringLiteral("bakiye2"))->setText(QStringLiteral("0"));
    addGroup(QStringLiteral("durum"), QStringLiteral(" Cari kart durumu "), kKinds, 4);
    addGroup(QStringLiteral("sira"), QStringLiteral(" Cari kart listesi "),
             {QStringLiteral("&Nosuna göre"), QStringLiteral("Ün&vanına göre")}, 0);
    addGroup(QStringLiteral("bakiye"), QStringLiteral(" Bakiye kontrolü "),
             {QStringLiteral("B&akiyeli"), QStringLiteral("T&ümü")}, 0);
    fillCodeRange(QStringLiteral("kod1"), QStringLiteral("kod2"));
    fields().front()->setFocus();
}

PageSet TfrmCariDurumR::pages()
{
    return balanceStatus(*shell().company, balanceChoice(), letter());
}

void TfrmCariDurumR::preview()
{
    RunningReport running = startBalanceStatus(*shell().company, balanceChoice(), letter());
    hide();
    showPreview(*running.renderer);
    show();
}

BalanceChoice TfrmCariDurumR::balanceChoice() const
{
    BalanceChoice c;
    static_cast<CardChoice&>(c) = cardChoice();
    c.dateFrom = NormalizeDateText(text(QStringLiteral("tarih1")));
    c.dateTo = NormalizeDateText(text(QStringLiteral("tarih2")));
    c.lowest = text(QStringLiteral("bakiye1")).remove(QLatin1Char(',')).toDouble();
    c.highest = text(QStringLiteral("bakiye2")).remove(QLatin1Char(',')).toDouble();
    c.balancedOnly = choice(QStringLiteral("bakiye")) == 0;
    return c;
}

// --- 2303 --------------------------------------------------------------------------------------

TfrmCariHareketR::TfrmCariHareketR(Shell& shell, QWidget* parent)
    : CariRaporBase(shell, QStringLiteral("Cari işlemler listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariHareketR"));
    QLineEdit* code = addMovementFields();
    code->setEnabled(false);
    QButtonGroup* which =
        addGroup(QStringLiteral("kart"), QStringLiteral(" Cari kart listesi "),
                 {QStringLiteral("&1 Tümü"), QStringLiteral("&2 Seçilen kart")}, 0);
    connect(which, &QButtonGroup::idClicked, this, [code](int id) { code->setEnabled(id == 1); });
    addGroup(QStringLiteral("tur"), QStringLiteral(" Hareket türleri "), kMovementKinds, 4);
    addGroup(QStringLiteral("miktar"), QStringLiteral(" Miktarlar "), kAmounts, 2);
    fields().front()->setFocus();
}

PageSet TfrmCariHareketR::pages()
{
    MovementChoice c{dateOf(text(QStringLiteral("tarih1"))),
                     dateOf(text(QStringLiteral("tarih2")))};
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    if (choice(QStringLiteral("kart")) == 1) {
        Table& cari = shell().company->table(QStringLiteral("Cari"));
        if (!CompanyData::SeekBackByText(cari, QStringLiteral("CariNo"),
                                         text(QStringLiteral("cari"))))
            throw AppError(QStringLiteral("Cari kart nosu bulunamadı"),
                           text(QStringLiteral("cari")));
        c.customerId = cari.currentId();
    }
    c.kinds = Kinds(choice(QStringLiteral("tur")));
    c.amounts = Amounts(choice(QStringLiteral("miktar")));
    return movementList(*shell().company, c, letter());
}

// --- 2304 --------------------------------------------------------------------------------------

TfrmCariEkstreR::TfrmCariEkstreR(Shell& shell, QWidget* parent)
    : CariRaporBase(shell, QStringLiteral("Cari kart ekstresi"), parent)
{
    setObjectName(QStringLiteral("frmCariEkstreR"));
    QLineEdit* code = addMovementFields();
    Table& cari = shell.company->table(QStringLiteral("Cari"));
    if (!cari.isEmpty())
        code->setText(cari[QStringLiteral("CariNo")].asString()); // the current card
    addGroup(QStringLiteral("sira"), QStringLiteral(" Cari kart listesi "),
             {QStringLiteral("&Koduna"), QStringLiteral("Ü&nvanına")}, 1);
    addGroup(QStringLiteral("tur"), QStringLiteral(" Hareket türleri "), kMovementKinds, 4);
    addGroup(QStringLiteral("miktar"), QStringLiteral(" Miktarlar "), kAmounts, 2);
    addGroup(QStringLiteral("stok"), QStringLiteral(" Hareket türleri "),
             {QStringLiteral("&1. Normal ekstre"), QStringLiteral("&2. Stoklu ekstre")}, 0);
    fields().front()->setFocus();
}

PageSet TfrmCariEkstreR::pages()
{
    StatementChoice c;
    Table& cari = shell().company->table(QStringLiteral("Cari"));
    if (!CompanyData::SeekBackByText(cari, QStringLiteral("CariNo"), text(QStringLiteral("cari"))))
        throw AppError(QStringLiteral("Cari kart nosu bulunamadı"), text(QStringLiteral("cari")));
    c.customerId = cari.currentId();
    c.from = dateOf(text(QStringLiteral("tarih1")));
    c.to = dateOf(text(QStringLiteral("tarih2")));
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    c.kinds = Kinds(choice(QStringLiteral("tur")));
    c.amounts = Amounts(choice(QStringLiteral("miktar")));
    c.withStock = choice(QStringLiteral("stok")) == 1;
    return statement(*shell().company, c, letter());
}
