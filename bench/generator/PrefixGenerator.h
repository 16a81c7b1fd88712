#pragma once
// Synthetic Wine prefixes the size of a long-used Windows installation, for the benchmarks:
// CLSIDs with in-process servers, App Paths, Uninstall entries, fonts, help files, shared
// DLLs, Run entries, sound events, program settings with recent-file lists and command lines,
// and a drive_c tree with the programs, documents and shortcuts they name. A chosen share of
// the references to files names files that are not there. The same options give the same
// prefix, byte for byte.
#include <cstdint>
#include <string>
#include <vector>

namespace bench::generator {

struct GeneratorOptions {
    std::uint64_t seed = 1;
    // Approximate sizes; the generator rounds to whole products.
    int systemKeys = 200000;
    int systemValues = 1000000;
    int userKeys = 20000;
    int userValues = 100000;
    int files = 100000;       // files on drive C: (at least those the registry names)
    int shortcuts = 5000;     // .lnk files among them
    double deadShare = 0.02;  // share of file references (and shortcuts) whose file is missing
    bool recordDead = false;  // keep the list of dead references in the report
};

enum class HiveFile { System, User, UserDefault };

// A generated value that names a missing file.
struct DeadReference {
    HiveFile hive = HiveFile::System;
    std::string keyPath;    // relative to the hive's root
    std::string valueName;  // empty for the default value
    // The data is a full path on a fixed drive (possibly quoted, possibly with arguments);
    // otherwise the file is named by a bare file name or by the value's name.
    bool fullPathData = false;
};

struct GeneratorReport {
    std::size_t systemKeys = 0, systemValues = 0, userKeys = 0, userValues = 0;
    std::size_t systemBytes = 0, userBytes = 0, userDefaultBytes = 0;
    std::size_t references = 0, deadReferences = 0;
    std::size_t files = 0, folders = 0, shortcuts = 0, deadShortcuts = 0;
    std::string userName;                        // the profile folder under C:\users
    std::vector<DeadReference> dead;             // when options.recordDead
    std::vector<std::string> deadShortcutFiles;  // Windows paths, when options.recordDead
};

// Writes the prefix into `dir`. When `dir` already holds a prefix made by `wineboot -i` (its
// hive files and dosdevices), the generated keys are merged into its hives and the files added
// to its drive_c; the profiles' folders that Wine links to the host's home folder become empty
// plain folders first, so nothing is written or walked outside the prefix. Otherwise a minimal
// prefix is made
// (dosdevices/c: and the three hives). Throws std::runtime_error when a file cannot be written.
GeneratorReport GeneratePrefix(const std::string& dir, const GeneratorOptions& options);

}  // namespace bench::generator
