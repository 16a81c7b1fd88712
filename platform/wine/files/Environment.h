#pragma once
// The environment a program started in the prefix sees, built the way Wine builds a process
// environment, and ExpandEnvironmentStringsA over it.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Services.h"

namespace platform::wine::files {

class Environment {
public:
    // Reads the prefix's registry through `registry` and its users folder. Nothing is taken
    // from the host's environment, so the result does not depend on who runs the program;
    // `hostUser` (normally $USER) names the profile only when the prefix has none.
    // `wow64`: the environment of a 32-bit program in a 64-bit prefix (its program folders
    // are the "(x86)" ones, its PROCESSOR_ARCHITECTURE "x86").
    static Environment Build(const std::string& prefixDir, Services& registry,
                             const std::string& hostUser, bool wow64 = false);

    // Case-insensitive lookup; nothing when the variable is not set.
    std::optional<std::string> Get(std::string_view name) const;
    // Sets or replaces a variable (the name keeps the case of its first setter).
    void Set(std::string_view name, std::string value);
    // References %NAME% replaced by their values; unknown ones and an unterminated "%" stay
    // as written.
    std::string Expand(std::string_view source) const;
    const std::vector<std::pair<std::string, std::string>>& Variables() const { return vars_; }

private:
    std::vector<std::pair<std::string, std::string>>::iterator FindVar(std::string_view name);
    std::vector<std::pair<std::string, std::string>> vars_;
};

// ExpandEnvironmentStringsA's buffer rules: returns the length of the result with its
// terminating zero; when `size` is too small, the buffer gets as much as fits, zero-terminated.
DWORD CopyExpanded(const std::string& expanded, char* destination, DWORD size);

// The profile name of the prefix's user: the one folder in drive_c/users other than Public
// (the one named `hostUser` when there are several); `hostUser` when there is none.
std::string ProfileUserName(const std::string& prefixDir, const std::string& hostUser);

}  // namespace platform::wine::files
