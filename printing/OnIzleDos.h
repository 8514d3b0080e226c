#pragma once

#include "app/EntryWindow.h"

class QButtonGroup;

// "Dos ayarları": the device, the form length and the pitch of text-mode printing, kept in
// Users.ini. Closed with F2 it has saved (the preview then prints at once), with Esc it has not.
class TfrmOnIzleDos : public EntryWindow {
    Q_OBJECT
public:
    explicit TfrmOnIzleDos(Shell& shell, QWidget* parent = nullptr);
    QButtonGroup* pitch() const { return pitch_; }

protected:
    void save() override;

private:
    QButtonGroup* pitch_;
};
