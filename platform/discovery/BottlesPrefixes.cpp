// Bottles: bottles/<folder>/bottle.yml, native or in the Flatpak's data folder.
#include "platform/discovery/Finds.h"
#include "platform/discovery/SimpleYaml.h"

namespace platform::discovery {

void FindBottlesPrefixes(const SearchPlaces& places, Finds& finds) {
    const fs::path home = places.home;
    for (const char* data :
         {".local/share/bottles", ".var/app/com.usebottles.bottles/data/bottles"}) {
        const fs::path base = home / data;
        for (const fs::path& bottle : FolderEntries(base / "bottles", finds)) {
            const fs::path file = bottle / "bottle.yml";
            if (!IsFolder(bottle)) continue;
            std::string text;
            if (!ReadSmallFile(file, text)) {
                finds.Note(file.string() + " is missing or cannot be read");
                continue;
            }
            auto scalars = ReadYamlScalars(text, {"Custom_Path", "Path", "Name", "Arch", "Runner"});
            FoundPrefix prefix;
            prefix.path = bottle.string();
            // A bottle kept elsewhere has Custom_Path true and its folder in Path.
            if (scalars["Custom_Path"] == "true" && !scalars["Path"].empty())
                prefix.path = ExpandHome(scalars["Path"], places.home).string();
            prefix.kind = Kind::Bottles;
            prefix.id = bottle.filename().string();
            prefix.name = scalars["Name"].empty() ? *prefix.id : scalars["Name"];
            if (scalars["Arch"] == "win64" || scalars["Arch"] == "win32")
                prefix.arch = scalars["Arch"];
            // "sys-..." runners are the system's Wine: no folder of Bottles' own. A runner
            // that is gone is kept, so that is said.
            if (const std::string& runner = scalars["Runner"];
                !runner.empty() && !runner.starts_with("sys-"))
                prefix.wine = (base / "runners" / runner).string();
            finds.Add(std::move(prefix), file.string());
        }
    }
}

}  // namespace platform::discovery
