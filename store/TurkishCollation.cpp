#include "store/TurkishCollation.h"

#include "store/AppError.h"

#include <array>
#include <cstring>
#include <sqlite3.h>

namespace TurkishCollation {
namespace {

// Letters get weights above every ASCII sign; other characters weigh their code point, those
// beyond Latin-1 after all letters.
constexpr unsigned kLetterBase = 0x1000;
constexpr unsigned kOtherBase = 0x2000;

enum Rank : unsigned {
    rA,
    rB,
    rC,
    rCc,
    rD,
    rE,
    rF,
    rG,
    rGg,
    rH,
    rI,
    rIdot,
    rJ,
    rK,
    rL,
    rM,
    rN,
    rO,
    rOo,
    rP,
    rQ,
    rR,
    rS,
    rSs,
    rT,
    rU,
    rUu,
    rV,
    rW,
    rX,
    rY,
    rZ
};

constexpr unsigned letter(Rank rank)
{
    return kLetterBase + unsigned(rank);
}

constexpr std::array<unsigned, 128> makeAsciiWeights()
{
    std::array<unsigned, 128> table{};
    for (unsigned c = 0; c < 128; ++c)
        table[c] = c;
    constexpr Rank latin[26] = {rA, rB, rC, rD, rE, rF, rG, rH, rIdot, rJ, rK, rL, rM,
                                rN, rO, rP, rQ, rR, rS, rT, rU, rV,    rW, rX, rY, rZ};
    for (unsigned i = 0; i < 26; ++i) {
        table['A' + i] = letter(latin[i]);
        table['a' + i] = letter(latin[i]);
    }
    table['I'] = letter(rI); // capital I is the capital of dotless ı
    return table;
}

constexpr std::array<unsigned, 128> kAscii = makeAsciiWeights();

unsigned weightOf(char32_t cp)
{
    if (cp < 128) return kAscii[cp];
    switch (cp) {
    case U'Ç':
    case U'ç':
        return letter(rCc);
    case U'Ğ':
    case U'ğ':
        return letter(rGg);
    case U'ı':
        return letter(rI);
    case U'İ':
        return letter(rIdot);
    case U'Ö':
    case U'ö':
        return letter(rOo);
    case U'Ş':
    case U'ş':
        return letter(rSs);
    case U'Ü':
    case U'ü':
        return letter(rUu);
    case U'Â':
    case U'â':
        return letter(rA);
    case U'Î':
    case U'î':
        return letter(rIdot);
    case U'Û':
    case U'û':
        return letter(rU);
    case U'É':
    case U'é':
    case U'È':
    case U'è':
    case U'Ê':
    case U'ê':
        return letter(rE);
    default:
        break;
    }
    return cp < 0xC0 ? cp : kOtherBase + cp;
}

// Decodes one UTF-8 sequence; malformed bytes are taken one by one as their own values.
char32_t nextCodePoint(const unsigned char*& p, const unsigned char* end)
{
    const unsigned char c = *p++;
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra == 0 || end - p < extra) return c;
    char32_t cp = c & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return c;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    p += extra;
    return cp;
}

int compareWeights(const char* a, int lengthA, const char* b, int lengthB)
{
    auto pa = reinterpret_cast<const unsigned char*>(a);
    auto pb = reinterpret_cast<const unsigned char*>(b);
    const auto ea = pa + lengthA;
    const auto eb = pb + lengthB;
    while (pa < ea && pb < eb) {
        // Plain ASCII on both sides is the common case.
        unsigned wa, wb;
        if (*pa < 0x80 && *pb < 0x80) {
            wa = kAscii[*pa++];
            wb = kAscii[*pb++];
        } else {
            wa = weightOf(nextCodePoint(pa, ea));
            wb = weightOf(nextCodePoint(pb, eb));
        }
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (pa < ea) return 1;
    if (pb < eb) return -1;
    return 0;
}

int foldedCallback(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareFolded(static_cast<const char*>(a), lengthA, static_cast<const char*>(b),
                         lengthB);
}

int casedCallback(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    return compareCased(static_cast<const char*>(a), lengthA, static_cast<const char*>(b), lengthB);
}

} // namespace

int compareFolded(const char* a, int lengthA, const char* b, int lengthB)
{
    return compareWeights(a, lengthA, b, lengthB);
}

int compareCased(const char* a, int lengthA, const char* b, int lengthB)
{
    if (const int byWeight = compareWeights(a, lengthA, b, lengthB)) return byWeight;
    const int common = std::min(lengthA, lengthB);
    if (const int bytes = std::memcmp(a, b, size_t(common))) return bytes < 0 ? -1 : 1;
    return lengthA == lengthB ? 0 : (lengthA < lengthB ? -1 : 1);
}

int compare(const QString& a, const QString& b, bool caseInsensitive)
{
    const QByteArray ua = a.toUtf8();
    const QByteArray ub = b.toUtf8();
    return caseInsensitive
               ? compareFolded(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()))
               : compareCased(ua.constData(), int(ua.size()), ub.constData(), int(ub.size()));
}

void registerOn(sqlite3* handle)
{
    if (sqlite3_create_collation(handle, kFolded, SQLITE_UTF8, nullptr, foldedCallback) !=
            SQLITE_OK ||
        sqlite3_create_collation(handle, kCased, SQLITE_UTF8, nullptr, casedCallback) != SQLITE_OK)
        throw AppError(QStringLiteral("Türkçe sıralama veritabanına tanıtılamadı."),
                       QString::fromUtf8(sqlite3_errmsg(handle)));
}

} // namespace TurkishCollation
