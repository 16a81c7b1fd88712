#pragma once
// What a generated prefix holds: the values of its three hives and the files of its drive C:
// that those values (and the shortcuts) name.
#include <string>
#include <vector>

#include "bench/generator/HiveBlocks.h"
#include "bench/generator/PrefixGenerator.h"

namespace bench::generator {

struct ShortcutPlan {
    std::string path;    // Windows path of the .lnk file
    std::string target;  // Windows path it points at
};

struct FilePlan {
    std::vector<std::string> files;  // Windows paths of the files to create, each once
    std::vector<ShortcutPlan> shortcuts;
};

struct HiveSet {
    HiveBlocks system{1700000000}, user{1700000000}, userDefault{1700000000};
    HiveBlocks& Of(HiveFile file) {
        return file == HiveFile::System ? system : file == HiveFile::User ? user : userDefault;
    }
};

// Adds the generated values to `hives` and plans the files; counts go into `report`.
void GenerateContent(const GeneratorOptions& options, const std::string& userName, HiveSet& hives,
                     FilePlan& files, GeneratorReport& report);

}  // namespace bench::generator
