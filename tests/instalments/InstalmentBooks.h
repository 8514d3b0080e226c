#pragma once

#include "instalments/InstalmentPosting.h"
#include "invoicing/InvoiceMath.h"
#include "invoicing/InvoicePosting.h"
#include "support/Installation.h"

// Company ABC with a customer and a stock card, and a sale (or purchase) on instalments.
struct InstalmentBooks : TestCompany {
    qint64 customer = addCustomerCard(*company, "120.01", "Yılmaz Ticaret");
    qint64 stock = 0;

    InstalmentBooks()
    {
        Table& stok = company->table("Stok");
        stok.append();
        stok["Kodu"] = "M01";
        stok.post();
        stock = stok.currentId();
        Table& cari = company->table("Cari");
        cari.gotoId(customer);
        cari.edit();
        cari["IsAdres1"] = "Atatürk Cad. 1";
        cari.post();
    }
    qint64 sale(InstalmentPosting& p)
    {
        InstalmentPosting::Sale s;
        s.tarih = QDate(2026, 1, 15);
        s.cariNo = "120.01";
        return p.saveSale(0, s);
    }
    // An invoice of the sale for `amount`, without VAT.
    qint64 invoice(InstalmentPosting& p, qint64 saleId, double amount, double number = 501)
    {
        InvoiceHeader h;
        h.fatNo = number;
        h.tarih = h.irsTarih = h.vadesi = QDate(2026, 1, 15);
        const qint64 id = p.saveInvoice(saleId, 0, h);
        InvoiceLine l;
        l.stockId = stock;
        l.kodu = "M01";
        l.miktari = 1;
        l.birimF = amount;
        static_cast<LineAmounts&>(l) = computeLine(*company, l);
        InvoicePosting(*company).saveLine(id, l);
        return id;
    }
    std::vector<qint64> plan(InstalmentPosting& p, qint64 invoiceId, double amount, double down,
                             int count)
    {
        InstalmentPlan::Input in;
        in.amount = amount;
        in.downPayment = down;
        in.count = count;
        in.invoiceDate = in.firstDue = QDate(2026, 1, 15);
        return p.savePlan(invoiceId, InstalmentPlan::compute(in, true).lines);
    }
    double number(const QString& sql, const QVariantList& params = {})
    {
        return company->connection().scalar(sql, params).toDouble();
    }
    int count(const QString& sql, const QVariantList& params = {})
    {
        return company->connection().scalar(sql, params).toInt();
    }
};
