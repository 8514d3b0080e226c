#pragma once

#include "app/EntryWindow.h"
#include "app/ListWindow.h"
#include "portfolio/PortfolioKind.h"

#include <array>

class CodeField;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class DateEdit;

// What the grids of papers share (a portfolio's list, a voucher's papers): the two-step delete,
// papers of another source refused, and for customer papers "Detay [F5]" (also Enter), the
// operations window; firm papers open for editing on Enter.
class PaperGrid : public ListWindow {
    Q_OBJECT
public:
    const PortfolioKind& kind() const { return kind_; }

protected:
    PaperGrid(Shell& shell, const QString& title, Table& table, std::vector<GridColumn> columns,
              const PortfolioKind& kind, const QString& ownSource, QWidget* parent);
    void updateCommands() override;
    void gridActivated() override;
    // Shows the papers again as the window chooses them.
    virtual void applyFilter() = 0;

    const PortfolioKind& kind_;

private:
    void openDetail();
};

// A portfolio's papers (4101 "Müşteri çekleri", 4102 "Müşteri senetleri", 4103 "Firma çekleri",
// 4104 "Firma senetleri"): one position at a time between two due dates, each bound switched on
// or off by its box, and the total of what is shown. F2 enters a paper (first position only),
// F3 edits, F4 deletes it with every posting; customer papers have "Detay [F5]" (also Enter),
// which opens the operations window. Papers of another program are neither edited nor deleted.
class TfrmCek : public PaperGrid {
    Q_OBJECT
public:
    TfrmCek(Shell& shell, const PortfolioKind& kind, QWidget* parent = nullptr);
    ~TfrmCek() override;

    QString totalText() const;
    void choosePosition(int position);
    // The due-date bounds; an unticked bound is left out.
    void setBounds(const QDate& from, bool fromOn, const QDate& to, bool toOn);

protected:
    void newRecord() override;
    void editRecord() override;
    void deleteRecord() override;
    void updateCommands() override;
    void applyFilter() override;

private:
    QButtonGroup* positions_ = nullptr;
    std::array<DateEdit*, 2> dates_{};
    std::array<QCheckBox*, 2> bounds_{};
    QLineEdit* total_ = nullptr;
};

// One customer check or note (frmCekF, frmSenetF), entered in the portfolio with its giver, or
// as a line of a voucher (frmCekFisF, frmSenFisF) whose customer it takes. A voucher's note line
// may be a series (" Senet türü " "&Sıra senet"): so many notes, so many days apart.
class TfrmCekF : public EntryWindow {
    Q_OBJECT
public:
    // The fields a paper window may have; at() gives a field's index, -1 when it has none.
    enum Role {
        CariNo,
        Unvani,
        GirTarihi,
        Vadesi,
        Banka,
        Sube,
        Adres1,
        Adres2,
        Number,
        SonCiro,
        Sahibi,
        Tutari,
        Adet,
        Sure,
        RoleCount
    };
    TfrmCekF(Shell& shell, const PortfolioKind& kind, qint64 paperId, qint64 voucherId = 0,
             QWidget* parent = nullptr);
    int at(Role role) const { return roles_[role]; }
    qint64 savedId() const { return saved_; }
    // The series choice of a voucher's new note: 0 "&Normal", 1 "&Sıra senet".
    void chooseSeries(bool series);

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool series() const;

    const PortfolioKind& kind_;
    qint64 paperId_, voucherId_;
    std::array<int, RoleCount> roles_{};
    CodeField* code_ = nullptr;
    QButtonGroup* seriesGroup_ = nullptr;
    qint64 saved_ = 0;
};

// One firm check or note (frmFCekF, frmFSenetF), issued from the portfolio to a payee, or as a
// line of a voucher (frmFCekFisF, frmFSenFisF) whose customer it is given to. " Çekin durumu "
// "&Tanzim" / "Ö&dendi" pays it: through the bank card for checks, from the cash for notes.
class TfrmFCekF : public EntryWindow {
    Q_OBJECT
public:
    enum Role { KTarih, Vadesi, CariNo, Unvani, Number, BankaNo, Banka, Tutari, RoleCount };
    TfrmFCekF(Shell& shell, const PortfolioKind& kind, qint64 paperId, qint64 voucherId = 0,
              QWidget* parent = nullptr);
    int at(Role role) const { return roles_[role]; }
    qint64 savedId() const { return saved_; }
    void choosePaid(bool paid);

protected:
    bool validate() override;
    void save() override;
    void lastFieldEnter() override { MenuIslem(QStringLiteral("Kaydet")); }
    void updateCommands() override;

private:
    bool bankChecked(bool tell);

    const PortfolioKind& kind_;
    qint64 paperId_, voucherId_;
    std::array<int, RoleCount> roles_{};
    CodeField* payee_ = nullptr;
    CodeField* bank_ = nullptr;
    qint64 bankId_ = 0;
    bool checkingBank_ = false;
    QButtonGroup* paid_ = nullptr;
    qint64 saved_ = 0;
};
