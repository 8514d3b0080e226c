#include "invoicing/InvoiceMath.h"

#include "store/CompanyData.h"
#include "store/IniFile.h"

#include <algorithm>

LineAmounts computeLine(const CompanyData& company, LineAmounts line)
{
    line.tutari = company.RoundMoney(line.miktari * line.birimF);
    line.iskTutar =
        company.RoundMoney(line.iskOran > 0 ? line.iskOran * line.tutari / 100 : line.iskTutar);
    MoneySum net;
    net += line.tutari;
    net -= line.iskTutar;
    line.araTop = company.RoundMoney(net.value());
    line.kdvTutar =
        company.RoundMoney(line.kdvOran > 0 ? line.kdvOran * line.araTop / 100 : line.kdvTutar);
    MoneySum total;
    total += line.araTop;
    total += line.kdvTutar;
    line.topTutar = company.RoundMoney(total.value());
    return line;
}

LineAmounts lineTotals(const CompanyData& company, LineAmounts line)
{
    MoneySum net;
    net += line.tutari;
    net -= line.iskTutar;
    line.araTop = company.RoundMoney(net.value());
    MoneySum total;
    total += line.araTop;
    total += line.kdvTutar;
    line.topTutar = company.RoundMoney(total.value());
    return line;
}

LineAmounts leaveLineField(const CompanyData& company, LineAmounts line, LineField field)
{
    line = lineTotals(company, line);
    switch (field) {
    case LineField::Quantity:
        return computeLine(company, line);
    case LineField::DiscountRate:
        if (line.iskOran > 0 && line.tutari > 0)
            line.iskTutar = company.RoundMoney(line.iskOran * line.tutari / 100);
        break;
    case LineField::VatRate:
        if (line.kdvOran > 0 && line.araTop > 0)
            line.kdvTutar = company.RoundMoney(line.kdvOran * line.araTop / 100);
        break;
    case LineField::Price:
    case LineField::Amount:
    case LineField::DiscountAmount:
    case LineField::VatAmount:
        line.tutari = company.RoundMoney(line.miktari * line.birimF);
        break;
    }
    return lineTotals(company, line);
}

double priceWithoutVat(const CompanyData& company, double price, double rate, bool sales)
{
    if (!(price > 0 && rate > 0)) return price;
    return company.RoundMoney(sales ? price / (rate / 100 + 1) : price / (rate + 100) * 100);
}

std::vector<VatGroup> vatByRate(const CompanyData& company, const std::vector<LineAmounts>& lines)
{
    std::vector<VatGroup> groups;
    for (const LineAmounts& line : lines) {
        auto group = std::find_if(groups.begin(), groups.end(),
                                  [&](const VatGroup& g) { return g.rate == line.kdvOran; });
        if (group == groups.end()) group = groups.insert(groups.end(), VatGroup{line.kdvOran});
        group->base += line.tutari;
        group->base -= line.iskTutar;
    }
    for (VatGroup& g : groups)
        g.vat = company.RoundMoney(g.rate * g.base.value() / 100);
    return groups;
}

double SumVatByRate(const CompanyData& company, const std::vector<LineAmounts>& lines)
{
    MoneySum vat;
    for (const VatGroup& g : vatByRate(company, lines))
        vat += g.vat;
    return company.RoundMoney(vat.value());
}

ScaleSettings ScaleSettings::read(const IniFile& ini)
{
    const QString section = QStringLiteral("TARTI");
    ScaleSettings s;
    s.on = ini.readString(section, QStringLiteral("VARMI"), QStringLiteral("HAYIR"))
               .trimmed()
               .compare(QStringLiteral("EVET"), Qt::CaseInsensitive) == 0;
    s.kodBoyu = ini.readInteger(section, QStringLiteral("KODBOYU"), 0);
    s.boyu = ini.readInteger(section, QStringLiteral("BOYU"), 0);
    s.agirlikBoyu = ini.readInteger(section, QStringLiteral("AGIRLIKBOYU"), 0);
    s.agirlikBoleni = ini.readFloat(section, QStringLiteral("AGIRLIKBOLENI"), 1.0);
    return s;
}

bool ScaleSettings::usable() const
{
    return on && kodBoyu > 0 && agirlikBoyu > 0 && kodBoyu + agirlikBoyu <= boyu &&
           agirlikBoleni > 0;
}

std::optional<ScaleReading> DecodeScaleBarcode(const ScaleSettings& settings, const QString& code)
{
    if (!settings.usable() || code.size() != settings.boyu) return std::nullopt;
    const QString weight = code.mid(settings.kodBoyu, settings.agirlikBoyu);
    for (QChar c : weight)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    return ScaleReading{code.left(settings.kodBoyu), weight.toLongLong() / settings.agirlikBoleni};
}
