#include "input/XmlValue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <random>
#include <vector>

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
    // Random values across the magnitudes, floats widened as ANDI files give them, values with
    // few fraction bits where the eighteenth digit is an exact 5 (ties round to even), and the
    // neighbours of powers of ten where the digit count changes.
    std::mt19937_64 random(17);
    std::vector<double> many = {1234567890123456.75, 1234567890123456.25, 0.00010000000000000002, 9999999999999998.0,
                                9.9999999999999995e-5, 1e-4, 1e16, 999999999999999.875};
    for (int i = 0; i < 40000; ++i) {
        const double exponent = std::uniform_real_distribution<double>(-6, 18)(random);
        const double value = std::pow(10.0, exponent) * (i % 2 ? -1 : 1);
        many.push_back(value);
        many.push_back(static_cast<double>(static_cast<float>(value)));
        many.push_back(std::ldexp(static_cast<double>(random() >> 11), -static_cast<int>(random() % 64)));
        many.push_back(std::nextafter(std::pow(10.0, static_cast<int>(exponent)), i % 3 == 0 ? 0.0 : 1e300));
    }
    int mismatches = 0;
    for (double value : many) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%.17g", value);
        if (xmlvalue::fromDouble(value) != expected && ++mismatches <= 10)
            ADD_FAILURE() << expected << " written as " << xmlvalue::fromDouble(value);
    }
    EXPECT_EQ(mismatches, 0) << "of " << many.size();
    uselocale(previous);
    freelocale(cLocale);
}

} // namespace
