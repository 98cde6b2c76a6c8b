#include "platform/Format.h"
#include "platform/NumberParse.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

using platform::format;
using platform::format8;

TEST(Format, ProcessLocaleHasADecimalComma)
{
    // Guards the other tests: they only prove something when printf itself would write a comma.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
    EXPECT_STREQ(buffer, "1,5") << "run under LC_ALL=ru_RU.UTF-8 with a QCoreApplication";
}

TEST(Format, FloatsUseAPointWhateverTheLocale)
{
    EXPECT_EQ(format8("%.1f|%.2f|%.3f", {1.25, 2.5, -0.0005}), "1.2|2.50|-0.001");
    EXPECT_EQ(format8("%.4g", {0.000123456}), "0.0001235");
    EXPECT_EQ(format8("%.4g", {123456.0}), "1.235e+05");
    EXPECT_EQ(format8("%.*g", {17, 0.1}), "0.10000000000000001");
    EXPECT_EQ(platform::formatNumberC("%.17g", 2.5), "2.5");
    EXPECT_EQ(format(u"%.3f", {std::nan("")}), u"nan");
}

TEST(Format, IntegersTextsAndPadding)
{
    EXPECT_EQ(format(u"%d;%s;%s;%.3f;%.2f;%d", {7, u"Этанол", std::u16string(u"-"), 1.5, 2.0, -1}),
              u"7;Этанол;-;1.500;2.00;-1");
    EXPECT_EQ(format8("Отчет_vexol_%04d-%02d-%02d.html", {2026, 3, 9}), "Отчет_vexol_2026-03-09.html");
    EXPECT_EQ(format8("100%% %s", {"готово"}), "100% готово");
    EXPECT_EQ(format8("%5s|%-4s|", {u"ab", u"ё"}), "   ab|ё   |");
    EXPECT_EQ(format8("%x %X %u", {255, 255, 4000000000u}), "ff FF 4000000000");
}

TEST(Format, MissingOrMismatchedArgumentsNeverCrash)
{
    EXPECT_EQ(format8("%d and %s", {5}), "5 and ");
    EXPECT_EQ(format8("%.2f", {3}), "3.00");
    EXPECT_EQ(format8("%d", {2.9}), "2");
    EXPECT_EQ(format8("%s", {1.5}), "1.5");
    EXPECT_EQ(format8("%q%d", {4}), "%q4");
    EXPECT_EQ(format8("trailing %", {}), "trailing %");
}

TEST(NumberParse, IntegersLikeTheComponentTable)
{
    EXPECT_EQ(platform::parseIntLoose(u" 7 "), 7);
    EXPECT_EQ(platform::parseIntLoose(u"\t-12abc"), -12);
    EXPECT_EQ(platform::parseIntLoose(u"abc"), 0);
    EXPECT_EQ(platform::parseIntLoose(u""), 0);
    EXPECT_EQ(platform::parseIntLoose(u"2.9"), 2);
    EXPECT_EQ(platform::parseIntLoose(u"99999999999999999999"), INT32_MAX);
    EXPECT_EQ(platform::parseIntLoose(u"-99999999999"), INT32_MIN);
}

TEST(NumberParse, DecimalCommaOrPoint)
{
    EXPECT_DOUBLE_EQ(platform::parseDecimalCommaOrPoint(u" 1,5 "), 1.5);
    EXPECT_DOUBLE_EQ(platform::parseDecimalCommaOrPoint(u"1.5"), 1.5);
    EXPECT_DOUBLE_EQ(platform::parseDecimalCommaOrPoint(u"12.5 mg"), 12.5);
    EXPECT_DOUBLE_EQ(platform::parseDecimalCommaOrPoint(u"мг"), 0.0);
    EXPECT_DOUBLE_EQ(platform::parseDecimalCommaOrPoint(u""), 0.0);
    EXPECT_TRUE(std::isnan(platform::parseDoubleLoose(u"nan")));
    EXPECT_TRUE(std::isinf(platform::parseDoubleLoose(u"1e400")));
    // A comma alone stops the loose parse: only the point is the separator there.
    EXPECT_DOUBLE_EQ(platform::parseDoubleLoose(u"1,5"), 1.0);
}
