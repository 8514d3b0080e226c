#include "store/PeriodTransfer.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyBuild.h"
#include "store/CompanyData.h"
#include "store/GlobalData.h"
#include "store/Installation.h"
#include "store/MoneyFormat.h"
#include "store/MoneySum.h"
#include "store/StockTotals.h"
#include "store/Table.h"

#include <QSqlQuery>
#include <unordered_map>

namespace PeriodTransfer {

namespace {

const QString kDevir = QStringLiteral("DEVİR");
constexpr int kBatch = 500; // cards written at a time
constexpr qint64 kMillion = 1000000;

// One card read from the open company: its key and its fields in the old table's order.
struct OldCard {
    qint64 id = 0;
    QVariantList values;
};

class Copier {
public:
    Copier(CompanyData& from, Connection& to, const Options& options, const Progress& progress,
           Result& result)
        : from_(from)
        , to_(to)
        , options_(options)
        , progress_(progress)
        , result_(result)
    {
    }

    void customers();
    void stock();

private:
    // An amount in units carried as money: divided when six zeros go, two decimals, halves to
    // even.
    double money(qint64 units) const
    {
        const qint64 cents =
            StockTotals::divideRounded(units, (options_.dropSixZeros ? kMillion : 1) * 100);
        return double(cents) / 100.0;
    }
    // A card's limit or price: as it is, or divided and rounded when six zeros go.
    QVariant cardAmount(const QVariant& value) const
    {
        if (!options_.dropSixZeros || value.isNull()) return value;
        return roundMoney(value.toDouble() / double(kMillion), true);
    }
    // Walks the old table in `index` order, `kBatch` cards at a time.
    void walk(const QString& table, const QString& index, Step step,
              const std::function<void(Table& old, std::vector<OldCard>& batch)>& write);
    // The card balances of the open company by its card key, in units: debit − credit.
    std::unordered_map<qint64, qint64> customerBalances();
    // What stays of each stock card, by its key: quantity (negative: more out than in) and, when
    // positive, its value by the chosen valuation.
    struct Stock {
        qint64 quantity = 0, value = 0;
    };
    std::unordered_map<qint64, Stock> stockOnHand();

    CompanyData& from_;
    Connection& to_;
    const Options& options_;
    const Progress& progress_;
    Result& result_;
};

void Copier::walk(const QString& tableName, const QString& index, Step step,
                  const std::function<void(Table&, std::vector<OldCard>&)>& write)
{
    Table old(from_.connection(), tableName);
    old.setIndexName(index);
    old.open();
    const qint64 total = old.recordCount();
    qint64 done = 0;
    if (progress_) progress_(step, 0, total);
    std::vector<OldCard> batch;
    for (old.first(); !old.eof(); old.next()) {
        OldCard card{old.currentId(), {}};
        card.values.reserve(old.fieldCount());
        for (int i = 0; i < old.fieldCount(); ++i)
            card.values << old.value(i);
        batch.push_back(std::move(card));
        if (batch.size() == kBatch) {
            write(old, batch);
            done += qint64(batch.size());
            batch.clear();
            if (progress_) progress_(step, done, total);
        }
    }
    if (!batch.empty()) write(old, batch);
    if (progress_) progress_(step, total, total);
}

std::unordered_map<qint64, qint64> Copier::customerBalances()
{
    std::unordered_map<qint64, qint64> balances;
    if (!options_.balances) return balances;
    // One grouped sum in exact units: the same figure however the movements add up.
    from_.connection().each(
        QStringLiteral("SELECT coalesce(\"CARef\",0), %1, %2 FROM \"CarHar\" GROUP BY "
                       "coalesce(\"CARef\",0)")
            .arg(MoneySum::sqlSum(QStringLiteral("\"Borc\"")),
                 MoneySum::sqlSum(QStringLiteral("\"Alacak\""))),
        {}, [&](const QSqlQuery& row) {
            balances[row.value(0).toLongLong()] =
                row.value(1).toLongLong() - row.value(2).toLongLong();
        });
    return balances;
}

void Copier::customers()
{
    const std::unordered_map<qint64, qint64> balances = customerBalances();
    Table cari(to_, QStringLiteral("Cari"));
    Table har(to_, QStringLiteral("CarHar"));
    cari.open();
    har.open();
    static const QStringList empty = {QStringLiteral("Nosu"), QStringLiteral("BorcT"),
                                      QStringLiteral("AlacakT"), QStringLiteral("BakiyeT")};
    walk(QStringLiteral("Cari"), QStringLiteral("Cari_1"), Step::Customers,
         [&](Table& old, std::vector<OldCard>& batch) {
             std::vector<std::pair<int, int>> fields; // new index, old index
             for (int i = 0; i < cari.fieldCount(); ++i) {
                 const QString& name = cari.def().fields[size_t(i)].name;
                 const int at = old.fieldIndex(name);
                 if (at >= 0 && !empty.contains(name)) fields.emplace_back(i, at);
             }
             const int title = cari.fieldIndex(QStringLiteral("Unvani"));
             const int contact = cari.fieldIndex(QStringLiteral("Yetkili"));
             const int credit = cari.fieldIndex(QStringLiteral("KrediLimiti"));
             const int risk = cari.fieldIndex(QStringLiteral("RiskLimiti"));
             std::vector<QString> titles(batch.size());
             const std::vector<qint64> keys = cari.appendAll(int(batch.size()), [&](int n) {
                 for (const auto& [to, at] : fields) {
                     QVariant value = batch[size_t(n)].values[at];
                     if ((to == title || to == contact) && value.toString().isEmpty())
                         value = QStringLiteral(" ");
                     else if (to == credit || to == risk)
                         value = cardAmount(value);
                     cari.setValue(to, value);
                 }
                 titles[size_t(n)] = cari.value(title).toString();
             });
             result_.customers += qint64(keys.size());
             std::vector<int> owing; // the cards of the batch with a balance to carry
             for (size_t n = 0; n < batch.size(); ++n) {
                 const auto it = balances.find(batch[n].id);
                 if (it != balances.end() && money(it->second) != 0) owing.push_back(int(n));
             }
             const int code = old.fieldIndex(QStringLiteral("CariNo"));
             result_.customerMovements += qint64(
                 har.appendAll(
                        int(owing.size()),
                        [&](int i) {
                            const size_t n = size_t(owing[size_t(i)]);
                            const double amount = money(balances.at(batch[n].id));
                            har[QStringLiteral("Tarih")] = options_.date;
                            har[QStringLiteral("Aciklama")] = kDevir;
                            har[QStringLiteral("Kaynak")] = QStringLiteral("CA");
                            har[QStringLiteral("CARef")] = keys[n];
                            har[QStringLiteral("CariNo")] = batch[n].values[code];
                            har[QStringLiteral("Unvani")] = titles[n];
                            har[amount > 0 ? QStringLiteral("Borc") : QStringLiteral("Alacak")] =
                                amount > 0 ? amount : -amount;
                        })
                     .size());
         });
}

std::unordered_map<qint64, Copier::Stock> Copier::stockOnHand()
{
    using namespace StockTotals;
    std::unordered_map<qint64, Stock> onHand;
    if (!options_.balances) return onHand;
    std::vector<Movement> movements;
    qint64 card = -1;
    const auto close = [&] {
        if (movements.empty()) return;
        const Totals t = compute(movements);
        movements.clear();
        if (t.tm == 0) return;
        const qint64 value = options_.valuation == Valuation::Fifo   ? t.fifo
                             : options_.valuation == Valuation::Lifo ? t.lifo
                                                                     : t.ort;
        onHand[card] = {t.tm, t.tm > 0 ? value : 0};
    };
    // One pass over the movements in card and date order (the order the cards' totals are
    // made in), one card's movements in memory at a time.
    from_.connection().each(
        QStringLiteral("SELECT coalesce(\"STRef\",0), \"GMiktari\", \"GFiyati\", \"GTutari\", "
                       "\"CMiktari\", \"CTutari\" FROM \"StHar\" ORDER BY coalesce(\"STRef\",0), "
                       "coalesce(\"Tarih\",''), \"Nosu\""),
        {}, [&](const QSqlQuery& row) {
            const qint64 id = row.value(0).toLongLong();
            if (id != card) {
                close();
                card = id;
            }
            movements.push_back({units(row.value(1).toDouble()), units(row.value(2).toDouble()),
                                 units(row.value(3).toDouble()), units(row.value(4).toDouble()),
                                 units(row.value(5).toDouble())});
        });
    close();
    return onHand;
}

void Copier::stock()
{
    const std::unordered_map<qint64, Stock> onHand = stockOnHand();
    Table stok(to_, QStringLiteral("Stok"));
    Table har(to_, QStringLiteral("StHar"));
    stok.open();
    har.open();
    static const QStringList carried = {
        QStringLiteral("Kodu"),       QStringLiteral("Cinsi"),    QStringLiteral("Birim"),
        QStringLiteral("Birim2"),     QStringLiteral("Birim2_O"), QStringLiteral("MlzKodu"),
        QStringLiteral("StokRes"),    QStringLiteral("Katalog"),  QStringLiteral("MlzPlan"),
        QStringLiteral("Fiyat1"),     QStringLiteral("Fiyat2"),   QStringLiteral("Fiyat3"),
        QStringLiteral("Kritik"),     QStringLiteral("Normal"),   QStringLiteral("PakAdedi"),
        QStringLiteral("PakAgirlik"), QStringLiteral("PakHacmi"), QStringLiteral("Aciklama"),
        QStringLiteral("Barkod_1"),   QStringLiteral("Barkod_2"), QStringLiteral("Barkod_3"),
        QStringLiteral("OzelKod1"),   QStringLiteral("OzelKod2"), QStringLiteral("OzelKod3")};
    walk(QStringLiteral("Stok"), QStringLiteral("Stok_1"), Step::Stock,
         [&](Table& old, std::vector<OldCard>& batch) {
             std::vector<std::tuple<int, int, bool>> fields; // new index, old index, a price
             for (const QString& name : carried)
                 fields.emplace_back(stok.fieldIndex(name), old.fieldIndex(name),
                                     name.startsWith(QLatin1String("Fiyat")));
             const std::vector<qint64> keys = stok.appendAll(int(batch.size()), [&](int n) {
                 for (const auto& [to, at, price] : fields) {
                     const QVariant& value = batch[size_t(n)].values[at];
                     stok.setValue(to, price ? cardAmount(value) : value);
                 }
             });
             result_.stockCards += qint64(keys.size());
             std::vector<int> held;
             for (size_t n = 0; n < batch.size(); ++n)
                 if (onHand.count(batch[n].id)) held.push_back(int(n));
             result_.stockMovements +=
                 qint64(har.appendAll(int(held.size()),
                                      [&](int i) {
                                          const size_t n = size_t(held[size_t(i)]);
                                          const Stock& s = onHand.at(batch[n].id);
                                          har[QStringLiteral("Tarih")] = options_.date;
                                          har[QStringLiteral("Aciklama")] = kDevir;
                                          har[QStringLiteral("Kaynak")] = QStringLiteral("ST");
                                          har[QStringLiteral("STRef")] = keys[n];
                                          if (s.quantity < 0) {
                                              har[QStringLiteral("CMiktari")] =
                                                  StockTotals::toDouble(-s.quantity);
                                              return;
                                          }
                                          har[QStringLiteral("GMiktari")] =
                                              StockTotals::toDouble(s.quantity);
                                          har[QStringLiteral("GTutari")] = money(s.value);
                                          har[QStringLiteral("GFiyati")] =
                                              money(StockTotals::ratio(s.value, s.quantity));
                                      })
                            .size());
         });
}

// The new company's Sirket record: every module on, no year.
void writeCompanyRecord(GlobalData& global, const QString& code, const QString& title,
                        const QString& directory)
{
    Table sirket(global.connection(), QStringLiteral("Sirket"));
    sirket.open();
    CommandTransaction::run(global.connection(), [&] {
        sirket.append();
        try {
            sirket[QStringLiteral("SKodu")] = code;
            sirket[QStringLiteral("Aciklama")] = title;
            sirket[QStringLiteral("Kutuk")] = directory;
            for (const char* flag : {"STOK", "CARI", "FATURA", "CEKSENET", "SIPARIS", "TAKSITLI",
                                     "URETIM", "KATALOG", "Liste", "KASA", "NAKLIYE"})
                sirket[QLatin1String(flag)] = QStringLiteral("E");
            sirket.post();
        } catch (...) {
            sirket.cancel();
            throw;
        }
    });
}

} // namespace

CodeCheck checkCode(CompanyData& from, GlobalData& global, const QString& code)
{
    clearUnfinishedCompany(from.connection().session(), global, from.install(), code);
    const QString change = QStringLiteral("Şirket kodunu değiştiriniz !!");
    switch (newCompanyCodeProblem(global, from.install(), code)) {
    case NewCodeProblem::None:
        return {};
    case NewCodeProblem::Empty:
    case NewCodeProblem::Taken:
        return {CodeProblem::Taken, QStringLiteral("Şirket kodu daha önce verilmiş"),
                QStringLiteral("kontrol edip tekrar deneyiniz")};
    case NewCodeProblem::Unusable:
        return {CodeProblem::Directory,
                QStringLiteral("Şirket kodu en çok 8 harf ve rakamdan oluşmalı."), change};
    case NewCodeProblem::Directory:
        return {CodeProblem::Directory,
                QStringLiteral("Şirket kodunda önceden kayıt edilmiş dizin var"), change};
    case NewCodeProblem::ServerTables:
        return {CodeProblem::Directory, QStringLiteral("Sunucuda bu şirket koduyla tablolar var."),
                change};
    }
    return {};
}

Result run(CompanyData& from, GlobalData& global, const QString& activeTitle,
           const Options& options, const Progress& progress)
{
    StoreSession& session = from.connection().session();
    const QString code = options.code.trimmed();
    clearUnfinishedCompany(session, global, from.install(), code);
    checkNewCompanyCode(global, from.install(), code);
    if (!options.date.isValid()) throw AppError(QStringLiteral("Devir tarihi geçerli değil."));

    // The new record carries the open company's title as its record has it.
    QString title = activeTitle;
    {
        Table sirket(global.connection(), QStringLiteral("Sirket"));
        sirket.open();
        if (sirket.locateLast(QStringLiteral("SKodu"), from.code()))
            title = sirket[QStringLiteral("Aciklama")].asString();
    }

    Result result;
    CompanyBuild build(session, from.install(), code);
    createCompanyTables(session, build.directory());
    {
        Connection target(session, build.directory());
        CommandTransaction command(target);
        {
            Connection::ReadTransaction view(from.connection());
            Connection::MappedReads mapped(from.connection());
            Copier copier(from, target, options, progress, result);
            copier.customers();
            copier.stock();
        }
        command.commit();
    }
    options.settings.write(build.directory());
    build.place();
    if (progress) progress(Step::Company, 0, 1);
    writeCompanyRecord(global, code, title, build.directory());
    build.finish();
    if (progress) progress(Step::Company, 1, 1);
    result.directory = build.directory();
    return result;
}

} // namespace PeriodTransfer
