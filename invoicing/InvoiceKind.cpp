#include "invoicing/InvoiceKind.h"

const InvoiceKind& salesInvoice()
{
    static const InvoiceKind kind{
        .fatTuru = 1,
        .sales = true,
        .counterKey = QStringLiteral("SATISNO"),
        .movementSuffix = QStringLiteral(" SAT.FT."),
        .settleText = QStringLiteral("NOLU KAPALI SATIŞ FATURASI"),
        .cashSuffix = QStringLiteral(" ST.FT."),
        .listCaption = QStringLiteral("Satış Faturaları"),
        .listTitle = QStringLiteral("Satış faturaları"),
        .barcodeListCaption = QStringLiteral("barkodlu Satış Faturaları"),
        .newHeader = QStringLiteral("Yeni Satış faturası"),
        .oldHeader = QStringLiteral("Eski Satış faturası"),
        .descriptionLabel = QStringLiteral("Fat.Açıklaması : "),
        .linesRefused = QStringLiteral("İşlem yapılamaz"),
        .linesCaption = QStringLiteral("Satış Faturası"),
        .barcodeLinesCaption = QStringLiteral("barkodlu satış"),
        .lineTitle = QStringLiteral("Satış faturası kontrol"),
        .newLine = QStringLiteral("Yeni Satış faturası kalemi"),
        .oldLine = QStringLiteral("Eski Satış faturası kalemi"),
        .quantityLabel = QStringLiteral("Çıkan miktar : "),
        .deleteInvoice = QStringLiteral("Satış faturasını iptal etmek"),
        .deleteTitle = QStringLiteral("Satış faturası iptal"),
        .lastCardFirst = false,
        .proposesPrice = true,
        .unknownCodeNotice = false,
        .printing = true,
    };
    return kind;
}

const InvoiceKind& purchaseInvoice()
{
    static const InvoiceKind kind{
        .fatTuru = 0,
        .sales = false,
        .counterKey = QStringLiteral("ALISNO"),
        .movementSuffix = QStringLiteral(" AL.FT."),
        .settleText = QStringLiteral("NOLU KAPALI ALIŞ FATURASI"),
        .cashSuffix = QStringLiteral(" AL.FT."),
        .listCaption = QStringLiteral("Alış Faturaları"),
        .listTitle = QStringLiteral("Alış faturaları"),
        .barcodeListCaption = QString(),
        .newHeader = QStringLiteral("Yeni alış faturası"),
        .oldHeader = QStringLiteral("Eski alış faturası"),
        .descriptionLabel = QStringLiteral("Fat. Açıklaması : "),
        .linesRefused = QStringLiteral("Düzeltme işlemi yapılamaz"),
        .linesCaption = QStringLiteral("Alış Faturası"),
        .barcodeLinesCaption = QString(),
        .lineTitle = QStringLiteral("Alış faturası kontrol"),
        .newLine = QStringLiteral("Yeni alış faturası kalemi"),
        .oldLine = QStringLiteral("Eski alış faturası kalemi"),
        .quantityLabel = QStringLiteral("Giren miktar : "),
        .deleteInvoice = QStringLiteral("Alış faturasını iptal etmek"),
        .deleteTitle = QStringLiteral("Alış faturası iptal"),
        .lastCardFirst = true,
        .proposesPrice = false,
        .unknownCodeNotice = true,
        .printing = false,
    };
    return kind;
}

const InvoiceKind& invoiceKind(int fatTuru)
{
    return fatTuru == 0 ? purchaseInvoice() : salesInvoice();
}
