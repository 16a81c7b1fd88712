// Our registry against Wine's own: a `wineboot -i` prefix loads and writes back byte for byte,
// our committed changes read back through `wine reg query`, and a subtree read through our
// calls equals `wine regedit /E` of it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/codepage/Codepage.h"
#include "platform/wine/WinePrefix.h"
#include "platform/wine/registry/HiveModel.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

class WineRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
        dir = (fs::temp_directory_path() /
               fs::path("drennow-wine-reg-" + std::to_string(::getpid()) + "-" +
                        ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                  .string();
        ASSERT_FALSE(fixtures::CopyWineTemplate(dir).empty());
    }
    void TearDown() override {
        if (!dir.empty()) {
            fixtures::StopWineServer(dir);
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    }
    std::unique_ptr<Services> Open() {
        Status status;
        auto services = wine::OpenPrefix(dir, status);
        EXPECT_TRUE(services) << status.message;
        return services;
    }
    std::string dir;
};

void MarkAllChanged(wine::registry::Key& key) {
    key.dirty = true;
    for (auto& child : key.children) MarkAllChanged(*child);
}

// Read in one pass and in two halves meeting at several places (as a large file is read).
TEST_F(WineRegistry, WinesOwnHivesComeBackByteForByte) {
    for (const char* name : {"system.reg", "user.reg", "userdef.reg"}) {
        const std::string text = ReadFile(dir + "/" + name);
        for (const std::size_t splitFrom :
             {std::string::npos, text.size() / 4, text.size() / 2, text.size() * 3 / 4}) {
            SCOPED_TRACE(std::string(name) + " second half from " + std::to_string(splitFrom));
            wine::registry::Hive hive;
            hive.path = dir + "/" + name;
            hive.text = text;
            std::string error;
            ASSERT_TRUE(wine::registry::ParseHiveSplit(hive, error, splitFrom)) << error;
            EXPECT_TRUE(hive.problem.empty()) << hive.problem;
            EXPECT_TRUE(wine::registry::SerializeHive(hive) == hive.text) << "verbatim";
            // Every key written anew, in our own layout: still Wine's bytes.
            MarkAllChanged(*hive.root);
            EXPECT_TRUE(wine::registry::SerializeHive(hive) == hive.text) << "rewritten";
        }
    }
}

TEST_F(WineRegistry, CommittedChangesReadBackThroughRegQuery) {
    {
        auto services = Open();
        ASSERT_TRUE(services);
        HKEY key = 0;
        ASSERT_EQ(services->RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Drennow Test", &key), 0);
        const char text[] = "c:\\Program Files\\T\\t.exe /x";
        ASSERT_EQ(services->RegSetValueExA(key, "Path", 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text), sizeof text),
                  0);
        const DWORD number = 0x1234abcd;
        ASSERT_EQ(services->RegSetValueExA(key, "Number", 0, REG_DWORD,
                                           reinterpret_cast<const BYTE*>(&number), 4),
                  0);
        ASSERT_EQ(services->RegSetValueExA(key, "Gone", 0, REG_SZ,
                                           reinterpret_cast<const BYTE*>(text), sizeof text),
                  0);
        ASSERT_EQ(services->RegDeleteValueA(key, "Gone"), 0);
        services->RegCloseKey(key);
        HKEY run = 0;
        ASSERT_EQ(services->RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                                          "Software\\Microsoft\\Windows NT\\CurrentVersion", 0,
                                          KEY_ALL_ACCESS, &run),
                  0);
        ASSERT_EQ(services->RegDeleteValueA(run, "RegisteredOwner"), 0);
        const Status committed = services->Commit();
        ASSERT_TRUE(committed.ok()) << committed.message;
    }
    const auto query = fixtures::RunWine(dir, {"reg", "query", "HKCU\\Software\\Drennow Test"});
    ASSERT_EQ(query.exitCode, 0);
    EXPECT_NE(query.output.find("Path    REG_SZ    c:\\Program Files\\T\\t.exe /x"),
              std::string::npos)
        << query.output;
    EXPECT_NE(query.output.find("Number    REG_DWORD    0x1234abcd"), std::string::npos)
        << query.output;
    EXPECT_EQ(query.output.find("Gone"), std::string::npos);
    const auto owner = fixtures::RunWine(
        dir, {"reg", "query", "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion", "/v",
              "RegisteredOwner"});
    EXPECT_NE(owner.exitCode, 0) << owner.output;
}

// One exported value, as our calls and as regedit give it.
struct Entry {
    std::string key, name;
    DWORD type = 0;
    std::string data;  // bytes as the A calls return them
    bool operator==(const Entry&) const = default;
};

void Walk(Services& s, HKEY root, const std::string& rootName, const std::string& path,
          std::vector<Entry>& out) {
    HKEY key = 0;
    // A name the ANSI code page cannot spell comes back with "?" and cannot be opened by
    // name through the A calls, in Wine as here.
    if (s.RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != 0) return;
    std::vector<char> name(20000);
    std::vector<BYTE> data(1 << 20);
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = static_cast<DWORD>(name.size()), dataLength = 1 << 20, type = 0;
        if (s.RegEnumValueA(key, i, name.data(), &nameLength, &type, data.data(), &dataLength))
            break;
        out.push_back({rootName + "\\" + path, std::string(name.data(), nameLength), type,
                       std::string(reinterpret_cast<char*>(data.data()), dataLength)});
    }
    std::vector<std::string> children;
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 1000;
        if (s.RegEnumKeyExA(key, i, name.data(), &nameLength)) break;
        children.emplace_back(name.data(), nameLength);
    }
    s.RegCloseKey(key);
    for (const std::string& child : children) Walk(s, root, rootName, path + "\\" + child, out);
}

// Reads a `regedit /E` file (UTF-16LE, CRLF) into entries, strings in the ANSI code page.
std::vector<Entry> ParseExport(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    std::vector<std::u16string> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t to = text.find(u"\r\n", from);
        if (to == std::u16string::npos) to = text.size();
        lines.push_back(text.substr(from, to - from));
        from = to + 2;
    }
    const auto ansi = [](std::u16string_view t) { return codepage::Utf16ToAnsi(t); };
    std::vector<Entry> out;
    std::string key;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string line = lines[i];
        if (line.empty()) continue;
        if (line[0] == u'[') {
            key = ansi(line.substr(1, line.size() - 2));
            continue;
        }
        if (line[0] != u'@' && line[0] != u'"') continue;
        while (!line.empty() && line.back() == u'\\' && i + 1 < lines.size())
            line = line.substr(0, line.size() - 1) + lines[++i].substr(2);
        Entry e;
        e.key = key;
        std::size_t p = 1;
        const auto unquote = [&line, &p]() {
            std::u16string s;
            for (; p < line.size() && line[p] != u'"'; ++p) {
                if (line[p] == u'\\' && p + 1 < line.size()) {
                    const char16_t c = line[++p];
                    s.push_back(c == u'n' ? u'\n' : c == u'r' ? u'\r' : c);
                } else {
                    s.push_back(line[p]);
                }
            }
            ++p;
            return s;
        };
        if (line[0] == u'"') e.name = ansi(unquote());
        ++p;  // '='
        const std::u16string rest = line.substr(p);
        if (!rest.empty() && rest[0] == u'"') {
            ++p;
            e.type = REG_SZ;
            e.data = ansi(unquote()) + '\0';
        } else if (rest.rfind(u"dword:", 0) == 0) {
            e.type = REG_DWORD;
            const DWORD v = static_cast<DWORD>(std::stoul(ansi(rest.substr(6)), nullptr, 16));
            e.data.assign(reinterpret_cast<const char*>(&v), 4);
        } else {
            std::size_t colon = rest.find(u':');
            e.type = REG_BINARY;
            if (rest.rfind(u"hex(", 0) == 0)
                e.type = static_cast<DWORD>(std::stoul(ansi(rest.substr(4)), nullptr, 16));
            std::string raw;
            std::stringstream bytesText(ansi(rest.substr(colon + 1)));
            for (std::string b; std::getline(bytesText, b, ',');)
                if (!b.empty()) raw.push_back(static_cast<char>(std::stoul(b, nullptr, 16)));
            if (e.type == REG_EXPAND_SZ || e.type == REG_MULTI_SZ) {
                std::u16string units;
                for (std::size_t k = 0; k + 1 < raw.size(); k += 2)
                    units.push_back(
                        static_cast<char16_t>(static_cast<unsigned char>(raw[k]) |
                                              (static_cast<unsigned char>(raw[k + 1]) << 8)));
                raw = ansi(units);
            }
            e.data = raw;
        }
        out.push_back(e);
    }
    return out;
}

TEST_F(WineRegistry, SubtreeEqualsRegeditExport) {
    // A subtree without volatile keys (those live only in the server, never in the files).
    const std::string keyPath = "Control Panel";
    const auto exported = fixtures::RunWine(
        dir, {"regedit", "/E", "C:\\export.reg", "HKEY_CURRENT_USER\\" + keyPath});
    ASSERT_EQ(exported.exitCode, 0);
    std::vector<Entry> theirs = ParseExport(ReadFile(dir + "/drive_c/export.reg"));
    std::erase_if(theirs, [](const Entry& e) { return e.key.find('?') != std::string::npos; });
    ASSERT_GT(theirs.size(), 50u);

    auto services = Open();
    ASSERT_TRUE(services);
    std::vector<Entry> ours;
    Walk(*services, HKEY_CURRENT_USER, "HKEY_CURRENT_USER", keyPath, ours);
    if (ours.size() != theirs.size()) {
        std::size_t i = 0;
        while (i < ours.size() && i < theirs.size() && ours[i] == theirs[i]) ++i;
        ADD_FAILURE() << "first difference at " << i << ": ours "
                      << (i < ours.size() ? ours[i].key + " / " + ours[i].name : "-") << ", theirs "
                      << (i < theirs.size() ? theirs[i].key + " / " + theirs[i].name : "-");
        return;
    }
    for (std::size_t i = 0; i < ours.size(); ++i)
        ASSERT_EQ(ours[i], theirs[i])
            << "entry " << i << ": " << ours[i].key << " / " << ours[i].name << " vs "
            << theirs[i].key << " / " << theirs[i].name;
}

}  // namespace
