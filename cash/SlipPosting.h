#pragma once

#include "cash/SlipKind.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class CashLedger;
class CompanyData;
class CustomerLedger;
class Table;

// A slip's header as its window gives it: the customer by the code typed.
struct SlipHeader {
    QDate tarih;
    QString customerCode;
    QString unvani; // as shown (the card's title unless changed)
    QString aciklama;
};

struct SlipData {
    qint64 id = 0;
    QDate tarih;
    QString aciklama;
    qint64 customerId = 0;
    QString cariNo, unvani;
    qint64 movementId = 0; // CAHRef
    double total = 0;      // TopTutar
};

struct SlipLine {
    QString aciklama;
    double tutar = 0;
};

// Every write of a collection or payment slip, each one command: the slip, its lines, its
// customer movement (through CustomerLedger) and its cash record (through CashLedger) commit or
// vanish together. The slip keeps its total and the movement's Nosu in the same command, so a
// crash never leaves a movement the slip does not know of.
class SlipPosting {
public:
    SlipPosting(CompanyData& company, const SlipKind& kind);
    ~SlipPosting();
    SlipPosting(const SlipPosting&) = delete;
    SlipPosting& operator=(const SlipPosting&) = delete;

    const SlipKind& kind() const { return kind_; }

    // Saves a new (`slipId` 0) or an existing slip; returns its Nosu. The code is looked up
    // again: one that finds no card is refused with "Cari kart nosu bulunamadı" and nothing is
    // written. When the slip already has postings and its date, customer or description changed,
    // both are rewritten in the same command.
    qint64 saveHeader(qint64 slipId, const SlipHeader& header);
    // Saves a new (`lineId` 0) or an existing line and brings the postings up to date.
    qint64 saveLine(qint64 slipId, qint64 lineId, const QString& aciklama, double tutar);
    void removeLine(qint64 slipId, qint64 lineId);
    // The slip with its lines, movement and cash record.
    void removeSlip(qint64 slipId);
    // What opening the lines does: writes the movement, the cash record, the total and the link
    // when one is missing or out of step, and nothing when all agree. True when it wrote.
    bool openLines(qint64 slipId);

    std::optional<SlipData> read(qint64 slipId);
    std::optional<SlipLine> readLine(qint64 lineId);
    // The slip's total from its lines, rounded as cash.
    double linesTotal(qint64 slipId);

private:
    bool sync(const SlipData& slip);
    SlipData require(qint64 slipId);

    CompanyData& company_;
    const SlipKind& kind_;
    std::unique_ptr<Table> slips_;
    std::unique_ptr<Table> lines_;
    std::unique_ptr<CustomerLedger> customers_;
    std::unique_ptr<CashLedger> cash_;
};
