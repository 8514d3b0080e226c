#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "instalments/InstalmentPosting.h"

#include <memory>

class CodeField;
class QButtonGroup;

// "Kredili satış fişleri" (1204) and "Kredili alış fişleri" (1205): the sales or purchases on
// instalments, in date or title order, open, closed or all. F2 and F3 run the header window; a
// new header opens the sale window at once, as F5 and Enter do.
class TfrmTaksit : public ListWindow {
    Q_OBJECT
public:
    TfrmTaksit(Shell& shell, const InstalmentSide& side, QWidget* parent = nullptr);
    ~TfrmTaksit() override;

    InstalmentPosting& posting() const { return *posting_; }
    QButtonGroup* state() const { return state_; }

protected:
    void deleteRecord() override;

private:
    void openSale();
    void setState(int state);

    const InstalmentSide& side_;
    std::unique_ptr<InstalmentPosting> posting_;
    QButtonGroup* state_ = nullptr;
};

// The header of a sale or purchase on instalments: date, description, the customer by its code
// (the code field rule; locked on an existing one), its title, address and tax fields.
class TfrmTaksitA : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tarih, Aciklama, CariNo, Unvani, Adres1, Adres2, Adres3, Vd, VdNo };
    TfrmTaksitA(Shell& shell, InstalmentPosting& posting, qint64 saleId, QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }

protected:
    bool validate() override;
    void save() override;

private:
    InstalmentPosting& posting_;
    qint64 saleId_;
    qint64 saved_ = 0;
    CodeField* code_ = nullptr;
};
