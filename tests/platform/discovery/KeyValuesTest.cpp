// Valve's KeyValues reader on files shaped as Steam writes them, and as editors, cut
// downloads and junk leave them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/discovery/KeyValues.h"

namespace {

using platform::discovery::KeyValue;
using platform::discovery::ParseKeyValues;
using namespace std::string_literals;

// The string at a path of keys such as "libraryfolders/1/path"; "(none)" when it is missing.
std::string At(const KeyValue& root, std::string_view path) {
    const KeyValue* at = &root;
    while (at) {
        const std::size_t slash = path.find('/');
        at = at->Child(path.substr(0, slash));
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return at && !at->block ? at->value : "(none)";
}

std::string Nested(int depth) {
    std::string text = "\"outer\" \"kept\"\n";
    for (int i = 0; i < depth; ++i) text += "\"b\" {\n";
    text += "\"k\" \"v\"\n";
    for (int i = 0; i < depth; ++i) text += "}\n";
    return text;
}

TEST(KeyValuesTest, ReadsEachFormTheFilesComeIn) {
    const std::string libraries =
        "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"/home/u/.local/share/Steam\"\n"
        "\t\t\"apps\"\n\t\t{\n\t\t\t\"220\"\t\t\"4300000000\"\n\t\t}\n\t}\n"
        "\t\"1\"\n\t{\n\t\t\"path\"\t\t\"/mnt/Games \\\"fast\\\"\"\n\t}\n}\n";
    std::string crlf;
    for (const char c : libraries) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const struct {
        std::string name, text, path, value;
        std::string error;  // a part of the error; empty when the text reads whole
    } cases[] = {
        {"nested", libraries, "libraryfolders/1/path", "/mnt/Games \"fast\"", ""},
        {"nested, letter case", libraries, "LibraryFolders/0/APPS/220", "4300000000", ""},
        {"CR LF", crlf, "libraryfolders/1/path", "/mnt/Games \"fast\"", ""},
        {"byte order mark", "\xEF\xBB\xBF" + libraries, "libraryfolders/0/path",
         "/home/u/.local/share/Steam", ""},
        {"escapes", "\"a\" { \"b\" \"D:\\\\Steam\\tx\\ny\\q\" }", "a/b", "D:\\Steam\tx\nyq", ""},
        {"comment, condition, bare", "// x\na // y\n{\n b bare [$WIN32||$OSX]\n}", "a/b", "bare",
         ""},
        {"missing field", "\"AppState\" { \"appid\" \"220\" }", "AppState/name", "(none)", ""},
        {"cut in a block", "\"a\" { \"b\" \"kept\" \"c\" { \"d\" \"cu", "a/b", "kept",
         "a quoted text is not closed (line 1)"},
        {"cut after a brace", "\"a\" { \"b\" \"kept\" \"c\" {", "a/b", "kept",
         "the text ends inside the block \"c\" (line 1)"},
        {"key without value", "\"a\" { \"b\" }", "a/b", "(none)", "\"b\" has no value"},
        {"line of an escaped line break", "\"a\" \"x\\\ny\"\n\"b\"", "a", "x\ny", "(line 3)"},
        {"100 levels", Nested(100), "outer", "kept", "blocks nest deeper than 64 levels (line 66)"},
        {"64 levels", Nested(64), "outer", "kept", ""},
        {"long key quoted short", "\"" + std::string(5000, 'k') + "\"", "k", "(none)",
         "\"" + std::string(60, 'k') + "...\" has no value"},
        {"binary junk", "\"a\" \"b\"\n\x00\xFF\x01{\x7F}\"\xC3"s, "a", "b", "has no value"},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseKeyValues(c.text);
        EXPECT_EQ(At(parsed.root, c.path), c.value) << c.name;
        if (c.error.empty()) EXPECT_EQ(parsed.error, "") << c.name;
        else
            EXPECT_NE(parsed.error.find(c.error), std::string::npos)
                << c.name << ": " << parsed.error;
    }
}

// Ten megabytes read in one pass: a library listing many apps, and a line of brackets that
// never close (each once searched to the end of the text for its close).
TEST(KeyValuesTest, ReadsTenMegabytesInOnePass) {
    std::string listing = "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"apps\"\n\t\t{\n";
    int apps = 0;
    while (listing.size() < (10u << 20))
        listing += "\t\t\t\"" + std::to_string(++apps) + "\"\t\t\"12345678901\"\n";
    listing += "\t\t}\n\t\t\"path\"\t\t\"/mnt/last\"\n\t}\n}\n";
    const auto read = ParseKeyValues(listing);
    EXPECT_EQ(read.error, "");
    ASSERT_EQ(At(read.root, "libraryfolders/0/path"), "/mnt/last");
    EXPECT_EQ(read.root.children[0].children[0].Child("apps")->children.size(),
              static_cast<std::size_t>(apps));

    // "k v [": the pairs are (k, v), ([, k), (v, [), ... over and over.
    const std::string unit = std::string(30, 'k') + ' ' + std::string(30, 'v') + " [ ";
    std::string brackets;
    while (brackets.size() < (10u << 20) || brackets.size() / unit.size() % 2) brackets += unit;
    const auto junk = ParseKeyValues(brackets);
    EXPECT_EQ(junk.error, "");
    EXPECT_EQ(junk.root.children.size(), brackets.size() / unit.size() * 3 / 2);
}

}  // namespace
