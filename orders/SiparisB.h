#pragma once

#include "app/MultiGridWindow.h"
#include "orders/OrderPosting.h"

#include <memory>

class QLineEdit;

// The lines of one order, or of several orders of one customer together (combined), above the
// invoices made from them, each grid with its totals. Opening and every invoice command bring
// the invoiced and open quantities up to date; leaving sets each order open or closed. Combined,
// the header and the order's totals are hidden, the lines are read only and nothing prints.
class TfrmSiparisB : public MultiGridWindow {
    Q_OBJECT
public:
    enum Pane { Lines, Invoices };
    // The order's boxes then the invoices': Tutarı, İskonto, Kdv, the total.
    enum Total { Tutari, Iskonto, Kdv, Toplam, FTutari, FIskonto, FKdv, FToplam };
    TfrmSiparisB(Shell& shell, OrderPosting& posting, std::vector<qint64> orderIds,
                 QWidget* parent = nullptr);
    ~TfrmSiparisB() override;
    QString totalText(int total) const;
    Table& table(int pane) const { return *tables_[size_t(pane)]; }
    bool combined() const { return orderIds_.size() > 1; }

protected:
    void leaving() override;
    void updateCommands() override;

private:
    // After a command: the quantities (when `quantities`), the grids read again on what was
    // current, and the totals.
    void refresh(bool quantities);
    void editLine(qint64 lineId);
    void editInvoice(qint64 invoiceId);
    void printOrder(bool preview);
    bool sure(const QString& line1, const QString& line3, const QString& title);

    OrderPosting& posting_;
    std::vector<qint64> orderIds_;
    std::unique_ptr<Table> tables_[2];
    QLineEdit* totals_[8] = {}; // by Total; the order's are missing when combined
};
