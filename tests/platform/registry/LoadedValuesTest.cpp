// Values read from the file keep their text until asked for; keys opened one after the other
// start from the key above. Whatever the way, the A calls answer as for any other value.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "platform/wine/registry/HiveModel.h"
#include "platform/wine/registry/Registry.h"
#include "tests/fixtures/TestPrefix.h"

namespace {

using namespace platform;
using fixtures::Hive;
using wine::Registry;

constexpr const char* kHeader =
    "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";

class LoadedValues : public ::testing::Test {
protected:
    // system.reg written by hand, so the value texts are exactly what a test wants.
    std::unique_ptr<Registry> LoadSystem(const std::string& blocks) {
        prefix.WriteHives();
        std::ofstream(prefix.HivePath(Hive::System), std::ios::binary | std::ios::trunc)
            << kHeader << blocks;
        Status status;
        auto registry = Registry::Load(prefix.Dir(), status);
        EXPECT_TRUE(registry) << status.message;
        return registry;
    }
    // The data of value `index` as RegEnumValueA gives it.
    static std::string Enum(Registry& r, HKEY key, DWORD index, std::string* name = nullptr) {
        char nameBuffer[64] = {}, data[128];
        std::memset(data, 'z', sizeof data);
        DWORD nameLength = sizeof nameBuffer, dataLength = sizeof data, type = 0;
        if (r.RegEnumValueA(key, index, nameBuffer, &nameLength, &type,
                            reinterpret_cast<BYTE*>(data), &dataLength) != ERROR_SUCCESS)
            return "<error>";
        if (name) *name = std::string(nameBuffer, nameLength);
        return std::string(data, dataLength);
    }
    fixtures::TestPrefix prefix;
};

TEST_F(LoadedValues, EscapedTextReadsAsItsCharactersInWindows1252) {
    auto r = LoadSystem(
        "\n[Software\\\\V] 1700000000\n#time=1da1747c66d0000\n"
        "\"a\"=\"C:\\\\Program Files\\\\x.exe \\\"%1\\\"\"\n"  // only \\ and \": copied as is
        "\"b\"=\"caf\\xe9 \\x20ac\"\n"                         // hex escapes: decoded
        "\"c\"=str(2):\"tab\\there\"\n"
        "\"d\"=str(7):\"one\\0two\\0\"\n"
        "\"e\"=\"\"\n"
        "\"f\"=\"C:\\\\\"\n");  // ends with an escaped backslash
    HKEY key = 0;
    ASSERT_EQ(r->RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\V", 0, KEY_READ, &key), 0);
    std::string name;
    EXPECT_EQ(Enum(*r, key, 0, &name), std::string("C:\\Program Files\\x.exe \"%1\"\0", 28));
    EXPECT_EQ(name, "a");
    EXPECT_EQ(Enum(*r, key, 1), std::string("caf\xe9 \x80\0", 7));
    EXPECT_EQ(Enum(*r, key, 2), std::string("tab\there\0", 9));
    EXPECT_EQ(Enum(*r, key, 3), std::string("one\0two\0\0", 9));
    EXPECT_EQ(Enum(*r, key, 4), std::string("\0", 1));
    EXPECT_EQ(Enum(*r, key, 5), std::string("C:\\\0", 4));

    // Too small a buffer: the needed length, as for any value.
    char small[4];
    DWORD length = sizeof small, type = 0;
    EXPECT_EQ(r->RegQueryValueExA(key, "a", &type, reinterpret_cast<BYTE*>(small), &length),
              ERROR_MORE_DATA);
    EXPECT_EQ(length, 28u);
    // Exactly the room the characters take, less than their escaped text: copied all the same.
    char exact[28];
    length = sizeof exact;
    EXPECT_EQ(r->RegQueryValueExA(key, "a", &type, reinterpret_cast<BYTE*>(exact), &length),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(exact, length), std::string("C:\\Program Files\\x.exe \"%1\"\0", 28));
    // The largest data in bytes as the key holds it: UTF-16 with the zero.
    DWORD maxData = 0;
    EXPECT_EQ(r->RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &maxData), 0);
    EXPECT_EQ(maxData, 2u * 28);
}

TEST_F(LoadedValues, RewrittenKeyWritesItsTextValuesAsWineDoes) {
    const std::string block =
        "\n[Software\\\\V] 1700000000\n#time=1da1747c66d0000\n"
        "\"a\"=\"C:\\\\dir\\\\x.exe \\\"q\\\"\"\n"
        "\"b\"=\"\\x41\\101B\"\n";  // Wine writes these characters plainly
    auto r = LoadSystem(block);
    HKEY key = 0;
    ASSERT_EQ(r->RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\V", &key), 0);
    const DWORD one = 1;
    ASSERT_EQ(r->RegSetValueExA(key, "c", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), 0);
    ASSERT_TRUE(r->Commit().ok());
    const std::string text = prefix.ReadHive(Hive::System);
    EXPECT_NE(text.find("\"a\"=\"C:\\\\dir\\\\x.exe \\\"q\\\"\"\n\"b\"=\"AAB\"\n"
                        "\"c\"=dword:00000001\n"),
              std::string::npos)
        << text;
}

TEST_F(LoadedValues, SiblingsBelowALinkAreOpenedThroughIt) {
    auto r = LoadSystem(
        "\n[Software\\\\Link] 1700000000\n#time=1da1747c66d0000\n#link\n"
        "\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,74,00,72,00,79,00,\\\n"
        "  5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00,5c,00,54,00\n"
        "\n[T\\\\A] 1700000000\n#time=1da1747c66d0000\n\"v\"=\"a\"\n"
        "\n[T\\\\B] 1700000000\n#time=1da1747c66d0000\n\"v\"=\"b\"\n");
    auto value = [&r](const char* path) {
        HKEY key = 0;
        if (r->RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != 0)
            return std::string("<none>");
        char data[16] = {};
        DWORD length = sizeof data, type = 0;
        r->RegQueryValueExA(key, "v", &type, reinterpret_cast<BYTE*>(data), &length);
        return std::string(data);
    };
    // \Registry\Machine\T: the link's target.
    EXPECT_EQ(value("Software\\Link\\A"), "a");
    EXPECT_EQ(value("Software\\Link\\B"), "b");
    EXPECT_EQ(value("Software\\Link\\C"), "<none>");
    EXPECT_EQ(value("T\\A"), "a");
}

TEST_F(LoadedValues, NamesAreKeptOncePerHive) {
    platform::wine::registry::HiveStore store;
    const std::u16string_view a = store.Name(u"ThreadingModel");
    const std::u16string_view b = store.Name(std::u16string(u"Threading") + u"Model");
    EXPECT_EQ(a.data(), b.data());
    EXPECT_NE(store.Name(u"threadingmodel").data(), a.data());  // the spelling is kept
    // Stored bytes stay where they are while many more are stored, small and large.
    const std::uint8_t first[3] = {1, 2, 3};
    const std::string_view kept = store.Bytes(first, 3);
    std::vector<std::uint8_t> large(300000, 7);
    for (int i = 0; i < 2000; ++i) store.Bytes(large.data(), i % 100 == 0 ? large.size() : 200);
    EXPECT_EQ(kept, std::string_view("\x01\x02\x03", 3));
}

TEST_F(LoadedValues, KeysOpenedOneAfterTheOtherFindEachTheirOwn) {
    prefix.SetString(Hive::System, "Software\\P\\A", "v", "a");
    prefix.SetString(Hive::System, "Software\\P\\B", "v", "b");
    prefix.SetString(Hive::System, "Software\\Q\\A", "v", "qa");
    prefix.WriteHives();
    Status status;
    auto r = Registry::Load(prefix.Dir(), status);
    ASSERT_TRUE(r) << status.message;
    auto value = [&r](HKEY root, const char* path) {
        HKEY key = 0;
        if (r->RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return std::string("<none>");
        char data[16] = {};
        DWORD length = sizeof data, type = 0;
        r->RegQueryValueExA(key, "v", &type, reinterpret_cast<BYTE*>(data), &length);
        r->RegCloseKey(key);
        return std::string(data);
    };
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\A"), "a");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\B"), "b");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\C"), "<none>");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "software\\p\\a"), "a");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\Q\\A"), "qa");
    EXPECT_EQ(value(HKEY_CURRENT_USER, "Software\\Q\\A"), "<none>");  // another root
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\\\A\\"), "a");
    // A key made after its sibling was opened is found the next time.
    HKEY made = 0;
    ASSERT_EQ(r->RegCreateKeyA(HKEY_LOCAL_MACHINE, "Software\\P\\C", &made), 0);
    const char data[] = "c";
    ASSERT_EQ(r->RegSetValueExA(made, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>(data), 2), 0);
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\C"), "c");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE, "Software\\P\\A"), "a");
}

}  // namespace

namespace {

TEST(KeyLines, PlainAndEscapedSpellingsOfAPathLeadToOneKey) {
    platform::wine::registry::Hive hive;
    hive.path = "system.reg";
    hive.text = std::string(kHeader) +
                "\n[Software\\\\K] 1\n\"a\"=dword:00000001\n"
                "\n[Soft\\x0077are\\\\K\\\\Sub] 1\n\"b\"=dword:00000002\n"    // \x0077 is w
                "\n[Software\\\\\\\\K\\\\Sub\\\\] 1\n\"c\"=dword:00000003\n"  // empty parts
                "\n[Software\\\\K\\\\Other] 1\n\"d\"=dword:00000004\n";
    std::string error;
    ASSERT_TRUE(platform::wine::registry::ParseHive(hive, error)) << error;
    ASSERT_EQ(hive.root->children.size(), 1u);
    const platform::wine::registry::Key* k = hive.root->FindChild(u"Software")->FindChild(u"K");
    ASSERT_NE(k, nullptr);
    ASSERT_EQ(k->children.size(), 2u);
    const platform::wine::registry::Key* sub = k->FindChild(u"Sub");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->values.size(), 2u);  // b and c: one key, written twice
    EXPECT_TRUE(sub->dirty);
    EXPECT_NE(k->FindChild(u"Other"), nullptr);
}

}  // namespace
