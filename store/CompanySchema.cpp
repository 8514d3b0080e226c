#include "store/CompanySchema.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/Connection.h"

namespace {

struct TableText {
    const char* name;
    const char* fields;  // "Name:K[size][*]" separated by blanks; * marks a required field
    const char* indexes; // "Index=Field;Field" separated by blanks; all case-insensitive
};

// The company tables in the order they are created. Kinds: A auto-increment, I integer,
// F float, T text (with its size), D date, H time, M memo, P picture.
const TableText kCompanyTables[] = {
    {"Cari",
     "Nosu:A* CariNo:T10 Unvani:T50 Yetkili:T50 IsAdres1:T35 IsAdres2:T35 "
     "IsAdres3:T35 EvAdres1:T35 EvAdres2:T35 IsTel:T20 EvTel:T20 CepTel:T20 Fax:T20 "
     "Vd:T15 VdNo:T15 OzelKod1:T10 OzelKod2:T10 OzelKod3:T10 Resim:P Iskonto:F GZam:F "
     "KrediLimiti:F RiskLimiti:F Not:M Istihbarat:M BorcT:F AlacakT:F BakiyeT:F "
     "CariDurum:I Il:T15 Ilce:T15 PKod:T5 PlKod:T5 SatSor:T10",
     "Cari_1=CariNo Cari_2=Unvani Cari_3=Yetkili"},
    {"CarHar",
     "Nosu:A* Tarih:D* BelgeNo:T12 Aciklama:T50 Aciklama1:T50 BirimF:F Adet:F Borc:F "
     "Alacak:F Kaynak:T2 CARef:I* KRef:I CariNo:T10 Unvani:T35 FRef:I Vadesi:D",
     "CarHar_1=Tarih;CARef CarHar_2=CARef"},
    {"CarFis", "Nosu:A* Tarih:D* Aciklama:T25", "CarFis_1=Tarih"},
    {"Stok",
     "Nosu:A* Kodu:T25 Cinsi:T30 Birim:T5 Birim2:T5 Birim2_O:F MlzKodu:I StokRes:P "
     "Katalog:I MlzPlan:I Fiyat1:F Fiyat2:F Fiyat3:F Kritik:F Normal:F PakAdedi:F "
     "PakAgirlik:F PakHacmi:F Aciklama:M GMTop:F GTTop:F CMTop:F CTTop:F TMTop:F "
     "TTTop:F FifoTop:F LifoTop:F OrtTop:F Barkod_1:T20 Barkod_2:T20 Barkod_3:T20 "
     "OzelKod1:T5 OzelKod2:T5 OzelKod3:T5 DegTarih:D",
     "Stok_1=Kodu Stok_2=Cinsi"},
    {"StHar",
     "Nosu:A* Tarih:D* BelgeNo:T12 Aciklama:T25 GMiktari:F GFiyati:F GTutari:F "
     "CMiktari:F CFiyati:F CTutari:F Kaynak:T2 STRef:I* KRef:I Kodu:T25 Cinsi:T30 "
     "FRef:I",
     "StHar_1=Tarih StHar_2=STRef"},
    {"StFis", "Nosu:A* Tarih:D* Aciklama:T25", "StFis_1=Tarih"},
    {"Cek",
     "Nosu:A* GirTarihi:D Vadesi:D Banka:T15 Sube:T15 CekNo:T15 CekSahibi:T30 "
     "SonCiro:T30 TUTARI:F ACariNo:T10 AUnvani:T35 ACARef:I ACAHRef:I CekDurumu:I "
     "Kaynak:T2 KRef:I FRef:I CTarih:D CCariNo:T10 CUnvani:T35 CCARef:I CCAHRef:I "
     "CAciklama:T20 BTarih:D BAciklama:T20 TTarih:D TAciklama:T20 TCAHRef:I KTarih:D "
     "KAciklama:T20 KCAHRef:I ITarih:D IAciklama:T20 ICAHRef:I BARef:I BACariNo:T10 "
     "BAUnvani:T35 BAHRef:I BATRef:I BANRef:I",
     "Cek_1=Vadesi"},
    {"CekFis",
     "Nosu:A* Tarih:D* Aciklama:T20 CariNo:T10 Unvani:T35 CARef:I GZam:F Islensin:I "
     "CAHRef:I",
     "CekFis_1=Tarih"},
    {"Senet",
     "Nosu:A* GirTarihi:D Vadesi:D SenetNo:T15 SenetSahibi:T30 Adres1:T30 Adres2:T30 "
     "SonCiro:T30 TUTARI:F ACariNo:T10 AUnvani:T35 ACARef:I ACAHRef:I SenetDurumu:I "
     "Kaynak:T2 KRef:I FRef:I CTarih:D CCariNo:T10 CUnvani:T35 CCARef:I CCAHRef:I "
     "CAciklama:T20 BTarih:D BAciklama:T20 TTarih:D TAciklama:T20 TCAHRef:I KTarih:D "
     "KAciklama:T20 KCAHRef:I ITarih:D IAciklama:T20 ICAHRef:I BARef:I BACariNo:T10 "
     "BAUnvani:T35 BAHRef:I BATRef:I BANRef:I",
     "Senet_1=Vadesi"},
    {"SenFis",
     "Nosu:A* Tarih:D* Aciklama:T20 CariNo:T10 Unvani:T35 CARef:I GZam:F Islensin:I "
     "CAHRef:I",
     "SenFis_1=Tarih"},
    {"FCek",
     "Nosu:A* KTarih:D Vadesi:D CekNo:T15 TUTARI:F FCekDurumu:I KCariNo:T10 "
     "KUnvani:T35 KCARef:I KCAHRef:I Kaynak:T2 KRef:I FRef:I OTarih:D OAciklama:T20 "
     "OCAHRef:I Banka:T15 BARef:I BACariNo:T10 OBAHRef:I",
     "FCek_1=Vadesi"},
    {"FCekFis", "Nosu:A* Tarih:D* Aciklama:T20 CariNo:T10 Unvani:T35 CARef:I GZam:F",
     "FCekFis_1=Tarih"},
    {"FSenet",
     "Nosu:A* KTarih:D Vadesi:D SenetNo:T15 TUTARI:F FSenetDurumu:I KCariNo:T10 "
     "KUnvani:T35 KCARef:I KCAHRef:I Kaynak:T2 KRef:I FRef:I OTarih:D OAciklama:T20 "
     "OCAHRef:I",
     "FSenet_1=Vadesi"},
    {"FSenFis", "Nosu:A* Tarih:D* Aciklama:T20 CariNo:T10 Unvani:T35 CARef:I GZam:F",
     "FSenFis_1=Tarih"},
    {"Fatura",
     "Nosu:A* FatNo:F* IrsNo:F FatTuru:I CariNo:T10 Unvani:T35 Adres1:T35 Adres2:T35 "
     "Adres3:T35 Vd:T15 VdNo:T15 CARef:I CAHRef:I Tarih:D* IrsTarih:D FatTop:F Kdv:F "
     "GToplam:F OKod1:T5 OKod2:T5 OKod3:T5 FDurumu:I GZam:F Iskonto:F CAKRef:I "
     "GZTop:F SToplam:F Aciklama:T35 KRef:I TKRef:I Kaynak:T2 SIRef:I KdvDahil:I "
     "Vadesi:D",
     "Fatura_1=FatNo Fatura_2=Tarih"},
    {"FatHar",
     "Nosu:A* FRef:I FatTuru:I Kodu:T25 Cinsi:T30 Birim:T5 STRef:I STHRef:I Miktari:F "
     "BirimF:F Tutari:F IskOran:F IskTutar:F AraTop:F KdvOran:F KdvTutar:F TopTutar:F "
     "Tarih:D SIRef:I SIPRef:I",
     ""},
    {"Tahsil", "Nosu:A* Tarih:D Aciklama:T30 CARef:I CariNo:T10 Unvani:T30 CAHRef:I TopTutar:F",
     "Tahsil_1=Tarih"},
    {"TahHar", "Nosu:A* TARef:I Aciklama:T30 Tutar:F", ""},
    {"Tediye", "Nosu:A* Tarih:D Aciklama:T30 CARef:I CariNo:T10 Unvani:T30 CAHRef:I TopTutar:F",
     "Tediye_1=Tarih"},
    {"TedHar", "Nosu:A* TERef:I Aciklama:T30 Tutar:F", ""},
    {"Kasa",
     "Nosu:A* Tarih:D BelgeNo:T20 Aciklama:T40 Giren:F Cikan:F Kaynak:T2 KARef:I "
     "TARef:I TERef:I",
     "Kasa_1=Tarih"},
    {"Taksit",
     "Nosu:A* Tarih:D CARef:I CariNo:T10 Unvani:T35 Aciklama:T25 Adres1:T35 "
     "Adres2:T35 Adres3:T35 Vd:T15 VdNo:T15 Acikmi:I Manuel:I N:T1 K:T1 C:T1 D:T1",
     "Taksit_1=Tarih Taksit_2=Unvani"},
    {"Plan", "Nosu:A* Vadesi:D Aciklama:T25 Tutari:F FRef:I Ref:I Odeme:F Bakiye:F CARef:I",
     "Plan_1=Vadesi"},
    {"Odeme",
     "Nosu:A* Ref:I TRef:I CARef:I CAHRef:I KARef:I Tarih:D Vadesi:D Aciklama:T25 "
     "Tutari:F Tipi:I N:T1 K:T1 C:T1 D:T1",
     "Odeme_1=Tarih"},
    {"ATaksit",
     "Nosu:A* Tarih:D CARef:I CariNo:T10 Unvani:T35 Aciklama:T25 Adres1:T35 "
     "Adres2:T35 Adres3:T35 Vd:T15 VdNo:T15 Acikmi:I Manuel:I N:T1 K:T1 C:T1 D:T1",
     "Taksit_1=Tarih Taksit_2=Unvani"},
    {"APlan", "Nosu:A* Vadesi:D Aciklama:T25 Tutari:F FRef:I Ref:I Odeme:F Bakiye:F CARef:I",
     "Plan_1=Vadesi"},
    {"AOdeme",
     "Nosu:A* Ref:I TRef:I CARef:I CAHRef:I KARef:I Tarih:D Vadesi:D Aciklama:T25 "
     "Tutari:F Tipi:I N:T1 K:T1 C:T1 D:T1",
     "Odeme_1=Tarih"},
    {"Siparis",
     "Nosu:A* SipNo:F SipTuru:I CariNo:T10 Unvani:T35 Adres1:T35 Adres2:T35 "
     "Adres3:T35 Vd:T15 VdNo:T15 CARef:I Tarih:D Aciklama:T30 OzelKod:T5 Saat:H "
     "Toplam:F IskTutar:F Kdv:F GenTop:F AcikMi:I TerminTar:D KapamaTar:D",
     "Siparis_1=SipNo Siparis_2=Tarih;Saat Siparis_3=TerminTar;Tarih;Saat "
     "Siparis_4=Unvani;TerminTar"},
    {"SipHar",
     "Nosu:A* SipRef:I SipTuru:I Tarih:D BelgeNo:T12 Aciklama:T30 STRef:I Kodu:T25 "
     "Cinsi:T30 Birim:T5 Miktari:F BirimF:F Tutari:F IskOran:F IskTutar:F AraTop:F "
     "KdvOran:F KdvTutar:F TopTutar:F Faturalanan:F Kalan:F CARef:I CariNo:T10 "
     "Unvani:T35 Aciklama1:T50 Aciklama2:T50",
     "SipHar_1=Tarih SipHar_2=CariNo"},
};

const TableText kGlobalTables[] = {
    {"Sirket",
     "Nosu:A* SKodu:T8 Aciklama:T30 Kutuk:T40 STOK:T1 CARI:T1 FATURA:T1 CEKSENET:T1 "
     "SIPARIS:T1 TAKSITLI:T1 URETIM:T1 KATALOG:T1 KASA:T1 NAKLIYE:T1 Liste:T1 Yil:I",
     "Sirket_1=SKodu"},
    {"FatPlan",
     "Nosu:A* Title_H:I Detail_H:I Footer_H:I Unvani_L:I Unvani_T:I Adres1_L:I Adres1_T:I "
     "Adres2_L:I Adres2_T:I Vd_L:I Vd_T:I VdNo_L:I VdNo_T:I Tarih_L:I Tarih_T:I "
     "IrsTarih:T1 IrsTarih_L:I IrsTarih_T:I IrsNo:T1 IrsNo_L:I IrsNo_T:I "
     "Kodu:T1 Kodu_L:I Kodu_T:I Cinsi:T1 Cinsi_L:I Cinsi_T:I Miktari:T1 Miktari_L:I "
     "Miktari_T:I Birim:T1 Birim_L:I Birim_T:I Tutari:T1 Tutari_L:I Tutari_T:I "
     "IskTutar:T1 IskTutar_L:I IskTutar_T:I KdvOran:T1 KdvOran_L:I KdvOran_T:I "
     "AraTop:T1 AraTop_L:I AraTop_T:I PAraToplam_L:I PAraToplam_T:I PKdv_L:I PKdv_T:I "
     "PGToplam_L:I PGToplam_T:I Yazi_L:I Yazi_T:I Mutabakat:T1 Mutabakat_L:I "
     "Mutabakat_T:I BirimF:T1 BirimF_L:I BirimF_T:I",
     ""},
};

FieldKind kindOf(QChar letter)
{
    switch (letter.toLatin1()) {
    case 'A':
        return FieldKind::AutoInc;
    case 'I':
        return FieldKind::Integer;
    case 'F':
        return FieldKind::Float;
    case 'T':
        return FieldKind::Text;
    case 'D':
        return FieldKind::Date;
    case 'H':
        return FieldKind::Time;
    case 'M':
        return FieldKind::Memo;
    case 'P':
        return FieldKind::Picture;
    default:
        break;
    }
    throw AppError(QStringLiteral("Şema tanımında bilinmeyen alan türü: %1").arg(letter));
}

TableDef parse(const TableText& text)
{
    TableDef def;
    def.name = QString::fromLatin1(text.name);
    for (const QString& item :
         QString::fromLatin1(text.fields).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString name = item.section(QLatin1Char(':'), 0, 0);
        QString kind = item.section(QLatin1Char(':'), 1);
        FieldDef field{name, kindOf(kind.at(0)), 0, kind.endsWith(QLatin1Char('*'))};
        if (field.required) kind.chop(1);
        field.size = kind.mid(1).toInt();
        def.fields.push_back(field);
    }
    def.indexes.push_back({QString(), QStringLiteral("Nosu"), IndexPrimary | IndexUnique});
    for (const QString& item :
         QString::fromLatin1(text.indexes).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        def.indexes.push_back({item.section(QLatin1Char('='), 0, 0),
                               item.section(QLatin1Char('='), 1), IndexCaseInsensitive});
    return def;
}

template <size_t N> std::vector<TableDef> parseAll(const TableText (&texts)[N])
{
    std::vector<TableDef> defs;
    for (const TableText& text : texts)
        defs.push_back(parse(text));
    return defs;
}

} // namespace

const std::vector<TableDef>& companyTableDefs()
{
    static const std::vector<TableDef> defs = parseAll(kCompanyTables);
    return defs;
}

const std::vector<TableDef>& globalTableDefs()
{
    static const std::vector<TableDef> defs = parseAll(kGlobalTables);
    return defs;
}

const TableDef* findTableDef(const std::vector<TableDef>& defs, const QString& name)
{
    for (const TableDef& def : defs)
        if (def.name.compare(name, Qt::CaseInsensitive) == 0) return &def;
    return nullptr;
}

std::vector<SqlIndex> companyExtraIndexes()
{
    // Links the documents find their records and lines by.
    const auto link = [](const char* table, const char* field) {
        return SqlIndex{QStringLiteral("%1__%2").arg(QLatin1String(table), QLatin1String(field)),
                        QLatin1String(table),
                        {QStringLiteral("coalesce(\"%1\",0)").arg(QLatin1String(field)),
                         QStringLiteral("\"Nosu\"")}};
    };
    return {{QStringLiteral("StHar__STRef_Tarih"),
             QStringLiteral("StHar"),
             {QStringLiteral("coalesce(\"STRef\",0)"), QStringLiteral("coalesce(\"Tarih\",'')"),
              QStringLiteral("\"Nosu\"")}},
            // The payment lists: a customer's plan lines in due-date order.
            {QStringLiteral("Plan__CARef_Vadesi"),
             QStringLiteral("Plan"),
             {QStringLiteral("coalesce(\"CARef\",0)"), QStringLiteral("coalesce(\"Vadesi\",'')"),
              QStringLiteral("\"Nosu\"")}},
            {QStringLiteral("APlan__CARef_Vadesi"),
             QStringLiteral("APlan"),
             {QStringLiteral("coalesce(\"CARef\",0)"), QStringLiteral("coalesce(\"Vadesi\",'')"),
              QStringLiteral("\"Nosu\"")}},
            link("Kasa", "TARef"),
            link("Kasa", "TERef"),
            link("Kasa", "KARef"),
            link("TahHar", "TARef"),
            link("TedHar", "TERef"),
            link("FatHar", "FRef"),
            link("StHar", "FRef"),
            link("CarHar", "FRef"),
            link("Cek", "FRef"),
            link("Senet", "FRef"),
            link("FCek", "FRef"),
            link("FSenet", "FRef"),
            link("Fatura", "TKRef"),
            link("Plan", "Ref"),
            link("Plan", "FRef"),
            link("Odeme", "Ref"),
            link("APlan", "Ref"),
            link("APlan", "FRef"),
            link("AOdeme", "Ref"),
            link("SipHar", "SipRef"),
            link("SipHar", "STRef"),
            link("FatHar", "SIPRef"),
            link("FatHar", "SIRef"),
            link("Fatura", "SIRef")};
}

void ensureExtraIndexes(Connection& db)
{
    for (const SqlIndex& index : companyExtraIndexes()) {
        const QString real = db.storedIndex(index.name);
        if (real.simplified() == db.indexStatement(index).simplified()) continue;
        CommandTransaction transaction(db);
        if (!real.isEmpty()) db.dropIndex(index.name);
        db.createIndex(index);
        transaction.commit();
    }
}
