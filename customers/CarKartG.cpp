#include "customers/CarKartG.h"

#include "app/PictureFrame.h"
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

FieldSpec text(const char* label, const char* field, int size, const char* hint)
{
    return {QString::fromUtf8(label), QLatin1String(field), EditorKind::Text, size,
            QString::fromUtf8(hint)};
}

std::vector<FieldSpec> cardFields(int decimals)
{
    std::vector<FieldSpec> f = {
        {QStringLiteral("Cari kart nosu : "), QStringLiteral("CariNo"), EditorKind::Code, 10,
         QStringLiteral("Cari kart Nosunu giriniz")},
        text("Unvani : ", "Unvani", 50, "Cari kart ünvanını giriniz"),
        text("Yetkili kişi : ", "Yetkili", 50, "Cari kart yetkili kişisini giriniz"),
        text("İş adresi : ", "IsAdres1", 35, "Cari kart iş adresini giriniz"),
        text("", "IsAdres2", 35, "Cari kart iş adresini giriniz"),
        text("", "IsAdres3", 35, "Cari kart iş adresini giriniz"),
        text("İl : ", "Il", 15, "Cari kart ilini giriniz"),
        text("İlçe : ", "Ilce", 15, "Cari kart ilçesini giriniz"),
        text("Posta kodu : ", "PKod", 5, "Cari kart posta kodunu giriniz"),
        text("Plaka kodu : ", "PlKod", 5, "Cari kart plaka kodunu giriniz"),
        text("İş telefonu : ", "IsTel", 20, "Cari kart iş telefonunu giriniz"),
        text("Fax : ", "Fax", 20, "Cari kart fax numarasını giriniz"),
        text("Cep telefonu : ", "CepTel", 20, "Cari kart cep telefonunu giriniz"),
        text("Ev adresi : ", "EvAdres1", 35, "Cari kart ev adresini giriniz"),
        text("", "EvAdres2", 35, "Cari kart ev adresini giriniz"),
        text("Ev telefonu : ", "EvTel", 20, "Cari kart ev telefonunu giriniz"),
        text("Vergi dairesi : ", "Vd", 15, "Cari kart vergi dairesini giriniz"),
        text("VD No : ", "VdNo", 15, "Cari kart vergi numarasını giriniz"),
        text("Özel kod (1): ", "OzelKod1", 10, "Cari kart özel kodunu giriniz"),
        text("Özel kod (2): ", "OzelKod2", 10, "Cari kart özel kodunu giriniz"),
        text("Özel kod (3): ", "OzelKod3", 10, "Cari kart özel kodunu giriniz"),
        {QStringLiteral("İsk.oranı (%): "), QStringLiteral("Iskonto"), EditorKind::Number, 0,
         QStringLiteral("Cari kart iskonto oranını giriniz")},
        {QStringLiteral("Gz.oranı (%): "), QStringLiteral("GZam"), EditorKind::Number, 0,
         QStringLiteral("Cari kart Gecikme zammı aylık oranını giriniz")},
        text("Sat.Sorumlu : ", "SatSor", 10, "Cari kart satış sorumlusunu giriniz"),
        {QStringLiteral("Risk Limiti (TL) : "), QStringLiteral("RiskLimiti"), EditorKind::Money,
         decimals, QStringLiteral("Cari kart risk limitini giriniz")},
        {QStringLiteral("Kredi Limiti (TL) : "), QStringLiteral("KrediLimiti"), EditorKind::Money,
         decimals, QStringLiteral("Cari kart kredi limitini giriniz")},
        {QStringLiteral("NOTLAR : "), QStringLiteral("Not"), EditorKind::Memo, 0,
         QStringLiteral(
             "Cari kart notlarını giriniz, diğer bilgilere geçmek için tab tuşunu kullanınız")},
        {QStringLiteral("İSTİHBARAT : "), QStringLiteral("Istihbarat"), EditorKind::Memo, 0,
         QStringLiteral("Cari kart istihbarat bilgilerini giriniz, diğer bilgilere geçmek için tab "
                        "tuşunu kullanınız")},
    };
    return f;
}

} // namespace

TfrmCarKartG::TfrmCarKartG(Shell& shell, Table& cari, Mode mode, const QString& code,
                           QWidget* parent)
    : EntryWindow(shell,
                  mode == Mode::Edit ? QStringLiteral("Eski Cari Kart [%1-%2]")
                                           .arg(cari[QStringLiteral("CariNo")].asString(),
                                                cari[QStringLiteral("Unvani")].asString())
                                     : QStringLiteral("Yeni Cari Kart"),
                  cardFields(shell.company && shell.company->kurus() ? 2 : 0),
                  (mode == Mode::Edit ? cari.edit() : cari.append(), &cari), parent)
    , mode_(mode)
{
    setObjectName(QStringLiteral("frmCarKartG"));
    setSaveHints(
        QStringLiteral("Cari kart bilgilerini kayıt et"),
        QStringLiteral("Cari kart bilgilerini veya yapılan değişiklikleri kayıt etmeden çık"));
    addCommand(QStringLiteral("Resim"), QStringLiteral("Resim [F3]"), Qt::Key_F3,
               QStringLiteral("Cari karta resim ekle"), [this] { choosePicture(); });
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(0)}; });

    auto* side = new QHBoxLayout;
    auto* kindBox = new QGroupBox(QStringLiteral(" Cari kart durumu "), this);
    auto* kindLayout = new QVBoxLayout(kindBox);
    kinds_ = new QButtonGroup(this);
    const char* kindCaptions[] = {"&Müşteri", "&Satıcı", "Ö&zel", "&Banka"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(kindCaptions[i]), kindBox);
        kinds_->addButton(radio, i);
        kindLayout->addWidget(radio);
    }
    side->addWidget(kindBox);
    auto* pictureBox = new QGroupBox(QStringLiteral(" Resim "), this);
    auto* pictureLayout = new QVBoxLayout(pictureBox);
    picture_ = new PictureFrame(QSize(160, 120), pictureBox);
    pictureLayout->addWidget(picture_);
    pictureMode_ = new QButtonGroup(this);
    auto* modes = new QHBoxLayout;
    const char* modeCaptions[] = {"&Orjinal göster", "Sığdı&r"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(modeCaptions[i]), pictureBox);
        pictureMode_->addButton(radio, i);
        modes->addWidget(radio);
    }
    connect(pictureMode_, &QButtonGroup::idClicked, this, [this] { showPicture(); });
    pictureLayout->addLayout(modes);
    side->addWidget(pictureBox);

    auto* summaryBox = new QGroupBox(this);
    auto* grid = new QGridLayout(summaryBox);
    const QStringList columns = {QStringLiteral("FATURA"), QStringLiteral("NAKİT"),
                                 QStringLiteral("ÇEK / SENET"), QStringLiteral("TOPLAM"),
                                 QStringLiteral("DEKONT")};
    const QStringList rows = {QStringLiteral("BORÇ : "), QStringLiteral("ALACAK : "),
                              QStringLiteral("BAKİYE : ")};
    for (int c = 0; c < 5; ++c)
        grid->addWidget(new QLabel(columns[c], summaryBox), 0, c + 1, Qt::AlignCenter);
    for (int r = 0; r < 3; ++r) {
        grid->addWidget(new QLabel(rows[r], summaryBox), r + 1, 0);
        for (int c = 0; c < 5; ++c) {
            auto* box = new QLineEdit(summaryBox);
            box->setReadOnly(true);
            box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            box->setFocusPolicy(Qt::NoFocus);
            box->setMinimumWidth(90);
            summary_[size_t(r)][size_t(c)] = box;
            grid->addWidget(box, r + 1, c + 1);
        }
    }
    side->addWidget(summaryBox, 1);
    content()->addLayout(side);

    editor(0)->installEventFilter(this);
    editor(QStringLiteral("Istihbarat"))->installEventFilter(this);
    if (mode == Mode::New) {
        setKind(0);
        pictureMode_->button(0)->setChecked(true);
    } else if (mode == Mode::NewWithCode) {
        setKind(0);
        pictureMode_->button(0)->setChecked(true);
        setText(0, code);
        editor(0)->setEnabled(false);
        editor(1)->setFocus();
    } else {
        setKind(cari[QStringLiteral("CariDurum")].asInteger());
        pictureMode_
            ->button(shell.company->pictureFitted(QStringLiteral("CARI"), cari.currentId()) ? 1 : 0)
            ->setChecked(true);
        // The code does not change here; codes change only through the code transfer.
        editor(0)->setEnabled(false);
        editor(1)->setFocus();
    }
    fillSummary();
    showPicture();
}

void TfrmCarKartG::setKind(int kind)
{
    if (QAbstractButton* b = kinds_->button(std::clamp(kind, 0, 3))) b->setChecked(true);
}

int TfrmCarKartG::kind() const
{
    return std::max(0, kinds_->checkedId());
}

QString TfrmCarKartG::summaryText(int row, int column) const
{
    return summary_[size_t(row)][size_t(column)]->text();
}

void TfrmCarKartG::fillSummary()
{
    if (!shell().company) return;
    CustomerLedger ledger(*shell().company);
    const CardSummary s = ledger.summary(table()->currentId());
    const QString mask = shell().company->moneyFormat();
    for (int c = 0; c < 5; ++c) {
        const CardTotals& t = s.columns[size_t(c)];
        summary_[0][size_t(c)]->setText(formatNumber(t.borc, mask));
        summary_[1][size_t(c)]->setText(formatNumber(t.alacak, mask));
        summary_[2][size_t(c)]->setText(formatNumber(t.bakiye(), mask));
    }
}

void TfrmCarKartG::showPicture()
{
    picture_->setFitted(pictureMode_->checkedId() == 1);
    picture_->show(table()->fieldByName(QStringLiteral("Resim")).asBytes());
}

void TfrmCarKartG::choosePicture()
{
    const QByteArray bytes = PictureFrame::choose(this, QStringLiteral("Cari karta resim ekle"));
    if (bytes.isEmpty()) return;
    table()->fieldByName(QStringLiteral("Resim")).setValue(bytes);
    showPicture();
}

bool TfrmCarKartG::validate()
{
    if (mode_ == Mode::Edit) return true; // the code is locked: it is still the card's own
    const QString code = text(0).trimmed();
    if (code.isEmpty() || (shell().company && shell().company->CustomerCodeExists(code))) {
        NoticeBox(shell(),
                  code.isEmpty() ? QStringLiteral("Cari kart nosu boş olamaz")
                                 : QStringLiteral("Cari kart nosu başka bir karta verilmiş"),
                  QStringLiteral("lütfen değiştiriniz !"),
                  QStringLiteral("Cari kart kayıt kontrol"), this);
        editor(0)->setEnabled(true);
        editor(0)->setFocus();
        return false;
    }
    return true;
}

void TfrmCarKartG::save()
{
    table()->fieldByName(QStringLiteral("CariDurum")).setValue(kind());
    EntryWindow::save();
    if (shell().company)
        shell().company->setPictureFitted(QStringLiteral("CARI"), table()->currentId(),
                                          pictureMode_->checkedId() == 1);
}

bool TfrmCarKartG::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving "İSTİHBARAT" with Tab saves the card, as the last field of the window.
    if (watched == editor(QStringLiteral("Istihbarat")) && event->type() == QEvent::FocusOut &&
        isVisible() && static_cast<QFocusEvent*>(event)->reason() == Qt::TabFocusReason) {
        QMetaObject::invokeMethod(
            this, [this] { MenuIslem(QStringLiteral("Kaydet")); }, Qt::QueuedConnection);
        return false;
    }
    // Up from the first field goes round to the credit limit.
    if (watched == editor(0) && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Up) {
        if (QWidget* limit = editor(QStringLiteral("KrediLimiti"))) limit->setFocus();
        return true;
    }
    return EntryWindow::eventFilter(watched, event);
}
