#pragma once
// The value checkers of the registry sections: each judges one value as fine or a problem.
// They keep no state and change nothing.
#include <string>
#include <string_view>

#include "engine/PathTest.h"
#include "platform/Services.h"

namespace engine {

// A checker's judgement of one value.
enum class Verdict { Fine, Problem };

// REG_SZ and REG_EXPAND_SZ: the types whose data is one string, the only text the checkers
// read (a REG_MULTI_SZ list is never judged).
inline bool IsSingleString(platform::DWORD type) {
    return type == platform::REG_SZ || type == platform::REG_EXPAND_SZ;
}

// Fine when `holds` (mostly: the path the value names exists), else a problem.
inline Verdict FineIf(bool holds) { return holds ? Verdict::Fine : Verdict::Problem; }

// One enumerated value as the checkers see it.
struct ValueInput {
    std::string_view keyPath;  // full path, beginning with the root's name
    std::string_view name;     // empty for the default value
    const platform::BYTE* data = nullptr;
    platform::DWORD type = 0;
    platform::DWORD length = 0;  // bytes the enumeration reported

    // The data read as text up to its first zero byte (never beyond `length`).
    std::string_view DataText() const;
};

// Quotes removed, "," "?" "*" "<" ">" "|" (and ";" when asked) turned into spaces, white
// space trimmed.
std::string CleanedText(std::string_view text, bool semicolonToo = false);
// The Windows and system folders with one trailing backslash ("\" alone when the query fails).
std::string WindowsFolderWithSeparator(platform::Services& services);
std::string SystemFolderWithSeparator(platform::Services& services);
// A bare file name: fine when it is in the Windows folder, else when it is in the system folder.
Verdict FoundInWindowsOrSystemFolder(ExistenceTest& paths, const std::string& name);

Verdict CheckRegistryIntegrity(ExistenceTest& paths, const ValueInput& value);
Verdict CheckCustomControls(ExistenceTest& paths, const ValueInput& value);
Verdict CheckSoftwareLocations(ExistenceTest& paths, const ValueInput& value);
Verdict CheckWindowsFonts(ExistenceTest& paths, const ValueInput& value);
Verdict CheckHelpAndResources(ExistenceTest& paths, const ValueInput& value);
Verdict CheckSharedPrograms(ExistenceTest& paths, const ValueInput& value);
Verdict CheckStartupPrograms(ExistenceTest& paths, const ValueInput& value);
Verdict CheckAddRemovePrograms(ExistenceTest& paths, const ValueInput& value);
Verdict CheckVirtualDevices(ExistenceTest& paths, const ValueInput& value);
Verdict CheckSoundAndAppevents(ExistenceTest& paths, const ValueInput& value);
Verdict CheckValidFilesPath(ExistenceTest& paths, const ValueInput& value);

// The section dispatch, CheckSectionValue, stands beside the section table (Sections.h).

}  // namespace engine
