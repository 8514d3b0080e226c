#include "app/CodeField.h"
#include "invoicing/BarcodeSale.h"
#include "invoicing/FtSatisB.h"
#include "invoicing/InvoicePosting.h"
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

std::vector<FieldSpec> lineFields(const InvoiceKind& kind, int money, int price)
{
    const auto f = [](const QString& label, EditorKind editor, int size, const char* hint) {
        return FieldSpec{label, QString(), editor, size, QString::fromUtf8(hint)};
    };
    return {
        f(QStringLiteral("Stok kodu : "), EditorKind::Code, 25, "Stok kodunu giriniz"),
        f(QStringLiteral("Stok cinsi : "), EditorKind::Text, 30, "Stok cinsini giriniz"),
        f(QStringLiteral("Birim : "), EditorKind::Text, 5, "Stok birimini giriniz"),
        f(kind.quantityLabel, EditorKind::Number, 0, "Miktarı giriniz"),
        f(QStringLiteral("Birim fiyatı : "), EditorKind::Money, price, "Birim fiyatını giriniz"),
        f(QStringLiteral("Tutarı : "), EditorKind::Money, money, "Tutarı giriniz"),
        f(QStringLiteral("İskonto oranı % : "), EditorKind::Number, 0, "İskonto oranını giriniz"),
        f(QStringLiteral("İskonto tutarı : "), EditorKind::Money, money,
          "İskonto tutarını giriniz"),
        f(QStringLiteral("Kdv oranı % : "), EditorKind::Number, 0, "Kdv oranını giriniz"),
        f(QStringLiteral("Kdv tutarı : "), EditorKind::Money, money, "Kdv tutarını giriniz"),
    };
}

} // namespace

TfrmFtSatisF::TfrmFtSatisF(Shell& shell, InvoicePosting& posting, const InvoiceKind& kind,
                           qint64 invoiceId, qint64 lineId, bool barcode, QWidget* parent)
    : EntryWindow(
          shell, lineId ? kind.oldLine : kind.newLine,
          lineFields(kind, shell.company->kurus() ? 2 : 0,
                     shell.company->kurus() ? shell.company->settings().priceDecimals() : 0),
          nullptr, parent)
    , posting_(posting)
    , kind_(kind)
    , invoiceId_(invoiceId)
    , lineId_(lineId)
    , barcode_(barcode && kind.sales)
{
    setObjectName(kind.sales ? QStringLiteral("frmFtSatisF") : QStringLiteral("frmFtAlisF"));
    setDownWraps(true);
    const std::optional<InvoiceData> inv = posting.read(invoiceId);
    if (!inv) throw AppError(QStringLiteral("Fatura bulunamadı."));
    kdvDahil_ = inv->kdvDahil;

    amounts_ = std::make_unique<LineAmountFields>(*this, Miktari, content());

    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(Kodu)), lineStockCodes());
    connect(code_, &CodeField::checked, this, [this](qint64 id) { codeChecked(id); });
    addCardListCommand(code_, -1, Kodu, &picking_);
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{0, text(Kodu)}; });

    LineAmounts a;
    if (lineId_) {
        const std::optional<InvoiceLine> line = posting.readLine(lineId_);
        if (!line) throw AppError(QStringLiteral("Fatura kalemi bulunamadı."));
        setText(Kodu, line->kodu);
        setText(Cinsi, line->cinsi);
        setText(Birim, line->birim);
        lineKodu_ = line->kodu;
        a = *line;
    }
    setAmounts(a);
    // This window's rules run before the field's own (Enter, leaving): installed last.
    for (int field = Kodu; field <= KdvTutar; ++field)
        editor(field)->installEventFilter(this);
    resize(520, 480);
    editor(Kodu)->setFocus();
}

QString TfrmFtSatisF::araToplamText() const
{
    return amounts_->araToplamText();
}

QString TfrmFtSatisF::toplamText() const
{
    return amounts_->toplamText();
}

void TfrmFtSatisF::codeChecked(qint64 stockId)
{
    if (!stockId) return;
    // Sales take the first card with the code, purchases the last.
    const std::optional<InvoicePosting::StockCard> card =
        posting_.findStock(text(Kodu).trimmed(), kind_.lastCardFirst);
    if (!card) return;
    if (!lineId_ && !picking_) {
        // A new line proposes the card's VAT rate and, on sales, its price.
        setNumber(KdvOran, card->normal);
        if (kind_.proposesPrice)
            setNumber(BirimF, kdvDahil_ == 1 ? priceWithoutVat(*shell().company, card->fiyat1,
                                                               card->normal, true)
                                             : card->fiyat1);
    }
    transfer(card->id);
    if (barcode_ && !lineId_ && confirmedByKey_ && !picking_) {
        confirmedByKey_ = false;
        // Each scan is a line: after the focus has settled, outside the field's own checks.
        QTimer::singleShot(0, this, [this] {
            LineAmounts a = amounts();
            a.miktari = scaleQuantity_ > 0 ? scaleQuantity_ : 1;
            scaleQuantity_ = 0;
            setAmounts(computeLine(*shell().company, a));
            MenuIslem(QStringLiteral("Kaydet"));
        });
    }
    confirmedByKey_ = false;
}

void TfrmFtSatisF::transfer(qint64 stockId)
{
    const std::optional<InvoicePosting::StockCard> card = posting_.stockCard(stockId);
    if (!card) return;
    if (lineKodu_ != card->kodu) {
        setText(Kodu, card->kodu);
        setText(Cinsi, card->cinsi);
        setText(Birim, card->birim);
    } else {
        // Typed description and unit stay; empty ones come from the card.
        if (text(Cinsi).isEmpty()) setText(Cinsi, card->cinsi);
        if (text(Birim).isEmpty()) setText(Birim, card->birim);
    }
    lineKodu_ = card->kodu;
}

void TfrmFtSatisF::leave(int field)
{
    CompanyData& c = *shell().company;
    if (field == BirimF) {
        // A purchase price typed with VAT loses it once: again only when it is typed anew.
        const LineAmounts a = amounts();
        if (!kind_.sales && !lineId_ && kdvDahil_ == 1 && text(BirimF) != convertedPrice_ &&
            a.kdvOran > 0 && a.birimF > 0) {
            setNumber(BirimF, priceWithoutVat(c, a.birimF, a.kdvOran, false));
            convertedPrice_ = text(BirimF);
        }
    }
    amounts_->leave(field);
}

bool TfrmFtSatisF::eventFilter(QObject* watched, QEvent* event)
{
    int field = -1;
    for (int f = Kodu; f <= KdvTutar; ++f)
        if (watched == editor(f)) field = f;
    if (field < 0) return EntryWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut && field >= Miktari) leave(field);
    if (field == Kodu && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Down) {
            confirmedByKey_ = true;
            // A scale barcode names its card by its first characters.
            if (barcode_ && !lineId_) {
                const std::optional<ScannedCard> found =
                    findSaleCard(posting_, ScaleSettings::read(shell().install.ini()), text(Kodu));
                if (found && found->quantity > 0) {
                    setText(Kodu, found->card.kodu);
                    scaleQuantity_ = found->quantity;
                }
            }
        }
    }
    return EntryWindow::eventFilter(watched, event);
}

bool TfrmFtSatisF::validate()
{
    card_ = posting_.findStock(text(Kodu).trimmed(), kind_.lastCardFirst);
    if (card_) return true;
    if (kind_.unknownCodeNotice)
        NoticeBox(shell(), QStringLiteral("Stok kartı bulunamadı"), QString(),
                  QStringLiteral("Stok kart kontrol"), this);
    editor(Kodu)->setFocus();
    return false;
}

void TfrmFtSatisF::save()
{
    // F2 pressed in a field applies that field's rule before anything is read.
    for (int field = Miktari; field <= KdvTutar; ++field)
        if (QApplication::focusWidget() == editor(field)) leave(field);
    // The card validate found for the code as it stands.
    if (!card_) throw AppError(QStringLiteral("Stok kartı bulunamadı"));
    InvoiceLine line;
    static_cast<LineAmounts&>(line) = computeLine(*shell().company, amounts());
    setAmounts(line);
    line.id = lineId_;
    line.stockId = card_->id;
    line.kodu = text(Kodu).trimmed();
    line.cinsi = text(Cinsi);
    line.birim = text(Birim);
    saved_ = posting_.saveLine(invoiceId_, line, barcode_);
    Q_EMIT lineSaved(saved_);
}

void TfrmFtSatisF::saved()
{
    if (!barcode_) {
        EntryWindow::saved();
        return;
    }
    clearForNext();
}

void TfrmFtSatisF::clearForNext()
{
    lineId_ = 0;
    lineKodu_.clear();
    convertedPrice_.clear();
    setWindowTitle(windowTitle().replace(kind_.oldLine, kind_.newLine));
    for (int field : {Kodu, Cinsi, Birim})
        setText(field, QString());
    setAmounts(LineAmounts());
    editor(Kodu)->setFocus();
}
