#include "stock/StFis.h"

#include "stock/StHar.h"
#include "stock/StHarF.h"
#include "stock/StockVouchers.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "widgets/DateEdit.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

QString companyCaption(Shell& shell, const QString& text)
{
    return QStringLiteral("[-%1-%2-] şirketi %3")
        .arg(shell.activeCompanyCode, shell.activeCompanyTitle, text);
}

Table& voucherTable(Shell& shell)
{
    Table& t = shell.company->table(QStringLiteral("StFis"));
    t.setFiltered(false);
    t.setIndexName(QStringLiteral("StFis_1"));
    t.refresh();
    return t;
}

Table& lineTable(Shell& shell, qint64 voucherId)
{
    Table& t = shell.company->table(QStringLiteral("StHar"));
    t.setIndexName(QStringLiteral("StHar_1"));
    t.setFilter(QStringLiteral("FRef = %1").arg(voucherId));
    t.setFiltered(true);
    t.refresh();
    return t;
}

} // namespace

// --- list --------------------------------------------------------------------------------------

TfrmStFis::TfrmStFis(Shell& shell, QWidget* parent)
    : ListWindow(shell, companyCaption(shell, QStringLiteral("Stok fiş hareketleri ")),
                 voucherTable(shell),
                 {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 90},
                  {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 260},
                  {QStringLiteral("Ref.No"), QStringLiteral("Nosu"), 70}},
                 parent, ListTexts(), false)
{
    setObjectName(QStringLiteral("TfrmStFis"));
    setDeleteTexts({QStringLiteral("Stok hareket fişini iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Stok fiş iptal")});
    setRereadBeforeKeys(true);
    resize(620, 520);
    goLast();
}

void TfrmStFis::open(qint64 voucherId)
{
    {
        TfrmStFisF voucher(shell(), voucherId, this);
        voucher.run();
    }
    voucherTable(shell());
    table().gotoId(voucherId);
    reload();
}

void TfrmStFis::newRecord()
{
    // The voucher exists from now on, dated today, whether lines follow or not.
    open(StockVoucherPosting(*shell().company).create(QDate::currentDate()));
}

void TfrmStFis::editRecord()
{
    open(table().currentId());
}

void TfrmStFis::deleteRecord()
{
    StockVoucherPosting(*shell().company).removeVoucher(table().currentId());
    table().refresh();
}

// --- voucher -----------------------------------------------------------------------------------

TfrmStFisF::TfrmStFisF(Shell& shell, qint64 voucherId, QWidget* parent)
    : ListWindow(shell, QString(), lineTable(shell, voucherId),
                 stockMovementColumns(*shell.company,
                                      {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                                       {QStringLiteral("Stok Kodu"), QStringLiteral("Kodu"), 110},
                                       {QStringLiteral("Cinsi"), QStringLiteral("Cinsi"), 170}}),
                 parent, ListTexts(), false)
    , voucherId_(voucherId)
    , posting_(std::make_unique<StockVoucherPosting>(*shell.company))
{
    setObjectName(QStringLiteral("TfrmStFisF"));
    setDeleteTexts({QStringLiteral("Stok hareket kaydını iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Stok hareketi siliyorsunuz!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Stok hareket iptal")});
    addQuickCardKey(QuickCard::Stock, [this] {
        return QuickTarget{table()[QStringLiteral("STRef")].asInt64(), {}};
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
    totals_ = addInfoBoxes(
        {QStringLiteral("Giren : "), QStringLiteral("Çıkan : "), QStringLiteral("Bakiye : ")});
    for (QLineEdit* box : totals_)
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const std::optional<StockVoucher> v = posting_->read(voucherId);
    if (!v) throw AppError(QStringLiteral("Stok fişi bulunamadı (%1).").arg(voucherId));
    date_->setText(v->tarih.toString(kDate));
    description_->setText(v->aciklama);
    refreshCaption();
    resize(1000, 560);
    goLast();
    // Once shown (the grid takes the focus as the window opens), on to the description.
    QTimer::singleShot(0, description_, [this] { description_->setFocus(); });
}

TfrmStFisF::~TfrmStFisF()
{
    table().setFiltered(false);
}

QLineEdit* TfrmStFisF::dateField() const
{
    return date_;
}

QString TfrmStFisF::totalText(int index) const
{
    return totals_[size_t(index)]->text();
}

void TfrmStFisF::refreshCaption()
{
    setWindowTitle(QStringLiteral("[-%1-%2-] şirketi stok fiş [%3 : %4]")
                       .arg(shell().activeCompanyCode, shell().activeCompanyTitle, date_->text(),
                            description_->text()));
}

bool TfrmStFisF::eventFilter(QObject* watched, QEvent* event)
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

void TfrmStFisF::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("HizliKart"), !table().isEmpty());
    if (totals_.empty()) return;
    const StockVoucherTotals t = posting_->totals(voucherId_);
    const QString money =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    totals_[0]->setText(formatNumber(t.giren, money));
    totals_[1]->setText(formatNumber(t.cikan, money));
    totals_[2]->setText(formatNumber(t.bakiye, money));
    refreshCaption();
}

void TfrmStFisF::openLine(qint64 lineId)
{
    TfrmStFisG line(shell(), voucherId_, lineId, this);
    line.run();
    lineTable(shell(), voucherId_);
    if (line.savedId())
        table().gotoId(line.savedId());
    else if (lineId)
        table().gotoId(lineId);
    reload();
}

void TfrmStFisF::newRecord()
{
    openLine(0);
}

void TfrmStFisF::editRecord()
{
    openLine(table().currentId());
}

void TfrmStFisF::deleteRecord()
{
    posting_->removeLine(voucherId_, table().currentId());
    lineTable(shell(), voucherId_);
}

void TfrmStFisF::leaving()
{
    posting_->saveHeader({voucherId_, parseDateLiteral(date_->text()), description_->text()});
}
