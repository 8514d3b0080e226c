#pragma once

#include "store/MoneySum.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class CompanyData;
class Table;

// Source codes of cash records: which document wrote a record.
namespace CashKaynak {
inline const QString KA = QStringLiteral("KA"); // the cash movement window
inline const QString TA = QStringLiteral("TA"); // collection slips (TARef)
inline const QString TE = QStringLiteral("TE"); // payment slips (TERef)
inline const QString CE = QStringLiteral("CE"); // customer checks and notes collected (KARef)
inline const QString FS = QStringLiteral("FS"); // firm notes paid (KARef)
inline const QString FA = QStringLiteral("FA"); // closed invoices (Fatura.KRef keeps the record)
inline const QString TK = QStringLiteral("TK"); // instalment payments (Odeme.KARef)
} // namespace CashKaynak

// One cash record as a writer gives it: money in or money out, normally one of them.
struct CashRecord {
    QDate tarih;
    QString belgeNo;  // stored cut to 20 characters
    QString aciklama; // stored cut to 40 characters
    double giren = 0;
    double cikan = 0;
    QString kaynak = CashKaynak::KA;
    qint64 kaRef = 0;
    qint64 taRef = 0;
    qint64 teRef = 0;
};

// Exact sums of cash records.
struct CashTotals {
    MoneySum giren, cikan;
    MoneySum balance() const { return giren - cikan; }
};

// The only writer of the cash table. Built as every movement API is: cursors of its own, each
// write one CommandTransaction that joins the caller's command, amounts rounded as cash
// (CompanyData::RoundCash), a failure cancels what it started.
class CashLedger {
public:
    explicit CashLedger(CompanyData& company);
    ~CashLedger();
    CashLedger(const CashLedger&) = delete;
    CashLedger& operator=(const CashLedger&) = delete;

    // Writes a new record; returns its Nosu.
    qint64 post(const CashRecord& record);
    // Rewrites the record of a link in place; a link to a record that no longer exists gets a
    // new record. Returns the (possibly new) Nosu. A record that already says the same is not
    // written; `wrote` tells whether anything was.
    qint64 rewrite(qint64 id, const CashRecord& record, bool* wrote = nullptr);
    // Deletes the record of a link; a link to a record that no longer exists is skipped.
    void remove(qint64 id);
    std::optional<CashRecord> read(qint64 id);

    // The last record (highest Nosu) a slip wrote: TARef (collection) or TERef (payment) equal
    // to the slip's Nosu. 0 when there is none.
    enum class Slip { Collection, Payment };
    qint64 lastOfSlip(Slip slip, qint64 slipId);
    // The last record linked through KARef with the given source; 0 when there is none.
    qint64 lastLinked(qint64 kaRef, const QString& kaynak);

    // Sums of every record, and of those dated before `date` (the brought-forward of a book).
    CashTotals totals();
    CashTotals totalsBefore(const QDate& date);

private:
    void fill(const CashRecord& record);
    qint64 lastWhere(const QString& condition, const QVariantList& params);

    CompanyData& company_;
    std::unique_ptr<Table> kasa_; // primary order
};
