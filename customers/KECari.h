#pragma once

#include "app/FormBase.h"
#include "customers/CustomerCriteria.h"

#include <QHash>

class QButtonGroup;
class QLabel;
class TZRpnlYazi;

// "Kolay erişim - Cari kart bilgileri": one customer card, read-only, with its balance and the
// balance by source. It reads through cursors and queries of its own, so the window it was
// opened from finds its tables as it left them. "Extre [F2]" opens the quick statement.
class TfrmKECari : public FormBase {
    Q_OBJECT
public:
    TfrmKECari(Shell& shell, qint64 customerId, QWidget* parent = nullptr);
    // The text shown after a label ("Cari kart nosu : ", "Borç : ", "FATURA BAKİYE" …).
    QString shown(const QString& label) const;
    QButtonGroup* durum() const { return durum_; }

private:
    QString money(double amount) const;

    qint64 customerId_;
    QString code_, title_;
    QHash<QString, TZRpnlYazi*> panels_;
    QButtonGroup* durum_ = nullptr;
};

// "Kolay erişim - Cari kart extresi": the statement of the quick view's customer between two
// dates of the working year.
class TfrmKECariEkstre : public ReportWindow {
    Q_OBJECT
public:
    TfrmKECariEkstre(Shell& shell, qint64 customerId, const QString& code, const QString& title,
                     QWidget* parent = nullptr);
    PageSet pages() override;

    CriterionRange<DateCriterion> dates;
    MovementCriteria movements;

private:
    qint64 customerId_;
};
