#include <gtest/gtest.h>

#include "ResultCsv.h"

#include <clocale>

namespace {

QuantitationRow row(std::u16string name, double concentration, bool valid, bool detected)
{
    QuantitationRow r;
    r.name = std::move(name);
    r.concentration = concentration;
    r.valid = valid;
    r.detected = detected;
    r.contributions = valid ? 2 : 0;
    return r;
}

} // namespace

// The test program runs in the decimal-comma locale of its environment; the text must not change.
TEST(ResultCsv, RowsQuotedAndNumbersWithAPoint)
{
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
    const std::vector<QuantitationRow> rows = {
        row(u"Этанол", 2.6, true, true),
        row(u"Изо,бутанол \"ч\"", 1234.5, true, true),
        row(u"Метанол", 3.5, true, true),
        row(u"Пропанол", 0, false, true),
        row(u"Бутанол", 0, false, false),
    };
    std::vector<ParallelRuns> runs(5);
    runs[0] = {{2.5, 2.7}, 0.2 / 2.6 * 100, 10.0, true};
    runs[1] = {{1200.25, 1268.75}, 68.5 / 1234.5 * 100, 5.0, false};
    runs[2] = {{3.5}, std::nullopt, 2.0, false};
    runs[3] = {{}, std::nullopt, std::nullopt, std::nullopt};
    runs[4] = {{}, std::nullopt, 0.5, false};
    EXPECT_EQ(resultCsv(rows, runs),
              "component,concentration,unit,valid,detected,x1,x2,relativeDifference,limit,accepted\r\n"
              "Этанол,2.6,мг/дм3,true,true,2.5,2.7,7.6923076923076925,10,true\r\n"
              "\"Изо,бутанол \"\"ч\"\"\",1234.5,мг/дм3,true,true,1200.25,1268.75,5.548805184285135,5,false\r\n"
              "Метанол,3.5,мг/дм3,true,true,3.5,,,2,false\r\n"
              "Пропанол,,мг/дм3,false,true,,,,,\r\n"
              "Бутанол,,мг/дм3,false,false,,,,0.5,false\r\n");
    std::setlocale(LC_ALL, "C");
}

TEST(ResultCsv, RoundTripNumbers)
{
    ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
    const std::vector<std::pair<double, std::string>> cases = {
        {0.1, "0.1"}, {2.6, "2.6"}, {-0.125, "-0.125"}, {1e21, "1e+21"}, {1e-7, "1e-07"}, {0, "0"},
        {std::numeric_limits<double>::quiet_NaN(), ""}, {std::numeric_limits<double>::infinity(), ""},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(roundTripNumber(value), text) << value;
    std::setlocale(LC_ALL, "C");
}
