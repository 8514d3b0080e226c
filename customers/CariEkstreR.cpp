#include "customers/CariEkstreR.h"

#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"

TfrmCariEkstreR::TfrmCariEkstreR(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Cari kart ekstresi"), parent)
{
    setObjectName(QStringLiteral("frmCariEkstreR"));
    dates = addMovementDates(*this);
    customer = addCustomerCode(*this);
    Table& cari = shell.company->table(QStringLiteral("Cari"));
    if (!cari.isEmpty()) {
        customer.setText(cari[QStringLiteral("CariNo")].asString()); // the current card
        customer.title();
    }
    order = addChoice(QStringLiteral(" Cari kart listesi "),
                      {QStringLiteral("&Koduna"), QStringLiteral("Ü&nvanına")}, 1);
    movements = MovementCriteria::add(*this);
    stock =
        addChoice(QStringLiteral(" Hareket türleri "),
                  {QStringLiteral("&1. Normal ekstre"), QStringLiteral("&2. Stoklu ekstre")}, 0);
}

PageSet TfrmCariEkstreR::pages()
{
    CustomerReports::StatementChoice c = statementChoice(customer.id(), dates, movements);
    c.withStock = stock.chosen() == 1;
    return CustomerReports::statement(*shell().company, c, letterPaper());
}
