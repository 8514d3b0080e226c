#include "widgets/Barkod.h"

#include "store/AppError.h"

#include <QPainter>
#include <array>
#include <cmath>

namespace {

const char* const kNames[] = {"2_5_interleaved",
                              "2_5_industrial",
                              "2_5_matrix",
                              "Code39",
                              "Code39 Extended",
                              "Code128A",
                              "Code128B",
                              "Code128C",
                              "Code93",
                              "Code93 Extended",
                              "MSI",
                              "PostNet",
                              "Codebar",
                              "EAN8",
                              "EAN13",
                              "UPC_A",
                              "UPC_E0",
                              "UPC_E1",
                              "UPC Supp2",
                              "UPC Supp5",
                              "EAN128A",
                              "EAN128B",
                              "EAN128C"};

// EAN sets as seven modules each, 1 for a bar.
const char* const kSetA[] = {"0001101", "0011001", "0010011", "0111101", "0100011",
                             "0110001", "0101111", "0111011", "0110111", "0001011"};
const char* const kSetB[] = {"0100111", "0110011", "0011011", "0100001", "0011101",
                             "0111001", "0000101", "0010001", "0001001", "0010111"};
const char* const kSetC[] = {"1110010", "1100110", "1101100", "1000010", "1011100",
                             "1001110", "1010000", "1000100", "1001000", "1110100"};
// Which of the six left digits of EAN-13 use set B, by the first digit.
const char* const kParity[] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                               "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};

// Code 39: bar, space, bar, space, bar, space, bar, space, bar; 1 is wide.
const QString kCode39Chars = QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%");
const char* const kCode39[] = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000",
    "000100101", "100100100", "001100100", "100001001", "001001001", "101001000", "000011001",
    "100011000", "001011000", "000001101", "100001100", "001001100", "000011100", "100000011",
    "001000011", "101000010", "000010011", "100010010", "001010010", "000000111", "100000110",
    "001000110", "000010110", "110000001", "011000001", "111000000", "010010001", "110010000",
    "011010000", "010000101", "110000100", "011000100", "010101000", "010100010", "010001010",
    "000101010"};
const char* const kCode39Star = "010010100";

// Module bits ("1" bar) into element codes: each run becomes one element of its width class.
QString runsToElements(const QString& bits)
{
    QString out;
    for (int i = 0; i < bits.size();) {
        int j = i;
        while (j < bits.size() && bits[j] == bits[i])
            ++j;
        const int width = j - i;
        out += QChar((bits[i] == QLatin1Char('1') ? '5' : '0') + (width - 1));
        i = j;
    }
    return out;
}

int modulo10(const QString& digits)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i) {
        const int d = digits[digits.size() - 1 - i].digitValue();
        sum += (i % 2 == 0) ? 3 * d : d;
    }
    return (10 - sum % 10) % 10;
}

QString numeric(const QString& text)
{
    const QString t = text.trimmed();
    for (const QChar c : t)
        if (!c.isDigit() || c.unicode() > '9')
            throw AppError(QStringLiteral("Barcode must be numeric"));
    return t;
}

QString ean13(const QString& text, bool check)
{
    QString t = numeric(text);
    if (check) {
        t = t.rightJustified(12, QLatin1Char('0'));
        if (t.size() == 12) {
            t += QString::number(modulo10(t));
        } else if (t.size() == 13 && t.back().digitValue() != modulo10(t.left(12))) {
            // A check was asked for: a code whose own check digit is wrong would scan as
            // another article.
            throw AppError(QStringLiteral("Invalid check digit (EAN13)"));
        }
    } else {
        t = t.rightJustified(13, QLatin1Char('0'));
    }
    if (t.size() != 13) throw AppError(QStringLiteral("Invalid Text len (EAN13)"));
    const char* parity = kParity[t[0].digitValue()];
    QString bits = QStringLiteral("101");
    for (int i = 1; i <= 6; ++i)
        bits += QLatin1String(parity[i - 1] == 'A' ? kSetA[t[i].digitValue()]
                                                   : kSetB[t[i].digitValue()]);
    bits += QStringLiteral("01010");
    for (int i = 7; i <= 12; ++i)
        bits += QLatin1String(kSetC[t[i].digitValue()]);
    bits += QStringLiteral("101");
    return runsToElements(bits);
}

QString ean8(const QString& text, bool check)
{
    QString t = numeric(text);
    if (check) {
        t = t.rightJustified(7, QLatin1Char('0')).right(7);
        t += QString::number(modulo10(t));
    } else {
        t = t.rightJustified(8, QLatin1Char('0'));
    }
    if (t.size() != 8) throw AppError(QStringLiteral("Invalid Text len (EAN8)"));
    QString bits = QStringLiteral("101");
    for (int i = 0; i < 4; ++i)
        bits += QLatin1String(kSetA[t[i].digitValue()]);
    bits += QStringLiteral("01010");
    for (int i = 4; i < 8; ++i)
        bits += QLatin1String(kSetC[t[i].digitValue()]);
    bits += QStringLiteral("101");
    return runsToElements(bits);
}

QString code39(const QString& text, bool check)
{
    const auto character = [](const char* pattern, bool gap) {
        QString out;
        for (int i = 0; i < 9; ++i) {
            const bool bar = i % 2 == 0;
            const bool wide = pattern[i] == '1';
            out += QChar((bar ? '5' : '0') + (wide ? 1 : 0));
        }
        if (gap) out += QLatin1Char('0');
        return out;
    };
    QString out = character(kCode39Star, true);
    int sum = 0;
    for (const QChar c : text) {
        const int at = int(kCode39Chars.indexOf(c));
        // A character left out would make the label encode another code: refuse it instead.
        if (at < 0)
            throw AppError(
                QStringLiteral(
                    "Code 39 ile yazılamayan karakter: '%1' (yalnız rakamlar, büyük harfler A-Z, "
                    "boşluk ve - . $ / + % kullanılabilir)")
                    .arg(c));
        sum += at;
        out += character(kCode39[at], true);
    }
    if (check) out += character(kCode39[sum % 43], true);
    out += character(kCode39Star, false);
    return out;
}

} // namespace

QString TZemrakBarkod::typeName(Tip tip)
{
    return QLatin1String(kNames[int(tip)]);
}

void TZemrakBarkod::setModul(int modul)
{
    if (modul >= 1 && modul <= 49) modul_ = modul;
}

std::array<int, 4> TZemrakBarkod::widths() const
{
    double ratio = Oran;
    switch (tip) {
    case bcCode_2_5_interleaved:
    case bcCode_2_5_industrial:
    case bcCode39:
    case bcCode39Extended:
    case bcCodeCodabar:
    case bcCodeEAN8:
    case bcCodeEAN13:
    case bcCodeUPC_A:
    case bcCodeUPC_E0:
    case bcCodeUPC_E1:
    case bcCodeUPC_Supp2:
    case bcCodeUPC_Supp5:
        ratio = std::clamp(ratio, 2.0, 3.0);
        break;
    case bcCode_2_5_matrix:
        ratio = std::clamp(ratio, 2.25, 3.0);
        break;
    default:
        break;
    }
    const int wide = int(std::lround(modul_ * ratio));
    return {modul_, wide, wide * 3 / 2, wide * 2};
}

QString TZemrakBarkod::elements() const
{
    const bool check = IslemKontrolu && IslemKontrolMetodu == csmModulo10;
    switch (tip) {
    case bcCodeEAN13:
        return ean13(Metin, check);
    case bcCodeEAN8:
        return ean8(Metin, check);
    case bcCodeUPC_A: {
        // UPC-A is EAN-13 with a leading zero.
        QString t = numeric(Metin);
        if (t.size() > 12) throw AppError(QStringLiteral("Invalid Text len (UPC_A)"));
        if (check)
            t = t.rightJustified(11, QLatin1Char('0')) +
                QString::number(modulo10(t.rightJustified(11, QLatin1Char('0'))));
        return ean13(QLatin1Char('0') + t.rightJustified(12, QLatin1Char('0')), false);
    }
    case bcCode39:
        return code39(Metin, IslemKontrolu);
    default:
        break;
    }
    throw AppError(QStringLiteral("%1 barkod türü desteklenmiyor.").arg(typeName(tip)));
}

int TZemrakBarkod::Genislik() const
{
    const auto w = widths();
    int total = 0;
    for (const QChar c : elements())
        total += w[size_t((c.unicode() - '0') % 5)];
    return total;
}

void TZemrakBarkod::draw(QPainter& painter) const
{
    const QString codes = elements();
    const auto w = widths();
    painter.save();
    painter.translate(Sol, Ust);
    painter.rotate(-Aci);
    painter.setPen(Qt::NoPen);
    int x = 0;
    for (const QChar c : codes) {
        const int code = c.unicode() - '0';
        const int width = w[size_t(code % 5)];
        painter.fillRect(QRect(x, 0, width, Yukseklik), code >= 5 ? RenkBar : RenkBosluk);
        x += width;
    }
    painter.restore();
}

QImage TZemrakBarkod::image() const
{
    QImage picture(std::max(1, Genislik()), std::max(1, Yukseklik), QImage::Format_RGB32);
    picture.fill(RenkBosluk);
    TZemrakBarkod at = *this;
    at.Sol = at.Ust = 0;
    at.Aci = 0;
    QPainter painter(&picture);
    at.draw(painter);
    return picture;
}
