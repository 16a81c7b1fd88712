// Checkers of Registry Integrity, Custom Controls, Software Locations, Windows Fonts, Help and
// Resources and Shared Programs.
#include <vector>

#include "engine/Checkers.h"
#include "engine/PathTest.h"
#include "engine/Wildcard.h"

namespace engine {
namespace {

// A file name with an extension and no folder in front of it.
bool IsBareFileName(std::string_view text) {
    return WildcardMatch(text, "*.*") && !WildcardMatch(text, "*\\*.*");
}

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

Verdict CheckRegistryIntegrity(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    std::string working(value.DataText());
    if (value.type == platform::REG_EXPAND_SZ && value.length > 4) {
        // The expansion may take up to 200000 bytes; start small and grow only when needed.
        constexpr platform::DWORD kLimit = 200000;
        std::vector<char> expanded(1024);
        platform::DWORD needed = paths.ExpandEnvironmentStrings(
            working.c_str(), expanded.data(), static_cast<platform::DWORD>(expanded.size()));
        if (needed > expanded.size() && needed <= kLimit) {
            expanded.resize(needed);
            needed = paths.ExpandEnvironmentStrings(working.c_str(), expanded.data(), needed);
        }
        // An expansion that does not fit is judged on the unexpanded text.
        if (needed > 0 && needed <= expanded.size()) working.assign(expanded.data());
    }
    if (value.length == 1) return value.name.empty() ? Verdict::Fine : Verdict::Problem;
    if (value.length == 0 || value.length == 2 || value.length == 3) return Verdict::Fine;
    if (WildcardMatch(working, "?:\\*")) return FineIf(paths.Exists(CleanedText(working)));
    return Verdict::Fine;
}

Verdict CheckCustomControls(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type) || !value.name.empty()) return Verdict::Fine;
    const std::string key = Lowered(value.keyPath);
    constexpr std::string_view kWord = "inprocserver32";
    const std::size_t at = key.find(kWord);
    if (at == std::string::npos || at + kWord.size() != key.size()) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (IsBareFileName(data)) {
        return FoundInWindowsOrSystemFolder(paths, CleanedText(data));
    }
    if (WildcardMatch(data, "?:\\*.*")) return FineIf(paths.Exists(CleanedText(data)));
    return Verdict::Fine;
}

Verdict CheckSoftwareLocations(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type) || !value.name.empty()) return Verdict::Fine;
    const std::string cleaned = CleanedText(value.DataText(), true);
    if (WildcardMatch(cleaned, "?:\\*.*")) return FineIf(paths.Exists(cleaned));
    return Verdict::Fine;
}

Verdict CheckWindowsFonts(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (data.empty() && value.name.size() > 1) return Verdict::Problem;
    if (IsBareFileName(data))
        return FineIf(paths.Exists(WindowsFolderWithSeparator(paths.Services()) + "Fonts\\" +
                                   CleanedText(data)));
    if (WildcardMatch(data, "?:\\*.*")) return FineIf(paths.Exists(CleanedText(data)));
    return Verdict::Fine;
}

Verdict CheckHelpAndResources(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type)) return Verdict::Fine;
    const std::string_view data = value.DataText();
    if (data.empty() && value.name.size() > 1) return Verdict::Problem;
    std::string folder(data);
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    if (value.name.empty()) return Verdict::Fine;
    const std::string candidate = CleanedText(folder + std::string(value.name));
    if (WildcardMatch(candidate, "?:\\*.*")) return FineIf(paths.Exists(candidate));
    return Verdict::Fine;
}

Verdict CheckSharedPrograms(ExistenceTest& paths, const ValueInput& value) {
    if (!IsSingleString(value.type) && value.type != platform::REG_DWORD) return Verdict::Fine;
    if (WildcardMatch(value.name, "?:\\*")) return FineIf(paths.Exists(value.name));
    return Verdict::Fine;
}

}  // namespace engine
