#include "orders/SiparisParts.h"

#include "app/CodeField.h"
#include "invoicing/BarcodeSale.h"
#include "invoicing/FtSatis.h"
#include "stock/StockCodes.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

FieldSpec field(const char* label, EditorKind kind, int size, const char* hint)
{
    return {QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
}

std::vector<FieldSpec> lineFields(int money, int price)
{
    return {field("Stok kodu : ", EditorKind::Code, 25, "Stok kodunu giriniz"),
            field("Stok cinsi : ", EditorKind::Text, 30, "Stok cinsini giriniz"),
            field("Birim : ", EditorKind::Text, 5, "Stok birimini giriniz"),
            field("Açıklama [1] : ", EditorKind::Text, 20, "Birinci açıklamayı giriniz"),
            field("Açıklama [2] : ", EditorKind::Text, 20, "İkinci açıklamayı giriniz"),
            field("Çıkan miktar : ", EditorKind::Number, 0, "Sipariş miktarını giriniz"),
            field("Birim fiyatı : ", EditorKind::Money, price, "Birim fiyatını giriniz"),
            field("Tutarı : ", EditorKind::Money, money, "Tutarı giriniz"),
            field("İskonto oranı % : ", EditorKind::Number, 0, "İskonto oranını giriniz"),
            field("İskonto tutarı : ", EditorKind::Money, money, "İskonto tutarını giriniz"),
            field("Kdv oranı % : ", EditorKind::Number, 0, "Kdv oranını giriniz"),
            field("Kdv tutarı : ", EditorKind::Money, money, "Kdv tutarını giriniz"),
            field("Termin Tarihi : ", EditorKind::Date, 0, "Termin tarihini giriniz")};
}

} // namespace

// --- line ---------------------------------------------------------------------------------------

TfrmSiparisC::TfrmSiparisC(Shell& shell, OrderPosting& posting, qint64 orderId, qint64 lineId,
                           QWidget* parent)
    : EntryWindow(
          shell,
          (lineId ? QStringLiteral("Eski ") : QStringLiteral("Yeni ")) + posting.kind().word +
              QStringLiteral(" faturası kalemi"),
          lineFields(shell.company->kurus() ? 2 : 0,
                     shell.company->kurus() ? shell.company->settings().priceDecimals() : 0),
          nullptr, parent)
    , posting_(posting)
    , orderId_(orderId)
    , lineId_(lineId)
{
    setObjectName(posting.kind().sipTuru == 1 ? QStringLiteral("frmSiparisC")
                                              : QStringLiteral("frmASiparisC"));
    amounts_ = std::make_unique<LineAmountFields>(*this, Miktari, content());

    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(Kodu)), lineStockCodes());
    connect(code_, &CodeField::checked, this, [this](qint64 id) { codeChecked(id); });
    addCardListCommand(code_, -1, Kodu, &picking_);
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{0, text(Kodu)}; });

    LineAmounts a;
    if (lineId_) {
        const std::optional<OrderPosting::Line> line = posting.readLine(lineId_);
        if (!line) throw AppError(QStringLiteral("Sipariş hareketi bulunamadı (%1).").arg(lineId_));
        setText(Kodu, line->kodu);
        setText(Cinsi, line->cinsi);
        setText(Birim, line->birim);
        setText(Aciklama1, line->aciklama1);
        setText(Aciklama2, line->aciklama2);
        setText(Tarih, line->tarih.toString(kDate));
        lineKodu_ = line->kodu;
        a = *line;
    } else {
        // A new line is due when the order is.
        const std::optional<OrderPosting::Header> order = posting.read(orderId_);
        if (!order) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId_));
        setText(Tarih, order->terminTar.toString(kDate));
    }
    amounts_->show(a);
    // This window's rules run before the field's own (Enter, leaving): installed last.
    for (int f = Kodu; f <= KdvTutar; ++f)
        editor(f)->installEventFilter(this);
    resize(540, 560);
    editor(Kodu)->setFocus();
}

void TfrmSiparisC::codeChecked(qint64 stockId)
{
    if (!stockId) return;
    const std::optional<InvoicePosting::StockCard> card =
        posting_.invoices().findStock(text(Kodu).trimmed(), posting_.lastCardFirst());
    if (!card) return;
    if (!lineId_ && !picking_) {
        // A new line proposes the card's VAT rate and first price.
        setNumber(KdvOran, card->normal);
        setNumber(BirimF, card->fiyat1);
    }
    if (lineKodu_ != card->kodu) {
        setText(Kodu, card->kodu);
        setText(Cinsi, card->cinsi);
        setText(Birim, card->birim);
    } else {
        if (text(Cinsi).isEmpty()) setText(Cinsi, card->cinsi);
        if (text(Birim).isEmpty()) setText(Birim, card->birim);
    }
    lineKodu_ = card->kodu;
    if (scaleQuantity_ > 0 && !picking_) {
        // A scale barcode is a whole line: its weight, the amounts, saved at once.
        const double quantity = scaleQuantity_;
        scaleQuantity_ = 0;
        QTimer::singleShot(0, this, [this, quantity] {
            LineAmounts a = amounts_->read();
            a.miktari = quantity;
            amounts_->show(computeLine(*shell().company, a));
            MenuIslem(QStringLiteral("Kaydet"));
        });
    }
}

bool TfrmSiparisC::eventFilter(QObject* watched, QEvent* event)
{
    int f = -1;
    for (int i = Kodu; i <= KdvTutar; ++i)
        if (watched == editor(i)) f = i;
    if (f < 0) return EntryWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) amounts_->leave(f);
    if (f == Kodu && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // A code no card has may be a scale barcode naming its card by its first characters.
            const ScaleSettings scale = ScaleSettings::read(shell().install.ini());
            if (scale.on &&
                !posting_.invoices().findStock(text(Kodu).trimmed(), posting_.lastCardFirst())) {
                const std::optional<ScannedCard> found =
                    findSaleCard(posting_.invoices(), scale, text(Kodu));
                if (found && found->quantity > 0) {
                    setText(Kodu, found->card.kodu);
                    scaleQuantity_ = found->quantity;
                }
            }
        }
    }
    return EntryWindow::eventFilter(watched, event);
}

bool TfrmSiparisC::validate()
{
    card_ = posting_.invoices().findStock(text(Kodu).trimmed(), posting_.lastCardFirst());
    if (card_) return true;
    NoticeBox(shell(), QStringLiteral("Stok kartı bulunamadı"), QString(),
              QStringLiteral("Stok kart kontrol"), this);
    editor(Kodu)->setFocus();
    return false;
}

void TfrmSiparisC::save()
{
    // F2 pressed in a field applies that field's rule before anything is read.
    for (int f = Miktari; f <= KdvTutar; ++f)
        if (QApplication::focusWidget() == editor(f)) amounts_->leave(f);
    if (!card_) throw AppError(QStringLiteral("Stok kartı bulunamadı"));
    if (!value(Tarih).toDate().isValid()) {
        editor(Tarih)->setFocus();
        throw AppError(QStringLiteral("Termin tarihi geçerli bir tarih değil"));
    }
    OrderPosting::Line line;
    static_cast<LineAmounts&>(line) = computeLine(*shell().company, amounts_->read());
    amounts_->show(line);
    line.kodu = text(Kodu).trimmed();
    line.cinsi = text(Cinsi);
    line.birim = text(Birim);
    line.aciklama1 = text(Aciklama1);
    line.aciklama2 = text(Aciklama2);
    line.tarih = value(Tarih).toDate();
    saved_ = posting_.saveLine(orderId_, lineId_, line);
}

// --- invoice from the order --------------------------------------------------------------------

namespace {

// This window's order of the invoice header's six fields.
const InvoiceHeaderFields kFields{TfrmSiparisD::Tarih,  TfrmSiparisD::IrsTarih,
                                  TfrmSiparisD::Vadesi, TfrmSiparisD::FatNo,
                                  TfrmSiparisD::IrsNo,  TfrmSiparisD::Aciklama};

} // namespace

TfrmSiparisD::TfrmSiparisD(Shell& shell, OrderPosting& posting, std::vector<qint64> orderIds,
                           qint64 invoiceId, const QString& description, QWidget* parent)
    : EntryWindow(shell,
                  (invoiceId ? QStringLiteral("Eski ") : QStringLiteral("Yeni ")) +
                      posting.kind().word + QStringLiteral(" sipariş faturası"),
                  {field("Fatura Tarihi : ", EditorKind::Date, 0, "Fatura tarihini giriniz"),
                   field("Fatura nosu : ", EditorKind::Integer, 0, "Fatura nosunu giriniz"),
                   field("İrsaliye Tarihi : ", EditorKind::Date, 0, "İrsaliye tarihini giriniz"),
                   field("İrsaliye Nosu : ", EditorKind::Integer, 0, "İrsaliye nosunu giriniz"),
                   field("Fat.Açıklaması : ", EditorKind::Text, 35, "Fatura açıklamasını giriniz"),
                   field("Vadesi : ", EditorKind::Date, 0, "Fatura vadesini giriniz")},
                  nullptr, parent)
    , posting_(posting)
    , orderIds_(std::move(orderIds))
    , invoiceId_(invoiceId)
{
    setObjectName(posting.kind().sipTuru == 1 ? QStringLiteral("frmSiparisD")
                                              : QStringLiteral("frmASiparisD"));
    setWrapFields(true);
    InvoicePosting& invoices = posting.invoices();
    std::optional<InvoiceData> inv;
    if (invoiceId_ && !(inv = invoices.read(invoiceId_)))
        throw AppError(QStringLiteral("Fatura bulunamadı."));
    // A new header proposes the next number; the counter moves when it is saved.
    showInvoiceHeader(*this, inv ? &*inv : nullptr,
                      inv ? 0 : invoices.NextInvoiceNumber(posting.kind().invoiceKind()), kFields);
    if (!inv) setText(Aciklama, description);
    resize(480, 300);
    editor(Tarih)->setFocus();
}

bool TfrmSiparisD::validate()
{
    for (int f : {int(Tarih), int(IrsTarih), int(Vadesi)})
        if (!value(f).toDate().isValid()) {
            NoticeBox(shell(), QStringLiteral("Geçerli bir tarih giriniz"), QString(),
                      windowTitle(), this);
            editor(f)->setFocus();
            return false;
        }
    return true;
}

void TfrmSiparisD::save()
{
    const InvoiceHeader h = invoiceHeaderOf(*this, kFields);
    if (invoiceId_) {
        posting_.saveInvoiceHeader(invoiceId_, h);
        saved_ = invoiceId_;
    } else {
        saved_ = posting_.invoiceFromOrders(orderIds_, h);
    }
}
