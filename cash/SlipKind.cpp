#include "cash/SlipKind.h"

const SlipKind& collectionSlip()
{
    static const SlipKind kind{
        true,
        QStringLiteral("Tahsil"),
        QStringLiteral("TahHar"),
        QStringLiteral("TARef"),
        QStringLiteral("Tahsil_1"),
        QStringLiteral("TA"),
        QStringLiteral(" TAH.FİŞ"),
        QStringLiteral(" TAHSİL FİŞİ İLE"),
        QStringLiteral("Kasa tahsil fişleri"),
        QStringLiteral("Tahsil Fiş hareketleri [F5]"),
        QStringLiteral("Yeni tahsil fişi girişi"),
        QStringLiteral("Eski tahsil fişi bilgileri"),
        QStringLiteral("Yeni tahsil hareketi girişi"),
        QStringLiteral("Eski tahsil hareketi girişi"),
        QStringLiteral("Tahsil fişi"),
        QStringLiteral("TAHSİL FİŞİ TOPLAMI : "),
        QStringLiteral("Tahsil edilen tutar"),
        QStringLiteral("Tahsil fişi tarihini giriniz"),
        QStringLiteral("Tahsil fişi açıklamasını giriniz"),
        true,
        QStringLiteral("Tahsil fişini iptal etmek"),
        QStringLiteral("Tahsil fiş iptal"),
        QStringLiteral("Tahsil hareketini silmek"),
        QStringLiteral("Tahsil bilgisini tamamıyla kaybedeceksiniz"),
        QStringLiteral("Tahsil fiş kontrol"),
        QStringLiteral("KASA TAHSİL FİŞİ"),
        true,
    };
    return kind;
}

const SlipKind& paymentSlip()
{
    static const SlipKind kind{
        false,
        QStringLiteral("Tediye"),
        QStringLiteral("TedHar"),
        QStringLiteral("TERef"),
        QStringLiteral("Tediye_1"),
        QStringLiteral("TE"),
        QStringLiteral(" TED.FİŞ"),
        QStringLiteral(" TEDİYE FİŞİ İLE"),
        QStringLiteral("Kasa tediye fişleri"),
        QStringLiteral("Tediye Fiş hareketleri [F5]"),
        QStringLiteral("Yeni Tediye fişi girişi"),
        QStringLiteral("Eski Tediye fişi bilgileri"),
        QStringLiteral("Yeni Tediye hareketi girişi"),
        QStringLiteral("Eski Tediye hareketi girişi"),
        QStringLiteral("Tediye fişi"),
        QStringLiteral("TEDİYE FİŞİ TOPLAMI : "),
        QStringLiteral("Tediye edilen tutar"),
        QStringLiteral("Tediye fişi tarihini giriniz"),
        QStringLiteral("Tediye fişi açıklamasını giriniz"),
        false,
        QStringLiteral("Tediye fişini iptal etmek"),
        QStringLiteral("Tediye fiş iptal"),
        QStringLiteral("Tediye hareketini silmek"),
        QStringLiteral("Tediye bilgisini tamamıyla kaybedeceksiniz"),
        QStringLiteral("Tediye fiş kontrol"),
        QStringLiteral("KASA TEDİYE FİŞİ"),
        false,
    };
    return kind;
}
