// Key, name and value texts of a registry value, and the display conversion.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/ValueText.h"

using engine::DisplayConversion;
using engine::TextForm;
using platform::BYTE;
using platform::DWORD;

namespace {

engine::ValueTexts StringValue(const std::string& name, const std::string& data,
                               DWORD type = platform::REG_SZ) {
    std::vector<BYTE> bytes(data.begin(), data.end());
    bytes.push_back(0);
    return TextForm("HKEY_LOCAL_MACHINE\\Software\\Test", name, type, bytes.data(),
                    static_cast<DWORD>(bytes.size()));
}

std::string Shown(const engine::ValueTexts& t) {
    return DisplayConversion(t.key, t.name, t.value, "0").value;
}

}  // namespace

TEST(TextForm, KeyAndDefaultValue) {
    const auto t = StringValue("", "c:\\tools\\x.exe");
    EXPECT_EQ(t.key, "[HKEY_LOCAL_MACHINE\\Software\\Test]");
    EXPECT_EQ(t.name, "@");
    EXPECT_EQ(t.value, "\"c:\\\\tools\\\\x.exe\"");
    const auto shown = DisplayConversion(t.key, t.name, t.value, "0");
    EXPECT_EQ(shown.key, "HKEY_LOCAL_MACHINE\\Software\\Test");
    EXPECT_EQ(shown.value, "<Default> = c:\\tools\\x.exe");
    EXPECT_EQ(shown.mark, "0");
}

TEST(TextForm, EscapesQuotesAfterBackslashes) {
    const auto t = StringValue("say \"hi\"", "a\\\"b");
    EXPECT_EQ(t.name, "\"say \\\"hi\\\"\"");
    // The backslash is doubled first, then the quote gets its own backslash.
    EXPECT_EQ(t.value, "\"a\\\\\\\"b\"");
    EXPECT_EQ(Shown(t), "say \"hi\" = a\\\"b");
}

TEST(TextForm, KeepsWhiteSpaceOfNamesAndData) {
    const auto t = StringValue("  padded ", " C:\\a.exe  ");
    EXPECT_EQ(t.name, "\"  padded \"");
    EXPECT_EQ(t.value, "\" C:\\\\a.exe  \"");
    const auto blank = StringValue("   ", "");
    EXPECT_EQ(blank.name, "\"   \"");
}

TEST(TextForm, LineBreaksStayOnOneLine) {
    const auto t = StringValue("two\r\nlines", "x\ny");
    EXPECT_EQ(t.name, "\"two\\r\\nlines\"");
    EXPECT_EQ(t.value, "\"x\\ny\"");
    EXPECT_EQ(t.name.find('\n'), std::string::npos);
    EXPECT_EQ(Shown(t), "two  lines = x y");
    // A literal backslash before n is not a line feed when shown.
    const auto literal = StringValue("", "C:\\new");
    EXPECT_EQ(literal.value, "\"C:\\\\new\"");
    EXPECT_EQ(Shown(literal), "<Default> = C:\\new");
}

TEST(TextForm, EmptyString) {
    const auto t = StringValue("Name", "");
    EXPECT_EQ(t.value, "\"\"");
    EXPECT_EQ(Shown(t), "Name = <Empty Value>");
}

TEST(TextForm, StringStopsAtFirstZeroAndAtLength) {
    const BYTE data[] = {'a', 'b', 0, 'c', 0};
    EXPECT_EQ(TextForm("K", "", platform::REG_SZ, data, sizeof data).value, "\"ab\"");
    EXPECT_EQ(TextForm("K", "", platform::REG_SZ, data, 1).value, "\"a\"");
    EXPECT_EQ(TextForm("K", "", platform::REG_SZ, nullptr, 0).value, "\"\"");
}

TEST(TextForm, ExpandStringBytesInDecimal) {
    EXPECT_EQ(StringValue("", "ab", platform::REG_EXPAND_SZ).value, "hex(2):97,00,98,00,00,00");
    EXPECT_EQ(StringValue("", "", platform::REG_EXPAND_SZ).value, "hex(2):00,00");
    const auto root = StringValue("Path", "%SystemRoot%", platform::REG_EXPAND_SZ);
    EXPECT_EQ(root.value,
              "hex(2):37,00,83,00,121,00,115,00,116,00,101,00,109,00,82,00,111,00,111,00,"
              "116,00,37,00,00,00");
    EXPECT_EQ(Shown(root), "Path");
    const BYTE high[] = {0xE9, 0};
    EXPECT_EQ(TextForm("K", "", platform::REG_EXPAND_SZ, high, 2).value, "hex(2):233,00,00,00");
}

TEST(TextForm, DwordAsEightHexDigits) {
    const BYTE a[] = {0x78, 0x56, 0x34, 0x12};
    EXPECT_EQ(TextForm("K", "n", platform::REG_DWORD, a, 4).value, "dword:12345678");
    const BYTE b[] = {0, 0, 0, 0x80};
    EXPECT_EQ(TextForm("K", "n", platform::REG_DWORD, b, 4).value, "dword:80000000");
    const BYTE ten[] = {10, 0, 0, 0};
    EXPECT_EQ(TextForm("K", "n", platform::REG_DWORD, ten, 4).value, "dword:0000000a");
    // A short DWORD reads its missing bytes as zero, never past its data.
    const BYTE shortData[] = {0x34, 0x12, 0xFF};
    EXPECT_EQ(TextForm("K", "n", platform::REG_DWORD, shortData, 2).value, "dword:00001234");
    const auto t = TextForm("K", "n", platform::REG_DWORD, a, 4);
    EXPECT_EQ(DisplayConversion(t.key, t.name, t.value, "0").value, "n");
}

TEST(TextForm, OtherTypesHaveNoValueText) {
    const BYTE data[] = {1, 2, 3};
    EXPECT_EQ(TextForm("K", "n", platform::REG_BINARY, data, 3).value, "");
    EXPECT_EQ(TextForm("K", "n", platform::REG_MULTI_SZ, data, 3).value, "");
}

TEST(DisplayConversion, TrimsAndMarks) {
    const auto shown = DisplayConversion("  [HKEY_USERS\\x]  ", " \"n\" ", " \"v\" ", " 0 ");
    EXPECT_EQ(shown.key, "HKEY_USERS\\x");
    EXPECT_EQ(shown.value, "n = v");
    EXPECT_EQ(shown.mark, "0");
    EXPECT_EQ(DisplayConversion("[k]", "@", "\"\"", "1").mark, "1");
    EXPECT_EQ(DisplayConversion("[k]", "@", "\"\"", "x").mark, "1");
    EXPECT_EQ(DisplayConversion("[k]", "@", "\"\"", "").value, "<Default> = <Empty Value>");
    // A key text without both brackets is shown as it stands.
    EXPECT_EQ(DisplayConversion("[k", "@", "", "0").key, "[k");
}
