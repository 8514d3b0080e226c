#include "app/CommandTree.h"

namespace {

struct Leaf {
    int code;
    const char* caption;
    int right; // 0: the group's right is enough
};

struct Group {
    const char* caption;
    int right;
    std::vector<Leaf> leaves;
};

struct Branch {
    const char* caption;
    int image;
    const char* flag;
    std::vector<Group> groups;
};

const char* const kKartlar = "Kartlar";
const char* const kHareketler = "Hareketler";
const char* const kRaporlar = "Raporlar";

const std::vector<Branch>& branches()
{
    static const std::vector<Branch> tree = {
        {"SİPARİŞ",
         23,
         "SIPARIS",
         {{kHareketler, 2, {{7201, "Satış sipariş fişleri", 0}, {7202, "Alış sipariş fişleri", 0}}},
          {kRaporlar,
           3,
           {{7301, "Sipariş fişleri listesi", 0},
            {7302, "Sipariş fiziki envanter", 0},
            {7303, "Sipariş kalemleri listesi", 0}}}}},
        {"FATURA",
         0,
         "FATURA",
         {{kHareketler,
           5,
           {{1203, "Barkod satış faturası", 30},
            {1202, "Satış faturası", 29},
            {1201, "Alış faturası", 28}}},
          {kRaporlar, 6, {{1301, "Fatura listesi", 0}, {1302, "Dönemsel kdv listesi", 0}}}}},
        {"KREDİLİ ALIŞ-SATIŞ",
         4,
         "NAKLIYE",
         {{kHareketler, 8, {{1204, "Kredili satış fişleri", 0}, {1205, "Kredili alış fişleri", 0}}},
          {kRaporlar,
           9,
           {{1303, "Kredili satış ödeme listesi", 0}, {1304, "Kredili alış ödeme listesi", 0}}}}},
        {"CARİ",
         1,
         "CARI",
         {{kKartlar, 10, {{2101, "Cari kartlar", 0}}},
          {kHareketler, 11, {{2201, "Cari hareketler", 0}, {2202, "Cari hareket fişi", 0}}},
          {kRaporlar,
           12,
           {{2301, "Kart listesi", 0},
            {2302, "Cari durum listesi", 0},
            {2303, "Cari hareket listesi", 0},
            {2304, "Cari kart extresi", 0},
            {2305, "Cari kart etiket basımı", 0}}}}},
        {"STOK",
         2,
         "STOK",
         {{kKartlar, 13, {{3101, "Stok kartları", 0}, {3102, "Stok fiyat değişikliği", 0}}},
          {kHareketler, 14, {{3201, "Stok hareketleri", 0}, {3202, "Stok hareket fişi", 0}}},
          {kRaporlar,
           15,
           {{3301, "Kart listesi", 0},
            {3308, "Etiket basımı", 0},
            {3302, "Hareket listesi", 0},
            {3307, "Stok kart ekstresi", 0},
            {3303, "Fiziki envanter", 0},
            {3304, "Mali envanter", 0},
            {3305, "Kar analizi", 0},
            {3306, "Katalog düzenleme", 0}}}}},
        {"ÇEK SENET",
         3,
         "CEKSENET",
         {{kHareketler,
           17,
           {{4101, "Müşteri çekleri", 0},
            {4201, "Müşteri çek fişleri", 0},
            {4102, "Müşteri senetleri", 0},
            {4202, "Müşteri senet fişleri", 0},
            {4103, "Firma çekleri", 0},
            {4203, "Firma çek fişleri", 0},
            {4104, "Firma senetleri", 0},
            {4204, "Firma senet fişleri", 0}}},
          {kRaporlar,
           18,
           {{4301, "Müşteri çek listesi", 0},
            {4302, "Müşteri senet listesi", 0},
            {4303, "Firma çek listesi", 0},
            {4304, "Firma senet listesi", 0}}}}},
        {"KASA",
         24,
         "KASA",
         {{kHareketler,
           20,
           {{5201, "Tahsil fişi", 0}, {5202, "Tediye fişi", 0}, {5203, "Kasa defteri", 0}}},
          {kRaporlar, 21, {{5301, "Kasa defteri dökümü", 0}}}}},
    };
    return tree;
}

int groupImage(const char* caption)
{
    if (caption == kKartlar) return 5;
    if (caption == kHareketler) return 6;
    return 7;
}

} // namespace

std::vector<CommandNode> buildCommandTree(const ModuleFlags& flags, const AccessRights& rights)
{
    std::vector<CommandNode> tree;
    for (const Branch& branch : branches()) {
        if (flags(QLatin1String(branch.flag)) != QLatin1String("E")) continue;
        CommandNode node{QString::fromUtf8(branch.caption), -1, branch.image, {}};
        for (const Group& group : branch.groups) {
            if (!rights[size_t(group.right)]) continue;
            CommandNode groupNode{
                QString::fromUtf8(group.caption), -1, groupImage(group.caption), {}};
            for (const Leaf& leaf : group.leaves)
                if (leaf.right == 0 || rights[size_t(leaf.right)])
                    groupNode.children.push_back(
                        {QString::fromUtf8(leaf.caption), leaf.code, 9, {}});
            node.children.push_back(std::move(groupNode));
        }
        tree.push_back(std::move(node));
    }
    return tree;
}

QString commandCaption(int code)
{
    for (const Branch& branch : branches())
        for (const Group& group : branch.groups)
            for (const Leaf& leaf : group.leaves)
                if (leaf.code == code) return QString::fromUtf8(leaf.caption);
    return QString();
}
