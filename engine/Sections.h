#pragma once
// The one table of the scan's sections: what each is called, where it looks and how it
// judges a value. Every layer iterates this table, and it alone gives their number and
// count; adding a section is a row here (and its checker).
#include <array>
#include <span>

#include "engine/Checkers.h"
#include "platform/Win32Types.h"

namespace engine {

struct SectionWalk {
    platform::HKEY root = 0;
    std::span<const char* const> startKeys;  // in visiting order
};

// Judges one value of the section's keys.
using ValueChecker = Verdict (*)(ExistenceTest& paths, const ValueInput& value);

struct Section {
    int number = 0;                      // its place in the table, from 1
    const char* name = "";               // progress caption, CLI and JSON name
    const char* rowName = "";            // label of its counter row
    std::span<const SectionWalk> walks;  // registry walks; one walk with no key looks nowhere
    ValueChecker checker = nullptr;      // null: no value of its keys is ever a problem
    bool shortcutWalk = false;           // searches the fixed drives' folders instead
};

namespace section_table {

using platform::HKEY_CLASSES_ROOT;
using platform::HKEY_CURRENT_USER;
using platform::HKEY_LOCAL_MACHINE;
using platform::HKEY_USERS;

inline constexpr const char* kShellFolderKeys[] = {
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
inline constexpr const char* kClsid[] = {"CLSID"};
inline constexpr const char* kAppPaths[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths"};
inline constexpr const char* kHardware[] = {"HARDWARE"};
inline constexpr const char* kFonts[] = {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                                         "Software\\Microsoft\\Windows\\CurrentVersion\\Fonts"};
inline constexpr const char* kHelp[] = {"SOFTWARE\\Microsoft\\Windows\\Help",
                                        "SOFTWARE\\Microsoft\\Windows\\Html Help"};
inline constexpr const char* kSharedDlls[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs"};
inline constexpr const char* kRun[] = {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"};
inline constexpr const char* kInstallerAndUninstall[] = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\Folders",
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall"};
inline constexpr const char* kVirtualDeviceDrivers[] = {
    "SYSTEM\\CurrentControlSet\\Control\\VirtualDeviceDrivers"};
inline constexpr const char* kAppEventsUser[] = {"AppEvents\\Schemes\\Apps\\.Default"};
inline constexpr const char* kAppEventsDefault[] = {".DEFAULT\\AppEvents\\Schemes\\Apps\\.Default"};
inline constexpr const char* kSoftware[] = {"SOFTWARE"};

inline constexpr SectionWalk kRegistryIntegrity[] = {{HKEY_LOCAL_MACHINE, kShellFolderKeys},
                                                     {HKEY_CURRENT_USER, kShellFolderKeys}};
inline constexpr SectionWalk kCustomControls[] = {{HKEY_CLASSES_ROOT, kClsid}};
inline constexpr SectionWalk kSoftwareLocations[] = {{HKEY_LOCAL_MACHINE, kAppPaths}};
inline constexpr SectionWalk kDeviceDrivers[] = {{HKEY_LOCAL_MACHINE, kHardware}};
inline constexpr SectionWalk kWindowsFonts[] = {{HKEY_LOCAL_MACHINE, kFonts}};
inline constexpr SectionWalk kHelpAndResources[] = {{HKEY_LOCAL_MACHINE, kHelp}};
inline constexpr SectionWalk kSharedPrograms[] = {{HKEY_LOCAL_MACHINE, kSharedDlls}};
inline constexpr SectionWalk kStartupPrograms[] = {{HKEY_LOCAL_MACHINE, kRun},
                                                   {HKEY_CURRENT_USER, kRun}};
inline constexpr SectionWalk kAddRemovePrograms[] = {{HKEY_LOCAL_MACHINE, kInstallerAndUninstall}};
inline constexpr SectionWalk kVirtualDevices[] = {{HKEY_LOCAL_MACHINE, kVirtualDeviceDrivers}};
inline constexpr SectionWalk kConfigurationFiles[] = {{HKEY_LOCAL_MACHINE, {}}};
inline constexpr SectionWalk kSoundAndAppevents[] = {{HKEY_CURRENT_USER, kAppEventsUser},
                                                     {HKEY_USERS, kAppEventsDefault}};
inline constexpr SectionWalk kValidFilesPath[] = {{HKEY_LOCAL_MACHINE, kSoftware},
                                                  {HKEY_CURRENT_USER, kSoftware}};

// Each row numbered by its place, so that no number is written by hand.
template <std::size_t N>
constexpr std::array<Section, N> Numbered(std::array<Section, N> rows) {
    for (std::size_t i = 0; i < N; ++i) rows[i].number = static_cast<int>(i + 1);
    return rows;
}

}  // namespace section_table

// Every section, in scan order: section n is kSections[n - 1].
inline constexpr auto kSections = section_table::Numbered(std::array{
    Section{.name = "Registry Integrity",
            .rowName = "Registry Integrity",
            .walks = section_table::kRegistryIntegrity,
            .checker = CheckRegistryIntegrity},
    Section{.name = "Custom Controls",
            .rowName = "Custom Controls",
            .walks = section_table::kCustomControls,
            .checker = CheckCustomControls},
    Section{.name = "Software Locations",
            .rowName = "Software Locations",
            .walks = section_table::kSoftwareLocations,
            .checker = CheckSoftwareLocations},
    Section{.name = "Device Drivers",
            .rowName = "Device Drivers",
            .walks = section_table::kDeviceDrivers},
    Section{.name = "Windows Fonts",
            .rowName = "Windows Fonts",
            .walks = section_table::kWindowsFonts,
            .checker = CheckWindowsFonts},
    Section{.name = "Help and Resources",
            .rowName = "Help and Resources",
            .walks = section_table::kHelpAndResources,
            .checker = CheckHelpAndResources},
    Section{.name = "Shared Programs",
            .rowName = "Shared Programs",
            .walks = section_table::kSharedPrograms,
            .checker = CheckSharedPrograms},
    Section{.name = "Startup Programs",
            .rowName = "Startup Programs",
            .walks = section_table::kStartupPrograms,
            .checker = CheckStartupPrograms},
    Section{.name = "Add/Remove Programs",
            .rowName = "Add/Remove Programs",
            .walks = section_table::kAddRemovePrograms,
            .checker = CheckAddRemovePrograms},
    Section{.name = "Virtual Devices",
            .rowName = "Virtual Devices",
            .walks = section_table::kVirtualDevices,
            .checker = CheckVirtualDevices},
    Section{.name = "Configuration Files",
            .rowName = "Configuration Files",
            .walks = section_table::kConfigurationFiles},
    Section{.name = "Sound and Appevents",
            .rowName = "Sound and Appevents",
            .walks = section_table::kSoundAndAppevents,
            .checker = CheckSoundAndAppevents},
    Section{.name = "Valid Files Path",
            .rowName = "Valid Files Path",
            .walks = section_table::kValidFilesPath,
            .checker = CheckValidFilesPath},
    // The caption says "Shortcut"; its counter row and drive rows "Shortcuts".
    Section{.name = "Valid Shortcut",
            .rowName = "Valid Shortcuts",
            .walks = {},
            .checker = nullptr,
            .shortcutWalk = true},
});

inline constexpr int kSectionCount = static_cast<int>(kSections.size());

// The drive rows follow the registry sections' rows and the shortcut section is numbered
// last: it must be the table's last row, and its only shortcut walk.
constexpr bool ShortcutWalkIsLast() {
    for (std::size_t i = 0; i + 1 < kSections.size(); ++i)
        if (kSections[i].shortcutWalk) return false;
    return kSections.back().shortcutWalk;
}
static_assert(ShortcutWalkIsLast(), "the shortcut walk is the section table's last row");

// Every section, in scan order.
constexpr const auto& Sections() { return kSections; }
// Section `number` (1 to kSectionCount); for any other number a section with no name, no
// walk and no checker.
const Section& SectionByNumber(int number);

// The section dispatch: values other than REG_SZ, REG_EXPAND_SZ and REG_DWORD are fine;
// otherwise the checker of `section` answers (a section without one, or an unknown number:
// fine). Existence answers are remembered in `paths` during a scan.
Verdict CheckSectionValue(int section, ExistenceTest& paths, const ValueInput& value);
Verdict CheckSectionValue(int section, platform::Services& services, const ValueInput& value);

}  // namespace engine
