#include "invoicing/FtStBar.h"

#include "app/MessageWindow.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/FtSatisZ.h"
#include "stock/StockCodes.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "widgets/CodeEdit.h"
#include "widgets/ProDbGrid.h"
#include "widgets/TZemrakSEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");
const QString kTitle = QStringLiteral("Yeni barkod satış faturası");

enum Panel {
    PTarih,
    PFatNo,
    PTutar,
    PIrsTarih,
    PIrsNo,
    PIskonto,
    PCariNo,
    PUnvani,
    PKdv,
    PVd,
    PVdNo,
    PToplam
};

bool confirmKey(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Down) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The code cell: typed in capitals; Enter or Down confirms the code (the row is filled then),
// leaving the cell any other way only keeps what was typed.
class CodeCellDelegate : public QStyledItemDelegate {
public:
    CodeCellDelegate(std::function<void()> confirm, QObject* parent)
        : QStyledItemDelegate(parent)
        , confirm_(std::move(confirm))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override
    {
        auto* editor = new CodeEdit(parent);
        editor->setUzunluk(25);
        return editor;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(watched);
        if (editor && event->type() == QEvent::KeyPress &&
            confirmKey(static_cast<QKeyEvent*>(event))) {
            // At once, before the keys of the next scan are taken.
            Q_EMIT commitData(editor);
            Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
            confirm_();
            return true;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    std::function<void()> confirm_;
};

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(kDate) : QString();
}

} // namespace

// --- rows --------------------------------------------------------------------------------------

SaleRowsModel::SaleRowsModel(BarcodeSale& sale, const QString& quantityFormat,
                             const QString& moneyFormat, QObject* parent)
    : QAbstractTableModel(parent)
    , sale_(sale)
    , quantityFormat_(quantityFormat)
    , moneyFormat_(moneyFormat)
{
}

int SaleRowsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : newRow() + 1;
}

int SaleRowsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : BarcodeSale::ColumnCount;
}

QString SaleRowsModel::typedCode(int row) const
{
    return typed_.first == row ? typed_.second : QString();
}

void SaleRowsModel::setTypedCode(int row, const QString& code)
{
    typed_ = {row, code};
    const QModelIndex at = index(row, BarcodeSale::Kodu);
    Q_EMIT dataChanged(at, at);
}

void SaleRowsModel::refresh()
{
    beginResetModel();
    endResetModel();
}

QVariant SaleRowsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row(), column = index.column();
    if (role == Qt::TextAlignmentRole)
        return column >= BarcodeSale::Miktari ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                              : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    if (column == BarcodeSale::Kodu && typed_.first == row) return typed_.second;
    if (row >= newRow()) return {};
    const SaleRow& r = sale_.rows()[size_t(row)];
    const auto number = [&](double value, const QString& mask) -> QVariant {
        if (role == Qt::EditRole) return QString::number(value, 'g', 12);
        return formatNumber(value, mask);
    };
    switch (column) {
    case BarcodeSale::Kodu:
        return r.kodu;
    case BarcodeSale::Cinsi:
        return r.cinsi;
    case BarcodeSale::Birim:
        return r.birim;
    case BarcodeSale::Miktari:
        return number(r.miktari, quantityFormat_);
    case BarcodeSale::BirimF:
        return number(r.birimF, moneyFormat_);
    case BarcodeSale::Tutari:
        return number(r.tutari, moneyFormat_);
    case BarcodeSale::IskOran:
        return number(r.iskOran, QStringLiteral("#,##0.##"));
    case BarcodeSale::IskTutar:
        return number(r.iskTutar, moneyFormat_);
    case BarcodeSale::AraTop:
        return number(r.araTop, moneyFormat_);
    case BarcodeSale::KdvOran:
        return number(r.kdvOran, QStringLiteral("#,##0.##"));
    case BarcodeSale::KdvTutar:
        return number(r.kdvTutar, moneyFormat_);
    case BarcodeSale::TopTutar:
        return number(r.topTutar, moneyFormat_);
    default:
        return {};
    }
}

QVariant SaleRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    static const char* const titles[] = {"Kodu",         "Cinsi",  "Birim",      "Miktarı",
                                         "Birim fiyatı", "Tutarı", "İsk.",       "İsk.Tutar",
                                         "Ara Toplam",   "Kdv",    "Kdv tutarı", "Toplam tutar"};
    return section >= 0 && section < BarcodeSale::ColumnCount ? QString::fromUtf8(titles[section])
                                                              : QVariant();
}

Qt::ItemFlags SaleRowsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // The new row takes only its code; "Toplam tutar" is never typed.
    if (index.column() == BarcodeSale::Kodu ||
        (index.row() < newRow() && index.column() != BarcodeSale::TopTutar))
        f |= Qt::ItemIsEditable;
    return f;
}

bool SaleRowsModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole) return false;
    const int row = index.row(), column = index.column();
    if (column == BarcodeSale::Kodu) {
        setTypedCode(row, value.toString().trimmed());
        return true;
    }
    if (row >= newRow()) return false;
    if (column == BarcodeSale::Cinsi || column == BarcodeSale::Birim) {
        sale_.setText(row, BarcodeSale::Column(column), value.toString());
    } else {
        // What the number cell lets through; anything else counts as 0.
        bool ok = false;
        const double number = value.toString().trimmed().toDouble(&ok);
        Q_EMIT numberTyped(row, column, ok ? number : 0);
    }
    Q_EMIT dataChanged(this->index(row, 0), this->index(row, BarcodeSale::ColumnCount - 1));
    return true;
}

bool SaleRowsModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || count != 1 || row < 0 || row > newRow()) return false;
    if (row == newRow()) {
        dropTypedCode();
        refresh();
        return true;
    }
    beginRemoveRows(parent, row, row);
    sale_.remove(row);
    if (typed_.first == row) dropTypedCode();
    if (typed_.first > row) --typed_.first;
    endRemoveRows();
    return true;
}

// --- sale --------------------------------------------------------------------------------------

TfrmFtStBarF::TfrmFtStBarF(Shell& shell, InvoicePosting& posting, qint64 invoiceId, QWidget* parent)
    : FormBase(shell, QString(), parent, false)
    , posting_(posting)
{
    setObjectName(QStringLiteral("TfrmFtStBarF"));
    setWindowTitle(QStringLiteral("[-%1-%2-] şirketi barkodlu satış")
                       .arg(shell.activeCompanyCode, shell.activeCompanyTitle));
    // Left only through its commands: no close button.
    setWindowFlags((windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint) &
                   ~(Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint));
    const std::optional<InvoiceData> invoice = posting.read(invoiceId);
    if (!invoice) throw AppError(QStringLiteral("Fatura bulunamadı."));
    sale_ =
        std::make_unique<BarcodeSale>(posting, ScaleSettings::read(shell.install.ini()), *invoice);

    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet çık [F2]"), Qt::Key_F2, QString(),
               [this] {
                   commitOpenCell();
                   if (ConfirmBox(this->shell(), QStringLiteral("Fatura kayıt edilsin mi?"),
                                  QString(), kTitle, this) == 1 &&
                       saveSale())
                       closeWindow(QDialog::Accepted);
               });
    addCommand(QStringLiteral("Yazdir"), QStringLiteral("Yazdırma [F8]"), Qt::Key_F8, QString(),
               [this] {
                   commitOpenCell();
                   if (!saveSale()) return;
                   // The sale is saved; a print that fails only says so.
                   try {
                       printInvoice(this->shell(), sale_->header().id, false, false, this);
                   } catch (const AppError& e) {
                       NoticeBox(this->shell(), e.message(),
                                 QStringLiteral("Fatura kaydedildi, yazdırılamadı."),
                                 QStringLiteral("Fatura yazdırma"), this);
                   }
                   closeWindow(QDialog::Accepted);
               });
    addCommand(
        QStringLiteral("Liste"), QStringLiteral("Liste [F6]"), Qt::Key_F6, QString(), [this] {
            const QModelIndex at = grid_->currentIndex();
            if (!at.isValid() || at.column() != BarcodeSale::Kodu) return;
            const QString code =
                stockCodes().pick(this->shell(), model_->data(at, Qt::EditRole).toString(), this);
            // The chosen code waits in the cell; leaving it with Enter fills the row.
            if (!code.isEmpty()) model_->setTypedCode(at.row(), code);
            grid_->setFocus();
            grid_->setCurrentIndex(model_->index(at.row(), BarcodeSale::Kodu));
        });
    addCommand(QStringLiteral("FAyar"), QStringLiteral("F.Ayar [F7]"), Qt::Key_F7, QString(),
               [this] { TfrmFtSatisZ(this->shell(), this).run(); });
    addQuickCardKey(QuickCard::Stock, [this] {
        const int row = grid_->currentIndex().row();
        return QuickTarget{
            row >= 0 && row < int(sale_->rows().size()) ? sale_->rows()[size_t(row)].stockId : 0,
            {}};
    });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] {
                   if (ConfirmBox(this->shell(), QStringLiteral("Fatura kayıt edilmedi"),
                                  QStringLiteral("Emin misiniz?"), kTitle, this) != 1)
                       return;
                   sale_->abandon();
                   closeWindow(QDialog::Rejected);
               });

    // Shown, not chosen here: the header window set them.
    durum_ = addRadioGroup(QStringLiteral(" Fatura türü "),
                           {QStringLiteral("&Açık"), QStringLiteral("&Kapalı")}, invoice->fDurumu);
    kdv_ = addRadioGroup(QStringLiteral(" KDV "),
                         {QStringLiteral("&Hariç"), QStringLiteral("&Dahil")}, invoice->kdvDahil);
    for (QButtonGroup* group : {durum_, kdv_})
        for (QAbstractButton* b : group->buttons())
            b->setEnabled(false);
    sideBySide({durum_, kdv_});
    panel_ = addInfoGrid({QStringLiteral("Fatura Tarihi : "), QStringLiteral("Fatura Nosu : "),
                          QStringLiteral("Tutarı (+) : "), QStringLiteral("İrsaliye Tarihi : "),
                          QStringLiteral("İrsaliye nosu : "), QStringLiteral("İskonto (-) : "),
                          QStringLiteral("Cari No : "), QStringLiteral("Ünvanı : "),
                          QStringLiteral("Kdv (+) : "), QStringLiteral("V.D. : "),
                          QStringLiteral("V.D. No : "), QStringLiteral("FATURA TOPLAMI : ")},
                         3, 130, 1);
    for (int box : {PTutar, PIskonto, PKdv, PToplam})
        panel_[size_t(box)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panel_[PTarih]->setText(dateText(invoice->tarih));
    panel_[PFatNo]->setText(QString::number(invoice->fatNo, 'f', 0));
    panel_[PIrsTarih]->setText(dateText(invoice->irsTarih));
    panel_[PIrsNo]->setText(QString::number(invoice->irsNo, 'f', 0));
    panel_[PCariNo]->setText(invoice->cariNo);
    panel_[PUnvani]->setText(invoice->unvani);
    panel_[PVd]->setText(invoice->vd);
    panel_[PVdNo]->setText(invoice->vdNo);

    CompanyData& company = *shell.company;
    model_ = new SaleRowsModel(*sale_, shell.install.invoiceQuantityFormat(), company.moneyFormat(),
                               this);
    connect(model_, &SaleRowsModel::numberTyped, this, &TfrmFtStBarF::numberTyped);
    grid_ = new TProDbGrid(this);
    grid_->KayitSilinsinMi = true;
    grid_->setModel(model_);
    grid_->setItemDelegate(new NumberCellDelegate(grid_));
    grid_->setItemDelegateForColumn(
        BarcodeSale::Kodu,
        new CodeCellDelegate([this] { confirmCode(grid_->currentIndex().row()); }, grid_));
    for (int text : {BarcodeSale::Cinsi, BarcodeSale::Birim})
        grid_->setItemDelegateForColumn(text, new QStyledItemDelegate(grid_));
    const int widths[] = {110, 190, 45, 70, 90, 90, 45, 80, 90, 45, 80, 100};
    for (int c = 0; c < BarcodeSale::ColumnCount; ++c)
        grid_->setColumnWidth(c, widths[c]);
    grid_->verticalHeader()->setDefaultSectionSize(22);
    grid_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &TfrmFtStBarF::currentChanged);
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { showTotals(); });
    content()->addWidget(grid_, 1);
    count_ = new QLabel(this);
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    content()->addWidget(count_);
    showTotals();
    resize(1120, 620);
    goToNewRow();
}

TfrmFtStBarF::~TfrmFtStBarF() = default;

QString TfrmFtStBarF::totalText(int index) const
{
    const int boxes[] = {PTutar, PIskonto, PKdv, PToplam};
    return index < 4 ? panel_[size_t(boxes[index])]->text() : count_->text();
}

void TfrmFtStBarF::showTotals()
{
    const BarcodeSale::Totals t = sale_->totals();
    const QString money =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    panel_[PTutar]->setText(formatNumber(t.tutari, money));
    panel_[PIskonto]->setText(formatNumber(t.iskonto, money));
    panel_[PKdv]->setText(formatNumber(t.kdv, money));
    panel_[PToplam]->setText(formatNumber(t.toplam, money));
    count_->setText(QString::number(sale_->rows().size()) + QStringLiteral(" Adet"));
}

void TfrmFtStBarF::goToNewRow()
{
    grid_->setFocus();
    grid_->setCurrentIndex(model_->index(model_->newRow(), BarcodeSale::Kodu));
    grid_->scrollTo(grid_->currentIndex());
}

void TfrmFtStBarF::confirmCode(int row)
{
    if (row < 0 || confirming_) return;
    const QString code = model_->typedCode(row);
    if (code.isEmpty()) return;
    confirming_ = true;
    std::optional<ScannedCard> found = sale_->find(code);
    if (!found &&
        ConfirmScanBox(shell(), QStringLiteral("Stok kartı bulunamadı"),
                       QStringLiteral("Yeni kart açılsın mı?"), QStringLiteral("Stok kart kontrol"),
                       this) == 1 &&
        stockCodes().newCard(shell(), code, this))
        found = sale_->find(code); // the card just saved with that code
    confirming_ = false;
    if (!found) {
        // The code stays in its row until the row is left.
        grid_->setFocus();
        grid_->setCurrentIndex(model_->index(row, BarcodeSale::Kodu));
        return;
    }
    model_->dropTypedCode();
    sale_->fill(row, found->card, found->quantity);
    model_->refresh();
    showTotals();
    goToNewRow();
}

void TfrmFtStBarF::commitOpenCell()
{
    const QModelIndex at = grid_->currentIndex();
    if (!at.isValid()) return;
    if (QWidget* editor = grid_->indexWidget(at)) {
        // As if Enter were pressed there.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(editor, &enter);
    }
    if (at.column() == BarcodeSale::Kodu && !model_->typedCode(at.row()).isEmpty())
        confirmCode(at.row());
}

void TfrmFtStBarF::numberTyped(int row, int column, double value)
{
    try {
        sale_->setNumber(row, BarcodeSale::Column(column), value);
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(), e.detail(), QStringLiteral("Miktar kontrol"), this);
    }
    showTotals();
}

void TfrmFtStBarF::currentChanged(const QModelIndex& now, const QModelIndex& before)
{
    // An unconfirmed code is dropped when its row or cell is left; the new row is typed only
    // in its code cell.
    if (before.isValid() && before.column() == BarcodeSale::Kodu &&
        !model_->typedCode(before.row()).isEmpty() &&
        (now.row() != before.row() || now.column() != BarcodeSale::Kodu) && !confirming_) {
        model_->dropTypedCode();
        const QModelIndex cell = model_->index(before.row(), BarcodeSale::Kodu);
        Q_EMIT model_->dataChanged(cell, cell);
    }
    if (now.isValid() && now.row() == model_->newRow() && now.column() != BarcodeSale::Kodu)
        QMetaObject::invokeMethod(
            this, [this] { goToNewRow(); }, Qt::QueuedConnection);
}

bool TfrmFtStBarF::eventFilter(QObject* watched, QEvent* event)
{
    // A code put into its cell by the list, confirmed on the grid itself.
    if (watched == grid_ && event->type() == QEvent::KeyPress &&
        confirmKey(static_cast<QKeyEvent*>(event)) &&
        grid_->currentIndex().column() == BarcodeSale::Kodu &&
        !model_->typedCode(grid_->currentIndex().row()).isEmpty()) {
        confirmCode(grid_->currentIndex().row());
        return true;
    }
    return FormBase::eventFilter(watched, event);
}

bool TfrmFtStBarF::saveSale()
{
    {
        TfrmFtStBarG change(shell(), sale_->totals().toplam, this);
        if (change.run() != QDialog::Accepted) return false; // back to the sale
    }
    try {
        sale_->save();
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(), e.detail(), kTitle, this);
        return false;
    }
    saved_ = true;
    return true;
}

// --- change ------------------------------------------------------------------------------------

TfrmFtStBarG::TfrmFtStBarG(Shell& shell, double total, QWidget* parent)
    : FormBase(shell, QString(), parent, false)
    , total_(total)
{
    setObjectName(QStringLiteral("TfrmFtStBarG"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    const int decimals = shell.company->kurus() ? 2 : 0;
    auto* form = new QFormLayout;
    totalBox_ = new QLineEdit(this);
    totalBox_->setReadOnly(true);
    totalBox_->setFocusPolicy(Qt::NoFocus);
    given_ = new TZemrakSEdit(this);
    given_->setDecimals(decimals);
    change_ = new QLineEdit(this);
    change_->setReadOnly(true);
    for (QLineEdit* box : {totalBox_, static_cast<QLineEdit*>(given_), change_}) {
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = box->font();
        f.setPointSize(f.pointSize() + 6);
        f.setBold(true);
        box->setFont(f);
        box->setMinimumWidth(220);
    }
    form->addRow(QStringLiteral("Satış tutarı : "), totalBox_);
    form->addRow(QStringLiteral("Verilen para : "), given_);
    form->addRow(QStringLiteral("Para üstü : "), change_);
    content()->addLayout(form);
    const QString mask = decimals ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    totalBox_->setText(formatNumber(total, mask));
    change_->setText(formatNumber(0, mask));
    given_->setAsFloat(0);
    given_->setFocus();
}

QString TfrmFtStBarG::changeText() const
{
    return change_->text();
}

void TfrmFtStBarG::showChange()
{
    const QString mask =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    MoneySum change;
    change += given_->asFloat();
    change -= total_;
    change_->setText(formatNumber(shell().company->RoundMoney(change.value()), mask));
}

bool TfrmFtStBarG::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        closeWindow(QDialog::Rejected);
        return true;
    }
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    // Enter in the money given shows the change and moves to it; Enter there closes. A sale of
    // nothing closes at the first Enter.
    if (!(total_ > 0)) {
        closeWindow(QDialog::Accepted);
    } else if (QApplication::focusWidget() == given_) {
        showChange();
        change_->setFocus();
    } else {
        showChange();
        closeWindow(QDialog::Accepted);
    }
    return true;
}
