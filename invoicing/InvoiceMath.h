#pragma once

#include "store/MoneySum.h"

#include <QString>
#include <optional>
#include <vector>

class CompanyData;
class IniFile;

// The numbers of one invoice line.
struct LineAmounts {
    double miktari = 0, birimF = 0, tutari = 0;
    double iskOran = 0, iskTutar = 0, araTop = 0;
    double kdvOran = 0, kdvTutar = 0, topTutar = 0;
};

// The line's arithmetic as it is saved: the amount from quantity and price, then the discount
// and the VAT from their rates when these are above 0 (a typed amount stays only at rate 0),
// then the net amount and the line total; every amount through RoundMoney.
LineAmounts computeLine(const CompanyData& company, LineAmounts line);

// The net (amount less discount) and the total (net and VAT) of the line as it stands.
LineAmounts lineTotals(const CompanyData& company, LineAmounts line);

// The amount fields of a line window.
enum class LineField { Quantity, Price, Amount, DiscountRate, DiscountAmount, VatRate, VatAmount };
// The line after its field `field` was left: a quantity recomputes the whole line (as saving
// does); a discount or VAT rate above 0 sets its amount from the amount or the net when that is
// above 0; the other money fields set the amount to quantity × price. The net and the total
// follow, every amount through RoundMoney.
LineAmounts leaveLineField(const CompanyData& company, LineAmounts line, LineField field);

// A price typed or proposed with VAT, without it: sales divide by (1 + rate / 100), purchases
// by (rate + 100) and multiply by 100, as each side has always done. Only for rate and price
// above 0; otherwise the price stays.
double priceWithoutVat(const CompanyData& company, double price, double rate, bool sales);

// The VAT of an invoice per rate: lines grouped by exactly equal rates in order of first
// appearance, each group's base Σ(Tutari − IskTutar) and its VAT RoundMoney(rate × base / 100).
struct VatGroup {
    double rate = 0;
    MoneySum base;
    double vat = 0;
};
std::vector<VatGroup> vatByRate(const CompanyData& company, const std::vector<LineAmounts>& lines);
// The invoice's VAT as the sum of the per-rate amounts.
double SumVatByRate(const CompanyData& company, const std::vector<LineAmounts>& lines);

// Weighing-scale barcodes (Users.ini, section TARTI).
struct ScaleSettings {
    bool on = false;          // VARMI "EVET"
    int kodBoyu = 0;          // leading characters that form the stock code
    int boyu = 0;             // whole length of a scale barcode
    int agirlikBoyu = 0;      // characters of the weight after the code
    double agirlikBoleni = 1; // divisor of the weight
    static ScaleSettings read(const IniFile& usersIni);
    // Settings that can describe a barcode at all.
    bool usable() const;
};
struct ScaleReading {
    QString code;
    double quantity = 0;
};
// The stock code and quantity a scale barcode carries; nothing when reading is off, the
// settings cannot describe a barcode, the length differs or the weight is not all digits.
// Whether a card has that code is the caller's question.
std::optional<ScaleReading> DecodeScaleBarcode(const ScaleSettings& settings, const QString& code);
