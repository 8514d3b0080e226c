#pragma once

#include "app/AccessConfig.h"

#include <QString>
#include <functional>
#include <vector>

// The command tree of the main window as data: branches (one per module), groups ("Kartlar",
// "Hareketler", "Raporlar") and leaves, each leaf with its four-digit command code.
struct CommandNode {
    QString caption;
    int code = -1; // -1 for branches and groups
    int image = 9;
    std::vector<CommandNode> children;
};

// Reads a module flag ("E" shown) of the open company's Sirket record, by field name.
using ModuleFlags = std::function<QString(const QString& field)>;

// The tree for a company's module flags and the signed-in user's rights: a branch only when
// its flag is "E", a group only with its right, an invoice leaf only with its own right.
std::vector<CommandNode> buildCommandTree(const ModuleFlags& flags, const AccessRights& rights);

// The caption of a command code, empty when no leaf carries it.
QString commandCaption(int code);
