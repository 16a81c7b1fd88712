#pragma once
// A Windows path as Wine normalises it before it looks at the disk: drive letter, separators,
// "." and "..", trailing dots and spaces.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::wine::files {

struct WindowsPath {
    char drive = 0;                          // 'a' to 'z'
    std::vector<std::u16string> components;  // none for the drive root
    bool trailingSeparator = false;          // "X:\a\": only a folder answers to it
};

// A parsed path whose components view the text it was parsed from.
template <class Char>
struct PathView {
    char drive = 0;
    std::vector<std::basic_string_view<Char>> components;
    bool trailingSeparator = false;
};

// The rules of ParseWindowsPath without copying: false when the path has no mapping.
bool SplitWindowsPath(std::u16string_view path, PathView<char16_t>& result);
// The same for an "A" string that is pure ASCII (its bytes are its UTF-16 units).
bool SplitAsciiWindowsPath(std::string_view path, PathView<char>& result);

// Parses a drive path ("X:\a\b", "X:/a", "X:", "X:a", "\\?\X:\a"), or a path relative to the
// current folder C:\ ("a\b", "\a", "."). UNC paths, and components with characters no
// Windows file name can hold, give nothing.
std::optional<WindowsPath> ParseWindowsPath(std::u16string_view path);

// The same for an "A" string (Windows-1252 bytes).
std::optional<WindowsPath> ParseWindowsPathA(std::string_view path);

// A name folded for case-insensitive comparison, as Wine compares file names (upper case).
std::u16string FoldName(std::u16string_view name);
// The same for ASCII text, without converting it first (into `folded`, reused).
void FoldAscii(std::string_view text, std::u16string& folded);

}  // namespace platform::wine::files
