#include "input/XmlValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>

namespace {

TEST(XmlValue, IntegersTakeSignHexadecimalAndSaturate)
{
    EXPECT_EQ(xmlvalue::toInt32(" \t\n+42abc"), 42);
    EXPECT_EQ(xmlvalue::toInt32("-0x1F"), -31);
    EXPECT_EQ(xmlvalue::toInt32("0XfF"), 255);
    EXPECT_EQ(xmlvalue::toInt32("0x"), 0);
    EXPECT_EQ(xmlvalue::toInt32("2147483647"), 2147483647);
    EXPECT_EQ(xmlvalue::toInt32("2147483648"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(xmlvalue::toInt32("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(xmlvalue::toInt32("-99999999999999999999999"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(xmlvalue::toInt32("0x100000000"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(xmlvalue::toInt32("000000000000000000000012"), 12) << "leading zeros do not overflow";
    EXPECT_EQ(xmlvalue::toInt32("1,5"), 1);
    EXPECT_EQ(xmlvalue::toInt32(""), 0);
    EXPECT_EQ(xmlvalue::toInt32(nullptr), 0);
    EXPECT_EQ(xmlvalue::toInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
    EXPECT_EQ(xmlvalue::toInt64("9223372036854775808"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(xmlvalue::toInt64("0x7FFFFFFFFFFFFFFF"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(xmlvalue::toUInt32("4294967295"), 4294967295u);
    EXPECT_EQ(xmlvalue::toUInt32("4294967296"), 4294967295u);
    EXPECT_EQ(xmlvalue::toUInt32("-1"), 0u);
    EXPECT_EQ(xmlvalue::toUInt32("0xFFFFFFFF"), 4294967295u);
}

TEST(XmlValue, DoublesUseThePointWhateverTheLocale)
{
    EXPECT_EQ(xmlvalue::toDouble("2.5"), 2.5);
    EXPECT_EQ(xmlvalue::toDouble("  -2.5e3x"), -2500);
    EXPECT_EQ(xmlvalue::toDouble("+.5"), 0.5);
    EXPECT_EQ(xmlvalue::toDouble("0,5"), 0) << "a comma ends the number";
    EXPECT_EQ(xmlvalue::toDouble("0x10"), 16);
    EXPECT_EQ(xmlvalue::toDouble("abc"), 0);
    EXPECT_EQ(xmlvalue::toDouble(""), 0);
    EXPECT_TRUE(std::isinf(xmlvalue::toDouble("1e400")));
    EXPECT_TRUE(std::isnan(xmlvalue::toDouble("nan")));
    EXPECT_EQ(xmlvalue::toDouble(nullptr), 0);
}

TEST(XmlValue, BooleansLookAtTheFirstCharacter)
{
    for (const char* yes : {"1", "t", "T", "true", "y", "Yes", "10"})
        EXPECT_TRUE(xmlvalue::toBool(yes)) << yes;
    for (const char* no : {"0", "false", "no", "", " true", "N"})
        EXPECT_FALSE(xmlvalue::toBool(no)) << no;
    EXPECT_FALSE(xmlvalue::toBool(nullptr));
}

TEST(XmlValue, WritingKeepsEveryBitAndThePoint)
{
    EXPECT_EQ(xmlvalue::fromDouble(0.1), "0.10000000000000001");
    EXPECT_EQ(xmlvalue::fromDouble(2.5), "2.5");
    EXPECT_EQ(xmlvalue::fromDouble(-0.0), "-0");
    EXPECT_EQ(xmlvalue::fromInt64(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(xmlvalue::fromUInt32(4294967295u), "4294967295");
    for (double value : {0.1, 1.0 / 3, 1e-310, 6.02214076e23, -123456.789, std::numeric_limits<double>::max()})
        EXPECT_EQ(xmlvalue::toDouble(xmlvalue::fromDouble(value).c_str()), value);
}

// The writer's own formatting must give printf's "%.17g" text in the C locale for every kind of
// value, the short cuts for zero included.
TEST(XmlValue, WritingMatchesPrintfInTheCLocale)
{
    locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    ASSERT_NE(cLocale, static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    const double values[] = {0.0, -0.0, 1.0, -1.0, 0.1, 1.0 / 3, 1e17, 1e16, 123456789012345678.0, 5e-324, 2.2250738585072014e-308,
                             std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(), 1e-5, 1e-4, 99999999999999999.0,
                             std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                             static_cast<double>(3.14159274f)};
    for (double value : values) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.17g", value);
        EXPECT_EQ(xmlvalue::fromDouble(value), expected);
    }
    uselocale(previous);
    freelocale(cLocale);
}

} // namespace
