#pragma once

#include "printing/ReportWindow.h"
#include "stock/StockLabels.h"

// "Barkod basımı": labels of one stock code. The layout comes from Users.ini [BARKOD] and goes
// back there on Esc; the symbology starts from the code's length. A layout or code that cannot
// print is refused with a notice and nothing prints.
class TfrmStKartE : public ReportWindow {
    Q_OBJECT
public:
    TfrmStKartE(Shell& shell, const QString& code, QWidget* parent = nullptr);

    PageSet pages() override;
    StockLabels::Type chosenType() const { return StockLabels::Type(type_.chosen()); }
    StockLabels::Layout layout() const;
    int copies() const;

protected:
    void preview() override;
    void print() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Leaving keeps the layout for the next labels.
    void done(int result) override;

private:
    bool refused();

    QString code_;
    TextCriterion copies_;
    std::array<TextCriterion, StockLabels::FieldCount> layout_;
    ChoiceCriterion type_;
};
