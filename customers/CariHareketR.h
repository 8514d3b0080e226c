#pragma once

#include "customers/CustomerCriteria.h"

// "Cari işlemler listesi" (command 2303): the movements of every customer, or of the chosen
// one, between two dates, by kind and side.
class TfrmCariHareketR : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmCariHareketR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;

    CriterionRange<DateCriterion> dates;
    CodeCriterion customer; // enabled only for "&2 Seçilen kart"
    ChoiceCriterion which;
    MovementCriteria movements;
};
