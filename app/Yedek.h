#pragma once

#include "app/FormBase.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QRadioButton;

// "Yedekleme": backs up the whole data directory or one company into one archive file named
// with the date and time, lists the earlier backups, and restores a company of one of them
// under a new code after two confirmations (never over the open company).
class TfrmYedek : public FormBase {
    Q_OBJECT
public:
    explicit TfrmYedek(Shell& shell, QWidget* parent = nullptr);

    QLineEdit* directoryEdit() const { return directory_; }
    QLineEdit* newCodeEdit() const { return newCode_; }
    QListWidget* backupList() const { return list_; }
    QComboBox* companyChoice() const { return company_; }
    QRadioButton* wholeChoice() const { return whole_; }
    void refreshList();

private:
    void backup();
    void restore();
    void archiveChosen();

    QRadioButton* whole_;
    QRadioButton* one_;
    QComboBox* company_;
    QLineEdit* directory_;
    QListWidget* list_;
    QComboBox* fromCompany_;
    QLineEdit* newCode_;
};
