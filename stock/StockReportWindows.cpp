#include "stock/StockReportWindows.h"

#include "customers/CustomerCodes.h"
#include "customers/CustomerCriteria.h"
#include "stock/StockCodes.h"
#include "stock/StockOrders.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/Table.h"
#include "store/TextRules.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <tuple>

namespace {

// The card kind (" Stok kart durumu ", "&Tümü" first chosen) and the order of the cards, as the
// stock card reports offer them.
std::pair<ChoiceCriterion, ChoiceCriterion> addKindAndOrder(ReportWindow& window)
{
    return {window.addChoice(QStringLiteral(" Stok kart durumu "),
                             {QStringLiteral("&Hammadde"), QStringLiteral("&Yrd.Mlz."),
                              QStringLiteral("&Ara Mamül"), QStringLiteral("&Mamül"),
                              QStringLiteral("&Tümü")},
                             4),
            window.addChoice(QStringLiteral(" Stok kart listesi "),
                             {QStringLiteral("&Koduna"), QStringLiteral("&Cinsine")}, 0)};
}

const QStringList kPrices = {QStringLiteral("Fiyat &1"), QStringLiteral("Fiyat &2"),
                             QStringLiteral("Fiyat &3"), QStringLiteral("&Yazılmasın")};

int priceChoice(const ChoiceCriterion& price)
{
    return price.chosen() >= 0 && price.chosen() < 3 ? price.chosen() + 1 : 0;
}

} // namespace

// --- 3301 --------------------------------------------------------------------------------------

TfrmStRKart::TfrmStRKart(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Stok kart listesi"), parent)
{
    setObjectName(QStringLiteral("frmStRKart"));
    codes = addTextRange(QStringLiteral("Stok kart nosu : "),
                         QStringLiteral("Stok kart nosu aralığını giriniz (F6 kart listesi)"),
                         &stockCodes());
    presetToFirstAndLast(codes, QStringLiteral("Stok"), StockOrder::indexName(StockOrder::Code),
                         QStringLiteral("Kodu"));
    dates = addDateRange(QStringLiteral("Fiyat değ. tarihleri : "),
                         QStringLiteral("Fiyat değişiklik başlangıç tarihini giriniz"),
                         QStringLiteral("Fiyat değişiklik bitiş tarihini giriniz"));
    special = CardCriteria::addSpecialCodes(*this);
    std::tie(kind, order) = addKindAndOrder(*this);
    // Shown as the card window shows it; which cards it is to pick is not settled, so it does
    // not restrict the list.
    catalogue = addChoice(
        QStringLiteral(" Kataloğa "),
        {QStringLiteral("&Eklenen"), QStringLiteral("Ekle&nmeyen"), QStringLiteral("Tü&mü")}, 2);
    price = addChoice(QStringLiteral(" Listeye fiyat "), kPrices, 3);
    changeDate = addChoice(QStringLiteral(" Listeye fiyat değişiklik tarihi "),
                           {QStringLiteral("&4 Yazılsın"), QStringLiteral("&5 Yazılmasın")}, 1);
    setWrapFields(true);
    for (const ChoiceCriterion* c : {&kind, &order, &catalogue, &price, &changeDate})
        focusAfterChoice(*c, codes.from.edit());
}

StockReports::CardChoice TfrmStRKart::choice() const
{
    StockReports::CardChoice c;
    c.codeFrom = codes.from.text();
    c.codeTo = codes.to.text();
    c.dateFrom = dates.from.text();
    c.dateTo = dates.to.text();
    for (size_t i = 0; i < 3; ++i) {
        c.specialFrom[i] = special[i].from.text();
        c.specialTo[i] = special[i].to.text();
    }
    c.kind = kind.chosen() == 4 ? -1 : kind.chosen();
    c.order = order.chosen();
    c.price = priceChoice(price);
    c.changeDate = changeDate.chosen() == 0;
    return c;
}

PageSet TfrmStRKart::pages()
{
    return StockReports::cardList(*shell().company, choice(), letterPaper());
}

// --- 3302 --------------------------------------------------------------------------------------

TfrmStRHar::TfrmStRHar(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Stok hareket listesi"), parent)
{
    setObjectName(QStringLiteral("frmStRHar"));
    dates = addWorkingYear(QStringLiteral("Tarih : "));
    codes = addTextRange(QStringLiteral("Stok kart nosu : "),
                         QStringLiteral("Stok kart nosu aralığını giriniz (F6 kart listesi)"),
                         &stockCodes());
    customer =
        addCode(QStringLiteral("Cari kodu : "),
                QStringLiteral("Cari kart nosunu giriniz (F6 kart listesi)"), customerCodes());
    setWrapFields(true);
}

StockReports::MovementChoice TfrmStRHar::choice() const
{
    StockReports::MovementChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    c.codeFrom = codes.from.text();
    c.codeTo = codes.to.text();
    c.customerCode = customer.text();
    return c;
}

PageSet TfrmStRHar::pages()
{
    return StockReports::movementList(*shell().company, choice(), letterPaper());
}

void TfrmStRHar::preview()
{
    RunningReport running =
        StockReports::startMovementList(*shell().company, choice(), letterPaper());
    showPreview(*running.renderer);
}

// --- 3306 --------------------------------------------------------------------------------------

TfrmStRKat::TfrmStRKat(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Katalog düzenleme"), parent)
{
    setObjectName(QStringLiteral("frmStRKat"));
    title =
        addText(QStringLiteral("Liste Açıklaması : "), QStringLiteral("Katalog başlığını giriniz"));
    title.setText(shell.activeCompanyTitle);
    order = addChoice(QStringLiteral(" Stok kart listesi "),
                      {QStringLiteral("&Koduna"), QStringLiteral("&Cinsine")}, 0);
    pictures = addChoice(
        QStringLiteral(" Stok resmini "),
        {QStringLiteral("&Sığdır"), QStringLiteral("&Orjinal"), QStringLiteral("K&arttan al")}, 0);
    price = addChoice(QStringLiteral(" Listeye fiyat "), kPrices, 3);
    for (const ChoiceCriterion* c : {&order, &pictures, &price})
        focusAfterChoice(*c, title.edit());
}

StockReports::CatalogueChoice TfrmStRKat::choice() const
{
    StockReports::CatalogueChoice c;
    c.title = title.edit()->text();
    c.order = order.chosen();
    c.pictures = StockReports::CatalogueChoice::Pictures(std::clamp(pictures.chosen(), 0, 2));
    c.price = priceChoice(price);
    return c;
}

PageSet TfrmStRKat::pages()
{
    return StockReports::catalogue(*shell().company, choice(), letterPaper());
}

// --- 3307 --------------------------------------------------------------------------------------

TfrmStREks::TfrmStREks(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Stok kart ekstresi"), parent)
{
    setObjectName(QStringLiteral("frmStREks"));
    dates = addWorkingYear(QStringLiteral("Tarih : "));
    cards_ = addList(QStringLiteral("Stok kartı : "), QStringLiteral("Stok kartını seçiniz"));
    order = addChoice(QStringLiteral(" Stok kart listesi "),
                      {QStringLiteral("&Cinsine göre"), QStringLiteral("&Koduna göre")}, 0);
    setWrapFields(true);
    // The list opens in code order until an order is chosen.
    fillCards(1);
    connect(order.group(), &QButtonGroup::idClicked, this, [this](int id) {
        QWidget* had = focusWidget();
        fillCards(id);
        if (had) had->setFocus();
    });
    Table& stok = shell.company->table(QStringLiteral("Stok"));
    if (!stok.isEmpty()) cards_->setCurrentIndex(cards_->findData(stok.currentId()));
}

void TfrmStREks::fillCards(int byCode)
{
    const qint64 chosen = cards_->currentData().toLongLong();
    // One query for every card, in the order of the chosen index.
    Table stok(shell().company->connection(), QStringLiteral("Stok"));
    stok.setReadFields({QStringLiteral("Kodu"), QStringLiteral("Cinsi")});
    stok.setIndexName(StockOrder::indexName(byCode == 1 ? StockOrder::Code : StockOrder::Name));
    stok.open();
    cards_->clear();
    const int kodu = stok.fieldIndex(QStringLiteral("Kodu")),
              cinsi = stok.fieldIndex(QStringLiteral("Cinsi"));
    for (std::vector<SqlRow> rows = stok.rowsFrom(0, 1000, false); !rows.empty();
         rows = rows.size() < 1000 ? std::vector<SqlRow>() : stok.rowsAfter(rows.back(), 1000)) {
        for (const SqlRow& row : rows) {
            const QString code = stok.rowValue(row, kodu).toString(),
                          name = stok.rowValue(row, cinsi).toString();
            cards_->addItem(byCode == 1 ? code + QStringLiteral(" - ") + name
                                        : name + QStringLiteral(" - ") + code,
                            stok.rowId(row));
        }
    }
    if (chosen > 0) cards_->setCurrentIndex(cards_->findData(chosen));
}

StockReports::StatementChoice TfrmStREks::choice() const
{
    StockReports::StatementChoice c;
    c.stockId = cards_->currentData().toLongLong();
    if (c.stockId <= 0) throw AppError(QStringLiteral("Stok kartı seçiniz."));
    c.from = dates.from.date();
    c.to = dates.to.date();
    return c;
}

PageSet TfrmStREks::pages()
{
    return StockReports::statement(*shell().company, choice(), letterPaper());
}

void TfrmStREks::preview()
{
    RunningReport running = StockReports::startStatement(*shell().company, choice(), letterPaper());
    showPreview(*running.renderer);
}

// --- inventory ---------------------------------------------------------------------------------

namespace {

QString inventoryCaption(InventoryReports::Kind kind)
{
    switch (kind) {
    case InventoryReports::Kind::Physical:
        return QStringLiteral("Fiziki envanter listesi");
    case InventoryReports::Kind::Financial:
        return QStringLiteral("Mali envanter listesi");
    default:
        return QStringLiteral("Kar analizi listesi");
    }
}

} // namespace

TfrmStREnv::TfrmStREnv(Shell& shell, InventoryReports::Kind report, QWidget* parent)
    : ReportWindow(shell, inventoryCaption(report), parent)
    , report_(report)
{
    setObjectName(QStringLiteral("TfrmStREnv"));
    codes = addTextRange(QStringLiteral("Stok kart nosu : "),
                         QStringLiteral("Stok kart nosu aralığını giriniz (F6 kart listesi)"),
                         &stockCodes());
    presetToFirstAndLast(codes, QStringLiteral("Stok"), StockOrder::indexName(StockOrder::Code),
                         QStringLiteral("Kodu"));
    date = addText(QStringLiteral("Envanter tarihi : "),
                   QStringLiteral("Envanter tarihini giriniz (boş: tüm hareketler)"));
    // A text that is not a date becomes empty on leaving the field.
    connect(date.edit(), &QLineEdit::editingFinished, this,
            [this] { date.setText(NormalizeDateText(date.text())); });
    special = CardCriteria::addSpecialCodes(*this);
    std::tie(kind, order) = addKindAndOrder(*this);
    if (report_ == InventoryReports::Kind::Profit)
        method = addChoice(
            QStringLiteral(" Envanter yöntemi "),
            {QStringLiteral("&Fifo"), QStringLiteral("&Lifo"), QStringLiteral("&Ortalama")}, 0);
    setWrapFields(true);
    for (const ChoiceCriterion* c : {&kind, &order, &method})
        if (c->group()) focusAfterChoice(*c, codes.from.edit());
}

InventoryReports::Choice TfrmStREnv::choice() const
{
    InventoryReports::Choice c;
    c.cards.codeFrom = codes.from.text();
    c.cards.codeTo = codes.to.text();
    const QString typed = NormalizeDateText(date.text());
    date.setText(typed);
    c.date = parseDateLiteral(typed);
    for (size_t i = 0; i < 3; ++i) {
        c.cards.specialFrom[i] = special[i].from.text();
        c.cards.specialTo[i] = special[i].to.text();
    }
    c.cards.kind = kind.chosen() == 4 ? -1 : kind.chosen();
    c.cards.order = order.chosen();
    if (method.group()) c.method = InventoryReports::Method(method.chosen());
    return c;
}

PageSet TfrmStREnv::pages()
{
    return InventoryReports::report(*shell().company, report_, choice(), letterPaper());
}

void TfrmStREnv::preview()
{
    RunningReport running =
        InventoryReports::start(*shell().company, report_, choice(), letterPaper());
    showPreview(*running.renderer);
}
