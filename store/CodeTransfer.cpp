#include "store/CodeTransfer.h"

#include "store/AppError.h"
#include "store/CommandTransaction.h"
#include "store/CompanyData.h"
#include "store/Table.h"
#include "store/TurkishCollation.h"

namespace CodeTransfer {

namespace {

struct Card {
    QString table, index, codeField;
    int size;
};

Card cardOf(Kind kind)
{
    return kind == Kind::Customer
               ? Card{QStringLiteral("Cari"), QStringLiteral("Cari_1"), QStringLiteral("CariNo"),
                      10}
               : Card{QStringLiteral("Stok"), QStringLiteral("Stok_1"), QStringLiteral("Kodu"), 25};
}

} // namespace

const std::vector<Copy>& copies(Kind kind)
{
    static const std::vector<Copy> customer = [] {
        const char* list[][3] = {{"CarHar", "CariNo", "CARef"},   {"Cek", "ACariNo", "ACARef"},
                                 {"Cek", "CCariNo", "CCARef"},    {"Cek", "BACariNo", "BARef"},
                                 {"CekFis", "CariNo", "CARef"},   {"Senet", "ACariNo", "ACARef"},
                                 {"Senet", "CCariNo", "CCARef"},  {"Senet", "BACariNo", "BARef"},
                                 {"SenFis", "CariNo", "CARef"},   {"FCek", "KCariNo", "KCARef"},
                                 {"FCek", "BACariNo", "BARef"},   {"FCekFis", "CariNo", "CARef"},
                                 {"FSenet", "KCariNo", "KCARef"}, {"FSenFis", "CariNo", "CARef"},
                                 {"Fatura", "CariNo", "CARef"},   {"Tahsil", "CariNo", "CARef"},
                                 {"Tediye", "CariNo", "CARef"},   {"Siparis", "CariNo", "CARef"},
                                 {"SipHar", "CariNo", "CARef"},   {"Taksit", "CariNo", "CARef"},
                                 {"ATaksit", "CariNo", "CARef"}};
        std::vector<Copy> v;
        for (const auto& c : list)
            v.push_back({QLatin1String(c[0]), QLatin1String(c[1]), QLatin1String(c[2])});
        return v;
    }();
    static const std::vector<Copy> stock = {
        {QStringLiteral("StHar"), QStringLiteral("Kodu"), QStringLiteral("STRef")},
        {QStringLiteral("FatHar"), QStringLiteral("Kodu"), QStringLiteral("STRef")},
        {QStringLiteral("SipHar"), QStringLiteral("Kodu"), QStringLiteral("STRef")}};
    return kind == Kind::Customer ? customer : stock;
}

QString storedCode(Kind kind, const QString& typed)
{
    return typed.left(cardOf(kind).size);
}

bool takenByAnother(CompanyData& company, Kind kind, const QString& code, qint64 cardId)
{
    const Card card = cardOf(kind);
    if (code.isEmpty()) return false;
    Table cards(company.connection(), card.table);
    cards.setReadFields({card.codeField});
    cards.setIndexName(card.index);
    cards.open();
    if (!cards.findKey({code})) return false;
    for (; !cards.eof(); cards.next()) {
        if (TurkishCollation::compare(cards[card.codeField].asString(), code) != 0) break;
        if (cards.currentId() != cardId) return true;
    }
    return false;
}

qint64 run(CompanyData& company, Kind kind, qint64 cardId, const QString& newCode,
           const std::function<void(int done)>& progress)
{
    const Card card = cardOf(kind);
    const QString code = storedCode(kind, newCode);
    if (code.isEmpty()) throw AppError(QStringLiteral("Yeni kod boş olamaz."));
    if (takenByAnother(company, kind, code, cardId))
        throw AppError(kind == Kind::Customer ? QStringLiteral("Cari kod başka bir kart")
                                              : QStringLiteral("Stok kodu başka bir kart"),
                       QStringLiteral("tarafından kullanılıyor"));
    Connection& db = company.connection();
    Table cards(db, card.table);
    cards.open();
    return CommandTransaction::run(db, [&] {
        if (!cards.editId(cardId))
            throw AppError(QStringLiteral("Kart bulunamadı; başka bir kullanıcı silmiş olabilir."));
        qint64 changed = 0;
        try {
            const QString old = cards[card.codeField].asString();
            int done = 0;
            for (const Copy& copy : copies(kind)) {
                changed += db.replaceExact(copy.table, copy.field, old, code, copy.link, cardId);
                if (progress) progress(++done);
            }
            cards[card.codeField] = code;
            cards.post();
        } catch (...) {
            cards.cancel();
            throw;
        }
        return changed + 1;
    });
}

} // namespace CodeTransfer
