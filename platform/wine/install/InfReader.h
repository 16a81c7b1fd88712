#pragma once
// The registry values a setup information file (.inf) adds, read as Wine's setupapi reads
// them: sections, `key = fields` lines, quotes, comments, line continuations, the [Strings]
// substitutions (%name%) and the directory ids (%11% and the like).
#include <string_view>
#include <vector>
#include <string>

#include "platform/Win32Types.h"

namespace platform::wine {

// One value an AddReg line writes. Only text values (REG_SZ, REG_EXPAND_SZ) are kept: the
// checkers judge no other kind by its data.
struct InfRegistryValue {
    HKEY root = 0;        // HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_CLASSES_ROOT, HKEY_USERS
    std::u16string key;   // below the root, as the line names it
    std::u16string name;  // empty for the default value
    DWORD type = REG_SZ;
    std::u16string data;  // substituted, as setupapi writes it
};

// Every text value that the AddReg sections named by the file's install sections (the
// sections holding an `AddReg =` line) write. A section installed in a 32-bit process
// (Wine's Wow64Install) expands the system and program folders to their 32-bit forms.
// The text is UTF-8 (Wine's wine.inf is ASCII); lines that are no registry line are passed
// over, so a damaged file yields fewer values, never an error.
std::vector<InfRegistryValue> ReadInfRegistryValues(std::string_view infText);

}  // namespace platform::wine
