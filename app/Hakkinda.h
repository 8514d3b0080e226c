#pragma once

#include <QDialog>

// The about window: the logo, the signed-in user, the computer's name, its memory and its
// processor speed. "Tamam" or Esc closes it.
class TfrmHakkinda : public QDialog {
    Q_OBJECT
public:
    explicit TfrmHakkinda(QWidget* parent = nullptr);
    static QString processorMhz();
};
