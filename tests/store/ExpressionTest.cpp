#include "store/Expression.h"
#include "store/AppError.h"
#include "support/TempDir.h"

#include <QDate>
#include <gtest/gtest.h>

TEST(DateLiteral, AcceptsTheThreeWrittenForms)
{
    EXPECT_EQ(parseDateLiteral("31.12.2005"), QDate(2005, 12, 31));
    EXPECT_EQ(parseDateLiteral("1.2.05"), QDate(2005, 2, 1));
    EXPECT_EQ(parseDateLiteral("12/31/2005"), QDate(2005, 12, 31));
    EXPECT_EQ(parseDateLiteral("2005-12-31"), QDate(2005, 12, 31));
    EXPECT_FALSE(parseDateLiteral("31.02.2005").isValid());
    EXPECT_FALSE(parseDateLiteral("2005").isValid());
    EXPECT_FALSE(parseDateLiteral("").isValid());
}

TEST(FilterCompiler, BindsEveryLiteral)
{
    const TableDef def = sampleTableDef();
    const SqlFragment f = ConditionCompiler::compileFilter(
        "(Kodu >= 'A''B' and Tutar < 10.5) or Tarih = 01.02.2005 or not Adet <> -3", def);
    EXPECT_FALSE(f.sql.contains("A'B"));
    EXPECT_FALSE(f.sql.contains("10.5"));
    ASSERT_EQ(f.params.size(), 4);
    EXPECT_EQ(f.params[0].toString(), "A'B");
    EXPECT_DOUBLE_EQ(f.params[1].toDouble(), 10.5);
    EXPECT_EQ(f.params[2].toString(), "2005-02-01");
    EXPECT_EQ(f.params[3].toLongLong(), -3);
}

TEST(FilterCompiler, RefusesMalformedExpressions)
{
    const TableDef def = sampleTableDef();
    const char* bad[] = {
        "Kodu = ",                 // missing operand
        "Yok = 1",                 // unknown field
        "Kodu = 'abc",             // unclosed quote
        "(Kodu = 'a'",             // unclosed parenthesis
        "Kodu = 'a' Unvani = 'b'", // missing and/or
        "Tutar = 'çok'",           // not a number
        "Tarih > '32.13.2005'",    // not a date
        "Kodu ; drop table Kart",  // not an operator
        "Kodu = 'a' or",           // dangling or
        "Not = 'x'",               // memo cannot be compared
        "Tutar = １",              // fullwidth digit: refused, not read forever
        "Tutar = ٣",               // Arabic-Indic digit
        "Tutar = 1٣",
    };
    for (const char* text : bad)
        EXPECT_THROW(ConditionCompiler::compileFilter(text, def), AppError) << text;
}

TEST(FilterCompiler, MirrorsLiteralOnTheLeft)
{
    const SqlFragment f = ConditionCompiler::compileFilter("5 < Adet", sampleTableDef());
    EXPECT_TRUE(f.sql.contains("> ?")) << f.sql.toStdString();
}
