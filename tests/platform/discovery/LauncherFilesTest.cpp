// Bottles' and Heroic's files in the forms they come in (as the launchers write them, edited
// on Windows, cut, junk), each in a fake home beside a real prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/discovery/Discovery.h"
#include "tests/fixtures/FakeHome.h"

namespace {

using platform::discovery::DiscoverPrefixes;
using platform::discovery::Discovery;
using platform::discovery::Kind;
using namespace std::string_literals;

struct Case {
    std::string file, text;  // the launcher file below the home, and its text
    std::string prefix;      // the prefix folder it is about, below the home
    std::string found;       // "name | path | arch | wine", paths below the home; empty: none
    std::string note;        // a part of the note it leaves; empty: none
};

std::string Below(const std::string& path, const std::string& home) {
    return path.starts_with(home + "/") ? path.substr(home.size() + 1) : path;
}

// What discovery lists of `kind`, and the notes, for a home holding every case.
void Check(const std::vector<Case>& cases, Kind kind) {
    fixtures::FakeHome home;
    for (const Case& c : cases) {
        if (!c.prefix.empty())
            home.Prefix(c.prefix, c.found.find("win32") != c.found.npos ? "win32" : "win64");
        if (!c.file.empty()) home.Write(c.file, c.text);
    }
    const Discovery found = DiscoverPrefixes({home.Dir(), ""});
    std::vector<std::string> rows;
    for (const auto& p : found.prefixes)
        if (p.kind == kind)
            rows.push_back(p.name + " | " + Below(p.path, home.Dir()) + " | " +
                           p.arch.value_or("-") + " | " +
                           (p.wine ? Below(*p.wine, home.Dir()) : "-"));
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        if (!c.found.empty()) expected.push_back(c.found);
        if (c.note.empty()) continue;
        EXPECT_TRUE(std::any_of(found.notes.begin(), found.notes.end(),
                                [&c](const std::string& n) { return n.find(c.note) != n.npos; }))
            << "no note with: " << c.note;
    }
    std::sort(rows.begin(), rows.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(rows, expected);
}

TEST(LauncherFilesTest, BottlesFilesInEachForm) {
    const std::string bottles = ".local/share/bottles/bottles/";
    const std::string runners = ".local/share/bottles/runners/";
    // As Bottles writes it (PyYAML): sorted keys, lists at the key's indent, quoted names.
    const std::string written =
        "Arch: win64\nCustom_Path: false\nDLL_Overrides: {}\nEnvironment_Variables:\n"
        "  WINEDEBUG: -all\nInstalled_Dependencies:\n- vcredist2019\n- d3dx9\n"
        "Name: 'Gaming: Joe''s #1'\nParameters:\n  dxvk: true\n  Name: not this\nPath: Gaming\n"
        "Runner: soda-7.0-9\nVersioning_Exclusion_Patterns: []\n";
    Check({{bottles + "Gaming/bottle.yml", written, bottles + "Gaming",
            "Gaming: Joe's #1 | " + bottles + "Gaming | win64 | " + runners + "soda-7.0-9", ""},
           {bottles + "Crlf/bottle.yml",
            "\xEF\xBB\xBF"
            "Arch: win32\r\nName: Office\r\nRunner: sys-wine-9.0\r\n",
            bottles + "Crlf", "Office | " + bottles + "Crlf | win32 | -", ""},
           {bottles + "Custom/bottle.yml",
            "Custom_Path: true\nName: Kept elsewhere\nPath: ~/Elsewhere/Custom\n",
            "Elsewhere/Custom", "Kept elsewhere | Elsewhere/Custom | win64 | -", ""},
           {bottles + "Folded/bottle.yml",
            "Name: A bottle whose name is long enough for PyYAML to fold it onto a second line\n"
            "  of its own\n",
            bottles + "Folded",
            "A bottle whose name is long enough for PyYAML to fold it onto a second line of its "
            "own | " +
                bottles + "Folded | win64 | -",
            ""},
           {bottles + "Nameless/bottle.yml", "Arch: win64\n", bottles + "Nameless",
            "Nameless | " + bottles + "Nameless | win64 | -", ""},
           {bottles + "Junk/bottle.yml", "\x00\xFF\xFE: \"\n\x01{"s, bottles + "Junk",
            "Junk | " + bottles + "Junk | win64 | -", ""},
           {"", "", bottles + "Missing", "", "Missing/bottle.yml is missing or cannot be read"}},
          Kind::Bottles);
}

TEST(LauncherFilesTest, HeroicFilesInEachForm) {
    const std::string config = ".config/heroic/GamesConfig/";
    auto game = [](const std::string& app, const std::string& settings) {
        return "{\n  \"" + app + "\": {\n" + settings + "\n  },\n  \"version\": \"v0\"\n}\n";
    };
    Check({{config + "Wine.json",
            game("Wine",
                 "    \"winePrefix\": \"~/Games/Heroic/Hades\",\n    \"wineVersion\": "
                 "{ \"bin\": \"/opt/wine-ge/bin/wine\", \"type\": \"wine\" }"),
            "Games/Heroic/Hades", "Hades | Games/Heroic/Hades | win64 | /opt/wine-ge", ""},
           {config + "Proton.json",
            game("Proton",
                 "\"winePrefix\": \"~/Games/Heroic/Celeste\", \"wineVersion\": "
                 "{ \"bin\": \"/s/steamapps/common/Proton 8.0/proton\" }"),
            "Games/Heroic/Celeste/pfx",
            "Celeste | Games/Heroic/Celeste/pfx | win64 | /s/steamapps/common/Proton 8.0", ""},
           {config + "Slash.json", game("Slash", "\"winePrefix\": \"~/Games/Heroic/Slashed/\""),
            "Games/Heroic/Slashed", "Slashed | Games/Heroic/Slashed | win64 | -", ""},
           {config + "Crlf.json",
            "\xEF\xBB\xBF{\r\n  \"Crlf\": {\r\n    \"winePrefix\": \"~/Games/Heroic/Crlf\"\r\n  "
            "}\r\n}\r\n",
            "Games/Heroic/Crlf", "Crlf | Games/Heroic/Crlf | win64 | -", ""},
           {config + "Bare.json", game("Bare", "\"wineVersion\": {}"), "", "",
            "Bare names no winePrefix"},
           {config + "List.json", "[1, 2]", "", "", "List.json is no JSON object"},
           {config + "Junk.json", "\x00\xFF{\"x\":"s, "", "", "Junk.json is no JSON object"}},
          Kind::Heroic);
}

}  // namespace
