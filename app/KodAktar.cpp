#include "app/KodAktar.h"

#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Table.h"

#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {

const QString kTitle = QStringLiteral("Kod aktarımı");

bool isCustomer(CodeTransfer::Kind kind)
{
    return kind == CodeTransfer::Kind::Customer;
}

QString word(CodeTransfer::Kind kind)
{
    return isCustomer(kind) ? QStringLiteral("CARİ") : QStringLiteral("STOK");
}

} // namespace

TfrmKodAktar::TfrmKodAktar(Shell& shell, CodeTransfer::Kind kind, Table& cards, QWidget* parent)
    : EntryWindow(shell, word(kind) + QStringLiteral(" kart kod aktarımı"),
                  {{QStringLiteral("Eski %1 kart kodu : ").arg(word(kind)), QString(),
                    EditorKind::Text, 0, QString()},
                   {QStringLiteral("Aktarılacak yeni %1 kart kodu : ").arg(word(kind)), QString(),
                    EditorKind::Code, isCustomer(kind) ? 10 : 25, QString()}},
                  nullptr, parent)
    , kind_(kind)
    , cardId_(cards.currentId())
    , oldCode_(
          cards[isCustomer(kind) ? QStringLiteral("CariNo") : QStringLiteral("Kodu")].asString())
{
    setObjectName(QStringLiteral("frmKodAktar"));
    auto* old = static_cast<QLineEdit*>(editor(0));
    old->setReadOnly(true);
    old->setFocusPolicy(Qt::NoFocus);
    setText(0, oldCode_);
    setText(1, oldCode_);
    progress_ = addProgressBar();
    progress_->setMaximum(int(CodeTransfer::copies(kind).size()));
    commandButton(QStringLiteral("Kaydet"))->setText(QStringLiteral("Kod aktar [F2]"));
    setSaveHints(QStringLiteral("Eski kodu yeni koda aktar"),
                 QStringLiteral("Kod bilgisini değiştirmeden çık"));
    editor(1)->setFocus();
}

bool TfrmKodAktar::validate()
{
    done_ = false;
    const QString code = CodeTransfer::storedCode(kind_, text(1).trimmed());
    if (code.isEmpty() || code == oldCode_) {
        NoticeBox(shell(), QStringLiteral("Yeni kod geçerli değil"),
                  QStringLiteral("düzeltiniz !!!"), kTitle, this);
        return false;
    }
    const bool customer = isCustomer(kind_);
    if (CodeTransfer::takenByAnother(*shell().company, kind_, code, cardId_)) {
        NoticeBox(shell(),
                  customer ? QStringLiteral("Cari kod başka bir kart")
                           : QStringLiteral("Stok kodu başka bir kart"),
                  QStringLiteral("tarafından kullanılıyor"), QStringLiteral("Kart kontrol"), this);
        closeWindow(QDialog::Rejected);
        return false;
    }
    if (ConfirmBox(shell(),
                   customer ? QStringLiteral("Cari kodu değiştirmek istediğinize")
                            : QStringLiteral("Stok kodunu değiştirmek istediğinize"),
                   QStringLiteral("emin misiniz?"), kTitle, this) != 1 ||
        ConfirmBox(shell(), QStringLiteral("Artık yeni kod geçerli olacak"),
                   QStringLiteral("emin misiniz?"), kTitle, this) != 1) {
        closeWindow(QDialog::Rejected);
        return false;
    }
    return true;
}

void TfrmKodAktar::save()
{
    const QString code = CodeTransfer::storedCode(kind_, text(1).trimmed());
    const int steps = int(CodeTransfer::copies(kind_).size());
    showProgress(progress_, 0, steps);
    try {
        CodeTransfer::run(*shell().company, kind_, cardId_, code,
                          [&](int done) { showProgress(progress_, done, steps); });
    } catch (const AppError& e) {
        NoticeBox(shell(), e.message(),
                  QStringLiteral("Kod aktarımı yapılmadı; hiçbir kayıt değişmedi."), kTitle, this);
        closeWindow(QDialog::Rejected);
        return;
    }
    done_ = true;
    NoticeBox(shell(),
              (isCustomer(kind_) ? QStringLiteral("%1 cari kodu %2 koduyla")
                                 : QStringLiteral("%1 stok kodu %2 koduyla"))
                  .arg(oldCode_, code),
              QStringLiteral("değiştirildi !!!"), kTitle, this);
}

void TfrmKodAktar::saved()
{
    closeWindow(done_ ? QDialog::Accepted : QDialog::Rejected);
}
