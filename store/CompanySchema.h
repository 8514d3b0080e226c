#pragma once

#include "store/TableDef.h"

#include <vector>

class Connection;

// The 29 tables of every company directory, in the order they are created.
const std::vector<TableDef>& companyTableDefs();
// The installation-wide tables of the data directory: Sirket and FatPlan.
const std::vector<TableDef>& globalTableDefs();
const TableDef* findTableDef(const std::vector<TableDef>& defs, const QString& name);

// Indexes beyond the tables' named ones, for lookups no named index serves: one stock card's
// movements in date order (the movement window, the card statement, the card totals). They are
// SQL indexes only; the table definitions and the store's orders do not know them.
std::vector<SqlIndex> companyExtraIndexes();
// Makes the extra indexes a company's tables lack, or have in an older form.
void ensureExtraIndexes(Connection& db);
