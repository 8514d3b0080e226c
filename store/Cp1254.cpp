#include "store/Cp1254.h"

#include <array>

namespace Cp1254 {
namespace {

// 0x80-0x9F; 0 marks a byte without a character.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0,      0x0178};

char16_t toUnicode(unsigned char byte)
{
    if (byte < 0x80) return byte;
    if (byte < 0xA0) return kHigh[byte - 0x80];
    switch (byte) {
    case 0xD0:
        return u'Ğ';
    case 0xDD:
        return u'İ';
    case 0xDE:
        return u'Ş';
    case 0xF0:
        return u'ğ';
    case 0xFD:
        return u'ı';
    case 0xFE:
        return u'ş';
    default:
        return byte; // the rest of A0-FF is Latin-1
    }
}

} // namespace

std::optional<QString> decode(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const char16_t u = toUnicode(static_cast<unsigned char>(c));
        if (u == 0 && c != 0) return std::nullopt;
        text.append(QChar(u));
    }
    return text;
}

QByteArray encode(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar qc : text) {
        const char16_t u = qc.unicode();
        if (u < 0x80) {
            bytes.append(char(u));
            continue;
        }
        char out = '?';
        for (int b = 0x80; b <= 0xFF; ++b) {
            if (toUnicode(static_cast<unsigned char>(b)) == u) {
                out = char(b);
                break;
            }
        }
        bytes.append(out);
    }
    return bytes;
}

} // namespace Cp1254
