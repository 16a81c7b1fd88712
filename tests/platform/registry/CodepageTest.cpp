// Windows-1252 conversions as Wine's A calls do them, UTF-8 for host names, case folding.
#include <gtest/gtest.h>

#include "platform/codepage/Codepage.h"

namespace cp = platform::codepage;

TEST(Codepage, AnsiRoundTripOfEveryByte) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::u16string wide = cp::AnsiToUtf16(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0x41], u'A');
    EXPECT_EQ(wide[0x80], u'\u20ac');  // euro sign
    EXPECT_EQ(wide[0x9f], u'\u0178');  // Y with diaeresis
    EXPECT_EQ(wide[0x81], u'\u0081');  // Wine maps the five holes to themselves
    EXPECT_EQ(wide[0xe9], u'\u00e9');
    EXPECT_EQ(cp::Utf16ToAnsi(wide), all);
}

TEST(Codepage, BestFitAndUnmapped) {
    // Best-fit entries of Wine's table, then characters with no mapping at all.
    EXPECT_EQ(cp::Utf16ToAnsi(u"\u0100"), "A");
    EXPECT_EQ(cp::Utf16ToAnsi(u"\u0141\u0107"), "Lc");
    EXPECT_EQ(cp::Utf16ToAnsi(u"\uff21"), "A");  // fullwidth A
    EXPECT_EQ(cp::Utf16ToAnsi(u"\u4e00\u0416"), "??");
    // A surrogate pair is two unmappable units, as in WideCharToMultiByte.
    EXPECT_EQ(cp::Utf16ToAnsi(u"\U0001F600"), "??");
    EXPECT_EQ(cp::Utf16ToAnsi(std::u16string(u"a\0b", 3)), std::string("a\0b", 3));
}

TEST(Codepage, Utf8DecodingDropsInvalidBytes) {
    EXPECT_EQ(cp::Utf8ToUtf16("caf\xc3\xa9"), u"caf\u00e9");
    EXPECT_EQ(cp::Utf8ToUtf16("\xf0\x9f\x98\x80"), u"\U0001F600");
    EXPECT_EQ(cp::Utf8ToUtf16("a\xffz"), u"az");
    EXPECT_EQ(cp::Utf8ToUtf16("a\xc3"), u"a");      // truncated sequence
    EXPECT_EQ(cp::Utf8ToUtf16("\xc0\xafx"), u"x");  // overlong slash
    EXPECT_EQ(cp::Utf8ToUtf16("\xe2\x82"), u"");
    EXPECT_EQ(cp::Utf8ToUtf16("\xed\xa0\x80!"), u"!");  // encoded surrogate
}

TEST(Codepage, Utf8EncodingAndLoneSurrogates) {
    EXPECT_EQ(cp::Utf16ToUtf8(u"caf\u00e9 \u20ac \U0001F600"),
              "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
    EXPECT_EQ(cp::Utf16ToUtf8(u"a\xd800"
                              u"b"),
              "a\xef\xbf\xbd"
              "b");
    EXPECT_EQ(cp::Utf16ToUtf8(u"\xdc00"), "\xef\xbf\xbd");
    const std::u16string sample = u"K\u00fcche \u65e5\u672c \U0001F600";
    EXPECT_EQ(cp::Utf8ToUtf16(cp::Utf16ToUtf8(sample)), sample);
}

TEST(Codepage, CaseMappingFollowsWineTables) {
    EXPECT_EQ(cp::ToLower(u'A'), u'a');
    EXPECT_EQ(cp::ToLower(u'['), u'[');
    EXPECT_EQ(cp::ToLower(u'\u00c9'), u'\u00e9');
    EXPECT_EQ(cp::ToLower(u'\u0410'), u'\u0430');  // Cyrillic A
    EXPECT_EQ(cp::ToUpper(u'\u00ff'), u'\u0178');
    EXPECT_EQ(cp::ToUpper(u'z'), u'Z');
    EXPECT_EQ(cp::ToLower(u'\xd83d'), u'\xd83d');  // surrogates are never folded
}

TEST(Codepage, AsciiCaseMappingIsPlainLetters) {
    // File-name lookups of ASCII paths fold a to z themselves instead of asking the table.
    for (char16_t c = 0; c < 0x80; ++c) {
        const bool lower = c >= u'a' && c <= u'z';
        EXPECT_EQ(cp::ToUpper(c), lower ? c - 32 : c) << static_cast<int>(c);
    }
}

TEST(Codepage, OneUnitAtATimeAsTheWholeText) {
    // The A calls convert names unit by unit into the caller's buffer.
    std::u16string every;
    for (char32_t c = 0; c <= 0xFFFF; ++c) every.push_back(static_cast<char16_t>(c));
    const std::string whole = cp::Utf16ToAnsi(every);
    for (std::size_t i = 0; i < every.size(); ++i)
        ASSERT_EQ(cp::UnitToAnsi(every[i]), whole[i]) << i;
}
