#include "instalments/TaksitS.h"

#include "instalments/InstalmentPlan.h"
#include "store/AppError.h"
#include "store/InstallSettings.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Cells that take digits only (and Backspace), at most three.
class DigitsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
        return edit;
    }
};

} // namespace

TfrmTaksitS::TfrmTaksitS(Shell& shell, QWidget* parent)
    : FormBase(shell, QStringLiteral("Ödeme planı şablonları"), parent)
{
    setObjectName(QStringLiteral("frmTaksitS"));
    auto* row = new QHBoxLayout;
    for (int g = 0; g < 3; ++g) {
        auto* grid = new QTableWidget(kRows, 1, this);
        grid->setHorizontalHeaderLabels({QStringLiteral("Şablon %1").arg(g + 1)});
        grid->horizontalHeader()->setStretchLastSection(true);
        grid->verticalHeader()->setVisible(false);
        grid->setItemDelegate(new DigitsDelegate(grid));
        grid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                              QAbstractItemView::EditKeyPressed);
        const std::vector<int> values = InstalmentPlan::readTemplate(
            InstalmentPlan::templatePath(shell.install.programDir(), g + 1));
        for (size_t i = 0; i < values.size() && int(i) < kRows; ++i)
            grid->setItem(int(i), 0, new QTableWidgetItem(QString::number(values[i])));
        grid->installEventFilter(this);
        row->addWidget(grid);
        grids_[g] = grid;
    }
    content()->addLayout(row);
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { leave(); });
    grids_[0]->setFocus();
    grids_[0]->setCurrentCell(0, 0);
    resize(480, 520);
}

std::vector<int> TfrmTaksitS::lines(int number) const
{
    std::vector<int> values;
    for (int r = 0; r < kRows; ++r)
        if (const QTableWidgetItem* item = grids_[number]->item(r, 0)) {
            bool ok = false;
            const int value = item->text().trimmed().toInt(&ok);
            if (ok) values.push_back(value);
        }
    return values;
}

void TfrmTaksitS::leave()
{
    for (int g = 0; g < 3; ++g) {
        // The empty lines go; what is left is shown as it will be kept.
        const std::vector<int> values = lines(g);
        grids_[g]->clearContents();
        for (size_t i = 0; i < values.size(); ++i)
            grids_[g]->setItem(int(i), 0, new QTableWidgetItem(QString::number(values[i])));
    }
    for (int g = 0; g < 3; ++g)
        if (!InstalmentPlan::templateConsistent(lines(g))) {
            NoticeBox(shell(), QStringLiteral("%1. şablon tutarlı değil").arg(g + 1),
                      QStringLiteral("Lütfen düzeltiniz"), QStringLiteral("Şablon kontrol"), this);
            grids_[g]->setFocus();
            return;
        }
    for (int g = 0; g < 3; ++g)
        InstalmentPlan::writeTemplate(
            InstalmentPlan::templatePath(shell().install.programDir(), g + 1), lines(g));
    closeWindow(QDialog::Accepted);
}

bool TfrmTaksitS::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (int g = 0; g < 3; ++g)
            if (watched == grids_[g] &&
                (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
                QTableWidget* next = grids_[(g + (key->key() == Qt::Key_Left ? 2 : 1)) % 3];
                next->setFocus();
                if (!next->currentItem()) next->setCurrentCell(0, 0);
                return true;
            }
    }
    return FormBase::eventFilter(watched, event);
}
