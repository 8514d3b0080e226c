#pragma once

#include "invoicing/InvoiceKind.h"
#include "invoicing/InvoiceMath.h"

#include <QDate>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class CashLedger;
class CompanyData;
class CustomerLedger;
class InstallSettings;
class StockLedger;
struct StockMovement;
class Table;

// Source codes of invoices: which program made an invoice. The invoice windows manage only
// their own ("FA", or none for invoices of old books).
namespace FaturaKaynak {
inline const QString FA = QStringLiteral("FA"); // the invoice windows
inline const QString SI = QStringLiteral("SI"); // orders (SIRef)
inline const QString TK = QStringLiteral("TK"); // instalment sales (TKRef)
} // namespace FaturaKaynak

// An invoice header as its window gives it; the customer by the code typed.
struct InvoiceHeader {
    double fatNo = 0;
    double irsNo = 0;
    QDate tarih, irsTarih, vadesi;
    QString aciklama;
    QString cariNo, unvani;
    QString adres1, adres2, adres3, vd, vdNo;
    int fDurumu = 0;  // 1: closed, paid in cash ("Kapalı")
    int kdvDahil = 0; // 1: prices typed with VAT ("Dahil")
};

// Where a header comes from: the invoice windows ("FA"), or a module that keeps invoices of its
// own (instalments: "TK" with TKRef), whose header carries the address it was given.
struct InvoiceSource {
    QString kaynak = FaturaKaynak::FA;
    qint64 tkRef = 0;
    bool addressFromCard = true; // a new invoice takes the card's business address
};

// A stored invoice.
struct InvoiceData : InvoiceHeader {
    qint64 id = 0;
    int fatTuru = 1;
    qint64 customerId = 0; // CARef
    double fatTop = 0, iskonto = 0, kdv = 0, gToplam = 0;
    qint64 cahRef = 0, cakRef = 0, kRef = 0;
    QString kaynak;
    qint64 siRef = 0, tkRef = 0;
};

// A line: the card by its Nosu, the texts as shown (they may differ from the card's).
struct InvoiceLine : LineAmounts {
    qint64 id = 0; // 0 for a new line
    QString kodu, cinsi, birim;
    qint64 stockId = 0; // STRef
    qint64 stHRef = 0;  // read only: the line's stock movement
    qint64 siRef = 0, sipRef = 0;
};

// Every write of an invoice, each one command: the invoice, its lines, their stock movements
// (through StockLedger), its customer movements (CustomerLedger) and its cash record
// (CashLedger) commit or vanish together. The header keeps its totals and links in the same
// command that writes the records they point to, so a crash never leaves a movement the invoice
// does not know of, and no header stays in edit while a window waits.
class InvoicePosting {
public:
    // `install` keeps the numbering keys (SATISNO, ALISNO) that saving a new header moves.
    InvoicePosting(CompanyData& company, InstallSettings& install);
    // For reading and for postings that do not number (the counter stays as it is).
    explicit InvoicePosting(CompanyData& company);
    ~InvoicePosting();
    InvoicePosting(const InvoicePosting&) = delete;
    InvoicePosting& operator=(const InvoicePosting&) = delete;

    CompanyData& company() const { return company_; }

    // The number proposed for a new invoice: sales the highest number plus 1, purchases the
    // number of the last invoice in the list's order (date, or number when `byNumber`) plus 1;
    // a higher SATISNO/ALISNO replaces it.
    double NextInvoiceNumber(const InvoiceKind& kind, bool byNumber = false);

    // Saves a new (`invoiceId` 0) or an existing header of the invoice windows. The code is
    // looked up again (the last card with it): its code and title, and for a new invoice its
    // address and tax fields, are taken; a code that finds no card is refused with "Cari kart
    // nosu bulunamadı" and nothing is written. An invoice saved as open loses its settling
    // movement and cash record. The lines are re-dated and the totals and postings written in
    // the same command. A new invoice moves the counter to its number + 1 after the commit.
    // Another `source` saves and edits only invoices of its own.
    qint64 saveHeader(const InvoiceKind& kind, qint64 invoiceId, const InvoiceHeader& header,
                      const InvoiceSource& source = {});
    // The counter (SATISNO, ALISNO) after a new invoice numbered `fatNo`: fatNo + 1. Without
    // the installation's settings nothing moves; a counter that cannot be written is logged.
    void moveCounter(const InvoiceKind& kind, double fatNo);

    // Saves a new or an existing line with its stock movement and brings the totals and
    // postings up to date. `merge` (barcode mode) folds the line into an earlier one of the
    // same card. Returns the Nosu of the line that holds the quantity.
    qint64 saveLine(qint64 invoiceId, const InvoiceLine& line, bool merge = false);
    void removeLine(qint64 invoiceId, qint64 lineId);
    // The invoice with everything it owns. Invoices of another source than `kaynak` (or none)
    // are refused with "Kaynak program fatura değil!!!".
    void removeInvoice(qint64 invoiceId, const QString& kaynak = FaturaKaynak::FA);
    // What opening the lines does: re-dates the lines and their movements and writes the
    // totals and postings, each only where it differs. True when it wrote.
    bool openLines(qint64 invoiceId);

    // A whole invoice in one command, for the modules that make invoices elsewhere (the
    // barcode sale, orders, instalments): `header.id` 0 appends the header with its own source
    // and links, else the lines join the stored header. Lines are posted as the line rule does,
    // then the totals and postings. Returns the invoice's Nosu. The counter is not moved.
    qint64 postInvoice(const InvoiceData& header, const std::vector<InvoiceLine>& lines);

    std::optional<InvoiceData> read(qint64 invoiceId);
    std::optional<InvoiceLine> readLine(qint64 lineId);
    std::vector<InvoiceLine> lines(qint64 invoiceId);
    int lineCount(qint64 invoiceId);

    // The stock card a line's code names: the first card with exactly that code, or the last
    // when `lastFirst` (purchases).
    struct StockCard {
        qint64 id = 0;
        QString kodu, cinsi, birim;
        double normal = 0, fiyat1 = 0;
    };
    std::optional<StockCard> findStock(const QString& code, bool lastFirst);
    std::optional<StockCard> stockCard(qint64 stockId);

private:
    // The invoice as it is; `hold` keeps it from other workstations until the command ends.
    std::optional<InvoiceData> read(qint64 invoiceId, bool hold);
    InvoiceData require(qint64 invoiceId, bool hold = false);
    // The cards of many lines, read a few dozen at a time.
    std::map<qint64, StockCard> stockCards(const std::vector<InvoiceLine>& lines);
    // Writes a line and its stock movement; `card` is the line's card when already read.
    void writeLine(const InvoiceData& invoice, InvoiceLine line, const StockCard* card = nullptr);
    // The line's fields into the line cursor, in append or edit.
    void fillLine(const InvoiceData& invoice, const InvoiceLine& line, const StockCard& card,
                  qint64 movementId);
    StockMovement lineMovement(const InvoiceData& invoice, const InvoiceLine& line,
                               const StockCard& card) const;
    qint64 mergeSameStockLine(const InvoiceData& invoice, qint64 lineId);
    // Re-dating, totals, customer movement, settling movement, cash record and the header's
    // links; each written only when it differs. True when anything was written.
    bool sync(const InvoiceData& invoice);
    bool redate(const InvoiceData& invoice);
    void removeSettlement(InvoiceData& invoice);

    CompanyData& company_;
    InstallSettings* install_;        // null: the counter is not moved
    std::unique_ptr<Table> invoices_; // Fatura, primary order
    std::unique_ptr<Table> lines_;    // FatHar, primary order
    std::unique_ptr<StockLedger> stock_;
    std::unique_ptr<CustomerLedger> customers_;
    std::unique_ptr<CashLedger> cash_;
};
