#include "engine/SectionAreas.h"

#include <array>

#include "engine/ScanModel.h"

namespace engine {
namespace {

using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using platform::HKEY_USERS;

constexpr const char* kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr const char* kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kRun = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

const std::array<std::vector<SectionWalk>, 13>& Table() {
    static const std::array<std::vector<SectionWalk>, 13> table = {{
        {{HKEY_LOCAL_MACHINE, {kUserShellFolders, kShellFolders}},
         {HKEY_CURRENT_USER, {kUserShellFolders, kShellFolders}}},
        {{HKEY_CLASSES_ROOT, {"CLSID"}}},
        {{HKEY_LOCAL_MACHINE, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"}}},
        {{HKEY_LOCAL_MACHINE, {"HARDWARE"}}},
        {{HKEY_LOCAL_MACHINE,
          {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
           "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts"}}},
        {{HKEY_LOCAL_MACHINE,
          {"SOFTWARE\\Microsoft\\Windows\\Help", "SOFTWARE\\Microsoft\\Windows\\Html Help"}}},
        {{HKEY_LOCAL_MACHINE, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"}}},
        {{HKEY_LOCAL_MACHINE, {kRun}}, {HKEY_CURRENT_USER, {kRun}}},
        {{HKEY_LOCAL_MACHINE,
          {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
           "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}}},
        {{HKEY_LOCAL_MACHINE, {"SYSTEM\\CurrentControlSet\\Control\\VirtualDeviceDrivers"}}},
        {{HKEY_LOCAL_MACHINE, {}}},
        {{HKEY_CURRENT_USER, {"AppEvents\\Schemes\\Apps\\.Default"}},
         {HKEY_USERS, {".DEFAULT\\AppEvents\\Schemes\\Apps\\.Default"}}},
        {{HKEY_LOCAL_MACHINE, {"SOFTWARE"}}, {HKEY_CURRENT_USER, {"SOFTWARE"}}},
    }};
    return table;
}

}  // namespace

const std::vector<SectionWalk>& SectionWalks(int section) {
    static const std::vector<SectionWalk> none;
    if (section < 1 || section > 13) return none;
    return Table()[static_cast<std::size_t>(section - 1)];
}

}  // namespace engine
