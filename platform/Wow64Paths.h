#pragma once
// The file system redirection a 32-bit program meets on a 64-bit machine: which path it
// reaches when it opens a path below the Windows folder. Wine and Windows differ only in
// their exemptions, so both backends share the rule and bring their own lists.
#include <string>
#include <string_view>
#include <vector>

#include "platform/codepage/Ascii.h"

namespace platform {

struct Wow64Rules {
    // Subfolders of system32 that stay where they are ("drivers\etc"), whole components.
    std::vector<std::string_view> exempt;
    // Windows also redirects %windir%\lastgood\system32.
    bool lastGood = false;
    // Wine opens the 32-bit regedit for %windir%\regedit.exe.
    bool regedit = false;
};

namespace wow64detail {

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// True when `path` begins with `head` (either separator, any case) followed by a separator
// or its end; `rest` is what follows, separator included.
inline bool StartsWithFolder(std::string_view path, std::string_view head, std::string_view& rest) {
    if (path.size() < head.size()) return false;
    for (std::size_t i = 0; i < head.size(); ++i) {
        const char a = path[i], b = head[i];
        if (IsSeparator(a) && IsSeparator(b)) continue;
        if (codepage::AsciiLower(a) != codepage::AsciiLower(b)) return false;
    }
    rest = path.substr(head.size());
    return rest.empty() || IsSeparator(rest.front());
}

}  // namespace wow64detail

// The path a 32-bit program reaches by opening `path`, as a 64-bit program would name it:
// `<windows>\system32\...` becomes `<windows>\syswow64\...` (but for the exempt subfolders),
// `<windows>\sysnative\...` the real `<windows>\system32\...`. Any other path is returned as
// it is. `windowsFolder` is the Windows folder without a trailing separator ("C:\windows").
inline std::string Wow64RedirectedPath(std::string_view path, std::string_view windowsFolder,
                                       const Wow64Rules& rules) {
    using wow64detail::StartsWithFolder;
    std::string_view below;
    if (windowsFolder.empty() || !StartsWithFolder(path, windowsFolder, below) || below.empty())
        return std::string(path);
    const std::string_view head = path.substr(0, windowsFolder.size());
    std::string_view rest;
    if (StartsWithFolder(below, "\\sysnative", rest))
        return std::string(head) + "\\system32" + std::string(rest);
    if (rules.regedit && StartsWithFolder(below, "\\regedit.exe", rest) && rest.empty())
        return std::string(head) + "\\syswow64\\regedit.exe";
    std::string_view inner;
    if (StartsWithFolder(below, "\\system32", rest)) {
        for (std::string_view exempt : rules.exempt)
            if (!rest.empty() && StartsWithFolder(rest.substr(1), exempt, inner))
                return std::string(path);
        return std::string(head) + "\\syswow64" + std::string(rest);
    }
    if (rules.lastGood && StartsWithFolder(below, "\\lastgood\\system32", rest))
        return std::string(head) + "\\lastgood\\syswow64" + std::string(rest);
    return std::string(path);
}

// Wine's exemptions (its own spelling "driversstore": Wine redirects DriverStore).
inline const Wow64Rules& WineWow64Rules() {
    static const Wow64Rules rules{
        {"catroot", "catroot2", "driversstore", "drivers\\etc", "logfiles", "spool"}, false, true};
    return rules;
}

// Windows' own.
inline const Wow64Rules& WindowsWow64Rules() {
    static const Wow64Rules rules{
        {"catroot", "catroot2", "DriverStore", "drivers\\etc", "logfiles", "spool"}, true, false};
    return rules;
}

}  // namespace platform
