#include "platform/Format.h"
#include "platform/NumberParse.h"
#include "platform/Text.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <locale.h>
#include <random>
#include <string>
#include <vector>

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

TEST(Format, NumbersMatchPrintfInTheCLocale)
{
    // The common directives take a path of their own; printf under the C locale is the reference.
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    ASSERT_NE(c, static_cast<locale_t>(0));
    std::mt19937_64 random(11);
    const char* directives[] = {"%.0f", "%.1f", "%.2f", "%.3f", "%.4g", "%.6g", "%.17g", "%.3e", "%.f", "%8.3f", "%g"};
    const double specials[] = {0.0, -0.0, 0.05, 0.25, 0.35, 2.5, 1e-320, 1e300, -1e-7, 123456789.125,
                               std::nan(""), INFINITY, -INFINITY, 0.1 + 0.2};
    std::vector<double> values(std::begin(specials), std::end(specials));
    for (int i = 0; i < 2000; ++i) {
        const uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        values.push_back(i % 2 ? v : std::ldexp(static_cast<double>(bits % 2000000) - 1e6, static_cast<int>(bits % 40) - 20));
    }
    for (const char* directive : directives) {
        for (double v : values) {
            char expected[512];
            locale_t previous = uselocale(c);
            std::snprintf(expected, sizeof expected, directive, v);
            uselocale(previous);
            EXPECT_EQ(format8(directive, {v}), expected) << directive << " of " << v;
            const std::u16string wide(directive, directive + std::strlen(directive));
            EXPECT_EQ(platform::utf16ToUtf8(format(wide, {v})), expected) << directive << " of " << v;
        }
    }
    freelocale(c);
    for (long long v : {0LL, -1LL, 42LL, 2147483647LL, -9223372036854775807LL - 1})
        EXPECT_EQ(format8("%d", {v}), std::to_string(v));
}

// Up to three decimals of numbers below 1e15 are rounded in integers of their own; printf stays the
// reference, above all at exact ties, which round to the even neighbour, and just beside them.
TEST(Format, ShortFixedDecimalsRoundLikePrintf)
{
    locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    ASSERT_NE(c, static_cast<locale_t>(0));
    std::mt19937_64 random(23);
    std::vector<double> values = {0.0, -0.0, 0.5, 1.5, 2.5, -2.5, 0.125, 0.375, -0.0625, 1e15, -1e15, 999999999999999.9,
                                  4.5e15, 0.00049999999999999999, 0.0005, -0.0005, 5e-324, -5e-324, 2.2250738585072014e-308,
                                  1e14 + 0.25, 123.4500001, 9.95, 9.949999999999999, 0.05, 0.15, 0.25, 0.35};
    for (int i = 0; i < 20000; ++i) {
        // Exact ties and their neighbours in every decimal position, in all magnitudes up to 1e15.
        const double tie = std::ldexp(static_cast<double>(random() % 100000) * 2 + 1, -static_cast<int>(random() % 12 + 1));
        values.push_back(tie);
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(-std::nextafter(tie, INFINITY));
        values.push_back(static_cast<double>(random() % 1000000000000000ull) / static_cast<double>(1ull << (random() % 50)));
    }
    for (const char* directive : {"%.0f", "%.1f", "%.2f", "%.3f"}) {
        const std::u16string wide(directive, directive + std::strlen(directive));
        for (double v : values) {
            char expected[512];
            locale_t previous = uselocale(c);
            std::snprintf(expected, sizeof expected, directive, v);
            uselocale(previous);
            ASSERT_EQ(platform::utf16ToUtf8(format(wide, {v})), expected) << directive << " of " << v;
            std::u16string appended = u"x";
            platform::appendFixed(appended, v, directive[2] - '0');
            ASSERT_EQ(platform::utf16ToUtf8(appended), std::string("x") + expected) << directive << " of " << v;
        }
    }
    freelocale(c);
}

TEST(Format, Utf16FormatsKeepTheirTextAndMendBrokenSurrogates)
{
    // The same rules whether the text passes through UTF-8 or not: a lone surrogate becomes U+FFFD,
    // a pair stays whole, also where it follows an unknown conversion.
    const std::u16string lone = u"a\xD800z";
    EXPECT_EQ(format(u"%s|%s", {lone, u"Этанол"}), u"a\xFFFDz|Этанол");
    EXPECT_EQ(format(lone, {}), u"a\xFFFDz");
    EXPECT_EQ(format(u"%\U0001F600x", {1}), u"%\U0001F600x");
    EXPECT_EQ(format(u"%5%|%ж", {}), u"%5%|%ж");
    EXPECT_EQ(format(u"%s: \"%s\", канал %d - время выхода вне окна.", {u"cal.stg", u"Метанол", 2}),
              u"cal.stg: \"Метанол\", канал 2 - время выхода вне окна.");
    EXPECT_EQ(format(u"%5s|%-3s|%.2s", {u"ёж", u"ы", u"Этанол"}), u"   ёж|ы  |Эт");
    EXPECT_EQ(format(u"%s", {std::string("\xD0\x96\xFF")}), u"Ж\xFFFD");
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
