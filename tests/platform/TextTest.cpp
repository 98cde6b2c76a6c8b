#include "platform/LanguageTable.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(Text, Utf8RoundTripAndInvalidBytes)
{
    const std::u16string text = u"Этанол 𝛼 ё";
    EXPECT_EQ(utf8ToUtf16(utf16ToUtf8(text)), text);
    EXPECT_EQ(utf8ToUtf16("a\xff" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16(""), u"");
}

TEST(Text, Cp1251HoldsCyrillicAndRefusesTheRest)
{
    std::string bytes;
    EXPECT_FALSE(utf16ToCp1251(u"№;Имя;Ёё", bytes).has_value());
    EXPECT_EQ(bytes, "\xB9;\xC8\xEC\xFF;\xA8\xB8");
    EXPECT_EQ(cp1251ToUtf16(bytes), u"№;Имя;Ёё");

    auto refusal = utf16ToCp1251(u"ab€c✓d", bytes);  // the euro sign is in the code page, the tick is not
    ASSERT_TRUE(refusal.has_value());
    EXPECT_EQ(refusal->index, 4u);
    EXPECT_EQ(refusal->character, U'✓');
    EXPECT_TRUE(bytes.empty());

    auto astral = utf16ToCp1251(u"x😀", bytes);
    ASSERT_TRUE(astral.has_value());
    EXPECT_EQ(astral->character, U'😀');
    EXPECT_EQ(codePointName(U'✓'), u"U+2713");
}

TEST(Text, CaseInsensitiveRussianNames)
{
    EXPECT_TRUE(equalNoCase(u"ЭТАНОЛ", u"этанол"));
    EXPECT_TRUE(equalNoCase(u"Ёлка", u"ёЛКА"));
    EXPECT_FALSE(equalNoCase(u"Ёлка", u"елка"));
    EXPECT_LT(compareNoCase(u"альфа", u"БЕТА"), 0);
    EXPECT_EQ(foldCase(u"Straße ИЗО"), u"strasse изо");
}

TEST(Text, TrimByUnicodeWhiteSpace)
{
    EXPECT_EQ(trimWhite(u" \t\u00A0\u3000 B \r\n"), u"B");
    EXPECT_EQ(trimWhite(u"   "), u"");
    EXPECT_EQ(trimWhite(u"a b"), u"a b");
}

TEST(LanguageTable, KnownAndUnknownIdentifiers)
{
    EXPECT_EQ(languageAbbreviation(1033), u"ENU");
    EXPECT_EQ(languageAbbreviation(1031), u"DEU");
    EXPECT_EQ(languageAbbreviation(1049), u"RUS");
    EXPECT_EQ(languageAbbreviation(12345), u"");
}
