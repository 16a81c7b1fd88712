// Reading key lines, name texts and value lines back, and undoing the text form's escapes.
#include <gtest/gtest.h>

#include "repair/EntryText.h"

namespace repair {
namespace {

TEST(Unescape, UndoesEveryEscapeInOnePass) {
    EXPECT_EQ(Unescape(R"(c:\\old\\tool.exe)"), R"(c:\old\tool.exe)");
    EXPECT_EQ(Unescape(R"(say \"hi\")"), R"(say "hi")");
    EXPECT_EQ(Unescape(R"(a\rb\nc)"), "a\rb\nc");
    // A literal backslash before n or a quote stays a backslash: the pair is read first.
    EXPECT_EQ(Unescape(R"(c:\\new)"), R"(c:\new)");
    EXPECT_EQ(Unescape(R"(\\\")"), R"(\")");
    // Anything else after a backslash is kept as written, and so is a last lone backslash.
    EXPECT_EQ(Unescape(R"(a\tb\)"), R"(a\tb\)");
}

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
    EXPECT_FALSE(ParseKeyLine(R"(HKEY_CURRENT_USER\Software)"));   // no brackets
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

}  // namespace
}  // namespace repair
