#pragma once

#include "app/EntryWindow.h"

// "Makro tanımları": the 23 macro texts, Shift + A to Shift + Z, kept in Users.ini.
class TfrmMakro : public EntryWindow {
    Q_OBJECT
public:
    explicit TfrmMakro(Shell& shell, QWidget* parent = nullptr);

protected:
    void load() override;
    void save() override;
};
