#pragma once

#include "app/Shell.h"

#include <QObject>

class QLabel;
class QLineEdit;

// The rule of every customer code field: on leaving it, the card of the typed code is looked up
// (the last one with that exact code). Found: its title and number are taken and the focus moves
// on. Not found: title and number are cleared, and the user may open a new card with that code;
// the focus returns to the code either way.
class CustomerCodeField : public QObject {
    Q_OBJECT
public:
    CustomerCodeField(Shell& shell, QLineEdit* code, QLabel* title = nullptr);

    qint64 id() const { return id_; }
    const QString& title() const { return title_; }
    // Checks the code now; true when a card was found.
    bool check();

Q_SIGNALS:
    void chosen(qint64 id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Shell& shell_;
    QLineEdit* code_;
    QLabel* titleLabel_;
    qint64 id_ = 0;
    QString title_;
    bool checking_ = false;
};
