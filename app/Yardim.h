#pragma once

#include "app/Shell.h"

#include <QDialog>

class QPlainTextEdit;

// "Yardım - <caption>": the help lines of a window (Yardim.hl1, the window's name as section),
// read-only; Esc closes, every other key is ignored.
class TfrmYardim : public QDialog {
    Q_OBJECT
public:
    TfrmYardim(const QString& programDir, QWidget* active, QWidget* parent = nullptr);
    QString text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* memo_;
};

// F1: the help window of the active window.
void showHelp(Shell& shell, QWidget* active);
// Alt+F1: Help/Dulvet.htm of the program directory in the desktop's browser; a page that is not
// there is told.
void showBrowserHelp(Shell& shell, QWidget* parent);
