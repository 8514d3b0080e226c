#include "invoicing/BarcodeSale.h"

#include "store/AppError.h"
#include "store/CompanyData.h"

std::optional<ScannedCard> findSaleCard(InvoicePosting& posting, const ScaleSettings& scale,
                                        const QString& typed)
{
    const QString code = typed.trimmed();
    if (code.isEmpty()) return std::nullopt;
    if (const auto card = posting.findStock(code, false)) return ScannedCard{*card, 0};
    // A weight of nothing would sell one piece: such a code is no scale barcode.
    const std::optional<ScaleReading> reading = DecodeScaleBarcode(scale, code);
    if (!reading || !(reading->quantity > 0)) return std::nullopt;
    if (const auto card = posting.findStock(reading->code, false))
        return ScannedCard{*card, reading->quantity};
    return std::nullopt;
}

BarcodeSale::BarcodeSale(InvoicePosting& posting, const ScaleSettings& scale,
                         const InvoiceData& header)
    : posting_(posting)
    , scale_(scale)
    , header_(header)
{
}

void BarcodeSale::recompute(SaleRow& row)
{
    static_cast<LineAmounts&>(row) = computeLine(posting_.company(), row);
}

int BarcodeSale::fill(int row, const InvoicePosting::StockCard& card, double quantity)
{
    if (row < 0 || row > int(rows_.size())) return -1;
    if (row == int(rows_.size())) rows_.emplace_back();
    SaleRow& r = rows_[size_t(row)];
    r.kodu = card.kodu;
    r.cinsi = card.cinsi;
    r.birim = card.birim;
    r.stockId = card.id;
    r.kdvOran = card.normal;
    r.birimF = header_.kdvDahil == 1
                   ? priceWithoutVat(posting_.company(), card.fiyat1, card.normal, true)
                   : card.fiyat1;
    if (quantity > 0) r.miktari = quantity;
    if (!(r.miktari > 0)) r.miktari = 1;
    recompute(r);
    return fold(row);
}

int BarcodeSale::fold(int row)
{
    const SaleRow& r = rows_[size_t(row)];
    if (r.stockId <= 0) return row;
    for (int other = 0; other < int(rows_.size()); ++other) {
        if (other == row || rows_[size_t(other)].stockId != r.stockId) continue;
        SaleRow& into = rows_[size_t(other)];
        into.miktari += r.miktari;
        recompute(into);
        rows_.erase(rows_.begin() + row);
        return other < row ? other : other - 1;
    }
    return row;
}

void BarcodeSale::setNumber(int row, Column column, double value)
{
    if (row < 0 || row >= int(rows_.size())) return;
    SaleRow& r = rows_[size_t(row)];
    switch (column) {
    case Miktari:
        // The save divides the net amount by the quantity.
        if (!(value > 0)) throw AppError(QStringLiteral("Miktar sıfırdan büyük olmalı"));
        r.miktari = value;
        break;
    case BirimF:
        r.birimF = value;
        break;
    case Tutari:
        r.tutari = value;
        break;
    case IskOran:
        r.iskOran = value;
        break;
    case IskTutar:
        r.iskTutar = value;
        break;
    case AraTop:
        r.araTop = value;
        break;
    case KdvOran:
        r.kdvOran = value;
        break;
    case KdvTutar:
        r.kdvTutar = value;
        break;
    default:
        return;
    }
    recompute(r);
}

void BarcodeSale::setText(int row, Column column, const QString& text)
{
    if (row < 0 || row >= int(rows_.size())) return;
    SaleRow& r = rows_[size_t(row)];
    if (column == Cinsi) r.cinsi = text.left(30);
    if (column == Birim) r.birim = text.left(5);
}

void BarcodeSale::remove(int row)
{
    if (row >= 0 && row < int(rows_.size())) rows_.erase(rows_.begin() + row);
}

BarcodeSale::Totals BarcodeSale::totals() const
{
    const CompanyData& company = posting_.company();
    MoneySum t, d, v;
    std::vector<LineAmounts> amounts;
    for (const SaleRow& r : rows_) {
        t += r.tutari;
        d += r.iskTutar;
        v += r.kdvTutar;
        amounts.push_back(r);
    }
    Totals totals;
    totals.tutari = company.RoundMoney(t.value());
    totals.iskonto = company.RoundMoney(d.value());
    totals.kdv = company.settings().kdvHesap == 1 ? SumVatByRate(company, amounts)
                                                  : company.RoundMoney(v.value());
    MoneySum all = t;
    all += totals.kdv;
    all -= d;
    totals.toplam = company.RoundMoney(all.value());
    return totals;
}

void BarcodeSale::save()
{
    std::vector<InvoiceLine> lines;
    for (const SaleRow& r : rows_) {
        if (r.stockId <= 0) continue;
        InvoiceLine line;
        static_cast<LineAmounts&>(line) = r;
        line.kodu = r.kodu;
        line.cinsi = r.cinsi;
        line.birim = r.birim;
        line.stockId = r.stockId;
        lines.push_back(line);
    }
    posting_.postInvoice(header_, lines);
}

void BarcodeSale::abandon()
{
    posting_.removeInvoice(header_.id);
}
