#include "cash/Tahsil.h"

#include "app/CodeField.h"
#include "cash/CashReports.h"
#include "cash/SlipPosting.h"
#include "customers/CustomerCodes.h"
#include "printing/PagePrinter.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {

const QString kDate = QStringLiteral("dd.MM.yyyy");

Table& slipTable(Shell& shell, const SlipKind& kind)
{
    Table& t = shell.company->table(kind.table);
    t.setFiltered(false);
    t.setIndexName(kind.index);
    t.refresh();
    return t;
}

Table& lineTable(Shell& shell, const SlipKind& kind, qint64 slipId)
{
    Table& t = shell.company->table(kind.lineTable);
    t.setFilter(QStringLiteral("%1 = %2").arg(kind.link).arg(slipId));
    t.setFiltered(true);
    return t;
}

} // namespace

// --- list --------------------------------------------------------------------------------------

TfrmTahsil::TfrmTahsil(Shell& shell, const SlipKind& kind, QWidget* parent)
    : ListWindow(shell, kind.listCaption, slipTable(shell, kind),
                 {{QStringLiteral("Ref. No"), QStringLiteral("Nosu"), 60},
                  {QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                  {QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 200},
                  {QStringLiteral("Cari No"), QStringLiteral("CariNo"), 90},
                  {QStringLiteral("Ünvanı"), QStringLiteral("Unvani"), 200},
                  {QStringLiteral("Fiş Tutarı"), QStringLiteral("TopTutar"), 110,
                   shell.company->cashMoneyFormat()}},
                 parent)
    , kind_(kind)
{
    setObjectName(kind.collection ? QStringLiteral("frmTahsil") : QStringLiteral("frmTediye"));
    setDeleteTexts({kind.deleteSlip, QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), kind.deleteSlipTitle});
    addLinesCommand(kind.linesCommand, QStringLiteral("Fiş hareketleri"), [this] { openLines(); });
    setHeaderWindow([this](qint64 slipId) {
        TfrmTahsilA header(this->shell(), kind_, slipId, this);
        header.run();
        return header.savedId();
    });
    setRereadBeforeKeys(true);
    addQuickCardKey(QuickCard::Customer, [this] {
        return QuickTarget{table()["CARef"].asInt64(), {}};
    });
    resize(900, 560);
    goLast();
}

void TfrmTahsil::openLines()
{
    const qint64 slipId = table().currentId();
    if (slipId <= 0) return;
    {
        TfrmTahsilB lines(shell(), kind_, slipId, this);
        lines.run();
    }
    table().refresh();
    table().gotoId(slipId);
    reload();
}

void TfrmTahsil::deleteRecord()
{
    SlipPosting(*shell().company, kind_).removeSlip(table().currentId());
    table().refresh();
}

// --- header ------------------------------------------------------------------------------------

namespace {

std::vector<FieldSpec> headerFields(const SlipKind& kind)
{
    return {
        {QStringLiteral("Fiş Tarihi : "), QString(), EditorKind::Date, 0, kind.dateHint},
        {QStringLiteral("Cari Nosu : "), QString(), EditorKind::Code, 10,
         QStringLiteral("Cari kart nosunu giriniz")},
        {QStringLiteral("Ünvanı : "), QString(), EditorKind::Text, 30,
         QStringLiteral("Cari kart ünvanını giriniz")},
        {QStringLiteral("Açıklama : "), QString(), EditorKind::Text, 30, kind.descriptionHint},
    };
}

} // namespace

TfrmTahsilA::TfrmTahsilA(Shell& shell, const SlipKind& kind, qint64 slipId, QWidget* parent)
    : EntryWindow(shell, slipId ? kind.oldHeader : kind.newHeader, headerFields(kind), nullptr,
                  parent)
    , kind_(kind)
    , slipId_(slipId)
{
    setObjectName(kind.collection ? QStringLiteral("frmTahsilA") : QStringLiteral("frmTediyeA"));
    auto* code = static_cast<QLineEdit*>(editor(CariNo));
    code_ = new CodeField(shell, code, customerCodes());
    // A found card gives its title; an unknown code leaves none.
    connect(code_, &CodeField::checked, this,
            [this](qint64 id) { setText(Unvani, id ? code_->title() : QString()); });
    if (kind.titleAfterUnknownCode) code_->setFocusAfterUnknown(editor(Unvani));
    addCardListCommand(code_, Unvani, Tarih);
    addQuickCardKey(QuickCard::Customer, [this] { return QuickTarget{0, text(CariNo)}; });
    if (slipId_) {
        const std::optional<SlipData> slip = SlipPosting(*shell.company, kind).read(slipId_);
        if (!slip) throw AppError(QStringLiteral("Fiş bulunamadı."));
        setText(Tarih, slip->tarih.toString(kDate));
        setText(CariNo, slip->cariNo);
        setText(Unvani, slip->unvani);
        setText(Aciklama, slip->aciklama);
    } else {
        setText(Tarih, QDate::currentDate().toString(kDate));
    }
    editor(Tarih)->setFocus();
}

bool TfrmTahsilA::validate()
{
    // The code is looked up again as it stands now.
    if (code_->check()) return true;
    NoticeBox(shell(), QStringLiteral("Cari kart nosu bulunamadı"), QString(),
              QStringLiteral("Cari kart kontrol"), this);
    editor(CariNo)->setFocus();
    return false;
}

void TfrmTahsilA::save()
{
    SlipHeader h;
    h.tarih = value(Tarih).toDate();
    h.customerCode = text(CariNo);
    h.unvani = text(Unvani);
    h.aciklama = text(Aciklama);
    saved_ = SlipPosting(*shell().company, kind_).saveHeader(slipId_, h);
}

// --- lines -------------------------------------------------------------------------------------

TfrmTahsilB::TfrmTahsilB(Shell& shell, const SlipKind& kind, qint64 slipId, QWidget* parent)
    : ListWindow(
          shell, kind.linesCaption, lineTable(shell, kind, slipId),
          {{QStringLiteral("Açıklama"), QStringLiteral("Aciklama"), 320},
           {kind.amountHeading, QStringLiteral("Tutar"), 140, shell.company->cashMoneyFormat()}},
          parent)
    , kind_(kind)
    , slipId_(slipId)
    , posting_(std::make_unique<SlipPosting>(*shell.company, kind))
{
    setObjectName(kind.collection ? QStringLiteral("frmTahsilB") : QStringLiteral("frmTediyeB"));
    setDeleteTexts({kind.deleteLine, QStringLiteral("istediğinize emin misiniz ? "),
                    kind.deleteLineLoss, QStringLiteral("emin misiniz ? "), kind.lineTitle});
    header_ =
        addInfoBoxes({QStringLiteral("Fiş Tarihi : "), QStringLiteral("Cari No : "),
                      QStringLiteral("Ünvanı : "), QStringLiteral("Açıklama : "), kind.totalLabel},
                     true);
    header_.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    header_.back()->setMaximumWidth(160);
    addCommand(QStringLiteral("Basim"), QStringLiteral("Basım [F5]"), Qt::Key_F5, QString(),
               [this] {
                   const PageSet pages = CashReports::slip(*this->shell().company, kind_, slipId_,
                                                           this->shell().activeCompanyTitle,
                                                           this->shell().install.kagit() == 1);
                   printPages(pages, this->shell().install, this, false);
               });
    addQuickCardKey(QuickCard::Customer, [this] {
        const std::optional<SlipData> slip = posting_->read(slipId_);
        return QuickTarget{slip ? slip->customerId : 0, {}};
    });
    // Opening brings the slip's movement and cash record into step, in one command.
    posting_->openLines(slipId_);
    resize(640, 520);
    table().refresh();
    goLast();
}

TfrmTahsilB::~TfrmTahsilB()
{
    table().setFiltered(false);
}

QString TfrmTahsilB::headerText(int index) const
{
    return header_[size_t(index)]->text();
}

void TfrmTahsilB::updateCommands()
{
    ListWindow::updateCommands();
    setCommandEnabled(QStringLiteral("Basim"), !table().isEmpty());
    const std::optional<SlipData> slip = posting_->read(slipId_);
    if (!slip) return;
    header_[0]->setText(slip->tarih.toString(kDate));
    header_[1]->setText(slip->cariNo);
    header_[2]->setText(slip->unvani);
    header_[3]->setText(slip->aciklama);
    header_[4]->setText(formatNumber(slip->total, shell().company->cashMoneyFormat()));
}

void TfrmTahsilB::openLine(qint64 lineId)
{
    TfrmTahsilF line(shell(), *posting_, slipId_, lineId, this);
    line.run();
    table().refresh();
    if (line.savedId()) table().gotoId(line.savedId());
}

void TfrmTahsilB::newRecord()
{
    openLine(0);
}

void TfrmTahsilB::editRecord()
{
    openLine(table().currentId());
}

void TfrmTahsilB::deleteRecord()
{
    posting_->removeLine(slipId_, table().currentId());
    table().refresh();
}

// --- line --------------------------------------------------------------------------------------

TfrmTahsilF::TfrmTahsilF(Shell& shell, SlipPosting& posting, qint64 slipId, qint64 lineId,
                         QWidget* parent)
    : EntryWindow(
          shell, lineId ? posting.kind().oldLine : posting.kind().newLine,
          {{QStringLiteral("Açıklama : "), QString(), EditorKind::Text, 30,
            QStringLiteral("Hareket açıklamasını giriniz")},
           {QStringLiteral("Tutar : "), QString(), EditorKind::Money,
            shell.company->cashKurus() ? 2 : 0, QStringLiteral("Hareket tutarını giriniz")}},
          nullptr, parent)
    , posting_(posting)
    , slipId_(slipId)
    , lineId_(lineId)
{
    setObjectName(posting.kind().collection ? QStringLiteral("frmTahsilF")
                                            : QStringLiteral("frmTediyeF"));
    setDownWraps(true);
    setNumber(Tutar, 0);
    if (lineId_) {
        const std::optional<SlipLine> line = posting.readLine(lineId_);
        if (!line) throw AppError(QStringLiteral("Fiş hareketi bulunamadı."));
        setText(Aciklama, line->aciklama);
        setNumber(Tutar, line->tutar);
    }
    editor(Aciklama)->setFocus();
}

void TfrmTahsilF::save()
{
    saved_ = posting_.saveLine(slipId_, lineId_, text(Aciklama), number(Tutar));
}
