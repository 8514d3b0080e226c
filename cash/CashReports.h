#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QDate>

class CompanyData;
struct SlipKind;

// The cash book and the printed slips, on the report engine.
namespace CashReports {

// "KASA DEFTERİ DÖKÜMÜ" (5301): the records from `from` to `to`, those before `from` carried
// forward in one sum; with `hideTotals` the in and out figures of the carried, page and cash
// totals are left blank (the balances print).
struct BookChoice {
    QDate from, to;
    bool hideTotals = false;
};
RunningReport startBook(CompanyData& company, const BookChoice& choice, bool letter = false);
PageSet book(CompanyData& company, const BookChoice& choice, bool letter = false);

// "KASA TAHSİL FİŞİ" / "KASA TEDİYE FİŞİ": one slip with its lines.
PageSet slip(CompanyData& company, const SlipKind& kind, qint64 slipId, const QString& companyTitle,
             bool letter = false);

} // namespace CashReports
