// Reading key lines, name texts and value lines back.
#include <gtest/gtest.h>

#include "engine/ValueText.h"
#include "repair/EntryText.h"
#include "repair/ValueDecoding.h"

namespace repair {
namespace {

TEST(ParseKeyLine, SplitsRootAndSubkey) {
    auto key = ParseKeyLine(R"([HKEY_LOCAL_MACHINE\Software\Example])");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->root, platform::HKEY_LOCAL_MACHINE);
    EXPECT_EQ(key->subKey, R"(Software\Example)");
    ASSERT_TRUE(ParseKeyLine(R"([HKEY_USERS\.Default\x])"));
    EXPECT_EQ(ParseKeyLine(R"([HKEY_DYN_DATA\a])")->root, platform::HKEY_DYN_DATA);
}

TEST(ParseKeyLine, RejectsWhatNoScanWrites) {
    EXPECT_FALSE(ParseKeyLine("[HKEY_CURRENT_USER]"));            // no subkey
    EXPECT_FALSE(ParseKeyLine(R"(HKEY_CURRENT_USER\Software)"));  // no brackets
    EXPECT_FALSE(ParseKeyLine(R"([HKEY_CURRENT_USER\Software)"));
    EXPECT_FALSE(ParseKeyLine(R"([HKEY_CURRENT_CONFIG\Software])"));
    EXPECT_FALSE(ParseKeyLine(R"([hkey_current_user\Software])"));  // root names are exact
    EXPECT_FALSE(ParseKeyLine(R"([\Software])"));
    EXPECT_FALSE(ParseKeyLine("["));
}

TEST(ParseNameText, EndsAtTheUnescapedClosingQuote) {
    std::string_view rest;
    EXPECT_EQ(*ParseNameText(R"("Path"="x")", &rest), "Path");
    EXPECT_EQ(rest, R"(="x")");
    // A quote followed by "=" inside the name does not end it.
    EXPECT_EQ(*ParseNameText(R"("a\"=b"="x")", &rest), R"(a"=b)");
    EXPECT_EQ(rest, R"(="x")");
    // An escaped backslash before the closing quote does not escape the quote.
    EXPECT_EQ(*ParseNameText(R"("dir\\"=dword:00000001)", &rest), R"(dir\)");
    EXPECT_EQ(rest, "=dword:00000001");
    EXPECT_EQ(*ParseNameText("@=dword:00000001", &rest), "");
    EXPECT_EQ(rest, "=dword:00000001");
    EXPECT_EQ(*ParseNameText(R"("line\nbreak")"), "line\nbreak");
    EXPECT_FALSE(ParseNameText(R"("never closed)"));
    EXPECT_FALSE(ParseNameText("Path=\"x\""));
    EXPECT_FALSE(ParseNameText(""));
}

TEST(SplitValueLine, SplitsWhereTheNameTextEnds) {
    auto parts = SplitValueLine(R"("x=dword:1"=dword:0000000a)");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->nameText, R"("x=dword:1")");
    EXPECT_EQ(parts->dataText, "dword:0000000a");
    parts = SplitValueLine(R"("a\"=\"b"="c:\\x.exe")");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->nameText, R"("a\"=\"b")");
    EXPECT_EQ(parts->dataText, R"("c:\\x.exe")");
    parts = SplitValueLine("@=hex(2):00,00");
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->nameText, "@");
    EXPECT_EQ(parts->dataText, "hex(2):00,00");
    EXPECT_FALSE(SplitValueLine(R"("Path")"));
    EXPECT_FALSE(SplitValueLine(R"("Path" = "x")"));
    EXPECT_FALSE(SplitValueLine("[HKEY_CURRENT_USER\\x]"));
}

// The exact lines a backup keeps read back to the very key, name and data they were made from;
// texts inside Windows-1252 stay as every earlier backup wrote them.
TEST(ExactLines, ReadBackToTheValueAsStored) {
    struct Case {
        std::u16string subKey, name, text;
        platform::DWORD type;
        const char* keyLine;  // expected, or null when it must be the quoted exact form
    };
    const Case cases[] = {
        {u"Software\\Plain", u"Tool", u"C:\\x.exe", platform::REG_SZ,
         "[HKEY_CURRENT_USER\\Software\\Plain]"},
        {u"Software\\Plain", u"T\u014Dol", u"C:\\x.exe", platform::REG_SZ, nullptr},
        {u"Software\\K\u014D", u"", u"C:\\\u0414.exe", platform::REG_SZ, nullptr},
        {u"Software\\u0041", u"a\\u0041 \"q\"", u" spaced ", platform::REG_SZ,
         "[HKEY_CURRENT_USER\\Software\\u0041]"},
        {u"Software\\Plain", u"\U0001F600", u"%P%\\\u0414", platform::REG_EXPAND_SZ,
         "[HKEY_CURRENT_USER\\Software\\Plain]"},
        {u"Software\\Plain", u"\u00e9t\u00e9", u"%P%\\\u00e9", platform::REG_EXPAND_SZ,
         "[HKEY_CURRENT_USER\\Software\\Plain]"},
    };
    for (const Case& c : cases) {
        const engine::ExactValue exact{platform::HKEY_CURRENT_USER, c.subKey, c.name, c.type,
                                       c.text};
        std::vector<platform::BYTE> ansi;
        for (char16_t unit : c.text)
            ansi.push_back(static_cast<platform::BYTE>(unit < 0x100 ? unit : '?'));
        ansi.push_back(0);
        const std::string valueText =
            engine::TextForm("", "", c.type, ansi.data(), static_cast<platform::DWORD>(ansi.size()))
                .value;
        const std::string keyLine = engine::ExactKeyLine(exact);
        const std::string valueLine = engine::ExactValueLine(exact, valueText);
        if (c.keyLine) {
            EXPECT_EQ(keyLine, c.keyLine);
        }
        const auto key = ParseKeyLine(keyLine);
        ASSERT_TRUE(key) << keyLine;
        EXPECT_EQ(key->root, platform::HKEY_CURRENT_USER);
        EXPECT_TRUE(key->exact == c.subKey) << keyLine;
        const auto parts = SplitValueLine(valueLine);
        ASSERT_TRUE(parts) << valueLine;
        EXPECT_TRUE(ParseExactNameText(parts->nameText) == c.name) << valueLine;
        const auto decoded = DecodeData(parts->dataText, nullptr);
        ASSERT_TRUE(decoded) << valueLine;
        EXPECT_EQ(decoded->type, c.type) << valueLine;
        std::u16string restored;
        for (std::size_t i = 0; i + 1 < decoded->wide.size(); i += 2)
            restored += static_cast<char16_t>(decoded->wide[i] | decoded->wide[i + 1] << 8);
        EXPECT_TRUE(restored == c.text + u'\0') << valueLine;
    }
}

}  // namespace
}  // namespace repair
