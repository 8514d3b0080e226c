#include "widgets/MoneyKeypad.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString typed(MoneyKeypad& pad, const QString& keys)
{
    for (const QChar c : keys) {
        if (c == QLatin1Char('<'))
            pad.press(MoneyKeypad::Key::Backspace);
        else if (c == QLatin1Char('>'))
            pad.press(MoneyKeypad::Key::Delete);
        else
            pad.pressChar(c);
    }
    return pad.text();
}

} // namespace

TEST(MoneyKeypad, TypesLikeACashRegister)
{
    MoneyKeypad pad(2);
    EXPECT_EQ(pad.text(), "0.00");
    EXPECT_EQ(pad.cursor(), 1); // before the decimal separator
    EXPECT_EQ(typed(pad, "1234"), "1,234.00");
    EXPECT_EQ(typed(pad, ",5"), "1,234.50");
    EXPECT_EQ(typed(pad, " "), "1,234,500.00");
    EXPECT_DOUBLE_EQ(pad.value(), 1234500);

    MoneyKeypad back(2);
    typed(back, "1234,5");
    EXPECT_EQ(typed(back, "<"), "1,234.00"); // backspace right after the 5
    EXPECT_EQ(typed(back, "<"), "123.00");   // over the decimal separator into the whole part
    EXPECT_EQ(typed(back, "-x"), "123.00");  // "-" and letters are ignored
    EXPECT_EQ(typed(back, ".99"), "123.99");
    EXPECT_EQ(typed(back, "7"), "123.99"); // at the very end a digit is ignored
}

TEST(MoneyKeypad, WholeAmountsAndLimits)
{
    for (int decimals : {0, -1}) {
        MoneyKeypad pad(decimals);
        EXPECT_EQ(typed(pad, "12.345"), "12,345");
        EXPECT_FALSE(pad.text().contains('.'));
    }
    MoneyKeypad limited(2, 18);
    EXPECT_EQ(limited.maxLength(), 18);
    typed(limited, "9999999999999,99");
    EXPECT_EQ(limited.text(), "999,999,999,999.99");
    MoneyKeypad reduced(2, 19); // the whole part may not end on a bare separator
    EXPECT_EQ(reduced.maxLength(), 18);
    // As an entry window makes it: the length of 20 first, the decimals after. The rule applies
    // once, to the length asked for: twenty characters hold 13 whole digits and 2 decimals.
    MoneyKeypad entry(-1, 20);
    EXPECT_EQ(entry.maxLength(), 19);
    entry.setDecimals(2);
    EXPECT_EQ(entry.maxLength(), 20);
    EXPECT_EQ(typed(entry, "99999999999999999999,99"), "9,999,999,999,999.99");
    MoneyKeypad prices(4);
    EXPECT_EQ(prices.displayMask(), "#,##0.0000");
    prices.setValue(12.5);
    EXPECT_EQ(prices.text(), "12.5000");
    // Deleting in the whole part steps over separators.
    MoneyKeypad pad(2);
    typed(pad, "1234567");
    pad.setCursor(2);
    EXPECT_EQ(typed(pad, ">"), "134,567.00");
}

TEST(MoneyKeypad, EmptyAllowedStaysEmpty)
{
    MoneyKeypad pad(2, 20, true);
    EXPECT_EQ(pad.text(), "");
    EXPECT_DOUBLE_EQ(pad.value(), 0);
    EXPECT_EQ(typed(pad, " "), "");
    EXPECT_EQ(typed(pad, "18"), "18.00");
}

TEST(FreeNumber, FormattedOnLeaving)
{
    EXPECT_EQ(formatFreeNumber("-1234.5", true), "-1,234.5");
    EXPECT_EQ(formatFreeNumber("", true), "0");
    EXPECT_EQ(formatFreeNumber("12.", true), "12");
    EXPECT_EQ(formatFreeNumber("0012.50", true), "12.5");
    EXPECT_EQ(formatFreeNumber("1234567", false), "1234567");
    EXPECT_EQ(formatFreeNumber("1,234", true), "1,234");
}
