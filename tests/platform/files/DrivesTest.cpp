// Drive list and drive types: dosdevices links, the link to the host root, dangling links
// and the registry's drive types.
#include <filesystem>

#include "tests/platform/files/FilesTestSupport.h"

namespace fs = std::filesystem;
using files_test::PrefixTest;
using fixtures::Hive;

namespace {

class Drives : public PrefixTest {
protected:
    void SetUp() override {
        prefix_.AddDrive('z', "/");
        prefix_.AddDrive('d', "../drive_d");
        prefix_.AddDrive('a', "../drive_a");
        prefix_.AddDrive('e', "../drive_e");
        prefix_.AddDrive('q', prefix_.Dir() + "/unplugged");  // dangling
        fs::create_symlink("/dev/null",
                           prefix_.Dir() + "/dosdevices/d::");  // a device, not a drive
        fs::create_symlink("/dev/ttyS0", prefix_.Dir() + "/dosdevices/com1");
    }
    std::string DriveStrings() {
        char buffer[128];
        const DWORD length = Sys().GetLogicalDriveStringsA(sizeof(buffer), buffer);
        return std::string(buffer, length);
    }
    using DWORD = platform::DWORD;
};

TEST_F(Drives, DriveStringsInLetterOrderWithWin32BufferRules) {
    EXPECT_EQ(DriveStrings(), std::string("A:\\\0C:\\\0D:\\\0E:\\\0Q:\\\0Z:\\\0", 24));
    char small[24];
    std::fill(std::begin(small), std::end(small), '#');
    // 6 drives need 25 bytes with the final zero; a short buffer is left alone.
    EXPECT_EQ(Sys().GetLogicalDriveStringsA(24, small), 25u);
    EXPECT_EQ(small[0], '#');
    EXPECT_EQ(Sys().GetLogicalDriveStringsA(0, nullptr), 25u);
    char exact[25];
    EXPECT_EQ(Sys().GetLogicalDriveStringsA(25, exact), 24u);
    EXPECT_EQ(exact[24], '\0');
}

TEST_F(Drives, TypesFromLinksAndDefaults) {
    EXPECT_EQ(Sys().GetDriveTypeA("C:\\"), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA("c:"), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA(nullptr), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA("D:\\"), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA("A:\\"), platform::DRIVE_REMOVABLE);
    EXPECT_EQ(Sys().GetDriveTypeA("Z:\\"), platform::DRIVE_REMOTE);  // the whole host
    EXPECT_EQ(Sys().GetDriveTypeA("Q:\\"), platform::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(Sys().GetDriveTypeA("R:\\"), platform::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(Sys().GetDriveTypeA("C:\\windows\\"), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA("C:\\no such folder\\"), platform::DRIVE_NO_ROOT_DIR);
    EXPECT_EQ(Sys().GetDriveTypeA("\\\\server\\share\\"), platform::DRIVE_NO_ROOT_DIR);
}

TEST_F(Drives, RegistryTypesOverrideExceptForTheHostRoot) {
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "d:", "cdrom");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "E:", "Network");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "a:", "hd");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "c:", "ramdisk");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "q:", "floppy");
    prefix_.SetString(Hive::System, "Software\\Wine\\Drives", "z:", "hd");
    EXPECT_EQ(Sys().GetDriveTypeA("D:\\"), platform::DRIVE_CDROM);
    EXPECT_EQ(Sys().GetDriveTypeA("e:\\"), platform::DRIVE_REMOTE);
    EXPECT_EQ(Sys().GetDriveTypeA("A:\\"), platform::DRIVE_FIXED);
    EXPECT_EQ(Sys().GetDriveTypeA("C:\\"), platform::DRIVE_RAMDISK);
    EXPECT_EQ(Sys().GetDriveTypeA("Q:\\"), platform::DRIVE_REMOVABLE);  // media not inserted
    EXPECT_EQ(Sys().GetDriveTypeA("Z:\\"), platform::DRIVE_REMOTE);
}

}  // namespace
