// The environment references expand to: Wine's build order over a prefix's registry, and the
// Win32 buffer rules of ExpandEnvironmentStringsA.
#include <cstring>

#include "tests/platform/files/FilesTestSupport.h"

using fixtures::Hive;

namespace {

constexpr const char* kSessionEnv =
    "System\\CurrentControlSet\\Control\\Session Manager\\Environment";

class Environment : public files_test::PrefixTest {
protected:
    void SetUp() override {
        // What wineboot writes into a fresh prefix.
        prefix_.SetExpandString(Hive::System, kSessionEnv, "ComSpec",
                                "%SystemRoot%\\system32\\cmd.exe");
        prefix_.SetExpandString(Hive::System, kSessionEnv, "PATH",
                                "%SystemRoot%\\system32;%SystemRoot%");
        prefix_.SetExpandString(Hive::System, kSessionEnv, "TEMP", "%SystemRoot%\\temp");
        prefix_.SetExpandString(Hive::System, kSessionEnv, "windir", "%SystemRoot%");
        prefix_.SetString(Hive::System, kSessionEnv, "OS", "Windows_NT");
        prefix_.SetString(Hive::System, "Software\\Microsoft\\Windows\\CurrentVersion",
                          "ProgramFilesDir", "C:\\Program Files");
        prefix_.SetString(Hive::System, "Software\\Microsoft\\Windows\\CurrentVersion",
                          "ProgramFilesDir (x86)", "C:\\Program Files (x86)");
        // The user's own settings: TEMP replaced, PATH extended, one that refers to another.
        prefix_.SetString(Hive::User, "Environment", "TEMP", "C:\\users\\me\\Temp");
        prefix_.SetExpandString(Hive::User, "Environment", "PATH", "%windir%\\tools");
        prefix_.SetExpandString(Hive::User, "Environment", "Tools", "%ProgramFiles%\\Tools");
    }
    std::string Expand(const std::string& text) {
        char buffer[1000];
        const auto needed = Sys().ExpandEnvironmentStringsA(text.c_str(), buffer, sizeof(buffer));
        EXPECT_EQ(needed, std::strlen(buffer) + 1) << text;
        return buffer;
    }
};

TEST_F(Environment, RegistryVariablesInWineOrder) {
    EXPECT_EQ(Expand("%ComSpec%"), "C:\\windows\\system32\\cmd.exe");
    EXPECT_EQ(Expand("%TEMP%"), "C:\\users\\me\\Temp");
    EXPECT_EQ(Expand("%path%"), "C:\\windows\\system32;C:\\windows;C:\\windows\\tools");
    // ProgramFiles is set before the user's variables are read.
    EXPECT_EQ(Expand("%Tools%"), "C:\\Program Files\\Tools");
    EXPECT_EQ(Expand("%ProgramFiles(x86)%|%os%"), "C:\\Program Files (x86)|Windows_NT");
}

TEST_F(Environment, VolatileProfileVariables) {
    const std::string user = prefix_.UserName();
    EXPECT_EQ(Expand("%USERPROFILE%"), "C:\\users\\" + user);
    EXPECT_EQ(Expand("%APPDATA%"), "C:\\users\\" + user + "\\AppData\\Roaming");
    EXPECT_EQ(Expand("%LocalAppData%"), "C:\\users\\" + user + "\\AppData\\Local");
    EXPECT_EQ(Expand("%HOMEDRIVE%%HOMEPATH%"), "C:\\users\\" + user);
    EXPECT_EQ(Expand("%USERNAME%"), user);
    EXPECT_EQ(Expand("%SystemDrive%|%ALLUSERSPROFILE%|%PUBLIC%"),
              "C:|C:\\ProgramData|C:\\users\\Public");
}

TEST_F(Environment, UnknownAndUnterminatedReferencesStayAsWritten) {
    EXPECT_EQ(Expand("a%nope%b%"), "a%nope%b%");
    EXPECT_EQ(Expand("%%x"), "%%x");
    EXPECT_EQ(Expand("100%"), "100%");
    EXPECT_EQ(Expand("%windir%%nope"), "C:\\windows%nope");
    EXPECT_EQ(Expand("%nope%windir%"), "%nope%windir%");
    EXPECT_EQ(Expand(""), "");
}

TEST_F(Environment, TooSmallBufferGetsTheNeededSize) {
    char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    // "C:\windows\x" is 12 characters: 13 with the zero.
    EXPECT_EQ(Sys().ExpandEnvironmentStringsA("%SystemRoot%\\x", buffer, 4), 13u);
    EXPECT_EQ(std::string(buffer, 5), std::string("C:\\\0#", 5));  // as Wine truncates
    EXPECT_EQ(Sys().ExpandEnvironmentStringsA("%SystemRoot%\\x", nullptr, 0), 13u);
    EXPECT_EQ(buffer[5], '#');
}

TEST(ProfileUser, TakenFromThePrefixNotTheHost) {
    fixtures::TestPrefix prefix("alice");
    auto sys = prefix.Open();
    char buffer[200];
    sys->ExpandEnvironmentStringsA("%USERPROFILE%", buffer, sizeof(buffer));
    EXPECT_STREQ(buffer, "C:\\users\\alice");
}

}  // namespace
