#pragma once

#include "printing/ReportWindow.h"
#include "stock/InventoryReports.h"
#include "stock/StockReports.h"

#include <array>

class QComboBox;

// "Stok kart listesi" (3301): codes, price-change dates, special codes, kind, order, which
// price and whether its change date prints.
class TfrmStRKart : public ReportWindow {
    Q_OBJECT
public:
    TfrmStRKart(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    StockReports::CardChoice choice() const;

    CriterionRange<TextCriterion> codes;
    CriterionRange<DateCriterion> dates;
    std::array<CriterionRange<TextCriterion>, 3> special;
    ChoiceCriterion kind, order, catalogue, price, changeDate;
};

// "Stok hareket listesi" (3302): dates, a stock code range and a customer.
class TfrmStRHar : public ReportWindow {
    Q_OBJECT
public:
    TfrmStRHar(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    StockReports::MovementChoice choice() const;

    CriterionRange<DateCriterion> dates;
    CriterionRange<TextCriterion> codes;
    CodeCriterion customer;

protected:
    void preview() override;
};

// "Katalog düzenleme" (3306): the title, the order, how pictures print and which price.
class TfrmStRKat : public ReportWindow {
    Q_OBJECT
public:
    TfrmStRKat(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    StockReports::CatalogueChoice choice() const;

    TextCriterion title;
    ChoiceCriterion order, pictures, price;
};

// "Stok kart ekstresi" (3307): dates and a card from the drop-down list, in code or description
// order.
class TfrmStREks : public ReportWindow {
    Q_OBJECT
public:
    TfrmStREks(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    StockReports::StatementChoice choice() const;
    QComboBox* cards() const { return cards_; }

    CriterionRange<DateCriterion> dates;
    ChoiceCriterion order;

protected:
    void preview() override;

private:
    void fillCards(int order);
    QComboBox* cards_;
};

// The inventory reports' criteria (3303 "Fiziki envanter listesi", 3304 "Mali envanter listesi",
// 3305 "Kar analizi listesi"): card codes (first and last card at opening), the inventory date
// (empty: every movement), special codes, kind, order and, for the profit analysis, the method.
class TfrmStREnv : public ReportWindow {
    Q_OBJECT
public:
    TfrmStREnv(Shell& shell, InventoryReports::Kind kind, QWidget* parent = nullptr);
    PageSet pages() override;
    InventoryReports::Choice choice() const;

    CriterionRange<TextCriterion> codes;
    TextCriterion date;
    std::array<CriterionRange<TextCriterion>, 3> special;
    ChoiceCriterion kind, order, method;

protected:
    void preview() override;

private:
    InventoryReports::Kind report_;
};
