#pragma once

#include "app/FormBase.h"
#include "printing/ReportWindow.h"

#include <QHash>

class QButtonGroup;
class QWidget;

// "Kolay erişim - Stok kart bilgileri": one stock card, read-only, with its VAT-inclusive
// prices, last purchase and sale, price range, quantities and inventory values (the rules of
// the card totals, written nowhere). Only the picture mode is kept (Resimler.ini) on leaving.
// It reads through cursors and queries of its own. "Extre [F2]" opens the quick statement.
class TfrmKEStok : public FormBase {
    Q_OBJECT
public:
    TfrmKEStok(Shell& shell, qint64 stockId, QWidget* parent = nullptr);
    // The text shown after a label ("Stok kodu : ", "FİFO", "ALIŞ Fiyat : " …).
    QString shown(const QString& label) const;
    QButtonGroup* pictureMode() const { return pictureMode_; }

private:
    QWidget* value(const QString& label, const QString& text, bool number);
    QString money(double amount) const;

    qint64 stockId_;
    QString code_, name_;
    QHash<QString, QWidget*> shown_;
    QButtonGroup* pictureMode_ = nullptr;
};

// "Kolay erişim - Stok kart extresi": the stock statement of the quick view's card.
class TfrmKEStokEkstre : public ReportWindow {
    Q_OBJECT
public:
    TfrmKEStokEkstre(Shell& shell, qint64 stockId, const QString& code, const QString& name,
                     QWidget* parent = nullptr);
    PageSet pages() override;

    CriterionRange<DateCriterion> dates;

private:
    qint64 stockId_;
};
