#pragma once

#include <QString>

// A company's own settings: section AYAR of Ayar.ini in the company directory.
struct CompanySettings {
    int tlAyar = 0;   // 1: amounts keep two decimals (kuruş)
    int kdvHesap = 0; // 1: VAT from the subtotal instead of per line
    int fiyat = 0;    // unit price decimals: 0, 1, 2 for 2, 4, 6
    QString tl = QStringLiteral("TL");
    QString kr = QStringLiteral("KR");

    bool kurus() const { return tlAyar == 1; }
    bool vatOnSubtotal() const { return kdvHesap == 1; }
    int priceDecimals() const { return fiyat == 1 ? 4 : fiyat == 2 ? 6 : 2; }

    static QString pathIn(const QString& companyDirectory);
    static CompanySettings read(const QString& companyDirectory);
    // Throws AppError when Ayar.ini cannot be written; the old file then stays as it was.
    void write(const QString& companyDirectory) const;
};
