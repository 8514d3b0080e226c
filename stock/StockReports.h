#pragma once

#include "printing/PageSet.h"
#include "printing/ReportRenderer.h"

#include <QDate>
#include <QString>
#include <array>

class CompanyData;

// The stock lists and statements as declarations on the report engine, run with the choices of
// their windows. Codes and titles the user typed go into filters quoted; dates are written by
// the program.
namespace StockReports {

// "STOK KART LİSTESİ" (3301).
struct CardChoice {
    QString codeFrom, codeTo;
    QString cinsi;            // the whole description, exactly (the price change window)
    QString dateFrom, dateTo; // price-change dates as typed; a text that is not a date is ignored
    std::array<QString, 3> specialFrom, specialTo;
    int kind = -1;           // MlzKodu 0–3, -1 for every kind
    int order = 0;           // 0 code, 1 description
    int price = 0;           // 1–3: that price in "FİYATI"; 0: no price column
    bool changeDate = false; // "D.TARİH", printed only with a price
};
QString cardFilter(const CardChoice& choice);
PageSet cardList(CompanyData& company, const CardChoice& choice, bool letter = false);

// "STOK İŞLEMLERİ DÖKÜMÜ" (3302): every card's movements from `from` to `to`; the movements
// before `from` are carried into "Nakledilen Toplam : ".
struct MovementChoice {
    QDate from, to;
    QString codeFrom, codeTo; // on the movement's own code
    QString customerCode;     // a customer's title (first 25 characters) as the description
};
// The filter of the movements up to the end date (the carried ones included).
QString movementFilter(CompanyData& company, const MovementChoice& choice);
RunningReport startMovementList(CompanyData& company, const MovementChoice& choice,
                                bool letter = false);
PageSet movementList(CompanyData& company, const MovementChoice& choice, bool letter = false);

// "(%s - %s) STOK KART EKSTRESİ" (3307): one card's movements, those before `from` carried.
struct StatementChoice {
    qint64 stockId = 0;
    QDate from, to;
};
RunningReport startStatement(CompanyData& company, const StatementChoice& choice,
                             bool letter = false);
PageSet statement(CompanyData& company, const StatementChoice& choice, bool letter = false);

// The picture catalogue (3306): the cards marked for it, one band each.
struct CatalogueChoice {
    QString title;
    int order = 0;
    enum class Pictures { Fit, Original, FromCard } pictures = Pictures::Fit;
    int price = 0; // 1–3, 0 for none
};
PageSet catalogue(CompanyData& company, const CatalogueChoice& choice, bool letter = false);

} // namespace StockReports
