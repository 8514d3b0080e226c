#include "instalments/TakLis.h"

#include "customers/CustomerCodes.h"
#include "customers/CustomerCriteria.h"
#include "instalments/InstalmentSide.h"
#include "store/AppError.h"

TfrmTakLis::TfrmTakLis(Shell& shell, const InstalmentSide& side, QWidget* parent)
    : ReportWindow(shell,
                   side.sales ? QStringLiteral("Kredili satış ödeme listesi")
                              : QStringLiteral("Kredili alış ödeme listesi"),
                   parent)
    , side_(side)
{
    setObjectName(side.sales ? QStringLiteral("frmTakLis") : QStringLiteral("frmATakLis"));
    customer = addCode(QStringLiteral("Cari kart nosu : "),
                       QStringLiteral("Cari kart nosunu giriniz, boş bırakılırsa tümü (F6 kart "
                                      "listesi)"),
                       customerCodes());
    due =
        addDateRange(QStringLiteral("Vadesi : "), QStringLiteral("Başlangıç vade tarihini giriniz"),
                     QStringLiteral("Bitiş vade tarihini giriniz"));
    special = CardCriteria::addSpecialCodes(*this);
    state = addChoice(
        QStringLiteral(" Ödeme durumu "),
        {QStringLiteral("Ö&denmiş"), QStringLiteral("Öd&enmemiş"), QStringLiteral("&Tümü")}, 2);
    order = addChoice(QStringLiteral(" Cari kart listesi "),
                      {QStringLiteral("&Koduna"), QStringLiteral("Ü&nvanına")}, 1);
    setWrapFields(true);
}

InstalmentReports::PaymentListChoice TfrmTakLis::choice() const
{
    InstalmentReports::PaymentListChoice c;
    c.customerCode = customer.text();
    // A box left empty is open; one that holds no date is refused with its text.
    c.dueFrom = due.from.date();
    c.dueTo = due.to.date();
    for (size_t i = 0; i < 3; ++i) {
        c.specialFrom[i] = special[i].from.text();
        c.specialTo[i] = special[i].to.text();
    }
    c.state = InstalmentReports::PaymentListChoice::State(state.chosen());
    c.order = order.chosen();
    return c;
}

PageSet TfrmTakLis::pages()
{
    return InstalmentReports::paymentList(*shell().company, side_, choice(), letterPaper());
}

void TfrmTakLis::preview()
{
    RunningReport running =
        InstalmentReports::startPaymentList(*shell().company, side_, choice(), letterPaper());
    showPreview(*running.renderer);
}
