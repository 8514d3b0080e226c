#include "orders/OrderPosting.h"

#include "invoicing/InvoicePosting.h"
#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/IniFile.h"
#include "store/InstallSettings.h"
#include "store/MoneySum.h"
#include "store/RecordWrites.h"
#include "store/StockTotals.h"
#include "store/Table.h"

#include <QDebug>
#include <cmath>

using StockTotals::units;

namespace {

const QString kSection = QStringLiteral("SIPARIS");

// "?, ?, ?" for a list of keys, bound as values.
QString placeholders(size_t count)
{
    QStringList marks;
    for (size_t i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

QVariantList values(const std::vector<qint64>& ids)
{
    QVariantList list;
    for (qint64 id : ids)
        list << id;
    return list;
}

} // namespace

OrderPosting::OrderPosting(CompanyData& company, const OrderKind& kind, InstallSettings* install)
    : company_(company)
    , kind_(kind)
    , invoices_(install ? std::make_unique<InvoicePosting>(company, *install)
                        : std::make_unique<InvoicePosting>(company))
    , orders_(std::make_unique<Table>(company.connection(), QStringLiteral("Siparis")))
    , lines_(std::make_unique<Table>(company.connection(), QStringLiteral("SipHar")))
    , fatHar_(std::make_unique<Table>(company.connection(), QStringLiteral("FatHar")))
{
    orders_->open();
    lines_->open();
    fatHar_->open();
}

OrderPosting::~OrderPosting() = default;

// --- Header -----------------------------------------------------------------------------------

double OrderPosting::nextNumber() const
{
    const IniFile ini(company_.directory() + QStringLiteral("/Resimler.ini"));
    return std::floor(std::max(0.0, ini.readFloat(kSection, kind_.counterKey, 0))) + 1;
}

qint64 OrderPosting::saveHeader(qint64 orderId, const Header& h)
{
    if (!h.tarih.isValid() || !h.terminTar.isValid())
        throw AppError(QStringLiteral("Sipariş tarihlerini giriniz."));
    std::optional<Header> before;
    if (orderId > 0 && !(before = read(orderId)))
        throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId));
    const QString code = before ? before->cariNo : h.cariNo.trimmed();
    const std::optional<CompanyData::Card> card = company_.findCard(
        QStringLiteral("Cari"), QStringLiteral("CariNo"), QStringLiteral("Unvani"), code);
    if (!card && !before) throw AppError(QStringLiteral("Cari kart nosu bulunamadı"));
    const qint64 id = CommandTransaction::run(company_.connection(), [&] {
        const auto fill = [&] {
            Table& t = *orders_;
            t[QStringLiteral("SipNo")] = h.sipNo;
            t[QStringLiteral("SipTuru")] = kind_.sipTuru;
            t[QStringLiteral("Tarih")] = h.tarih;
            t[QStringLiteral("Saat")] = QVariant(h.saat);
            t[QStringLiteral("TerminTar")] = h.terminTar;
            t[QStringLiteral("Aciklama")] = h.aciklama;
            t[QStringLiteral("OzelKod")] = h.ozelKod;
            t[QStringLiteral("Unvani")] =
                h.unvani.trimmed().isEmpty() && card ? card->title : h.unvani;
            const QString address[] = {h.adres1, h.adres2, h.adres3, h.vd, h.vdNo};
            const char* fields[] = {"Adres1", "Adres2", "Adres3", "Vd", "VdNo"};
            for (int i = 0; i < 5; ++i)
                t[QLatin1String(fields[i])] = address[i];
            if (!before) {
                t[QStringLiteral("CariNo")] = card->code;
                t[QStringLiteral("CARef")] = card->id;
                t[QStringLiteral("AcikMi")] = 0;
                t[QStringLiteral("GenTop")] = 0;
            }
        };
        return saveRecord(*orders_, before ? orderId : 0, fill);
    });
    if (!before) {
        // The counter follows the number once the order stands, and never goes down.
        IniFile ini(company_.directory() + QStringLiteral("/Resimler.ini"));
        const double stored = ini.readFloat(kSection, kind_.counterKey, 0);
        if (h.sipNo > stored)
            ini.writeString(kSection, kind_.counterKey,
                            QString::number(qint64(std::llround(h.sipNo))));
    }
    return id;
}

std::optional<OrderPosting::Header> OrderPosting::read(qint64 orderId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT coalesce(\"SipNo\",0), \"Tarih\", \"Saat\", \"TerminTar\", "
                       "\"Aciklama\", \"CariNo\", \"Unvani\", \"Adres1\", \"Adres2\", \"Adres3\", "
                       "\"Vd\", \"VdNo\", \"OzelKod\", coalesce(\"CARef\",0), "
                       "coalesce(\"AcikMi\",0), coalesce(\"Toplam\",0), coalesce(\"IskTutar\",0), "
                       "coalesce(\"Kdv\",0), coalesce(\"GenTop\",0) FROM \"Siparis\" WHERE "
                       "\"Nosu\" = ? AND coalesce(\"SipTuru\",0) = ?"),
        {orderId, kind_.sipTuru});
    if (rows.empty()) return std::nullopt;
    const SqlRow& r = rows.front();
    Header h;
    h.sipNo = r[0].toDouble();
    h.tarih = QDate::fromString(r[1].toString(), Qt::ISODate);
    h.saat = QTime::fromString(r[2].toString(), Qt::ISODate);
    h.terminTar = QDate::fromString(r[3].toString(), Qt::ISODate);
    h.aciklama = r[4].toString();
    h.cariNo = r[5].toString();
    h.unvani = r[6].toString();
    h.adres1 = r[7].toString();
    h.adres2 = r[8].toString();
    h.adres3 = r[9].toString();
    h.vd = r[10].toString();
    h.vdNo = r[11].toString();
    h.ozelKod = r[12].toString();
    h.customerId = r[13].toLongLong();
    h.acikMi = r[14].toInt();
    h.toplam = r[15].toDouble();
    h.iskTutar = r[16].toDouble();
    h.kdv = r[17].toDouble();
    h.genTop = r[18].toDouble();
    return h;
}

bool OrderPosting::sameCustomer(const std::vector<qint64>& orderIds)
{
    if (orderIds.size() < 2) return true;
    return company_.connection()
               .scalar(QStringLiteral("SELECT count(DISTINCT coalesce(\"CARef\",0)) FROM "
                                      "\"Siparis\" WHERE \"Nosu\" IN (%1)")
                           .arg(placeholders(orderIds.size())),
                       values(orderIds))
               .toLongLong() <= 1;
}

void OrderPosting::removeOrder(qint64 orderId)
{
    Connection& db = company_.connection();
    CommandTransaction::run(db, [&] {
        // A combined invoice names its first order in its header and each order in its lines.
        if (db.scalar(QStringLiteral("SELECT EXISTS (SELECT 1 FROM \"Fatura\" WHERE "
                                     "coalesce(\"SIRef\",0) = ?) OR EXISTS (SELECT 1 FROM "
                                     "\"FatHar\" WHERE coalesce(\"SIRef\",0) = ?)"),
                      {orderId, orderId})
                .toBool())
            throw AppError(QStringLiteral("İlk önce faturaları iptal ediniz"));
        if (db.scalar(QStringLiteral("SELECT count(*) FROM \"SipHar\" WHERE "
                                     "coalesce(\"SipRef\",0) = ?"),
                      {orderId})
                .toLongLong())
            throw AppError(QStringLiteral("İlk hareketleri iptal ediniz"));
        orders_->removeId(orderId);
    });
}

// --- Lines ------------------------------------------------------------------------------------

qint64 OrderPosting::saveLine(qint64 orderId, qint64 lineId, const Line& line)
{
    const std::optional<Header> order = read(orderId);
    if (!order) throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderId));
    const std::optional<InvoicePosting::StockCard> card =
        invoices_->findStock(line.kodu.trimmed(), lastCardFirst());
    if (!card) throw AppError(QStringLiteral("Stok kartı bulunamadı"));
    const std::optional<Line> before = lineId > 0 ? readLine(lineId) : std::nullopt;
    if (lineId > 0 && !before)
        throw AppError(QStringLiteral("Sipariş hareketi bulunamadı (%1).").arg(lineId));
    const LineAmounts a = computeLine(company_, line);
    const double faturalanan = before ? before->faturalanan : 0;
    const double kalan = StockTotals::toDouble(units(a.miktari) - units(faturalanan));
    return CommandTransaction::run(company_.connection(), [&] {
        const auto fill = [&] {
            Table& t = *lines_;
            t[QStringLiteral("SipRef")] = orderId;
            t[QStringLiteral("SipTuru")] = kind_.sipTuru;
            t[QStringLiteral("Tarih")] = line.tarih.isValid() ? line.tarih : order->terminTar;
            t[QStringLiteral("STRef")] = card->id;
            t[QStringLiteral("Kodu")] = card->kodu;
            t[QStringLiteral("Cinsi")] = line.cinsi.isEmpty() ? card->cinsi : line.cinsi;
            t[QStringLiteral("Birim")] = line.birim.isEmpty() ? card->birim : line.birim;
            t[QStringLiteral("Aciklama1")] = line.aciklama1;
            t[QStringLiteral("Aciklama2")] = line.aciklama2;
            t[QStringLiteral("Miktari")] = a.miktari;
            t[QStringLiteral("BirimF")] = a.birimF;
            t[QStringLiteral("Tutari")] = a.tutari;
            t[QStringLiteral("IskOran")] = a.iskOran;
            t[QStringLiteral("IskTutar")] = a.iskTutar;
            t[QStringLiteral("AraTop")] = a.araTop;
            t[QStringLiteral("KdvOran")] = a.kdvOran;
            t[QStringLiteral("KdvTutar")] = a.kdvTutar;
            t[QStringLiteral("TopTutar")] = a.topTutar;
            t[QStringLiteral("Faturalanan")] = faturalanan;
            t[QStringLiteral("Kalan")] = kalan;
            t[QStringLiteral("CARef")] = order->customerId;
            t[QStringLiteral("CariNo")] = order->cariNo;
            t[QStringLiteral("Unvani")] = order->unvani;
        };
        const qint64 id = saveRecord(*lines_, lineId, fill);
        writeTotals(orderId);
        return id;
    });
}

std::optional<OrderPosting::Line> OrderPosting::readLine(qint64 lineId)
{
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT \"Tarih\", \"Kodu\", \"Cinsi\", \"Birim\", \"Aciklama1\", "
                       "\"Aciklama2\", coalesce(\"STRef\",0), coalesce(\"Miktari\",0), "
                       "coalesce(\"BirimF\",0), coalesce(\"Tutari\",0), coalesce(\"IskOran\",0), "
                       "coalesce(\"IskTutar\",0), coalesce(\"AraTop\",0), "
                       "coalesce(\"KdvOran\",0), coalesce(\"KdvTutar\",0), "
                       "coalesce(\"TopTutar\",0), coalesce(\"Faturalanan\",0), "
                       "coalesce(\"Kalan\",0) FROM \"SipHar\" WHERE \"Nosu\" = ?"),
        {lineId});
    if (rows.empty()) return std::nullopt;
    const SqlRow& r = rows.front();
    Line l;
    l.tarih = QDate::fromString(r[0].toString(), Qt::ISODate);
    l.kodu = r[1].toString();
    l.cinsi = r[2].toString();
    l.birim = r[3].toString();
    l.aciklama1 = r[4].toString();
    l.aciklama2 = r[5].toString();
    l.stockId = r[6].toLongLong();
    l.miktari = r[7].toDouble();
    l.birimF = r[8].toDouble();
    l.tutari = r[9].toDouble();
    l.iskOran = r[10].toDouble();
    l.iskTutar = r[11].toDouble();
    l.araTop = r[12].toDouble();
    l.kdvOran = r[13].toDouble();
    l.kdvTutar = r[14].toDouble();
    l.topTutar = r[15].toDouble();
    l.faturalanan = r[16].toDouble();
    l.kalan = r[17].toDouble();
    return l;
}

void OrderPosting::removeLine(qint64 lineId)
{
    Connection& db = company_.connection();
    CommandTransaction::run(db, [&] {
        const qint64 orderId =
            db.scalar(QStringLiteral("SELECT coalesce(\"SipRef\",0) FROM \"SipHar\" WHERE "
                                     "\"Nosu\" = ?"),
                      {lineId})
                .toLongLong();
        // The invoice lines that delivered it no longer point at it.
        for (const SqlRow& row : db.select(QStringLiteral("SELECT \"Nosu\" FROM \"FatHar\" WHERE "
                                                          "coalesce(\"SIPRef\",0) = ?"),
                                           {lineId}))
            editRecord(*fatHar_, row[0].toLongLong(),
                       [&] { (*fatHar_)[QStringLiteral("SIPRef")] = QVariant(); });
        lines_->removeId(lineId);
        if (orderId) writeTotals(orderId);
    });
}

void OrderPosting::writeTotals(qint64 orderId)
{
    const Totals t = orderTotals(orderId);
    editRecord(*orders_, orderId, [&] {
        Table& o = *orders_;
        o[QStringLiteral("Toplam")] = t.tutari;
        o[QStringLiteral("IskTutar")] = t.iskonto;
        o[QStringLiteral("Kdv")] = t.kdv;
        o[QStringLiteral("GenTop")] = t.toplam;
    });
}

OrderPosting::Totals OrderPosting::orderTotals(qint64 orderId)
{
    MoneySum tutari, iskonto, kdv;
    std::vector<LineAmounts> amounts;
    for (const SqlRow& r : company_.connection().select(
             QStringLiteral("SELECT coalesce(\"Tutari\",0), coalesce(\"IskTutar\",0), "
                            "coalesce(\"AraTop\",0), coalesce(\"KdvOran\",0), "
                            "coalesce(\"KdvTutar\",0) FROM \"SipHar\" WHERE coalesce(\"SipRef\",0) "
                            "= ? AND coalesce(\"SipTuru\",0) = ?"),
             {orderId, kind_.sipTuru})) {
        tutari += r[0].toDouble();
        iskonto += r[1].toDouble();
        kdv += r[4].toDouble();
        LineAmounts a;
        a.tutari = r[0].toDouble();
        a.iskTutar = r[1].toDouble();
        a.araTop = r[2].toDouble();
        a.kdvOran = r[3].toDouble();
        a.kdvTutar = r[4].toDouble();
        amounts.push_back(a);
    }
    Totals t;
    t.tutari = company_.RoundMoney(tutari.value());
    t.iskonto = company_.RoundMoney(iskonto.value());
    t.kdv = company_.settings().vatOnSubtotal() ? SumVatByRate(company_, amounts)
                                                : company_.RoundMoney(kdv.value());
    t.toplam = company_.RoundMoney(t.tutari + t.kdv - t.iskonto);
    return t;
}

OrderPosting::Totals OrderPosting::invoiceTotals(const std::vector<qint64>& orderIds)
{
    if (orderIds.empty()) return {};
    QVariantList params = values(orderIds);
    params.prepend(kind_.fatTuru());
    const std::vector<SqlRow> rows = company_.connection().select(
        QStringLiteral("SELECT %1, %2, %3 FROM \"Fatura\" WHERE \"FatTuru\" = ? AND "
                       "coalesce(\"SIRef\",0) IN (%4)")
            .arg(MoneySum::sqlSum(QStringLiteral("\"FatTop\"")),
                 MoneySum::sqlSum(QStringLiteral("\"Iskonto\"")),
                 MoneySum::sqlSum(QStringLiteral("\"Kdv\"")), placeholders(orderIds.size())),
        params);
    Totals t;
    const MoneySum fatTop = MoneySum::fromSql(rows.front()[0]),
                   iskonto = MoneySum::fromSql(rows.front()[1]),
                   kdv = MoneySum::fromSql(rows.front()[2]);
    t.tutari = company_.RoundMoney(fatTop.value());
    t.iskonto = company_.RoundMoney(iskonto.value());
    t.kdv = company_.RoundMoney(kdv.value());
    t.toplam = company_.RoundMoney((fatTop + kdv - iskonto).value());
    return t;
}

// --- Quantities -------------------------------------------------------------------------------

bool OrderPosting::openLines(const std::vector<qint64>& orderIds)
{
    return CommandTransaction::run(company_.connection(), [&] { return quantities(orderIds); });
}

bool OrderPosting::quantities(const std::vector<qint64>& orderIds)
{
    if (orderIds.empty()) return false;
    Connection& db = company_.connection();
    struct OrderLine {
        qint64 id, stock;
        qint64 miktari, faturalanan = 0;
        double storedF, storedK;
        qint64 kalan() const { return miktari - faturalanan; }
    };
    std::vector<OrderLine> lines;
    QVariantList params = values(orderIds);
    params.prepend(kind_.sipTuru);
    for (const SqlRow& r : db.select(
             QStringLiteral("SELECT \"Nosu\", coalesce(\"STRef\",0), coalesce(\"Miktari\",0), "
                            "coalesce(\"Faturalanan\",0), coalesce(\"Kalan\",0) FROM \"SipHar\" "
                            "WHERE coalesce(\"SipTuru\",0) = ? AND coalesce(\"SipRef\",0) IN (%1) "
                            "ORDER BY coalesce(\"Tarih\",''), \"Nosu\"")
                 .arg(placeholders(orderIds.size())),
             params))
        lines.push_back({r[0].toLongLong(), r[1].toLongLong(), units(r[2].toDouble()), 0,
                         r[3].toDouble(), r[4].toDouble()});
    bool wrote = false;
    if (!lines.empty()) {
        // 1. What the invoice lines naming each order line delivered.
        std::vector<qint64> ids;
        for (const OrderLine& l : lines)
            ids.push_back(l.id);
        QHash<qint64, qint64> delivered;
        for (const SqlRow& r :
             db.select(QStringLiteral("SELECT coalesce(\"SIPRef\",0), coalesce(\"Miktari\",0) "
                                      "FROM \"FatHar\" WHERE coalesce(\"SIPRef\",0) IN (%1)")
                           .arg(placeholders(ids.size())),
                       values(ids)))
            delivered[r[0].toLongLong()] += units(r[1].toDouble());
        for (OrderLine& l : lines)
            l.faturalanan = delivered.value(l.id);
    }
    // 2. The unlinked lines of the orders' invoices, each to the first open line of its card. The
    // invoices first, then their lines by the invoice link: a join would read every invoice line
    // not linked to an order.
    params = values(orderIds);
    params.prepend(kind_.fatTuru());
    std::vector<qint64> invoiceIds;
    for (const SqlRow& r :
         db.select(QStringLiteral("SELECT \"Nosu\" FROM \"Fatura\" WHERE \"FatTuru\" = ? AND "
                                  "coalesce(\"SIRef\",0) IN (%1)")
                       .arg(placeholders(orderIds.size())),
                   params))
        invoiceIds.push_back(r[0].toLongLong());
    const std::vector<SqlRow> unlinked =
        invoiceIds.empty()
            ? std::vector<SqlRow>()
            : db.select(
                  QStringLiteral("SELECT \"Nosu\", coalesce(\"STRef\",0), "
                                 "coalesce(\"Miktari\",0) FROM \"FatHar\" WHERE "
                                 "coalesce(\"FRef\",0) IN (%1) AND coalesce(\"SIPRef\",0) < 1 "
                                 "ORDER BY \"Nosu\"")
                      .arg(placeholders(invoiceIds.size())),
                  values(invoiceIds));
    for (const SqlRow& r : unlinked) {
        for (OrderLine& l : lines) {
            if (l.stock != r[1].toLongLong() || l.kalan() <= 0) continue;
            editRecord(*fatHar_, r[0].toLongLong(),
                       [&] { (*fatHar_)[QStringLiteral("SIPRef")] = l.id; });
            l.faturalanan += units(r[2].toDouble());
            wrote = true;
            break;
        }
    }
    for (const OrderLine& l : lines) {
        const double f = StockTotals::toDouble(l.faturalanan), k = StockTotals::toDouble(l.kalan());
        if (f == l.storedF && k == l.storedK) continue;
        editRecord(*lines_, l.id, [&] {
            (*lines_)[QStringLiteral("Faturalanan")] = f;
            (*lines_)[QStringLiteral("Kalan")] = k;
        });
        wrote = true;
    }
    return wrote;
}

// --- Invoices ---------------------------------------------------------------------------------

qint64 OrderPosting::invoiceFromOrders(const std::vector<qint64>& orderIds,
                                       const InvoiceHeader& header)
{
    if (orderIds.empty()) throw AppError(QStringLiteral("Sipariş seçilmedi."));
    const std::optional<Header> order = read(orderIds.front());
    if (!order)
        throw AppError(QStringLiteral("Sipariş fişi bulunamadı (%1).").arg(orderIds.front()));
    if (!header.tarih.isValid()) throw AppError(QStringLiteral("Fatura tarihini giriniz."));
    const qint64 id = CommandTransaction::run(company_.connection(), [&] {
        quantities(orderIds);
        InvoiceData h;
        static_cast<InvoiceHeader&>(h) = header;
        h.fatTuru = kind_.fatTuru();
        h.cariNo = order->cariNo;
        h.unvani = order->unvani;
        h.adres1 = order->adres1;
        h.adres2 = order->adres2;
        h.adres3 = order->adres3;
        h.vd = order->vd;
        h.vdNo = order->vdNo;
        h.customerId = order->customerId;
        h.kaynak = QStringLiteral("SI");
        h.siRef = orderIds.front();
        h.fDurumu = 0;
        if (!h.irsTarih.isValid()) h.irsTarih = h.tarih;
        if (!h.vadesi.isValid()) h.vadesi = h.tarih;
        // One line per open order line: what is left, the discount and VAT in proportion when
        // the order gave them as amounts.
        std::vector<InvoiceLine> body;
        QVariantList params = values(orderIds);
        params.prepend(kind_.sipTuru);
        for (const SqlRow& r : company_.connection().select(
                 QStringLiteral("SELECT \"Nosu\", coalesce(\"SipRef\",0), coalesce(\"STRef\",0), "
                                "\"Kodu\", \"Cinsi\", \"Birim\", coalesce(\"BirimF\",0), "
                                "coalesce(\"Miktari\",0), coalesce(\"Kalan\",0), "
                                "coalesce(\"IskOran\",0), coalesce(\"IskTutar\",0), "
                                "coalesce(\"KdvOran\",0), coalesce(\"KdvTutar\",0) FROM \"SipHar\" "
                                "WHERE coalesce(\"SipTuru\",0) = ? AND coalesce(\"SipRef\",0) IN "
                                "(%1) ORDER BY coalesce(\"Tarih\",''), \"Nosu\"")
                     .arg(placeholders(orderIds.size())),
                 params)) {
            const double kalan = r[8].toDouble(), miktari = r[7].toDouble();
            if (units(kalan) <= 0) continue;
            InvoiceLine l;
            l.sipRef = r[0].toLongLong();
            l.siRef = r[1].toLongLong();
            l.stockId = r[2].toLongLong();
            l.kodu = r[3].toString();
            l.cinsi = r[4].toString();
            l.birim = r[5].toString();
            l.birimF = r[6].toDouble();
            l.miktari = kalan;
            l.tutari = company_.RoundMoney(l.birimF * kalan);
            l.iskOran = r[9].toDouble();
            const bool whole = units(miktari) > 0;
            l.iskTutar = l.iskOran > 0 ? company_.RoundMoney(l.iskOran * l.tutari / 100)
                         : whole && r[10].toDouble() > 0
                             ? company_.RoundMoney(kalan * r[10].toDouble() / miktari)
                             : 0;
            l.araTop = company_.RoundMoney(l.tutari - l.iskTutar);
            l.kdvOran = r[11].toDouble();
            l.kdvTutar = l.kdvOran > 0 ? company_.RoundMoney(l.kdvOran * l.araTop / 100)
                         : whole && r[12].toDouble() > 0
                             ? company_.RoundMoney(kalan * r[12].toDouble() / miktari)
                             : 0;
            l.topTutar = company_.RoundMoney(l.araTop + l.kdvTutar);
            body.push_back(l);
        }
        const qint64 invoiceId = invoices_->postInvoice(h, body);
        quantities(orderIds);
        return invoiceId;
    });
    invoices_->moveCounter(kind_.invoiceKind(), header.fatNo);
    return id;
}

void OrderPosting::saveInvoiceHeader(qint64 invoiceId, const InvoiceHeader& header)
{
    // The customer and the address stay those of the invoice (copied from the order).
    const std::optional<InvoiceData> stored = invoices_->read(invoiceId);
    if (!stored) throw AppError(QStringLiteral("Fatura bulunamadı (%1).").arg(invoiceId));
    InvoiceHeader h = header;
    h.cariNo = stored->cariNo;
    h.unvani = stored->unvani;
    h.adres1 = stored->adres1;
    h.adres2 = stored->adres2;
    h.adres3 = stored->adres3;
    h.vd = stored->vd;
    h.vdNo = stored->vdNo;
    invoices_->saveHeader(kind_.invoiceKind(), invoiceId, h,
                          InvoiceSource{QStringLiteral("SI"), 0, false});
}

void OrderPosting::removeInvoice(qint64 invoiceId, const std::vector<qint64>& orderIds)
{
    CommandTransaction::run(company_.connection(), [&] {
        invoices_->removeInvoice(invoiceId, QStringLiteral("SI"));
        quantities(orderIds);
    });
}

// --- Closing ----------------------------------------------------------------------------------

void OrderPosting::close(const std::vector<qint64>& orderIds)
{
    Connection& db = company_.connection();
    CommandTransaction::run(db, [&] {
        for (qint64 orderId : orderIds) {
            int lines = 0;
            bool open = false;
            for (const SqlRow& r : db.select(QStringLiteral("SELECT coalesce(\"Kalan\",0) FROM "
                                                            "\"SipHar\" WHERE "
                                                            "coalesce(\"SipRef\",0) = ?"),
                                             {orderId})) {
                ++lines;
                open = open || units(r[0].toDouble()) > 0;
            }
            const int acikMi = lines > 0 && !open ? 1 : 0;
            editRecord(*orders_, orderId, [&] { (*orders_)[QStringLiteral("AcikMi")] = acikMi; });
        }
    });
}
