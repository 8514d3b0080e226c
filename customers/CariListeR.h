#pragma once

#include "customers/CustomerCriteria.h"

// "Cari kart listesi" (command 2301): the card list over the cards the criteria choose.
class TfrmCariListeR : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmCariListeR(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;

    CardCriteria criteria;
};
