#include "core/number_format.h"

#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace numfmt;

TEST(FormatFixed, RoundsHalvesAwayFromZeroOnTheDecimalValue)
{
    EXPECT_EQ(formatFixed(8.125, 5, 2, '.'), QStringLiteral(" 8.13"));
    EXPECT_EQ(formatFixed(0.145, 5, 2, '.'), QStringLiteral(" 0.15"));
    EXPECT_EQ(formatFixed(-8.125, 5, 2, '.'), QStringLiteral("-8.13"));
    EXPECT_EQ(formatFixed(50.0 / 6, 5, 2, '.'), QStringLiteral(" 8.33"));
    EXPECT_EQ(formatFixed(100.0 / 6, 5, 2, '.'), QStringLiteral("16.67"));
    EXPECT_EQ(formatFixed(9.995, 5, 2, '.'), QStringLiteral("10.00"));
    EXPECT_EQ(formatFixed(2.5, 4, 0, '.'), QStringLiteral("   3"));
    EXPECT_EQ(formatFixed(-0.001, 5, 2, '.'), QStringLiteral("-0.00"));
    EXPECT_EQ(formatFixed(-0.4, 4, 0, '.'), QStringLiteral("  -0"));
}

TEST(FormatFixed, WidthIsAMinimumAndSeparatorIsTheCallers)
{
    EXPECT_EQ(formatFixed(25, 5, 2, '.'), QStringLiteral("25.00"));
    EXPECT_EQ(formatFixed(100, 5, 2, '.'), QStringLiteral("100.00"));
    EXPECT_EQ(formatFixed(100, 5, 2, ','), QStringLiteral("100,00"));
    EXPECT_EQ(formatFixed(50.0 / 6, 5, 2, ','), QStringLiteral(" 8,33"));
    EXPECT_EQ(formatFixed(0, 5, 2, '.'), QStringLiteral(" 0.00"));
    EXPECT_EQ(formatFixed(1e20, 1, 2, '.'), QStringLiteral("100000000000000000000.00"));
}

TEST(ParseFloat, AcceptsTheGrammarWithTheGivenSeparator)
{
    EXPECT_EQ(parseFloat(QStringLiteral(" 8.33"), '.'), 8.33);
    EXPECT_EQ(parseFloat(QStringLiteral(" 8,33"), ','), 8.33);
    EXPECT_EQ(parseFloat(QStringLiteral("100.00"), '.'), 100.0);
    EXPECT_EQ(parseFloat(QStringLiteral("-1.5e2 "), '.'), -150.0);
    EXPECT_EQ(parseFloat(QStringLiteral("+3E-1"), '.'), 0.3);
    EXPECT_EQ(parseFloat(QStringLiteral("0"), '.'), 0.0);
    EXPECT_EQ(parseFloat(QStringLiteral(".5"), '.'), 0.5);
    EXPECT_EQ(parseFloat(QStringLiteral("5."), '.'), 5.0);
}

TEST(ParseFloat, RejectsEverythingElse)
{
    for (const char *bad : {"", " ", "8,33", "abc", "1e", "1e+", "-", ".", "1.2.3", "1 2", "0x10",
                            "1e400", "inf", "nan", "12a"})
        EXPECT_FALSE(parseFloat(QString::fromLatin1(bad), '.')) << bad;
    EXPECT_FALSE(parseFloat(QStringLiteral("8.33"), ','));
}

TEST(ParseInt32, FieldsOfAnswerLines)
{
    EXPECT_EQ(parseInt32(QStringLiteral("  25")), 25);
    EXPECT_EQ(parseInt32(QStringLiteral("-7")), -7);
    EXPECT_EQ(parseInt32(QStringLiteral("+7")), 7);
    EXPECT_EQ(parseInt32(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(parseInt32(QStringLiteral("-2147483648")), INT32_MIN);
    for (const char *bad : {"", "    ", "25  ", "2147483648", "-2147483649", "99999999999999999999",
                            "1.0", "- 1", "+", "$10", "\t5"})
        EXPECT_FALSE(parseInt32(QString::fromLatin1(bad))) << bad;
}

TEST(RoundTiesEven, ExtendedPrecisionProducts)
{
    EXPECT_EQ(roundTiesEven(336.0L * 3.375 / 108), 10); // 10.5 ties to even
    EXPECT_EQ(roundTiesEven(343.0L * 3.375 / 108), 11);
    EXPECT_EQ(roundTiesEven(11.5L), 12);
    EXPECT_EQ(roundTiesEven(-2.5L), -2);
    EXPECT_EQ(roundTiesEven(343.0L / 11), 31);
    EXPECT_EQ(roundTiesEven(1e300L), 1 << 24);
    EXPECT_EQ(roundTiesEven(-1e300L), -(1 << 24));
}

// The suite runs in a Russian desktop's locale, as users do; the C library's numbers, which
// libraries such as the workbook's write and read with, must stay C there.
TEST(CLibraryNumbers, StayCUnderTheDesktopsLocale)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f|%.16G", 27.33, 0.125);
    EXPECT_STREQ(text, "27.33|0.125");
    EXPECT_EQ(std::strtod("27.33", nullptr), 27.33);
}
