#include "platform/wine/files/Drives.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>

namespace platform::wine::files {
namespace {

std::string DriveLink(const std::string& prefixDir, char drive) {
    return prefixDir + "/dosdevices/" + drive + ":";
}

// The drive's type word in HKLM\Software\Wine\Drives ("hd", "floppy", "cdrom", "network",
// "ramdisk"), lower case; empty when none is set.
std::string RegistryDriveType(Services& registry, char drive) {
    HKEY key = 0;
    if (registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Wine\\Drives", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return {};
    const char name[3] = {drive, ':', 0};
    char data[64] = {};
    DWORD type = 0;
    DWORD length = sizeof(data) - 1;
    const LONG status =
        registry.RegQueryValueExA(key, name, &type, reinterpret_cast<BYTE*>(data), &length);
    registry.RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return {};
    std::string text(data, std::min<std::size_t>(length, sizeof(data) - 1));
    while (!text.empty() && text.back() == '\0') text.pop_back();
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::vector<char> ListDrives(const std::string& prefixDir) {
    std::vector<char> drives;
    for (char drive = 'a'; drive <= 'z'; ++drive) {
        struct stat st {};
        if (::lstat(DriveLink(prefixDir, drive).c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            drives.push_back(drive);
    }
    return drives;
}

DWORD FormatDriveStrings(const std::vector<char>& drives, DWORD bufferLength, char* buffer) {
    const DWORD needed = static_cast<DWORD>(drives.size() * 4);
    if (needed + 1 > bufferLength || !buffer) return needed + 1;
    for (char drive : drives) {
        *buffer++ = static_cast<char>(std::toupper(static_cast<unsigned char>(drive)));
        *buffer++ = ':';
        *buffer++ = '\\';
        *buffer++ = '\0';
    }
    *buffer = '\0';
    return needed;
}

UINT DriveType(const std::string& prefixDir, char drive, Services& registry) {
    const std::string link = DriveLink(prefixDir, drive);
    struct stat linkStat {};
    if (::lstat(link.c_str(), &linkStat) != 0 || !S_ISLNK(linkStat.st_mode))
        return DRIVE_NO_ROOT_DIR;

    const std::string word = RegistryDriveType(registry, drive);
    const bool floppyLetter = drive == 'a' || drive == 'b';
    struct stat target {};
    if (::stat(link.c_str(), &target) != 0 || !S_ISDIR(target.st_mode)) {
        // A drive whose root is gone: Wine still names removable media by their kind.
        if (word == "cdrom") return DRIVE_CDROM;
        if (word == "floppy" || (word.empty() && floppyLetter)) return DRIVE_REMOVABLE;
        return DRIVE_NO_ROOT_DIR;
    }
    // The drive that links to the host's root is Wine's bridge to the whole machine, not part
    // of the Windows installation: walking it would walk every file on the host.
    struct stat hostRoot {};
    if (::stat("/", &hostRoot) == 0 && hostRoot.st_dev == target.st_dev &&
        hostRoot.st_ino == target.st_ino)
        return DRIVE_REMOTE;

    if (word == "floppy") return DRIVE_REMOVABLE;
    if (word == "cdrom") return DRIVE_CDROM;
    if (word == "network") return DRIVE_REMOTE;
    if (word == "ramdisk") return DRIVE_RAMDISK;
    if (word == "hd") return DRIVE_FIXED;
    return floppyLetter ? DRIVE_REMOVABLE : DRIVE_FIXED;
}

}  // namespace platform::wine::files
