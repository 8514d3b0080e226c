// The report engine on 100,000 records with a group per 100 records and a running sum: pages
// per second into the page set, time to the first page, PDF of 1,000 pages, memory of 5,000 pages.
//
//   QT_QPA_PLATFORM=offscreen bench_report [RECORDS]
#include "BenchUtil.h"
#include "printing/ReportBuilder.h"
#include "printing/ReportRenderer.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/StoreSession.h"
#include "store/Table.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

namespace {

ElementDef text(ElementKind kind, const QString& name, QRectF rect, const QString& value,
                const QString& mask = QString())
{
    ElementDef e = ReportBuilder::element(kind, name, rect, value);
    e.mask = mask;
    if (!mask.isEmpty()) e.alignment = Qt::AlignRight;
    return e;
}

using ReportBuilder::band;

ReportDef report()
{
    ReportDef def;
    def.name = "rprHareket";
    def.bands = {
        band(BandKind::Title, "Baslik", 10,
             {text(ElementKind::Label, "lblBaslik", {0, 0, 190, 8}, "HAREKET LİSTESİ")}),
        band(BandKind::PageHeader, "SayfaBasi", 6,
             {text(ElementKind::Label, "lblKodu", {0, 0, 30, 5}, "Kodu"),
              text(ElementKind::Label, "lblUnvan", {30, 0, 80, 5}, "Ünvanı"),
              text(ElementKind::Label, "lblTutar", {150, 0, 40, 5}, "Tutar")}),
        band(BandKind::GroupHeader, "GrupBasi", 6,
             {text(ElementKind::DBText, "txtGrup", {0, 0, 40, 5}, "Grup")}),
        band(BandKind::Detail, "Detay", 5,
             {text(ElementKind::DBText, "txtKodu", {0, 0, 30, 5}, "Kodu"),
              text(ElementKind::DBText, "txtUnvan", {30, 0, 80, 5}, "Unvani"),
              text(ElementKind::DBText, "txtTarih", {110, 0, 40, 5}, "Tarih"),
              text(ElementKind::DBText, "txtTutar", {150, 0, 40, 5}, "Tutar", "#,##0.00")}),
        band(BandKind::GroupFooter, "GrupSonu", 6,
             {text(ElementKind::Expr, "exGrup", {150, 0, 40, 5}, "SUM(Tutar)", "#,##0.00")}),
        band(BandKind::PageFooter, "SayfaSonu", 6,
             {text(ElementKind::Expr, "exNakli", {150, 0, 40, 5}, "SUM(Tutar)", "#,##0.00")}),
    };
    def.bands[2].groupExpression = "Grup";
    def.bands[4].elements[0].resetAfterPrint = true;
    return def;
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir(QDir::current().filePath(QStringLiteral("bench-report-XXXXXX")));
    try {
        StoreSession session(dir.filePath("klt"));
        Connection db(session, dir.path(), Connection::OpenMode::CreateIfMissing);
        TableDef def;
        def.name = "Hareket";
        def.fields = {
            {"Nosu", FieldKind::AutoInc, 0, true},  {"Kodu", FieldKind::Text, 10, false},
            {"Unvani", FieldKind::Text, 40, false}, {"Tarih", FieldKind::Date, 0, false},
            {"Tutar", FieldKind::Float, 0, false},  {"Grup", FieldKind::Integer, 0, false}};
        def.indexes = {{QString(), "Nosu", IndexPrimary | IndexUnique}};
        db.createTable(def);
        Table table(db, "Hareket");
        table.open();
        {
            CommandTransaction tx(db);
            for (int i = 0; i < records; ++i) {
                table.append();
                table.field(1).setValue(QStringLiteral("K%1").arg(i % 5000));
                table.field(2).setValue(QStringLiteral("Müşteri Ticaret Ltd. Şti. %1").arg(i));
                table.field(3).setValue(QDate(2024, 1, 1).addDays(i % 700));
                table.field(4).setValue(i * 1.25);
                table.field(5).setValue(i / 100);
                table.post();
            }
            tx.commit();
        }
        const double rssBefore = rssMb();
        QElapsedTimer timer;
        timer.start();
        double firstPageMs = -1;
        ReportRenderer renderer(report(), &table);
        renderer.progress = [&](int pages) {
            if (pages == 1) firstPageMs = timer.nsecsElapsed() / 1e6;
            return true;
        };
        const PageSet set = renderer.render();
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%d records: %d pages in %.2f s = %.0f pages/s (budget 500); first page after "
                    "%.1f ms (budget 200)\n",
                    records, set.pageCount(), seconds, set.pageCount() / seconds, firstPageMs);
        std::printf(
            "memory of the page set: %.1f MB for %d pages (%.1f MB per 5,000 pages; budget 100)\n",
            rssMb() - rssBefore, set.pageCount(), (rssMb() - rssBefore) * 5000.0 / set.pageCount());
        timer.restart();
        set.writePdf(dir.filePath("rapor.pdf"));
        const double pdf = timer.nsecsElapsed() / 1e9;
        std::printf("PDF of %d pages: %.2f s = %.2f s per 1,000 pages, %.1f MB (budget 10 s per "
                    "1,000)\n",
                    set.pageCount(), pdf, pdf * 1000 / set.pageCount(),
                    QFileInfo(dir.filePath("rapor.pdf")).size() / 1048576.0);
        timer.restart();
        const QString text = set.plainText();
        std::printf("plain text of all pages: %.2f s\n", timer.nsecsElapsed() / 1e9);
    } catch (const AppError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
