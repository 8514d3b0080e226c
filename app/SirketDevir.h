#pragma once

#include "app/EntryWindow.h"

class QButtonGroup;
class QProgressBar;

// The period transfer window: the new company's code, the transfer date and what is carried;
// "Devir et [F2]" makes the company (see PeriodTransfer) and closes, a refusal or failure says
// why and keeps what was typed.
class TfrmSirketDevir : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Code, Date, Balances, DropZeros, Currency, Subunit };

    explicit TfrmSirketDevir(Shell& shell, QWidget* parent = nullptr);

    QButtonGroup* valuation() const { return valuation_; }
    QButtonGroup* setting(int group) const { return settings_[group]; }
    QProgressBar* progress() const { return progress_; }

protected:
    bool validate() override;
    void save() override;
    void saved() override;

private:
    QButtonGroup* valuation_;
    QButtonGroup* settings_[3];
    QProgressBar* progress_;
    bool done_ = false;
};
