#pragma once

#include "customers/CustomerCriteria.h"
#include "customers/CustomerLabels.h"
#include "printing/ReportWindow.h"

#include <QFont>
#include <array>
#include <functional>

class QCheckBox;

// "Cari kart Etiket dökümü" (2305): the cards of the card list's filter as address labels, on
// the standard sheet or on a sheet of set size, which is kept in Users.ini when the window is
// left.
class TfrmCariEtiket : public ReportWindow {
    Q_OBJECT
public:
    TfrmCariEtiket(Shell& shell, QWidget* parent = nullptr);
    PageSet pages() override;
    CustomerLabels::Choice choice() const;

    // Asks for the labels' font; tests answer without a dialog. Empty: kept as it was.
    std::function<std::optional<QFont>(const QFont& current)> chooseFont;

    CardCriteria cards;
    std::array<TextCriterion, CustomerLabels::FieldCount> sheet;
    QCheckBox* standard;
    std::array<QCheckBox*, 5> lines;
    QFont font;

protected:
    void preview() override;
    void print() override;
    void leaving() override;

private:
    // False after telling why the sheet cannot print.
    bool ready(const CustomerLabels::Choice& c);
};
