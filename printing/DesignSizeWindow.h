#pragma once

#include "app/EntryWindow.h"
#include "printing/DesignDocument.h"

// "Ebatlar" of an item being designed, titled with its name + " - Ebatları": left, top, width
// and length in report pixels (bands: length only) and its name. "Tamam" applies them as one
// step: sizes that cannot print are refused with a notice naming the value and the window stays;
// a name that is no identifier or that another item bears is not taken (the notice says why)
// while the sizes are. "Vazgeç" or Esc changes nothing.
class TfrmEbat : public EntryWindow {
    Q_OBJECT
public:
    TfrmEbat(Shell& shell, DesignDocument& document, const QString& item,
             QWidget* parent = nullptr);

protected:
    void save() override;
    void saved() override;

private:
    DesignDocument& doc_;
    QString item_;
    bool band_;
    QString nameRefused_;
};
