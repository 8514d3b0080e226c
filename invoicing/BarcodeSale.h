#pragma once

#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"

#include <optional>
#include <vector>

// One row of a barcode sale, kept in memory until the sale is saved.
struct SaleRow : LineAmounts {
    QString kodu, cinsi, birim;
    qint64 stockId = 0; // STRef; 0: a row without a card, never written
};

// The card a code typed or scanned at the counter names: the first card with exactly that code,
// else, when scale barcodes are read, the card of a scale barcode's leading characters with the
// weight it carries (above 0). Also the rule of the sales line window in barcode mode.
struct ScannedCard {
    InvoicePosting::StockCard card;
    double quantity = 0; // 0: no quantity came with the code
};
std::optional<ScannedCard> findSaleCard(InvoicePosting& posting, const ScaleSettings& scale,
                                        const QString& code);

// A barcode sale on a saved sales invoice header: scanned cards become rows at once, rows of the
// same card fold into one, totals run along, and only the save writes the invoice's lines,
// their stock exits, totals, customer movement and, for a closed invoice, the settling movement
// and the cash record, all in one command. Every amount is recomputed whenever a row's amount
// changes: the discount and the VAT from their rates above 0 (typed ones stay only at rate 0).
class BarcodeSale {
public:
    enum Column {
        Kodu,
        Cinsi,
        Birim,
        Miktari,
        BirimF,
        Tutari,
        IskOran,
        IskTutar,
        AraTop,
        KdvOran,
        KdvTutar,
        TopTutar,
        ColumnCount
    };

    BarcodeSale(InvoicePosting& posting, const ScaleSettings& scale, const InvoiceData& header);

    const InvoiceData& header() const { return header_; }
    const std::vector<SaleRow>& rows() const { return rows_; }

    std::optional<ScannedCard> find(const QString& code)
    {
        return findSaleCard(posting_, scale_, code);
    }
    // Fills row `row` (rows().size() for a new one) from the card: code, texts, the card's VAT
    // rate and first price (without VAT on a "Dahil" invoice), the quantity given or 1, then
    // folds it into an earlier row of the same card. The index of the row that holds it.
    int fill(int row, const InvoicePosting::StockCard& card, double quantity = 0);
    // A typed cell of a row. A quantity of 0 or less is refused (AppError); texts go to the
    // text columns, numbers to the others; "Toplam tutar" is not typed.
    void setNumber(int row, Column column, double value);
    void setText(int row, Column column, const QString& text);
    void remove(int row);

    struct Totals {
        double tutari = 0, iskonto = 0, kdv = 0, toplam = 0;
    };
    Totals totals() const;

    // Writes the sale in one command; a failure writes nothing and keeps the rows.
    void save();
    // Abandons the sale: the header is deleted, nothing else was written.
    void abandon();

private:
    void recompute(SaleRow& row);
    int fold(int row);

    InvoicePosting& posting_;
    ScaleSettings scale_;
    InvoiceData header_;
    std::vector<SaleRow> rows_;
};
