#include "printing/LabelSheet.h"

#include "printing/ReportDef.h"
#include "store/IniFile.h"

namespace LabelSheet {

QStringList read(const IniFile& ini, const QString& section, std::span<const Key> keys)
{
    QStringList values;
    for (const Key& k : keys)
        values << ini.readString(section, QLatin1String(k.key), QString::fromUtf8(k.fallback));
    return values;
}

void write(IniFile& ini, const QString& section, std::span<const Key> keys,
           const QStringList& values)
{
    QList<QPair<QString, QString>> pairs;
    for (size_t i = 0; i < keys.size(); ++i)
        pairs.append({QLatin1String(keys[i].key), values.value(qsizetype(i))});
    ini.writeStrings(section, pairs);
}

bool whole(const QString& text, int& value)
{
    bool ok = false;
    value = text.trimmed().toInt(&ok);
    return ok && value >= 0;
}

QString notWhole(const Key& key, const QString& text)
{
    return QStringLiteral("\"%1\" tam sayı olmalı: \"%2\"")
        .arg(QString::fromUtf8(key.caption).section(QLatin1Char(':'), 0, 0).trimmed(), text);
}

QString pageRefusal(const Page& page)
{
    if (page.length == 0 || page.width == 0) return QStringLiteral("Sayfa ölçüleri sıfır olamaz.");
    if (page.areaWidth() <= 0 || page.areaHeight() <= 0)
        return QStringLiteral("Kenar boşlukları sayfada basılacak alan bırakmıyor.");
    return QString();
}

QString labelRefusal(const Page& page, int columns, double widthMm, double heightMm)
{
    if (columns < 1) return QStringLiteral("Kolon sayısı en az 1 olmalı.");
    if (widthMm <= 0 || heightMm <= 0) return QStringLiteral("Etiket ölçüleri sıfır olamaz.");
    const double column = double(page.areaWidth()) / columns;
    if (widthMm > column + 1e-9)
        return QStringLiteral("Etiket (%1 mm) kolondan (%2 mm) geniş.")
            .arg(QString::number(widthMm, 'f', 1), QString::number(column, 'f', 1));
    if (heightMm > page.areaHeight() + 1e-9)
        return QStringLiteral("Etiket (%1 mm) sayfadan (%2 mm) uzun.")
            .arg(QString::number(heightMm, 'f', 1))
            .arg(page.areaHeight());
    return QString();
}

void apply(ReportDef& def, const Page& page, int columns)
{
    def.page.paper = PageSettings::Paper::Custom;
    def.page.widthMm = page.width;
    def.page.heightMm = page.length;
    def.page.top = page.top;
    def.page.bottom = page.bottom;
    def.page.left = page.left;
    def.page.right = page.right;
    def.page.columns = columns;
}

} // namespace LabelSheet
