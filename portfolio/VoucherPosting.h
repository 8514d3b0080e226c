#pragma once

#include "portfolio/FirmPaperPosting.h"
#include "portfolio/PaperPosting.h"
#include "portfolio/VoucherMath.h"

#include <QDate>
#include <QString>
#include <memory>
#include <vector>

// A voucher's header as its window gives it.
struct VoucherHeader {
    QDate tarih;
    qint64 customerId = 0; // Cari.Nosu
    double gZam = 0;       // late-payment surcharge, percent per 30 days
    QString aciklama;
    bool islensin = false; // the surcharge is posted to the customer
};

// The only writer of check and note vouchers (CekFis, SenFis, FCekFis, FSenFis): several papers
// of one customer entered or issued at once, their average due date and, for customer papers,
// the late-payment surcharge posted to the customer when the voucher says so. Every header
// save, line save, series and delete is one command that also brings the surcharge movement
// up to date.
class VoucherPosting {
public:
    VoucherPosting(CompanyData& company, const PortfolioKind& kind);
    ~VoucherPosting();
    VoucherPosting(const VoucherPosting&) = delete;
    VoucherPosting& operator=(const VoucherPosting&) = delete;

    // A new voucher (id 0) or a changed one; a new customer takes the voucher's papers along
    // with their postings. Returns the voucher's Nosu.
    qint64 saveHeader(qint64 voucherId, const VoucherHeader& header);
    // A paper of the voucher: the customer is the voucher's, the source the voucher's code.
    qint64 saveLine(qint64 voucherId, CustomerPaper paper);
    // Firm vouchers: a paper issued to the voucher's customer.
    qint64 saveLine(qint64 voucherId, FirmPaper paper);
    // Notes: `count` notes due `days` apart from the receipt date (NextDue), as one command.
    std::vector<qint64> saveSeries(qint64 voucherId, CustomerPaper paper, int count, int days);
    void removeLine(qint64 voucherId, qint64 paperId);
    // The voucher with every paper it entered and the surcharge movement.
    void removeVoucher(qint64 voucherId);

    VoucherFigures figures(qint64 voucherId);

private:
    void hold(qint64 voucherId);
    std::vector<qint64> papersOf(qint64 voucherId);
    VoucherFigures figuresOf(qint64 voucherId, const QDate& tarih, double gZam);
    // Papers of the voucher saved in one command, the surcharge brought up to date once.
    std::vector<qint64> saveLines(qint64 voucherId, std::vector<CustomerPaper> lines);
    // Brings the held voucher's surcharge movement up to date and posts the voucher.
    void settle();
    // The held voucher's customer before the change, and the papers that move to the new one.
    void movePapers(qint64 voucherId, qint64 customerId);
    // Holds the voucher for the command and refuses a paper that is not one of its own.
    qint64 voucherCustomer(qint64 voucherId);
    void requireOwn(qint64 voucherId, qint64 paperId);

    CompanyData& company_;
    const PortfolioKind& kind_;
    std::unique_ptr<Table> vouchers_;
    std::unique_ptr<PaperPosting> papers_;    // customer vouchers
    std::unique_ptr<FirmPaperPosting> firms_; // firm vouchers
    std::unique_ptr<CustomerLedger> customers_;
};
