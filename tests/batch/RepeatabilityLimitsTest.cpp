#include <gtest/gtest.h>

#include "CsvFields.h"
#include "RepeatabilityLimits.h"

#include <optional>
#include <string>
#include <vector>

TEST(RepeatabilityLimits, PercentAsTyped)
{
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"5", 5.0},      {" 2.5 ", 2.5},  {"2,5", 2.5},         {"0", 0.0},           {".5", 0.5},
        {"5.", 5.0},     {"", std::nullopt}, {"  ", std::nullopt}, {"-1", std::nullopt}, {"+1", std::nullopt},
        {"1e2", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}, {"1.2.3", std::nullopt},
        {".", std::nullopt}, {"5%", std::nullopt}, {"0x10", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(parsePercent(text), expected) << "'" << text << "'";
}

// Names are matched as peaks are matched to components: without regard to case (Russian letters
// included) and without the white space around them.
TEST(RepeatabilityLimits, FileLimitsByNameThenTheCommonOne)
{
    const std::string file = "\xEF\xBB\xBFname,percent\r\n"
                             "ЭТАНОЛ,5\r\n"
                             "  метанол , \"2,5\"\r\n"
                             "\r\n"
                             "\"Изо,бутанол \"\"ч\"\"\",7.5\r\n"
                             "ЁЛКА,1\n";
    RepeatabilityLimits limits;
    std::string error;
    ASSERT_TRUE(readRepeatabilityLimits(file, limits, error)) << error;
    EXPECT_EQ(limits.limitFor(u"этанол"), 5.0);
    EXPECT_EQ(limits.limitFor(u"Метанол"), 2.5);
    EXPECT_EQ(limits.limitFor(u"изо,Бутанол \"Ч\""), 7.5);
    EXPECT_EQ(limits.limitFor(u"ёлка"), 1.0);
    EXPECT_EQ(limits.limitFor(u"елка"), std::nullopt);   // Ё is not Е
    EXPECT_EQ(limits.limitFor(u"Пропанол"), std::nullopt);
    EXPECT_EQ(limits.limitFor(u"name"), std::nullopt);    // the header is no limit

    // A name no component takes up is told, whatever the case it is written in.
    EXPECT_EQ(limits.unusedNames({u"Этанол", u" метанол", u"Изо,бутанол \"ч\"", u"Пропанол"}),
              (std::vector<std::u16string>{u"ЁЛКА"}));

    limits.setDefault(10.0);
    EXPECT_EQ(limits.limitFor(u"Пропанол"), 10.0);
    EXPECT_EQ(limits.limitFor(u"ЭтАнОл"), 5.0);            // the file wins over the common limit
}

TEST(RepeatabilityLimits, FaultyFilesAreRefusedWithTheirLine)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Этанол,5\nэтанол,6\n", "line 2: "},        // named twice
        {"Этанол,-1\n", "line 1: "},
        {"Этанол,пять\n", "line 1: "},
        {"Этанол,5,6\n", "line 1: "},
        {"Этанол\n", "line 1: "},
        {"Этанол,5\n ,5\n", "line 2: "},            // no name
        {"Этанол,5\n\"Мет,анол,5\n", "line 2: "},   // the quote is never closed
        {"\"Мет\"x,5\n", "line 1: "},
        {"Этанол,5\nname,percent\n", "line 2: "},   // a header only stands first
        {"\xC8\xF2\xE0\xED\xEE\xEB,5\n", "not UTF-8"},  // code page 1251, as the component table is
    };
    for (const auto& [text, where] : cases) {
        RepeatabilityLimits limits;
        std::string error;
        EXPECT_FALSE(readRepeatabilityLimits(text, limits, error)) << text;
        EXPECT_NE(error.find(where), std::string::npos) << text << " -> " << error;
    }
}

TEST(CsvFields, QuotedOnlyWhenNeededAndReadBackWhole)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Этанол", "Этанол"},
        {"", ""},
        {"Изо,бутанол", "\"Изо,бутанол\""},
        {"5\" колонка", "\"5\"\" колонка\""},
        {"\"", "\"\"\"\""},
        {"две\r\nстроки", "\"две\r\nстроки\""},
        {" пробел ", " пробел "},
    };
    std::string text;
    for (const auto& [field, written] : cases) {
        EXPECT_EQ(csvField(field), written);
        text += csvField(field) + "," + csvField(field) + "\r\n";
    }
    CsvRecords records;
    std::string error;
    ASSERT_TRUE(splitCsvRecords(text, records, error)) << error;
    ASSERT_EQ(records.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(records[i].fields, (std::vector<std::string>{cases[i].first, cases[i].first})) << i;
    EXPECT_EQ(records[6].line, 9u);   // the line break inside a field counts
}
