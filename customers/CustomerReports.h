#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>
#include <array>
#include <memory>

class CompanyData;

// The four customer reports as declarations on the report engine, run with the choices of
// their windows. Texts the user typed go into filters quoted, so a quote in a code is a quote.
namespace CustomerReports {

enum class Kinds { Dekont, Fatura, Nakit, CekSenet, Tumu };
enum class Amounts { Borc, Alacak, Tumu };

struct CardChoice {
    int kind = -1; // -1 all, else CariDurum
    QString codeFrom, codeTo, il;
    std::array<QString, 3> specialFrom, specialTo;
    int order = 0; // 0 code, 1 title, 2 contact
};

struct BalanceChoice : CardChoice {
    QString dateFrom, dateTo; // date texts, empty for open
    double lowest = 0, highest = 0;
    bool balancedOnly = true; // "B&akiyeli"
};

struct MovementChoice {
    QDate from, to;
    qint64 customerId = 0; // 0: every customer
    Kinds kinds = Kinds::Tumu;
    Amounts amounts = Amounts::Tumu;
};

struct StatementChoice {
    qint64 customerId = 0;
    QDate from, to;
    Kinds kinds = Kinds::Tumu;
    Amounts amounts = Amounts::Tumu;
    bool withStock = false;      // "&2. Stoklu ekstre"
    bool withoutDueDate = false; // the quick view's statement: no "VADESİ" column
};

// The filter texts of the windows.
QString cardFilter(const CardChoice& choice);
QString movementConditions(Kinds kinds, Amounts amounts);

PageSet cardList(CompanyData& company, const CardChoice& choice, bool letter = false);
PageSet balanceStatus(CompanyData& company, const BalanceChoice& choice, bool letter = false);

RunningReport startBalanceStatus(CompanyData& company, const BalanceChoice& choice,
                                 bool letter = false);
PageSet movementList(CompanyData& company, const MovementChoice& choice, bool letter = false);
PageSet statement(CompanyData& company, const StatementChoice& choice, bool letter = false);

} // namespace CustomerReports
