// Finding prefixes in fake homes that hold each launcher's real files.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/discovery/Discovery.h"
#include "platform/discovery/KeyValues.h"
#include "tests/fixtures/FakeWineServer.h"
#include "tests/fixtures/LauncherHome.h"

namespace {

using platform::discovery::DiscoverPrefixes;
using platform::discovery::Discovery;
using platform::discovery::FoundPrefix;
using platform::discovery::KindName;

struct Row {
    std::string kind, name;
    std::optional<std::string> id;
    std::string path;  // below the home
    std::optional<std::string> arch, wine;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& row) {
    return out << row.kind << " | " << row.name << " | " << row.id.value_or("-") << " | "
               << row.path << " | " << row.arch.value_or("-") << " | " << row.wine.value_or("-");
}

std::vector<Row> Rows(const Discovery& found, const std::string& home) {
    auto below = [&home](const std::string& path) {
        return path.starts_with(home + "/") ? path.substr(home.size() + 1) : path;
    };
    std::vector<Row> rows;
    for (const FoundPrefix& p : found.prefixes) {
        std::optional<std::string> wine;
        if (p.wine) wine = below(*p.wine);
        rows.push_back({std::string(KindName(p.kind)), p.name, p.id, below(p.path), p.arch, wine});
    }
    return rows;
}

class LauncherHomeTest : public ::testing::Test {
protected:
    void SetUp() override { fixtures::FillLauncherHome(home_); }
    Discovery Discover() {
        // $WINEPREFIX names the Lutris game's prefix: it is listed once, as Lutris's.
        return DiscoverPrefixes({home_.Dir(), home_.Path("Games/guild-wars-2")});
    }
    fixtures::FakeHome home_;
};

TEST_F(LauncherHomeTest, ListsEachPrefixOnceByKindThenName) {
    const std::string steam = ".local/share/Steam/steamapps/";
    const std::string flatpak = ".var/app/com.valvesoftware.Steam/.local/share/Steam/steamapps/";
    const std::vector<Row> expected = {
        {"steam",
         "Counter-Strike 2",
         "730",
         "snap/steam/common/.local/share/Steam/steamapps/compatdata/730/pfx",
         "win64",
         {}},
        {"steam", "Dota 2", "570", flatpak + "compatdata/570/pfx", "win64", {}},
        {"steam", "Half-Life 2", "220", steam + "compatdata/220/pfx", "win64",
         steam + "common/Proton 8.0/files"},
        {"steam",
         "Non-Steam shortcut 3123456789",
         "3123456789",
         steam + "compatdata/3123456789/pfx",
         "win64",
         {}},
        {"steam",
         "Team Fortress 2",
         "440",
         "Games/SteamLibrary/steamapps/compatdata/440/pfx",
         "win32",
         {}},
        {"lutris", "Guild Wars 2", "guild-wars-2", "Games/guild-wars-2", "win64",
         ".local/share/lutris/runners/wine/lutris-7.2-2-x86_64"},
        {"bottles",
         "Gaming",
         "Gaming",
         ".var/app/com.usebottles.bottles/data/bottles/bottles/Gaming",
         "win64",
         {}},
        {"bottles", "Office 2010", "Office", ".local/share/bottles/bottles/Office", "win32",
         ".local/share/bottles/runners/caffe-7.20"},
        {"heroic", "Hades", "Quail", "Games/Heroic/Prefixes/Hades", "win64",
         ".config/heroic/tools/wine/Wine-GE-8-4"},
        {"playonlinux", "Notepad", "Notepad", ".PlayOnLinux/wineprefix/Notepad", "win32",
         ".PlayOnLinux/wine/linux-x86/7.0"},
        {"winetricks", "dotnet", "dotnet", ".local/share/wineprefixes/dotnet", "win64", {}},
    };
    EXPECT_EQ(Rows(Discover(), home_.Dir()), expected);
}

TEST_F(LauncherHomeTest, NotesEveryDamagedEntryItSkipped) {
    const Discovery found = Discover();
    const std::vector<std::string> expected = {
        "/media/unmounted-disk/SteamLibrary is not reachable",
        "snap/steam/common/.local/share/Steam/steamapps/libraryfolders.vdf is damaged",
        "broken-1700000001.yml names no prefix",
        "Cut.json is no JSON",
        "wineprefixes/gone cannot be resolved",
        "wineprefixes/empty is no Wine prefix",
    };
    for (const std::string& note : expected)
        EXPECT_TRUE(std::any_of(found.notes.begin(), found.notes.end(),
                                [&note](const std::string& n) { return n.find(note) != n.npos; }))
            << "no note with: " << note;
    EXPECT_EQ(found.notes.size(), expected.size());
}

TEST_F(LauncherHomeTest, MarksThePrefixWhoseServerRuns) {
    const std::string running = home_.Path("Games/guild-wars-2");
    fixtures::FakeWineServer server(running);
    ASSERT_TRUE(server.Running());
    for (const FoundPrefix& prefix : Discover().prefixes)
        EXPECT_EQ(prefix.serverRunning, prefix.path == running) << prefix.path;
}

TEST_F(LauncherHomeTest, NamesChooseSteamGamesAndExactNames) {
    home_.Prefix("Games/Other");
    home_.Write(".config/lutris/games/dotnet-1.yml", "game:\n  prefix: ~/Games/Other\n");
    const Discovery found = Discover();
    const struct {
        std::string choice;
        std::vector<std::string> paths;  // below the home
    } cases[] = {
        {"steam:440", {"Games/SteamLibrary/steamapps/compatdata/440/pfx"}},
        {"Office 2010", {".local/share/bottles/bottles/Office"}},
        {"dotnet", {"Games/Other", ".local/share/wineprefixes/dotnet"}},
        {"steam:999", {}},
        {"office 2010", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> paths;
        for (const FoundPrefix* p : PrefixesNamed(found, c.choice))
            paths.push_back(p->path.substr(home_.Dir().size() + 1));
        EXPECT_EQ(paths, c.paths) << c.choice;
    }
}

TEST(PlainWinePrefixTest, WinePrefixAndDotWineAreListedByTheirPlace) {
    fixtures::FakeHome home;
    home.Prefix(".wine");
    home.Prefix("apps/office", "win32");
    const Discovery found = DiscoverPrefixes({home.Dir(), home.Path("apps/office")});
    const std::vector<Row> expected = {
        {"wine", "~/.wine", {}, ".wine", "win64", {}},
        {"wine", "~/apps/office", {}, "apps/office", "win32", {}},
    };
    EXPECT_EQ(Rows(found, home.Dir()), expected);
    EXPECT_TRUE(found.notes.empty());
}

TEST(KeyValuesTest, ReadsValvesTextForms) {
    using platform::discovery::ParseKeyValues;
    const struct {
        std::string text;
        std::string value;  // of "a" / "b"
        bool broken;
    } cases[] = {
        {"\"A\" { \"B\" \"x\\\\y \\\"q\\\"\" }", "x\\y \"q\"", false},
        {"// comment\na\n{\n  b  bare [$LINUX]\n}\n", "bare", false},
        {"\"a\"\n{\n\t\"b\"\t\t\"kept\"\n\t\"c\"\n\t{\n\t\t\"d\" \"cu", "kept", true},
        {"\"a\" { \"b\" }", "", true},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseKeyValues(c.text);
        const auto* a = parsed.root.Child("a");
        EXPECT_EQ(a ? a->Text("b") : std::string(), c.value) << c.text;
        EXPECT_EQ(!parsed.error.empty(), c.broken) << c.text << ": " << parsed.error;
    }
}

}  // namespace
