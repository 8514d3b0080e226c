#pragma once

#include "app/Shell.h"

#include <QDialog>

// The message window: two centred lines under the program's logo, a question or information
// icon, and "Evet [F2]" / "Hayır [Esc]" (focus on "Hayır [Esc]") or a centred "Tamam [F2]".
// F2 answers 1, Esc 0; Enter presses the focused button; Alt+F4 does nothing.
class MessageWindow : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Confirm, Notice };
    MessageWindow(Kind kind, const QString& line1, const QString& line2, const QString& title,
                  QWidget* parent = nullptr);
    // Only F2, Esc and clicks answer; Enter and the other keys are swallowed.
    void setKeysOnly();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool closing_ = false;
    bool keysOnly_ = false;
    void answer(int result);
};

// The real message window behind ConfirmBox and NoticeBox.
class DialogMessages : public MessageHandler {
public:
    int confirmBox(QWidget* parent, const QString& line1, const QString& line2,
                   const QString& title) override;
    int noticeBox(QWidget* parent, const QString& line1, const QString& line2,
                  const QString& title) override;
    int confirmBoxKeysOnly(QWidget* parent, const QString& line1, const QString& line2,
                           const QString& title) override;
};
