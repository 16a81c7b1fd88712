// Checkers of Startup Programs, Add/Remove Programs, Virtual Devices, Sound and Appevents and
// Valid Files Path, and the dispatch through the section table.
#include "engine/Checkers.h"
#include "engine/Drives.h"
#include "engine/PathTest.h"
#include "engine/Wildcard.h"
#include "platform/codepage/Ascii.h"

namespace engine {
namespace {

// "C:\*,D:\*": one pattern per fixed drive.
std::string FixedDrivePatterns(platform::Services& services) {
    std::string list;
    for (const auto& root : FixedDriveRoots(services)) list += root + "*,";
    if (list.size() > 2) list.pop_back();
    return list;
}

}  // namespace

Verdict CheckStartupPrograms(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (WildcardMatch(data, "*.exe") && !WildcardMatch(data, "*\\*.exe")) {
        return FoundInWindowsOrSystemFolder(paths, CleanedText(data));
    }
    if (WildcardMatch(data, "?:\\*.*")) return FineIf(paths.Exists(CleanedText(data)));
    return Verdict::Fine;
}

Verdict CheckAddRemovePrograms(ExistenceTest& paths, const ValueInput& value) {
    if (value.type == platform::REG_DWORD) {
        if (WildcardMatch(value.name, "?:\\*") && !paths.Exists(value.name))
            return Verdict::Problem;
        return Verdict::Fine;
    }
    if (!IsSingleString(value.type)) return Verdict::Fine;
    if (platform::codepage::EqualsNoCase(value.name, "uninstallstring")) {
        const std::string cleaned = CleanedText(value.DataText());
        if (WildcardMatch(cleaned, "?:\\*") && !paths.Exists(cleaned)) return Verdict::Problem;
    }
    return Verdict::Fine;
}

Verdict CheckVirtualDevices(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (WildcardMatch(data, "?:\\*") && !paths.Exists(data)) return Verdict::Problem;
    return Verdict::Fine;
}

Verdict CheckSoundAndAppevents(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (WildcardMatch(data, "*.*") && !WildcardMatch(data, "*\\*.*")) {
        const std::string cleaned = CleanedText(data);
        const std::string windows = WindowsFolderWithSeparator(paths.Services());
        if (paths.Exists(windows + cleaned)) return Verdict::Fine;
        if (paths.Exists(SystemFolderWithSeparator(paths.Services()) + cleaned))
            return Verdict::Fine;
        return FineIf(paths.Exists(windows + "media\\" + cleaned));
    }
    if (WildcardMatch(data, "?:\\*.*")) return FineIf(paths.Exists(CleanedText(data)));
    return Verdict::Fine;
}

Verdict CheckValidFilesPath(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type) && value.type != platform::REG_DWORD) return Verdict::Fine;
    // Every test below only lets a value pass as fine, so their order changes no answer:
    // the one that settles most values goes first. Every fixed-drive pattern has the shape
    // "X:\*", so a text of any other shape cannot match the list.
    const std::string cleaned = CleanedText(value.DataText(), true);
    if (!WildcardMatch(cleaned, "?:\\*")) return Verdict::Fine;
    if (WildcardMatch(value.keyPath, "*microsoft\\advanced inf setup*")) return Verdict::Fine;
    if (WildcardMatch(value.name, "*backup*") || WildcardMatch(value.name, "backup*"))
        return Verdict::Fine;
    if (WildcardMatch(value.name, "SystemDB")) return Verdict::Fine;
    if (!PatternListMatch(cleaned, FixedDrivePatterns(paths.Services()))) return Verdict::Fine;
    if (paths.Exists(cleaned)) return Verdict::Fine;
    if (value.type == platform::REG_DWORD) return FineIf(paths.Exists(value.name));
    return Verdict::Problem;
}

}  // namespace engine
