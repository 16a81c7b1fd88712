#pragma once
// What a Wine installation writes into every prefix it makes: the text values of its wine.inf
// install sections, and the bitmap font values its font code registers.
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/Win32Types.h"
#include "platform/wine/install/InfReader.h"
#include "platform/wine/install/InstallationLocator.h"

namespace platform::wine {

class WineInstallation {
public:
    // Reads wine.inf and the font library of `place`. A piece that cannot be read adds
    // nothing: then fewer entries count as Wine's own, and more are reported.
    static WineInstallation Read(const InstallationPlace& place);
    // From the pieces themselves: the inf's values and the font library's bytes.
    WineInstallation(const std::vector<InfRegistryValue>& infValues, std::string_view fontModule);
    WineInstallation() = default;

    // True when the installation writes this value with this data into every prefix. Keys and
    // names compare as the registry compares them (ignoring case), data as Windows compares
    // paths (ignoring case). A key below Wow6432Node counts as the key without it (Wine's
    // 32-bit view of the same install lines); HKEY_CLASSES_ROOT is HKLM\Software\Classes.
    bool Writes(HKEY root, std::u16string_view subKey, std::u16string_view valueName,
                std::u16string_view data) const;

private:
    bool IsWineFont(const std::u16string& key, std::u16string_view valueName,
                    std::u16string_view data) const;

    // Folded "root\key\name" to the folded data of every line writing it.
    std::unordered_map<std::u16string, std::vector<std::u16string>> infValues_;
    // The font library's zero-terminated ASCII strings, lower-cased: the names it registers
    // its fonts under and their file names.
    std::unordered_set<std::string> moduleStrings_;
    std::vector<std::string> moduleFileNames_;  // those with a '.', for tail-shared strings
};

}  // namespace platform::wine
