#include "portfolio/PaperPosting.h"

#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

namespace {

constexpr int kBankCard = 3; // Cari.CariDurum of a bank

QString dateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace

PaperPosting::PaperPosting(CompanyData& company, const PortfolioKind& kind)
    : company_(company)
    , kind_(kind)
    , papers_(std::make_unique<Table>(company.connection(), kind.table))
    , customers_(std::make_unique<CustomerLedger>(company))
    , cash_(std::make_unique<CashLedger>(company))
{
    if (kind.firm) throw AppError(QStringLiteral("%1 müşteri portföyü değil.").arg(kind.table));
    papers_->open();
}

PaperPosting::~PaperPosting() = default;

PaperCard paperCard(CompanyData& company, qint64 customerId, bool bank)
{
    const std::vector<SqlRow> rows = company.connection().select(
        QStringLiteral("SELECT \"Nosu\", \"CariNo\", \"Unvani\", \"CariDurum\" FROM \"Cari\" "
                       "WHERE \"Nosu\" = ?"),
        {customerId});
    if (bank && (rows.empty() || rows.front()[3].toInt() != kBankCard))
        throw AppError(QStringLiteral("Banka kartı bulunamadı"),
                       QStringLiteral("Banka kartı kontrol"));
    if (rows.empty())
        throw AppError(QStringLiteral("Cari kart nosu bulunamadı"),
                       QStringLiteral("Cari kart kontrol"));
    return {rows.front()[0].toLongLong(), rows.front()[1].toString(), rows.front()[2].toString()};
}

void holdRecord(Table& table, qint64 id, const QString& what)
{
    table.refresh();
    if (id <= 0 || !table.editId(id))
        throw AppError(QStringLiteral("%1 kaydı bulunamadı (%2).").arg(what).arg(id));
}

void appendOrHold(Table& table, qint64 id, const QString& what)
{
    if (id > 0) return holdRecord(table, id, what);
    table.refresh();
    table.append();
}

AppError wrongSource(const PortfolioKind& kind)
{
    return AppError(QStringLiteral("Kaynak program %1 değil")
                        .arg(kind.check ? QStringLiteral("çek") : QStringLiteral("Senet")),
                    QStringLiteral("%1 kontrol").arg(kind.word));
}

void PaperPosting::hold(qint64 paperId)
{
    holdRecord(*papers_, paperId, kind_.word);
}

int PaperPosting::position(qint64 paperId)
{
    papers_->refresh();
    if (paperId <= 0 || !papers_->gotoId(paperId))
        throw AppError(QStringLiteral("%1 kaydı bulunamadı (%2).").arg(kind_.word).arg(paperId));
    return (*papers_)[kind_.positionField].asInteger();
}

std::optional<CustomerPaper> PaperPosting::read(qint64 paperId)
{
    Table& p = *papers_;
    p.refresh();
    if (paperId <= 0 || !p.gotoId(paperId)) return std::nullopt;
    const auto text = [&](const char* name) { return p[QLatin1String(name)].asString(); };
    CustomerPaper paper;
    paper.id = paperId;
    paper.girTarihi = p[QStringLiteral("GirTarihi")].asDate();
    paper.vadesi = p[QStringLiteral("Vadesi")].asDate();
    paper.number = p[kind_.numberField].asString();
    paper.tutari = p[QStringLiteral("TUTARI")].asFloat();
    if (kind_.check) {
        paper.banka = text("Banka");
        paper.sube = text("Sube");
        paper.sahibi = text("CekSahibi");
    } else {
        paper.adres1 = text("Adres1");
        paper.adres2 = text("Adres2");
        paper.sahibi = text("SenetSahibi");
    }
    paper.sonCiro = text("SonCiro");
    paper.customerId = p[QStringLiteral("ACARef")].asInt64();
    paper.kaynak = text("Kaynak");
    paper.fRef = p[QStringLiteral("FRef")].asInt64();
    return paper;
}

void PaperPosting::requireMove(int to)
{
    const int from = (*papers_)[kind_.positionField].asInteger();
    if (!paperMoveAllowed(from, to))
        throw AppError(QStringLiteral("%1 %2 pozisyonundan %3 pozisyonuna geçemez.")
                           .arg(kind_.word, kind_.positions.value(from), kind_.positions.value(to)),
                       QStringLiteral("%1 kontrol").arg(kind_.word));
}

QString PaperPosting::dueText() const
{
    return dateText((*papers_)[QStringLiteral("Vadesi")].asDate());
}

qint64 PaperPosting::writeMovement(const char* link, qint64 customerId, double borc, double alacak,
                                   const QDate& tarih, const QString& aciklama,
                                   const QString& kaynak)
{
    Table& p = *papers_;
    CustomerMovement m;
    m.tarih = tarih;
    m.vadesi = p[QStringLiteral("Vadesi")].asDate();
    m.belgeNo = p[kind_.numberField].asString();
    m.aciklama = aciklama;
    m.borc = borc;
    m.alacak = alacak;
    m.kaynak = kaynak;
    m.customerId = customerId;
    const qint64 id = customers_->rewrite(p[QLatin1String(link)].asInt64(), m);
    p[QLatin1String(link)] = id;
    return id;
}

void PaperPosting::removeLinked(const char* link)
{
    customers_->remove((*papers_)[QLatin1String(link)].asInt64());
}

void PaperPosting::removeCash()
{
    // The paper keeps its cash record's Nosu: the other customer portfolio numbers its papers
    // on its own, so the paper's Nosu alone does not name the record.
    const qint64 id = (*papers_)[QStringLiteral("TCAHRef")].asInt64();
    const std::optional<CashRecord> record = cash_->read(id);
    if (record && record->kaynak == kind_.cashKaynak) cash_->remove(id);
    (*papers_)[QStringLiteral("TCAHRef")] = 0;
}

void PaperPosting::movePosition(int to)
{
    (*papers_)[kind_.positionField] = to;
}

qint64 PaperPosting::save(const CustomerPaper& paper)
{
    if (!paper.girTarihi.isValid() || !paper.vadesi.isValid())
        throw AppError(QStringLiteral("%1 giriş tarihini ve vadesini giriniz.").arg(kind_.word));
    return CommandTransaction::run(company_.connection(), [&] {
        const PaperCard giver = card(paper.customerId);
        Table& p = *papers_;
        const bool isNew = paper.id <= 0;
        appendOrHold(p, paper.id, kind_.word);
        changeOrCancel(p, [&] {
            const QString kaynak = paper.kaynak.isEmpty() ? kind_.entryKaynak : paper.kaynak;
            p[QStringLiteral("GirTarihi")] = paper.girTarihi;
            p[QStringLiteral("Vadesi")] = paper.vadesi;
            p[kind_.numberField] = paper.number;
            p[QStringLiteral("TUTARI")] = company_.RoundMoney(paper.tutari);
            if (kind_.check) {
                p[QStringLiteral("Banka")] = paper.banka;
                p[QStringLiteral("Sube")] = paper.sube;
                p[QStringLiteral("CekSahibi")] = paper.sahibi;
            } else {
                p[QStringLiteral("Adres1")] = paper.adres1;
                p[QStringLiteral("Adres2")] = paper.adres2;
                p[QStringLiteral("SenetSahibi")] = paper.sahibi;
            }
            p[QStringLiteral("SonCiro")] = paper.sonCiro;
            p[QStringLiteral("ACARef")] = giver.id;
            p[QStringLiteral("ACariNo")] = giver.code;
            p[QStringLiteral("AUnvani")] = giver.title;
            p[QStringLiteral("Kaynak")] = kaynak;
            if (isNew) {
                p[QStringLiteral("FRef")] = paper.fRef ? QVariant(paper.fRef) : QVariant(0);
                movePosition(PaperPosition::Portfoy);
            }
            const double amount = p[QStringLiteral("TUTARI")].asFloat();
            const QString receipt = dueText() + u' ' + (kind_.check ? paper.banka : giver.title);
            writeMovement("ACAHRef", giver.id, 0, amount, paper.girTarihi, receipt, kaynak);
            // What the paper's position posted follows the new amount and due date.
            const int at = p[kind_.positionField].asInteger();
            if (p[QStringLiteral("CCAHRef")].asInt64() > 0)
                writeMovement("CCAHRef", p[QStringLiteral("CCARef")].asInt64(), amount, 0,
                              p[QStringLiteral("CTarih")].asDate(), dueText() + kind_.endorsedText,
                              kaynak);
            if (p[QStringLiteral("ICAHRef")].asInt64() > 0)
                writeMovement("ICAHRef", giver.id, amount, 0, p[QStringLiteral("ITarih")].asDate(),
                              dueText() + kind_.returnedText, kaynak);
            if (at == PaperPosition::Banka) writeDeposit();
            if (at == PaperPosition::Tahsil) writeCollection();
            p.post();
        });
        return p.currentId();
    });
}

void PaperPosting::writeDeposit()
{
    Table& p = *papers_;
    writeMovement("BAHRef", p[QStringLiteral("BARef")].asInt64(),
                  p[QStringLiteral("TUTARI")].asFloat(), 0, p[QStringLiteral("BTarih")].asDate(),
                  p[QStringLiteral("AUnvani")].asString(), Kaynak::CE);
}

void PaperPosting::writeCollection()
{
    Table& p = *papers_;
    const double amount = p[QStringLiteral("TUTARI")].asFloat();
    const QDate tarih = p[QStringLiteral("TTarih")].asDate();
    const QString giver = p[QStringLiteral("AUnvani")].asString();
    const qint64 bank = p[QStringLiteral("BARef")].asInt64();
    if (bank > 0) {
        writeMovement("BATRef", bank, 0, amount, tarih, giver, Kaynak::CE);
        writeMovement("BANRef", bank, amount, 0, tarih, giver, Kaynak::BN);
        return;
    }
    CashRecord r;
    r.tarih = tarih;
    r.belgeNo = p[kind_.numberField].asString();
    r.aciklama = kind_.check ? QStringList{giver, p[QStringLiteral("Banka")].asString(),
                                           p[QStringLiteral("Sube")].asString()}
                                   .join(u' ')
                             : giver;
    r.giren = amount;
    r.kaynak = kind_.cashKaynak;
    r.kaRef = p.currentId();
    // Only a record of this portfolio's collections is rewritten; another gets a new one.
    const qint64 linked = p[QStringLiteral("TCAHRef")].asInt64();
    const std::optional<CashRecord> record = cash_->read(linked);
    p[QStringLiteral("TCAHRef")] =
        cash_->rewrite(record && record->kaynak == kind_.cashKaynak ? linked : 0, r);
}

template <typename Step> void PaperPosting::operate(qint64 paperId, int to, Step&& step)
{
    CommandTransaction::run(company_.connection(), [&] {
        hold(paperId);
        changeOrCancel(*papers_, [&] {
            requireMove(to);
            step();
            movePosition(to);
            papers_->post();
        });
    });
}

void PaperPosting::endorse(qint64 paperId, const PaperStep& step)
{
    if (step.customerId <= 0) {
        // Saved without a customer: the endorsement is taken back.
        CommandTransaction::run(company_.connection(), [&] {
            hold(paperId);
            changeOrCancel(*papers_, [&] {
                const int at = (*papers_)[kind_.positionField].asInteger();
                if (at != PaperPosition::Portfoy && at != PaperPosition::Ciro)
                    requireMove(PaperPosition::Ciro);
                takeBackEndorsement();
                movePosition(PaperPosition::Portfoy);
                papers_->post();
            });
        });
        return;
    }
    operate(paperId, PaperPosition::Ciro, [&] {
        Table& p = *papers_;
        const PaperCard to = card(step.customerId);
        if (to.id == p[QStringLiteral("ACARef")].asInt64())
            throw AppError(QStringLiteral("Cirolanan kart, %1 alınan firma olamaz. Değiştiriniz")
                               .arg(kind_.check ? QStringLiteral("çek") : QStringLiteral("Senet")),
                           QStringLiteral("Cari kart kontrol"));
        p[QStringLiteral("CTarih")] = step.tarih;
        p[QStringLiteral("CCariNo")] = to.code;
        p[QStringLiteral("CUnvani")] = to.title;
        p[QStringLiteral("CCARef")] = to.id;
        p[QStringLiteral("CAciklama")] = step.aciklama;
        writeMovement("CCAHRef", to.id, p[QStringLiteral("TUTARI")].asFloat(), 0, step.tarih,
                      dueText() + kind_.endorsedText, Kaynak::CE);
    });
}

void PaperPosting::takeBackEndorsement()
{
    Table& p = *papers_;
    removeLinked("CCAHRef");
    p[QStringLiteral("CTarih")] = p[QStringLiteral("GirTarihi")].value();
    for (const char* field : {"CCariNo", "CUnvani", "CAciklama"})
        p[QLatin1String(field)] = QVariant();
    p[QStringLiteral("CCARef")] = 0;
    p[QStringLiteral("CCAHRef")] = 0;
}

void PaperPosting::deposit(qint64 paperId, const PaperStep& step)
{
    operate(paperId, PaperPosition::Banka, [&] {
        Table& p = *papers_;
        const PaperCard bank = card(step.customerId, true);
        p[QStringLiteral("BARef")] = bank.id;
        p[QStringLiteral("BACariNo")] = bank.code;
        p[QStringLiteral("BAUnvani")] = bank.title;
        p[QStringLiteral("BTarih")] = step.tarih;
        p[QStringLiteral("BAciklama")] = step.aciklama;
        writeDeposit();
    });
}

void PaperPosting::collect(qint64 paperId, const PaperStep& step)
{
    operate(paperId, PaperPosition::Tahsil, [&] {
        Table& p = *papers_;
        // From the portfolio in cash, whatever bank an earlier step left behind.
        if (p[kind_.positionField].asInteger() == PaperPosition::Portfoy)
            p[QStringLiteral("BARef")] = 0;
        p[QStringLiteral("TTarih")] = step.tarih;
        p[QStringLiteral("TAciklama")] = step.aciklama;
        writeCollection();
    });
}

void PaperPosting::bounce(qint64 paperId, const PaperStep& step)
{
    operate(paperId, PaperPosition::Karsiliksiz, [&] {
        (*papers_)[QStringLiteral("KTarih")] = step.tarih;
        (*papers_)[QStringLiteral("KAciklama")] = step.aciklama;
    });
}

void PaperPosting::giveBack(qint64 paperId, const PaperStep& step)
{
    operate(paperId, PaperPosition::Iade, [&] {
        Table& p = *papers_;
        p[QStringLiteral("ITarih")] = step.tarih;
        p[QStringLiteral("IAciklama")] = step.aciklama;
        writeMovement("ICAHRef", p[QStringLiteral("ACARef")].asInt64(),
                      p[QStringLiteral("TUTARI")].asFloat(), 0, step.tarih,
                      dueText() + kind_.returnedText, Kaynak::CE);
    });
}

void PaperPosting::reset(qint64 paperId)
{
    operate(paperId, PaperPosition::Portfoy, [&] { clearOperations(); });
}

void PaperPosting::clearOperations()
{
    Table& p = *papers_;
    takeBackEndorsement();
    for (const char* link : {"ICAHRef", "BAHRef", "BATRef", "BANRef"})
        removeLinked(link);
    removeCash();
    const QVariant received = p[QStringLiteral("GirTarihi")].value();
    for (const char* date : {"ITarih", "TTarih", "BTarih", "KTarih"})
        p[QLatin1String(date)] = received;
    for (const char* text :
         {"IAciklama", "TAciklama", "BACariNo", "BAUnvani", "BAciklama", "KAciklama"})
        p[QLatin1String(text)] = QVariant();
    p[QStringLiteral("ICAHRef")] = 0;
    p[QStringLiteral("BARef")] = 0;
}

void PaperPosting::remove(qint64 paperId, const QString& kaynak)
{
    CommandTransaction::run(company_.connection(), [&] {
        hold(paperId);
        Table& p = *papers_;
        changeOrCancel(p, [&] {
            if (!kaynak.isEmpty() && p[QStringLiteral("Kaynak")].asString() != kaynak)
                throw wrongSource(kind_);
            for (const char* link : {"ACAHRef", "CCAHRef", "ICAHRef", "BAHRef", "BATRef", "BANRef"})
                removeLinked(link);
            removeCash();
            p.cancel();
        });
        p.removeId(paperId);
    });
}
