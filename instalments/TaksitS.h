#pragma once

#include "app/FormBase.h"

class QTableWidget;

// "Ödeme planı şablonları": the three plan templates beside Users.ini as three one-column grids
// of whole percentages (digits only). Left and Right move between them in turn. Leaving drops
// the empty lines and closes only when every template is empty or adds up to 100 over two or
// more lines; the templates are then written back.
class TfrmTaksitS : public FormBase {
    Q_OBJECT
public:
    static constexpr int kRows = 24;
    explicit TfrmTaksitS(Shell& shell, QWidget* parent = nullptr);
    QTableWidget* grid(int number) const { return grids_[number]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<int> lines(int number) const;
    void leave();

    QTableWidget* grids_[3];
};
