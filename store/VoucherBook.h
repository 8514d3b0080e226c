#pragma once

#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class CompanyData;
class Table;

// A voucher's header (StFis, CarFis): a date and a description that group movements naming the
// voucher in FRef.
struct VoucherHeader {
    qint64 id = 0;
    QDate tarih;
    QString aciklama;
};

// The sums of a voucher's lines, exact: one side, the other and their difference.
struct VoucherTotals {
    double in = 0, out = 0, balance = 0;
};

// What the voucher windows ask of a voucher's writer. Each call is one command.
class VoucherBook {
public:
    virtual ~VoucherBook() = default;
    // A new voucher dated `tarih`, posted at once; its Nosu.
    virtual qint64 create(const QDate& tarih) = 0;
    // The header as its window leaves it; an empty date is refused.
    virtual void saveHeader(const VoucherHeader& header) = 0;
    virtual std::optional<VoucherHeader> read(qint64 voucherId) = 0;
    virtual void removeLine(qint64 voucherId, qint64 lineId) = 0;
    // The voucher with every line: all or nothing.
    virtual void removeVoucher(qint64 voucherId) = 0;
    virtual VoucherTotals totals(qint64 voucherId) = 0;
};

// The headers of one voucher table and the sums of their lines, for the writers of vouchers.
// `kind` names the voucher in messages ("Stok", "Cari").
class VoucherHeaders {
public:
    VoucherHeaders(CompanyData& company, const QString& table, const QString& kind);
    ~VoucherHeaders();
    VoucherHeaders(const VoucherHeaders&) = delete;
    VoucherHeaders& operator=(const VoucherHeaders&) = delete;

    qint64 create(const QDate& tarih);
    void save(const VoucherHeader& header);
    std::optional<VoucherHeader> read(qint64 voucherId);
    // Throws when the voucher is gone (another workstation deleted it).
    void mustExist(qint64 voucherId);
    // Deletes the header; the caller's command deletes the lines first.
    void remove(qint64 voucherId);
    // Σ`in` and Σ`out` of the rows of `lineTable` naming the voucher (and meeting `condition`,
    // SQL without user text), exact to four decimals.
    VoucherTotals sums(const QString& lineTable, const QString& in, const QString& out,
                       qint64 voucherId, const QString& condition = QString());

private:
    CompanyData& company_;
    QString table_, kind_;
    std::unique_ptr<Table> vouchers_;
};

// A writer of vouchers whose headers are kept by VoucherHeaders: it adds its lines.
class HeaderedVoucherBook : public VoucherBook {
public:
    HeaderedVoucherBook(CompanyData& company, const QString& table, const QString& kind)
        : headers_(company, table, kind)
    {
    }
    qint64 create(const QDate& tarih) override { return headers_.create(tarih); }
    void saveHeader(const VoucherHeader& header) override { headers_.save(header); }
    std::optional<VoucherHeader> read(qint64 voucherId) override
    {
        return headers_.read(voucherId);
    }

protected:
    VoucherHeaders headers_;
};
