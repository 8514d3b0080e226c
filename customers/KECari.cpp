#include "customers/KECari.h"

#include "app/PictureFrame.h"
#include "app/QuickAccess.h"
#include "customers/CustomerLedger.h"
#include "customers/CustomerReports.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "widgets/DisplayLabels.h"
#include "widgets/DisplayText.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

// Label, field, and whether the value is an amount.
struct Shown {
    const char* label;
    const char* field;
    bool amount = false;
};

const Shown kLeft[] = {
    {"Cari kart nosu : ", "CariNo"},
    {"Unvani : ", "Unvani"},
    {"Yetkili kişi : ", "Yetkili"},
    {"İş adresi : ", "IsAdres1"},
    {"", "IsAdres2"},
    {"", "IsAdres3"},
    {"Ev adresi : ", "EvAdres1"},
    {"", "EvAdres2"},
    {"İş telefonu : ", "IsTel"},
    {"Fax : ", "Fax"},
    {"Cep telefonu : ", "CepTel"},
    {"Ev telefonu : ", "EvTel"},
};
const Shown kRight[] = {
    {"Vergi dairesi : ", "Vd"},
    {"Vergi hesap no : ", "VdNo"},
    {"Özel kod (1): ", "OzelKod1"},
    {"Özel kod (2): ", "OzelKod2"},
    {"Özel kod (3): ", "OzelKod3"},
    {"İsk.oranı (%): ", "Iskonto"},
    {"Gz.oranı (%): ", "GZam"},
    {"Kredi Limiti (TL) : ", "KrediLimiti", true},
    {"Risk Limiti (TL) : ", "RiskLimiti", true},
    {"İl : ", "Il"},
    {"İlçe : ", "Ilce"},
    {"Posta kodu : ", "PKod"},
    {"Plaka kodu : ", "PlKod"},
    {"Sat.Sorumlu : ", "SatSor"},
};

} // namespace

TfrmKECari::TfrmKECari(Shell& shell, qint64 customerId, QWidget* parent)
    : FormBase(shell, QString(), parent, false)
    , customerId_(customerId)
{
    setObjectName(QStringLiteral("frmKECari"));
    CompanyData& company = *shell.company;
    const std::unique_ptr<Table> cursor = quickCardCursor(company, QuickCard::Customer, customerId);
    Table& card = *cursor;
    code_ = card[QStringLiteral("CariNo")].asString();
    title_ = card[QStringLiteral("Unvani")].asString();
    setWindowTitle(
        QStringLiteral("Kolay erişim - Cari kart bilgileri - [%1 : %2]").arg(code_, title_));

    const auto text = [&](const Shown& s) {
        if (!s.amount) {
            const FieldRef f = card[QLatin1String(s.field)];
            return f.def().kind == FieldKind::Float ? PanelNumberText(f.asFloat()) : f.asString();
        }
        return money(card[QLatin1String(s.field)].asFloat());
    };
    const auto column = [&](const auto& list) {
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(2);
        int row = 0;
        for (const Shown& s : list) {
            auto* panel = new TZRpnlYazi(this);
            panel->setYazi(text(s));
            if (s.amount) panel->setAlignment(Qt::AlignRight);
            grid->addWidget(new QLabel(QString::fromUtf8(s.label), this), row, 0);
            grid->addWidget(panel, row++, 1);
            panels_.insert(QString::fromUtf8(s.label[0] ? s.label : s.field), panel);
        }
        grid->setRowStretch(row, 1);
        grid->setColumnStretch(1, 1);
        return grid;
    };
    durum_ = addRadioGroup(QStringLiteral(" Cari kart durumu "),
                           {QStringLiteral("&Müşteri"), QStringLiteral("&Satıcı"),
                            QStringLiteral("Ö&zel"), QStringLiteral("&Banka")},
                           card[QStringLiteral("CariDurum")].asInteger());
    for (QAbstractButton* b : durum_->buttons())
        b->setEnabled(false);

    auto* top = new QHBoxLayout;
    top->addLayout(column(kLeft));
    top->addLayout(column(kRight));
    auto* side = new QVBoxLayout;
    auto* picture = new PictureFrame(QSize(180, 140), this);
    picture->setFitted(company.pictureFitted(QStringLiteral("CARI"), customerId));
    picture->show(card[QStringLiteral("Resim")].asBytes());
    side->addWidget(picture);
    for (const auto& [label, field] :
         {std::pair{"NOTLAR : ", "Not"}, std::pair{"İSTİHBARAT : ", "Istihbarat"}}) {
        side->addWidget(new QLabel(QString::fromUtf8(label), this));
        auto* memo = new QPlainTextEdit(card[QLatin1String(field)].asString(), this);
        memo->setReadOnly(true);
        memo->setMaximumHeight(70);
        side->addWidget(memo);
    }
    top->addLayout(side);
    content()->addLayout(top);

    // The balance over every movement, and by source as the card window shows it.
    CustomerLedger ledger(company);
    const CardTotals all = ledger.balance(customerId);
    const CardSummary summary = ledger.summary(customerId);
    auto* sums = new QGridLayout;
    sums->setVerticalSpacing(2);
    int r = 1; // under the headings of the summary
    for (const auto& [label, value] :
         {std::pair{"Borç : ", all.borc}, std::pair{"Alacak : ", all.alacak},
          std::pair{"BAKİYE", all.bakiye()}}) {
        auto* panel = new TZRpnlYazi(this);
        panel->setAlignment(Qt::AlignRight);
        panel->setYazi(money(value));
        sums->addWidget(new QLabel(QString::fromUtf8(label), this), r, 0);
        sums->addWidget(panel, r++, 1);
        panels_.insert(QString::fromUtf8(label), panel);
    }
    const char* columns[5] = {"DEKONT", "FATURA", "NAKİT", "ÇEK / SENET", "TOPLAM"};
    const int order[5] = {CardSummary::Dekont, CardSummary::Fatura, CardSummary::Nakit,
                          CardSummary::CekSenet, CardSummary::Toplam};
    // DEKONT is the whole less the other three, as the card window shows it.
    CardTotals dekont = summary.columns[CardSummary::Toplam];
    {
        MoneySum b, a;
        b += dekont.borc;
        a += dekont.alacak;
        for (int c : {CardSummary::Fatura, CardSummary::Nakit, CardSummary::CekSenet}) {
            b -= summary.columns[size_t(c)].borc;
            a -= summary.columns[size_t(c)].alacak;
        }
        dekont = {b.value(), a.value()};
    }
    const char* rows[3] = {"BORÇ : ", "ALACAK : ", "BAKİYE : "};
    for (int row = 0; row < 3; ++row)
        sums->addWidget(new QLabel(QString::fromUtf8(rows[row]), this), 1 + row, 2);
    for (int c = 0; c < 5; ++c) {
        sums->addWidget(new QLabel(QString::fromUtf8(columns[c]), this), 0, 3 + c,
                        Qt::AlignHCenter);
        const CardTotals t =
            order[c] == CardSummary::Dekont ? dekont : summary.columns[size_t(order[c])];
        const double values[3] = {t.borc, t.alacak, t.bakiye()};
        for (int row = 0; row < 3; ++row) {
            auto* panel = new TZRpnlYazi(this);
            panel->setAlignment(Qt::AlignRight);
            panel->setYazi(money(values[row]));
            sums->addWidget(panel, 1 + row, 3 + c);
            panels_.insert(QString::fromUtf8(columns[c]) + QLatin1Char(' ') +
                               QString::fromUtf8(rows[row]).remove(QStringLiteral(" : ")),
                           panel);
        }
    }
    content()->addLayout(sums);

    addCommand(QStringLiteral("Extre"), QStringLiteral("Extre [F2]"), Qt::Key_F2, QString(),
               [this] { TfrmKECariEkstre(this->shell(), customerId_, code_, title_, this).run(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Accepted); });
    resize(980, 640);
}

QString TfrmKECari::money(double amount) const
{
    return quickAmountText(*shell().company, amount);
}

QString TfrmKECari::shown(const QString& label) const
{
    const TZRpnlYazi* panel = panels_.value(label);
    return panel ? panel->yazi() : QString();
}

TfrmKECariEkstre::TfrmKECariEkstre(Shell& shell, qint64 customerId, const QString& code,
                                   const QString& title, QWidget* parent)
    : ReportWindow(shell, QString(), parent)
    , customerId_(customerId)
{
    setObjectName(QStringLiteral("frmKECariEkstre"));
    setWindowTitle(QStringLiteral("Kolay erişim - Cari kart extresi - [%1 : %2]").arg(code, title));
    dates = addWorkingYear(QStringLiteral("Cari işlem tarihleri : "));
    movements = MovementCriteria::add(*this);
}

PageSet TfrmKECariEkstre::pages()
{
    CustomerReports::StatementChoice c = statementChoice(customerId_, dates, movements);
    c.withoutDueDate = true;
    return CustomerReports::statement(*shell().company, c, letterPaper());
}
