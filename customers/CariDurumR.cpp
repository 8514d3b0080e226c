#include "customers/CariDurumR.h"

#include "printing/ReportRenderer.h"
#include "store/CompanyData.h"

TfrmCariDurumR::TfrmCariDurumR(Shell& shell, QWidget* parent)
    : ReportWindow(shell, QStringLiteral("Cari durum listesi"), parent)
{
    setObjectName(QStringLiteral("frmCariDurumR"));
    criteria.codes = CardCriteria::addCodes(*this);
    dates = addDateRange(QStringLiteral("Tarih aralığı : "),
                         QStringLiteral("Başlangıç tarihini giriniz"),
                         QStringLiteral("Bitiş tarihini giriniz"));
    criteria.il = addText(QStringLiteral("İl : "), QStringLiteral("İli giriniz"));
    criteria.special = CardCriteria::addSpecialCodes(*this);
    bounds = addAmountRange(QStringLiteral("Bakiye aralığı : "),
                            QStringLiteral("Bakiye aralığını giriniz (0: sınır yok)"),
                            shell.company->kurus() ? 2 : 0);
    criteria.kind = CardCriteria::addKind(*this);
    criteria.order =
        addChoice(QStringLiteral(" Cari kart listesi "),
                  {QStringLiteral("&Nosuna göre"), QStringLiteral("Ün&vanına göre")}, 0);
    balances = addChoice(QStringLiteral(" Bakiye kontrolü "),
                         {QStringLiteral("B&akiyeli"), QStringLiteral("T&ümü")}, 0);
}

CustomerReports::BalanceChoice TfrmCariDurumR::balanceChoice() const
{
    CustomerReports::BalanceChoice c;
    static_cast<CustomerReports::CardChoice&>(c) = criteria.choice();
    c.dateFrom = dates.from.dateText();
    c.dateTo = dates.to.dateText();
    c.lowest = bounds.from.value();
    c.highest = bounds.to.value();
    c.balancedOnly = balances.chosen() == 0;
    return c;
}

RunningReport TfrmCariDurumR::start()
{
    return CustomerReports::startBalanceStatus(*shell().company, balanceChoice(), letterPaper());
}
