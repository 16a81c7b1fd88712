#include "engine/Sections.h"

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

std::vector<Section> MakeTable() {
    std::vector<Section> table = {
        {1,
         "Registry Integrity",
         "Registry Integrity",
         {{HKEY_LOCAL_MACHINE, {kUserShellFolders, kShellFolders}},
          {HKEY_CURRENT_USER, {kUserShellFolders, kShellFolders}}},
         CheckRegistryIntegrity},
        {2,
         "Custom Controls",
         "Custom Controls",
         {{HKEY_CLASSES_ROOT, {"CLSID"}}},
         CheckCustomControls},
        {3,
         "Software Locations",
         "Software Locations",
         {{HKEY_LOCAL_MACHINE, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"}}},
         CheckSoftwareLocations},
        {4, "Device Drivers", "Device Drivers", {{HKEY_LOCAL_MACHINE, {"HARDWARE"}}}, nullptr},
        {5,
         "Windows Fonts",
         "Windows Fonts",
         {{HKEY_LOCAL_MACHINE,
           {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
            "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts"}}},
         CheckWindowsFonts},
        {6,
         "Help and Resources",
         "Help and Resources",
         {{HKEY_LOCAL_MACHINE,
           {"SOFTWARE\\Microsoft\\Windows\\Help", "SOFTWARE\\Microsoft\\Windows\\Html Help"}}},
         CheckHelpAndResources},
        {7,
         "Shared Programs",
         "Shared Programs",
         {{HKEY_LOCAL_MACHINE, {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"}}},
         CheckSharedPrograms},
        {8,
         "Startup Programs",
         "Startup Programs",
         {{HKEY_LOCAL_MACHINE, {kRun}}, {HKEY_CURRENT_USER, {kRun}}},
         CheckStartupPrograms},
        {9,
         "Add/Remove Programs",
         "Add/Remove Programs",
         {{HKEY_LOCAL_MACHINE,
           {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
            "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"}}},
         CheckAddRemovePrograms},
        {10,
         "Virtual Devices",
         "Virtual Devices",
         {{HKEY_LOCAL_MACHINE, {"SYSTEM\\CurrentControlSet\\Control\\VirtualDeviceDrivers"}}},
         CheckVirtualDevices},
        {11, "Configuration Files", "Configuration Files", {{HKEY_LOCAL_MACHINE, {}}}, nullptr},
        {12,
         "Sound and Appevents",
         "Sound and Appevents",
         {{HKEY_CURRENT_USER, {"AppEvents\\Schemes\\Apps\\.Default"}},
          {HKEY_USERS, {".DEFAULT\\AppEvents\\Schemes\\Apps\\.Default"}}},
         CheckSoundAndAppevents},
        {13,
         "Valid Files Path",
         "Valid Files Path",
         {{HKEY_LOCAL_MACHINE, {"SOFTWARE"}}, {HKEY_CURRENT_USER, {"SOFTWARE"}}},
         CheckValidFilesPath},
        // The caption says "Shortcut"; its counter row and drive rows "Shortcuts".
        {14, "Valid Shortcut", "Valid Shortcuts", {}, nullptr, true},
    };
    return table;
}

}  // namespace

const std::vector<Section>& Sections() {
    static const std::vector<Section> table = MakeTable();
    return table;
}

const Section* FindSection(int number) {
    const std::vector<Section>& table = Sections();
    if (number < 1 || number > static_cast<int>(table.size())) return nullptr;
    return &table[static_cast<std::size_t>(number - 1)];
}

const std::vector<SectionWalk>& SectionWalks(int section) {
    static const std::vector<SectionWalk> none;
    const Section* found = FindSection(section);
    return found ? found->walks : none;
}

const char* SectionName(int section) {
    const Section* found = FindSection(section);
    return found ? found->name : "";
}

const char* SectionRowName(int row) {
    const Section* found = FindSection(row + 1);
    return found ? found->rowName : "";
}

}  // namespace engine
