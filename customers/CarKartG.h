#pragma once

#include "app/EntryWindow.h"

#include <array>

class QButtonGroup;
class QLabel;
class QLineEdit;
class PictureFrame;

// The customer card: every field of the card with its hint, the kind, the picture with its
// display mode, and for an existing card the balance summary by source group.
class TfrmCarKartG : public EntryWindow {
    Q_OBJECT
public:
    enum class Mode { New, NewWithCode, Edit };
    // Works on the shared Cari table: a new record, or the current one.
    TfrmCarKartG(Shell& shell, Table& cari, Mode mode, const QString& code = QString(),
                 QWidget* parent = nullptr);

    void setKind(int kind);
    int kind() const;
    QString summaryText(int row, int column) const; // rows: borç, alacak, bakiye

protected:
    bool validate() override;
    void save() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choosePicture();
    void showPicture();
    void fillSummary();

    Mode mode_;
    QButtonGroup* kinds_;
    QButtonGroup* pictureMode_;
    PictureFrame* picture_;
    std::array<std::array<QLineEdit*, 5>, 3> summary_{};
};
