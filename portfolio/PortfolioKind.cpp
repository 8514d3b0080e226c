#include "portfolio/PortfolioKind.h"

namespace {

PortfolioKind customer(bool check)
{
    PortfolioKind k;
    k.check = check;
    k.table = check ? QStringLiteral("Cek") : QStringLiteral("Senet");
    k.voucherTable = check ? QStringLiteral("CekFis") : QStringLiteral("SenFis");
    k.caption = check ? QStringLiteral("Müşteri çekleri") : QStringLiteral("Müşteri senetleri");
    k.positionField = check ? QStringLiteral("CekDurumu") : QStringLiteral("SenetDurumu");
    k.numberField = check ? QStringLiteral("CekNo") : QStringLiteral("SenetNo");
    k.entryKaynak = check ? QStringLiteral("CE") : QStringLiteral("SE");
    k.voucherKaynak = check ? QStringLiteral("MF") : QStringLiteral("MS");
    k.cashKaynak = QStringLiteral("CE");
    k.word = check ? QStringLiteral("Çek") : QStringLiteral("Senet");
    k.positions = {QStringLiteral("Portföy"),
                   QStringLiteral("Ciro"),
                   QStringLiteral("Banka"),
                   QStringLiteral("Tahsil"),
                   check ? QStringLiteral("Karşılıksız") : QStringLiteral("Protesto"),
                   QStringLiteral("Verene iade")};
    k.endorsedText = check ? QStringLiteral(" CİROLANAN ÇEK") : QStringLiteral(" CİROLANAN Senet");
    k.returnedText =
        check ? QStringLiteral(" İADE EDİLEN ÇEK") : QStringLiteral(" İADE EDİLEN Senet");
    return k;
}

PortfolioKind firm(bool check)
{
    PortfolioKind k;
    k.firm = true;
    k.check = check;
    k.table = check ? QStringLiteral("FCek") : QStringLiteral("FSenet");
    k.voucherTable = check ? QStringLiteral("FCekFis") : QStringLiteral("FSenFis");
    k.caption = check ? QStringLiteral("Firma çekleri") : QStringLiteral("Firma senetleri");
    k.positionField = check ? QStringLiteral("FCekDurumu") : QStringLiteral("FSenetDurumu");
    k.numberField = check ? QStringLiteral("CekNo") : QStringLiteral("SenetNo");
    k.entryKaynak = check ? QStringLiteral("FC") : QStringLiteral("FS");
    k.voucherKaynak = k.entryKaynak;
    k.cashKaynak = QStringLiteral("FS");
    k.word = check ? QStringLiteral("Çek") : QStringLiteral("Senet");
    k.positions = {QStringLiteral("&Tanzim"), QStringLiteral("Ö&dendi")};
    k.issuedText = check ? QStringLiteral("BİZİM ÇEKİMİZ") : QStringLiteral("BİZİM SENEDİMİZ");
    return k;
}

} // namespace

const PortfolioKind& customerChecks()
{
    static const PortfolioKind kind = customer(true);
    return kind;
}

const PortfolioKind& customerNotes()
{
    static const PortfolioKind kind = customer(false);
    return kind;
}

const PortfolioKind& firmChecks()
{
    static const PortfolioKind kind = firm(true);
    return kind;
}

const PortfolioKind& firmNotes()
{
    static const PortfolioKind kind = firm(false);
    return kind;
}

bool paperMoveAllowed(int from, int to)
{
    if (from < PaperPosition::Portfoy || from > PaperPosition::Iade) return false;
    if (to < PaperPosition::Portfoy || to > PaperPosition::Iade) return false;
    if (to == PaperPosition::Portfoy) return from != PaperPosition::Portfoy; // the reset
    if (from == PaperPosition::Portfoy) return true;
    // From the bank the paper may also be collected through it.
    return to == from || (from == PaperPosition::Banka && to == PaperPosition::Tahsil);
}
