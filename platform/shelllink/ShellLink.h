#pragma once
// Reading and writing Windows shortcut (.lnk) files. The reader never trusts a size, count or
// offset; a malformed file reads as invalid.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::shelllink {

struct ShellLinkData {
    bool valid = false;             // the header and the structures Wine reads are sound
    bool advertised = false;        // an installer (Darwin) link: no file-system target
    bool hasLocalBasePath = false;  // LinkInfo names a local base path (it may be empty)
    std::string localBasePath;      // LinkInfo's ANSI local base path, bytes as stored
    std::u16string relativePath;
    std::u16string workingDir;
    std::u16string arguments;
    std::u16string description;
    std::u16string idListPath;  // path rendered from the ID list; empty when it names none
};

// Parses the bytes of a shortcut file.
ShellLinkData ParseShellLink(const std::uint8_t* data, std::size_t size);

// The target as Wine's IShellLinkA::GetPath gives it after Resolve, as UTF-16 (callers convert
// to the ANSI code page). `localBasePathW` is the LinkInfo path converted from the ANSI code
// page; `linkFolder` is the Windows folder of the shortcut file; `exists` answers whether a
// Windows path exists.
std::u16string ChooseTarget(const ShellLinkData& link, std::u16string_view localBasePathW,
                            std::u16string_view linkFolder,
                            const std::function<bool(std::u16string_view)>& exists);

// What a test or the demo prefix wants in a shortcut.
struct ShellLinkRecipe {
    std::string target;           // Windows path, ASCII or Windows-1252
    bool withIdList = true;       // an ID list as the shell writes it
    bool withLinkInfo = true;     // LinkInfo with the local base path
    std::u16string relativePath;  // optional
    std::u16string workingDir;    // optional
    std::u16string arguments;     // optional
    std::u16string description;   // optional
    bool targetIsFolder = false;
};

std::vector<std::uint8_t> WriteShellLink(const ShellLinkRecipe& wanted);

}  // namespace platform::shelllink
