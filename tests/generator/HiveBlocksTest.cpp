// The generator's hive writer: its lines read back as the values they were made from, its
// blocks come in Wine's order, and an existing hive's blocks stay as they were.
#include <gtest/gtest.h>

#include "bench/generator/HiveBlocks.h"
#include "platform/wine/registry/HiveModel.h"

namespace {

using bench::generator::BinaryLine;
using bench::generator::DwordLine;
using bench::generator::ExpandStringLine;
using bench::generator::HiveBlocks;
using bench::generator::StringLine;
namespace reg = platform::wine::registry;

reg::Hive Parse(const std::string& text) {
    reg::Hive hive;
    hive.path = "system.reg";
    hive.text = text;
    std::string error;
    EXPECT_TRUE(reg::ParseHive(hive, error)) << error;
    EXPECT_TRUE(hive.problem.empty()) << hive.problem;
    return hive;
}

std::vector<std::uint8_t> Utf16(std::string_view text) {
    std::vector<std::uint8_t> out;
    for (char c : text) out.push_back(static_cast<std::uint8_t>(c)), out.push_back(0);
    out.push_back(0), out.push_back(0);
    return out;
}

TEST(HiveBlocks, LinesReadBackAsTheirValuesAndWriteBackAsWineWrites) {
    HiveBlocks blocks(1700000000);
    std::vector<std::uint8_t> bytes(100);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
    blocks.Add("Software\\A", StringLine("", "\"C:\\Program Files\\a.exe\" /x"));
    blocks.Add("Software\\A", ExpandStringLine("Lib", "%ProgramFiles%\\b.dll"));
    blocks.Add("Software\\A", DwordLine("Count", 0x12345678));
    blocks.Add("Software\\A", BinaryLine("Blob", bytes));
    const std::string text = blocks.Text("Machine");
    reg::Hive hive = Parse(text);
    const reg::Key* a = hive.root->FindChild(u"Software")->FindChild(u"A");
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(a->values.size(), 4u);
    EXPECT_EQ(reg::DataBytes(a->values[0]),
              Utf16("\"C:\\Program Files\\a.exe\" /x"));  // @ sorts first
    EXPECT_EQ(a->values[1].name, u"Blob");
    EXPECT_EQ(reg::DataBytes(a->values[1]), bytes);
    EXPECT_EQ(a->values[2].type, platform::REG_DWORD);
    EXPECT_EQ(reg::DataBytes(a->values[2]), (std::vector<std::uint8_t>{0x78, 0x56, 0x34, 0x12}));
    EXPECT_EQ(a->values[3].type, platform::REG_EXPAND_SZ);
    // Rewritten by the product's writer, every value reads as the generator wrote it: Wine's
    // layout (escapes, hex line wrapping), in the order they were added.
    const std::size_t block = text.find("[Software\\\\A]");
    const std::string valuesText = text.substr(text.find('\n', text.find("#time=", block)) + 1);
    const_cast<reg::Key*>(a)->dirty = true;
    const std::string rewritten = reg::SerializeHive(hive);
    std::vector<std::string> entries;  // one per value, continuation lines included
    for (std::size_t at = 0; at < valuesText.size();) {
        std::size_t end = at;
        do end = valuesText.find('\n', end) + 1;
        while (end < valuesText.size() && valuesText[end] == ' ');
        entries.push_back(valuesText.substr(at, end - at));
        at = end;
    }
    ASSERT_EQ(entries.size(), 4u);
    for (const std::string& entry : entries)
        EXPECT_NE(rewritten.find(entry), std::string::npos) << entry << "\nin\n" << rewritten;
}

TEST(HiveBlocks, BaseBlocksStayAndKeysComeInWineOrder) {
    const std::string base =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n"
        "\n[Software\\\\Zeta] 1600000000\n#time=1d6a0a0a0a0a0a0\n\"old\"=\"kept\"\n"
        "\n[Software\\\\B\\xe9ta] 1600000000\n#time=1d6a0a0a0a0a0a0\n#class=\"c\"\n";
    HiveBlocks blocks(1700000000);
    blocks.LoadBase(base);
    blocks.Add("Software\\ZETA", StringLine("new", "added"));
    blocks.Add("Software\\alpha\\Sub", DwordLine("x", 1));
    blocks.Add("Software\\a_b", DwordLine("y", 2));
    blocks.Touch("Software\\[x]");
    const std::string text = blocks.Text("Machine");
    EXPECT_EQ(text.rfind(base.substr(0, base.find("\n\n[")), 0), 0u);  // the header as it was
    // The base block keeps its time lines and class; the new value follows the old.
    EXPECT_NE(text.find("[Software\\\\Zeta] 1600000000\n#time=1d6a0a0a0a0a0a0\n\"old\"=\"kept\"\n"
                        "\"new\"=\"added\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("#class=\"c\"\n"), std::string::npos);
    // Folded to lower case, "[" and "_" sort before letters.
    const std::size_t bracket = text.find("[Software\\\\\\[x\\]]");
    const std::size_t underscore = text.find("[Software\\\\a_b]");
    const std::size_t alpha = text.find("[Software\\\\alpha\\\\Sub]");
    const std::size_t zeta = text.find("[Software\\\\Zeta]");
    ASSERT_NE(bracket, std::string::npos);
    EXPECT_LT(bracket, underscore);
    EXPECT_LT(underscore, alpha);
    EXPECT_LT(alpha, zeta);
    EXPECT_EQ(blocks.KeyCount(), 5u);
    EXPECT_EQ(blocks.ValueCount(), 3u);
    const reg::Hive hive = Parse(text);
    EXPECT_NE(hive.root->FindChild(u"Software")->FindChild(u"[x]"), nullptr);
}

}  // namespace
