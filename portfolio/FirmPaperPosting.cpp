#include "portfolio/FirmPaperPosting.h"

#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "portfolio/PaperPosting.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

FirmPaperPosting::FirmPaperPosting(CompanyData& company, const PortfolioKind& kind)
    : company_(company)
    , kind_(kind)
    , papers_(std::make_unique<Table>(company.connection(), kind.table))
    , customers_(std::make_unique<CustomerLedger>(company))
    , cash_(std::make_unique<CashLedger>(company))
{
    if (!kind.firm) throw AppError(QStringLiteral("%1 firma portföyü değil.").arg(kind.table));
    papers_->open();
}

FirmPaperPosting::~FirmPaperPosting() = default;

void FirmPaperPosting::hold(qint64 paperId)
{
    holdRecord(*papers_, paperId, kind_.word);
}

qint64 FirmPaperPosting::paymentRecord()
{
    // The last cash record of this note's payment.
    return cash_->lastLinked(papers_->currentId(), kind_.cashKaynak);
}

void FirmPaperPosting::writePayment()
{
    Table& p = *papers_;
    const double amount = p[QStringLiteral("TUTARI")].asFloat();
    const QDate due = p[QStringLiteral("Vadesi")].asDate();
    const QString payee = p[QStringLiteral("KUnvani")].asString();
    if (kind_.check) {
        // The bank movement is rewritten only when it is one; anything else gets a new one.
        const qint64 linked = p[QStringLiteral("OBAHRef")].asInt64();
        const std::optional<CustomerMovement> found = customers_->read(linked);
        CustomerMovement m;
        m.tarih = due;
        m.vadesi = due;
        m.belgeNo = p[kind_.numberField].asString();
        m.aciklama = payee + u' ' + p[QStringLiteral("Banka")].asString();
        m.alacak = amount;
        m.kaynak = Kaynak::BN;
        m.customerId = p[QStringLiteral("BARef")].asInt64();
        if (fromVoucher_) m.kRef = p.currentId();
        p[QStringLiteral("OBAHRef")] =
            customers_->rewrite(found && found->kaynak == Kaynak::BN ? linked : 0, m);
        return;
    }
    CashRecord r;
    r.tarih = due;
    r.belgeNo = p[kind_.numberField].asString();
    r.aciklama = payee;
    r.cikan = amount;
    r.kaynak = kind_.cashKaynak;
    r.kaRef = p.currentId();
    cash_->rewrite(paymentRecord(), r);
}

void FirmPaperPosting::removePayment()
{
    Table& p = *papers_;
    if (kind_.check) {
        const qint64 linked = p[QStringLiteral("OBAHRef")].asInt64();
        const std::optional<CustomerMovement> found = customers_->read(linked);
        if (found && found->kaynak == Kaynak::BN) customers_->remove(linked);
        return;
    }
    if (const qint64 record = paymentRecord()) cash_->remove(record);
}

qint64 FirmPaperPosting::save(const FirmPaper& paper)
{
    if (!paper.kTarih.isValid() || !paper.vadesi.isValid())
        throw AppError(
            QStringLiteral("%1 kesildiği tarihini ve vadesini giriniz.").arg(kind_.word));
    return CommandTransaction::run(company_.connection(), [&] {
        const PaperCard bank = kind_.check ? paperCard(company_, paper.bankId, true) : PaperCard{};
        const PaperCard payee = paperCard(company_, paper.payeeId);
        Table& p = *papers_;
        const bool isNew = paper.id <= 0;
        appendOrHold(p, paper.id, kind_.word);
        fromVoucher_ = paper.fRef > 0;
        changeOrCancel(p, [&] {
            const QString kaynak = paper.kaynak.isEmpty() ? kind_.entryKaynak : paper.kaynak;
            p[QStringLiteral("KTarih")] = paper.kTarih;
            p[QStringLiteral("Vadesi")] = paper.vadesi;
            p[kind_.numberField] = paper.number;
            p[QStringLiteral("TUTARI")] = company_.RoundMoney(paper.tutari);
            p[QStringLiteral("KCARef")] = payee.id;
            p[QStringLiteral("KCariNo")] = payee.code;
            p[QStringLiteral("KUnvani")] = payee.title;
            p[QStringLiteral("Kaynak")] = kaynak;
            if (kind_.check) {
                p[QStringLiteral("BARef")] = bank.id;
                p[QStringLiteral("BACariNo")] = bank.code;
                p[QStringLiteral("Banka")] = bank.title;
            }
            if (isNew) p[QStringLiteral("FRef")] = paper.fRef;
            p[kind_.positionField] = paper.paid ? 1 : 0;
            CustomerMovement issue;
            issue.tarih = paper.kTarih;
            issue.vadesi = paper.vadesi;
            issue.belgeNo = paper.number;
            issue.aciklama = kind_.issuedText;
            issue.borc = p[QStringLiteral("TUTARI")].asFloat();
            issue.kaynak = kaynak;
            issue.customerId = payee.id;
            p[QStringLiteral("KCAHRef")] =
                customers_->rewrite(p[QStringLiteral("KCAHRef")].asInt64(), issue);
            if (isNew) p.post(); // the payment names the paper's Nosu
            if (isNew && paper.paid) hold(p.currentId());
            if (paper.paid)
                writePayment();
            else
                removePayment();
            p.post();
        });
        return p.currentId();
    });
}

void FirmPaperPosting::remove(qint64 paperId, const QString& kaynak)
{
    CommandTransaction::run(company_.connection(), [&] {
        hold(paperId);
        Table& p = *papers_;
        changeOrCancel(p, [&] {
            if (!kaynak.isEmpty() && p[QStringLiteral("Kaynak")].asString() != kaynak)
                throw wrongSource(kind_);
            customers_->remove(p[QStringLiteral("KCAHRef")].asInt64());
            removePayment();
            if (!kind_.check) customers_->remove(p[QStringLiteral("OCAHRef")].asInt64());
            p.cancel();
        });
        p.removeId(paperId);
    });
}

void FirmPaperPosting::movePayee(qint64 paperId, qint64 payeeId)
{
    CommandTransaction::run(company_.connection(), [&] {
        const PaperCard payee = paperCard(company_, payeeId);
        hold(paperId);
        Table& p = *papers_;
        changeOrCancel(p, [&] {
            p[QStringLiteral("KCARef")] = payee.id;
            p[QStringLiteral("KCariNo")] = payee.code;
            p[QStringLiteral("KUnvani")] = payee.title;
            const qint64 linked = p[QStringLiteral("KCAHRef")].asInt64();
            if (std::optional<CustomerMovement> issue = customers_->read(linked)) {
                issue->customerId = payee.id;
                customers_->rewrite(linked, *issue);
            }
            p.post();
        });
    });
}
