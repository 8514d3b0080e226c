#pragma once

#include "app/Shell.h"

#include <QObject>
#include <functional>

class QLabel;
class QLineEdit;

// What a code field asks for: cards of one table (customers, banks only, stock), how they are
// looked up, picked from their list and opened new with a typed code. Subsystems describe their
// own kinds; every window with a code field uses them through CodeField.
struct CodeKind {
    QString table;      // "Cari"
    QString codeField;  // "CariNo"
    QString titleField; // "Unvani"
    QString filter;     // cards that count ("CariDurum = 3" for banks); empty for all
    QString notFound;   // "Cari kart nosu bulunamadı"
    QString askNew;     // "Yeni kart açılsın mı?"
    QString title;      // "Cari kart kontrol"
    // The pick list; the chosen card's code, empty when none was chosen.
    // It opens on the card of `current`, the code in the field, when there is one.
    std::function<QString(Shell& shell, const QString& current, QWidget* parent)> pick;
    // The new-card window with the code filled in and locked; true when a card was saved.
    std::function<bool(Shell& shell, const QString& code, QWidget* parent)> newCard;
};

// The rule of every code field: on leaving it, the card of the typed code is looked up (the last
// one with that exact code). Found: its title and number are taken and the focus moves on. Not
// found: title and number are cleared, and (when `offerNew`) the user may open a new card with
// that code; the focus returns to the code either way. F6 in the field picks a card from the
// list (FormBase asks pickInto of the focused field).
class CodeField : public QObject {
    Q_OBJECT
public:
    CodeField(Shell& shell, QLineEdit* code, const CodeKind& kind, QLabel* title = nullptr,
              bool offerNew = true);

    // The code field of a widget, when it has one.
    static CodeField* of(const QWidget* edit);
    QLineEdit* edit() const { return code_; }
    const CodeKind& kind() const { return kind_; }
    void setTitleLabel(QLabel* title) { titleLabel_ = title; }
    // Where the focus goes after a code that found no card (by default back to the code).
    void setFocusAfterUnknown(QWidget* field) { afterUnknown_ = field; }
    qint64 id() const { return id_; }
    const QString& title() const { return title_; }
    // Checks the code now; true when a card was found.
    bool check();
    // The pick list; the chosen card's code goes into the field, which keeps the focus.
    void pick(QWidget* parent);

Q_SIGNALS:
    void chosen(qint64 id);
    // After every look-up: the card found, 0 for none.
    void checked(qint64 id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Shell& shell_;
    QLineEdit* code_;
    CodeKind kind_;
    QLabel* titleLabel_;
    bool offerNew_;
    qint64 id_ = 0;
    QString title_;
    bool checking_ = false;
    QWidget* afterUnknown_ = nullptr;
};
