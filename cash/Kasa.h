#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"

class QLineEdit;

// "Kasa hareketleri" (command 5203): every cash record in date order, with the totals under the
// grid. Only hand-entered ("KA") records are changed or deleted here; the others belong to
// their documents. A negative balance shows in bright red with a warning after every command.
class TfrmKasa : public ListWindow {
    Q_OBJECT
public:
    TfrmKasa(Shell& shell, QWidget* parent = nullptr);
    QString totalText(int index) const; // 0 giren, 1 çıkan, 2 bakiye
    QLineEdit* totalBox(int index) const { return totals_[size_t(index)]; }

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    std::vector<QLineEdit*> totals_;
};

// "Yeni kasa hareketi girişi" / "Eski kasa hareketi girişi": one hand-entered cash record.
// Only one side stays filled: a key in one amount holding a value clears the other.
class TfrmKasaF : public EntryWindow {
    Q_OBJECT
public:
    // `recordId` 0: a new record dated today.
    TfrmKasaF(Shell& shell, qint64 recordId, QWidget* parent = nullptr);
    enum Field { Tarih, BelgeNo, Aciklama, Giren, Cikan };
    qint64 savedId() const { return saved_; }

protected:
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    qint64 recordId_;
    qint64 saved_ = 0;
};
