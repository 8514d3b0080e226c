#include "orders/SiparisB.h"

#include "invoicing/FtSatis.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/InvoicePosting.h"
#include "orders/OrderReports.h"
#include "orders/SiparisParts.h"
#include "printing/OnIzle.h"
#include "printing/PagePrinter.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QLineEdit>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

// "(SipTuru = 1 and SipRef = 4) or (SipTuru = 1 and SipRef = 9)": numbers only.
QString filterOf(const QString& kindField, int kind, const QString& refField,
                 const std::vector<qint64>& ids)
{
    QStringList parts;
    for (qint64 id : ids)
        parts
            << QStringLiteral("%1 = %2 and %3 = %4").arg(kindField).arg(kind).arg(refField).arg(id);
    if (parts.size() == 1) return parts.front();
    for (QString& p : parts)
        p = QLatin1Char('(') + p + QLatin1Char(')');
    return parts.join(QStringLiteral(" or "));
}

} // namespace

TfrmSiparisB::TfrmSiparisB(Shell& shell, OrderPosting& posting, std::vector<qint64> orderIds,
                           QWidget* parent)
    : MultiGridWindow(shell, QString(), parent)
    , posting_(posting)
    , orderIds_(std::move(orderIds))
{
    const OrderKind& kind = posting.kind();
    setObjectName(kind.sipTuru == 1 ? QStringLiteral("frmSiparisB")
                                    : QStringLiteral("frmASiparisB"));
    if (orderIds_.empty()) throw AppError(QStringLiteral("Sipariş seçilmedi."));
    std::vector<OrderPosting::Header> orders;
    for (qint64 id : orderIds_) {
        const std::optional<OrderPosting::Header> h = posting.read(id);
        if (!h) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(id));
        orders.push_back(*h);
    }
    const OrderPosting::Header& first = orders.front();
    if (combined()) {
        QStringList numbers;
        for (const OrderPosting::Header& h : orders)
            numbers << formatNumber(h.sipNo, QStringLiteral("0"));
        setWindowTitle(numbers.join(QStringLiteral(", ")) + QStringLiteral(" nolu ") + kind.word +
                       QStringLiteral(" sipariş fişleri"));
    } else {
        setWindowTitle(QStringLiteral("%1 nolu, %2 tarihli %3 siparişi")
                           .arg(formatNumber(first.sipNo, QStringLiteral("0")),
                                first.tarih.toString(kDate), kind.word));
        const std::vector<QLineEdit*> header =
            addInfoGrid({QStringLiteral("Sipariş nosu : "), QStringLiteral("Sipariş tarihi : "),
                         QStringLiteral("Termin tarihi : "), QStringLiteral("Cari no : "),
                         QStringLiteral("Ünvanı : "), QStringLiteral("Açıklama : ")},
                        3, 170, 0);
        const QString values[] = {formatNumber(first.sipNo, QStringLiteral("0")),
                                  first.tarih.toString(kDate),
                                  first.terminTar.toString(kDate),
                                  first.cariNo,
                                  first.unvani,
                                  first.aciklama};
        for (size_t i = 0; i < header.size(); ++i)
            header[i]->setText(values[i]);
    }

    Connection& db = shell.company->connection();
    tables_[Lines] = std::make_unique<Table>(db, QStringLiteral("SipHar"));
    tables_[Lines]->setFilter(
        filterOf(QStringLiteral("SipTuru"), kind.sipTuru, QStringLiteral("SipRef"), orderIds_));
    tables_[Invoices] = std::make_unique<Table>(db, QStringLiteral("Fatura"));
    tables_[Invoices]->setIndexName(QStringLiteral("Fatura_1"));
    tables_[Invoices]->setFilter(
        filterOf(QStringLiteral("FatTuru"), kind.fatTuru(), QStringLiteral("SIRef"), orderIds_));
    for (const auto& t : tables_) {
        t->setFiltered(true);
        t->open();
        t->last();
    }
    const QString money = shell.company->moneyFormat();
    const QString quantity = shell.install.invoiceQuantityFormat();
    const auto lineAction = [this](std::function<void()> action) {
        return combined() ? std::function<void()>() : std::move(action);
    };
    addPane({QStringLiteral("Sipariş hareketleri"),
             tables_[Lines].get(),
             {{QStringLiteral("Kodu"), QStringLiteral("Kodu"), 90},
              {QStringLiteral("St.Cinsi"), QStringLiteral("Cinsi"), 150},
              {QStringLiteral("Açık. [1]"), QStringLiteral("Aciklama1"), 80},
              {QStringLiteral("Açık. [2]"), QStringLiteral("Aciklama2"), 80},
              {QStringLiteral("BR"), QStringLiteral("Birim"), 40},
              {QStringLiteral("Mik."), QStringLiteral("Miktari"), 60, quantity},
              {QStringLiteral("Sevk"), QStringLiteral("Faturalanan"), 60, quantity},
              {QStringLiteral("Kalan"), QStringLiteral("Kalan"), 60, quantity},
              {QStringLiteral("Br.Fiyatı"), QStringLiteral("BirimF"), 80, money},
              {QStringLiteral("Tutar"), QStringLiteral("Tutari"), 90, money},
              {QStringLiteral("İskonto"), QStringLiteral("IskTutar"), 80, money},
              {QStringLiteral("Kdv tutarı"), QStringLiteral("KdvTutar"), 80, money},
              {QStringLiteral("TUTARI"), QStringLiteral("TopTutar"), 90, money},
              {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80}},
             lineAction([this] { editLine(0); }),
             lineAction([this] { editLine(table(Lines).currentId()); }),
             lineAction([this] {
                 if (!sure(QStringLiteral("Sipariş hareketini iptal etmek"),
                           QStringLiteral("Hareket kaydı SİLİNECEK!!"),
                           QStringLiteral("Sipariş satış fişi iptal")))
                     return;
                 posting_.removeLine(table(Lines).currentId());
                 refresh(false);
             }),
             {},
             {}});
    addPane({QStringLiteral("Faturalar"),
             tables_[Invoices].get(),
             {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
              {QStringLiteral("Fat.No"), QStringLiteral("FatNo"), 70, QStringLiteral("0")},
              {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 220},
              {QStringLiteral("Toplam"), QStringLiteral("FatTop"), 100, money},
              {QStringLiteral("İskonto"), QStringLiteral("Iskonto"), 90, money},
              {QStringLiteral("Kdv"), QStringLiteral("Kdv"), 90, money},
              {QStringLiteral("Fatura toplamı"), QStringLiteral("GToplam"), 110, money}},
             [this] { editInvoice(0); },
             [this] { editInvoice(table(Invoices).currentId()); },
             [this] {
                 if (!sure(QStringLiteral("Faturayı iptal etmek"),
                           QStringLiteral("Faturanın tüm kayıtları SİLİNECEK!!"),
                           QStringLiteral("Fatura iptal")))
                     return;
                 posting_.removeInvoice(table(Invoices).currentId(), orderIds_);
                 refresh(false);
             },
             {},
             {}});
    const QStringList sums = {QStringLiteral("Tutarı (+) : "), QStringLiteral("İskonto (-) : "),
                              QStringLiteral("Kdv (+) : ")};
    // Under each grid its totals; combined, the orders' own are not shown.
    if (!combined()) {
        const std::vector<QLineEdit*> own =
            addInfoGrid(sums + QStringList{QStringLiteral("SİPARİŞ TOPLAMI : ")}, 4, 110, 3);
        for (int i = 0; i < 4; ++i)
            totals_[size_t(i)] = own[size_t(i)];
    }
    const std::vector<QLineEdit*> invoiced =
        addInfoGrid(sums + QStringList{QStringLiteral("TOPLAM : ")}, 4, 110, 99);
    for (int i = 0; i < 4; ++i)
        totals_[size_t(FTutari + i)] = invoiced[size_t(i)];

    // The order prints while its lines are in use: F5 previews, F6 prints, F7 sets the printer.
    addCommand(QStringLiteral("OnIzleme"), QStringLiteral("Ön İzleme [F5]"), Qt::Key_F5,
               QStringLiteral("Siparişi ön izler"), [this] { printOrder(true); });
    addCommand(QStringLiteral("Yazdir"), QStringLiteral("Yazdır [F6]"), Qt::Key_F6,
               QStringLiteral("Siparişi yazdırır"), [this] { printOrder(false); });
    addCommand(QStringLiteral("Ayar"), QStringLiteral("Ayar [F7]"), Qt::Key_F7,
               QStringLiteral("Yazıcı ayarları"),
               [this] { printerSetup(this->shell().install, this); });
    addQuickCardKey(QuickCard::Stock, [this] {
        return QuickTarget{table(Lines)[QStringLiteral("STRef")].asInt64(), {}};
    });
    refresh(true);
    resize(1100, 720);
}

TfrmSiparisB::~TfrmSiparisB() = default;

QString TfrmSiparisB::totalText(int total) const
{
    const QLineEdit* box = totals_[size_t(total)];
    return box ? box->text() : QString();
}

bool TfrmSiparisB::sure(const QString& line1, const QString& line3, const QString& title)
{
    return ConfirmBox(shell(), line1, QStringLiteral("istediğinize emin misiniz ?"), title, this) ==
               1 &&
           ConfirmBox(shell(), line3, QStringLiteral("emin misiniz ?"), title, this) == 1;
}

void TfrmSiparisB::refresh(bool quantities)
{
    if (quantities) posting_.openLines(orderIds_);
    for (int pane = 0; pane < 2; ++pane) {
        Table& t = table(pane);
        const qint64 at = t.currentId();
        t.refresh();
        if (at <= 0 || !t.gotoId(at)) t.last();
        reloadPane(pane);
    }
    const QString money = shell().company->moneyFormat();
    const auto show = [&](int first, const OrderPosting::Totals& t) {
        const double values[] = {t.tutari, t.iskonto, t.kdv, t.toplam};
        for (int i = 0; i < 4; ++i)
            if (QLineEdit* box = totals_[size_t(first + i)])
                box->setText(formatNumber(values[i], money));
    };
    if (!combined()) show(Tutari, posting_.orderTotals(orderIds_.front()));
    show(FTutari, posting_.invoiceTotals(orderIds_));
    updateCommands();
}

void TfrmSiparisB::updateCommands()
{
    MultiGridWindow::updateCommands();
    const bool printable = !combined() && activePane() == Lines && !table(Lines).isEmpty();
    setCommandEnabled(QStringLiteral("OnIzleme"), printable);
    setCommandEnabled(QStringLiteral("Yazdir"), printable);
}

void TfrmSiparisB::editLine(qint64 lineId)
{
    TfrmSiparisC line(shell(), posting_, orderIds_.front(), lineId, this);
    line.run();
    if (line.savedId()) {
        table(Lines).refresh();
        table(Lines).gotoId(line.savedId());
    }
    refresh(false);
}

void TfrmSiparisB::editInvoice(qint64 invoiceId)
{
    TfrmSiparisD header(shell(), posting_, orderIds_, invoiceId, windowTitle(), this);
    header.run();
    if (header.savedId() && !invoiceId) {
        // A new invoice goes on to its lines, then the quantities follow what it holds.
        InvoicePosting invoices(*shell().company, shell().install);
        TfrmFtSatisB lines(shell(), invoices, posting_.kind().invoiceKind(), header.savedId(),
                           false, this);
        lines.run();
        table(Invoices).refresh();
        table(Invoices).gotoId(header.savedId());
    }
    refresh(true);
}

void TfrmSiparisB::printOrder(bool preview)
{
    PageSet pages = OrderReports::orderPages(*shell().company, posting_.kind(), orderIds_.front());
    if (preview)
        TfrmOnIzle(shell(), std::move(pages), this).run();
    else
        printPages(pages, shell().install, this);
}

void TfrmSiparisB::leaving()
{
    posting_.close(orderIds_);
}
