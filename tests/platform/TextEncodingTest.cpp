#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace orlu {
namespace {

TEST(TextEncoding, WindowsTextBecomesUtf8AndBack)
{
    struct Case {
        std::string cp1252;
        std::string utf8;
    };
    const Case cases[] = {
        {"Pa\xB2s", "Pa\xC2\xB2s"},
        {"\xB5m/s\xB2", "\xC2\xB5m/s\xC2\xB2"},
        {"20\xBA""C", "20\xC2\xBA""C"},
        {"\x80 \x85", "\xE2\x82\xAC \xE2\x80\xA6"},
        {"plain", "plain"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(Cp1252ToUtf8(c.cp1252), c.utf8);
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252);
    }
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?"); // not in the code page
}

TEST(TextEncoding, TextReadBackIsUtf8OrElseWindows1252)
{
    EXPECT_TRUE(IsValidUtf8("a\xC2\xB2"));
    EXPECT_FALSE(IsValidUtf8("a\xB2"));
    EXPECT_FALSE(IsValidUtf8("\xC0\x80")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));  // cut short
    EXPECT_EQ(TextFileToCp1252("m/s\xC2\xB2"), "m/s\xB2");
    EXPECT_EQ(TextFileToCp1252("m/s\xB2"), "m/s\xB2");
}

} // namespace
} // namespace orlu

namespace orlu {
namespace {

TEST(TextEncoding, WindowsTextBecomesUtf16AndBack)
{
    EXPECT_EQ(Cp1252ToUtf16("Pa\xB2s \x80"), u"Pa\u00B2s \u20AC");
    EXPECT_EQ(Utf16ToCp1252(u"Pa\u00B2s \u20AC"), "Pa\xB2s \x80");
    EXPECT_EQ(Cp1252ToUtf16("\x81"), u"\uFFFD");
    EXPECT_EQ(Utf16ToCp1252(u"\u4E2D\U0001F600"), "??"); // outside the code page; a pair is one character
}

} // namespace
} // namespace orlu
