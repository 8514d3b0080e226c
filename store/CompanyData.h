#pragma once

#include "store/CompanySettings.h"
#include "store/Connection.h"
#include "store/LocalQuery.h"
#include "store/Table.h"

#include <QHash>
#include <memory>
#include <optional>
#include <vector>

class InstallSettings;
class StoreSession;

// The open company: its connection, one open table object per company table, the shared
// queries Kart and Hareket, the company settings and display formats, and the lookups every
// window uses. Opening fails with the store's error naming what is missing; nothing is then
// left open, so the caller can choose another company.
class CompanyData {
public:
    CompanyData(StoreSession& session, const InstallSettings& install, const QString& code);
    ~CompanyData();
    CompanyData(const CompanyData&) = delete;
    CompanyData& operator=(const CompanyData&) = delete;

    const QString& code() const { return code_; }
    const QString& directory() const { return directory_; }
    Connection& connection() { return *connection_; }
    const CompanySettings& settings() const { return settings_; }
    // The installation the company was opened in (Users.ini, the program directory).
    const InstallSettings& install() const { return install_; }

    // The table object of a company table ("Cari", "CarHar", ...); throws for an unknown name.
    Table& table(const QString& name);
    LocalQuery& Kart() { return *kart_; }
    LocalQuery& Hareket() { return *hareket_; }

    bool kurus() const { return settings_.kurus(); }
    QString moneyFormat() const;
    // The display format of a field ("#,##0.00" …), or an empty text for fields without one.
    QString displayFormat(const QString& table, const QString& field) const;

    double RoundMoney(double amount) const;
    // Cash keeps kuruş when the company does or when the installation asks for it (KURUS 1):
    // cash amounts (cash records, slips and their totals) round and show by these.
    bool cashKurus() const { return cashKurus_; }
    QString cashMoneyFormat() const;
    double RoundCash(double amount) const;
    QString FormatMoneyText(const QString& text) const;
    static QString StripThousands(const QString& text);

    // The display mode a card's picture keeps in the company's Resimler.ini (section "CARI" or
    // "STOK", key the card's Nosu): true for fitted (1), false for unscaled (anything else).
    bool pictureFitted(const QString& section, qint64 id) const;
    void setPictureFitted(const QString& section, qint64 id, bool fitted) const;

    bool CustomerCodeExists(const QString& code);
    bool CustomerHasMovements(qint64 customerId);
    bool StockCodeExists(const QString& code);
    bool StockHasMovements(qint64 stockId);

    // A card found by its code, as every code field looks it up: the last card (highest Nosu)
    // with exactly that code among those that pass `filter`. The shared tables do not move.
    struct Card {
        qint64 id = 0;
        QString code;
        QString title;
    };
    std::optional<Card> findCard(const QString& table, const QString& codeField,
                                 const QString& titleField, const QString& code,
                                 const QString& filter = QString());

    // Filter off; the last record in the current order whose Nosu (text field, integer field)
    // equals the value. Without one, the table is left on its first record and false returned.
    static bool SeekBackById(Table& table, qint64 id);
    static bool SeekBackByText(Table& table, const QString& field, const QString& text);
    static bool SeekBackByInt(Table& table, const QString& field, qint64 number);
    // Filter off; the first record whose field equals the value exactly.
    static bool LocateText(Table& table, const QString& field, const QString& text);
    static bool LocateInt(Table& table, const QString& field, qint64 number);

private:
    bool existsIn(const QString& table, const QString& index, const QVariant& key);
    void setDisplayFormats(const InstallSettings& install);

    const InstallSettings& install_;
    QString code_;
    QString directory_;
    CompanySettings settings_;
    bool cashKurus_ = false;
    std::unique_ptr<Connection> connection_;
    std::vector<std::unique_ptr<Table>> tables_;
    QHash<QString, Table*> byName_; // lower-case name
    std::unique_ptr<LocalQuery> kart_;
    std::unique_ptr<LocalQuery> hareket_;
    QHash<QString, std::shared_ptr<Table>> lookupCursors_;
    QHash<QString, QString> formats_; // "table.field" in lower case
};
