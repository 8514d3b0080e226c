#pragma once

#include "portfolio/PortfolioKind.h"

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class AppError;
class CompanyData;
class Table;
class CustomerLedger;
class CashLedger;

// A customer check or note as its entry window or voucher line gives it. The giver's code and
// title are taken from the card.
struct CustomerPaper {
    qint64 id = 0; // 0: a new paper
    QDate girTarihi, vadesi;
    QString number; // CekNo / SenetNo
    double tutari = 0;
    QString banka, sube;     // checks
    QString adres1, adres2;  // notes
    QString sahibi, sonCiro; // drawer, last endorser
    qint64 customerId = 0;   // the giver, Cari.Nosu
    QString kaynak;          // empty: the portfolio's entry code
    qint64 fRef = 0;         // the voucher that entered it
};

// What an operation of the operations window saves: a date and note, and for an endorsement
// or a bank deposit the card it goes to.
struct PaperStep {
    QDate tarih;
    QString aciklama;
    qint64 customerId = 0; // the endorsee, or the bank card
};

// The card a paper names: a customer, or a bank (CariDurum 3). Throws "Cari kart nosu
// bulunamadı" or "Banka kartı bulunamadı".
struct PaperCard {
    qint64 id = 0;
    QString code, title;
};
PaperCard paperCard(CompanyData& company, qint64 customerId, bool bank = false);

// The record `id` of a private cursor held in edit for the command; `what` names it in the
// message when it is gone. With id 0, a new record in append instead.
void holdRecord(Table& table, qint64 id, const QString& what);
void appendOrHold(Table& table, qint64 id, const QString& what);
// "Kaynak program çek değil" / "Senet değil": a paper another program wrote.
AppError wrongSource(const PortfolioKind& kind);

// The only writer of customer papers (Cek, Senet) with their customer movements and cash
// records. Each operation is one command (CommandTransaction): the paper and all it posts are
// written together or not at all. Moves outside the portfolio's position table are refused.
class PaperPosting {
public:
    PaperPosting(CompanyData& company, const PortfolioKind& kind);
    ~PaperPosting();
    PaperPosting(const PaperPosting&) = delete;
    PaperPosting& operator=(const PaperPosting&) = delete;

    const PortfolioKind& kind() const { return kind_; }

    // Enters a new paper in the portfolio with its receipt movement, or saves an edited one:
    // its receipt, endorsement and return movements follow the new amount and due date.
    // Returns the paper's Nosu. Throws "Cari kart nosu bulunamadı" for an unknown giver.
    qint64 save(const CustomerPaper& paper);

    // The operations; each refuses a move its position does not allow.
    // Endorses to a customer; a step without a customer takes the endorsement back instead.
    void endorse(qint64 paperId, const PaperStep& step);
    // Gives to the bank card of the step (a card whose CariDurum is 3).
    void deposit(qint64 paperId, const PaperStep& step);
    // Collects: through the bank when it was given to one, else in cash.
    void collect(qint64 paperId, const PaperStep& step);
    void bounce(qint64 paperId, const PaperStep& step);
    void giveBack(qint64 paperId, const PaperStep& step);
    // Back to the portfolio: every operation's postings go.
    void reset(qint64 paperId);
    // The paper with every posting it made; `kaynak`, when given, must be the paper's source.
    void remove(qint64 paperId, const QString& kaynak = QString());

    int position(qint64 paperId);
    // The paper as save() takes it; nothing when there is none.
    std::optional<CustomerPaper> read(qint64 paperId);

private:
    PaperCard card(qint64 customerId, bool bank = false)
    {
        return paperCard(company_, customerId, bank);
    }
    void requireMove(int to);
    void hold(qint64 paperId);
    QString dueText() const;
    qint64 writeMovement(const char* link, qint64 customerId, double borc, double alacak,
                         const QDate& tarih, const QString& aciklama, const QString& kaynak);
    void removeLinked(const char* link);
    void removeCash();
    void clearOperations();
    void takeBackEndorsement();
    void writeDeposit();
    void writeCollection();
    void movePosition(int to);
    // Holds the paper, checks the move, runs `step` on it and saves it in position `to`, all
    // in one command.
    template <typename Step> void operate(qint64 paperId, int to, Step&& step);

    CompanyData& company_;
    const PortfolioKind& kind_;
    std::unique_ptr<Table> papers_;
    std::unique_ptr<CustomerLedger> customers_;
    std::unique_ptr<CashLedger> cash_;
};
