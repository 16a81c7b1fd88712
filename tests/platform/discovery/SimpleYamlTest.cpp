// The YAML reader on Lutris and Bottles files as PyYAML writes them, and as editors, cut
// writes and junk leave them.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "platform/discovery/SimpleYaml.h"

namespace {

using platform::discovery::ReadYamlScalars;
using namespace std::string_literals;

std::optional<std::string> Prefix(const std::string& text) {
    const auto scalars = ReadYamlScalars(text, {"game.prefix"});
    const auto found = scalars.find("game.prefix");
    if (found == scalars.end()) return std::nullopt;
    return found->second;
}

TEST(SimpleYamlTest, ReadsTheScalarsAsPyYamlWritesThem) {
    const struct {
        std::string name, text;
        std::optional<std::string> prefix;
    } cases[] = {
        {"plain", "game:\n  arch: win64\n  prefix: /home/u/Games/gw2\nwine:\n  version: x\n",
         "/home/u/Games/gw2"},
        // PyYAML folds a long scalar at a space onto a deeper line.
        {"folded plain",
         "game:\n  prefix: /home/u/Games/The Elder Scrolls V Skyrim Special Edition Anniversary\n"
         "    Edition\n  arch: win64\n",
         "/home/u/Games/The Elder Scrolls V Skyrim Special Edition Anniversary Edition"},
        // ... and writes text outside ASCII as escapes, a long one folded with escaped breaks.
        {"escaped and folded",
         "game:\n  prefix: \"/home/u/Jeux/Pok\\xE9mon \\u2014 \\u65E5\\u672C \\U0001F600 long\\\n"
         "    \\ name\"\n",
         "/home/u/Jeux/Pokémon — 日本 😀 long name"},
        {"double-quoted escapes", "game:\n  prefix: \"a\\tb\\\\c\\\"d\\/e\\ze\\x4\"\n",
         "a\tb\\c\"d/e\\ze\\x4"},
        {"single-quoted", "game:\n  prefix: 'it''s: #1'\n", "it's: #1"},
        {"folded quotes", "game:\n  prefix: 'a  \n\n    b\n    c'\n", "a\nb c"},
        {"quoted, then a comment", "game:\n  prefix: \"/x y\"  # the game's\n", "/x y"},
        {"plain, then a comment", "game:\n  prefix: /x#y z # note\n", "/x#y z"},
        {"quoted keys", "\"game\":\n  'prefix' : /q\n", "/q"},
        {"CR LF and a byte order mark", "\xEF\xBB\xBFgame:\r\n  prefix: /crlf\r\n", "/crlf"},
        {"a comment opening the mapping", "game: # settings\n  prefix: /c\n", "/c"},
        {"block scalars and lists passed over",
         "game:\n  notes: |\n    prefix: /not/this\n  args:\n  - prefix: /nor/this\n"
         "  - b\n  prefix: /real\n",
         "/real"},
        {"null", "game:\n  prefix: null\n", ""},
        {"tilde, null", "game:\n  prefix: ~\n", ""},
        {"tilde, quoted", "game:\n  prefix: '~'\n", "~"},
        {"missing", "game:\n  exe: /x.exe\nsystem: {}\nprefix: /top\n", std::nullopt},
        {"nested deeper", "game:\n  sub:\n    prefix: /deeper\n", std::nullopt},
        {"unclosed quote", "game:\n  exe: \"/x\n  prefix: /after\n", "/after"},
        {"binary junk", "\x00\xFF: \"\x01\ngame:\n\t\x7F\n  prefix: /junk\xC3\n"s, "/junk\xC3"},
    };
    for (const auto& c : cases) EXPECT_EQ(Prefix(c.text), c.prefix) << c.name;
}

TEST(SimpleYamlTest, KeepsOnlyTheWantedPathsAtAnyDepth) {
    std::string text, bottom;
    for (std::size_t i = 0; i < 100; ++i) text += std::string(i, ' ') + "a:\n", bottom += "a.";
    text += std::string(100, ' ') + "b: bottom\nName: top\nPath: not wanted\n";
    bottom += "b";
    const std::map<std::string, std::string> expected = {{bottom, "bottom"}, {"Name", "top"}};
    EXPECT_EQ(ReadYamlScalars(text, {"Name", bottom, "a.b"}), expected);
}

// Ten megabytes of a real game file's shape, the wanted key last: read in one pass.
TEST(SimpleYamlTest, ReadsTenMegabytes) {
    std::string text = "system:\n  env:\n";
    for (int i = 0; text.size() < (10u << 20); ++i)
        text += "    VAR_" + std::to_string(i) + ": \"a value\\\n      \\ folded\"\n";
    text += "game:\n  prefix: /last\n";
    EXPECT_EQ(Prefix(text), "/last");
}

}  // namespace
