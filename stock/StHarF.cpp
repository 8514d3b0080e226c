#include "stock/StHarF.h"

#include "app/CodeField.h"
#include "stock/StockCodes.h"
#include "stock/StockLedger.h"
#include "stock/StockVouchers.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

std::vector<FieldSpec> movementFields(int money, int price, bool voucherLine)
{
    const auto f = [](const char* label, EditorKind kind, int size, const char* hint) {
        return FieldSpec{QString::fromUtf8(label), QString(), kind, size, QString::fromUtf8(hint)};
    };
    std::vector<FieldSpec> fields;
    if (voucherLine) {
        fields.push_back(f("Stok Kodu : ", EditorKind::Code, 25, "Stok hareketi kodunu giriniz"));
        fields.push_back(f("Cinsi : ", EditorKind::Text, 30, "Stok hareketi cinsini giriniz"));
    }
    for (const FieldSpec& spec : {
             f("Tarih : ", EditorKind::Date, 0, "Stok hareketi tarihini giriniz"),
             f("Belge No : ", EditorKind::Text, 12, "Stok hareketi belge nosunu giriniz"),
             f("Açıklama : ", EditorKind::Text, 25, "Stok hareketi açıklamasını giriniz"),
             f("GİREN Miktarı : ", EditorKind::Number, 0, "Stok hareketi giren miktarını giriniz"),
             f("GİREN Fiyatı : ", EditorKind::Money, price, "Stok hareketi giren fiyatını giriniz"),
             f("GİREN Tutarı : ", EditorKind::Money, money, "Stok hareketi giren tutarını giriniz"),
             f("ÇIKAN Miktarı : ", EditorKind::Number, 0, "Stok hareketi çıkan miktarını giriniz"),
             f("ÇIKAN Fiyatı : ", EditorKind::Money, price, "Stok hareketi çıkan fiyatını giriniz"),
             f("ÇIKAN Tutarı : ", EditorKind::Money, money, "Stok hareketi çıkan tutarını giriniz"),
         })
        fields.push_back(spec);
    return fields;
}

int moneyDecimals(Shell& shell)
{
    return shell.company->kurus() ? 2 : 0;
}

int priceDecimals(Shell& shell)
{
    return shell.company->kurus() ? shell.company->settings().priceDecimals() : 0;
}

} // namespace

TfrmStHarF::TfrmStHarF(Shell& shell, qint64 stockId, qint64 movementId, QWidget* parent)
    : EntryWindow(
          shell,
          movementId ? QStringLiteral("Eski Stok hareketi") : QStringLiteral("Yeni Stok hareketi"),
          movementFields(moneyDecimals(shell), priceDecimals(shell), false), nullptr, parent)
    , stockId_(stockId)
    , movementId_(movementId)
{
    setObjectName(QStringLiteral("frmStHarF"));
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{stockId_, {}}; });
    load(movementId);
    editor(at(Tarih))->setFocus();
}

TfrmStHarF::TfrmStHarF(Shell& shell, qint64 voucherId, qint64 movementId, bool, QWidget* parent)
    : EntryWindow(shell,
                  movementId ? QStringLiteral("Eski Stok hareketi")
                             : QStringLiteral("Yeni Stok hareketi"),
                  movementFields(moneyDecimals(shell), priceDecimals(shell), true), nullptr, parent)
    , offset_(2)
    , movementId_(movementId)
    , voucherId_(voucherId)
{
    setObjectName(QStringLiteral("TfrmStFisG"));
    code_ = new CodeField(shell, static_cast<QLineEdit*>(editor(0)), stockCodes());
    // A found card gives its code and description; an unknown code keeps what was typed with
    // an empty description.
    connect(code_, &CodeField::checked, this, [this](qint64 id) {
        stockId_ = id;
        if (id) setText(0, text(0).trimmed());
        setText(1, id ? code_->title() : QString());
    });
    addCardListCommand(code_, -1, 1);
    addQuickCardKey(QuickCard::Stock, [this] { return QuickTarget{0, text(0)}; });
    load(movementId);
    editor(movementId ? at(Tarih) : 0)->setFocus();
}

void TfrmStHarF::load(qint64 movementId)
{
    if (movementId) {
        const std::optional<StockMovement> m = StockLedger(*shell().company).read(movementId);
        if (!m) throw AppError(QStringLiteral("Stok hareketi bulunamadı."));
        if (offset_) {
            setText(0, m->kodu);
            setText(1, m->cinsi);
            stockId_ = m->stockId;
        }
        setText(at(Tarih), m->tarih.toString(QStringLiteral("dd.MM.yyyy")));
        setText(at(BelgeNo), m->belgeNo);
        setText(at(Aciklama), m->aciklama);
        setNumber(at(GMiktari), m->gMiktari);
        setNumber(at(GFiyati), m->gFiyati);
        setNumber(at(GTutari), m->gTutari);
        setNumber(at(CMiktari), m->cMiktari);
        setNumber(at(CFiyati), m->cFiyati);
        setNumber(at(CTutari), m->cTutari);
        fRef_ = m->fRef; // a voucher's line stays on its voucher
    } else {
        setText(at(Tarih), QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
        for (int field = GMiktari; field <= CTutari; ++field)
            setNumber(at(Field(field)), 0);
    }
    for (int field = GMiktari; field <= CTutari; ++field)
        editor(at(Field(field)))->installEventFilter(this);
}

int TfrmStHarF::fieldOf(const QObject* watched) const
{
    for (int f = GMiktari; f <= CTutari; ++f)
        if (watched == editor(at(Field(f)))) return f;
    return -1;
}

void TfrmStHarF::applyLeaveRule(int field)
{
    const auto side = [this](Field quantity, Field price, Field value) {
        setNumber(at(value), shell().company->RoundMoney(number(at(quantity)) * number(at(price))));
    };
    if (field == GMiktari || field == GFiyati)
        side(GMiktari, GFiyati, GTutari);
    else if (field == CMiktari || field == CFiyati)
        side(CMiktari, CFiyati, CTutari);
}

void TfrmStHarF::clearSide(bool entry)
{
    const int first = entry ? GMiktari : CMiktari;
    for (int field = first; field < first + 3; ++field)
        setNumber(at(Field(field)), 0);
}

bool TfrmStHarF::eventFilter(QObject* watched, QEvent* event)
{
    const int field = fieldOf(watched);
    if (field < 0) return EntryWindow::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) applyLeaveRule(field);
    if (event->type() != QEvent::KeyPress) return EntryWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool down = key->key() == Qt::Key_Down;
    if (key->key() == Qt::Key_Up && (field == GMiktari || field == CMiktari)) {
        editor(at(Aciklama))->setFocus();
        return true;
    }
    if (!enter && !down) return EntryWindow::eventFilter(watched, event);
    applyLeaveRule(field);
    switch (field) {
    case GMiktari:
        if (number(at(GMiktari)) > 0) {
            clearSide(false);
            editor(at(GFiyati))->setFocus();
        } else {
            clearSide(true);
            editor(at(CMiktari))->setFocus();
        }
        return true;
    case CMiktari:
        if (number(at(CMiktari)) > 0) {
            clearSide(true);
            editor(at(CFiyati))->setFocus();
        } else {
            clearSide(false);
            MenuIslem(QStringLiteral("Kaydet"));
        }
        return true;
    case CTutari:
        if (enter)
            MenuIslem(QStringLiteral("Kaydet"));
        else
            editor(0)->setFocus(); // round to the first field
        return true;
    default:
        break;
    }
    return EntryWindow::eventFilter(watched, event);
}

bool TfrmStHarF::validate()
{
    if (!code_ || code_->check()) return true;
    // A code of no card is never saved.
    setText(0, QString());
    setText(1, QString());
    NoticeBox(shell(), QStringLiteral("Stok kart nosu bulunamadı"), QString(),
              QStringLiteral("Stok kart kontrol"), this);
    editor(0)->setFocus();
    return false;
}

void TfrmStHarF::save()
{
    // F2 pressed in a quantity or price applies that field's rule before anything is read.
    const int focused = fieldOf(QApplication::focusWidget());
    if (focused >= 0) applyLeaveRule(focused);
    StockMovement m;
    m.tarih = value(at(Tarih)).toDate();
    if (!m.tarih.isValid()) throw AppError(QStringLiteral("Stok hareketi tarihini giriniz."));
    m.belgeNo = text(at(BelgeNo));
    m.aciklama = text(at(Aciklama));
    m.gMiktari = number(at(GMiktari));
    m.gFiyati = number(at(GFiyati));
    m.gTutari = number(at(GTutari));
    m.cMiktari = number(at(CMiktari));
    m.cFiyati = number(at(CFiyati));
    m.cTutari = number(at(CTutari));
    m.kaynak = StockKaynak::ST;
    if (voucherId_) {
        saved_ =
            StockVoucherPosting(*shell().company).saveLine(voucherId_, movementId_, text(0), m);
        return;
    }
    m.stockId = stockId_;
    m.fRef = fRef_;
    StockLedger ledger(*shell().company);
    saved_ = movementId_ ? ledger.rewrite(movementId_, m) : ledger.post(m);
}
