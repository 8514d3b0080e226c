#include "customers/CariHareketR.h"

#include "store/AppError.h"

#include <QButtonGroup>
#include <QLineEdit>

TfrmCariHareketR::TfrmCariHareketR(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Cari işlemler listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariHareketR"));
    dates = addMovementDates(*this);
    customer = addCustomerCode(*this);
    customer.edit()->setEnabled(false);
    which = addChoice(QStringLiteral(" Cari kart listesi "),
                      {QStringLiteral("&1 Tümü"), QStringLiteral("&2 Seçilen kart")}, 0);
    QLineEdit* code = customer.edit();
    connect(which.group(), &QButtonGroup::idClicked, this,
            [code](int id) { code->setEnabled(id == 1); });
    movements = MovementCriteria::add(*this);
}

PageSet TfrmCariHareketR::pages()
{
    CustomerReports::MovementChoice c{dates.from.date(), dates.to.date()};
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    if (which.chosen() == 1) c.customerId = customer.id();
    c.kinds = movements.chosenKinds();
    c.amounts = movements.chosenAmounts();
    return CustomerReports::movementList(*shell().company, c, letterPaper());
}
