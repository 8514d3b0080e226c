#pragma once

#include "store/MoneySum.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class CompanyData;
class Table;

// Source codes of customer movements: which program wrote a movement.
namespace Kaynak {
inline const QString CA = QStringLiteral("CA"); // movement window, vouchers, period transfer
inline const QString FA = QStringLiteral("FA"); // invoices
inline const QString TA = QStringLiteral("TA"); // collection slips
inline const QString TE = QStringLiteral("TE"); // payment slips
inline const QString TK = QStringLiteral("TK"); // instalment payments
inline const QString CE = QStringLiteral("CE"); // customer checks
inline const QString SE = QStringLiteral("SE"); // customer notes
inline const QString MF = QStringLiteral("MF"); // customer check vouchers
inline const QString MS = QStringLiteral("MS"); // customer note vouchers
inline const QString FC = QStringLiteral("FC"); // firm checks
inline const QString FS = QStringLiteral("FS"); // firm notes
inline const QString BN = QStringLiteral("BN"); // bank card movements of checks and notes
} // namespace Kaynak

// One customer movement as a writer gives it. One side is filled, the other is 0.
struct CustomerMovement {
    QDate tarih;
    QDate vadesi; // empty: the movement date
    QString belgeNo;
    QString aciklama;
    QString aciklama1;
    double borc = 0;
    double alacak = 0;
    double birimF = 0;
    double adet = 0;
    QString kaynak = Kaynak::CA;
    qint64 customerId = 0; // Cari.Nosu
    qint64 fRef = 0;
    qint64 kRef = 0;
    // The movement of a cash document carries exactly its cash amount (CompanyData::RoundCash).
    bool cashAmount = false;
};

struct CardTotals {
    double borc = 0;
    double alacak = 0;
    double bakiye() const
    {
        MoneySum balance;
        balance += borc;
        balance -= alacak;
        return balance.value();
    }
};

// The card summary of the entry window: FATURA, NAKİT, ÇEK / SENET, TOPLAM and DEKONT.
struct CardSummary {
    enum Column { Fatura, Nakit, CekSenet, Toplam, Dekont };
    std::array<CardTotals, 5> columns;
};

// The rules every writer of customer movements follows. A writer keeps the Nosu it gets back
// and later rewrites or removes the movement through it; amounts go through RoundMoney, the
// customer's code and title are copied into the movement.
//
// Every movement API (customer, stock, cash, invoice, papers) is built the same way:
// - it works on cursors of its own, opened on the company's connection; the tables windows
//   show are never moved, filtered or put in edit by it;
// - post, rewrite and remove each run as one CommandTransaction, which joins the caller's
//   command when there is one, so a document's writes commit or vanish together;
// - the totals of every card a command touches are brought up to date in that same command;
// - a failure cancels every edit it started and rolls the command back; no cursor stays in edit.
class CustomerLedger {
public:
    explicit CustomerLedger(CompanyData& company);
    ~CustomerLedger();
    CustomerLedger(const CustomerLedger&) = delete;
    CustomerLedger& operator=(const CustomerLedger&) = delete;

    // Writes a new movement; returns its Nosu. Throws AppError for a customer that does not exist.
    qint64 post(const CustomerMovement& movement);
    // Rewrites the movement of a link in place; a link to a record that no longer exists gets a
    // new movement. Returns the (possibly new) Nosu. A movement that already says the same is
    // not written; `wrote` tells whether anything was.
    qint64 rewrite(qint64 id, const CustomerMovement& movement, bool* wrote = nullptr);
    // Deletes the movement of a link; a link to a record that no longer exists is skipped.
    void remove(qint64 id);
    // The movement of a link as it is stored; nothing when it no longer exists.
    std::optional<CustomerMovement> read(qint64 id);

    // Sums of the customer's movements, exact to four decimals, written into the card's BorcT,
    // AlacakT and BakiyeT as one command.
    CardTotals recomputeCardTotals(qint64 customerId);
    // The risk and credit warnings for a card's totals: pairs of message lines, possibly none.
    QList<QStringList> limitWarnings(qint64 customerId, const CardTotals& totals);

    CardSummary summary(qint64 customerId);
    // Debit and credit sums of a customer's movements between two dates (an invalid date: open).
    CardTotals balance(qint64 customerId, const QDate& from = QDate(), const QDate& to = QDate());

private:
    struct Amounts {
        qint64 customerId = 0;
        MoneySum borc, alacak;
    };
    // The movement into the movement cursor; `card` holds the card's CariNo and Unvani.
    void fill(const CustomerMovement& movement, const std::vector<QVariant>& card);
    Amounts storedAmounts();
    // The same for the card already held in edit by the cards cursor; leaves edit.
    void addToHeldCard(const Amounts& amounts, int sign);
    // Adds (or, with sign -1, takes away) a movement's amounts to its card's totals.
    void addToCard(const Amounts& amounts, int sign);
    // Writes the totals of the card the card cursor stands on.
    void writeTotals(MoneySum borc, MoneySum alacak);
    // Exact debit and credit sums of a customer's movements between two dates.
    std::pair<MoneySum, MoneySum> sums(qint64 customerId, const QDate& from, const QDate& to);
    std::vector<QVariant> card(qint64 customerId, const QString& fields);

    CompanyData& company_;
    std::unique_ptr<Table> movements_; // CarHar, primary order
    std::unique_ptr<Table> cards_;     // Cari, primary order
};
