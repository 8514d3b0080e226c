#include "cash/KasaRap.h"

#include "store/AppError.h"

#include <QLineEdit>

TfrmKasaRap::TfrmKasaRap(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Kasa defteri dökümü"), parent)
{
    setObjectName(QStringLiteral("frmKasaRap"));
    dates = addDateRange(QStringLiteral("Kasa defteri tarih kıstasları : "),
                         QStringLiteral("Kasa defteri başlangıç tarihini giriniz"),
                         QStringLiteral("Kasa defteri bitiş tarihini giriniz"));
    dates.from.setDate(QDate::currentDate());
    dates.to.setDate(QDate::currentDate());
    totals = addChoice(
        QStringLiteral(" Toplam kasa tutarları "),
        {QStringLiteral("&1 Raporda gözüksün"), QStringLiteral("&2 Raporda gözükmesin")}, 0);
    setWrapFields(true);
    focusAfterChoice(totals, dates.from.edit());
}

CashReports::BookChoice TfrmKasaRap::choice() const
{
    CashReports::BookChoice c;
    c.from = dates.from.date();
    c.to = dates.to.date();
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Kasa defteri tarihlerini giriniz."));
    c.hideTotals = totals.chosen() == 1;
    return c;
}

RunningReport TfrmKasaRap::start()
{
    return CashReports::startBook(*shell().company, choice(), letterPaper());
}
