#pragma once
// The files Drennow ships beside its programs (the demo prefix, the user manual), found from
// where the running program is: <program folder>/../share/drennow/<name>. An installation has
// that layout (/usr/bin and /usr/share/drennow), and the build folder mirrors it, so no source
// or build path is compiled in.
#include <filesystem>
#include <string_view>

namespace platform {

// The folder holding the running program, from /proc/self/exe; empty when it cannot be read.
std::filesystem::path ProgramFolder();

// <program folder>/../share/drennow, whether or not it exists (for messages).
std::filesystem::path SharedDataFolder();

// <folder>/../share/drennow/<name>, canonical, when it exists; empty otherwise.
std::filesystem::path SharedDataFileFrom(const std::filesystem::path& folder,
                                         std::string_view name);

// SharedDataFileFrom(ProgramFolder(), name).
std::filesystem::path SharedDataFile(std::string_view name);

}  // namespace platform
