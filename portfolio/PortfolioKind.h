#pragma once

#include <QString>
#include <QStringList>

// The four portfolios of payment papers differ only in their tables, texts and codes: each is
// described once here, and one set of rules and windows is driven by the description.
struct PortfolioKind {
    QString table;         // Cek, Senet, FCek, FSenet
    QString voucherTable;  // CekFis, SenFis, FCekFis, FSenFis
    QString caption;       // "Müşteri çekleri" …
    bool firm = false;     // written by the firm itself (FCek, FSenet)
    bool check = false;    // a check (else a promissory note)
    QString positionField; // CekDurumu …
    QString numberField;   // CekNo / SenetNo
    QString entryKaynak;   // the entry window's source code: CE, SE, FC, FS
    QString voucherKaynak; // the voucher's: MF, MS, FC, FS
    QString cashKaynak;    // the cash records it writes: CE (collections), FS (firm notes paid)
    QString word;          // "Çek" / "Senet", as the messages write it
    QStringList positions; // position texts by code
    // Texts of the movements: due date as text followed by these.
    QString endorsedText; // " CİROLANAN ÇEK"
    QString returnedText; // " İADE EDİLEN ÇEK"
    QString issuedText;   // firm papers: "BİZİM ÇEKİMİZ"

    // The papers of the other customer portfolio (checks ↔ notes) and so on are told apart by
    // these; a paper of any other source is not changed by this portfolio's windows.
    bool ownEntry(const QString& kaynak) const { return kaynak == entryKaynak; }
};

const PortfolioKind& customerChecks();
const PortfolioKind& customerNotes();
const PortfolioKind& firmChecks();
const PortfolioKind& firmNotes();

// Positions of customer papers.
namespace PaperPosition {
constexpr int Portfoy = 0;
constexpr int Ciro = 1;
constexpr int Banka = 2;
constexpr int Tahsil = 3;
constexpr int Karsiliksiz = 4;
constexpr int Iade = 5;
} // namespace PaperPosition

// Whether a customer paper in position `from` may be saved into position `to` (the same
// position re-saves its data; every other move goes back to the portfolio first).
bool paperMoveAllowed(int from, int to);
