#include "ReportSupport.h"
#include "printing/CompanyListReport.h"
#include "printing/OnIzle.h"
#include "printing/ReportRegistry.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"
#include "support/Installation.h"
#include "support/QtPrinters.h"
#include "support/ScriptedMessages.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

ReportRegistry companyReports()
{
    ReportRegistry reports;
    registerCompanyListReport(reports);
    return reports;
}

ReportDef tallReport()
{
    ReportDef def;
    def.name = "rprDeneme";
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = 100;
    def.page.heightMm = 40;
    def.page.left = def.page.right = def.page.top = def.page.bottom = 5;
    def.bands = {band(BandKind::Detail, "Detay", 10,
                      {element(ElementKind::DBText, "txtKodu", {0, 0, 30, 5}, "Kodu")})};
    return def;
}

struct PreviewTest : ::testing::Test {
    QTemporaryDir dir;
    InstallSettings install{dir.path()};
    ScriptedMessages messages;
    Shell shell{install, messages};
};

} // namespace

TEST_F(PreviewTest, PagesAndStatus)
{
    ReportData data(9); // three records a page: three pages
    ReportRenderer renderer(tallReport(), data.table.get());
    TfrmOnIzle preview(shell, renderer.render());
    preview.show();
    QApplication::processEvents();
    EXPECT_EQ(preview.pageCount(), 3);
    EXPECT_EQ(preview.statusText(0), "Sayfa : 1 - 3");
    QTest::keyClick(&preview, Qt::Key_PageUp); // on the first page: no change
    EXPECT_EQ(preview.currentPage(), 0);
    QTest::keyClick(&preview, Qt::Key_PageDown);
    EXPECT_EQ(preview.statusText(0), "Sayfa : 2 - 3");
    QTest::keyClick(&preview, Qt::Key_End);
    QTest::keyClick(&preview, Qt::Key_PageDown); // on the last page: no change
    EXPECT_EQ(preview.currentPage(), 2);
    QTest::keyClick(&preview, Qt::Key_Home);
    EXPECT_EQ(preview.currentPage(), 0);
    QTest::keyClick(&preview, Qt::Key_F2);
    EXPECT_EQ(preview.zoom(), TfrmOnIzle::Zoom::FitPage);
    QTest::keyClick(&preview, Qt::Key_F3);
    EXPECT_EQ(preview.zoom(), TfrmOnIzle::Zoom::Original);
    QTest::keyClick(&preview, Qt::Key_F4, Qt::AltModifier);
    EXPECT_TRUE(preview.isVisible());
    EXPECT_EQ(preview.commandButton("Pdf")->text(), "PDF [Alt+F6]");
    EXPECT_TRUE(preview.commandButton("Dos")->isEnabled());
    // On a 1024 × 768 screen every key button shows its whole caption.
    preview.resize(1024, 768);
    QApplication::processEvents();
    for (const char* id : {"Pdf", "Excel", "Cikis"}) {
        QPushButton* button = preview.commandButton(id);
        EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()) + 8)
            << id;
    }
}

TEST_F(PreviewTest, ExportsAskForAFileAndTellWhenTheyCannotWrite)
{
    ReportData data(9);
    ReportRenderer renderer(tallReport(), data.table.get());
    TfrmOnIzle preview(shell, renderer.render());
    QString answer = dir.filePath("Deneme.jpg");
    preview.chooseFile = [&](const QString&, const QString&) { return answer; };
    preview.show();
    QApplication::processEvents();
    QTest::keyClick(&preview, Qt::Key_F8);
    EXPECT_EQ(QDir(dir.path()).entryList({"Deneme*.jpg"}),
              QStringList({"Deneme1.jpg", "Deneme2.jpg", "Deneme3.jpg"}));
    answer = dir.filePath("liste.xls");
    QTest::keyClick(&preview, Qt::Key_F6);
    EXPECT_TRUE(QFile::exists(answer));
    EXPECT_FALSE(QFile::exists(answer + "t")); // the work file is gone
    answer = dir.filePath("rapor");
    QTest::keyClick(&preview, Qt::Key_F6, Qt::AltModifier);
    EXPECT_TRUE(QFile::exists(dir.filePath("rapor.pdf")));
    answer = dir.filePath("yok/rapor.txt");
    QTest::keyClick(&preview, Qt::Key_F7);
    ASSERT_EQ(messages.asked.size(), 1);
    EXPECT_TRUE(messages.asked.front().contains("yazılamadı"));
    answer.clear(); // a cancelled dialog does nothing
    QTest::keyClick(&preview, Qt::Key_F11);
    EXPECT_EQ(messages.asked.size(), 1);
}

TEST_F(PreviewTest, ExportsWaitForTheLastPageAndEscCancels)
{
    ReportData data(30);
    ReportRenderer renderer(tallReport(), data.table.get());
    TfrmOnIzle preview(shell, renderer);
    preview.show();
    EXPECT_FALSE(preview.commandEnabled("Excel"));
    preview.produce();
    EXPECT_GT(preview.pageCount(), 0);
    EXPECT_FALSE(preview.finished());
    EXPECT_FALSE(preview.commandEnabled("Pdf"));
    while (!renderer.done())
        preview.produce();
    EXPECT_TRUE(preview.finished());
    EXPECT_TRUE(preview.commandEnabled("Excel"));
    EXPECT_EQ(preview.pageCount(), 10);

    ReportRenderer second(tallReport(), data.table.get());
    TfrmOnIzle cancelled(shell, second);
    cancelled.show();
    cancelled.produce();
    QTest::keyClick(&cancelled, Qt::Key_Escape);
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_TRUE(second.done());
    EXPECT_FALSE(second.pages().finished);
}

TEST(RegisteredReports, CompanyListRunsWithoutAWindow)
{
    TestInstallation t;
    t.createCompany(NewCompany{"ABC", "Deneme Ltd."});
    t.createCompany(NewCompany{"DEF", "İkinci A.Ş."});
    const PageSet pages = companyReports().run(kCompanyListReport, *t.global, nullptr);
    ASSERT_EQ(pages.pageCount(), 1);
    const QString text = pages.plainText();
    EXPECT_TRUE(text.contains("ŞİRKET LİSTESİ"));
    EXPECT_TRUE(text.contains("İkinci A.Ş."));
    EXPECT_TRUE(text.contains("Listelenen 2 adet"));
    EXPECT_THROW(companyReports().run(1, *t.global, nullptr), AppError);
    // An option the report does not take is refused, not ignored.
    EXPECT_THROW(companyReports().run(kCompanyListReport, *t.global, nullptr, {{"from", "x"}}),
                 AppError);
    ReportRegistry twice = companyReports();
    EXPECT_THROW(registerCompanyListReport(twice), AppError);
}
