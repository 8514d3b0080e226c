#pragma once

#include <QString>

// Collection and payment slips are twins: everything in which they differ is told here, once,
// and every slip window, the posting and the printed slip read it.
struct SlipKind {
    bool collection = true; // money in from the customer (Alacak, Giren) or out to it
    QString table;          // "Tahsil"
    QString lineTable;      // "TahHar"
    QString link;           // "TARef": the slip's Nosu in its lines and its cash record
    QString index;          // "Tahsil_1"
    QString kaynak;         // "TA"
    QString movementSuffix; // " TAH.FİŞ" after the slip's Nosu in the movement's BelgeNo
    QString cashSuffix;     // " TAHSİL FİŞİ İLE" after it in the cash record's BelgeNo

    // Window texts.
    QString listCaption, linesCommand;   // "Kasa tahsil fişleri", "Tahsil Fiş hareketleri [F5]"
    QString newHeader, oldHeader;        // "Yeni tahsil fişi girişi", …
    QString newLine, oldLine;            // "Yeni tahsil hareketi girişi", …
    QString linesCaption, totalLabel;    // "Tahsil fişi", "TAHSİL FİŞİ TOPLAMI : "
    QString amountHeading;               // "Tahsil edilen tutar"
    QString dateHint, descriptionHint;   // "Tahsil fişi tarihini giriniz", …
    bool titleAfterUnknownCode = true;   // the focus after a code that finds no card
    QString deleteSlip, deleteSlipTitle; // "Tahsil fişini iptal etmek", "Tahsil fiş iptal"
    QString deleteLine, deleteLineLoss, lineTitle; // "Tahsil hareketini silmek", …
    QString printTitle;                            // "KASA TAHSİL FİŞİ"
    bool companyOverLeft = true;                   // the company's title over "TAHSİL EDEN"
};

const SlipKind& collectionSlip(); // 5201
const SlipKind& paymentSlip();    // 5202
