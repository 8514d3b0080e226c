#include "stock/StHarF.h"

#include "stock/StockLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"

#include <QApplication>
#include <QKeyEvent>

namespace {

std::vector<FieldSpec> movementFields(int money, int price)
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    return {
        f("Tarih : ", EditorKind::Date, 0, "Stok hareketi tarihini giriniz"),
        f("Belge No : ", EditorKind::Text, 12, "Stok hareketi belge nosunu giriniz"),
        f("Açıklama : ", EditorKind::Text, 25, "Stok hareketi açıklamasını giriniz"),
        f("GİREN Miktarı : ", EditorKind::Number, 0, "Stok hareketi giren miktarını giriniz"),
        f("GİREN Fiyatı : ", EditorKind::Money, price, "Stok hareketi giren fiyatını giriniz"),
        f("GİREN Tutarı : ", EditorKind::Money, money, "Stok hareketi giren tutarını giriniz"),
        f("ÇIKAN Miktarı : ", EditorKind::Number, 0, "Stok hareketi çıkan miktarını giriniz"),
        f("ÇIKAN Fiyatı : ", EditorKind::Money, price, "Stok hareketi çıkan fiyatını giriniz"),
        f("ÇIKAN Tutarı : ", EditorKind::Money, money, "Stok hareketi çıkan tutarını giriniz"),
    };
}

} // namespace

TfrmStHarF::TfrmStHarF(Shell& shell, qint64 stockId, qint64 movementId, QWidget* parent)
    : EntryWindow(
          shell,
          movementId ? QStringLiteral("Eski Stok hareketi") : QStringLiteral("Yeni Stok hareketi"),
          movementFields(shell.company->kurus() ? 2 : 0,
                         shell.company->kurus() ? shell.company->settings().priceDecimals() : 0),
          nullptr, parent)
    , stockId_(stockId)
    , movementId_(movementId)
{
    setObjectName(QStringLiteral("frmStHarF"));
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{stockId_, {}}; });
    if (movementId_) {
        const std::optional<StockMovement> m = StockLedger(*shell.company).read(movementId_);
        if (!m) throw AppError(QStringLiteral("Stok hareketi bulunamadı."));
        setText(Tarih, m->tarih.toString(QStringLiteral("dd.MM.yyyy")));
        setText(BelgeNo, m->belgeNo);
        setText(Aciklama, m->aciklama);
        setNumber(GMiktari, m->gMiktari);
        setNumber(GFiyati, m->gFiyati);
        setNumber(GTutari, m->gTutari);
        setNumber(CMiktari, m->cMiktari);
        setNumber(CFiyati, m->cFiyati);
        setNumber(CTutari, m->cTutari);
        fRef_ = m->fRef; // a voucher's line stays on its voucher
    } else {
        setText(Tarih, QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        for (int field = GMiktari; field <= CTutari; ++field)
            setNumber(field, 0);
    }
    for (int field = GMiktari; field <= CTutari; ++field)
        editor(field)->installEventFilter(this);
    editor(Tarih)->setFocus();
}

void TfrmStHarF::applyLeaveRule(int field)
{
    if (field == GMiktari || field == GFiyati)
        setNumber(GTutari, shell().company->RoundMoney(number(GMiktari) * number(GFiyati)));
    else if (field == CMiktari || field == CFiyati)
        setNumber(CTutari, shell().company->RoundMoney(number(CMiktari) * number(CFiyati)));
}

void TfrmStHarF::clearSide(bool entry)
{
    const int first = entry ? GMiktari : CMiktari;
    for (int field = first; field < first + 3; ++field)
        setNumber(field, 0);
}

bool TfrmStHarF::eventFilter(QObject* watched, QEvent* event)
{
    int field = -1;
    for (int f = GMiktari; f <= CTutari; ++f)
        if (watched == editor(f)) field = f;
    if (field < 0) return EntryWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) applyLeaveRule(field);
    if (event->type() != QEvent::KeyPress) return EntryWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    if (key->key() == Qt::Key_Up && (field == GMiktari || field == CMiktari)) {
        editor(Aciklama)->setFocus();
        return true;
    }
    if (!enter && !down) return EntryWindow::eventFilter(watched, event);
    applyLeaveRule(field);
    switch (field) {
    case GMiktari:
        if (number(GMiktari) > 0) {
            clearSide(false);
            editor(GFiyati)->setFocus();
        } else {
            clearSide(true);
            editor(CMiktari)->setFocus();
        }
        return true;
    case CMiktari:
        if (number(CMiktari) > 0) {
            clearSide(true);
            editor(CFiyati)->setFocus();
        } else {
            clearSide(false);
            MenuIslem(QStringLiteral("Kaydet"));
        }
        return true;
    case CTutari:
        if (enter)
            MenuIslem(QStringLiteral("Kaydet"));
        else
            editor(Tarih)->setFocus();
        return true;
    default:
        break;
    }
    return EntryWindow::eventFilter(watched, event);
}

void TfrmStHarF::save()
{
    // F2 pressed in a quantity or price applies that field's rule before anything is read.
    for (int field = GMiktari; field <= CTutari; ++field)
        if (QApplication::focusWidget() == editor(field)) applyLeaveRule(field);
    StockMovement m;
    m.tarih = value(Tarih).toDate();
    if (!m.tarih.isValid()) throw AppError(QStringLiteral("Stok hareketi tarihini giriniz."));
    m.belgeNo = text(BelgeNo);
    m.aciklama = text(Aciklama);
    m.gMiktari = number(GMiktari);
    m.gFiyati = number(GFiyati);
    m.gTutari = number(GTutari);
    m.cMiktari = number(CMiktari);
    m.cFiyati = number(CFiyati);
    m.cTutari = number(CTutari);
    m.kaynak = StockKaynak::ST;
    m.stockId = stockId_;
    m.fRef = fRef_;
    StockLedger ledger(*shell().company);
    saved_ = movementId_ ? ledger.rewrite(movementId_, m) : ledger.post(m);
}
