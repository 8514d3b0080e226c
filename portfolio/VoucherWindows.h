#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "portfolio/PaperWindows.h"
#include "portfolio/PortfolioKind.h"

class CodeField;
class QButtonGroup;
class QLineEdit;

// A portfolio's vouchers (4201–4204: "Müşteri çek fişleri" …): F2 and F3 open the header, F5
// (also Enter) the voucher's papers, F4 deletes the voucher with every paper it entered and
// every posting of them.
class TfrmCekFis : public ListWindow {
    Q_OBJECT
public:
    TfrmCekFis(Shell& shell, const PortfolioKind& kind, QWidget* parent = nullptr);
    ~TfrmCekFis() override;

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;

private:
    void openHeader(qint64 voucherId);
    void openLines();

    const PortfolioKind& kind_;
};

// The voucher's header: date, customer (the code field rule; F6 also takes the card's
// surcharge rate), for customer papers "G. Zammı" and whether the surcharge is posted.
class TfrmCekFisA : public EntryWindow {
    Q_OBJECT
public:
    enum Field { Tarih, CariNo, Unvani, GZam, Aciklama };
    TfrmCekFisA(Shell& shell, const PortfolioKind& kind, qint64 voucherId,
                QWidget* parent = nullptr);
    // The field's index in this window (firm vouchers have no "G. Zammı"), -1 when absent.
    int at(Field field) const;
    qint64 savedId() const { return saved_; }
    // Whether the caller should open the lines now: the surcharge is to be posted and had no
    // movement before this save.
    bool openLines() const { return openLines_; }
    void choosePosted(bool posted);

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }

private:
    const PortfolioKind& kind_;
    qint64 voucherId_;
    CodeField* code_ = nullptr;
    QButtonGroup* posted_ = nullptr;
    qint64 saved_ = 0;
    bool openLines_ = false;
};

// The voucher's papers in due-date order with the voucher above them and its figures: average
// due date, surcharge (customer papers) and total. F2 adds a paper, F3 edits, F4 deletes one;
// customer papers have "Detay [F5]" (also Enter), the operations window.
class TfrmCekFisB : public PaperGrid {
    Q_OBJECT
public:
    TfrmCekFisB(Shell& shell, const PortfolioKind& kind, qint64 voucherId,
                QWidget* parent = nullptr);
    ~TfrmCekFisB() override;
    // The boxes above the grid by their label ("Ortalama Vade", "Gecikme Zammı", …).
    QString infoText(const QString& label) const;

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
    void applyFilter() override;

private:
    void openLine(qint64 paperId);

    qint64 voucherId_;
    QStringList labels_;
    std::vector<QLineEdit*> info_;
};
