#pragma once

#include <QString>
#include <QStringList>
#include <array>

// The three choices of a company's own settings (Ayar.ini), as the company window and the
// period transfer window offer them: kuruş in customer movements (TLAYAR), how invoices and
// orders reckon VAT (KDVHESAP) and the decimals of unit prices (FIYAT). The number of the
// choice made is the value stored.
struct CompanySettingChoice {
    QString title;
    QStringList choices;
};

inline const std::array<CompanySettingChoice, 3>& companySettingChoices()
{
    static const std::array<CompanySettingChoice, 3> all = {
        CompanySettingChoice{QStringLiteral(" Cari hareketlerde kuruş "),
                             {QStringLiteral("Yok"), QStringLiteral("Var")}},
        CompanySettingChoice{
            QStringLiteral(" Fatura ve siparişte KDV hesaplama yöntemi "),
            {QStringLiteral("Her kalemde ayrı ayrı"), QStringLiteral("Matrah toplamından")}},
        CompanySettingChoice{QStringLiteral(" Birim fiyatlarda kuruş hanesi "),
                             {QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("6")}}};
    return all;
}
