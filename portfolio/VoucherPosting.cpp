#include "portfolio/VoucherPosting.h"

#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"

VoucherPosting::VoucherPosting(CompanyData& company, const PortfolioKind& kind)
    : company_(company)
    , kind_(kind)
    , vouchers_(std::make_unique<Table>(company.connection(), kind.voucherTable))
    , papers_(kind.firm ? nullptr : std::make_unique<PaperPosting>(company, kind))
    , firms_(kind.firm ? std::make_unique<FirmPaperPosting>(company, kind) : nullptr)
    , customers_(std::make_unique<CustomerLedger>(company))
{
    vouchers_->open();
}

VoucherPosting::~VoucherPosting() = default;

void VoucherPosting::hold(qint64 voucherId)
{
    holdRecord(*vouchers_, voucherId, QStringLiteral("Fiş"));
}

std::vector<qint64> VoucherPosting::papersOf(qint64 voucherId)
{
    std::vector<qint64> ids;
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral("SELECT \"Nosu\" FROM \"%1\" WHERE coalesce(\"FRef\",0) = ? AND "
                            "\"Kaynak\" = ? ORDER BY \"Vadesi\", \"Nosu\"")
                 .arg(kind_.table),
             {voucherId, kind_.voucherKaynak}))
        ids.push_back(row[0].toLongLong());
    return ids;
}

VoucherFigures VoucherPosting::figures(qint64 voucherId)
{
    const std::vector<SqlRow> header = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"GZam\" FROM \"%1\" WHERE \"Nosu\" = ?")
            .arg(kind_.voucherTable),
        {voucherId});
    if (header.empty()) return {};
    return figuresOf(voucherId, QDate::fromString(header.front()[0].toString(), Qt::ISODate),
                     kind_.firm ? 0.0 : header.front()[1].toDouble());
}

VoucherFigures VoucherPosting::figuresOf(qint64 voucherId, const QDate& tarih, double gZam)
{
    std::vector<VoucherPaper> papers;
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral("SELECT \"TUTARI\", \"Vadesi\" FROM \"%1\" WHERE coalesce(\"FRef\",0) "
                            "= ? AND \"Kaynak\" = ?")
                 .arg(kind_.table),
             {voucherId, kind_.voucherKaynak}))
        papers.push_back({row[0].toDouble(), QDate::fromString(row[1].toString(), Qt::ISODate)});
    return voucherFigures(tarih, gZam, papers, company_.kurus());
}

void VoucherPosting::settle()
{
    Table& v = *vouchers_;
    const qint64 id = v.currentId();
    if (kind_.firm) { // no surcharge
        v.post();
        return;
    }
    const qint64 linked = v[QStringLiteral("CAHRef")].asInt64();
    if (v[QStringLiteral("Islensin")].asInteger() != 1) {
        customers_->remove(linked);
        v.post();
        return;
    }
    v.post();
    CustomerMovement m;
    m.tarih = v[QStringLiteral("Tarih")].asDate();
    m.belgeNo = QString::number(id);
    m.aciklama = kind_.check ? QStringLiteral("REF. ÇEK FİŞİ G.ZAMMI")
                             : QStringLiteral("REF.SENET FİŞİ G.ZAMMI");
    // Written even when it is 0.
    m.borc = figuresOf(id, m.tarih, v[QStringLiteral("GZam")].asFloat()).surcharge;
    m.kaynak = kind_.voucherKaynak;
    m.customerId = v[QStringLiteral("CARef")].asInt64();
    const qint64 movement = customers_->rewrite(linked, m);
    if (movement != linked) {
        hold(id);
        changeOrCancel(v, [&] {
            v[QStringLiteral("CAHRef")] = movement;
            v.post();
        });
    }
}

qint64 VoucherPosting::saveHeader(qint64 voucherId, const VoucherHeader& header)
{
    if (!header.tarih.isValid())
        throw AppError(QStringLiteral("%1 fişi tarihini giriniz.").arg(kind_.word));
    return CommandTransaction::run(company_.connection(), [&] {
        const PaperCard card = paperCard(company_, header.customerId);
        Table& v = *vouchers_;
        const bool isNew = voucherId <= 0;
        appendOrHold(v, voucherId, QStringLiteral("Fiş"));
        qint64 id = 0;
        changeOrCancel(v, [&] {
            const qint64 former = isNew ? 0 : v[QStringLiteral("CARef")].asInt64();
            v[QStringLiteral("Tarih")] = header.tarih;
            v[QStringLiteral("CARef")] = card.id;
            v[QStringLiteral("CariNo")] = card.code;
            v[QStringLiteral("Unvani")] = card.title;
            v[QStringLiteral("Aciklama")] = header.aciklama;
            if (!kind_.firm) {
                v[QStringLiteral("GZam")] = header.gZam;
                v[QStringLiteral("Islensin")] = header.islensin ? 1 : 0;
            }
            v.post();
            id = v.currentId();
            if (!isNew && former != card.id) movePapers(id, card.id);
            hold(id);
            settle();
        });
        return id;
    });
}

void VoucherPosting::movePapers(qint64 voucherId, qint64 customerId)
{
    // A new customer takes the papers along: customer papers with everything they posted
    // to the giver, firm papers with their issue movement only.
    for (const qint64 paperId : papersOf(voucherId)) {
        if (kind_.firm) {
            firms_->movePayee(paperId, customerId);
            continue;
        }
        CustomerPaper paper = *papers_->read(paperId);
        paper.customerId = customerId;
        papers_->save(paper);
    }
}

qint64 VoucherPosting::voucherCustomer(qint64 voucherId)
{
    hold(voucherId);
    const qint64 customer = (*vouchers_)[QStringLiteral("CARef")].asInt64();
    vouchers_->cancel();
    return customer;
}

void VoucherPosting::requireOwn(qint64 voucherId, qint64 paperId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Kaynak\", coalesce(\"FRef\",0) FROM \"%1\" WHERE \"Nosu\" = ?")
            .arg(kind_.table),
        {paperId});
    if (rows.empty() || rows.front()[0].toString() != kind_.voucherKaynak ||
        rows.front()[1].toLongLong() != voucherId)
        throw wrongSource(kind_);
}

qint64 VoucherPosting::saveLine(qint64 voucherId, FirmPaper paper)
{
    if (!kind_.firm) throw AppError(QStringLiteral("%1 firma portföyü değil.").arg(kind_.table));
    return CommandTransaction::run(company_.connection(), [&] {
        paper.payeeId = voucherCustomer(voucherId);
        if (paper.id > 0) requireOwn(voucherId, paper.id);
        paper.kaynak = kind_.voucherKaynak;
        paper.fRef = voucherId;
        return firms_->save(paper);
    });
}

qint64 VoucherPosting::saveLine(qint64 voucherId, CustomerPaper paper)
{
    return saveLines(voucherId, {std::move(paper)}).front();
}

std::vector<qint64> VoucherPosting::saveLines(qint64 voucherId, std::vector<CustomerPaper> lines)
{
    return CommandTransaction::run(company_.connection(), [&] {
        if (kind_.firm)
            throw AppError(QStringLiteral("%1 müşteri portföyü değil.").arg(kind_.table));
        // Held until the command ends, so that its lines and surcharge change one at a time.
        const qint64 customer = voucherCustomer(voucherId);
        std::vector<qint64> ids;
        for (CustomerPaper& paper : lines) {
            if (paper.id > 0) requireOwn(voucherId, paper.id);
            paper.customerId = customer;
            paper.kaynak = kind_.voucherKaynak;
            paper.fRef = voucherId;
            ids.push_back(papers_->save(paper));
        }
        // The surcharge once, over all of them.
        hold(voucherId);
        changeOrCancel(*vouchers_, [&] { settle(); });
        return ids;
    });
}

std::vector<qint64> VoucherPosting::saveSeries(qint64 voucherId, CustomerPaper paper, int count,
                                               int days)
{
    if (count < 1)
        throw AppError(QStringLiteral("Senet adedi en az 1 olmalı"),
                       QStringLiteral("Senet kontrol"));
    if (days < 1)
        throw AppError(QStringLiteral("Vade süresi en az 1 gün olmalı"),
                       QStringLiteral("Senet kontrol"));
    std::vector<CustomerPaper> notes;
    for (int i = 1; i <= count; ++i) {
        CustomerPaper one = paper;
        one.id = 0;
        one.vadesi = NextDue(paper.girTarihi, days, i);
        notes.push_back(one);
    }
    return saveLines(voucherId, std::move(notes));
}

void VoucherPosting::removeLine(qint64 voucherId, qint64 paperId)
{
    CommandTransaction::run(company_.connection(), [&] {
        voucherCustomer(voucherId);
        requireOwn(voucherId, paperId);
        if (kind_.firm)
            firms_->remove(paperId, kind_.voucherKaynak);
        else
            papers_->remove(paperId, kind_.voucherKaynak);
        hold(voucherId);
        changeOrCancel(*vouchers_, [&] { settle(); });
    });
}

void VoucherPosting::removeVoucher(qint64 voucherId)
{
    CommandTransaction::run(company_.connection(), [&] {
        hold(voucherId);
        Table& v = *vouchers_;
        changeOrCancel(v, [&] {
            if (!kind_.firm) customers_->remove(v[QStringLiteral("CAHRef")].asInt64());
            for (const SqlRow& row : company_.connection().select(
                     QStringLiteral("SELECT \"Nosu\" FROM \"%1\" WHERE coalesce(\"FRef\",0) = ?")
                         .arg(kind_.table),
                     {voucherId})) {
                if (kind_.firm)
                    firms_->remove(row[0].toLongLong());
                else
                    papers_->remove(row[0].toLongLong());
            }
            v.cancel();
        });
        v.removeId(voucherId);
    });
}
