#include "invoicing/InvoicePrint.h"
#include "InvoiceBooks.h"
#include "invoicing/InvoiceLayout.h"
#include "store/GlobalData.h"
#include "store/IniFile.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "support/Reference.h"
#include "widgets/AmountInWords.h"

#include "store/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

const QDate kMarch1(2026, 3, 1);

class InvoicePrintTest : public ::testing::Test, protected InvoiceCompany {
protected:
    qint64 a = customer("120.01", "Yılmaz Ticaret", "Bağdat Cad. 5");
    qint64 pen = stock("K01", "Kalem", 10, 18);
    qint64 ink = stock("M01", "Mürekkep", 5, 8);
    qint64 tape = stock("B01", "Bant", 2, 1);

    IniFile ini() { return IniFile(t.install.usersIniPath()); }
    PageSet print(qint64 id, bool irsaliye = false, QString* notice = nullptr)
    {
        return InvoicePrint::pages(company(), t.global->fatPlan(), id, irsaliye, notice);
    }
    static void expectReference(const PageSet& set, const QString& name)
    {
        expectReferenceIn(QStringLiteral(INVOICING_DATA), dumpWithoutToday(set), name);
    }
    qint64 invoice(int lines, int closed = 0)
    {
        InvoiceHeader h = header(120, kMarch1, "120.01", closed);
        h.irsNo = 4501;
        const qint64 id = posting->saveHeader(salesInvoice(), 0, h);
        for (int i = 0; i < lines; ++i)
            posting->saveLine(id, i % 3 == 0   ? line(pen, 2 + i, 10, 18)
                                  : i % 3 == 1 ? line(ink, 1, 5.25, 8, 10)
                                               : line(tape, 3, 2.1, 1));
        return id;
    }
    QString money(double v) { return formatNumber(v, company().moneyFormat()); }
    // A direct sum over the invoice's lines.
    double sum(const char* expression, qint64 id)
    {
        return MoneySum::fromSql(
                   value(QStringLiteral("SELECT %1 FROM \"FatHar\" WHERE \"FRef\" = ?")
                             .arg(MoneySum::sqlSum(QLatin1String(expression))),
                         {id}))
            .value();
    }
    // The texts of one element by name, over all pages, in page order.
    static QStringList texts(const PageSet& set, const QString& band, int page = -1)
    {
        QStringList result;
        for (int p = 0; p < set.pageCount(); ++p) {
            if (page >= 0 && p != page) continue;
            DrawOp op;
            const auto pg = set.page(p);
            for (int i = 0; i < pg->opCount(); ++i) {
                pg->readOp(i, op);
                if (op.band == band && op.type == DrawOp::Type::Text) result << op.text;
            }
        }
        return result;
    }
    void setPlan(const QString& field, const QVariant& v)
    {
        InvoicePlan plan = readInvoicePlan(t.global->fatPlan());
        plan.insert(field, v);
        writeInvoicePlan(t.global->fatPlan(), plan);
    }
};

} // namespace

TEST_F(InvoicePrintTest, OnePageInvoiceHasTitleAndEveryTotal)
{
    const qint64 id = invoice(3);
    const PageSet set = print(id);
    ASSERT_EQ(set.pageCount(), 1);
    expectReference(set, "fatura_tek_sayfa.txt");
    const InvoiceData inv = *posting->read(id);
    const QStringList title = texts(set, "TitleBand1");
    EXPECT_TRUE(title.contains("01.03.2026"));
    EXPECT_TRUE(title.contains("4501"));
    EXPECT_TRUE(title.contains("Yılmaz Ticaret"));
    EXPECT_TRUE(title.contains("Bağdat Cad. 5"));
    EXPECT_TRUE(texts(set, "PageHeaderBand1").isEmpty());
    EXPECT_EQ(texts(set, "DetailBand1").size(), 3 * 9);

    const QStringList footer = texts(set, "PageFooterBand1");
    // The totals against direct sums over the lines.
    EXPECT_TRUE(footer.contains(money(sum("\"Tutari\" - \"IskTutar\"", id))));
    EXPECT_DOUBLE_EQ(inv.fatTop - inv.iskonto, sum("\"AraTop\"", id));
    EXPECT_TRUE(footer.contains(money(inv.kdv)));
    EXPECT_TRUE(footer.contains(money(inv.gToplam)));
    EXPECT_DOUBLE_EQ(inv.gToplam, sum("\"TopTutar\"", id));
    EXPECT_TRUE(footer.contains(AmountInWords(company(), inv.gToplam)));
    EXPECT_TRUE(footer.contains("Matrah Tutarı"));
}

TEST_F(InvoicePrintTest, LaterPagesCarryTheLinesBeforeThemAndTheLastHasTheWords)
{
    const qint64 id = invoice(40);
    const PageSet set = print(id);
    ASSERT_EQ(set.pageCount(), 2);
    expectReference(set, "fatura_iki_sayfa.txt");
    // Page two repeats the customer and carries the net amounts of page one's lines.
    const int firstPageLines = int(texts(set, "DetailBand1", 0).size() / 9);
    ASSERT_GT(firstPageLines, 0);
    const double carried =
        MoneySum::fromSql(value(QStringLiteral("SELECT %1 FROM (SELECT \"AraTop\" FROM "
                                               "\"FatHar\" WHERE \"FRef\" = ? ORDER BY \"Nosu\" "
                                               "LIMIT ?) AS q")
                                    .arg(MoneySum::sqlSum("\"AraTop\"")),
                                {id, firstPageLines}))
            .value();
    const QStringList header = texts(set, "PageHeaderBand1", 1);
    EXPECT_TRUE(header.contains("NAKLİ YEKÜN"));
    EXPECT_TRUE(header.contains(money(carried)));
    EXPECT_TRUE(header.contains("Yılmaz Ticaret"));
    EXPECT_TRUE(texts(set, "TitleBand1", 1).isEmpty());

    const InvoiceData inv = *posting->read(id);
    const QString words = AmountInWords(company(), inv.gToplam);
    const QStringList first = texts(set, "PageFooterBand1", 0);
    const QStringList last = texts(set, "PageFooterBand1", 1);
    // Every page: the net total; the last only: VAT, grand total and words.
    EXPECT_TRUE(first.contains(money(inv.fatTop - inv.iskonto)));
    EXPECT_FALSE(first.contains(words));
    EXPECT_FALSE(first.contains(money(inv.gToplam)));
    EXPECT_TRUE(last.contains(words));
    EXPECT_TRUE(last.contains(money(inv.gToplam)));
    EXPECT_TRUE(last.contains(money(inv.kdv)));
}

TEST_F(InvoicePrintTest, VatDetailCoversTheWholeInvoiceInBothModes)
{
    QFile list(t.dir.filePath("Kdv.ZR"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("18\r\n8\r\n40\r\n");
    list.close();
    for (int mode : {0, 1}) {
        reopen(mode);
        const qint64 id = invoice(40);
        const PageSet set = print(id);
        ASSERT_EQ(set.pageCount(), 2);
        const InvoiceData inv = *posting->read(id);
        for (int page = 0; page < 2; ++page) {
            // Listed rates first in the list's order, 40 (no lines) left out, then 1.
            const QStringList footer = texts(set, "PageFooterBand1", page);
            const std::vector<InvoiceLine> lines = posting->lines(id);
            const std::vector<InvoicePrint::VatLine> detail =
                InvoicePrint::vatDetail(company(), lines);
            ASSERT_EQ(detail.size(), 3u);
            EXPECT_EQ(detail[0].rate, 18);
            EXPECT_EQ(detail[1].rate, 8);
            EXPECT_EQ(detail[2].rate, 1);
            EXPECT_TRUE(footer.contains("18\n8\n1")) << mode;
            MoneySum vat;
            for (const auto& d : detail)
                vat += d.vat;
            EXPECT_DOUBLE_EQ(vat.value(), inv.kdv) << mode;
        }
        expectReference(set, QStringLiteral("fatura_kdv_%1.txt").arg(mode));
    }
}

TEST_F(InvoicePrintTest, ShowFlagsAndLabelSettings)
{
    const qint64 id = invoice(2);
    setPlan("Kodu", "H");
    setPlan("IrsNo", "H");
    setPlan("Mutabakat", "H");
    IniFile users = ini();
    users.writeStrings("FATURA", {{"chkISKONTO", "1"}, {"chkISKONTO_4", "1"}});
    const PageSet set = print(id);
    expectReference(set, "fatura_gizli.txt");
    const QStringList detail = texts(set, "DetailBand1");
    EXPECT_EQ(detail.size(), 2 * 8);
    EXPECT_FALSE(detail.contains("K01"));
    EXPECT_FALSE(texts(set, "TitleBand1").contains("4501"));
    const QStringList footer = texts(set, "PageFooterBand1");
    EXPECT_FALSE(footer.contains("Matrah Tutarı"));
    // Without a GTOPLAM key the label has its own words.
    EXPECT_TRUE(footer.contains("GENEL TOPLAM : "));
    EXPECT_FALSE(footer.contains("FATURA TUTARI : "));
    EXPECT_TRUE(footer.contains(money(posting->read(id)->iskonto)));
    users.writeString("FATURA", "GTOPLAM", "TOPLAM :");
    EXPECT_TRUE(texts(print(id), "PageFooterBand1").contains("TOPLAM :"));
}

TEST_F(InvoicePrintTest, QuantitiesKeepTheirFraction)
{
    const qint64 id = posting->saveHeader(salesInvoice(), 0, header(1, kMarch1, "120.01"));
    posting->saveLine(id, line(pen, 2.5, 10));
    posting->saveLine(id, line(pen, 3, 10));
    QStringList detail = texts(print(id), "DetailBand1");
    EXPECT_TRUE(detail.contains("2.50"));
    EXPECT_TRUE(detail.contains("3.00"));
    ini().writeString("DISPLAYFORMAT", "FATURAMIKTAR", "#,##0.000");
    t.install.reload();
    detail = texts(print(id), "DetailBand1");
    EXPECT_TRUE(detail.contains("2.500"));
    EXPECT_TRUE(detail.contains("3.00"));
    // A company without kuruş: a fraction never shows as 2 or 3.
    ini().removeKey("DISPLAYFORMAT", "FATURAMIKTAR");
    t.install.reload();
    reopen(0, 0);
    const PageSet whole = print(id);
    expectReference(whole, "fatura_miktar.txt");
    detail = texts(whole, "DetailBand1");
    EXPECT_TRUE(detail.contains("2.50"));
    EXPECT_TRUE(detail.contains("3"));
}

TEST_F(InvoicePrintTest, AFreeLayoutFileReplacesTheBuiltInOne)
{
    const qint64 id = invoice(2);
    ReportDef free = builtInInvoiceLayout(readInvoicePlan(t.global->fatPlan()),
                                          InvoiceLayoutSettings(), "#,##0.00", "#,##0.00");
    // Moved and without the words; no FatPlan value applies to it any more.
    free.bands[0].elements[0].rect.moveTo(50, 5);
    auto& footer = free.bands.back().elements;
    footer.erase(std::remove_if(footer.begin(), footer.end(),
                                [](const ElementDef& e) { return e.name == "lblYazi"; }),
                 footer.end());
    QFile file(InvoicePrint::layoutPath(company(), false));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(free.toJson());
    file.close();
    setPlan("Kodu", "H");
    QString notice;
    const PageSet set = print(id, false, &notice);
    EXPECT_TRUE(notice.isEmpty());
    expectReference(set, "fatura_ftr.txt");
    EXPECT_TRUE(texts(set, "DetailBand1").contains("K01"));
    EXPECT_FALSE(texts(set, "PageFooterBand1")
                     .contains(AmountInWords(company(), posting->read(id)->gToplam)));
    // The delivery note still prints the built-in layout.
    EXPECT_FALSE(texts(print(id, true), "DetailBand1").contains("K01"));

    // A file that does not load leaves the built-in layout, with a notice.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"bands\": [ bozuk");
    file.close();
    const PageSet fallback = print(id, false, &notice);
    EXPECT_FALSE(notice.isEmpty());
    EXPECT_FALSE(texts(fallback, "DetailBand1").contains("K01"));
}

TEST_F(InvoicePrintTest, LayoutsThatCannotPrintAreNamed)
{
    const InvoicePlan plan = readInvoicePlan(t.global->fatPlan());
    const InvoiceLayoutSettings settings;
    // The built-in positions fit a letter page.
    EXPECT_EQ(invoiceLayoutFault(plan, settings), QString());
    InvoicePlan wide = plan;
    wide.insert("AraTop_L", 700);
    EXPECT_NE(invoiceLayoutFault(wide, settings), QString());
    InvoicePlan low = plan;
    low.insert("Unvani_T", 290);
    EXPECT_NE(invoiceLayoutFault(low, settings), QString());
    InvoicePlan tall = plan;
    tall.insert("Footer_H", 900);
    EXPECT_NE(invoiceLayoutFault(tall, settings), QString());
    InvoiceLayoutSettings tiny;
    tiny.genis = 20;
    EXPECT_NE(invoiceLayoutFault(plan, tiny), QString());
    // A hidden element may stand anywhere.
    wide.insert("AraTop", "H");
    EXPECT_EQ(invoiceLayoutFault(wide, settings), QString());
}

TEST_F(InvoicePrintTest, ALayoutFileIsReadWholeOrNotAtAll)
{
    const qint64 id = invoice(2);
    const QString path = InvoicePrint::layoutPath(company(), false);
    ReportDef layout = builtInInvoiceLayout(readInvoicePlan(t.global->fatPlan()),
                                            InvoiceLayoutSettings(), "#,##0.00", "#,##0.00");
    writeInvoiceLayoutFile(path, layout);
    EXPECT_EQ(readInvoiceLayoutFile(path).toJson(), layout.toJson());
    const PageSet good = print(id);
    const QByteArray whole = readAll(path);

    // Each broken file: the message with the file and why, the built-in layout prints, the file
    // stays as it was.
    const auto refused = [&](const QByteArray& bytes, const QString& why) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        try {
            readInvoiceLayoutFile(path);
            ADD_FAILURE() << "read: " << why.toStdString();
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), "Dizayn dosyası okunamadı");
            EXPECT_TRUE(e.detail().startsWith(path + ": ")) << e.detail().toStdString();
            if (!why.isEmpty()) {
                EXPECT_TRUE(e.detail().contains(why)) << e.detail().toStdString();
            }
        }
        QString notice;
        const PageSet fallback = print(id, false, &notice);
        EXPECT_TRUE(notice.startsWith(path + ": ")) << notice.toStdString();
        EXPECT_EQ(dumpWithoutToday(fallback), dumpWithoutToday(good)); // the same layout, built in
        EXPECT_EQ(readAll(path), bytes);
    };
    const auto changed = [&](const char* from, const char* to) {
        QByteArray bytes = whole;
        EXPECT_TRUE(bytes.contains(from)) << from;
        return bytes.replace(from, to);
    };
    refused(whole.left(whole.size() / 2), "");
    refused("çöp çöp", "");
    refused(QByteArray("TPF0\x0bTfrmFtSatisP\0\0", 18), "eski biçim; yeniden dizayn ediniz");
    refused("object frmFtSatisP: TfrmFtSatisP\r\n  Left = 0\r\nend\r\n", "eski biçim");
    refused(changed("\"TZRQRDBText\"", "\"TZRQRYok\""), "TZRQRYok");
    refused(changed("\"DetailBand1BeforePrint\"", "\"DetailBand1Format\""), "DetailBand1Format");
    refused(changed("\"version\": 2", "\"version\": 3"), "sürüm 3");
    refused(changed("\"name\": \"lblTVdNo\"", "\"name\": \"lblTVd\""), "iki kez");
    refused(changed("\"name\": \"lblTVdNo\"", "\"name\": \"lbl TVdNo\""), "geçerli bir ad değil");
    refused(QByteArray(kLayoutFileLimit + 1, ' '), "16 MB");
    {
        // An element pushed out of its band.
        ReportDef outside = layout;
        outside.bands[2].elements[0].rect.moveTop(50);
        refused(outside.toJson(), "bandın dışında");
    }

    // A layout of the first version: the built-in bands' handlers by kind, so it prints alike.
    QByteArray first = whole;
    first.replace("\"version\": 2", "\"version\": 1");
    for (const QString& handler : invoiceHandlers())
        first.replace(("\"beforePrint\": \"" + handler + "\",").toUtf8(), "");
    ASSERT_FALSE(first.contains("beforePrint"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(first);
    }
    QString notice;
    EXPECT_EQ(dumpWithoutToday(print(id, false, &notice)), dumpWithoutToday(good));
    EXPECT_EQ(notice, "");

    // A write that fails before the rename leaves the old file whole and nothing beside it.
    layout.bands[0].elements[0].rect.moveLeft(0);
    EXPECT_THROW(
        writeInvoiceLayoutFile(path, layout, [] { throw AppError(QStringLiteral("disk doldu")); }),
        AppError);
    EXPECT_EQ(readAll(path), first);
    EXPECT_EQ(QDir(QFileInfo(path).path()).entryList({"TfrmFtSatisP*"}, QDir::Files),
              QStringList{"TfrmFtSatisP.ftr"});
    // A layout given for one print, as dulvet-admin's --layout does: the installed file is not
    // read.
    const QString other = t.dir.filePath("baska.ftr");
    writeInvoiceLayoutFile(other, layout);
    const PageSet given =
        InvoicePrint::pages(company(), t.global->fatPlan(), id, false, nullptr, other);
    EXPECT_EQ(texts(given, "TitleBand1").size(), texts(good, "TitleBand1").size());
    EXPECT_NE(dumpWithoutToday(given), dumpWithoutToday(good));
    EXPECT_THROW(InvoicePrint::pages(company(), t.global->fatPlan(), id, false, nullptr,
                                     t.dir.filePath("yok.ftr")),
                 AppError);
}
