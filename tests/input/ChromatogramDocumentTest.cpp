#include "ChromatogramSamples.h"

#include "input/ChromatogramDocumentReader.h"
#include "input/ChromatogramDocumentWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>

namespace {

pugi::xml_document parsed(const std::string& xml)
{
    pugi::xml_document document;
    EXPECT_TRUE(document.load_string(xml.c_str()));
    return document;
}

Passport passportOf(const std::string& passportXml)
{
    pugi::xml_document document = parsed(passportXml);
    Passport passport;
    readPassport(document.child("passport"), passport);
    return passport;
}

std::vector<Channel> channelsWithNumbers(std::initializer_list<int> numbers)
{
    std::vector<Channel> channels;
    for (int number : numbers) {
        channels.emplace_back();
        channels.back().number = number;
    }
    return channels;
}

std::vector<Channel> readTables(const std::string& channelsXml, std::initializer_list<int> numbers)
{
    pugi::xml_document document = parsed(channelsXml);
    std::vector<Channel> channels = channelsWithNumbers(numbers);
    readChannels(document.child("channels"), channels);
    return channels;
}

std::string written(const Passport& passport, const std::vector<Channel>& channels)
{
    pugi::xml_document document;
    writeDocument(document, passport, channels);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    return out.str();
}

TEST(ChromatogramDocument, PassportScalarsDuplicatesAndParameters)
{
    Passport passport = passportOf(
        "<passport>"
        "<assayid value='A'/><series value='S'/><andate value='-12'/><duration value='1.5'/>"
        "<sample value='проба'/><method value='M'/><graduation value='Yes'/><date value='0x10'/>"
        "<defect value='t'/><mixture value='X'/><sample value='вторая'/>"
        "<volume title='Объём' value='1'/><Volume title='' value='3'/><volume title='Объём' value='2'/>"
        "<column><channel value='2'/><name value='DB-1'/><length value='30'/></column>"
        "</passport>");
    EXPECT_EQ(passport.assayid, u"A");
    EXPECT_EQ(passport.series, u"S");
    EXPECT_EQ(passport.andate, -12);
    EXPECT_EQ(passport.duration, 1.5);
    EXPECT_EQ(passport.sample, u"вторая") << "a later duplicate overwrites";
    EXPECT_TRUE(passport.graduation);
    EXPECT_EQ(passport.date, 16);
    EXPECT_TRUE(passport.defect);
    ASSERT_EQ(passport.parameters.size(), 3u);
    EXPECT_EQ(passport.parameters[0], (PassportParameter{u"volume", u"Объём", u"1"}));
    EXPECT_EQ(passport.parameters[1].name, u"Volume") << "names are compared case-sensitively";
    EXPECT_EQ(passport.parameters[2].value, u"2");
    ASSERT_EQ(passport.columns.size(), 1u);
    ColumnDescription expected;
    expected.channel = 2;
    expected.name = u"DB-1";
    expected.length = 30;
    EXPECT_EQ(passport.columns[0], expected) << "absent column children take their defaults";
}

TEST(ChromatogramDocument, ItemDefaultsAndBooleanTexts)
{
    std::vector<Channel> channels = readTables(
        "<channels><channel><number value='1'/><table>"
        "<item><time value='2.5'/><reference value='yes'/></item>"
        "<item><reference value='1'/><left value=''/><flags value='-3'/></item>"
        "<item><reference value='no'/><right value='7'/></item>"
        "<item><reference value='0'/></item>"
        "<item><reference value=''/><left/></item>"
        "<item><time value='1'/><time value='2'/><name value='первое'/><name value='второе'/></item>"
        "</table></channel></channels>",
        {1});
    const std::vector<Peak>& peaks = channels[0].peaks;
    ASSERT_EQ(peaks.size(), 6u);
    EXPECT_EQ(peaks[0].time, 2.5);
    EXPECT_TRUE(peaks[0].reference);
    EXPECT_EQ(peaks[0].left, -1);
    EXPECT_EQ(peaks[0].right, -1);
    EXPECT_EQ(peaks[0].flags, 0u);
    EXPECT_TRUE(peaks[1].reference);
    EXPECT_EQ(peaks[1].left, 0) << "an empty value text is a number 0, not an absent one";
    EXPECT_EQ(peaks[1].flags, 0u) << "a negative text for an unsigned field gives 0";
    EXPECT_FALSE(peaks[2].reference);
    EXPECT_EQ(peaks[2].right, 7);
    EXPECT_FALSE(peaks[3].reference);
    EXPECT_FALSE(peaks[4].reference);
    EXPECT_EQ(peaks[4].left, -1) << "an element without a value attribute is absent";
    EXPECT_EQ(peaks[5].time, 1) << "the first entry of a name counts";
    EXPECT_EQ(peaks[5].name, u"первое");
}

TEST(ChromatogramDocument, TablesGoOnlyToChannelsWithASignalBlock)
{
    std::vector<Channel> channels = readTables(
        "<channels>"
        "<channel><number value='3'/><table><item><area value='1'/></item></table></channel>"
        "<channel><number value='-1'/><table><item/></table></channel>"
        "<channel><table><item/></table></channel>"
        "<channel><number value='1'/><table><item><area value='5'/></item><item/></table></channel>"
        "<channel><number value='1'/><table><item><area value='6'/></item></table></channel>"
        "</channels>",
        {1, 2, 1});
    ASSERT_EQ(channels.size(), 3u);
    ASSERT_EQ(channels[0].peaks.size(), 1u) << "a later table for the same number replaces the earlier";
    EXPECT_EQ(channels[0].peaks[0].area, 6);
    EXPECT_TRUE(channels[1].peaks.empty()) << "a block without a table keeps an empty table";
    EXPECT_TRUE(channels[2].peaks.empty()) << "only the first channel of a number takes the table";
}

TEST(ChromatogramDocument, CyrillicParameterTitleRoundTrip)
{
    Passport passport;
    passport.parameters.push_back({u"volume", u"Объём пробы, мл", u"2.5"});
    std::string xml = written(passport, {});
    pugi::xml_document document = parsed(xml);
    Passport back;
    readPassport(document.child("root").child("passport"), back);
    ASSERT_EQ(back.parameters.size(), 1u);
    EXPECT_EQ(back.parameters[0], passport.parameters[0]);
}

TEST(ChromatogramDocument, WritesEveryEntryInOrderInTheCLocale)
{
    Channel channel;
    channel.number = 2;
    Peak peak;
    peak.time = 0.1;
    peak.area = -1234.5;
    peak.flags = 4000000000u;
    peak.name = u"a<b";
    channel.peaks.push_back(peak);
    std::vector<Channel> channels;
    channels.push_back(std::move(channel));
    Passport passport;
    passport.duration = 1e21;
    std::string xml = written(passport, channels);
    EXPECT_NE(xml.find("<passport version=\"1\"><assayid value=\"00000000-0000-0000-0000-000000000000\"/>"
                       "<series value=\"\"/><andate value=\"0\"/><duration value=\"1e+21\"/>"
                       "<sample value=\"\"/><method value=\"\"/><graduation value=\"false\"/>"
                       "<date value=\"0\"/><defect value=\"false\"/><mixture value=\"\"/></passport>"),
              std::string::npos)
        << xml;
    EXPECT_NE(xml.find("<channels version=\"1\"><channel><number value=\"2\"/><table><item>"
                       "<front value=\"0\"/><back value=\"0\"/><time value=\"0.10000000000000001\"/>"
                       "<area value=\"-1234.5\"/><height value=\"0\"/><concent value=\"0\"/>"
                       "<name value=\"a&lt;b\"/><reference value=\"false\"/><left value=\"-1\"/>"
                       "<right value=\"-1\"/><flags value=\"4000000000\"/><front_base_height value=\"0\"/>"
                       "<back_base_height value=\"0\"/><index value=\"0\"/></item></table></channel></channels>"),
              std::string::npos)
        << xml;
}

} // namespace

// The streamed text must be exactly what pugixml saves of the tree, whatever the texts hold: a
// file written by the importer and one saved by the plug-in are then the same bytes.
TEST(ChromatogramDocument, StreamedTextEqualsTheSavedTree)
{
    std::u16string everyByte;
    for (char16_t c = 1; c < 0x80; ++c)
        everyByte += c;
    const std::vector<std::u16string> texts = {
        u"",
        everyByte,
        u"Бензол & <толуол> \"кавычки\" 'апостроф'",
        u"tab\there\nnew line\rreturn",
        std::u16string(u"cut\0here", 8),
        u"\U0001F600 beyond the basic plane",
        u"\xFEFF" u"starts with a byte-order mark",
        std::u16string(1, static_cast<char16_t>(0xD800)) + u" unpaired surrogate",
    };
    const std::vector<double> numbers = {0.0, -0.0, 1.0 / 3, -12345.678e-300, 1e300, 5e-324,
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         std::numeric_limits<double>::quiet_NaN()};
    for (std::size_t t = 0; t < texts.size(); ++t) {
        const std::u16string& text = texts[t];
        Passport passport;
        passport.assayid = text;
        passport.sample = text;
        passport.mixture = text;
        passport.duration = numbers[t % numbers.size()];
        passport.andate = t % 2 ? INT64_MIN : INT64_MAX;
        passport.graduation = t % 2 == 0;
        passport.parameters = {{u"volume", text, text}, {u"", u"nameless", u"1"}, {std::u16string(u"a\0b", 3), u"t", u"v"}};
        if (t % 2 == 0) {
            ColumnDescription column;
            column.name = text;
            column.diameter = numbers[(t + 1) % numbers.size()];
            passport.columns = {column, column};
        }
        std::vector<Channel> channels(t % 3);  // none, one with an empty table, two
        for (std::size_t c = 0; c < channels.size(); ++c) {
            channels[c].number = static_cast<int32_t>(c + 1);
            for (std::size_t p = 0; p < c * numbers.size(); ++p) {
                Peak peak;
                peak.name = texts[p % texts.size()];
                peak.time = numbers[p];
                peak.area = numbers[(p + 3) % numbers.size()];
                peak.left = static_cast<int32_t>(p) - 5;
                peak.flags = UINT32_MAX - static_cast<uint32_t>(p);
                peak.reference = p % 2 == 1;
                channels[c].peaks.push_back(peak);
            }
        }
        std::string streamed = "prefix kept:";
        appendDocumentText(streamed, passport, channels);
        EXPECT_EQ(streamed, "prefix kept:" + written(passport, channels)) << "case " << t;
    }
}
