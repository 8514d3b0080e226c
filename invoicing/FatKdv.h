#pragma once

#include "invoicing/InvoiceReports.h"
#include "printing/ReportWindow.h"

class QListWidget;

// "Dönemsel kdv dökümü" (1302): the dates (the working year) and the rate list of Kdv.ZR, each
// rate with a tick (all ticked on opening); F5 adds the typed rate, F6 removes the selected one;
// Esc writes the whole list back. F3 prints nothing: the report prints from its preview.
class TfrmFatKdv : public ReportWindow {
    Q_OBJECT
public:
    explicit TfrmFatKdv(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    InvoiceReports::VatChoice choice() const;
    QListWidget* rates() const { return rates_; }
    QStringList listed() const;

    CriterionRange<DateCriterion> dates;
    TextCriterion newRate;

protected:
    void print() override {}
    void leaving() override;

private:
    void addRate();
    QListWidget* rates_;
};
