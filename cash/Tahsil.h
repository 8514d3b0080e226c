#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "cash/SlipKind.h"

#include <memory>

class CodeField;
class QLineEdit;
class SlipPosting;

// The slip list (5201 "Kasa tahsil fişleri", 5202 "Kasa tediye fişleri"): F2 and F3 open the
// header and, once it is saved, the lines; F5, Enter and the pop-up open the lines; F4 deletes the
// slip with its lines and postings. Every function key first re-reads the slips, so those
// written at another workstation appear.
class TfrmTahsil : public ListWindow {
    Q_OBJECT
public:
    TfrmTahsil(Shell& shell, const SlipKind& kind, QWidget* parent = nullptr);

protected:
    void deleteRecord() override;

private:
    void openLines();

    const SlipKind& kind_;
};

// The slip's header: date, customer code (with the code field rule), title and description.
// Saving looks the code up again; the window tells its caller whether the slip was saved.
class TfrmTahsilA : public EntryWindow {
    Q_OBJECT
public:
    TfrmTahsilA(Shell& shell, const SlipKind& kind, qint64 slipId, QWidget* parent = nullptr);
    enum Field { Tarih, CariNo, Unvani, Aciklama };
    qint64 savedId() const { return saved_; }

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    const SlipKind& kind_;
    qint64 slipId_;
    qint64 saved_ = 0;
    CodeField* code_;
};

// The slip's lines with its header and total above them; each line command posts the slip's
// movement and cash record in the same command. "Basım [F5]" prints the slip without preview.
class TfrmTahsilB : public ListWindow {
    Q_OBJECT
public:
    TfrmTahsilB(Shell& shell, const SlipKind& kind, qint64 slipId, QWidget* parent = nullptr);
    ~TfrmTahsilB() override;
    QString headerText(int index) const; // date, code, title, description, total

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    void openLine(qint64 lineId);

    const SlipKind& kind_;
    qint64 slipId_;
    std::unique_ptr<SlipPosting> posting_;
    std::vector<QLineEdit*> header_;
};

// One line: description and amount; Enter on the amount saves.
class TfrmTahsilF : public EntryWindow {
    Q_OBJECT
public:
    TfrmTahsilF(Shell& shell, SlipPosting& posting, qint64 slipId, qint64 lineId,
                QWidget* parent = nullptr);
    enum Field { Aciklama, Tutar };
    qint64 savedId() const { return saved_; }

protected:
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    SlipPosting& posting_;
    qint64 slipId_, lineId_;
    qint64 saved_ = 0;
};
