#pragma once

#include "app/ListWindow.h"

// "Şirket işlemleri": the companies with Liste = "E" (the space bar shows all and back), new
// company (F2), its information (F3), and removal (F4) of any but the open one. Removal takes
// the Sirket record only; the company's directory stays on disk.
class TfrmSirket : public ListWindow {
    Q_OBJECT
public:
    TfrmSirket(Shell& shell, Table& sirket, QWidget* parent = nullptr);
    ~TfrmSirket() override;

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    bool FormKeyDown(QKeyEvent* event) override;
};
