// Hive text in and out: every value form and escape, Wine's order, damaged files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/codepage/Codepage.h"
#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/Registry.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using platform::wine::Registry;
using platform::wine::registry::DataBytes;
using platform::wine::registry::Hive;
using platform::wine::registry::Key;
using platform::wine::registry::ParseHive;
using platform::wine::registry::ParseHiveSplit;
using platform::wine::registry::SerializeHive;

constexpr const char* kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n";

Hive Parse(const std::string& text, std::string* error = nullptr) {
    Hive hive;
    hive.path = "system.reg";
    hive.text = text;
    std::string e;
    const bool ok = ParseHive(hive, e);
    if (error) *error = e;
    EXPECT_TRUE(ok || error) << e;
    return hive;
}

void MarkAllChanged(Key& key) {
    key.dirty = true;
    for (auto& child : key.children) MarkAllChanged(*child);
}

// Every block a Wine 8.0 server writes for these forms; written back unchanged and written
// anew as if every key had changed, the text must come out the same.
TEST(HiveText, EveryValueFormRoundTripsVerbatimAndWhenRewritten) {
    const std::string text =
        std::string(kHeader) +
        "\n[Software\\\\A\\[b\\]] 1700427978\n#time=1da1b2c3d4e5f60\n"
        "@=\"default\"\n"
        "\"bin\"=hex:00,01,ff\n"
        "\"ctl\"=\"\\a\\b\\t\\n\\v\\f\\r\\e\\0015\\1x\"\n"
        "\"dw\"=dword:0000000a\n"
        "\"empty\"=\"\"\n"
        "\"exp\"=str(2):\"%SystemRoot%\\\\x\"\n"
        "\"hexdigit\"=\"\\x00e91\"\n"
        "\"long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\n"
        "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b\n"
        "\"multi\"=str(7):\"a\\0b\\0\"\n"
        "\"none\"=hex(0):\n"
        "\"odd\"=hex(1):61\n"
        "\"quote\\\"d\"=\"say \\\"hi\\\"\"\n"
        "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
        "\"smile\"=\"\\xd83d\\xde00\"\n"
        "\"wrongdw\"=hex(4):01,02,03\n"
        "\"\\xe9t\\xe9\"=\"caf\\xe9 \"\n"
        "\n[Software\\\\B] 1700427978\n#time=1da1b2c3d4e5f61\n#class=\"cls\"\n"
        "\n[System\\\\Link] 1700427978\n#time=1da1b2c3d4e5f62\n#link\n"
        "\"SymbolicLinkValue\"=hex(6):5c,00,52,00\n";
    Hive hive = Parse(text);
    EXPECT_TRUE(hive.problem.empty()) << hive.problem;
    EXPECT_EQ(SerializeHive(hive), text);
    MarkAllChanged(*hive.root);
    EXPECT_EQ(SerializeHive(hive), text);

    const Key* a = hive.root->FindChild(u"software")->FindChild(u"A[b]");
    ASSERT_NE(a, nullptr);
    auto value = [a](std::u16string_view name) {
        for (const auto& v : a->values)
            if (v.name == name) return v;
        ADD_FAILURE() << "no value " << platform::codepage::Utf16ToUtf8(name);
        return platform::wine::registry::Value{};
    };
    EXPECT_EQ(DataBytes(value(u"ctl")).size(), 2u * 13);  // 12 units and the zero
    EXPECT_EQ(DataBytes(value(u"ctl"))[2 * 8], 0x01);     // octal \001 before the digit 5
    EXPECT_EQ(DataBytes(value(u"hexdigit"))[0], 0xe9);    // \x00e9 then the digit 1
    EXPECT_EQ(DataBytes(value(u"hexdigit"))[2], '1');
    EXPECT_EQ(DataBytes(value(u"smile")),
              (std::vector<std::uint8_t>{0x3d, 0xd8, 0x00, 0xde, 0, 0}));
    EXPECT_EQ(DataBytes(value(u"long")).size(), 44u);
    EXPECT_EQ(DataBytes(value(u"dw")), (std::vector<std::uint8_t>{10, 0, 0, 0}));
    EXPECT_TRUE(hive.root->FindChild(u"SYSTEM")->FindChild(u"link")->isLink);
}

TEST(HiveText, ReaderTakesWhatWineAcceptsAndWritesItTheWayWineDoes) {
    // UTF-8 input, "str:" strings, a leading blank, spaces around "=", upper-case hex: all
    // read; a changed key is written in Wine's own layout (escapes, lower-case hex).
    const std::string text = std::string(kHeader) +
                             "\n[Software\\\\U] 1700427978\n#time=1DA1B2C3D4E5F60\n"
                             "  \"n\" = str:\"caf\xc3\xa9\"\n\"h\"=hex:0A,0B\n";
    Hive hive = Parse(text);
    MarkAllChanged(*hive.root);
    EXPECT_EQ(SerializeHive(hive), std::string(kHeader) +
                                       "\n[Software\\\\U] 1700427978\n#time=1da1b2c3d4e5f60\n"
                                       "\"h\"=hex:0a,0b\n\"n\"=\"caf\\xe9\"\n");
}

TEST(HiveText, DuplicateValuesAndKeysMergeAsWineMergesThem) {
    const std::string text =
        std::string(kHeader) +
        "\n[K] 1\n\"v\"=\"first\"\n\"V\"=\"second\"\n\n[k] 2\n\"w\"=dword:00000001\n";
    Hive hive = Parse(text);
    const Key* k = hive.root->FindChild(u"K");
    ASSERT_NE(k, nullptr);
    ASSERT_EQ(k->values.size(), 2u);
    EXPECT_EQ(k->values[0].name, u"v");  // the first spelling, the last data
    EXPECT_EQ(DataBytes(k->values[0])[0], 's');
    EXPECT_EQ(hive.root->children.size(), 1u);
}

// A key keeps the spelling it was first read with, also after a save: a block whose path
// spells it otherwise (an unsorted file) must not be written back as it was read, or the
// written file would give the key the block's spelling.
TEST(HiveText, KeysKeepTheirFirstSpellingWhenWrittenBack) {
    const std::string text = std::string(kHeader) +
                             "\n[s\\\\W] 1\n\"v\"=\"1\"\n"
                             "\n[S] 2\n\"x\"=\"2\"\n"
                             "\n[a\\\\Z] 3\n\n[A\\\\B] 4\n";
    const auto names = [](const Key& root) {
        std::u16string out;
        for (const auto& child : root.children) {
            out.append(child->name) += u"(";
            for (const auto& grandchild : child->children) out.append(grandchild->name) += u" ";
            out += u") ";
        }
        return out;
    };
    Hive hive = Parse(text);
    EXPECT_EQ(names(*hive.root), u"a(B Z ) s(W ) ");
    Hive again = Parse(SerializeHive(hive));
    EXPECT_EQ(names(*again.root), u"a(B Z ) s(W ) ");
    const Key* s = again.root->FindChild(u"s");
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->values.size(), 1u);
    EXPECT_EQ(DataBytes(s->values[0])[0], '2');
}

TEST(HiveText, OrderFoldsToLowerCaseSoPunctuationSortsBeforeLetters) {
    const std::string text = std::string(kHeader) +
                             "\n[b] 1\n\n[a] 1\n\n[_u] 1\n\n[\\[x] 1\n"
                             "\n[`q] 1\n\n[C] 1\n\n[^z] 1\n\n[\\]y] 1\n"
                             "\n[ab] 1\n\n[A1] 1\n";
    Hive hive = Parse(text);
    std::u16string order;
    for (const auto& child : hive.root->children) order.append(child->name) += u" ";
    EXPECT_EQ(order, u"[x ]y ^z _u `q a A1 ab b C ");
}

TEST(HiveText, DamagedFilesAreRefusedWithFileAndLine) {
    std::string error;
    Parse("WINE REGISTRY Version 1\n", &error);
    EXPECT_NE(error.find("system.reg:1:"), std::string::npos) << error;
    Parse("WINE REGISTRY Version 2\n;;\n\n#arch=win99\n", &error);
    EXPECT_NE(error.find("system.reg:4:"), std::string::npos) << error;

    // A malformed line further in does not stop the load, but it is remembered, so the hive
    // is never written back without it.
    Hive hive = Parse(std::string(kHeader) + "\n[K] 1\n\"ok\"=\"1\"\n\"bad\"=what\nnoise\n");
    EXPECT_NE(hive.problem.find("system.reg:8:"), std::string::npos) << hive.problem;
    EXPECT_EQ(hive.root->FindChild(u"K")->values.size(), 2u);
}

// Wine ends every line it writes, so a last line without its line end that stops inside a
// time, a dword or a byte list was cut short (a crash, a full disk). Wine's server reads such
// a tail without a word; Drennow reads it too but must never write it back. The same forms
// with their line end are what Wine accepts anywhere and stay clean.
TEST(HiveText, TailsCutShortMakeTheHiveReadOnlyWithTheirLine) {
    struct Case {
        const char* tail;  // after "[K] 1" on line 8
        int line;          // of the problem; 0 for none
    };
    const Case cases[] = {
        {"#time=1da1b2c", 9},
        {"#time=", 9},
        {"#time=1da1b2c3d4e5f60", 0},
        {"#time=1da1b2c\n", 0},
        {"\"v\"=dword:0000", 9},
        {"\"v\"=dword:", 9},
        {"\"v\"=dword:00000001", 0},
        {"\"v\"=dword:0000\n", 0},
        {"\"v\"=hex:01,0", 9},
        {"\"v\"=hex(2):01,0", 9},
        {"\"v\"=hex:01,02,", 9},
        {"\"v\"=hex:01,02,\\", 9},
        {"\"v\"=hex:01,02,\\\n", 9},
        {"\"v\"=hex:01,02,\\\n  ", 10},
        {"\"v\"=hex:01,02,\\\n  03,0", 10},
        {"\"v\"=hex:01,02", 0},
        {"\"v\"=hex:01,0\n", 0},
        {"\"v\"=hex:01,02,\n", 0},
        {"\"v\"=hex:01,02,\\\n  03\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        const std::string text = std::string(kHeader) + "\n[J] 1\n\n[K] 1\n" + c.tail;
        Hive hive = Parse(text);
        ASSERT_NE(hive.root->FindChild(u"K"), nullptr);  // the rest is read all the same
        if (c.line == 0) {
            EXPECT_EQ(hive.problem, "");
        } else {
            EXPECT_EQ(hive.problem.rfind("system.reg:" + std::to_string(c.line) + ": ", 0), 0u)
                << hive.problem;
        }
        // Read in two halves, the file gives what one pass gives.
        Hive split;
        split.path = hive.path;
        split.text = text;
        std::string error;
        ASSERT_TRUE(ParseHiveSplit(split, error, 1)) << error;
        EXPECT_EQ(split.problem, hive.problem);
    }
}

// A real prefix folder with one broken line: it opens, reads, and refuses every write.
TEST(HiveText, MalformedLineMakesThePrefixReadOnly) {
    fixtures::TestPrefix prefix;
    prefix.SetString(fixtures::Hive::System, "Software\\K", "ok", "1");
    prefix.WriteHives();
    const std::string path = prefix.HivePath(fixtures::Hive::System);
    { std::ofstream(path, std::ios::app) << "\n[Software\\\\K2] 1\n\"x\"=str(2):\"unterminated\n"; }
    const std::string before = prefix.ReadHive(fixtures::Hive::System);

    platform::Status status;
    auto registry = Registry::Load(prefix.Dir(), status);
    ASSERT_TRUE(registry) << status.message;
    EXPECT_FALSE(registry->CanWrite().ok());
    EXPECT_NE(registry->CanWrite().message.find("system.reg:"), std::string::npos);
    platform::HKEY key = 0;
    ASSERT_EQ(registry->RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, "Software\\K", &key), 0);
    const char data[] = "2";
    registry->RegSetValueExA(key, "ok", 0, platform::REG_SZ,
                             reinterpret_cast<const platform::BYTE*>(data), 2);
    EXPECT_FALSE(registry->Commit().ok());
    EXPECT_EQ(prefix.ReadHive(fixtures::Hive::System), before);
}

TEST(HiveText, MissingPrefixFilesNameTheFolderAndTheFix) {
    const auto dir = std::filesystem::temp_directory_path() / "drennow-no-prefix-test";
    std::filesystem::create_directories(dir);
    platform::Status status;
    EXPECT_FALSE(Registry::Load(dir.string(), status));
    EXPECT_NE(status.message.find(dir.string()), std::string::npos);
    EXPECT_NE(status.message.find("wineboot -i"), std::string::npos);
    std::filesystem::remove_all(dir);
}

}  // namespace
