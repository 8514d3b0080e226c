#include "app/VoucherWindows.h"

#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "store/VoucherBook.h"
#include "widgets/DateEdit.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace {

Table& voucherTable(Shell& shell, const VoucherKind& kind)
{
    Table& t = shell.company->table(kind.headerTable);
    t.setFiltered(false);
    t.setIndexName(kind.headerTable + QStringLiteral("_1"));
    t.refresh();
    return t;
}

Table& lineTable(Shell& shell, const VoucherKind& kind, qint64 voucherId)
{
    Table& t = shell.company->table(kind.lineTable);
    t.setIndexName(kind.lineIndex);
    QString filter = QStringLiteral("FRef = %1").arg(voucherId);
    if (!kind.lineOwnTerms.isEmpty()) filter += QStringLiteral(" and ") + kind.lineOwnTerms;
    t.setFilter(filter);
    t.setFiltered(true);
    t.refresh();
    return t;
}

} // namespace

// --- list --------------------------------------------------------------------------------------

VoucherListWindow::VoucherListWindow(Shell& shell, VoucherKind kind, QWidget* parent)
    : ListWindow(shell,
                 QStringLiteral("[-%1-%2-] şirketi %3")
                     .arg(shell.activeCompanyCode, shell.activeCompanyTitle, kind.listCaption),
                 voucherTable(shell, kind),
                 {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 90},
                  {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 260},
                  {QStringLiteral("Ref.No"), QStringLiteral("Nosu"), 70}},
                 parent, ListTexts(), false)
    , kind_(std::move(kind))
{
    setObjectName(kind_.listName);
    setDeleteTexts(kind_.listDelete);
    setRereadBeforeKeys(true);
    resize(620, 520);
    goLast();
}

void VoucherListWindow::open(qint64 voucherId)
{
    {
        VoucherWindow voucher(shell(), kind_, voucherId, this);
        voucher.run();
    }
    voucherTable(shell(), kind_);
    table().gotoId(voucherId);
    reload();
}

void VoucherListWindow::newRecord()
{
    // The voucher exists from now on, dated today, whether lines follow or not.
    open(kind_.book(*shell().company)->create(QDate::currentDate()));
}

void VoucherListWindow::editRecord()
{
    open(table().currentId());
}

void VoucherListWindow::deleteRecord()
{
    kind_.book(*shell().company)->removeVoucher(table().currentId());
    table().refresh();
}

// --- voucher -----------------------------------------------------------------------------------

VoucherWindow::VoucherWindow(Shell& shell, VoucherKind kind, qint64 voucherId, QWidget* parent)
    : ListWindow(shell, QString(), lineTable(shell, kind, voucherId),
                 kind.lineColumns(*shell.company), parent, ListTexts(), false)
    , kind_(std::move(kind))
    , voucherId_(voucherId)
    , book_(kind_.book(*shell.company))
{
    setObjectName(kind_.voucherName);
    setDeleteTexts(kind_.lineDelete);
    addQuickCardKey(kind_.quickCard, [this] {
        return QuickTarget{table()[kind_.cardRef].asInt64(), {}};
    });
    // The header: date and description, saved when the window is left.
    auto* head = new QHBoxLayout;
    date_ = new DateEdit(this);
    date_->setMaximumWidth(110);
    description_ = new QLineEdit(this);
    description_->setMaxLength(25);
    head->addWidget(new QLabel(QStringLiteral("Tarih : "), this));
    head->addWidget(date_);
    head->addWidget(new QLabel(QStringLiteral("Açıklama : "), this));
    head->addWidget(description_, 1);
    content()->insertLayout(0, head);
    addField(date_, QStringLiteral("Fiş tarihini giriniz"));
    addField(description_, QStringLiteral("Fiş açıklamasını giriniz"));
    totals_ = addInfoBoxes(kind_.totalLabels);
    for (QLineEdit* box : totals_)
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const std::optional<VoucherHeader> v = book_->read(voucherId);
    if (!v) throw AppError(QStringLiteral("Fiş bulunamadı (%1).").arg(voucherId));
    date_->setText(v->tarih.toString(QStringLiteral("dd.MM.yyyy")));
    description_->setText(v->aciklama);
    refreshCaption();
    resize(1000, 560);
    goLast();
    // Once shown (the grid takes the focus as the window opens), on to the description.
    QTimer::singleShot(0, description_, [this] { description_->setFocus(); });
}

VoucherWindow::~VoucherWindow()
{
    table().setFiltered(false);
}

QLineEdit* VoucherWindow::dateField() const
{
    return date_;
}

QString VoucherWindow::totalText(int index) const
{
    return totals_[size_t(index)]->text();
}

void VoucherWindow::refreshCaption()
{
    setWindowTitle(QStringLiteral("[-%1-%2-] şirketi %3 [%4 : %5]")
                       .arg(shell().activeCompanyCode, shell().activeCompanyTitle,
                            kind_.captionWord, date_->text(), description_->text()));
}

bool VoucherWindow::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == date_ || watched == description_) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool next = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down;
        if (next || key == Qt::Key_Up) {
            refreshCaption();
            // Date → description → lines; up: description → date, date → lines.
            if (next && watched == description_) {
                grid()->setFocus();
                return true;
            }
            if (key == Qt::Key_Up && watched == date_) {
                grid()->setFocus();
                return true;
            }
        }
    }
    return ListWindow::eventFilter(watched, event);
}

void VoucherWindow::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("HizliKart"), !table().isEmpty());
    if (totals_.empty()) return;
    const VoucherTotals t = book_->totals(voucherId_);
    const QString money =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    totals_[0]->setText(formatNumber(t.in, money));
    totals_[1]->setText(formatNumber(t.out, money));
    totals_[2]->setText(formatNumber(t.balance, money));
    refreshCaption();
}

void VoucherWindow::openLine(qint64 lineId)
{
    const qint64 saved = kind_.lineWindow(shell(), voucherId_, lineId, this);
    lineTable(shell(), kind_, voucherId_);
    if (saved)
        table().gotoId(saved);
    else if (lineId)
        table().gotoId(lineId);
    reload();
}

void VoucherWindow::newRecord()
{
    openLine(0);
}

void VoucherWindow::editRecord()
{
    openLine(table().currentId());
}

void VoucherWindow::deleteRecord()
{
    book_->removeLine(voucherId_, table().currentId());
    lineTable(shell(), kind_, voucherId_);
}

void VoucherWindow::leaving()
{
    book_->saveHeader({voucherId_, parseDateLiteral(date_->text()), description_->text()});
}
