#include "cash/SlipPosting.h"

#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/MoneySum.h"
#include "store/Table.h"

SlipPosting::SlipPosting(CompanyData& company, const SlipKind& kind)
    : company_(company)
    , kind_(kind)
    , slips_(std::make_unique<Table>(company.connection(), kind.table))
    , lines_(std::make_unique<Table>(company.connection(), kind.lineTable))
    , customers_(std::make_unique<CustomerLedger>(company))
    , cash_(std::make_unique<CashLedger>(company))
{
    slips_->open();
    lines_->open();
}

SlipPosting::~SlipPosting() = default;

std::optional<SlipData> SlipPosting::read(qint64 slipId)
{
    Table& slip = *slips_;
    slip.refresh();
    if (slipId <= 0 || !slip.gotoId(slipId)) return std::nullopt;
    SlipData d;
    d.id = slipId;
    d.tarih = slip[QStringLiteral("Tarih")].asDate();
    d.aciklama = slip[QStringLiteral("Aciklama")].asString();
    d.customerId = slip[QStringLiteral("CARef")].asInt64();
    d.cariNo = slip[QStringLiteral("CariNo")].asString();
    d.unvani = slip[QStringLiteral("Unvani")].asString();
    d.movementId = slip[QStringLiteral("CAHRef")].asInt64();
    d.total = slip[QStringLiteral("TopTutar")].asFloat();
    return d;
}

std::optional<SlipLine> SlipPosting::readLine(qint64 lineId)
{
    Table& line = *lines_;
    line.refresh();
    if (lineId <= 0 || !line.gotoId(lineId)) return std::nullopt;
    return SlipLine{line[QStringLiteral("Aciklama")].asString(),
                    line[QStringLiteral("Tutar")].asFloat()};
}

SlipData SlipPosting::require(qint64 slipId)
{
    std::optional<SlipData> slip = read(slipId);
    if (!slip) throw AppError(QStringLiteral("Fiş bulunamadı (%1).").arg(slipId));
    return *slip;
}

double SlipPosting::linesTotal(qint64 slipId)
{
    const QVariant units = company_.connection().scalar(
        QStringLiteral("SELECT %1 FROM \"%2\" WHERE coalesce(\"%3\",0) = ?")
            .arg(MoneySum::sqlSum(QStringLiteral("\"Tutar\"")), kind_.lineTable, kind_.link),
        {slipId});
    return company_.RoundCash(MoneySum::fromSql(units).value());
}

bool SlipPosting::sync(const SlipData& slip)
{
    const double total = linesTotal(slip.id);
    bool wrote = false;

    // The customer movement, through the slip's link.
    CustomerMovement m;
    m.tarih = slip.tarih;
    m.vadesi = slip.tarih;
    m.belgeNo = QString::number(slip.id) + kind_.movementSuffix;
    m.aciklama = slip.aciklama;
    (kind_.collection ? m.alacak : m.borc) = total;
    m.kaynak = kind_.kaynak;
    m.customerId = slip.customerId;
    m.cashAmount = true;
    bool changed = false;
    const qint64 movementId = customers_->rewrite(slip.movementId, m, &changed);
    wrote = wrote || changed;

    // The cash record: the last one of the slip.
    CashRecord r;
    r.tarih = slip.tarih;
    r.belgeNo = QString::number(slip.id) + kind_.cashSuffix;
    r.aciklama = slip.unvani;
    (kind_.collection ? r.giren : r.cikan) = total;
    r.kaynak = kind_.kaynak;
    (kind_.collection ? r.taRef : r.teRef) = slip.id;
    const CashLedger::Slip side =
        kind_.collection ? CashLedger::Slip::Collection : CashLedger::Slip::Payment;
    cash_->rewrite(cash_->lastOfSlip(side, slip.id), r, &changed);
    wrote = wrote || changed;

    // The slip keeps its total and its movement in the same command.
    if (movementId != slip.movementId || total != slip.total) {
        Table& s = *slips_;
        if (!s.gotoId(slip.id)) throw AppError(QStringLiteral("Fiş bulunamadı."));
        changeOrCancel(s, [&] {
            s.edit();
            s[QStringLiteral("CAHRef")] = movementId;
            s[QStringLiteral("TopTutar")] = total;
            s.post();
        });
        wrote = true;
    }
    return wrote;
}

qint64 SlipPosting::saveHeader(qint64 slipId, const SlipHeader& header)
{
    if (!header.tarih.isValid()) throw AppError(QStringLiteral("Fiş tarihini giriniz."));
    const QString code = header.customerCode.trimmed();
    const std::optional<CompanyData::Card> card = company_.findCard(
        QStringLiteral("Cari"), QStringLiteral("CariNo"), QStringLiteral("Unvani"), code);
    if (!card) throw AppError(QStringLiteral("Cari kart nosu bulunamadı"));

    return CommandTransaction::run(company_.connection(), [&] {
        std::optional<SlipData> before;
        if (slipId > 0) before = require(slipId);
        Table& s = *slips_;
        changeOrCancel(s, [&] {
            if (before)
                s.edit();
            else
                s.append();
            s[QStringLiteral("Tarih")] = header.tarih;
            s[QStringLiteral("Aciklama")] = header.aciklama;
            s[QStringLiteral("CARef")] = card->id;
            s[QStringLiteral("CariNo")] = card->code;
            s[QStringLiteral("Unvani")] = header.unvani;
            if (!before) {
                s[QStringLiteral("TopTutar")] = 0.0;
                s[QStringLiteral("CAHRef")] = 0;
            }
            s.post();
        });
        const qint64 id = s.currentId();
        // A slip whose postings exist keeps them in step with its header.
        if (before && before->movementId > 0) sync(require(id));
        return id;
    });
}

qint64 SlipPosting::saveLine(qint64 slipId, qint64 lineId, const QString& aciklama, double tutar)
{
    return CommandTransaction::run(company_.connection(), [&] {
        const SlipData slip = require(slipId);
        Table& line = *lines_;
        line.refresh();
        const bool existing = lineId > 0 && line.gotoId(lineId);
        if (existing && line[kind_.link].asInt64() != slipId)
            throw AppError(QStringLiteral("Hareket bu fişin değil."));
        changeOrCancel(line, [&] {
            if (existing)
                line.edit();
            else
                line.append();
            line[kind_.link] = slipId;
            line[QStringLiteral("Aciklama")] = aciklama;
            line[QStringLiteral("Tutar")] = company_.RoundCash(tutar);
            line.post();
        });
        const qint64 id = line.currentId();
        sync(slip);
        return id;
    });
}

void SlipPosting::removeLine(qint64 slipId, qint64 lineId)
{
    CommandTransaction::run(company_.connection(), [&] {
        const SlipData slip = require(slipId);
        Table& line = *lines_;
        line.refresh();
        if (lineId > 0 && line.gotoId(lineId) && line[kind_.link].asInt64() == slipId)
            line.remove();
        sync(slip);
    });
}

void SlipPosting::removeSlip(qint64 slipId)
{
    CommandTransaction::run(company_.connection(), [&] {
        const SlipData slip = require(slipId);
        company_.connection().exec(QStringLiteral("DELETE FROM \"%1\" WHERE coalesce(\"%2\",0) = ?")
                                       .arg(kind_.lineTable, kind_.link),
                                   {slipId});
        customers_->remove(slip.movementId);
        const CashLedger::Slip side =
            kind_.collection ? CashLedger::Slip::Collection : CashLedger::Slip::Payment;
        // Every record of the slip goes with it (an older workstation's crash could have left two).
        for (qint64 record = cash_->lastOfSlip(side, slipId), removed = 0;
             record && record != removed; record = cash_->lastOfSlip(side, slipId)) {
            cash_->remove(record);
            removed = record;
        }
        Table& s = *slips_;
        if (s.gotoId(slipId)) s.remove();
        lines_->refresh();
    });
}

bool SlipPosting::openLines(qint64 slipId)
{
    return CommandTransaction::run(company_.connection(), [&] {
        const bool wrote = sync(require(slipId));
        return wrote;
    });
}
