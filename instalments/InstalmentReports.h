#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>
#include <array>

class CompanyData;
class IniFile;
struct InstalmentSide;

// The printed pages of instalment credit: the payment list of either side and the sale's
// promissory note with its invoices and plans.
namespace InstalmentReports {

// "KREDİLİ SATIŞ LİSTESİ" / "KREDİLİ ALIŞ LİSTESİ" (1303, 1304): per customer the plan lines
// in due-date order with their amount, paid and balance, a customer total and a grand total.
// A customer without a line that passes prints nothing.
struct PaymentListChoice {
    enum State { Paid, Unpaid, All };
    QString customerCode; // empty: every customer
    QDate dueFrom, dueTo; // invalid: open
    std::array<QString, 3> specialFrom, specialTo;
    State state = All; // paid: balance rounded to 0 or below; unpaid: above 0
    int order = 1;     // 0 code, 1 title
};
RunningReport startPaymentList(CompanyData& company, const InstalmentSide& side,
                               const PaymentListChoice& choice, bool letter = false);
PageSet paymentList(CompanyData& company, const InstalmentSide& side,
                    const PaymentListChoice& choice, bool letter = false);

// The note's free texts and the paper, as the print window holds them. The recurring ones are
// kept in Users.ini (section TAKSITLI); the payment day, issue date and guarantor are not.
struct NoteChoice {
    bool note = true, plans = true; // "&Senet basılsın", "Ö&deme planı basılsın"
    QString odemeGunu, lbl1, tarih, kime, lbl2, lbl3, lbl4, lbl5, lbl6, kefil;
    double genis = 215.9, uzun = 279.4; // paper, mm
};
// The kept texts from the installation's settings, the defaults where none are kept.
NoteChoice readNoteSettings(const IniFile& ini);
// Writes the kept texts and the paper; throws AppError when Users.ini cannot be written.
void writeNoteSettings(IniFile& ini, const NoteChoice& choice);
// What the note shows of the sale: the total of its invoices and its header texts.
struct NoteSale {
    qint64 nosu = 0;
    double total = 0;
    QString unvani, adres1, adres2, adres3, vd, vdNo;
};
NoteSale noteSale(CompanyData& company, qint64 saleId);
// The "TÜRK LİRASI" cell: "# 1,000.00 # TL".
QString noteAmount(CompanyData& company, double total);

// The note (when asked) and the sale's invoices, each with its plan (when asked), on paper of
// the chosen size. Refused with a message for paper under 10 mm or a sale that is gone.
PageSet notePages(CompanyData& company, qint64 saleId, const NoteChoice& choice);

} // namespace InstalmentReports
