#include "stock/StFiyat.h"

#include "stock/StKartF.h"
#include "stock/StockCodes.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

namespace {

Table& cardTable(Shell& shell)
{
    Table& t = shell.company->table(QStringLiteral("Stok"));
    t.setFiltered(false);
    t.setIndexName(QStringLiteral("Stok_1"));
    t.refresh();
    return t;
}

std::vector<GridColumn> priceColumns(CompanyData& company)
{
    const QString price = company.displayFormat(QStringLiteral("Stok"), QStringLiteral("Fiyat1"));
    return {{QStringLiteral("Kodu"), QStringLiteral("Kodu"), 130},
            {QStringLiteral("Cinsi"), QStringLiteral("Cinsi"), 220},
            {QStringLiteral("Birim"), QStringLiteral("Birim"), 50},
            {QStringLiteral("Fiyat [1]"), QStringLiteral("Fiyat1"), 100, price},
            {QStringLiteral("Fiyat [2]"), QStringLiteral("Fiyat2"), 100, price},
            {QStringLiteral("Fiyat [3]"), QStringLiteral("Fiyat3"), 100, price},
            {QStringLiteral("D. Tarih"), QStringLiteral("DegTarih"), 90}};
}

ListTexts priceTexts()
{
    ListTexts t;
    t.newCaption.clear(); // no new cards and no deletes here
    t.deleteCaption.clear();
    return t;
}

} // namespace

TfrmStFiyat::TfrmStFiyat(Shell& shell, QWidget* parent)
    : ListWindow(shell, QStringLiteral("Stok Kartları"), cardTable(shell),
                 priceColumns(*shell.company), parent, priceTexts())
{
    setObjectName(QStringLiteral("TfrmStFiyat"));
    addCommand(QStringLiteral("Filtrele"), QStringLiteral("Filtrele [F5]"), Qt::Key_F5, QString(),
               [this] { applyFilter(); });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart listesi [F6]"), Qt::Key_F6, QString(),
               [this] { findCard(); });
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{table().currentId(), {}}; });

    // The criteria: Enter and Down go round them, Up the other way.
    auto* grid = new QGridLayout;
    const auto row = [&](int r, const QString& label, int first, int count) {
        grid->addWidget(new QLabel(label, this), r, 0, Qt::AlignRight);
        for (int i = 0; i < count; ++i) {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(first == Cinsi ? 30 : first == CodeFrom ? 25 : 5);
            grid->addWidget(edit, r, 1 + i, 1, count == 1 ? 2 : 1);
            criteria_[size_t(first + i)] = edit;
        }
    };
    row(0, QStringLiteral("Stok kart nosu : "), CodeFrom, 2);
    row(1, QStringLiteral("Stok kart cinsi : "), Cinsi, 1);
    for (int s = 0; s < 3; ++s)
        row(2 + s, QStringLiteral("Özel kod [%1] : ").arg(s + 1), Special1From + 2 * s, 2);
    content()->insertLayout(0, grid);
    const QStringList hints = {QStringLiteral("İlk stok kart nosunu giriniz"),
                               QStringLiteral("Son stok kart nosunu giriniz"),
                               QStringLiteral("Stok kart cinsini giriniz")};
    for (int i = 0; i < CriterionCount; ++i)
        addField(criteria_[size_t(i)],
                 i < hints.size() ? hints[i] : QStringLiteral("Özel kodu giriniz"));
    setWrapFields(true);
    setOrders(QStringLiteral(" Stok kart listesini "),
              {{QStringLiteral("&Koduna göre listele"), QStringLiteral("Stok_1")},
               {QStringLiteral("&Cinsine göre listele"), QStringLiteral("Stok_2")}},
              0);
    // Choosing an order shows it at once, the focus on the list.
    connect(orderGroup(), &QButtonGroup::idClicked, this, [this] { this->grid()->setFocus(); });
    resize(900, 600);
    goLast();
    criteria_[CodeFrom]->setFocus();
}

TfrmStFiyat::~TfrmStFiyat()
{
    table().setFiltered(false);
}

StockReports::CardChoice TfrmStFiyat::choice() const
{
    StockReports::CardChoice c;
    const auto text = [this](Criterion i) { return criteria_[i]->text().trimmed(); };
    c.codeFrom = text(CodeFrom);
    c.codeTo = text(CodeTo);
    c.cinsi = text(Cinsi);
    for (int s = 0; s < 3; ++s) {
        c.specialFrom[size_t(s)] = text(Criterion(Special1From + 2 * s));
        c.specialTo[size_t(s)] = text(Criterion(Special1To + 2 * s));
    }
    return c;
}

void TfrmStFiyat::applyFilter()
{
    const QString filter = StockReports::cardFilter(choice());
    table().setFilter(filter);
    table().setFiltered(!filter.isEmpty());
    table().refresh();
    table().last();
    reload();
    grid()->setFocus();
}

void TfrmStFiyat::findCard()
{
    const QString code = stockCodes().pick(shell(), QString(), this);
    if (code.isEmpty()) return;
    cardTable(shell());
    if (const auto card = shell().company->findCard(QStringLiteral("Stok"), QStringLiteral("Kodu"),
                                                    QStringLiteral("Cinsi"), code))
        table().gotoId(card->id);
    setOrder(order()); // the chosen order again
    grid()->setFocus();
}

void TfrmStFiyat::editRecord()
{
    const qint64 id = table().currentId();
    {
        TfrmStKartF prices(shell(), table(), TfrmStKartF::Mode::Prices, QString(), this);
        prices.run();
    }
    table().refresh();
    table().gotoId(id);
    reload();
}

void TfrmStFiyat::updateCommands()
{
    ListWindow::updateCommands();
    // Only while a card is listed (an empty filter leaves them off until the window is
    // opened again).
    if (table().isEmpty()) any_ = false;
    for (const char* command : {"Duzeltme", "Filtrele", "Liste"})
        setCommandEnabled(QLatin1String(command), any_);
    setCommandEnabled(QStringLiteral("HizliKart"), any_);
}
