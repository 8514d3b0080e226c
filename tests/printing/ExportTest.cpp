#include "ReportSupport.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"

#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

PageSet threePages()
{
    PageSet set;
    for (int p = 0; p < 3; ++p) {
        Page page{QSizeF(100, 60), {}};
        DrawOp a;
        a.rect = QRectF(0, 4.2333, 20, 5);
        a.text = QStringLiteral("Şişli %1").arg(p + 1);
        a.band = "Detay";
        DrawOp b = a;
        b.rect = QRectF(30, 4.2333, 20, 5);
        b.text = QStringLiteral("1,234.50");
        b.alignment = Qt::AlignRight;
        DrawOp line;
        line.type = DrawOp::Type::Line;
        line.rect = QRectF(0, 10, 50, 0);
        page.ops = {b, a, line};
        set.pages.push_back(page);
    }
    set.finished = true;
    return set;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

TEST(Exports, PlainAndDelimitedText)
{
    const PageSet set = threePages();
    // 10 characters per inch: 30 mm ends column 20 for right alignment; line 1 at 6 lines per inch.
    EXPECT_TRUE(set.plainText().startsWith("\nŞişli 1     1,234.50\n\f"));
    EXPECT_EQ(set.plainText().count('\f'), 3);
    EXPECT_TRUE(set.delimitedText('^').startsWith("\"Şişli 1\"^\"1,234.50\"\n"));
}

TEST(Exports, SpreadsheetCellsFollowTheDelimitedLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.xls");
    writeSpreadsheet("\"A\"^\"\"^\"B\"\n\n\"Şişli\"\n", path);
    const QByteArray bytes = readAll(path);
    QDataStream s(bytes);
    s.setByteOrder(QDataStream::LittleEndian);
    quint16 type, length;
    s >> type >> length;
    EXPECT_EQ(type, 0x0809);
    s.skipRawData(length);
    s >> type >> length;
    EXPECT_EQ(type, 0x0042);
    s.skipRawData(length);
    struct Cell {
        int row, column;
        QByteArray text;
    };
    std::vector<Cell> cells;
    for (;;) {
        s >> type >> length;
        if (type != 0x0204) break;
        quint16 row, column, format, size;
        s >> row >> column >> format >> size;
        QByteArray text(size, '\0');
        s.readRawData(text.data(), size);
        cells.push_back({row, column, text});
    }
    EXPECT_EQ(type, 0x000A);
    ASSERT_EQ(cells.size(), 4u);
    EXPECT_EQ(cells[0].text, "A");
    EXPECT_EQ(cells[0].column, 0);
    EXPECT_EQ(cells[1].text, "B"); // the empty field took no column
    EXPECT_EQ(cells[1].column, 1);
    EXPECT_EQ(cells[2].row, 1); // an empty line is one empty cell at column 0
    EXPECT_EQ(cells[2].text, "");
    EXPECT_EQ(cells[3].text, QByteArray("\xDE"
                                        "i\xFE"
                                        "li")); // code page 1254

    QString tooLong;
    for (int i = 0; i < 65536; ++i)
        tooLong += "x\n";
    EXPECT_THROW(writeSpreadsheet(tooLong, dir.filePath("uzun.xls")), AppError);
    EXPECT_THROW(writeSpreadsheet("A", dir.filePath("yok/liste.xls")), AppError);
}

TEST(Exports, JpegPagesReportFileAndPdf)
{
    QTemporaryDir dir;
    const PageSet set = threePages();
    const QStringList written = set.writeJpegs(dir.filePath("Deneme.jpg"));
    EXPECT_EQ(written.size(), 3);
    EXPECT_TRUE(QFile::exists(dir.filePath("Deneme3.jpg")));
    EXPECT_FALSE(QFile::exists(dir.filePath("Deneme.jpg")));
    EXPECT_EQ(QDir(dir.path()).entryList({"*.jpg"}).size(), 3);

    set.save(dir.filePath("rapor.qrp"));
    const PageSet back = PageSet::load(dir.filePath("rapor.qrp"));
    EXPECT_EQ(back.dump(), set.dump());
    QByteArray damaged = readAll(dir.filePath("rapor.qrp"));
    damaged.truncate(damaged.size() / 2);
    QFile f(dir.filePath("bozuk.qrp"));
    f.open(QIODevice::WriteOnly);
    f.write(damaged);
    f.close();
    EXPECT_THROW(PageSet::load(dir.filePath("bozuk.qrp")), AppError);
    EXPECT_THROW(PageSet::load(dir.filePath("Deneme1.jpg")), AppError);

    set.writePdf(dir.filePath("rapor.pdf"));
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) GTEST_SKIP() << "pdftotext is not installed";
    QProcess p;
    p.start(pdftotext, {dir.filePath("rapor.pdf"), "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains("Şişli 3")) << text.toStdString();
    EXPECT_EQ(text.count("1,234.50"), 3);
}
