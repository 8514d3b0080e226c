#include "customers/CarHarG.h"

#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "widgets/TZemrakEdit.h"
#include "widgets/TZemrakSEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

std::vector<FieldSpec> customerMovementFields(int decimals, int priceDecimals)
{
    return {
        {QStringLiteral("Tarih : "), QString(), EditorKind::Date, 0,
         QStringLiteral("Cari hareket tarihini giriniz")},
        {QStringLiteral("Vadesi : "), QString(), EditorKind::Date, 0,
         QStringLiteral("Cari hareket vadesini giriniz")},
        {QStringLiteral("Belge No : "), QString(), EditorKind::Text, 12,
         QStringLiteral("Cari hareket belge nosunu giriniz")},
        {QStringLiteral("Açıklama : "), QString(), EditorKind::Text, 50,
         QStringLiteral("Cari hareket açıklamasını giriniz")},
        {QStringLiteral("Açıklama : "), QString(), EditorKind::Text, 50,
         QStringLiteral("Cari hareket açıklamasını giriniz")},
        {QStringLiteral("Tipi : "), QString(), EditorKind::Code, 1,
         QStringLiteral("Cari hareket tipini giriniz")},
        {QStringLiteral("Birim Fiyatı : "), QString(), EditorKind::Money, priceDecimals,
         QStringLiteral("Cari hareket birim fiyatını giriniz")},
        {QStringLiteral("Adedi : "), QString(), EditorKind::Number, 0,
         QStringLiteral("Cari hareket adedini giriniz")},
        {QStringLiteral("Borç : "), QString(), EditorKind::Money, decimals,
         QStringLiteral("Cari hareket borç tutarını giriniz")},
        {QStringLiteral("Alacak : "), QString(), EditorKind::Money, decimals,
         QStringLiteral("Cari hareket alacak tutarını giriniz")},
    };
}

TfrmCarHarG::TfrmCarHarG(Shell& shell, qint64 customerId, qint64 movementId, QWidget* parent)
    : EntryWindow(
          shell,
          movementId ? QStringLiteral("Eski Cari hareket") : QStringLiteral("Yeni Cari hareket"),
          customerMovementFields(shell.company->kurus() ? 2 : 0,
                                 shell.company->kurus() ? shell.company->settings().priceDecimals()
                                                        : 0),
          nullptr, parent)
    , customerId_(customerId)
    , movementId_(movementId)
{
    setObjectName(QStringLiteral("frmCarHarG"));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    if (movementId_) {
        const std::optional<CustomerMovement> m = CustomerLedger(*shell.company).read(movementId_);
        if (!m) throw AppError(QStringLiteral("Cari hareket bulunamadı."));
        const QString date = m->tarih.toString(QStringLiteral("dd.MM.yyyy"));
        setText(Tarih, date);
        setText(Vadesi,
                m->vadesi.isValid() ? m->vadesi.toString(QStringLiteral("dd.MM.yyyy")) : date);
        setText(BelgeNo, m->belgeNo);
        setText(Aciklama, m->aciklama);
        setText(Aciklama1, m->aciklama1);
        setText(Tipi, m->borc != 0 ? QStringLiteral("B") : QStringLiteral("A"));
        setNumber(BirimF, m->birimF);
        setNumber(Adet, m->adet);
        setNumber(Borc, m->borc);
        setNumber(Alacak, m->alacak);
        fRef_ = m->fRef; // a voucher's line stays on its voucher
    } else {
        setText(Tarih, today);
        setText(Vadesi, today);
        setText(Tipi, QStringLiteral("B"));
    }
    for (int field : {Tipi, BirimF, Adet, Borc, Alacak}) {
        auto* edit = static_cast<QLineEdit*>(editor(field));
        connect(edit, &QLineEdit::textChanged, this, [this, field] { recompute(field); });
        edit->installEventFilter(this);
    }
}

void TfrmCarHarG::recompute(int changed)
{
    if (updating_) return;
    updating_ = true;
    const double quantity = number(Adet), price = number(BirimF);
    if (quantity != 0 && price != 0) {
        // Quantity × price goes to the side of the type; the other side is 0.
        const double amount = shell().company->RoundMoney(quantity * price);
        const bool credit = text(Tipi).trimmed().toUpper() == QLatin1String("A");
        setNumber(credit ? Alacak : Borc, amount);
        setNumber(credit ? Borc : Alacak, 0);
    } else if (changed == Borc && number(Borc) > 0) {
        setNumber(Alacak, 0);
    } else if (changed == Alacak && number(Alacak) > 0) {
        setNumber(Borc, 0);
    }
    updating_ = false;
}

bool TfrmCarHarG::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && watched == editor(Tipi)) {
        // Anything but "A" is a debit.
        if (text(Tipi).trimmed().toUpper() != QLatin1String("A"))
            setText(Tipi, QStringLiteral("B"));
        else
            setText(Tipi, QStringLiteral("A"));
    }
    if (event->type() == QEvent::KeyPress && watched == editor(Alacak)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down) {
            editor(Tarih)->setFocus(); // Down in the last field goes round to the date
            return true;
        }
        if (key == Qt::Key_Up) {
            editor(Adet)->setFocus();
            return true;
        }
    }
    return EntryWindow::eventFilter(watched, event);
}

void TfrmCarHarG::save()
{
    CustomerMovement m;
    m.tarih = value(Tarih).toDate();
    if (!m.tarih.isValid()) throw AppError(QStringLiteral("Cari hareket tarihini giriniz."));
    m.vadesi = value(Vadesi).toDate();
    m.belgeNo = text(BelgeNo);
    m.aciklama = text(Aciklama);
    m.aciklama1 = text(Aciklama1);
    m.birimF = number(BirimF);
    m.adet = number(Adet);
    m.borc = number(Borc);
    m.alacak = number(Alacak);
    m.kaynak = Kaynak::CA;
    m.customerId = customerId_;
    m.fRef = fRef_;
    CustomerLedger ledger(*shell().company);
    saved_ = movementId_ ? ledger.rewrite(movementId_, m) : ledger.post(m);
}
