#include "invoicing/FatRap.h"

#include "customers/CustomerCriteria.h"

TfrmFatRap::TfrmFatRap(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Fatura listesi"), parent)
{
    setObjectName(QStringLiteral("TfrmFatRap"));
    dates = addWorkingYear(QStringLiteral("Fatura tarihleri : "));
    numbers = addTextRange(QStringLiteral("Fatura no : "),
                           QStringLiteral("Fatura nosu aralığını giriniz"));
    customers = CardCriteria::addCodes(*this);
    type = addChoice(QStringLiteral(" Fatura türü "),
                     {QStringLiteral("&Alış"), QStringLiteral("&Satış")}, 0);
    order = addChoice(QStringLiteral(" Fatura listesi "),
                      {QStringLiteral("&Nosuna"), QStringLiteral("&Tarihine")}, 0);
    kind = addChoice(QStringLiteral(" Liste tipi "),
                     {QStringLiteral("N&ormal"), QStringLiteral("&Detay")}, 0);
    // The ring from the first date to the last customer and round; nothing above the first.
    setWrapFields(true);
    for (const ChoiceCriterion* c : {&type, &order, &kind})
        focusAfterChoice(*c, dates.from.edit());
}

InvoiceReports::ListChoice TfrmFatRap::choice() const
{
    InvoiceReports::ListChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    c.numberFrom = numbers.from.text();
    c.numberTo = numbers.to.text();
    c.customerFrom = customers.from.text();
    c.customerTo = customers.to.text();
    c.type = type.chosen();
    c.order = order.chosen();
    c.detail = kind.chosen() == 1;
    return c;
}

RunningReport TfrmFatRap::start()
{
    return InvoiceReports::startList(*shell().company, choice(), letterPaper());
}
