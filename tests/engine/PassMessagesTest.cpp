#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/MessageLog.h"
#include "engine/PassMessages.h"
#include "platform/Format.h"
#include "platform/Text.h"

namespace {

const std::u16string loneHigh(1, char16_t(0xD800));
const std::u16string loneLow(1, char16_t(0xDC00));
const std::u16string pair = u"\U0001F600";

// Names and file names the warnings may carry: empty, Cyrillic, quotes and percent signs of their
// own, surrogates paired and unpaired (which the formatter replaces).
const std::u16string texts[] = {u"",
                                u"cal_level1_run2.stg",
                                u"Компонент 001",
                                u"a \"quoted\" %s %d %% name",
                                u"x" + loneHigh,
                                loneLow + u"y",
                                u"z" + pair + u"w",
                                pair + loneHigh + loneLow,
                                std::u16string(300, u'Ж')};

const double numbers[] = {0,       10,      9.95,    9.949999, -3.25,  0.05,   123456.789, 1e15, 1e17, 1e300,
                          -1e-300, std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::denorm_min()};

} // namespace

// The per-component warnings are written piece by piece; they must be exactly what the catalogue's
// formats give through the formatter, for every kind of name and number.
TEST(PassMessages, SameTextAsTheFormatter)
{
    for (const std::u16string& file : texts) {
        for (const std::u16string& name : texts) {
            for (int channel : {1, 2, 0, -7, 1234567}) {
                EXPECT_EQ(outOfWindowText(file, name, channel),
                          platform::format(u"%s: \"%s\", канал %d - время выхода вне окна.", {file, name, channel}))
                    << platform::utf16ToUtf8(file) << " / " << platform::utf16ToUtf8(name) << " / " << channel;
            }
        }
    }
    for (const std::u16string& file : {texts[0], texts[1], texts[4], texts[7]}) {
        for (const std::u16string& name : {texts[2], texts[3], texts[5]}) {
            for (double deviation : numbers) {
                for (double norm : numbers) {
                    EXPECT_EQ(deviationText(file, name, deviation, norm),
                              platform::format(u"%s: \"%s\" - отклик каналов различается на %.1f%% (норма %.1f%%).",
                                               {file, name, deviation, norm}))
                        << deviation << " " << norm;
                }
            }
        }
    }
}

// The messages tab's lines are numbered "    %d. %s" across the groups; written directly, they must
// stay what the formatter makes of them, with tens of thousands of lines as with a few.
TEST(PassMessages, DisplayLinesSameAsTheFormatter)
{
    MessageLog log;
    for (const std::u16string& text : texts)
        log.addError(u"E %d", static_cast<int>(text.size()));
    for (int i = 0; i < 50000; ++i)
        log.addWarning(texts[static_cast<std::size_t>(i) % std::size(texts)]);
    log.addInfo(loneHigh);
    const std::vector<std::u16string> lines = log.displayLines();
    ASSERT_EQ(lines.size(), std::size(texts) + 50000 + 1 + 3);
    std::vector<std::u16string> expected;
    int number = 0;
    expected.push_back(u"Ошибки:");
    for (std::u16string_view text : log.errors())
        expected.push_back(platform::format(u"    %d. %s", {++number, text}));
    expected.push_back(u"Предупреждения:");
    for (std::u16string_view text : log.warnings())
        expected.push_back(platform::format(u"    %d. %s", {++number, text}));
    expected.push_back(u"Информация:");
    expected.push_back(platform::format(u"    %d. %s", {++number, log.infos().front()}));
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(lines.back(), u"    50010. \uFFFD");

    const std::vector<std::u16string> flat = log.flattened();
    ASSERT_EQ(flat.size(), std::size(texts) + 50000 + 1);
    EXPECT_EQ(flat[std::size(texts)], u"Предупреждение: ");
    EXPECT_EQ(flat.back(), u"Информация: " + loneHigh);  // the report escapes it itself
}
