#pragma once

#include "app/FormBase.h"
#include "instalments/InstalmentReports.h"

class QCheckBox;
class QLineEdit;
class TZemrakSEdit;

// The note's print window: the note as it prints, with boxes for its free parts, the two
// choices of what prints and the paper. "Önİzle [F2]" (preview) or "Yazdır [F2]" (print) makes
// the pages, then keeps the recurring texts and the paper in Users.ini; Esc keeps nothing.
class TfrmTaksitG : public FormBase {
    Q_OBJECT
public:
    enum Field { OdemeGunu, Lbl1, Tarih, Kime, Lbl2, Lbl3, Lbl4, Lbl5, Lbl6, Kefil, Genis, Uzun };
    TfrmTaksitG(Shell& shell, qint64 saleId, bool preview, QWidget* parent = nullptr);
    InstalmentReports::NoteChoice choice() const;
    QWidget* field(Field f) const { return fields_[size_t(f)]; }
    QCheckBox* noteBox() const { return note_; }
    QCheckBox* plansBox() const { return plans_; }

private:
    void go();

    qint64 saleId_;
    bool preview_;
    std::vector<QWidget*> fields_;
    QCheckBox *note_, *plans_;
};
