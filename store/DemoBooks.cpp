#include "store/DemoBooks.h"

#include "store/CommandTransaction.h"
#include "store/CompanyData.h"

#include <QDate>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <tuple>

namespace {

const QStringList kFirstNames = {"Ahmet",  "Mehmet", "Ayşe",    "Fatma",  "Mustafa",
                                 "Zeynep", "Emine",  "Hüseyin", "Çağla",  "Şükrü",
                                 "İsmail", "Gülşen", "Ömer",    "Özlem",  "Ilgın",
                                 "Barış",  "Tuğba",  "Yusuf",   "Hatice", "Kemal"};
const QStringList kSurnames = {"Yılmaz",   "Kaya",   "Demir", "Şahin",   "Çelik",  "Yıldız",
                               "Yıldırım", "Öztürk", "Aydın", "Özdemir", "Arslan", "Doğan",
                               "Kılıç",    "Aslan",  "Çetin", "Kara",    "Koç",    "Kurt",
                               "Özkan",    "Şimşek", "Işık",  "İnce"};
const QStringList kTrades = {"Ticaret Ltd. Şti.", "Gıda San. Tic. A.Ş.", "Yapı Market",
                             "Hırdavat",          "Tekstil Ltd. Şti.",   "Elektrik",
                             "Mobilya",           "Kırtasiye",           "Otomotiv",
                             "Tarım Ürünleri"};
const QStringList kCities = {"İstanbul",   "Ankara",    "İzmir",   "Bursa",
                             "Eskişehir",  "Çanakkale", "Muğla",   "Şanlıurfa",
                             "Diyarbakır", "Trabzon",   "Isparta", "Ağrı"};
const QStringList kBanks = {"Ziraat Bankası", "Halk Bankası", "Vakıflar Bankası",
                            "İş Bankası",     "Yapı Kredi",   "Garanti Bankası"};
const QStringList kProducts = {"Çelik vida", "Somun",   "Pul",        "Kablo",       "Priz",
                               "Şalter",     "Boya",    "Fırça",      "Zımpara",     "Çivi",
                               "Menteşe",    "Kilit",   "Ampul",      "Duy",         "Silikon",
                               "Bant",       "Eldiven", "Matkap ucu", "Şerit metre", "Su terazisi"};
const QStringList kSizes = {"M4",   "M6",     "M8",    "M10",   "2,5 mm", "4 mm",
                            "1 lt", "2,5 lt", "10 cm", "Büyük", "Küçük"};
const QStringList kUnits = {"Adet", "Kg", "Mt", "Lt", "Paket"};
const double kVatRates[] = {1, 8, 18};

class Demo {
public:
    Demo(CompanyData& company, const std::function<void(const QString&)>& progress)
        : company_(company)
        , progress_(progress)
        , rng_(20261209)
    {
    }

    const QString& pick(const QStringList& list)
    {
        return list[int(rng_.bounded(int(list.size())))];
    }
    int between(int low, int high) { return low + int(rng_.bounded(high - low + 1)); }
    QDate dateInYear() { return QDate(QDate::currentDate().year(), 1, 1).addDays(between(0, 364)); }

    // Writes `count` records, a transaction per batch, reporting progress on big runs.
    void batches(const QString& what, int count, const std::function<void(int)>& write)
    {
        constexpr int kBatch = 20000;
        for (int done = 0; done < count;) {
            CommandTransaction transaction(company_.connection());
            const int end = std::min(count, done + kBatch);
            for (; done < end; ++done)
                write(done);
            transaction.commit();
            if (count > kBatch)
                progress_(QStringLiteral("%1: %2 / %3").arg(what).arg(done).arg(count));
        }
    }

    void customers(const DemoSize& size)
    {
        Table& cari = company_.table("Cari");
        const int total = size.customers + size.suppliers + size.banks;
        batches(QStringLiteral("Cari kartlar"), total, [&](int i) {
            const int kind = i < size.customers ? 0 : i < size.customers + size.suppliers ? 1 : 3;
            const QString person = pick(kFirstNames) + QLatin1Char(' ') + pick(kSurnames);
            const QString title = kind == 3 ? pick(kBanks) + QStringLiteral(" ") + pick(kCities) +
                                                  QStringLiteral(" Şubesi")
                                            : pick(kSurnames) + QLatin1Char(' ') + pick(kTrades);
            const QString city = pick(kCities);
            cari.append();
            cari["CariNo"] = QStringLiteral("%1%2")
                                 .arg(kind == 0   ? "M"
                                      : kind == 1 ? "S"
                                                  : "B")
                                 .arg(i + 1, 6, 10, QLatin1Char('0'));
            cari["Unvani"] = title;
            cari["Yetkili"] = person;
            cari["IsAdres1"] =
                QStringLiteral("%1 Cad. No: %2").arg(pick(kSurnames)).arg(between(1, 200));
            cari["IsAdres2"] = QStringLiteral("%1 / %2").arg(pick(kCities), city);
            cari["IsTel"] = QStringLiteral("0%1 %2 %3")
                                .arg(between(212, 488))
                                .arg(between(200, 999))
                                .arg(between(1000, 9999));
            cari["Vd"] = city;
            cari["VdNo"] =
                QString::number(between(1000000, 9999999)) + QString::number(between(100, 999));
            cari["Il"] = city;
            cari["CariDurum"] = kind;
            cari["Iskonto"] = kind == 0 ? between(0, 3) * 5 : 0;
            cari["KrediLimiti"] = kind == 0 ? between(1, 20) * 5000 : 0;
            cari.post();
            customerIds_.push_back({cari.currentId(), cari["CariNo"].asString(), title});
        });
    }

    void stockCards(const DemoSize& size)
    {
        Table& stok = company_.table("Stok");
        batches(QStringLiteral("Stok kartları"), size.stockCards, [&](int i) {
            const double price = company_.RoundMoney(between(100, 500000) / 100.0);
            stok.append();
            stok["Kodu"] = QStringLiteral("STK%1").arg(i + 1, 6, 10, QLatin1Char('0'));
            stok["Cinsi"] = pick(kProducts) + QLatin1Char(' ') + pick(kSizes);
            stok["Birim"] = pick(kUnits);
            stok["Fiyat1"] = price;
            stok["Fiyat2"] = company_.RoundMoney(price * 1.1);
            stok["Fiyat3"] = company_.RoundMoney(price * 1.2);
            stok["Kritik"] = between(0, 20);
            stok["Katalog"] = 1; // as new cards: not in the catalogue
            stok["Normal"] = kVatRates[rng_.bounded(3)];
            // Every card carries its maker's barcode, some a second and a third of other sizes.
            for (int b = 1; b <= 3; ++b)
                if (b == 1 || i % (b + 1) == 0)
                    stok[QStringLiteral("Barkod_%1").arg(b)] = QStringLiteral("869%1").arg(
                        qint64(between(100000000, 999999999)) * 10 + i % 10);
            stok.post();
            stockIds_.push_back(
                {stok.currentId(), stok["Kodu"].asString(), stok["Cinsi"].asString()});
        });
        // Goods weighed at the counter: their scale labels begin with these codes.
        for (const auto& [code, name, price] :
             {std::tuple{"27", "Beyaz peynir", 180.0}, std::tuple{"28", "Siyah zeytin", 140.0}}) {
            stok.append();
            stok["Kodu"] = QString::fromUtf8(code);
            stok["Cinsi"] = QString::fromUtf8(name);
            stok["Birim"] = QStringLiteral("Kg");
            stok["Fiyat1"] = price;
            stok["Normal"] = 1.0;
            stok["Katalog"] = 1;
            stok.post();
            stockIds_.push_back({stok.currentId(), stok["Kodu"].asString(), name});
        }
    }

    void stockMovements(const DemoSize& size)
    {
        Table& har = company_.table("StHar");
        batches(QStringLiteral("Stok hareketleri"), size.stockMovements, [&](int i) {
            const Card& card = stockIds_[size_t(rng_.bounded(int(stockIds_.size())))];
            // One movement in three is a purchase, in larger lots than the sales, so the cards
            // mostly hold stock as a shop's would.
            const bool entry = i % 3 == 0;
            const double quantity = entry ? between(10, 110) : between(1, 40);
            const double price = company_.RoundMoney(between(100, 50000) / 100.0);
            har.append();
            har["Tarih"] = dateInYear();
            har["BelgeNo"] = QString::number(100000 + i);
            har["Aciklama"] = entry ? QStringLiteral("Alış") : QStringLiteral("Satış");
            har[entry ? "GMiktari" : "CMiktari"] = quantity;
            har[entry ? "GFiyati" : "CFiyati"] = price;
            har[entry ? "GTutari" : "CTutari"] = company_.RoundMoney(quantity * price);
            har["Kaynak"] = QStringLiteral("ST");
            har["STRef"] = card.id;
            har["Kodu"] = card.code;
            har["Cinsi"] = card.name;
            har.post();
        });
    }

    void customerMovements(const DemoSize& size)
    {
        Table& har = company_.table("CarHar");
        batches(QStringLiteral("Cari hareketler"), size.customerMovements, [&](int i) {
            const Card& card = customerIds_[size_t(rng_.bounded(int(customerIds_.size())))];
            const double amount = company_.RoundMoney(between(1000, 2000000) / 100.0);
            const bool debit = i % 2 == 0;
            har.append();
            har["Tarih"] = dateInYear();
            har["BelgeNo"] = QString::number(500000 + i);
            har["Aciklama"] = debit ? QStringLiteral("Satış faturası") : QStringLiteral("Tahsilat");
            har["Borc"] = debit ? amount : 0.0;
            har["Alacak"] = debit ? 0.0 : amount;
            har["Kaynak"] = QStringLiteral("CA");
            har["CARef"] = card.id;
            har["CariNo"] = card.code;
            har["Unvani"] = card.name;
            har.post();
        });
    }

    void cash(const DemoSize& size)
    {
        Table& kasa = company_.table("Kasa");
        batches(QStringLiteral("Kasa"), size.cashRecords, [&](int i) {
            const double amount = company_.RoundMoney(between(1000, 500000) / 100.0);
            const bool in = i % 3 != 0;
            kasa.append();
            kasa["Tarih"] = dateInYear();
            kasa["BelgeNo"] = QStringLiteral("K%1").arg(i + 1);
            kasa["Aciklama"] =
                in ? QStringLiteral("Peşin satış") : QStringLiteral("Kırtasiye gideri");
            kasa["Giren"] = in ? amount : 0.0;
            kasa["Cikan"] = in ? 0.0 : amount;
            kasa["Kaynak"] = QStringLiteral("KA");
            kasa.post();
        });
    }

private:
    struct Card {
        qint64 id;
        QString code;
        QString name;
    };
    CompanyData& company_;
    std::function<void(const QString&)> progress_;
    QRandomGenerator rng_;
    std::vector<Card> customerIds_;
    std::vector<Card> stockIds_;
};

} // namespace

DemoSize DemoSize::small()
{
    return {12, 6, 2, 30, 120, 60, 20};
}
DemoSize DemoSize::large()
{
    return {45000, 4000, 1000, 20000, 1000000, 300000, 10000};
}

void fillDemoBooks(CompanyData& company, const DemoSize& size,
                   const std::function<void(const QString&)>& progress)
{
    Demo demo(company, progress);
    demo.customers(size);
    demo.stockCards(size);
    demo.stockMovements(size);
    demo.customerMovements(size);
    demo.cash(size);
    Connection& db = company.connection();
    for (const QString& table : db.tableNames())
        db.refreshStatistics(table);
}
