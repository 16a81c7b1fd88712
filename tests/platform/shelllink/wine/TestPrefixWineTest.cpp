// The prefix builder's hive text, loaded by Wine itself: every value Wine reads back must be
// the one the test asked for, escapes and wrapped lines included.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/fixtures/TestPrefix.h"
#include "tests/fixtures/WineTemplate.h"

namespace {
namespace fs = std::filesystem;
using fixtures::Hive;
using fixtures::TestPrefix;

// UTF-16LE with a BOM (what `reg export` writes) to UTF-8.
std::string Utf8FromExport(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        auto c = static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                       (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
            auto low = static_cast<char32_t>(static_cast<unsigned char>(bytes[i + 2]) |
                                             (static_cast<unsigned char>(bytes[i + 3]) << 8));
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

TEST(TestPrefixUnderWine, WineReadsTheHiveTextAsMeant) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    std::string pattern = (fs::temp_directory_path() / "drennow-wine-hive-XXXXXX").string();
    ASSERT_TRUE(::mkdtemp(pattern.data()));
    struct Cleanup {
        std::string dir;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{pattern};
    const std::string wine = fixtures::CopyWineTemplate(pattern + "/prefix");
    ASSERT_FALSE(wine.empty()) << "no Wine template prefix";

    TestPrefix prefix;
    const std::string key = "Software\\Drennow\\Odd[key]";
    prefix.SetString(Hive::User, key, "tab", "a\tb7");
    prefix.SetString(Hive::User, key, "control", std::string("\x01") + "5\x02x");
    prefix.SetString(Hive::User, key, "quote", "say \"hi\" \\ C:\\dir\\");
    prefix.SetString(Hive::User, key, "caf\u00e9", "\u00e9a \u00e9 \U0001F600a");
    prefix.SetMultiString(Hive::User, key, "multi", {"a", "1", "\u0416"});
    prefix.SetExpandString(Hive::User, key, "", "%SystemRoot%\\x");
    prefix.SetDword(Hive::User, key, "dword", 0x12345678);
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 40; ++i) bytes.push_back(static_cast<std::uint8_t>(0xF0 - i));
    prefix.SetBinary(Hive::User, key, "binary", bytes);
    // The builder's user hive replaces Wine's own.
    std::ofstream(wine + "/user.reg", std::ios::binary | std::ios::trunc)
        << prefix.HiveText(Hive::User);

    const auto run = fixtures::RunWine(
        wine, {"reg", "export", "HKEY_CURRENT_USER\\Software\\Drennow", "C:\\out.reg", "/y"});
    ASSERT_EQ(run.exitCode, 0);
    std::ifstream file(wine + "/drive_c/out.reg", std::ios::binary);
    ASSERT_TRUE(file);
    const std::string exported =
        Utf8FromExport({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});

    // `reg export` writes strings raw (escaping only \, ", CR, LF) and other types as hex.
    const std::string expected =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Drennow]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Drennow\\Odd[key]]\r\n"
        "@=hex(2):25,00,53,00,79,00,73,00,74,00,65,00,6d,00,52,00,6f,00,6f,00,74,00,25,\\\r\n"
        "  00,5c,00,78,00,00,00\r\n"
        "\"binary\"=hex:f0,ef,ee,ed,ec,eb,ea,e9,e8,e7,e6,e5,e4,e3,e2,e1,e0,df,de,dd,dc,db,\\\r\n"
        "  da,d9,d8,d7,d6,d5,d4,d3,d2,d1,d0,cf,ce,cd,cc,cb,ca,c9\r\n"
        "\"caf\u00e9\"=\"\u00e9a \u00e9 \U0001F600a\"\r\n"
        "\"control\"=\"\x01"
        "5\x02x\"\r\n"
        "\"dword\"=dword:12345678\r\n"
        "\"multi\"=hex(7):61,00,00,00,31,00,00,00,16,04,00,00,00,00\r\n"
        "\"quote\"=\"say \\\"hi\\\" \\\\ C:\\\\dir\\\\\"\r\n"
        "\"tab\"=\"a\tb7\"\r\n"
        "\r\n";
    EXPECT_EQ(exported, expected);
}

}  // namespace
