#pragma once

#include "app/FormBase.h"
#include "portfolio/PortfolioKind.h"

#include <array>
#include <memory>
#include <vector>

class CodeField;
class PaperPosting;
class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

// A customer paper's operations (frmCekG, frmSenetG): the paper above, its position, and five
// panels (endorsement, bank, collection, bounce, return). In view mode only the operations the
// position allows are offered; an operation opens its panel, "Kaydet [F2]" saves it and the
// panel's "İptal [F4]" takes the paper back into the portfolio, each as one command. Nothing is
// held while the window waits: "Çıkış" only closes.
class TfrmCekG : public FormBase {
    Q_OBJECT
public:
    enum Panel { Ciro, Banka, Tahsil, Karsiliksiz, Iade, PanelCount };
    // The fields of a panel, in Enter order: code, title, date, note for Ciro and Banka; date
    // and note for the others.
    enum Field { Code, Title, Date, Note };

    TfrmCekG(Shell& shell, const PortfolioKind& kind, qint64 paperId, QWidget* parent = nullptr);
    ~TfrmCekG() override;

    int position() const { return position_; }
    // The open panel, -1 in view mode.
    int openPanel() const { return open_; }
    QLineEdit* field(Panel panel, Field field) const;
    QString headerText(int index) const;

protected:
    bool FormKeyDown(QKeyEvent* event) override;
    void updateCommands() override;

private:
    void load();
    void openPanel(Panel panel);
    void save();
    void cancelPanel();
    void resetPanel();
    void pickCard();
    bool endorseeChecked();
    bool bankChecked(bool tell);

    const PortfolioKind& kind_;
    qint64 paperId_;
    std::unique_ptr<PaperPosting> posting_;
    int position_ = 0;
    int open_ = -1;
    std::vector<QLineEdit*> header_;
    QButtonGroup* positions_ = nullptr;
    std::array<QGroupBox*, PanelCount> panels_{};
    std::array<std::vector<QLineEdit*>, PanelCount> fields_;
    std::array<QPushButton*, PanelCount> cancels_{};
    CodeField* endorsee_ = nullptr;
    CodeField* bank_ = nullptr;
    qint64 giverId_ = 0;
    bool checking_ = false;
};
