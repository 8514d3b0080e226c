#include "invoicing/InvoicePosting.h"

#include "cash/CashLedger.h"
#include "customers/CustomerLedger.h"
#include "stock/StockLedger.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/InstallSettings.h"
#include "store/MoneySum.h"
#include "store/Table.h"

#include <QDebug>
#include <QScopeGuard>
#include <algorithm>
#include <cmath>

namespace {

const QString kLineFields = QStringLiteral(
    "\"Nosu\", \"Kodu\", \"Cinsi\", \"Birim\", \"STRef\", \"STHRef\", \"Miktari\", \"BirimF\", "
    "\"Tutari\", \"IskOran\", \"IskTutar\", \"AraTop\", \"KdvOran\", \"KdvTutar\", \"TopTutar\", "
    "\"SIRef\", \"SIPRef\"");

InvoiceLine lineOf(const SqlRow& r)
{
    InvoiceLine l;
    l.id = r[0].toLongLong();
    l.kodu = r[1].toString();
    l.cinsi = r[2].toString();
    l.birim = r[3].toString();
    l.stockId = r[4].toLongLong();
    l.stHRef = r[5].toLongLong();
    l.miktari = r[6].toDouble();
    l.birimF = r[7].toDouble();
    l.tutari = r[8].toDouble();
    l.iskOran = r[9].toDouble();
    l.iskTutar = r[10].toDouble();
    l.araTop = r[11].toDouble();
    l.kdvOran = r[12].toDouble();
    l.kdvTutar = r[13].toDouble();
    l.topTutar = r[14].toDouble();
    l.siRef = r[15].toLongLong();
    l.sipRef = r[16].toLongLong();
    return l;
}

// The invoice number as documents show it: a whole number.
QString numberText(double fatNo)
{
    return QString::number(qint64(std::llround(fatNo)));
}

bool ownSource(const QString& kaynak, const QString& accepted)
{
    return kaynak.isEmpty() || kaynak == accepted;
}

QVariant link(qint64 id)
{
    return id ? QVariant(id) : QVariant();
}

const QString kCardColumns = QStringLiteral(
    "SELECT \"Nosu\", \"Kodu\", \"Cinsi\", \"Birim\", \"Normal\", \"Fiyat1\" FROM \"Stok\"");

InvoicePosting::StockCard cardOf(const SqlRow& r)
{
    return {r[0].toLongLong(), r[1].toString(), r[2].toString(),
            r[3].toString(),   r[4].toDouble(), r[5].toDouble()};
}

QVariant dateOrNull(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

} // namespace

InvoicePosting::InvoicePosting(CompanyData& company, InstallSettings& install)
    : InvoicePosting(company)
{
    install_ = &install;
}

InvoicePosting::InvoicePosting(CompanyData& company)
    : company_(company)
    , install_(nullptr)
    , invoices_(std::make_unique<Table>(company.connection(), QStringLiteral("Fatura")))
    , lines_(std::make_unique<Table>(company.connection(), QStringLiteral("FatHar")))
    , stock_(std::make_unique<StockLedger>(company))
    , customers_(std::make_unique<CustomerLedger>(company))
    , cash_(std::make_unique<CashLedger>(company))
{
    invoices_->open();
    lines_->open();
}

InvoicePosting::~InvoicePosting() = default;

// --- reading -----------------------------------------------------------------------------------

std::optional<InvoiceData> InvoicePosting::read(qint64 invoiceId)
{
    return read(invoiceId, false);
}

std::optional<InvoiceData> InvoicePosting::read(qint64 invoiceId, bool hold)
{
    Table& f = *invoices_;
    f.refresh();
    if (invoiceId <= 0 || !(hold ? f.editId(invoiceId) : f.gotoId(invoiceId))) return std::nullopt;
    const auto leave = qScopeGuard([&] { f.cancel(); });
    const auto text = [&](const char* name) { return f[QLatin1String(name)].asString(); };
    const auto number = [&](const char* name) { return f[QLatin1String(name)].asFloat(); };
    const auto id = [&](const char* name) { return f[QLatin1String(name)].asInt64(); };
    InvoiceData d;
    d.id = invoiceId;
    d.fatNo = number("FatNo");
    d.irsNo = number("IrsNo");
    d.tarih = f[QStringLiteral("Tarih")].asDate();
    d.irsTarih = f[QStringLiteral("IrsTarih")].asDate();
    d.vadesi = f[QStringLiteral("Vadesi")].asDate();
    d.aciklama = text("Aciklama");
    d.cariNo = text("CariNo");
    d.unvani = text("Unvani");
    d.adres1 = text("Adres1");
    d.adres2 = text("Adres2");
    d.adres3 = text("Adres3");
    d.vd = text("Vd");
    d.vdNo = text("VdNo");
    d.fDurumu = f[QStringLiteral("FDurumu")].asInteger();
    d.kdvDahil = f[QStringLiteral("KdvDahil")].asInteger();
    d.fatTuru = f[QStringLiteral("FatTuru")].asInteger();
    d.customerId = id("CARef");
    d.fatTop = number("FatTop");
    d.iskonto = number("Iskonto");
    d.kdv = number("Kdv");
    d.gToplam = number("GToplam");
    d.cahRef = id("CAHRef");
    d.cakRef = id("CAKRef");
    d.kRef = id("KRef");
    d.kaynak = text("Kaynak");
    d.siRef = id("SIRef");
    d.tkRef = id("TKRef");
    return d;
}

InvoiceData InvoicePosting::require(qint64 invoiceId, bool hold)
{
    std::optional<InvoiceData> invoice = read(invoiceId, hold);
    if (!invoice) throw AppError(QStringLiteral("Fatura bulunamadı (%1).").arg(invoiceId));
    return *invoice;
}

std::optional<InvoiceLine> InvoicePosting::readLine(qint64 lineId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1 FROM \"FatHar\" WHERE \"Nosu\" = ?").arg(kLineFields), {lineId});
    if (rows.empty()) return std::nullopt;
    return lineOf(rows.front());
}

std::vector<InvoiceLine> InvoicePosting::lines(qint64 invoiceId)
{
    std::vector<InvoiceLine> result;
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral("SELECT %1 FROM \"FatHar\" WHERE coalesce(\"FRef\",0) = ? "
                            "ORDER BY \"Nosu\"")
                 .arg(kLineFields),
             {invoiceId}))
        result.push_back(lineOf(row));
    return result;
}

int InvoicePosting::lineCount(qint64 invoiceId)
{
    return company_.connection()
        .scalar(QStringLiteral("SELECT count(*) FROM \"FatHar\" WHERE coalesce(\"FRef\",0) = ?"),
                {invoiceId})
        .toInt();
}

std::optional<InvoicePosting::StockCard> InvoicePosting::findStock(const QString& code,
                                                                   bool lastFirst)
{
    if (code.trimmed().isEmpty()) return std::nullopt;
    Table cursor(company_.connection(), QStringLiteral("Stok"));
    cursor.open();
    const bool found = lastFirst ? cursor.locateLast(QStringLiteral("Kodu"), code)
                                 : cursor.locate(QStringLiteral("Kodu"), code);
    if (!found) return std::nullopt;
    return stockCard(cursor.currentId());
}

std::optional<InvoicePosting::StockCard> InvoicePosting::stockCard(qint64 stockId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        kCardColumns + QStringLiteral(" WHERE \"Nosu\" = ?"), {stockId});
    if (rows.empty()) return std::nullopt;
    return cardOf(rows.front());
}

std::map<qint64, InvoicePosting::StockCard>
InvoicePosting::stockCards(const std::vector<InvoiceLine>& lines)
{
    std::vector<qint64> ids;
    for (const InvoiceLine& line : lines)
        ids.push_back(line.stockId);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    static const QString sql =
        kCardColumns + QStringLiteral(" WHERE \"Nosu\" IN ") + Connection::keyListMarks();
    std::map<qint64, StockCard> cards;
    for (const QVariantList& group : Connection::keyGroups(ids))
        for (const SqlRow& row : company_.connection().select(sql, group))
            cards[row[0].toLongLong()] = cardOf(row);
    return cards;
}

// --- numbering ---------------------------------------------------------------------------------

double InvoicePosting::NextInvoiceNumber(const InvoiceKind& kind, bool byNumber)
{
    // Sales: the highest number. Purchases: the last invoice in the list's order.
    const bool highest = kind.sales || byNumber;
    // A command that writes the number it takes holds the numbering until it ends.
    company_.connection().lockName(QStringLiteral("FatNo%1").arg(kind.fatTuru));
    const QString order = highest ? QStringLiteral("\"FatNo\" DESC, \"Nosu\" DESC")
                                  : QStringLiteral("coalesce(\"Tarih\",'') DESC, \"Nosu\" DESC");
    const QVariant last = company_.connection().scalar(
        QStringLiteral("SELECT \"FatNo\" FROM \"Fatura\" WHERE coalesce(\"FatTuru\",0) = ? "
                       "ORDER BY %1 LIMIT 1")
            .arg(order),
        {kind.fatTuru});
    double next = last.isNull() ? 1 : std::round(last.toDouble()) + 1;
    // The keys as they are on disk now: another workstation may have moved them.
    const InstallSettings settings(company_.install().programDir());
    const double counter = double(kind.sales ? settings.satisNo() : settings.alisNo());
    if (counter != 0 && counter > next) next = counter;
    return next;
}

// --- postings ----------------------------------------------------------------------------------

bool InvoicePosting::redate(const InvoiceData& invoice)
{
    Connection& db = company_.connection();
    const QString date = invoice.tarih.toString(Qt::ISODate);
    const QString number = numberText(invoice.fatNo);
    // Only the lines and movements that differ are written.
    const int lines =
        db.exec(QStringLiteral("UPDATE \"FatHar\" SET \"Tarih\" = ?, \"FatTuru\" = ? WHERE "
                               "coalesce(\"FRef\",0) = ? AND (coalesce(\"Tarih\",'') <> ? OR "
                               "coalesce(\"FatTuru\",-1) <> ?)"),
                {date, invoice.fatTuru, invoice.id, date, invoice.fatTuru});
    std::vector<qint64> movements;
    for (const SqlRow& row : db.select(
             QStringLiteral("SELECT s.\"Nosu\" FROM \"FatHar\" h JOIN \"StHar\" s ON s.\"Nosu\" = "
                            "h.\"STHRef\" WHERE coalesce(h.\"FRef\",0) = ? AND "
                            "(coalesce(s.\"Tarih\",'') <> ? OR coalesce(s.\"BelgeNo\",'') <> ?)"),
             {invoice.id, date, number.left(12)}))
        movements.push_back(row[0].toLongLong());
    stock_->restamp(movements, invoice.tarih, number);
    return lines > 0 || !movements.empty();
}

void InvoicePosting::removeSettlement(InvoiceData& invoice)
{
    customers_->remove(invoice.cakRef);
    const std::optional<CashRecord> record = cash_->read(invoice.kRef);
    if (record && record->kaynak == CashKaynak::FA) cash_->remove(invoice.kRef);
    invoice.cakRef = 0;
    invoice.kRef = 0;
}

bool InvoicePosting::sync(const InvoiceData& stored)
{
    InvoiceData invoice = stored;
    const InvoiceKind& kind = invoiceKind(invoice.fatTuru);
    bool wrote = redate(invoice);

    // Totals, exact over the lines; the VAT per rate when the company asks for it.
    std::vector<LineAmounts> amounts;
    for (const SqlRow& row : company_.connection().select(
             QStringLiteral("SELECT \"Tutari\", \"IskTutar\", \"KdvTutar\", \"KdvOran\" FROM "
                            "\"FatHar\" WHERE coalesce(\"FRef\",0) = ?"),
             {invoice.id})) {
        LineAmounts a;
        a.tutari = row[0].toDouble();
        a.iskTutar = row[1].toDouble();
        a.kdvTutar = row[2].toDouble();
        a.kdvOran = row[3].toDouble();
        amounts.push_back(a);
    }
    MoneySum t, d, v;
    for (const LineAmounts& a : amounts) {
        t += a.tutari;
        d += a.iskTutar;
        v += a.kdvTutar;
    }
    if (company_.settings().vatOnSubtotal()) {
        v = MoneySum();
        v += SumVatByRate(company_, amounts);
    }
    invoice.fatTop = company_.RoundMoney(t.value());
    invoice.iskonto = company_.RoundMoney(d.value());
    invoice.kdv = company_.RoundMoney(v.value());
    invoice.gToplam = company_.RoundMoney((t - d + v).value());

    const QString number = numberText(invoice.fatNo);
    bool changed = false;
    CustomerMovement m;
    m.tarih = invoice.tarih;
    m.vadesi = invoice.vadesi.isValid() ? invoice.vadesi : invoice.tarih;
    m.belgeNo = number + kind.movementSuffix;
    m.aciklama = invoice.aciklama;
    (kind.sales ? m.borc : m.alacak) = invoice.gToplam;
    m.kaynak = Kaynak::FA;
    m.customerId = invoice.customerId;
    invoice.cahRef = customers_->rewrite(invoice.cahRef, m, &changed);
    wrote = wrote || changed;

    if (invoice.fDurumu == 1) {
        CustomerMovement s;
        s.tarih = invoice.tarih;
        s.vadesi = invoice.tarih;
        s.belgeNo = number;
        s.aciklama = kind.settleText;
        (kind.sales ? s.alacak : s.borc) = invoice.gToplam;
        s.kaynak = Kaynak::FA;
        s.customerId = invoice.customerId;
        invoice.cakRef = customers_->rewrite(invoice.cakRef, s, &changed);
        wrote = wrote || changed;

        CashRecord r;
        r.tarih = invoice.tarih;
        r.belgeNo = number + kind.cashSuffix;
        r.aciklama = invoice.unvani;
        (kind.sales ? r.giren : r.cikan) = invoice.gToplam;
        r.kaynak = CashKaynak::FA;
        // A link that points at another program's record is not ours to rewrite.
        const std::optional<CashRecord> record = cash_->read(invoice.kRef);
        invoice.kRef = cash_->rewrite(record && record->kaynak == CashKaynak::FA ? invoice.kRef : 0,
                                      r, &changed);
        wrote = wrote || changed;
    } else if (invoice.cakRef || invoice.kRef) {
        removeSettlement(invoice);
        wrote = true;
    }

    // The header keeps its totals and links in the same command.
    Table& f = *invoices_;
    if (!f.editId(invoice.id)) throw AppError(QStringLiteral("Fatura bulunamadı."));
    changeOrCancel(f, [&] {
        f[QStringLiteral("FatTop")] = invoice.fatTop;
        f[QStringLiteral("Iskonto")] = invoice.iskonto;
        f[QStringLiteral("Kdv")] = invoice.kdv;
        f[QStringLiteral("GToplam")] = invoice.gToplam;
        f[QStringLiteral("CAHRef")] = link(invoice.cahRef);
        f[QStringLiteral("CAKRef")] = link(invoice.cakRef);
        f[QStringLiteral("KRef")] = link(invoice.kRef);
        wrote = f.postIfChanged() || wrote;
    });
    return wrote;
}

void InvoicePosting::moveCounter(const InvoiceKind& kind, double fatNo)
{
    if (!install_) return;
    try {
        const qint64 next = qint64(std::llround(fatNo)) + 1;
        if (kind.sales)
            install_->setSatisNo(next);
        else
            install_->setAlisNo(next);
    } catch (const AppError& e) {
        // The invoice stands; the proposal then comes from the highest number.
        qWarning() << "Fatura sayacı yazılamadı:" << e.message();
    }
}

qint64 InvoicePosting::saveHeader(const InvoiceKind& kind, qint64 invoiceId,
                                  const InvoiceHeader& header, const InvoiceSource& source)
{
    if (!header.tarih.isValid()) throw AppError(QStringLiteral("Fatura tarihini giriniz."));
    if (!(header.fatNo > 0)) throw AppError(QStringLiteral("Fatura nosunu giriniz."));
    const QString code = header.cariNo.trimmed();
    const std::optional<CompanyData::Card> card = company_.findCard(
        QStringLiteral("Cari"), QStringLiteral("CariNo"), QStringLiteral("Unvani"), code);
    if (!card) throw AppError(QStringLiteral("Cari kart nosu bulunamadı"));
    const std::vector<SqlRow> address = company_.connection().select(
        QStringLiteral("SELECT \"IsAdres1\", \"IsAdres2\", \"IsAdres3\", \"Vd\", \"VdNo\" FROM "
                       "\"Cari\" WHERE \"Nosu\" = ?"),
        {card->id});

    return CommandTransaction::run(company_.connection(), [&] {
        std::optional<InvoiceData> before;
        if (invoiceId > 0) {
            before = require(invoiceId);
            if (!ownSource(before->kaynak, source.kaynak))
                throw AppError(QStringLiteral("Kaynak program fatura değil!!!"),
                               QStringLiteral("Düzeltme işlemi yapılamaz"));
        }
        Table& f = *invoices_;
        changeOrCancel(f, [&] {
            if (before)
                f.edit();
            else
                f.append();
            f[QStringLiteral("FatNo")] = std::round(header.fatNo);
            f[QStringLiteral("IrsNo")] = std::round(header.irsNo);
            f[QStringLiteral("FatTuru")] = kind.fatTuru;
            f[QStringLiteral("Tarih")] = header.tarih;
            f[QStringLiteral("IrsTarih")] = dateOrNull(header.irsTarih);
            f[QStringLiteral("Vadesi")] = header.vadesi.isValid() ? header.vadesi : header.tarih;
            f[QStringLiteral("Aciklama")] = header.aciklama;
            f[QStringLiteral("CariNo")] = card->code;
            f[QStringLiteral("Unvani")] = card->title;
            f[QStringLiteral("CARef")] = card->id;
            // A new invoice takes the card's business address; an old one keeps what it has.
            const bool fromCard = !before && !address.empty() && source.addressFromCard;
            const auto put = [&](const char* field, const QString& typed, int column) {
                f[QLatin1String(field)] =
                    fromCard ? address.front()[size_t(column)].toString() : typed;
            };
            put("Adres1", header.adres1, 0);
            put("Adres2", header.adres2, 1);
            put("Adres3", header.adres3, 2);
            put("Vd", header.vd, 3);
            put("VdNo", header.vdNo, 4);
            f[QStringLiteral("FDurumu")] = header.fDurumu == 1 ? 1 : 0;
            f[QStringLiteral("KdvDahil")] = header.kdvDahil == 1 ? 1 : 0;
            f[QStringLiteral("Kaynak")] = source.kaynak;
            if (source.tkRef) f[QStringLiteral("TKRef")] = source.tkRef;
            f.post();
        });
        const qint64 id = f.currentId();
        InvoiceData invoice = require(id);
        // An invoice saved as open gives up its settling movement and cash record at once.
        if (invoice.fDurumu == 0 && (invoice.cakRef || invoice.kRef)) removeSettlement(invoice);
        sync(invoice);
        if (!before) moveCounter(kind, header.fatNo);
        return id;
    });
}

void InvoicePosting::writeLine(const InvoiceData& invoice, InvoiceLine line, const StockCard* known)
{
    std::optional<StockCard> read;
    if (!known) read = stockCard(line.stockId);
    const StockCard* card = known ? known : read ? &*read : nullptr;
    if (!card) throw AppError(QStringLiteral("Stok kartı bulunamadı"));
    Table& h = *lines_;
    h.refresh();
    const bool existing = line.id > 0 && h.editId(line.id);
    changeOrCancel(h, [&] {
        if (existing && h[QStringLiteral("FRef")].asInt64() != invoice.id)
            throw AppError(QStringLiteral("Kalem bu faturanın değil."));
        const qint64 movementId = existing ? h[QStringLiteral("STHRef")].asInt64() : 0;

        const qint64 newMovement = stock_->rewrite(movementId, lineMovement(invoice, line, *card));

        if (!existing) h.append();
        fillLine(invoice, line, *card, newMovement);
        h.post();
    });
}

void InvoicePosting::fillLine(const InvoiceData& invoice, const InvoiceLine& line,
                              const StockCard& card, qint64 movementId)
{
    Table& h = *lines_;
    h[QStringLiteral("FRef")] = invoice.id;
    h[QStringLiteral("FatTuru")] = invoice.fatTuru;
    h[QStringLiteral("Tarih")] = invoice.tarih;
    h[QStringLiteral("Kodu")] = line.kodu;
    h[QStringLiteral("Cinsi")] = line.cinsi;
    h[QStringLiteral("Birim")] = line.birim;
    h[QStringLiteral("STRef")] = card.id;
    h[QStringLiteral("STHRef")] = movementId;
    h[QStringLiteral("Miktari")] = line.miktari;
    h[QStringLiteral("BirimF")] = line.birimF;
    h[QStringLiteral("Tutari")] = company_.RoundMoney(line.tutari);
    h[QStringLiteral("IskOran")] = line.iskOran;
    h[QStringLiteral("IskTutar")] = company_.RoundMoney(line.iskTutar);
    h[QStringLiteral("AraTop")] = company_.RoundMoney(line.araTop);
    h[QStringLiteral("KdvOran")] = line.kdvOran;
    h[QStringLiteral("KdvTutar")] = company_.RoundMoney(line.kdvTutar);
    h[QStringLiteral("TopTutar")] = company_.RoundMoney(line.topTutar);
    h[QStringLiteral("SIRef")] = link(line.siRef);
    h[QStringLiteral("SIPRef")] = link(line.sipRef);
}

StockMovement InvoicePosting::lineMovement(const InvoiceData& invoice, const InvoiceLine& line,
                                           const StockCard& card) const
{
    StockMovement m =
        stock_->invoiceLine(card.id, invoice.tarih, numberText(invoice.fatNo), invoice.unvani,
                            line.miktari, line.araTop, !invoiceKind(invoice.fatTuru).sales);
    m.kodu = card.kodu;
    m.cinsi = line.cinsi.isEmpty() ? card.cinsi : line.cinsi;
    return m;
}

qint64 InvoicePosting::mergeSameStockLine(const InvoiceData& invoice, qint64 lineId)
{
    const std::optional<InvoiceLine> saved = readLine(lineId);
    if (!saved) return lineId;
    const QVariant other = company_.connection().scalar(
        QStringLiteral("SELECT \"Nosu\" FROM \"FatHar\" WHERE coalesce(\"FRef\",0) = ? AND "
                       "coalesce(\"STRef\",0) = ? AND \"Nosu\" <> ? ORDER BY \"Nosu\" LIMIT 1"),
        {invoice.id, saved->stockId, lineId});
    if (other.isNull()) return lineId;
    InvoiceLine target = *readLine(other.toLongLong());
    MoneySum quantity;
    quantity += target.miktari;
    quantity += saved->miktari;
    target.miktari = quantity.value();
    // The earlier line keeps its price and rates; its amounts follow the new quantity.
    static_cast<LineAmounts&>(target) = computeLine(company_, target);
    writeLine(invoice, target);
    stock_->remove(saved->stHRef);
    lines_->removeId(lineId);
    return target.id;
}

qint64 InvoicePosting::saveLine(qint64 invoiceId, const InvoiceLine& line, bool merge)
{
    return CommandTransaction::run(company_.connection(), [&] {
        // Held, the header stays as read until the totals are written back into it.
        const InvoiceData invoice = require(invoiceId, true);
        writeLine(invoice, line);
        qint64 id = lines_->currentId();
        if (merge) id = mergeSameStockLine(invoice, id);
        sync(invoice);
        return id;
    });
}

void InvoicePosting::removeLine(qint64 invoiceId, qint64 lineId)
{
    CommandTransaction::run(company_.connection(), [&] {
        const InvoiceData invoice = require(invoiceId, true);
        Table& h = *lines_;
        h.refresh();
        if (lineId > 0 && h.gotoId(lineId) && h[QStringLiteral("FRef")].asInt64() == invoiceId) {
            stock_->remove(h[QStringLiteral("STHRef")].asInt64());
            h.removeId(lineId);
        }
        sync(invoice);
    });
}

void InvoicePosting::removeInvoice(qint64 invoiceId, const QString& kaynak)
{
    CommandTransaction::run(company_.connection(), [&] {
        InvoiceData invoice = require(invoiceId, true);
        if (!ownSource(invoice.kaynak, kaynak))
            throw AppError(QStringLiteral("Kaynak program fatura değil!!!"),
                           QStringLiteral("İptal işlemi yapılamaz"));
        for (const InvoiceLine& line : lines(invoiceId))
            stock_->remove(line.stHRef);
        company_.connection().exec(
            QStringLiteral("DELETE FROM \"FatHar\" WHERE coalesce(\"FRef\",0) = ?"), {invoiceId});
        customers_->remove(invoice.cahRef);
        removeSettlement(invoice);
        invoices_->removeId(invoiceId);
        lines_->refresh();
    });
}

bool InvoicePosting::openLines(qint64 invoiceId)
{
    return CommandTransaction::run(company_.connection(),
                                   [&] { return sync(require(invoiceId, true)); });
}

qint64 InvoicePosting::postInvoice(const InvoiceData& header, const std::vector<InvoiceLine>& lines)
{
    return CommandTransaction::run(company_.connection(), [&] {
        qint64 id = header.id;
        if (id <= 0) {
            if (!header.tarih.isValid()) throw AppError(QStringLiteral("Fatura tarihini giriniz."));
            Table& f = *invoices_;
            changeOrCancel(f, [&] {
                f.append();
                f[QStringLiteral("FatNo")] = std::round(header.fatNo);
                f[QStringLiteral("IrsNo")] = std::round(header.irsNo);
                f[QStringLiteral("FatTuru")] = header.fatTuru;
                f[QStringLiteral("Tarih")] = header.tarih;
                f[QStringLiteral("IrsTarih")] = dateOrNull(header.irsTarih);
                f[QStringLiteral("Vadesi")] =
                    header.vadesi.isValid() ? header.vadesi : header.tarih;
                f[QStringLiteral("Aciklama")] = header.aciklama;
                f[QStringLiteral("CariNo")] = header.cariNo;
                f[QStringLiteral("Unvani")] = header.unvani;
                f[QStringLiteral("Adres1")] = header.adres1;
                f[QStringLiteral("Adres2")] = header.adres2;
                f[QStringLiteral("Adres3")] = header.adres3;
                f[QStringLiteral("Vd")] = header.vd;
                f[QStringLiteral("VdNo")] = header.vdNo;
                f[QStringLiteral("CARef")] = header.customerId;
                f[QStringLiteral("FDurumu")] = header.fDurumu == 1 ? 1 : 0;
                f[QStringLiteral("KdvDahil")] = header.kdvDahil == 1 ? 1 : 0;
                f[QStringLiteral("Kaynak")] =
                    header.kaynak.isEmpty() ? FaturaKaynak::FA : header.kaynak;
                f[QStringLiteral("SIRef")] = link(header.siRef);
                f[QStringLiteral("TKRef")] = link(header.tkRef);
                f.post();
            });
            id = f.currentId();
        }
        const InvoiceData invoice = require(id, true);
        // The lines' movements, then the lines, each a few dozen to a statement.
        const std::map<qint64, StockCard> cards = stockCards(lines);
        std::vector<const StockCard*> cardOfLine;
        std::vector<StockMovement> movements;
        for (const InvoiceLine& line : lines) {
            const auto card = cards.find(line.stockId);
            if (card == cards.end()) throw AppError(QStringLiteral("Stok kartı bulunamadı"));
            cardOfLine.push_back(&card->second);
            movements.push_back(lineMovement(invoice, line, card->second));
        }
        const std::vector<qint64> movementIds = stock_->postAll(movements);
        lines_->refresh();
        lines_->appendAll(int(lines.size()), [&](int i) {
            fillLine(invoice, lines[size_t(i)], *cardOfLine[size_t(i)], movementIds[size_t(i)]);
        });
        sync(invoice);
        return id;
    });
}
