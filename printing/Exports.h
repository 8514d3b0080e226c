#pragma once

#include "printing/PageSet.h"

#include <QString>
#include <QStringList>

// The exports of a finished report, shared by the preview and dulvet-admin report.
enum class ExportFormat { Spreadsheet, Text, Jpeg, ReportFile, Pdf, Printer };

// How the printer's bytes ("prn") and the text are made: pitch 0 (10 characters per inch) or 1
// (17), and the lines of a printer's form.
struct PrinterPitch {
    int pitch = 0;
    int pageLines = 66;
};

// "xls", "txt", "jpg", "qrp", "pdf", "prn"; throws AppError for anything else.
ExportFormat exportFormatFromName(const QString& name);

// Writes the pages; returns the files written. Throws AppError when it cannot write.
// The spreadsheet goes through a "^"-delimited work file named like the target with "t"
// appended, which is removed afterwards.
QStringList exportPages(const PageSet& pages, ExportFormat format, const QString& path,
                        const PrinterPitch& printer = {});
