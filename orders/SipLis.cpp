#include "orders/SipLis.h"

#include "customers/CustomerCodes.h"
#include "customers/CustomerCriteria.h"
#include "stock/StockCodes.h"
#include "store/CompanyData.h"

namespace {

CriterionRange<TextCriterion> stockRange(ReportWindow& w)
{
    return w.addTextRange(QStringLiteral("Stok kart nosu : "),
                          QStringLiteral("Stok kart nosu aralığını giriniz (F6 kart listesi)"),
                          &stockCodes());
}

CriterionRange<TextCriterion> customerRange(ReportWindow& w)
{
    return w.addTextRange(QStringLiteral("Cari kart nosu : "),
                          QStringLiteral("Cari kart nosu aralığını giriniz (F6 kart listesi)"),
                          &customerCodes());
}

ChoiceCriterion stateChoice(ReportWindow& w)
{
    return w.addChoice(
        QStringLiteral(" Sipariş durumu "),
        {QStringLiteral("&1. Açık"), QStringLiteral("&2. Kapalı"), QStringLiteral("&3. Tümü")}, 0);
}

ChoiceCriterion typeChoice(ReportWindow& w)
{
    return w.addChoice(QStringLiteral(" Sipariş türü "),
                       {QStringLiteral("&Alış"), QStringLiteral("&Satış")}, 0);
}

// Choosing in a group puts the focus back in the field that had it.
void backToField(ReportWindow& w, std::initializer_list<const ChoiceCriterion*> choices)
{
    w.returnToLastField();
    for (const ChoiceCriterion* c : choices)
        w.focusLastFieldAfterChoice(c->group());
}

} // namespace

// --- 7301 --------------------------------------------------------------------------------------

TfrmSipLis::TfrmSipLis(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Sipariş fişleri listesi"), parent)
{
    setObjectName(QStringLiteral("frmSipLis"));
    dates = addWorkingYear(QStringLiteral("Sipariş termin tarihleri : "));
    numbers = addTextRange(QStringLiteral("Sipariş no : "),
                           QStringLiteral("Sipariş nosu aralığını giriniz"));
    customers = customerRange(*this);
    special = addTextRange(QStringLiteral("Sipariş özel kodu : "),
                           QStringLiteral("Sipariş özel kodu aralığını giriniz"));
    order = addChoice(QStringLiteral(" Sipariş listesi "),
                      {QStringLiteral("&Termin tarihine"), QStringLiteral("&Nosuna"),
                       QStringLiteral("Açma ta&rihine"), QStringLiteral("Ü&nvanına")},
                      0);
    type = typeChoice(*this);
    kind = addChoice(QStringLiteral(" Liste tipi "),
                     {QStringLiteral("N&ormal"), QStringLiteral("&Detay")}, 0);
    state = stateChoice(*this);
    setWrapFields(true);
    backToField(*this, {&order, &type, &kind, &state});
}

TfrmSipLis::~TfrmSipLis()
{
    // The order list's own cursor shows every order again.
    shell().company->table(QStringLiteral("Siparis")).setFiltered(false);
}

OrderReports::OrderListChoice TfrmSipLis::choice() const
{
    OrderReports::OrderListChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    c.numberFrom = numbers.from.text();
    c.numberTo = numbers.to.text();
    c.customerFrom = customers.from.text();
    c.customerTo = customers.to.text();
    c.specialFrom = special.from.text();
    c.specialTo = special.to.text();
    c.order = order.chosen();
    c.type = type.chosen();
    c.detail = kind.chosen() == 1;
    c.state = state.chosen();
    return c;
}

RunningReport TfrmSipLis::start()
{
    return OrderReports::startOrderList(*shell().company, choice(), letterPaper());
}

// --- 7303 --------------------------------------------------------------------------------------

TfrmSipKal::TfrmSipKal(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Sipariş kalemleri listesi"), parent)
{
    setObjectName(QStringLiteral("frmSipKal"));
    dates = addWorkingYear(QStringLiteral("Termin tarihleri : "));
    stocks = stockRange(*this);
    customers = customerRange(*this);
    order = addChoice(QStringLiteral(" Sipariş listesi "),
                      {QStringLiteral("&Termin tarihine"), QStringLiteral("&Cari kart nosuna")}, 0);
    state = stateChoice(*this);
    type = typeChoice(*this);
    setWrapFields(true);
    backToField(*this, {&order, &state, &type});
}

OrderReports::LineListChoice TfrmSipKal::choice() const
{
    OrderReports::LineListChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    c.stockFrom = stocks.from.text();
    c.stockTo = stocks.to.text();
    c.customerFrom = customers.from.text();
    c.customerTo = customers.to.text();
    c.order = order.chosen();
    c.state = state.chosen();
    c.type = type.chosen();
    return c;
}

RunningReport TfrmSipKal::start()
{
    return OrderReports::startLineList(*shell().company, choice(), letterPaper());
}

// --- 7302 --------------------------------------------------------------------------------------

TfrmSipFzk::TfrmSipFzk(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Sipariş fiziki envanter listesi"), parent)
{
    setObjectName(QStringLiteral("frmSipFzk"));
    codes = stockRange(*this);
    special = CardCriteria::addSpecialCodes(*this);
    kind =
        addChoice(QStringLiteral(" Stok kart durumu "),
                  {QStringLiteral("&Hammadde"), QStringLiteral("&Yrd.Mlz."),
                   QStringLiteral("&Ara Mamül"), QStringLiteral("&Mamül"), QStringLiteral("&Tümü")},
                  4);
    order = addChoice(QStringLiteral(" Stok kart listesi "),
                      {QStringLiteral("&Koduna"), QStringLiteral("&Cinsine")}, 0);
    setWrapFields(true);
    backToField(*this, {&kind, &order});
}

OrderReports::StockStatusChoice TfrmSipFzk::choice() const
{
    OrderReports::StockStatusChoice c;
    c.codeFrom = codes.from.text();
    c.codeTo = codes.to.text();
    for (size_t i = 0; i < 3; ++i) {
        c.specialFrom[i] = special[i].from.text();
        c.specialTo[i] = special[i].to.text();
    }
    c.material = kind.chosen();
    c.order = order.chosen();
    return c;
}

RunningReport TfrmSipFzk::start()
{
    return OrderReports::startStockStatus(*shell().company, choice(), letterPaper());
}
