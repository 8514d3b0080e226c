#pragma once

#include "app/Shell.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <vector>

class QBoxLayout;
class QButtonGroup;
class QHBoxLayout;
class QLineEdit;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

// The base of every window: modal, with the caption "[-code-title-]  Title", a row of command
// buttons, two status panels (company and field hint), Enter/Down/Up moving through the declared
// fields, and one command handler (MenuIslem) that buttons, function keys (FormKeyDown) and
// pop-up entries all lead to. run() prepares the window (the hidden shortcuts) and shows it.
class FormBase : public QDialog {
    Q_OBJECT
public:
    FormBase(Shell& shell, const QString& title, QWidget* parent = nullptr,
             bool companyCaption = true);
    ~FormBase() override;

    Shell& shell() const { return shell_; }
    // PrepareForm: the hidden shortcuts answer from now on. run() prepares and shows modally.
    void prepare();
    int run();
    // Runs a command by its name ("Yeni", "Kaydet", ...) if it exists and is enabled.
    void MenuIslem(const QString& command);
    QPushButton* commandButton(const QString& command) const;
    bool commandEnabled(const QString& command) const;
    QString statusText(int panel) const;
    void closeWindow(int result);

protected:
    // A command: a button (unless `button` is false), its key, its hint and what it does.
    void addCommand(const QString& id, const QString& caption, int key, const QString& hint,
                    std::function<void()> action, bool button = true);
    void addPopupEntry(QMenu* menu, const QString& text, const QString& command);
    // F10 "Hızlı kart [F10]" ("HizliKart"): the quick view of the card `target` names, by its
    // Nosu when it gives one, else by its code (the current record of a list, the code typed
    // in an entry window).
    struct QuickTarget {
        qint64 id = 0;
        QString code;
    };
    void addQuickCardKey(QuickCard card, std::function<QuickTarget()> target, bool button = false);
    void setCommandEnabled(const QString& id, bool on);
    // Called after every command, to refresh what may be used now.
    virtual void updateCommands() {}
    // Maps a function key (or Esc) to its command; true when the key was used.
    virtual bool FormKeyDown(QKeyEvent* event);
    // Enter in the last field; by default nothing happens.
    virtual void lastFieldEnter() {}

    // A framed row of radio buttons (chosen with the mouse or Alt+letter, never by Tab), put at
    // `position` of the content area (-1: at its end), with `chosen` checked.
    QButtonGroup* addRadioGroup(const QString& title, const QStringList& choices, int chosen,
                                int position = -1);
    // A progress bar at the foot of the content, for a command that takes a while.
    QProgressBar* addProgressBar();
    // Moves the bar and shows it at once; the keyboard and mouse wait until the command ends.
    static void showProgress(QProgressBar* bar, int value, int maximum);
    // Radio groups made by addRadioGroup, put side by side in one row where the first stood.
    void sideBySide(const std::vector<QButtonGroup*>& groups);
    void addField(QWidget* editor, const QString& hint);
    // A document's read-only header: labelled boxes in `columns` columns, filled row by row, put
    // at `position` of the content area.
    std::vector<QLineEdit*> addInfoGrid(const QStringList& labels, int columns, int width = 140,
                                        int position = 0);
    const std::vector<QWidget*>& fields() const { return fieldOrder_; }
    void EnterKontrol(QWidget* from, int step);
    // Enter or Down in the last field goes round to the first, Up in the first to the last.
    void setWrapFields(bool on) { wrapFields_ = on; }
    // Down in the last field goes round to the first, while Enter there still ends the entry.
    void setDownWraps(bool on) { downWraps_ = on; }
    // Up in the first field goes round to the last one that can take the focus.
    void setUpWraps(bool on) { upWraps_ = on; }
    void YardimEt(const QString& hint);
    void YardimSil();
    void setStatusText(int panel, const QString& text);
    // While held, the hint panel keeps what a running command wrote there (a print's state and
    // how to stop it) instead of following the focus.
    void holdHints(bool on) { hintsHeld_ = on; }
    QVBoxLayout* content() const { return content_; }
    QHBoxLayout* toolbar() const { return toolbar_; }

    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        QString caption;
        int key = 0;
        QString hint;
        std::function<void()> action;
        QPushButton* button = nullptr;
        QList<QAction*> popups;
        bool enabled = true;
    };
    bool hiddenShortcut(QKeyEvent* event);
    void runMacro(QChar letter);
    void startCalculator();
    void onFocusChanged(QWidget* old, QWidget* now);

    Shell& shell_;
    QHash<QString, Command> commands_;
    std::vector<QWidget*> fieldOrder_;
    bool wrapFields_ = false;
    bool downWraps_ = false;
    bool upWraps_ = false;
    bool hintsHeld_ = false;
    QHash<QWidget*, QString> hints_;
    QVBoxLayout* content_;
    QHBoxLayout* toolbar_;
    QLabel* panels_[2];
    bool prepared_ = false;
    bool closing_ = false;
    bool filtering_ = false;
};

// The letters that carry a macro: the Turkish alphabet's without Q, W and X.
inline constexpr const char* kMacroLetters = "ABCDEFGHIJKLMNOPRSTUVYZ";
