#include "ReportSupport.h"
#include "printing/Exports.h"
#include "printing/PdfWriter.h"
#include "store/AppError.h"
#include "support/QtPrinters.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

namespace {

PageSet threePages()
{
    PageSet set;
    for (int p = 0; p < 3; ++p) {
        Page& page = set.addPage(QSizeF(100, 60));
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
        for (const DrawOp& op : {b, a, line})
            page.add(op);
    }
    set.finished = true;
    return set;
}

struct Tool {
    int code = -1;
    QString out, err;
};

Tool runTool(const char* name, const QStringList& args)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (path.isEmpty()) return {};
    QProcess p;
    p.start(path, args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
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

namespace {

// A page of texts at positions in mm (left, top, width), left-aligned unless told.
struct Placed {
    double x, y, width;
    QString text;
    int alignment = 0;
    bool wrap = false;
    double angle = 0;
};

PageSet textPage(const std::vector<Placed>& texts)
{
    PageSet set;
    Page& page = set.addPage(QSizeF(210, 297));
    for (const Placed& t : texts) {
        DrawOp op;
        op.rect = QRectF(t.x, t.y, t.width, 5);
        op.text = t.text;
        op.alignment = t.alignment;
        op.wordWrap = t.wrap;
        op.angle = t.angle;
        page.add(op);
    }
    set.finished = true;
    return set;
}

} // namespace

TEST(Exports, TheTextGridLosesNoText)
{
    const double line = 25.4 / 6, column = 2.54;
    // A chain: each text would overwrite the one before; each moves right to leave a blank.
    EXPECT_EQ(textPage({{0, 0, 10, "AAAA"}, {2 * column, 0, 10, "BBBB"}, {4 * column, 0, 10, "CC"}})
                  .textLines(0),
              QStringList{"AAAA BBBB CC"});
    // An amount after a long title keeps its column when there is room, else follows the title.
    EXPECT_EQ(textPage({{0, 0, 40, "Kısa"}, {40, 0, 30, "1,234.50", Qt::AlignRight}}).textLines(0),
              QStringList{"Kısa                1,234.50"});
    EXPECT_EQ(textPage({{0, 0, 40, "Halk Bankası Diyarbakır Şubesi Müdürlüğü"},
                        {40, 0, 30, "1,234.50", Qt::AlignRight}})
                  .textLines(0),
              QStringList{"Halk Bankası Diyarbakır Şubesi Müdürlüğü 1,234.50"});
    // Two rows whose tops round to the same line: the second takes the next one.
    EXPECT_EQ(
        textPage({{0, 2.5, 20, "bir"}, {30, 2.5, 20, "iki"}, {0, 5.0, 20, "üç"}}).textLines(0),
        QStringList({"", "bir         iki", "üç"}));
    // Tops within half a line of the row's first text join its row, even across a rounding edge.
    EXPECT_EQ(textPage({{0, 0.45 * line, 20, "sol"}, {30, 0.55 * line, 20, "sağ"}}).textLines(0),
              QStringList{"sol         sağ"});
    // Memo lines of every ending, a word-wrapped text at its box, an angled one flat, no control
    // character left inside a line.
    EXPECT_EQ(textPage({{0, 0, 30, "a\nb\r\nc\n\rd\re\n\nf"}}).textLines(0),
              QStringList({"a", "b", "c", "d", "e", "", "f"}));
    EXPECT_EQ(textPage({{0, 0, 7 * column, "bir iki üç dört beşinciler", 0, true}}).textLines(0),
              QStringList({"bir iki", "üç dört", "beşinci", "ler"}));
    EXPECT_EQ(textPage({{10 * column, 0, 20, "Dikey", 0, false, 90}}).textLines(0),
              QStringList{"          Dikey"});
    EXPECT_EQ(textPage({{0, 0, 30,
                         "a\tb\x01"
                         "c\fd"}})
                  .textLines(0),
              QStringList{"a bcd"});
    // 17 characters per inch: the same places, finer columns.
    EXPECT_EQ(
        textPage({{0, 0, 10, "A"}, {25.4, 0, 10, "B"}, {0, line, 25.4, "9.50", Qt::AlignRight}})
            .textLines(0, 17),
        QStringList({"A                B", "             9.50"}));
    // Pages end with a form feed; blank texts take no room.
    EXPECT_EQ(textPage({{0, 0, 10, "   "}, {0, line, 10, "x"}}).plainText(), "\nx\n\f");
}

namespace {

struct Cell {
    int row, column;
    QByteArray text;
};

// A written spreadsheet read back: the types of its first two records (BOF and CODEPAGE), its
// label cells, and the type of the record that ended them.
struct Spreadsheet {
    quint16 first = 0, second = 0, end = 0;
    std::vector<Cell> cells;
};

Spreadsheet readSpreadsheet(const QByteArray& bytes)
{
    Spreadsheet sheet;
    QDataStream s(bytes);
    s.setByteOrder(QDataStream::LittleEndian);
    quint16 type, length;
    for (quint16* header : {&sheet.first, &sheet.second}) {
        s >> type >> length;
        *header = type;
        s.skipRawData(length);
    }
    for (;;) {
        s >> type >> length;
        sheet.end = type;
        if (type != 0x0204) break;
        quint16 row, column, format, size;
        s >> row >> column >> format >> size;
        QByteArray text(size, '\0');
        s.readRawData(text.data(), size);
        sheet.cells.push_back({row, column, text});
    }
    return sheet;
}

} // namespace

TEST(Exports, SpreadsheetKeepsLongCellsAndDropsTheCarriageReturnsOfCrlfLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.xls");
    const QString address = QString(300, QLatin1Char('a'));
    writeSpreadsheet("\"A\"^\"B\"\r\n\"" + address + "\"\r\n", path);
    const Spreadsheet sheet = readSpreadsheet(readAll(path));
    const std::vector<Cell>& cells = sheet.cells;
    EXPECT_EQ(sheet.end, 0x000A);
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[1].text, "B"); // not "B\r"
    EXPECT_EQ(cells[2].text.size(), 300);
}

TEST(Exports, SpreadsheetCellsFollowTheDelimitedLines)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.xls");
    writeSpreadsheet("\"A\"^\"\"^\"B\"\n\n\"Şişli\"\n", path);
    const Spreadsheet sheet = readSpreadsheet(readAll(path));
    const std::vector<Cell>& cells = sheet.cells;
    EXPECT_EQ(sheet.first, 0x0809);
    EXPECT_EQ(sheet.second, 0x0042);
    EXPECT_EQ(sheet.end, 0x000A);
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
    const Tool pdftotext = runTool("pdftotext", {dir.filePath("rapor.pdf"), "-"});
    if (pdftotext.code < 0) GTEST_SKIP() << "pdftotext is not installed";
    const QString& text = pdftotext.out;
    EXPECT_TRUE(text.contains("Şişli 3")) << text.toStdString();
    EXPECT_EQ(text.count("1,234.50"), 3);
}

TEST(PageSetStorage, LongReportsKeepEveryPageThroughTheTemporaryFile)
{
    // Enough pages that the early ones leave memory and come back from the file.
    PageSet set;
    QString expected;
    for (int p = 0; p < 150; ++p) {
        Page& page = set.addPage(QSizeF(210, 297));
        for (int line = 0; line < 40; ++line) {
            DrawOp op;
            op.rect = QRectF(10 + line % 3, 10 + line * 6.35, 80, 5);
            op.text = QStringLiteral("Sayfa %1 satır %2 ĞÜŞİÖÇ").arg(p + 1).arg(line + 1);
            op.band = line % 2 ? "Detay" : "Baslik";
            op.font.setBold(line % 5 == 0);
            op.alignment = line % 4 ? Qt::AlignLeft : Qt::AlignRight;
            page.add(op);
        }
    }
    set.finished = true;
    ASSERT_EQ(set.pageCount(), 150);
    const std::shared_ptr<const Page> first = set.page(0);
    ASSERT_EQ(first->opCount(), 40);
    EXPECT_EQ(first->op(7).text, "Sayfa 1 satır 8 ĞÜŞİÖÇ");
    EXPECT_EQ(first->op(7).band, "Detay");
    EXPECT_EQ(first->op(5).font.bold(), true);
    EXPECT_EQ(first->op(4).alignment, int(Qt::AlignRight));
    EXPECT_DOUBLE_EQ(first->op(39).rect.y(), 10 + 39 * 6.35);
    // Out of order and again: the same page each time.
    EXPECT_EQ(set.page(120)->op(0).text, "Sayfa 121 satır 1 ĞÜŞİÖÇ");
    EXPECT_EQ(set.page(3)->op(39).text, "Sayfa 4 satır 40 ĞÜŞİÖÇ");
    EXPECT_EQ(set.page(149)->op(39).text, "Sayfa 150 satır 40 ĞÜŞİÖÇ");
    const QString text = set.plainText();
    EXPECT_EQ(text.count(QLatin1Char('\f')), 150);
    EXPECT_TRUE(text.contains("Sayfa 77 satır 23 ĞÜŞİÖÇ"));

    // A copy shares the pages; the report file keeps them all.
    const PageSet copy = set;
    QTemporaryDir dir;
    copy.save(dir.filePath("uzun.qrp"));
    const PageSet loaded = PageSet::load(dir.filePath("uzun.qrp"));
    EXPECT_EQ(loaded.dump(), set.dump());
}

namespace {

// Forty full pages: every export of it is well over the file size limit below.
PageSet fortyPages()
{
    PageSet set;
    for (int p = 0; p < 40; ++p) {
        Page& page = set.addPage(QSizeF(210, 297));
        for (int line = 0; line < 40; ++line) {
            DrawOp op;
            op.rect = QRectF(10, 10 + line * 6, 150, 5);
            op.text = QStringLiteral("Satır %1 / %2 Şişli Çarşı 1,234,567.89").arg(line).arg(p);
            op.band = "Detay";
            page.add(op);
        }
    }
    set.finished = true;
    return set;
}

// Writes beyond `bytes` fail as on a full disk while it lives.
struct FileSizeLimit {
    rlimit saved{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit low = saved;
        low.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &low);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved); }
};

} // namespace

TEST(Exports, AnExportThatRunsOutOfDiskSaysSoAndLeavesNoPartialFile)
{
    const PageSet set = fortyPages();
    QTemporaryDir dir;
    const QString earlier = dir.filePath("rapor.pdf");
    {
        QFile old(earlier);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski");
    }
    for (const char* format : {"pdf", "txt", "xls", "jpg", "qrp"}) {
        SCOPED_TRACE(format);
        const QString path = dir.filePath(QStringLiteral("rapor.%1").arg(format));
        {
            FileSizeLimit limit(8192);
            EXPECT_THROW(exportPages(set, exportFormatFromName(format), path), AppError);
        }
        QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, QStringList({"rapor.pdf"})) << left.join(' ').toStdString();
    }
    EXPECT_EQ(readAll(earlier), "eski"); // the file there before is kept whole
}

TEST(PageSetStorage, AFileWithImpossiblePositionsOrColoursIsDamagedNotObeyed)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("rapor.qrp");
    const auto saved = [&](const std::function<void(DrawOp&)>& change) {
        PageSet set;
        DrawOp op;
        op.rect = QRectF(10, 10, 40, 5);
        op.text = "Şişli";
        op.color = QColor(0x12, 0x34, 0x56);
        change(op);
        set.addPage(QSizeF(210, 297)).add(op);
        set.save(path);
        return readAll(path);
    };
    const auto loads = [&](const QByteArray& bytes) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        try {
            PageSet::load(path);
            return std::string("loaded");
        } catch (const AppError& e) {
            return e.message().toStdString();
        }
    };
    EXPECT_EQ(loads(saved([](DrawOp&) {})), "loaded");
    // A text 9,000 km down the page would make the text export fill gigabytes with lines.
    EXPECT_NE(loads(saved([](DrawOp& op) { op.rect.moveTop(9e9); })).find("bozuk"),
              std::string::npos);
    EXPECT_NE(loads(saved([](DrawOp& op) { op.rect.setWidth(qInf()); })).find("bozuk"),
              std::string::npos);
    EXPECT_NE(loads(saved([](DrawOp& op) { op.color = QColor(); })).find("bozuk"),
              std::string::npos);
    // A colour of a kind Qt does not know: the kind byte before the colour's components.
    QByteArray bytes = saved([](DrawOp&) {});
    const QByteArray rgb("\x01\xff\xff\x12\x12\x34\x34\x56\x56", 9);
    ASSERT_GE(bytes.indexOf(rgb), 0);
    bytes[bytes.indexOf(rgb)] = 17;
    EXPECT_NE(loads(bytes).find("bozuk"), std::string::npos);
}

TEST(Exports, TheDirectPdfDrawsEveryKindOfOperationAndLeavesMissingGlyphsToQt)
{
    PageSet set;
    for (int p = 0; p < 2; ++p) {
        Page& page = set.addPage(QSizeF(210, 297));
        const auto add = [&](DrawOp::Type type, QRectF rect, const QString& text = {}) {
            DrawOp op;
            op.type = type;
            op.rect = rect;
            op.text = text;
            return op;
        };
        DrawOp bold = add(DrawOp::Type::Text, {10, 10, 80, 6}, "Şişli Çarşı İĞÜ ığü");
        bold.font.setBold(true);
        bold.font.setUnderline(true);
        page.add(bold);
        DrawOp amount = add(DrawOp::Type::Text, {100, 10, 40, 5}, "-999,999,999,999.99");
        amount.alignment = Qt::AlignRight;
        page.add(amount);
        DrawOp wrapped = add(DrawOp::Type::Text, {10, 30, 40, 20},
                             "uzun bir açıklama ki kutusuna sığmaz ve alt satıra geçer");
        wrapped.wordWrap = true;
        page.add(wrapped);
        DrawOp turned = add(DrawOp::Type::Text, {150, 100, 40, 5}, "Dikey yazı");
        turned.angle = 90;
        page.add(turned);
        page.add(add(DrawOp::Type::Text, {10, 60, 20, 5}, "Kesilen çok uzun ünvan burada"));
        page.add(add(DrawOp::Type::Line, {10, 70, 100, 0}));
        DrawOp box = add(DrawOp::Type::Rect, {10, 80, 30, 20});
        box.fill = Qt::blue;
        page.add(box);
        page.add(add(DrawOp::Type::Ellipse, {50, 80, 30, 20}));
        QImage logo(8, 8, QImage::Format_ARGB32);
        logo.fill(QColor(255, 0, 0, 128));
        DrawOp picture = add(DrawOp::Type::Picture, {90, 80, 20, 20});
        picture.picture = set.addPicture(logo);
        page.add(picture);
    }
    set.finished = true;
    QBuffer direct;
    direct.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeDirectPdf(set, direct));
    EXPECT_TRUE(direct.data().startsWith("%PDF-1.4"));
    EXPECT_TRUE(direct.data().endsWith("%%EOF\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath("rapor.pdf");
    set.writePdf(path);
    const Tool text = runTool("pdftotext", {"-layout", path, "-"});
    if (text.code < 0) GTEST_SKIP() << "poppler-utils are not installed";
    EXPECT_EQ(text.code, 0);
    EXPECT_TRUE(text.err.isEmpty()) << text.err.toStdString(); // no complaint about the file
    EXPECT_EQ(text.out.count("Şişli Çarşı İĞÜ ığü"), 2) << text.out.toStdString();
    EXPECT_TRUE(text.out.contains("-999,999,999,999.99"));
    EXPECT_TRUE(text.out.contains("sığmaz")); // a word of the second line of the wrapped text
    const Tool info = runTool("pdfinfo", {path});
    EXPECT_TRUE(info.out.contains(QRegularExpression("Pages: +2"))) << info.out.toStdString();
    EXPECT_TRUE(info.err.isEmpty()) << info.err.toStdString();
    const Tool image = runTool(
        "pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-png", path, dir.filePath("sayfa")});
    EXPECT_EQ(image.code, 0);
    EXPECT_TRUE(image.err.isEmpty()) << image.err.toStdString();
    const QImage shown(dir.filePath("sayfa-1.png"));
    ASSERT_FALSE(shown.isNull());
    // The blue box (10 to 40 mm across, 80 to 100 mm down) is blue on the page.
    const QColor middle = shown.pixelColor(int(25 / 25.4 * 50), int(90 / 25.4 * 50));
    EXPECT_GT(middle.blue(), 200);
    EXPECT_LT(middle.red(), 50);

    // A character the font lacks needs another font for it: Qt's engine draws those pages.
    PageSet chinese;
    DrawOp op;
    op.rect = QRectF(10, 10, 50, 5);
    op.text = QString::fromUtf8("中文 Şişli");
    chinese.addPage(QSizeF(210, 297)).add(op);
    chinese.finished = true;
    QBuffer ignored;
    ignored.open(QIODevice::WriteOnly);
    EXPECT_FALSE(writeDirectPdf(chinese, ignored));
    chinese.writePdf(path);
    EXPECT_TRUE(runTool("pdfinfo", {path}).out.contains(QRegularExpression("Pages: +1")));
}

TEST(Exports, PhotographsGoIntoThePdfAsJpegAndDrawingsKeepEveryPixel)
{
    // A photograph-like picture (thousands of colours) and a two-colour symbol.
    QImage photo(200, 150, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, y, (x * y) % 256));
    QImage symbol(200, 50, QImage::Format_RGB32);
    symbol.fill(Qt::white);
    for (int x = 0; x < symbol.width(); x += 4)
        for (int y = 0; y < symbol.height(); ++y)
            symbol.setPixel(x, y, qRgb(0, 0, 0));
    const auto pdfOf = [](const QImage& picture) {
        PageSet set;
        DrawOp op;
        op.type = DrawOp::Type::Picture;
        op.rect = QRectF(10, 10, 60, 45);
        op.picture = set.addPicture(picture);
        set.addPage(QSizeF(210, 297)).add(op);
        set.finished = true;
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        EXPECT_TRUE(writeDirectPdf(set, out));
        return out.data();
    };
    const QByteArray photoPdf = pdfOf(photo), symbolPdf = pdfOf(symbol);
    EXPECT_TRUE(photoPdf.contains("/DCTDecode"));
    EXPECT_FALSE(symbolPdf.contains("/DCTDecode"));
    EXPECT_TRUE(symbolPdf.contains("/Subtype /Image"));
}
