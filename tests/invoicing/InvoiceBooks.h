#pragma once

#include "invoicing/InvoicePosting.h"
#include "store/CompanyData.h"
#include "store/CompanySettings.h"
#include "store/Table.h"
#include "support/Installation.h"

#include <QDate>

// Company ABC (kuruş on) open with customer and stock cards, and the invoice posting on it.
struct InvoiceCompany {
    TestCompany t;
    std::unique_ptr<InvoicePosting> posting =
        std::make_unique<InvoicePosting>(*t.company, t.install);

    CompanyData& company() { return *t.company; }

    // Reopens the company with other settings (KDVHESAP, TLAYAR).
    void reopen(int kdvHesap, int tlAyar = 1)
    {
        const QString dir = t.company->directory();
        posting.reset();
        t.company.reset();
        CompanySettings s = CompanySettings::read(dir);
        s.kdvHesap = kdvHesap;
        s.tlAyar = tlAyar;
        s.write(dir);
        t.company = std::make_unique<CompanyData>(t.session, t.install, QStringLiteral("ABC"));
        posting = std::make_unique<InvoicePosting>(*t.company, t.install);
    }

    qint64 customer(const QString& code, const QString& title, const QString& adres1 = QString())
    {
        Table& cari = company().table(QStringLiteral("Cari"));
        cari.append();
        cari[QStringLiteral("CariNo")] = code;
        cari[QStringLiteral("Unvani")] = title;
        cari[QStringLiteral("IsAdres1")] = adres1;
        cari[QStringLiteral("Vd")] = QStringLiteral("Kadıköy");
        cari.post();
        return cari.currentId();
    }

    qint64 stock(const QString& code, const QString& name, double fiyat1 = 0, double normal = 0)
    {
        Table& stok = company().table(QStringLiteral("Stok"));
        stok.append();
        stok[QStringLiteral("Kodu")] = code;
        stok[QStringLiteral("Cinsi")] = name;
        stok[QStringLiteral("Birim")] = QStringLiteral("Adet");
        stok[QStringLiteral("Fiyat1")] = fiyat1;
        stok[QStringLiteral("Normal")] = normal;
        stok.post();
        return stok.currentId();
    }

    InvoiceHeader header(double number, QDate date, const QString& code, int closed = 0)
    {
        InvoiceHeader h;
        h.fatNo = number;
        h.tarih = h.irsTarih = h.vadesi = date;
        h.cariNo = code;
        h.fDurumu = closed;
        return h;
    }

    // A line of `quantity` × `price` with its rates, computed as the line window saves it.
    InvoiceLine line(qint64 stockId, double quantity, double price, double kdv = 0,
                     double discount = 0)
    {
        InvoiceLine l;
        l.stockId = stockId;
        const std::vector<SqlRow> card = company().connection().select(
            QStringLiteral(
                "SELECT \"Kodu\", \"Cinsi\", \"Birim\" FROM \"Stok\" WHERE \"Nosu\" = ?"),
            {stockId});
        if (!card.empty()) {
            l.kodu = card.front()[0].toString();
            l.cinsi = card.front()[1].toString();
            l.birim = card.front()[2].toString();
        }
        l.miktari = quantity;
        l.birimF = price;
        l.iskOran = discount;
        l.kdvOran = kdv;
        static_cast<LineAmounts&>(l) = computeLine(company(), l);
        return l;
    }

    QVariant value(const QString& sql, const QVariantList& params = {})
    {
        return company().connection().scalar(sql, params);
    }
    int count(const QString& sql, const QVariantList& params = {})
    {
        return value(sql, params).toInt();
    }
};
