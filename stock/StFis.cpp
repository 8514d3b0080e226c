#include "stock/StFis.h"

#include "stock/StHar.h"
#include "stock/StHarF.h"
#include "stock/StockVouchers.h"

VoucherKind stockVoucherKind()
{
    VoucherKind k;
    k.listName = QStringLiteral("TfrmStFis");
    k.voucherName = QStringLiteral("TfrmStFisF");
    k.headerTable = QStringLiteral("StFis");
    k.listCaption = QStringLiteral("Stok fiş hareketleri ");
    k.listDelete = {QStringLiteral("Stok hareket fişini iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Fişin tüm kayıtları SİLİNECEK!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Stok fiş iptal")};
    k.lineTable = QStringLiteral("StHar");
    k.lineIndex = QStringLiteral("StHar_1");
    k.lineColumns = [](CompanyData& company) {
        return stockMovementColumns(company,
                                    {{QStringLiteral("Tarih"), QStringLiteral("Tarih"), 80},
                                     {QStringLiteral("Stok Kodu"), QStringLiteral("Kodu"), 110},
                                     {QStringLiteral("Cinsi"), QStringLiteral("Cinsi"), 170}});
    };
    k.captionWord = QStringLiteral("stok fiş");
    k.lineDelete = {QStringLiteral("Stok hareket kaydını iptal etmek"),
                    QStringLiteral("istediğinize emin misiniz ?"),
                    QStringLiteral("Stok hareketi siliyorsunuz!!"),
                    QStringLiteral("emin misiniz ?"), QStringLiteral("Stok hareket iptal")};
    k.totalLabels = {QStringLiteral("Giren : "), QStringLiteral("Çıkan : "),
                     QStringLiteral("Bakiye : ")};
    k.quickCard = QuickCard::Stock;
    k.cardRef = QStringLiteral("STRef");
    k.book = [](CompanyData& company) { return std::make_unique<StockVoucherPosting>(company); };
    k.lineWindow = [](Shell& shell, qint64 voucherId, qint64 lineId, QWidget* parent) {
        TfrmStFisG line(shell, voucherId, lineId, parent);
        line.run();
        return line.savedId();
    };
    return k;
}

TfrmStFis::TfrmStFis(Shell& shell, QWidget* parent)
    : VoucherListWindow(shell, stockVoucherKind(), parent)
{
}

TfrmStFisF::TfrmStFisF(Shell& shell, qint64 voucherId, QWidget* parent)
    : VoucherWindow(shell, stockVoucherKind(), voucherId, parent)
{
}
