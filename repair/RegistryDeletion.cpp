#include "repair/RegistryDeletion.h"

#include <fmt/format.h>

#include "platform/codepage/Codepage.h"
#include "repair/EntryText.h"

namespace repair {

namespace {

void AddFailure(RepairOutcome& outcome, std::size_t entry, std::string text) {
    ++outcome.failed;
    outcome.failures.push_back(std::move(text));
    outcome.failedEntries.push_back(entry);
}

std::string ShownName(const std::u16string& name) {
    return name.empty() ? std::string("<Default>") : platform::codepage::Utf16ToAnsi(name);
}

}  // namespace

RepairOutcome DeleteRegistryValues(platform::Services& services,
                                   const std::vector<engine::RepairEntry>& list) {
    RepairOutcome outcome;
    for (std::size_t entry = 0; entry < list.size(); ++entry) {
        const std::string& keyLine = list[entry].keyLine;
        const std::string& valueLine = list[entry].valueLine;
        const auto key = repair::ParseKeyLine(keyLine);
        if (!key) {
            AddFailure(outcome, entry, fmt::format("{}: not a registry key", keyLine));
            continue;
        }
        // The name ends at its own closing quote, so an "=" or a quote inside the name
        // cannot point the deletion at another value.
        std::string_view rest;
        const auto name = repair::ParseExactNameText(valueLine, &rest);
        if (!name || rest.empty() || rest.front() != '=') {
            AddFailure(outcome, entry, fmt::format("{} {}: not a value line", keyLine, valueLine));
            continue;
        }
        // Opened, never created: deleting a value must not bring back a key that was gone.
        platform::HKEY handle = 0;
        // By the names as stored: an ANSI name may spell another value's name.
        const platform::LONG open = services.RegOpenKeyExW(key->root, key->exact.c_str(), 0,
                                                           platform::KEY_ALL_ACCESS, &handle);
        if (open == platform::ERROR_FILE_NOT_FOUND) {
            ++outcome.alreadyAbsent;
            continue;
        }
        if (open != platform::ERROR_SUCCESS) {
            AddFailure(outcome, entry,
                       fmt::format("{} {}: the key cannot be opened (error {})", keyLine,
                                   ShownName(*name), open));
            continue;
        }
        const platform::LONG deleted = services.RegDeleteValueW(handle, name->c_str());
        services.RegCloseKey(handle);
        if (deleted == platform::ERROR_SUCCESS) {
            ++outcome.removed;
        } else if (deleted == platform::ERROR_FILE_NOT_FOUND) {
            ++outcome.alreadyAbsent;
        } else {
            AddFailure(outcome, entry,
                       fmt::format("{} {}: the value cannot be deleted (error {})", keyLine,
                                   ShownName(*name), deleted));
        }
    }
    return outcome;
}

RepairOutcome DeleteShortcutFiles(platform::Services& services, const engine::TextList& list) {
    RepairOutcome outcome;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& path = list[i];
        if (services.DeleteFileA(path.c_str())) {
            ++outcome.removed;
        } else if (!services.PathFileExistsA(path.c_str())) {
            ++outcome.alreadyAbsent;
        } else {
            AddFailure(outcome, i, fmt::format("{}: the file cannot be deleted", path));
        }
    }
    return outcome;
}

}  // namespace repair
