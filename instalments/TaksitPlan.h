#pragma once

#include "app/EntryWindow.h"
#include "instalments/InstalmentPosting.h"

class QButtonGroup;
class QLabel;
class QListWidget;

// The plan window of an instalment invoice: equal instalments ("&Manuel") or a template, the
// interval, count, first due date, rounding, down payment and the line that takes the
// difference, with the instalments shown as they will be saved. Kaydet appends the plan lines;
// the rounding amount is kept in Users.ini (PLAN YUVARLA) however the window closes.
class TfrmTaksitD : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tutar, FaturaTarihi, Aralik, Adet, Baslangic, Yuvarlama, Pesinat, Fark };
    TfrmTaksitD(Shell& shell, InstalmentPosting& posting, qint64 invoiceId,
                QWidget* parent = nullptr);
    QButtonGroup* planType() const { return type_; }
    QStringList preview() const;
    QString difference() const;

    void done(int result) override;

protected:
    bool validate() override;
    void save() override;

private:
    // The window's input, normalised as the plan will be saved.
    InstalmentPlan::Input input();
    void chooseType(int type);
    void showPreview();

    InstalmentPosting& posting_;
    qint64 invoiceId_;
    QDate invoiceDate_;
    std::vector<int> template_;
    QButtonGroup* type_;
    QListWidget* list_;
    QLabel* difference_;
};
