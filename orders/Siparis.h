#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "orders/OrderPosting.h"

#include <memory>

class CodeField;
class QButtonGroup;

// "SATIŞ sipariş fişleri" (7201) and "ALIŞ sipariş fişleri" (7202): the orders of one kind in
// delivery, number, opening or title order, open, closed or all. Several rows may be chosen:
// F5 (and Enter) opens the lines of one order, or of several orders of one customer together;
// F3 and F4 take one order only.
class TfrmSiparis : public ListWindow {
    Q_OBJECT
public:
    TfrmSiparis(Shell& shell, const OrderKind& kind, QWidget* parent = nullptr);
    ~TfrmSiparis() override;

    OrderPosting& posting() const { return *posting_; }
    QButtonGroup* state() const { return state_; }

protected:
    void editRecord() override;
    bool canDelete() override;
    void deleteRecord() override;

private:
    void openLines();
    void setState(int state);
    bool onlyOne(const QString& refused);

    const OrderKind& kind_;
    std::unique_ptr<OrderPosting> posting_;
    QButtonGroup* state_ = nullptr;
};

// The order header: opening date and time, delivery date, number, description, the customer
// by its code (the code field rule; locked on an existing order), title, address, tax fields and
// the special code. Saving looks the code up again; a new order moves the kind's counter.
class TfrmSiparisA : public EntryWindow {
    Q_OBJECT
public:
    enum Field {
        Tarih,
        Saat,
        TerminTar,
        SipNo,
        Aciklama,
        CariNo,
        Unvani,
        Adres1,
        Adres2,
        Adres3,
        Vd,
        VdNo,
        OzelKod
    };
    TfrmSiparisA(Shell& shell, OrderPosting& posting, qint64 orderId, QWidget* parent = nullptr);
    qint64 savedId() const { return saved_; }

protected:
    bool validate() override;
    void save() override;

private:
    OrderPosting& posting_;
    qint64 orderId_;
    qint64 saved_ = 0;
    CodeField* code_ = nullptr;
};
