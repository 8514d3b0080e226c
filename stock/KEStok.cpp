#include "stock/KEStok.h"

#include "app/PictureFrame.h"
#include "app/QuickAccess.h"
#include "stock/StockFacts.h"
#include "stock/StockReports.h"
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
#include <QRadioButton>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

QButtonGroup* lockedChoice(QWidget* parent, QBoxLayout* into, const QString& title,
                           const QStringList& choices, int chosen, bool locked)
{
    auto* box = new QGroupBox(title, parent);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < choices.size(); ++i) {
        auto* radio = new QRadioButton(choices[i], box);
        radio->setFocusPolicy(Qt::NoFocus);
        radio->setEnabled(!locked);
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    if (QAbstractButton* b = group->button(chosen)) b->setChecked(true);
    into->addWidget(box);
    return group;
}

} // namespace

TfrmKEStok::TfrmKEStok(Shell& shell, qint64 stockId, QWidget* parent)
    : FormBase(shell, QString(), parent, false)
    , stockId_(stockId)
{
    setObjectName(QStringLiteral("frmKEStok"));
    CompanyData& company = *shell.company;
    const std::unique_ptr<Table> cursor = quickCardCursor(company, QuickCard::Stock, stockId);
    Table& card = *cursor;
    code_ = card[QStringLiteral("Kodu")].asString();
    name_ = card[QStringLiteral("Cinsi")].asString();
    setWindowTitle(
        QStringLiteral("Kolay erişim - Stok kart bilgileri - [%1 : %2]").arg(code_, name_));
    const StockFacts f = quickStockFacts(company, stockId);

    auto* choices = new QHBoxLayout;
    lockedChoice(this, choices, QStringLiteral(" Stok kart durumu "),
                 {QStringLiteral("&Hammadde"), QStringLiteral("&Yrd.Malzeme"),
                  QStringLiteral("&Ara Mamül"), QStringLiteral("&Mamül")},
                 std::clamp(card[QStringLiteral("MlzKodu")].asInteger(), 0, 3), true);
    lockedChoice(this, choices, QStringLiteral("Resim kataloğa "),
                 {QStringLiteral("Eklensin"), QStringLiteral("Eklenmesin")},
                 card[QStringLiteral("Katalog")].asInteger() == 0 ? 0 : 1, true);
    const bool fitted = company.pictureFitted(QStringLiteral("STOK"), stockId);
    pictureMode_ = lockedChoice(this, choices, QStringLiteral(" Stok resmini "),
                                {QStringLiteral("&Orjinal göster"), QStringLiteral("&Sığdır")},
                                fitted ? 1 : 0, false);
    content()->addLayout(choices);

    // The card's own fields.
    auto* fields = new QGridLayout;
    fields->setVerticalSpacing(2);
    const auto text = [&](const char* field) { return card[QLatin1String(field)].asString(); };
    const auto number = [&](const char* field) {
        return PanelNumberText(card[QLatin1String(field)].asFloat());
    };
    // Quantities and rates stand in number panels; texts and amounts in text panels.
    const std::vector<std::tuple<QString, QString, bool>> left = {
        {QStringLiteral("Stok kodu : "), text("Kodu"), false},
        {QStringLiteral("Cinsi : "), text("Cinsi"), false},
        {QStringLiteral("Birim : "), text("Birim"), false},
        {QStringLiteral("2. Birim : "), text("Birim2"), false},
        {QStringLiteral("2. Birim oranı : "), number("Birim2_O"), true},
        {QStringLiteral("Fiyat [1] : "), money(card[QStringLiteral("Fiyat1")].asFloat()), true},
        {QStringLiteral("Fiyat [2] : "), money(card[QStringLiteral("Fiyat2")].asFloat()), true},
        {QStringLiteral("Fiyat [3] : "), money(card[QStringLiteral("Fiyat3")].asFloat()), true},
        {QStringLiteral("Kritik Stok : "), number("Kritik"), true},
        {QStringLiteral("Kdv oranı : "), number("Normal"), true},
    };
    const std::vector<std::tuple<QString, QString, bool>> right = {
        {QStringLiteral("Paket adedi : "), number("PakAdedi"), true},
        {QStringLiteral("Paket ağırlığı : "), number("PakAgirlik"), true},
        {QStringLiteral("Paket hacmi : "), number("PakHacmi"), true},
        {QStringLiteral("Barkod [1] : "), text("Barkod_1"), false},
        {QStringLiteral("Barkod [2] : "), text("Barkod_2"), false},
        {QStringLiteral("Barkod [3] : "), text("Barkod_3"), false},
        {QStringLiteral("Özel kod [1] : "), text("OzelKod1"), false},
        {QStringLiteral("Özel kod [2] : "), text("OzelKod2"), false},
        {QStringLiteral("Özel kod [3] : "), text("OzelKod3"), false},
    };
    for (int c = 0; c < 2; ++c) {
        int r = 0;
        for (const auto& [label, shown, isNumber] : c == 0 ? left : right) {
            fields->addWidget(new QLabel(label, this), r, c * 2);
            fields->addWidget(value(label, shown, isNumber), r++, c * 2 + 1);
        }
    }
    auto* top = new QHBoxLayout;
    top->addLayout(fields);
    auto* side = new QVBoxLayout;
    auto* picture = new PictureFrame(QSize(180, 140), this);
    picture->setFitted(fitted);
    picture->show(card[QStringLiteral("StokRes")].asBytes());
    connect(pictureMode_, &QButtonGroup::idClicked, picture,
            [picture](int id) { picture->setFitted(id == 1); });
    side->addWidget(picture);
    side->addWidget(new QLabel(QStringLiteral("Açıklama : "), this));
    auto* memo = new QPlainTextEdit(text("Aciklama"), this);
    memo->setReadOnly(true);
    memo->setMaximumHeight(60);
    side->addWidget(memo);
    top->addLayout(side);
    content()->addLayout(top);

    // Prices with VAT, last purchase and sale, price range, quantities, inventory values.
    auto* figures = new QGridLayout;
    figures->setVerticalSpacing(2);
    figures->addWidget(new QLabel(QStringLiteral("KDV dahil fiyatlar"), this), 0, 0, 1, 2);
    for (int i = 0; i < 3; ++i) {
        const QString label = QStringLiteral("KDV dahil Fiyat [%1]").arg(i + 1);
        figures->addWidget(value(label, money(f.vatPrices[i]), true), 1 + i, 1);
    }
    int column = 2;
    for (const auto& [word, last] : {std::pair{QStringLiteral("ALIŞ"), f.lastPurchase},
                                     std::pair{QStringLiteral("SATIŞ"), f.lastSale}}) {
        auto* vertical = new TZemrakRLabel(word, this);
        vertical->setCevir(true);
        figures->addWidget(vertical, 0, column, 4, 1);
        const QString values[4] = {last.found ? last.tarih.toString(kDate) : QString(),
                                   last.found ? PanelNumberText(last.miktar) : QString(),
                                   last.found ? money(last.fiyat) : QString(),
                                   last.found ? money(last.tutar) : QString()};
        const char* labels[4] = {"Tarih : ", "Miktar : ", "Fiyat : ", "Tutar : "};
        for (int i = 0; i < 4; ++i) {
            figures->addWidget(new QLabel(QString::fromUtf8(labels[i]), this), i, column + 1);
            figures->addWidget(
                value(word + QLatin1Char(' ') + QString::fromUtf8(labels[i]), values[i], i > 0), i,
                column + 2);
        }
        column += 3;
    }
    const std::pair<const char*, double> range[4] = {{"En ucuz alış : ", f.cheapestPurchase},
                                                     {"En pahalı alış : ", f.dearestPurchase},
                                                     {"En ucuz satış : ", f.cheapestSale},
                                                     {"En pahalı satış : ", f.dearestSale}};
    for (int i = 0; i < 4; ++i) {
        figures->addWidget(new QLabel(QString::fromUtf8(range[i].first), this), i, column);
        figures->addWidget(value(QString::fromUtf8(range[i].first), money(range[i].second), true),
                           i, column + 1);
    }
    const std::pair<const char*, double> quantities[3] = {
        {"GİREN : ", f.giren}, {"ÇIKAN : ", f.cikan}, {"BAKİYE : ", f.bakiye}};
    for (int i = 0; i < 3; ++i) {
        figures->addWidget(new QLabel(QString::fromUtf8(quantities[i].first), this), 5 + i, 0);
        figures->addWidget(value(QString::fromUtf8(quantities[i].first),
                                 PanelNumberText(quantities[i].second), true),
                           5 + i, 1);
    }
    // "ENVANTER TUTARLARI": the card totals' rules over every movement, shown rounded.
    using StockTotals::toDouble;
    const StockTotals::Totals& t = f.inventory;
    figures->addWidget(new QLabel(QStringLiteral("ENVANTER TUTARLARI"), this), 4, 2, 1, 6,
                       Qt::AlignHCenter);
    const std::tuple<const char*, double, double> inventory[3] = {
        {"GİREN", toDouble(t.gm), toDouble(t.gt)},
        {"ÇIKAN", toDouble(t.cm), toDouble(t.ct)},
        {"BAKİYE", toDouble(t.tm), toDouble(t.tt)}};
    for (int i = 0; i < 3; ++i) {
        const auto& [label, quantity, amount] = inventory[i];
        const QString name = QString::fromUtf8(label);
        figures->addWidget(new QLabel(name, this), 5 + i, 2);
        figures->addWidget(value(name + QStringLiteral(" miktar"), PanelNumberText(quantity), true),
                           5 + i, 3);
        figures->addWidget(
            value(name + QStringLiteral(" tutar"), money(company.RoundMoney(amount)), true), 5 + i,
            4);
    }
    const std::pair<const char*, qint64> valuations[3] = {
        {"FİFO", t.fifo}, {"LİFO", t.lifo}, {"ORTALAMA", t.ort}};
    for (int i = 0; i < 3; ++i) {
        figures->addWidget(new QLabel(QString::fromUtf8(valuations[i].first), this), 5 + i, 5);
        figures->addWidget(value(QString::fromUtf8(valuations[i].first),
                                 money(company.RoundMoney(toDouble(valuations[i].second))), true),
                           5 + i, 6);
    }
    content()->addLayout(figures);

    addCommand(QStringLiteral("Extre"), QStringLiteral("Extre [F2]"), Qt::Key_F2, QString(),
               [this] { TfrmKEStokEkstre(this->shell(), stockId_, code_, name_, this).run(); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] {
                   // The one thing kept: how the picture is shown.
                   this->shell().company->setPictureFitted(QStringLiteral("STOK"), stockId_,
                                                           pictureMode_->checkedId() == 1);
                   closeWindow(QDialog::Accepted);
               });
    resize(1100, 640);
}

QWidget* TfrmKEStok::value(const QString& label, const QString& text, bool number)
{
    // A plain number (grouped, fraction as it is) goes into a number panel.
    if (number && !text.isEmpty() && PanelNumberText(PanelNumberValue(text)) == text) {
        auto* panel = new TZRpnlSayi(this);
        panel->setAsFloat(PanelNumberValue(text));
        shown_.insert(label, panel);
        return panel;
    }
    auto* panel = new TZRpnlYazi(this);
    panel->setYazi(text);
    if (number) panel->setAlignment(Qt::AlignRight);
    shown_.insert(label, panel);
    return panel;
}

QString TfrmKEStok::money(double amount) const
{
    return quickAmountText(*shell().company, amount);
}

QString TfrmKEStok::shown(const QString& label) const
{
    const auto* panel = qobject_cast<const PanelBase*>(shown_.value(label));
    return panel ? panel->label()->text() : QString();
}

TfrmKEStokEkstre::TfrmKEStokEkstre(Shell& shell, qint64 stockId, const QString& code,
                                   const QString& name, QWidget* parent)
    : ReportWindow(shell, QString(), parent)
    , stockId_(stockId)
{
    setObjectName(QStringLiteral("frmKEStokEkstre"));
    setWindowTitle(QStringLiteral("Kolay erişim - Stok kart extresi - [%1 : %2]").arg(code, name));
    dates = addWorkingYear(QStringLiteral("Stok işlem tarihleri : "));
}

PageSet TfrmKEStokEkstre::pages()
{
    StockReports::StatementChoice c;
    c.stockId = stockId_;
    c.from = dates.from.date();
    c.to = dates.to.date();
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    return StockReports::statement(*shell().company, c, letterPaper());
}
