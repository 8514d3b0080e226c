#include "portfolio/OperationsWindow.h"

#include "app/CodeField.h"
#include "customers/CustomerCodes.h"
#include "portfolio/PaperPosting.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/Connection.h"
#include "store/Expression.h"
#include "store/MoneyFormat.h"
#include "widgets/CodeEdit.h"
#include "widgets/DateEdit.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

// The operation buttons by panel: command, caption, key.
struct Operation {
    const char* command;
    const char* caption;
    int key;
};
constexpr std::array<Operation, TfrmCekG::PanelCount> kOperations = {{
    {"Ciro", "Ciro [F7]", Qt::Key_F7},
    {"Banka", "Banka [F8]", Qt::Key_F8},
    {"Tahsil", "Tahsil [F9]", Qt::Key_F9},
    {"Karsiliksiz", "Karşılıksız [F10]", Qt::Key_F10},
    {"Iade", "İade [F11]", Qt::Key_F11},
}};

// What each position offers (the same position re-saves its data).
bool offered(int position, int panel)
{
    static constexpr int kTo[TfrmCekG::PanelCount] = {
        PaperPosition::Ciro, PaperPosition::Banka, PaperPosition::Tahsil,
        PaperPosition::Karsiliksiz, PaperPosition::Iade};
    return paperMoveAllowed(position, kTo[panel]);
}

QString panelTitle(const PortfolioKind& kind, int panel)
{
    const QString w = kind.check ? QStringLiteral("ÇEK") : QStringLiteral("SENET");
    switch (panel) {
    case TfrmCekG::Ciro:
        return QStringLiteral("%1 CİRO BİLGİLERİ").arg(w);
    case TfrmCekG::Banka:
        return QStringLiteral("BANKADA / TAHSİLDE BİLGİLERİ");
    case TfrmCekG::Tahsil:
        return QStringLiteral("%1 TAHSİL BİLGİLERİ").arg(w);
    case TfrmCekG::Karsiliksiz:
        return QStringLiteral("KARŞILIKSIZ %1 BİLGİLERİ").arg(w);
    default:
        return QStringLiteral("VERENE İADE BİLGİLERİ");
    }
}

// The first line of the panel İptal's notice.
QString resetLine(const PortfolioKind& kind, int panel)
{
    static const char* const kWhat[] = {"%1 cirolanan %2", "%1 bankaya verilen %2",
                                        "%1 tahsil edilen %2", "%1 karşılıksız %2",
                                        "%1 iade edilen %2"};
    return QString::fromUtf8(kWhat[panel])
        .arg(QStringLiteral("%1"), kind.check ? QStringLiteral("çek") : QStringLiteral("Senet"));
}

// The stored fields the window shows.
const QStringList kRead = {"ACariNo",   "AUnvani", "GirTarihi", "Vadesi", "TUTARI",    "SonCiro",
                           "ACARef",    "CCariNo", "CUnvani",   "CTarih", "CAciklama", "BACariNo",
                           "BAUnvani",  "BTarih",  "BAciklama", "TTarih", "TAciklama", "KTarih",
                           "KAciklama", "ITarih",  "IAciklama"};

} // namespace

TfrmCekG::TfrmCekG(Shell& shell, const PortfolioKind& kind, qint64 paperId, QWidget* parent)
    : FormBase(shell, QString(), parent, false)
    , kind_(kind)
    , paperId_(paperId)
    , posting_(std::make_unique<PaperPosting>(*shell.company, kind))
{
    setObjectName(kind.check ? QStringLiteral("frmCekG") : QStringLiteral("frmSenetG"));
    setStatusText(0, QStringLiteral(" [ %1 : %2 ] Şirketi")
                         .arg(shell.activeCompanyCode, shell.activeCompanyTitle));
    addCommand(QStringLiteral("Kaydet"), QStringLiteral("Kaydet [F2]"), Qt::Key_F2, QString(),
               [this] { save(); });
    addCommand(QStringLiteral("Liste"), QStringLiteral("Kart liste [F6]"), Qt::Key_F6, QString(),
               [this] { pickCard(); });
    addCommand(QStringLiteral("Vazgec"), QStringLiteral("Vazgeç [Esc]"), Qt::Key_Escape, QString(),
               [this] { cancelPanel(); });
    for (int i = 0; i < PanelCount; ++i)
        addCommand(QLatin1String(kOperations[size_t(i)].command),
                   QString::fromUtf8(kOperations[size_t(i)].caption), kOperations[size_t(i)].key,
                   QString(), [this, i] { openPanel(Panel(i)); });
    addCommand(QStringLiteral("Cikis"), QStringLiteral("Çıkış [Esc]"), Qt::Key_Escape, QString(),
               [this] { closeWindow(QDialog::Accepted); });
    // The open panel's own "İptal [F4]".
    addCommand(
        QStringLiteral("PanelIptal"), QStringLiteral("İptal [F4]"), Qt::Key_F4, QString(),
        [this] { resetPanel(); }, false);

    // The paper, read-only.
    const QString w = kind.check ? QStringLiteral("Çek") : QStringLiteral("Senet");
    QStringList labels = {
        QStringLiteral("Cari Nosu : "),      QStringLiteral("Ünvanı : "),
        QStringLiteral("Alındığı Tarih : "), QStringLiteral("Vadesi : "),
        QStringLiteral("%1 Nosu : ").arg(w), QStringLiteral("TUTARI : "),
        QStringLiteral("Son Ciro : "),       QStringLiteral("%1 Sahibi : ").arg(w)};
    labels << (kind.check ? QStringList{QStringLiteral("Banka : "), QStringLiteral("Şube : ")}
                          : QStringList{QStringLiteral("Adres : "), QString()});
    labels << QStringLiteral("Referans No : ");
    auto* head = new QGridLayout;
    for (int i = 0; i < labels.size(); ++i) {
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        head->addWidget(new QLabel(labels[i], this), i / 3, (i % 3) * 2, Qt::AlignRight);
        head->addWidget(edit, i / 3, (i % 3) * 2 + 1);
        header_.push_back(edit);
    }
    content()->addLayout(head);
    QStringList positions = kind.positions;
    positions_ =
        addRadioGroup(QStringLiteral(" %1 şimdiki pozisyonu ")
                          .arg(kind.check ? QStringLiteral("Çekin") : QStringLiteral("Senedin")),
                      positions, 0);
    // Clicking only shows the stored position again.
    connect(positions_, &QButtonGroup::idClicked, this,
            [this] { positions_->button(position_)->setChecked(true); });

    // The five panels.
    auto* grid = new QGridLayout;
    for (int p = 0; p < PanelCount; ++p) {
        auto* box = new QGroupBox(panelTitle(kind, p), this);
        auto* form = new QGridLayout(box);
        const bool withCode = p == Ciro || p == Banka;
        QStringList names;
        if (withCode)
            names = {p == Ciro ? QStringLiteral("Cari Nosu") : QStringLiteral("Banka no"),
                     p == Ciro ? QStringLiteral("Ünvanı") : QStringLiteral("Banka"),
                     QStringLiteral("Tarih"),
                     p == Ciro ? QStringLiteral("Açıklama") : QStringLiteral("Açıkl.")};
        else
            names = {QStringLiteral("Tarih"), QStringLiteral("Açıklama")};
        for (int f = 0; f < names.size(); ++f) {
            const bool isDate = names[f] == QLatin1String("Tarih");
            const bool isCode = withCode && f == 0;
            QLineEdit* edit = isDate   ? new DateEdit(box)
                              : isCode ? new CodeEdit(box)
                                       : new QLineEdit(box);
            edit->setMaxLength(isDate ? 10 : isCode ? 10 : (withCode && f == 1) ? 35 : 20);
            form->addWidget(new QLabel(names[f] + QStringLiteral(" : "), box), f, 0,
                            Qt::AlignRight);
            form->addWidget(edit, f, 1);
            fields_[size_t(p)].push_back(edit);
            addField(edit, QString());
        }
        cancels_[size_t(p)] = new QPushButton(QStringLiteral("İptal [F4]"), box);
        cancels_[size_t(p)]->setFocusPolicy(Qt::NoFocus);
        connect(cancels_[size_t(p)], &QPushButton::clicked, this,
                [this] { MenuIslem(QStringLiteral("PanelIptal")); });
        form->addWidget(cancels_[size_t(p)], names.size(), 1, Qt::AlignRight);
        grid->addWidget(box, p / 3, p % 3);
        panels_[size_t(p)] = box;
    }
    content()->addLayout(grid);

    // The code fields: the endorsee any card but the giver, the bank a bank card.
    endorsee_ = new CodeField(shell, fields_[Ciro][Code], customerCodes());
    connect(endorsee_, &CodeField::checked, this, [this](qint64 id) {
        fields_[Ciro][Title]->setText(id ? endorsee_->title() : QString());
        if (id && id == giverId_ && !checking_) {
            checking_ = true;
            endorseeChecked();
            checking_ = false;
        }
    });
    bank_ = new CodeField(shell, fields_[Banka][Code], bankCodes(), nullptr, false);
    connect(bank_, &CodeField::checked, this, [this](qint64 id) {
        if (id) fields_[Banka][Title]->setText(bank_->title());
        if (!id && !checking_ && !fields_[Banka][Code]->text().trimmed().isEmpty()) {
            checking_ = true;
            bankChecked(true);
            checking_ = false;
        }
    });
    // Enter goes round the open panel's fields.
    setWrapFields(true);
    load();
    resize(980, 600);
}

TfrmCekG::~TfrmCekG() = default;

QLineEdit* TfrmCekG::field(Panel panel, Field f) const
{
    const std::vector<QLineEdit*>& fields = fields_[size_t(panel)];
    const int index = (panel == Ciro || panel == Banka) ? int(f) : int(f) - 2;
    return index >= 0 && index < int(fields.size()) ? fields[size_t(index)] : nullptr;
}

QString TfrmCekG::headerText(int index) const
{
    return header_[size_t(index)]->text();
}

void TfrmCekG::load()
{
    QStringList read = kRead;
    read << kind_.numberField << kind_.positionField;
    read << (kind_.check ? QStringList{QStringLiteral("CekSahibi"), QStringLiteral("Banka"),
                                       QStringLiteral("Sube")}
                         : QStringList{QStringLiteral("SenetSahibi"), QStringLiteral("Adres1"),
                                       QStringLiteral("Adres2")});
    QStringList columns;
    for (const QString& f : read)
        columns << QLatin1Char('"') + f + QLatin1Char('"');
    const std::vector<SqlRow> rows = shell().company->connection().select(
        QStringLiteral("SELECT %1 FROM \"%2\" WHERE \"Nosu\" = ?")
            .arg(columns.join(QStringLiteral(", ")), kind_.table),
        {paperId_});
    if (rows.empty()) throw AppError(QStringLiteral("%1 kaydı bulunamadı.").arg(kind_.word));
    const SqlRow& r = rows.front();
    const auto value = [&](const QString& name) { return r[size_t(read.indexOf(name))]; };
    const auto date = [&](const QString& name) {
        return QDate::fromString(value(name).toString(), Qt::ISODate);
    };
    const QDate received = date(QStringLiteral("GirTarihi"));
    giverId_ = value(QStringLiteral("ACARef")).toLongLong();
    position_ = value(kind_.positionField).toInt();
    setWindowTitle(QStringLiteral("%1 Vadeli, %2 den alınan %3 detayı")
                       .arg(date(QStringLiteral("Vadesi")).toString(kDate),
                            value(QStringLiteral("AUnvani")).toString(),
                            kind_.check ? QStringLiteral("çek") : QStringLiteral("Senet")));
    const QString money =
        shell().company->kurus() ? QStringLiteral("#,##0.00") : QStringLiteral("#,##0");
    const QStringList shown = {
        value(QStringLiteral("ACariNo")).toString(),
        value(QStringLiteral("AUnvani")).toString(),
        received.toString(kDate),
        date(QStringLiteral("Vadesi")).toString(kDate),
        value(kind_.numberField).toString(),
        formatNumber(value(QStringLiteral("TUTARI")).toDouble(), money),
        value(QStringLiteral("SonCiro")).toString(),
        value(kind_.check ? QStringLiteral("CekSahibi") : QStringLiteral("SenetSahibi")).toString(),
        value(kind_.check ? QStringLiteral("Banka") : QStringLiteral("Adres1")).toString(),
        value(kind_.check ? QStringLiteral("Sube") : QStringLiteral("Adres2")).toString(),
        QString::number(paperId_)};
    for (size_t i = 0; i < header_.size(); ++i)
        header_[i]->setText(shown[int(i)]);
    if (QAbstractButton* b = positions_->button(position_)) b->setChecked(true);
    // A panel date before the receipt (or never set) shows the receipt date.
    const auto panelDate = [&](const char* name) {
        const QDate d = date(QLatin1String(name));
        return (!d.isValid() || d < received ? received : d).toString(kDate);
    };
    fields_[Ciro][0]->setText(value(QStringLiteral("CCariNo")).toString());
    fields_[Ciro][1]->setText(value(QStringLiteral("CUnvani")).toString());
    fields_[Ciro][2]->setText(panelDate("CTarih"));
    fields_[Ciro][3]->setText(value(QStringLiteral("CAciklama")).toString());
    fields_[Banka][0]->setText(value(QStringLiteral("BACariNo")).toString());
    fields_[Banka][1]->setText(value(QStringLiteral("BAUnvani")).toString());
    fields_[Banka][2]->setText(panelDate("BTarih"));
    fields_[Banka][3]->setText(value(QStringLiteral("BAciklama")).toString());
    fields_[Tahsil][0]->setText(panelDate("TTarih"));
    fields_[Tahsil][1]->setText(value(QStringLiteral("TAciklama")).toString());
    fields_[Karsiliksiz][0]->setText(panelDate("KTarih"));
    fields_[Karsiliksiz][1]->setText(value(QStringLiteral("KAciklama")).toString());
    fields_[Iade][0]->setText(panelDate("ITarih"));
    fields_[Iade][1]->setText(value(QStringLiteral("IAciklama")).toString());
    open_ = -1;
    updateCommands();
}

void TfrmCekG::updateCommands()
{
    const bool editing = open_ >= 0;
    for (int i = 0; i < PanelCount; ++i) {
        setCommandEnabled(QLatin1String(kOperations[size_t(i)].command),
                          !editing && offered(position_, i));
        const bool open = open_ == i;
        panels_[size_t(i)]->setEnabled(open);
        for (QLineEdit* f : fields_[size_t(i)])
            f->setReadOnly(!open);
        cancels_[size_t(i)]->setEnabled(open);
        // Inactive panels green, the open one in the window's colour.
        panels_[size_t(i)]->setStyleSheet(
            open ? QString() : QStringLiteral("QGroupBox { background: #c8e6c9; }"));
    }
    setCommandEnabled(QStringLiteral("Cikis"), !editing);
    setCommandEnabled(QStringLiteral("Kaydet"), editing);
    setCommandEnabled(QStringLiteral("Vazgec"), editing);
    setCommandEnabled(QStringLiteral("PanelIptal"), editing);
    setCommandEnabled(QStringLiteral("Liste"), open_ == Ciro || open_ == Banka);
    positions_->buttons().front()->parentWidget()->setEnabled(!editing);
}

bool TfrmCekG::FormKeyDown(QKeyEvent* event)
{
    // Esc leaves the window in view mode and the panel in edit mode.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        MenuIslem(open_ >= 0 ? QStringLiteral("Vazgec") : QStringLiteral("Cikis"));
        return true;
    }
    return FormBase::FormKeyDown(event);
}

void TfrmCekG::openPanel(Panel panel)
{
    open_ = panel;
    updateCommands();
    fields_[size_t(panel)].front()->setFocus();
}

bool TfrmCekG::endorseeChecked()
{
    // The giver cannot be the endorsee.
    if (endorsee_->id() != giverId_) return true;
    fields_[Ciro][Code]->clear();
    fields_[Ciro][Title]->clear();
    NoticeBox(shell(),
              QStringLiteral("Cirolanan kart, %1 alınan firma")
                  .arg(kind_.check ? QStringLiteral("çek") : QStringLiteral("Senet")),
              QStringLiteral("olamaz. Değiştiriniz"), QStringLiteral("Cari kart kontrol"), this);
    fields_[Ciro][Code]->setFocus();
    return false;
}

bool TfrmCekG::bankChecked(bool tell)
{
    if (bank_->check()) return true;
    fields_[Banka][Code]->clear();
    fields_[Banka][Title]->clear();
    if (tell)
        NoticeBox(shell(), QStringLiteral("Banka kartı bulunamadı"), QString(),
                  QStringLiteral("Banka kart kontrol"), this);
    fields_[Banka][Code]->setFocus();
    return false;
}

void TfrmCekG::pickCard()
{
    CodeField* field = open_ == Ciro ? endorsee_ : bank_;
    checking_ = true;
    field->pick(this);
    checking_ = false;
    if (open_ == Ciro && endorsee_->id() && !endorseeChecked()) return;
    if (field->id()) fields_[size_t(open_)][Title]->setText(field->title());
}

void TfrmCekG::save()
{
    if (open_ < 0) return;
    const std::vector<QLineEdit*>& f = fields_[size_t(open_)];
    const bool withCode = open_ == Ciro || open_ == Banka;
    PaperStep step;
    step.tarih = parseDateLiteral(f[withCode ? 2 : 0]->text());
    step.aciklama = f[withCode ? 3 : 1]->text();
    if (!step.tarih.isValid()) {
        NoticeBox(shell(), QStringLiteral("Tarih hatalı"), QString(), windowTitle(), this);
        f[withCode ? 2 : 0]->setFocus();
        return;
    }
    switch (open_) {
    case Ciro: {
        const QString code = f[Code]->text().trimmed();
        if (code.isEmpty()) {
            // Saved without a customer: the endorsement is taken back.
            const std::vector<SqlRow> endorsed = shell().company->connection().select(
                QStringLiteral("SELECT h.\"Unvani\" FROM \"%1\" p JOIN \"CarHar\" h ON h.\"Nosu\" "
                               "= p.\"CCAHRef\" WHERE p.\"Nosu\" = ?")
                    .arg(kind_.table),
                {paperId_});
            if (!endorsed.empty())
                NoticeBox(
                    shell(),
                    QStringLiteral("%1 kartına cirolanmış").arg(endorsed.front()[0].toString()),
                    kind_.check ? QStringLiteral("çek kaydı siliniyor")
                                : QStringLiteral("Senet kaydı siliniyor"),
                    QStringLiteral("Ciro kontrol"), this);
            step.customerId = 0;
            posting_->endorse(paperId_, step);
            break;
        }
        checking_ = true;
        const bool found = endorsee_->check();
        checking_ = false;
        if (!found) {
            NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
                      QStringLiteral("Cari kart kontrol"), this);
            f[Code]->setFocus();
            return;
        }
        if (!endorseeChecked()) return;
        step.customerId = endorsee_->id();
        posting_->endorse(paperId_, step);
        break;
    }
    case Banka:
        checking_ = true;
        if (!bankChecked(true)) {
            checking_ = false;
            return;
        }
        checking_ = false;
        step.customerId = bank_->id();
        posting_->deposit(paperId_, step);
        break;
    case Tahsil:
        posting_->collect(paperId_, step);
        break;
    case Karsiliksiz:
        posting_->bounce(paperId_, step);
        break;
    case Iade:
        posting_->giveBack(paperId_, step);
        break;
    default:
        return;
    }
    load();
}

void TfrmCekG::cancelPanel()
{
    // The panel's input is dropped; what is stored shows again.
    load();
}

void TfrmCekG::resetPanel()
{
    if (open_ < 0) return;
    NoticeBox(shell(), resetLine(kind_, open_).arg(header_[1]->text()),
              QStringLiteral(" kaydı portföye alınıyor"),
              QStringLiteral("Karşılıksız %1 kontrol")
                  .arg(kind_.check ? QStringLiteral("çek") : QStringLiteral("Senet")),
              this);
    if (position_ != PaperPosition::Portfoy) posting_->reset(paperId_);
    load();
}
