#pragma once

#include "app/FormBase.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class Table;

// The company information window: a new company (code and title, settings, module boxes;
// saving creates its directory, tables, Sirket record and Ayar.ini) or an existing one (title,
// boxes and settings).
class TfrmSirketBilgi : public FormBase {
    Q_OBJECT
public:
    // `code` empty: a new company.
    TfrmSirketBilgi(Shell& shell, const QString& code, QWidget* parent = nullptr);

    QLineEdit* codeEdit() const { return code_; }
    QLineEdit* titleEdit() const { return title_; }
    QCheckBox* moduleBox(const QString& flag) const;
    void setChoice(int group, int index); // 0 kuruş, 1 KDV, 2 price decimals

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void save();
    void codeLeft();

    bool isNew_;
    QLineEdit* code_;
    QLineEdit* title_;
    QLineEdit* directory_;
    QLineEdit* currency_;
    QLineEdit* subunit_;
    QButtonGroup* groups_[3];
    std::vector<std::pair<QString, QCheckBox*>> boxes_;
};
