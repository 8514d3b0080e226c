#include "customers/CustomerCriteria.h"

#include "customers/CustomerCodes.h"
#include "customers/CustomerOrders.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"

CriterionRange<TextCriterion> CardCriteria::addCodes(ReportWindow& window)
{
    const CriterionRange<TextCriterion> codes = window.addTextRange(
        QStringLiteral("Cari kart nosu : "),
        QStringLiteral("Cari kart nosu aralığını giriniz (F6 kart listesi)"), &customerCodes());
    window.presetToFirstAndLast(codes, QStringLiteral("Cari"),
                                CustomerOrder::indexName(CustomerOrder::Code),
                                QStringLiteral("CariNo"));
    return codes;
}

std::array<CriterionRange<TextCriterion>, 3> CardCriteria::addSpecialCodes(ReportWindow& window)
{
    std::array<CriterionRange<TextCriterion>, 3> special;
    for (int i = 0; i < 3; ++i)
        special[size_t(i)] = window.addTextRange(QStringLiteral("Özel kod [%1] : ").arg(i + 1),
                                                 QStringLiteral("Özel kod aralığını giriniz"));
    return special;
}

ChoiceCriterion CardCriteria::addKind(ReportWindow& window)
{
    return window.addChoice(QStringLiteral(" Cari kart durumu "),
                            {QStringLiteral("&Müşteri"), QStringLiteral("&Satıcı"),
                             QStringLiteral("Ö&zel"), QStringLiteral("&Banka"),
                             QStringLiteral("&Tümü")},
                            4);
}

CustomerReports::CardChoice CardCriteria::choice() const
{
    CustomerReports::CardChoice c;
    c.kind = kind.chosen() == 4 ? -1 : kind.chosen();
    c.codeFrom = codes.from.text();
    c.codeTo = codes.to.text();
    c.il = il.text();
    for (size_t i = 0; i < 3; ++i) {
        c.specialFrom[i] = special[i].from.text();
        c.specialTo[i] = special[i].to.text();
    }
    c.order = order.chosen();
    return c;
}

MovementCriteria MovementCriteria::add(ReportWindow& window)
{
    MovementCriteria m;
    m.kinds = window.addChoice(QStringLiteral(" Hareket türleri "),
                               {QStringLiteral("&Dekont"), QStringLiteral("&Fatura"),
                                QStringLiteral("Na&kit"), QStringLiteral("Ç&ek Senet"),
                                QStringLiteral("&Tümü")},
                               4);
    m.amounts = window.addChoice(
        QStringLiteral(" Miktarlar "),
        {QStringLiteral("&Borç"), QStringLiteral("&Alacak"), QStringLiteral("Tü&mü")}, 2);
    return m;
}

CodeCriterion addCustomerCode(ReportWindow& window)
{
    return window.addCode(QStringLiteral("Cari Nosu : "),
                          QStringLiteral("Cari kart nosunu giriniz (F6 kart listesi)"),
                          customerCodes());
}

CriterionRange<DateCriterion> addMovementDates(ReportWindow& window)
{
    return window.addWorkingYear(QStringLiteral("Cari işlem tarihleri : "));
}

CustomerReports::StatementChoice statementChoice(qint64 customerId,
                                                 const CriterionRange<DateCriterion>& dates,
                                                 const MovementCriteria& movements)
{
    CustomerReports::StatementChoice c;
    c.customerId = customerId;
    c.from = dates.from.date();
    c.to = dates.to.date();
    if (!c.from.isValid() || !c.to.isValid())
        throw AppError(QStringLiteral("Tarih aralığı hatalı."));
    c.kinds = movements.chosenKinds();
    c.amounts = movements.chosenAmounts();
    return c;
}
