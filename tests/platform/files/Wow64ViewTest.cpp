// What a 32-bit program sees of a 64-bit prefix: the files its paths reach, its system folder
// and its environment; and paths Wine takes as host paths.
#include <cstring>
#include <fstream>

#include "platform/Wow64Paths.h"
#include "tests/fixtures/Wow64Prefix.h"
#include "tests/platform/files/FilesTestSupport.h"

namespace {

TEST(Wow64Paths, RedirectedAsEachSystemRedirectsThem) {
    struct Case {
        const char* path;
        const char* wine;
        const char* windows;
    };
    const Case cases[] = {
        {"C:\\windows\\system32\\x.dll", "C:\\windows\\syswow64\\x.dll",
         "C:\\windows\\syswow64\\x.dll"},
        {"c:/WINDOWS/System32/a b.exe /arg", "c:/WINDOWS\\syswow64/a b.exe /arg",
         "c:/WINDOWS\\syswow64/a b.exe /arg"},
        {"C:\\windows\\system32", "C:\\windows\\syswow64", "C:\\windows\\syswow64"},
        {"C:\\windows\\sysnative\\x.exe", "C:\\windows\\system32\\x.exe",
         "C:\\windows\\system32\\x.exe"},
        {"C:\\windows\\system32x\\a", "C:\\windows\\system32x\\a", "C:\\windows\\system32x\\a"},
        {"C:\\windows\\system32\\drivers\\etc\\hosts", "C:\\windows\\system32\\drivers\\etc\\hosts",
         "C:\\windows\\system32\\drivers\\etc\\hosts"},
        {"C:\\windows\\system32\\drivers\\x.sys", "C:\\windows\\syswow64\\drivers\\x.sys",
         "C:\\windows\\syswow64\\drivers\\x.sys"},
        {"C:\\windows\\system32\\catroot2\\a", "C:\\windows\\system32\\catroot2\\a",
         "C:\\windows\\system32\\catroot2\\a"},
        {"C:\\windows\\system32\\spool", "C:\\windows\\system32\\spool",
         "C:\\windows\\system32\\spool"},
        // Wine's own spelling of the exemption, and Windows' folder of the last good drivers.
        {"C:\\windows\\system32\\DriverStore\\a", "C:\\windows\\syswow64\\DriverStore\\a",
         "C:\\windows\\system32\\DriverStore\\a"},
        {"C:\\windows\\lastgood\\system32\\a", "C:\\windows\\lastgood\\system32\\a",
         "C:\\windows\\lastgood\\syswow64\\a"},
        {"C:\\windows\\regedit.exe", "C:\\windows\\syswow64\\regedit.exe",
         "C:\\windows\\regedit.exe"},
        {"D:\\windows\\system32\\x.dll", "D:\\windows\\system32\\x.dll",
         "D:\\windows\\system32\\x.dll"},
        {"C:\\Program Files\\x.exe", "C:\\Program Files\\x.exe", "C:\\Program Files\\x.exe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::Wow64RedirectedPath(c.path, "C:\\windows", platform::WineWow64Rules()),
                  c.wine)
            << c.path;
        EXPECT_EQ(
            platform::Wow64RedirectedPath(c.path, "C:\\windows", platform::WindowsWow64Rules()),
            c.windows)
            << c.path;
    }
}

std::string Expand32(platform::Services& services, const char* text) {
    char buffer[500] = {};
    const platform::DWORD needed = services.ExpandEnvironmentStrings32A(text, buffer, 500);
    EXPECT_EQ(needed, std::strlen(buffer) + 1);
    return buffer;
}

std::string Wow64Directory(platform::Services& services) {
    char buffer[100] = {};
    const platform::UINT length = services.GetSystemWow64DirectoryA(buffer, 100);
    EXPECT_EQ(length, std::strlen(buffer));
    return buffer;
}

TEST(Wow64View, A64BitPrefixShowsA32BitProgramsFoldersEnvironmentAndFiles) {
    fixtures::Wow64Prefix prefix;
    prefix.CreateFile("C:\\windows\\syswow64\\only32.dll");
    auto services = prefix.Open();
    EXPECT_EQ(Wow64Directory(*services), "C:\\windows\\syswow64");
    EXPECT_EQ(Expand32(*services,
                       "%ProgramFiles%|%CommonProgramFiles%|%PROCESSOR_ARCHITECTURE%|"
                       "%PROCESSOR_ARCHITEW6432%|%ProgramW6432%|%windir%"),
              "C:\\Program Files (x86)|C:\\Program Files (x86)\\Common Files|x86|AMD64|"
              "C:\\Program Files|C:\\windows");
    char native[200] = {};
    services->ExpandEnvironmentStringsA("%ProgramFiles%|%PROCESSOR_ARCHITECTURE%", native, 200);
    EXPECT_STREQ(native, "C:\\Program Files|AMD64");
    EXPECT_EQ(services->Wow64RedirectedPath("C:\\windows\\system32\\only32.dll"),
              "C:\\windows\\syswow64\\only32.dll");
    EXPECT_FALSE(services->PathFileExistsA("C:\\windows\\system32\\only32.dll"));
}

TEST(Wow64View, A32BitPrefixHasNone) {
    fixtures::TestPrefix prefix;
    prefix.WriteHives();
    std::string text = prefix.ReadHive(fixtures::Hive::System);
    text.replace(text.find("#arch=win64"), 11, "#arch=win32");
    std::ofstream(prefix.HivePath(fixtures::Hive::System), std::ios::binary) << text;
    platform::Status status;
    auto services = platform::wine::OpenPrefix(prefix.Dir(), status);
    ASSERT_TRUE(services) << status.message;
    EXPECT_EQ(Wow64Directory(*services), "");
    EXPECT_EQ(Expand32(*services, "%ProgramFiles%"), "C:\\Program Files");
    EXPECT_EQ(services->Wow64RedirectedPath("C:\\windows\\system32\\x.dll"),
              "C:\\windows\\system32\\x.dll");
}

class HostPaths : public files_test::PrefixTest {};

// Wine opens a path that begins with one "/" on the host, not below C:\.
TEST_F(HostPaths, AreTestedOnTheHostAndNeverWritten) {
    prefix_.CreateFile("C:\\windows\\notepad.exe");
    const std::string host = prefix_.HostPath("C:\\windows\\notepad.exe");
    EXPECT_TRUE(Exists(host));
    EXPECT_FALSE(Exists("/windows/notepad.exe"));
    EXPECT_TRUE(Exists("\\windows\\notepad.exe"));  // still relative to C:\ as in Wine
    EXPECT_EQ(Sys().GetFileAttributesA(prefix_.Dir().c_str()), platform::FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_FALSE(Sys().DeleteFileA(host.c_str()));
    EXPECT_FALSE(Sys().CreateDirectoryA((prefix_.Dir() + "/made").c_str()));
    EXPECT_TRUE(Exists(host));
    EXPECT_FALSE(std::filesystem::exists(prefix_.Dir() + "/made"));
}

}  // namespace
