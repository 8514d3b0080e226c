#pragma once

#include "app/MultiGridWindow.h"
#include "instalments/InstalmentPosting.h"

#include <memory>

class QLineEdit;

// The sale (or purchase) window: its invoices, the plan of the invoice in use and the payments
// of the plan line in use, one grid under the other, with the sale's totals and the plan's.
// Every command writes through InstalmentPosting; the grids and totals are read again after
// it, and a plan that does not match its invoice is told once per command or invoice.
class TfrmTaksitB : public MultiGridWindow {
    Q_OBJECT
public:
    enum Pane { Invoices, Plan, Payments };
    enum Total { Toplam, Planlanan, Odenen, Bakiye, PlanTutari, PlanOdeme, PlanBakiye };
    TfrmTaksitB(Shell& shell, InstalmentPosting& posting, qint64 saleId, QWidget* parent = nullptr);
    ~TfrmTaksitB() override;
    QString totalText(int total) const;
    Table& table(int pane) const { return *tables_[size_t(pane)]; }

protected:
    void leaving() override;
    void updateCommands() override;

private:
    void invoiceMoved();
    void lineMoved();
    // After a command: the grids read again on what was current, the totals, the plan check.
    void refresh(bool tell);
    void printNote(bool preview);
    void newInvoice();
    void editInvoice(qint64 invoiceId);
    void newPlan();
    void editPayment(qint64 paymentId);
    bool sure(const QString& line1, const QString& line3, const QString& title);

    InstalmentPosting& posting_;
    qint64 saleId_;
    std::unique_ptr<Table> tables_[3];
    std::vector<QLineEdit*> totals_;
    qint64 toldFor_ = -1; // the invoice whose plan check was last told
};
