#pragma once

#include "portfolio/PortfolioKind.h"

#include <QDate>
#include <QString>
#include <memory>

class CompanyData;
class Table;
class CustomerLedger;
class CashLedger;

// A check or note the firm wrote, as its entry window or voucher line gives it.
struct FirmPaper {
    qint64 id = 0; // 0: a new paper
    QDate kTarih, vadesi;
    QString number; // CekNo / SenetNo
    double tutari = 0;
    qint64 payeeId = 0; // Cari.Nosu of whom it was given to
    qint64 bankId = 0;  // checks: the bank card it is drawn on
    bool paid = false;  // position 1, "Ödendi"
    QString kaynak;     // empty: the portfolio's code
    qint64 fRef = 0;    // the voucher that issued it; its bank movement names the check
};

// The only writer of firm papers (FCek, FSenet): the issue movement on the payee, and when
// paid the bank movement (checks) or the cash record (notes). Each save or delete is one
// command.
class FirmPaperPosting {
public:
    FirmPaperPosting(CompanyData& company, const PortfolioKind& kind);
    ~FirmPaperPosting();
    FirmPaperPosting(const FirmPaperPosting&) = delete;
    FirmPaperPosting& operator=(const FirmPaperPosting&) = delete;

    const PortfolioKind& kind() const { return kind_; }

    // Issues a new paper or saves an edited one, paid or not; returns its Nosu. A check needs
    // a bank card ("Banka kartı bulunamadı"), every paper a payee ("Cari kart nosu
    // bulunamadı").
    qint64 save(const FirmPaper& paper);
    // The paper with its movements and its payment; `kaynak`, when given, must be its source.
    void remove(qint64 paperId, const QString& kaynak = QString());
    // A voucher's new payee: the paper and its issue movement name it; the payment stays as
    // it is.
    void movePayee(qint64 paperId, qint64 payeeId);

private:
    void hold(qint64 paperId);
    void writePayment();
    void removePayment();
    qint64 paymentRecord();

    CompanyData& company_;
    const PortfolioKind& kind_;
    std::unique_ptr<Table> papers_;
    std::unique_ptr<CustomerLedger> customers_;
    std::unique_ptr<CashLedger> cash_;
    bool fromVoucher_ = false; // the paper being saved came from a voucher line
};
