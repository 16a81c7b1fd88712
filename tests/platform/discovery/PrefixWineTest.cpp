// Which Wine installation judges a prefix, on a fake home whose launchers record builds of
// their own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/discovery/PrefixWine.h"
#include "tests/fixtures/LauncherBuilds.h"

namespace {

using platform::discovery::PrefixWine;
using platform::discovery::WineForPrefix;
using platform::discovery::WineSearch;

class PrefixWineTest : public ::testing::Test {
protected:
    void SetUp() override {
        fixtures::FillLauncherBuilds(home_);
        home_.Prefix("apps/plain");
        home_.Link("links/steam-game", home_.Path(fixtures::kLauncherBuilds[0].prefix));
    }
    // The prefix below the home judged with `named` (below the home) and the system's Wine
    // on PATH or not.
    PrefixWine Judge(const std::string& prefix, const std::string& named, bool systemWine) {
        const WineSearch search{named.empty() ? "" : home_.Path(named),
                                "--wine",
                                systemWine ? home_.Path(fixtures::kSystemWine) + "/bin" : "",
                                {home_.Dir(), {}}};
        return WineForPrefix(home_.Path(prefix), search);
    }
    fixtures::FakeHome home_;
};

TEST_F(PrefixWineTest, NamedElseRecordedElseOnPath) {
    const std::string proton = fixtures::kLauncherBuilds[0].build;
    const struct {
        std::string prefix, named;
        bool systemWine;
        std::string root;  // below the home; empty for none
        std::string says;  // a text the note holds
    } cases[] = {
        {fixtures::kLauncherBuilds[0].prefix, "", true, proton, "Steam records"},
        {"links/steam-game", "", true, proton, "Steam records"},  // the real path counts
        {fixtures::kLauncherBuilds[1].prefix, "", false, fixtures::kLauncherBuilds[1].build,
         "Lutris records"},
        {fixtures::kLauncherBuilds[2].prefix, "", true, fixtures::kLauncherBuilds[2].build,
         "Bottles records"},
        {"apps/plain", "", true, fixtures::kSystemWine, "the wine on PATH"},
        {fixtures::kLauncherBuilds[0].prefix, fixtures::kSystemWine, true, fixtures::kSystemWine,
         "named by --wine"},
        // A Proton build named by its own folder: its Wine is in files/.
        {"apps/plain", ".local/share/Steam/steamapps/common/Proton Test", false, proton,
         "named by --wine"},
        {"apps/plain", "", false, "", "Wine's own entries are reported too"},
        {"apps/plain", "nowhere", true, "", "No Wine installation at"},
    };
    for (const auto& c : cases) {
        const PrefixWine wine = Judge(c.prefix, c.named, c.systemWine);
        const std::string what = c.prefix + " / " + c.named;
        EXPECT_EQ(wine.root, c.root.empty() ? "" : home_.Path(c.root)) << what;
        EXPECT_EQ(wine.place.has_value(), !c.root.empty()) << what;
        EXPECT_NE(wine.note.find(c.says), std::string::npos) << what << ": " << wine.note;
        EXPECT_EQ(wine.brief.empty(), !c.root.empty()) << what << ": " << wine.brief;
        EXPECT_FALSE(wine.recordedGone) << what;
    }
}

TEST_F(PrefixWineTest, ARecordedBuildThatIsGoneIsSaidAndTheSystemsJudges) {
    const std::string system = home_.Path(fixtures::kSystemWine);
    for (const fixtures::LauncherBuild& launcher : fixtures::kLauncherBuilds) {
        const std::filesystem::path build = home_.Path(launcher.build);
        // Uninstalled: Proton's whole folder, the runner's folder.
        std::filesystem::remove_all(build.filename() == "files" ? build.parent_path() : build);
        const PrefixWine wine = Judge(launcher.prefix, "", true);
        EXPECT_TRUE(wine.recordedGone) << launcher.kind;
        EXPECT_EQ(wine.root, system) << launcher.kind;
        for (const std::string& named : {build.string(), system})
            EXPECT_NE(wine.note.find(named), std::string::npos) << wine.note;
        EXPECT_NE(wine.brief.find(") is gone: judged with the Wine at " + system),
                  std::string::npos)
            << wine.brief;
    }
    const std::string steam = fixtures::kLauncherBuilds[0].prefix;
    const PrefixWine none = Judge(steam, "", false);
    EXPECT_TRUE(none.recordedGone);
    EXPECT_FALSE(none.place);
    EXPECT_NE(none.note.find(home_.Path(fixtures::kLauncherBuilds[0].build) + ", is gone"),
              std::string::npos)
        << none.note;
    EXPECT_NE(none.note.find("reported too"), std::string::npos) << none.note;
    // Named, an installation judges without a word about the launcher's.
    EXPECT_FALSE(Judge(steam, fixtures::kSystemWine, false).recordedGone);
}

}  // namespace
