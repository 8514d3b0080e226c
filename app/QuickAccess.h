#pragma once

#include "app/Shell.h"

#include <QString>
#include <memory>

class CompanyData;
class Table;

// The four ways into the quick card views: a card by its Nosu or by its exact code. A card that
// is not there (an empty code, a code no card has) is told "İlgili kayda ait bilgi bulunamadı"
// ("Kart kontrol"). Nothing the caller has open is moved: the card is found by a query of its
// own and the view reads through its own cursors.
void QuickCustomerById(Shell& shell, QWidget* parent, qint64 id);
void QuickCustomerByCode(Shell& shell, QWidget* parent, const QString& code);
void QuickStockById(Shell& shell, QWidget* parent, qint64 id);
void QuickStockByCode(Shell& shell, QWidget* parent, const QString& code);

// An amount as the quick views show it: two decimals in a kuruş company, else as many as the
// value has.
QString quickAmountText(const CompanyData& company, double amount);

// A cursor of the view's own on its card (the shared tables stay where the caller left them);
// a card that is not there is refused with "İlgili kayda ait bilgi bulunamadı".
std::unique_ptr<Table> quickCardCursor(CompanyData& company, QuickCard card, qint64 id);

// The card of a quick view by Nosu (id > 0) or by exact code: its Nosu, 0 when there is none.
qint64 findQuickCard(Shell& shell, QuickCard card, qint64 id, const QString& code);
