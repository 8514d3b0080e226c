#pragma once

#include <QString>
#include <functional>
#include <vector>

class CompanyData;

// The code transfer: a customer or stock card takes a new code, and every copy of its old code
// in the company's documents and movements takes it with it, all in one command. A copy is
// rewritten when its text is exactly the old code (letter case counts) and its link names this
// card, so another card's records that happen to carry the same text keep theirs.
namespace CodeTransfer {

enum class Kind { Customer, Stock };

// A copy of the code: table, field and the link that names the card.
struct Copy {
    QString table, field, link;
};
// The copies in the order they are rewritten: 21 for customers, 3 for stock.
const std::vector<Copy>& copies(Kind kind);

// The code as the card's field stores it: cut to 10 (customers) or 25 (stock) characters.
QString storedCode(Kind kind, const QString& typed);
// Whether a card other than `cardId` has the code, as codes are looked up (without regard to
// letter case): the card itself may change "abc" to "ABC".
bool takenByAnother(CompanyData& company, Kind kind, const QString& code, qint64 cardId);

// Gives card `cardId` the code `newCode` (as stored) and rewrites its copies, in one command;
// `progress` is told after each copy (1 … copies().size()). Throws AppError for a card that is
// gone, an empty new code or one another card has; a failure changes nothing. Returns how many
// records were rewritten, the card included.
qint64 run(CompanyData& company, Kind kind, qint64 cardId, const QString& newCode,
           const std::function<void(int done)>& progress = {});

} // namespace CodeTransfer
