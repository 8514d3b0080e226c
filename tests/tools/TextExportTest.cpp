#include "Subsystems.h"
#include "cash/CashDemo.h"
#include "instalments/InstalmentDemo.h"
#include "invoicing/InvoiceDemo.h"
#include "orders/OrderDemo.h"
#include "portfolio/PortfolioDemo.h"
#include "store/AppError.h"
#include "store/DemoBooks.h"
#include "support/Installation.h"

#include <QRegularExpression>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double kLineMm = 25.4 / 6;

// The texts of a page as its operations hold them: memo lines apart, control characters gone,
// blank ones left out (word-wrapped ones are taken whole and compared joined).
QStringList pieces(const Page& page)
{
    QStringList out;
    for (int i = 0; i < page.opCount(); ++i) {
        const DrawOp op = page.op(i);
        if (op.type != DrawOp::Type::Text) continue;
        for (QString line : op.text.split(QRegularExpression(QStringLiteral("\r\n|\n\r|\n|\r")))) {
            line.replace(QLatin1Char('\t'), QLatin1Char(' '));
            line.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f\\x7f]")));
            if (!line.trimmed().isEmpty()) out << (op.wordWrap ? line.simplified() : line);
        }
    }
    return out;
}

// Checks one page's text export against its operations; returns what is wrong, empty when
// nothing is.
QString check(const PageSet& pages, int index, int cpi)
{
    const std::shared_ptr<const Page> page = pages.page(index);
    const std::vector<PageSet::TextRow> rows = pages.textRows(index, cpi);
    const QStringList lines = pages.textLines(index, cpi);
    QStringList found;
    int lastLine = -1;
    for (const PageSet::TextRow& row : rows) {
        if (row.line <= lastLine) return QStringLiteral("row on line %1 twice").arg(row.line);
        lastLine = row.line;
        if (lines.value(row.line) != row.placed)
            return QStringLiteral("line %1 is not its row").arg(row.line);
        // On the line of its first text's top or below it, never above.
        double top = row.texts.front().top;
        for (const PageSet::TextRow::Text& text : row.texts)
            top = std::min(top, text.top);
        if (row.line < int(std::lround(top / kLineMm)))
            return QStringLiteral("row on line %1 above its place").arg(row.line);
        int end = -2;
        for (const PageSet::TextRow::Text& text : row.texts) {
            // Left to right, a blank after the text before, never left of its own column.
            if (text.column < text.gridColumn || text.column < end + 1)
                return QStringLiteral("\"%1\" overlaps").arg(text.text);
            if (row.placed.mid(text.column, text.text.size()) != text.text)
                return QStringLiteral("\"%1\" not whole on its line").arg(text.text);
            end = text.column + int(text.text.size());
            found << text.text;
        }
    }
    // Every text once: wrapped pieces joined back as their texts.
    QStringList expected = pieces(*page);
    QString all = found.join(QLatin1Char(' ')).simplified();
    for (const QString& text : expected) {
        const QString wanted = text.simplified();
        const qsizetype at = all.indexOf(wanted);
        if (at < 0) return QStringLiteral("\"%1\" lost").arg(text);
    }
    return QString();
}

} // namespace

// Every report of the program on demo books, exported as text at 10 and 17 characters per
// inch: each text whole, on its line or below it, left to right with a blank between texts; at
// 17 none has to move aside.
TEST(TextExport, EveryReportKeepsEveryTextWholeAtBothPitches)
{
    TestInstallation t;
    t.createCompany({QStringLiteral("ABC"), QStringLiteral("Deneme Ltd.")});
    CompanyData company(t.session, t.install, QStringLiteral("ABC"));
    const auto quiet = [](const QString&) {};
    fillDemoBooks(company, DemoSize::small(), quiet);
    fillDemoSlips(company, 4, 2, quiet);
    fillDemoInvoices(company, 6, false, quiet);
    fillDemoPapers(company, PortfolioDemoSize::small(), quiet);
    fillDemoInstalments(company, 4, 2, quiet);
    fillDemoOrders(company, 6, 6, quiet);
    ReportRegistry registry;
    registerReports(registry);
    // Reports of one document need to be told which.
    const std::map<int, ReportOptions> options = {
        {1202, {{QStringLiteral("number"), "1"}}},
        {1204, {{QStringLiteral("sale"), "1"}}},
        {7201, {{QStringLiteral("order"), "1"}}},
        {7202, {{QStringLiteral("order"), "7"}}},
        {7301, {{QStringLiteral("detail"), "yes"}, {QStringLiteral("state"), "all"}}},
        {7303, {{QStringLiteral("state"), "all"}}},
        {2304, {{QStringLiteral("customer"), "M000001"}, {QStringLiteral("stock"), "stoklu"}}},
        {2305, {{QStringLiteral("UZUNLUK"), "297"}, {QStringLiteral("GENISLIK"), "210"}}},
        {3307, {{QStringLiteral("stock"), "STK000001"}}},
        {5201, {{QStringLiteral("slip"), "1"}}},
        {5202, {{QStringLiteral("slip"), "1"}}}};
    int reports = 0;
    for (const auto& [code, report] : registry.reports()) {
        SCOPED_TRACE(code);
        const auto given = options.find(code);
        const PageSet pages = registry.run(
            code, *t.global, &company, given == options.end() ? ReportOptions{} : given->second);
        ++reports;
        // At 17 characters per inch every column of a list has room: values stand under their
        // headers. (Labels have no columns; their currency word stands right against the price.)
        const bool label = code == 3308 || code == 2305;
        for (int p = 0; !label && p < pages.pageCount(); ++p)
            for (const PageSet::TextRow& row : pages.textRows(p, 17))
                for (const PageSet::TextRow::Text& text : row.texts)
                    EXPECT_EQ(text.column, text.gridColumn)
                        << "\"" << text.text.toStdString() << "\" pushed on page " << p + 1;
        for (int cpi : {10, 17})
            for (int p = 0; p < pages.pageCount(); ++p) {
                const QString wrong = check(pages, p, cpi);
                EXPECT_TRUE(wrong.isEmpty())
                    << "page " << p + 1 << " at " << cpi << " cpi: " << wrong.toStdString();
            }
    }
    EXPECT_GE(reports, 20);
}
