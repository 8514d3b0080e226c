#include "app/QuickAccess.h"

#include "app/WindowRegistry.h"
#include "store/AppError.h"
#include "store/CompanyData.h"
#include "store/MoneyFormat.h"
#include "store/Table.h"
#include "widgets/DisplayText.h"

namespace {

void show(Shell& shell, QWidget* parent, QuickCard card, qint64 id, const QString& code)
{
    const qint64 found = findQuickCard(shell, card, id, code);
    if (found && shell.windows && shell.windows->showCard(card, shell, parent, found)) return;
    if (!found)
        NoticeBox(shell, QStringLiteral("İlgili kayda ait bilgi bulunamadı"), QString(),
                  QStringLiteral("Kart kontrol"), parent);
}

} // namespace

qint64 findQuickCard(Shell& shell, QuickCard card, qint64 id, const QString& code)
{
    if (!shell.company) return 0;
    const bool customer = card == QuickCard::Customer;
    const QString table = customer ? QStringLiteral("Cari") : QStringLiteral("Stok");
    Connection& db = shell.company->connection();
    if (id > 0)
        return db
            .scalar(QStringLiteral("SELECT \"Nosu\" FROM \"%1\" WHERE \"Nosu\" = ?").arg(table),
                    {id})
            .toLongLong();
    if (code.trimmed().isEmpty()) return 0;
    // The first card with exactly that code, as a locate finds it.
    return db
        .scalar(QStringLiteral("SELECT \"Nosu\" FROM \"%1\" WHERE \"%2\" = ? ORDER BY \"Nosu\" "
                               "LIMIT 1")
                    .arg(table, customer ? QStringLiteral("CariNo") : QStringLiteral("Kodu")),
                {code.trimmed()})
        .toLongLong();
}

std::unique_ptr<Table> quickCardCursor(CompanyData& company, QuickCard card, qint64 id)
{
    auto cursor = std::make_unique<Table>(company.connection(), card == QuickCard::Customer
                                                                    ? QStringLiteral("Cari")
                                                                    : QStringLiteral("Stok"));
    cursor->open();
    if (!cursor->gotoId(id)) throw AppError(QStringLiteral("İlgili kayda ait bilgi bulunamadı"));
    return cursor;
}

QString quickAmountText(const CompanyData& company, double amount)
{
    return company.kurus() ? formatNumber(amount, company.moneyFormat()) : PanelNumberText(amount);
}

void QuickCustomerById(Shell& shell, QWidget* parent, qint64 id)
{
    show(shell, parent, QuickCard::Customer, id, QString());
}

void QuickCustomerByCode(Shell& shell, QWidget* parent, const QString& code)
{
    show(shell, parent, QuickCard::Customer, 0, code);
}

void QuickStockById(Shell& shell, QWidget* parent, qint64 id)
{
    show(shell, parent, QuickCard::Stock, id, QString());
}

void QuickStockByCode(Shell& shell, QWidget* parent, const QString& code)
{
    show(shell, parent, QuickCard::Stock, 0, code);
}
