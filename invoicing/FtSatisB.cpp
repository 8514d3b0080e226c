#include "invoicing/FtSatisB.h"
#include "invoicing/Ust.h"

#include "invoicing/FtSatisZ.h"
#include "invoicing/InvoicePosting.h"
#include "invoicing/InvoicePrint.h"
#include "printing/OnIzle.h"
#include "printing/PagePrinter.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDebug>
#include <QLineEdit>
#include <QTableView>
#include <QTimer>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");
const QString kFatura = QStringLiteral("FATURA");
// The line lists' column widths until K0 … K8 (shared by both) say otherwise.
constexpr int kSalesWidths[9] = {90, 200, 35, 70, 90, 100, 80, 90, 110};
constexpr int kPurchaseWidths[9] = {94, 95, 25, 60, 90, 100, 90, 90, 110};

Table& lineTable(Shell& shell, qint64 invoiceId)
{
    Table& t = shell.company->table(QStringLiteral("FatHar"));
    t.setIndexName(QString());
    t.setFilter(QStringLiteral("FRef = %1").arg(invoiceId));
    t.setFiltered(true);
    t.refresh();
    return t;
}

std::vector<GridColumn> lineColumns(Shell& shell, const InvoiceKind& kind)
{
    const int* defaults = kind.sales ? kSalesWidths : kPurchaseWidths;
    CompanyData& c = *shell.company;
    const QString money = c.moneyFormat();
    const QString price = c.displayFormat(QStringLiteral("FatHar"), QStringLiteral("BirimF"));
    const IniFile& ini = shell.install.ini();
    const QString quantity = shell.install.invoiceQuantityFormat();
    std::vector<GridColumn> columns = {
        {QStringLiteral("St.Kodu"), QStringLiteral("Kodu")},
        {QStringLiteral("St.Cinsi"), QStringLiteral("Cinsi")},
        {QStringLiteral("BR"), QStringLiteral("Birim")},
        {QStringLiteral("Miktari"), QStringLiteral("Miktari"), 0, quantity},
        {QStringLiteral("Br.Fiyatı"), QStringLiteral("BirimF"), 0, price},
        {QStringLiteral("Tutar"), QStringLiteral("Tutari"), 0, money},
        {QStringLiteral("İskonto"), QStringLiteral("IskTutar"), 0, money},
        {QStringLiteral("Kdv tutarı"), QStringLiteral("KdvTutar"), 0, money},
        {QStringLiteral("TUTARI"), QStringLiteral("TopTutar"), 0, money}};
    for (int i = 0; i < 9; ++i) {
        const int width = ini.readInteger(kFatura, QStringLiteral("K%1").arg(i), defaults[i]);
        columns[size_t(i)].width = width > 0 && width < 2000 ? width : defaults[i];
    }
    return columns;
}

QString numberText(double n)
{
    return n ? QString::number(qint64(n)) : QString();
}

} // namespace

void printInvoice(Shell& shell, qint64 invoiceId, bool irsaliye, bool preview, QWidget* parent)
{
    QString notice;
    RunningReport running =
        InvoicePrint::start(*shell.company, shell.global->fatPlan(), invoiceId, irsaliye, &notice);
    if (!notice.isEmpty())
        NoticeBox(shell, QStringLiteral("Dizayn dosyası okunamadı"), notice,
                  QStringLiteral("Rapor dizaynı"), parent);
    if (preview) {
        TfrmOnIzle(shell, *running.renderer, parent).run();
        return;
    }
    const PageSet pages = running.renderer->render();
    printPages(pages, shell.install, parent, false);
}

// --- line list ---------------------------------------------------------------------------------

TfrmFtSatisB::TfrmFtSatisB(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind,
                           qint64 invoiceId, bool barcode, QWidget* parent)
    : ListWindow(shell, barcode ? kind.barcodeLinesCaption : kind.linesCaption,
                 lineTable(shell, invoiceId), lineColumns(shell, kind), parent)
    , posting_(posting)
    , kind_(kind)
    , invoiceId_(invoiceId)
    , barcode_(barcode)
{
    setObjectName(kind.sales ? QStringLiteral("frmFtSatisB") : QStringLiteral("frmFtAlisB"));
    setDeleteTexts({QStringLiteral("Fatura kalemini silmek"),
                    QStringLiteral("istediğinize emin misiniz ? "),
                    QStringLiteral("Fatura kalem bilgisini tamamıyla kaybedeceksiniz"),
                    QStringLiteral("emin misiniz ? "), kind.lineTitle});
    panel_ = addInfoGrid({QStringLiteral("Fatura Tarihi : "), QStringLiteral("Fatura Nosu : "),
                          QStringLiteral("Tutarı (+) : "), QStringLiteral("İrsaliye Tarihi : "),
                          QStringLiteral("İrsaliye nosu : "), QStringLiteral("İskonto (-) : "),
                          QStringLiteral("Vadesi : "), QStringLiteral("Cari No : "),
                          QStringLiteral("Kdv (+) : "), QStringLiteral("V.D. : "),
                          QStringLiteral("V.D. No : "), QStringLiteral("FATURA TOPLAMI : "),
                          QStringLiteral("Ünvanı : "), QString()},
                         3, 120);
    for (int box : {PTutar, PIskonto, PKdv, PToplam})
        panel_[size_t(box)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Opening brings the lines' dates and the postings into step, in one command.
    posting_.openLines(invoiceId_);
    const std::optional<InvoiceData> inv = posting_.read(invoiceId_);
    if (!inv) throw AppError(QStringLiteral("Fatura bulunamadı."));
    // Shown, not chosen here: the header window sets them.
    durum_ = addRadioGroup(QStringLiteral(" Fatura türü "),
                           {QStringLiteral("Açık"), QStringLiteral("Kapalı")}, inv->fDurumu, 1);
    kdv_ = addRadioGroup(QStringLiteral(" KDV "),
                         {QStringLiteral("Hariç"), QStringLiteral("Dahil")}, inv->kdvDahil, 2);
    for (QButtonGroup* group : {durum_, kdv_})
        for (QAbstractButton* b : group->buttons())
            b->setEnabled(false);
    sideBySide({durum_, kdv_});

    if (kind.printing) {
        addCommand(QStringLiteral("Onizleme"), QStringLiteral("Ön izleme [F5]"), Qt::Key_F5,
                   QString(), [this] { print(false, true); });
        addCommand(QStringLiteral("Yazdir"), QStringLiteral("Yazdırma [F6]"), Qt::Key_F6, QString(),
                   [this] { print(false, false); });
        addCommand(
            QStringLiteral("FOnizleme"), QString(), 0, QString(), [this] { print(false, true); },
            false);
        addCommand(
            QStringLiteral("IOnizleme"), QString(), 0, QString(), [this] { print(true, true); },
            false);
        addCommand(
            QStringLiteral("FYazdir"), QString(), 0, QString(), [this] { print(false, false); },
            false);
        addCommand(
            QStringLiteral("IYazdir"), QString(), 0, QString(), [this] { print(true, false); },
            false);
        addPopupEntry(popup(), QStringLiteral("Fatura ön izlemesi"), QStringLiteral("FOnizleme"));
        addPopupEntry(popup(), QStringLiteral("İrsaliye ön izlemesi"), QStringLiteral("IOnizleme"));
        addPopupEntry(popup(), QStringLiteral("Fatura yazdır"), QStringLiteral("FYazdir"));
        addPopupEntry(popup(), QStringLiteral("İrsaliye yazdır"), QStringLiteral("IYazdir"));
        addCommand(QStringLiteral("FAyar"), QStringLiteral("F.Ayar [F7]"), Qt::Key_F7, QString(),
                   [this] {
                       TfrmUst designer(this->shell(), this, invoiceId_);
                       designer.run();
                   });
    }
    addQuickCardKey(QuickCard::Stock, [this] {
        return QuickTarget{table().isEmpty() ? 0 : table()["STRef"].asInt64(), {}};
    });
    resize(960, 600);
    goLast();
}

TfrmFtSatisB::~TfrmFtSatisB()
{
    saveColumnWidths();
    table().setFiltered(false);
}

void TfrmFtSatisB::saveColumnWidths()
{
    QList<QPair<QString, QString>> widths;
    for (int i = 0; i < 9; ++i)
        widths.append({QStringLiteral("K%1").arg(i), QString::number(grid()->columnWidth(i))});
    try {
        shell().install.ini().writeStrings(kFatura, widths);
    } catch (const AppError& e) {
        qWarning() << e.message(); // the widths are a convenience
    }
}

QString TfrmFtSatisB::panelText(int box) const
{
    return panel_[size_t(box)]->text();
}

void TfrmFtSatisB::showEvent(QShowEvent* event)
{
    ListWindow::showEvent(event);
    // Barcode mode starts a new line at once.
    if (barcode_ && !started_) {
        started_ = true;
        QTimer::singleShot(0, this, [this] { MenuIslem(QStringLiteral("Yeni")); });
    }
}

void TfrmFtSatisB::updateCommands()
{
    ListWindow::updateCommands();
    const bool any = !table().isEmpty();
    for (const char* id : {"Onizleme", "Yazdir", "FOnizleme", "IOnizleme", "FYazdir", "IYazdir"})
        setCommandEnabled(QLatin1String(id), any);
    const std::optional<InvoiceData> inv = posting_.read(invoiceId_);
    if (!inv) return;
    const QString money = shell().company->moneyFormat();
    const auto put = [&](int box, const QString& text) { panel_[size_t(box)]->setText(text); };
    put(PTarih, inv->tarih.toString(kDate));
    put(PFatNo, numberText(inv->fatNo));
    put(PTutar, formatNumber(inv->fatTop, money));
    put(PIrsTarih, inv->irsTarih.toString(kDate));
    put(PIrsNo, numberText(inv->irsNo));
    put(PIskonto, formatNumber(inv->iskonto, money));
    put(PVadesi, inv->vadesi.toString(kDate));
    put(PCariNo, inv->cariNo);
    put(PKdv, formatNumber(inv->kdv, money));
    put(PVd, inv->vd);
    put(PVdNo, inv->vdNo);
    put(PToplam, formatNumber(inv->gToplam, money));
    put(PUnvani, inv->unvani);
    put(PAdet, QString::number(posting_.lineCount(invoiceId_)) + QStringLiteral(" Adet"));
}

void TfrmFtSatisB::openLine(qint64 lineId)
{
    TfrmFtSatisF line(shell(), posting_, kind_, invoiceId_, lineId, barcode_, this);
    // In barcode mode the window stays open; the list follows each line it saves.
    connect(&line, &TfrmFtSatisF::lineSaved, this, [this](qint64 saved) {
        table().refresh();
        table().gotoId(saved);
        reload();
        updateCommands();
    });
    line.run();
    table().refresh();
    if (line.savedId()) table().gotoId(line.savedId());
}

void TfrmFtSatisB::newRecord()
{
    openLine(0);
}

void TfrmFtSatisB::editRecord()
{
    openLine(table().currentId());
}

void TfrmFtSatisB::deleteRecord()
{
    posting_.removeLine(invoiceId_, table().currentId());
    table().refresh();
}

void TfrmFtSatisB::print(bool irsaliye, bool preview)
{
    if (table().isEmpty()) return;
    printInvoice(shell(), invoiceId_, irsaliye, preview, this);
    // A barcode sale is done once it is printed.
    if (barcode_ && !preview) closeWindow(QDialog::Accepted);
}
