#pragma once

#include <QString>
#include <QStringList>
#include <span>

class IniFile;
struct ReportDef;

// What every label sheet shares: its settings kept as typed texts in a Users.ini section, read
// as whole numbers when the labels are made, and the page they make.
namespace LabelSheet {

struct Key {
    const char* key;
    const char* fallback;
    const char* caption; // "Sayfa Uzunluğu : "
};

// The texts of the keys, the fallback for what is missing.
QStringList read(const IniFile& ini, const QString& section, std::span<const Key> keys);
void write(IniFile& ini, const QString& section, std::span<const Key> keys,
           const QStringList& values);

// A sheet value as a whole number not below 0; false when it is not one.
bool whole(const QString& text, int& value);
// Why a value is not one: "\"Sayfa Uzunluğu\" tam sayı olmalı: \"4a\"".
QString notWhole(const Key& key, const QString& text);

// A page in millimetres.
struct Page {
    int length = 0, width = 0, top = 0, bottom = 0, left = 0, right = 0;
    int areaWidth() const { return width - left - right; }
    int areaHeight() const { return length - top - bottom; }
};
// Sizes of zero, or margins that leave no room; empty when the page can print.
QString pageRefusal(const Page& page);
// A label wider than its column or longer than the page; empty when it fits.
QString labelRefusal(const Page& page, int columns, double widthMm, double heightMm);
// A custom paper of the page's size and margins, in `columns` columns.
void apply(ReportDef& def, const Page& page, int columns = 1);

} // namespace LabelSheet
