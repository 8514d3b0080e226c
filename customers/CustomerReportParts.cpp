#include "customers/CustomerReportParts.h"

#include "customers/CustomerOrders.h"
#include "printing/ReportBuilder.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/Table.h"

using namespace ReportBuilder;

namespace CustomerReports {

namespace {

const QStringList& kindCodes(Kinds kinds)
{
    static const QList<QStringList> codes = {
        {"CA"}, {"FA"}, {"TK", "TA", "TE", "BN"}, {"CE", "SE", "MF", "MS", "FC", "FS"}, {}};
    return codes[int(kinds)];
}

} // namespace

QString isoDate(const QString& text)
{
    if (text.trimmed().isEmpty()) return QString();
    const QDate date = parseDateLiteral(text);
    if (!date.isValid()) throw AppError(QStringLiteral("Tarih hatalı: %1").arg(text));
    return date.toString(Qt::ISODate);
}

QString cardFilter(const CardChoice& c)
{
    QStringList parts;
    if (c.kind >= 0) parts << QStringLiteral("CariDurum = %1").arg(c.kind);
    const auto add = [&](const QString& text, const char* term) {
        if (!text.isEmpty()) parts << QLatin1String(term) + quoted(text);
    };
    add(c.codeFrom, "CariNo >= ");
    add(c.codeTo, "CariNo <= ");
    add(c.il, "Il = ");
    for (int i = 0; i < 3; ++i) {
        add(c.specialFrom[size_t(i)], i == 0   ? "OzelKod1 >= "
                                      : i == 1 ? "OzelKod2 >= "
                                               : "OzelKod3 >= ");
        add(c.specialTo[size_t(i)], i == 0   ? "OzelKod1 <= "
                                    : i == 1 ? "OzelKod2 <= "
                                             : "OzelKod3 <= ");
    }
    return parts.join(QStringLiteral(" and "));
}

QString movementConditions(Kinds kinds, Amounts amounts)
{
    QString text;
    if (amounts == Amounts::Borc) text += QStringLiteral(" and (Borc > 0)");
    if (amounts == Amounts::Alacak) text += QStringLiteral(" and (Alacak > 0)");
    const QStringList& codes = kindCodes(kinds);
    if (!codes.isEmpty()) {
        QStringList terms;
        for (const QString& code : codes)
            terms << QStringLiteral("Kaynak = ") + quoted(code);
        text += QStringLiteral(" and (") + terms.join(QStringLiteral(" or ")) + QLatin1Char(')');
    }
    return text;
}

std::unique_ptr<Table> cards(CompanyData& company, const CardChoice& choice,
                             const QStringList& fields)
{
    auto table = std::make_unique<Table>(company.connection(), QStringLiteral("Cari"));
    table->setReadFields(fields);
    table->setIndexName(CustomerOrder::indexName(choice.order));
    table->setFilter(cardFilter(choice));
    table->setFiltered(true);
    table->open();
    return table;
}

} // namespace CustomerReports
