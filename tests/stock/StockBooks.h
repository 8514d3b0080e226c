#pragma once

#include "stock/StockLedger.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/Installation.h"

#include <QDate>

// Stock cards and movements for the tests, written as the windows write them.
struct StockBooks {
    CompanyData& company;
    StockLedger ledger{company};

    qint64 card(const QString& code, const QString& name, double kritik = 0,
                const QString& birim = QStringLiteral("Adet"))
    {
        Table& stok = company.table(QStringLiteral("Stok"));
        stok.append();
        stok[QStringLiteral("Kodu")] = code;
        stok[QStringLiteral("Cinsi")] = name;
        stok[QStringLiteral("Birim")] = birim;
        stok[QStringLiteral("Kritik")] = kritik;
        stok[QStringLiteral("Katalog")] = 1;
        stok.post();
        return stok.currentId();
    }

    // An entry of `in` at `price`, or an exit of `out` at `price`.
    qint64 move(qint64 id, QDate date, double in, double price, double out = 0,
                const QString& kaynak = StockKaynak::ST, const QString& aciklama = QString())
    {
        StockMovement m;
        m.stockId = id;
        m.tarih = date;
        m.kaynak = kaynak;
        m.aciklama = aciklama;
        m.belgeNo = date.toString(QStringLiteral("MMdd"));
        if (in != 0) {
            m.gMiktari = in;
            m.gFiyati = price;
            m.gTutari = in * price;
        } else {
            m.cMiktari = out;
            m.cFiyati = price;
            m.cTutari = out * price;
        }
        return ledger.post(m);
    }
};

// Company ABC (kuruş on) open, with the stock writers on it.
struct StockCompany {
    TestCompany t;
    CompanyData& company = *t.company;
    StockBooks books{company};
};
