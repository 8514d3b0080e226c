#include "printing/Exports.h"

#include "printing/TextPrint.h"
#include "store/AppError.h"

#include <QFile>
#include <QSaveFile>
#include <QScopeGuard>

ExportFormat exportFormatFromName(const QString& name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("xls")) return ExportFormat::Spreadsheet;
    if (n == QLatin1String("txt")) return ExportFormat::Text;
    if (n == QLatin1String("jpg")) return ExportFormat::Jpeg;
    if (n == QLatin1String("qrp")) return ExportFormat::ReportFile;
    if (n == QLatin1String("pdf")) return ExportFormat::Pdf;
    if (n == QLatin1String("prn")) return ExportFormat::Printer;
    throw AppError(
        QStringLiteral("Bilinmeyen çıktı biçimi: %1 (pdf, xls, txt, jpg, qrp ya da prn olmalı)")
            .arg(name));
}

namespace {

// Writes through a temporary file that takes the target's name only when complete.
void writeText(const QString& path, const QByteArray& bytes, const QString& what)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("%1 yazılamadı: %2").arg(what, path), file.errorString());
}

} // namespace

QStringList exportPages(const PageSet& pages, ExportFormat format, const QString& path,
                        const PrinterPitch& printer)
{
    switch (format) {
    case ExportFormat::Spreadsheet: {
        const QString work = path + QLatin1Char('t');
        // The work file goes whatever happens: a failed export leaves nothing behind.
        const auto removeWork = qScopeGuard([&] { QFile::remove(work); });
        writeText(work, pages.delimitedText(QLatin1Char('^')).toUtf8(),
                  QStringLiteral("Excel dosyası"));
        QFile in(work);
        if (!in.open(QIODevice::ReadOnly))
            throw AppError(QStringLiteral("Excel dosyası yazılamadı: %1").arg(work),
                           in.errorString());
        const QString delimited = QString::fromUtf8(in.readAll());
        in.close();
        writeSpreadsheet(delimited, path);
        return {path};
    }
    case ExportFormat::Text:
        writeText(path, pages.plainText(TextPrint::charsPerInch(printer.pitch)).toUtf8(),
                  QStringLiteral("Text dosyası"));
        return {path};
    case ExportFormat::Jpeg:
        return pages.writeJpegs(path);
    case ExportFormat::ReportFile:
        pages.save(path);
        return {path};
    case ExportFormat::Pdf:
        pages.writePdf(path);
        return {path};
    case ExportFormat::Printer:
        writeText(path, TextPrint::stream(pages, printer.pitch, printer.pageLines),
                  QStringLiteral("Yazıcı dosyası"));
        return {path};
    }
    return {};
}
