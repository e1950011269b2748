// How the documents write numbers and the types, whoever wrote the text they print.
#include "documents/typography.h"

#include <gtest/gtest.h>

namespace {

const QString nb(QChar(0x00A0));
const QString minus(QChar(0x2212));

TEST(Typography, PrintedTextHasOneMinusSignNonBreakingSpacesAndYo)
{
    const struct {
        QString text, printed;
    } cases[] = {
        {"-10,14 *", minus + "10,14 *"},
        {"от -3 до (-0,5)", "от " + minus + "3 до (" + minus + "0,5)"},
        {"2026-12-07, t-тест, бизнес-процессов", "2026-12-07, t-тест, бизнес-процессов"},
        {"при p < 0,05 и N = 21", "при p" + nb + "<" + nb + "0,05 и N" + nb + "=" + nb + "21"},
        {"95 % интервал, 2,5 %", "95" + nb + "% интервал, 2,5" + nb + "%"},
        {"Управление наемными работниками; ее течение",
         "Управление наёмными работниками; её течение"},
        {"Ее нее неверно", "Её неё неверно"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(documents::printedText(c.text), c.printed) << c.text.toStdString();
}

TEST(Typography, NumbersAndLabels)
{
    EXPECT_EQ(documents::signedPoints(-3.5, 2), minus + "3,50");
    EXPECT_EQ(documents::signedPoints(14.2), "+14");
    EXPECT_EQ(documents::signedPoints(-0.004, 2), "0,00");
    EXPECT_EQ(documents::respondentCount(21), "N" + nb + "=" + nb + "21");
    EXPECT_EQ(documents::significanceLevel(), "p" + nb + "<" + nb + "0,05");
    EXPECT_EQ(documents::pStatement(0.00001), "p" + nb + "<" + nb + "0,0001");
    EXPECT_EQ(documents::percent(95), "95" + nb + "%");
    EXPECT_EQ(documents::typeLabels({0, 3}), "Клан [A], Иерархия [D]");
    EXPECT_TRUE(documents::typeLabel(4).isEmpty());
}

} // namespace
