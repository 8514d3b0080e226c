#pragma once

#include "app/AccessConfig.h"
#include "app/Shell.h"

#include <QDialog>
#include <optional>

class QLineEdit;

// "Şifrenizi Giriniz": the sign-in window. TAMAM (Enter) checks the typed password, ÇIK (Esc)
// ends the program; three wrong passwords are told "Hatalı şifre!!!", the fourth ends the
// program. Alt+F4 does nothing.
class TfrmSifre : public QDialog {
    Q_OBJECT
public:
    TfrmSifre(Shell& shell, const AccessConfig& config, QWidget* parent = nullptr);
    // The rights won; empty when the program is to end.
    const std::optional<AccessRights>& rights() const { return rights_; }
    int failures() const { return failures_; }
    QLineEdit* passwordEdit() const { return edit_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void tamam();
    void finish(int result);

    Shell& shell_;
    const AccessConfig& config_;
    QLineEdit* edit_;
    std::optional<AccessRights> rights_;
    int failures_ = 0;
    bool closing_ = false;
};

// Signs the user in: every right without a window when protection is off (or there is no
// Cnf.HDB); else the window. Empty when the program is to end.
std::optional<AccessRights> AskAccessPassword(Shell& shell, const AccessConfig& config,
                                              QWidget* parent = nullptr);
