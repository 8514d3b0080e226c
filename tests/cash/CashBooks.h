#pragma once

#include "cash/CashLedger.h"
#include "cash/SlipPosting.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "support/Installation.h"

// Company ABC (kuruş on) open, with a customer card and the cash writers on it.
struct CashCompany {
    TestCompany t;
    CompanyData& company = *t.company;
    CashLedger cash{company};
    SlipPosting collections{company, collectionSlip()};
    SlipPosting payments{company, paymentSlip()};

    qint64 customer(const QString& code, const QString& title)
    {
        return addCustomerCard(company, code, title);
    }

    qint64 record(QDate date, double in, double out, const QString& belge = QString(),
                  const QString& aciklama = QString())
    {
        CashRecord r;
        r.tarih = date;
        r.giren = in;
        r.cikan = out;
        r.belgeNo = belge;
        r.aciklama = aciklama;
        return cash.post(r);
    }

    SlipHeader header(QDate date, const QString& code, const QString& title,
                      const QString& aciklama = QString())
    {
        return SlipHeader{date, code, title, aciklama};
    }

    int count(const QString& sql, const QVariantList& params = {})
    {
        return company.connection().scalar(sql, params).toInt();
    }
};
