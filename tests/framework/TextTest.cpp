#include "Text.h"

#include <gtest/gtest.h>

TEST(Text, NonLatinRoundTripsThroughUtf16)
{
    const std::string greek = "\xce\x9a\xce\xb1\xce\xbb\xce\xb7\xce\xbc\xce\xad\xcf\x81\xce\xb1";   // Καλημέρα
    const std::string cjk = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";                                   // 日本語
    const std::string emoji = "\xf0\x9f\x98\x80";                                                     // outside the BMP
    for (const std::string& text : {greek, cjk, emoji})
        EXPECT_EQ(WideToUtf8(Utf8ToWide(text)), text);
    EXPECT_EQ(Utf8ToWide(cjk).size(), 3u);
    EXPECT_EQ(Utf8ToWide(emoji).size(), 2u); // a surrogate pair
    EXPECT_EQ(Utf8ToWide(static_cast<const char*>(nullptr)), L"");
    EXPECT_EQ(WideToUtf8(static_cast<const wchar_t*>(nullptr)), "");
}

// The converters take plain ASCII at the front themselves and hand the rest over: what follows
// it must come out as a whole text would, broken sequences included.
TEST(Text, AsciiFollowedByOtherTextConvertsWhole)
{
    const std::string mixed = "Property 7 \xe6\x97\xa5\xe6\x9c\xac, then ASCII again \xf0\x9f\x98\x80 end";
    EXPECT_EQ(WideToUtf8(Utf8ToWide(mixed)), mixed);
    EXPECT_EQ(Utf8ToWide("ab\xe6\x97\xa5"), std::wstring(L"ab\x65e5"));
    EXPECT_EQ(WideToUtf8(std::wstring(L"ab\x65e5")), "ab\xe6\x97\xa5");
    // A cut sequence and a lone surrogate after ASCII become the replacement character.
    EXPECT_EQ(Utf8ToWide("ab\xe6\x97"), std::wstring(L"ab\xfffd"));
    EXPECT_EQ(WideToUtf8(std::wstring(L"ab\xd800")), "ab\xef\xbf\xbd");
    const std::string longAscii(100000, 'x');
    EXPECT_EQ(WideToUtf8(Utf8ToWide(longAscii + "\xc3\xa9")), longAscii + "\xc3\xa9");
}

TEST(Text, CompareNoCaseFoldsEveryScript)
{
    EXPECT_TRUE(EqualNoCase("ColorComboBox", "colorcombobox"));
    EXPECT_TRUE(EqualNoCase("\xce\x91\xce\x92", "\xce\xb1\xce\xb2")); // ΑΒ / αβ
    EXPECT_FALSE(EqualNoCase("Edit", "EditButton"));
    EXPECT_LT(CompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_TRUE(EqualNoCase("", ""));
    // Plain ASCII orders as upper case, like text in other scripts: '_' lies above 'Z'.
    EXPECT_GT(CompareNoCase("_", "a"), 0);
    EXPECT_GT(CompareNoCase("_\xc3\xa9", "a\xc3\xa9"), 0);
    EXPECT_LT(CompareNoCase("Name", "name2"), 0);
}

TEST(Text, FormatText)
{
    EXPECT_EQ(FormatText("%s, %.2f", "Arial", 8.25), "Arial, 8.25");
    EXPECT_EQ(FormatText("&H%08X", 0xFFu), "&H000000FF");
    const std::string longText(5000, 'x');
    EXPECT_EQ(FormatText("%s!", longText.c_str()).size(), 5001u);
    EXPECT_EQ(FormatText("%s", ""), "");
}
