// Our environment against the one Wine gives a program in the same prefix (`cmd /c set`).
#include <unistd.h>

#include <filesystem>
#include <map>
#include <sstream>

#include <gtest/gtest.h>

#include "platform/wine/WinePrefix.h"
#include "tests/fixtures/WineTemplate.h"

namespace {

std::map<std::string, std::string> ParseSet(const std::string& output) {
    std::map<std::string, std::string> vars;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto eq = line.find('=');
        if (eq == std::string::npos || eq == 0) continue;
        std::string name = line.substr(0, eq);
        for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        vars[name] = line.substr(eq + 1);
    }
    return vars;
}

TEST(EnvironmentAgainstWine, ExpansionsMatchCmdSet) {
    if (!fixtures::WineAvailable()) GTEST_SKIP() << "Wine is not installed";
    char folder[] = "/tmp/drennow-envwine-XXXXXX";
    ASSERT_TRUE(::mkdtemp(folder));
    const std::string prefix = fixtures::CopyWineTemplate(std::string(folder) + "/prefix");
    ASSERT_FALSE(prefix.empty()) << "no Wine template prefix";

    // The user's own settings, written by Wine itself: TEMP replaced, PATH extended.
    ASSERT_EQ(fixtures::RunWine(prefix, {"reg", "add", "HKCU\\Environment", "/v", "TEMP", "/d",
                                         "C:\\mytemp", "/f"})
                  .exitCode,
              0);
    ASSERT_EQ(fixtures::RunWine(prefix, {"reg", "add", "HKCU\\Environment", "/v", "PATH", "/t",
                                         "REG_EXPAND_SZ", "/d", "%windir%\\tools", "/f"})
                  .exitCode,
              0);
    const fixtures::WineRun set = fixtures::RunWine(prefix, {"cmd", "/c", "set"});
    ASSERT_EQ(set.exitCode, 0);
    const auto wine = ParseSet(set.output);
    ASSERT_EQ(wine.at("TEMP"), "C:\\mytemp");

    platform::Status status;
    auto services = platform::wine::OpenPrefix(prefix, status);
    ASSERT_TRUE(services) << status.message;
    // Variables that come from the prefix (not from the host's own environment, which we
    // deliberately leave out, nor the WINE* variables that name host folders).
    for (const char* name : {"ALLUSERSPROFILE",
                             "APPDATA",
                             "CLIENTNAME",
                             "COMMONPROGRAMFILES",
                             "COMMONPROGRAMFILES(X86)",
                             "COMMONPROGRAMW6432",
                             "COMPUTERNAME",
                             "COMSPEC",
                             "HOMEDRIVE",
                             "HOMEPATH",
                             "LOCALAPPDATA",
                             "LOGONSERVER",
                             "NUMBER_OF_PROCESSORS",
                             "OS",
                             "PATH",
                             "PATHEXT",
                             "PROCESSOR_ARCHITECTURE",
                             "PROCESSOR_IDENTIFIER",
                             "PROGRAMDATA",
                             "PROGRAMFILES",
                             "PROGRAMFILES(X86)",
                             "PROGRAMW6432",
                             "PUBLIC",
                             "SESSIONNAME",
                             "SYSTEMDRIVE",
                             "SYSTEMROOT",
                             "TEMP",
                             "TMP",
                             "USERDOMAIN",
                             "USERNAME",
                             "USERPROFILE",
                             "WINDIR",
                             "WINSYSDIR"}) {
        const auto it = wine.find(name);
        if (it == wine.end()) {
            ADD_FAILURE() << "Wine set no " << name;
            continue;
        }
        char buffer[4000];
        services->ExpandEnvironmentStringsA((std::string("%") + name + "%").c_str(), buffer,
                                            sizeof(buffer));
        EXPECT_EQ(buffer, it->second) << name;
    }
    services.reset();
    fixtures::StopWineServer(prefix);
    std::filesystem::remove_all(folder);
}

}  // namespace
