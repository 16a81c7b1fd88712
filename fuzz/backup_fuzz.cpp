// Any bytes as the backup file of a small real prefix, read as Clean Restore reads it: the
// catalogue, the entries of every listed block, and each entry restored (in memory; nothing
// is committed). None may crash or read out of bounds, and what they accept must hold up:
//  - a value line splits without losing or adding a character, and its name text reads;
//  - every entry is counted once, as restored or as failed;
//  - a restored value reads back from the registry as the type and bytes it decoded to.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/QuietHost.h"
#include "fuzz/FuzzPrefix.h"
#include "repair/BackupCatalogue.h"
#include "repair/EntryText.h"
#include "repair/ValueDecoding.h"
#include "repair/RestoreEntries.h"

namespace {

[[noreturn]] void Violated(const char* what, std::string_view detail) {
    std::fprintf(stderr, "%s: [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

void CheckLines(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line(repair::TrimAscii(text.substr(start, end - start)));
        if (const auto parts = repair::SplitValueLine(line)) {
            if (parts->nameText.size() + 1 + parts->dataText.size() != line.size())
                Violated("split changed the line's length", line);
            std::string_view rest;
            if (!repair::ParseNameText(parts->nameText, &rest) || !rest.empty())
                Violated("split name text does not read", line);
        }
        start = end + 1;
    }
}

// The value as RegQueryValueExA gives it back; false when it is not there.
bool QueryBack(platform::Services& services, const repair::KeyPath& key, const std::string& name,
               platform::DWORD& type, std::vector<platform::BYTE>& bytes) {
    platform::HKEY handle = 0;
    if (services.RegOpenKeyExA(key.root, key.subKey.c_str(), 0, platform::KEY_READ, &handle) !=
        platform::ERROR_SUCCESS)
        return false;
    platform::DWORD length = 0;
    platform::LONG status =
        services.RegQueryValueExA(handle, name.c_str(), &type, nullptr, &length);
    if (status == platform::ERROR_SUCCESS) {
        bytes.assign(length, 0);
        status = services.RegQueryValueExA(handle, name.c_str(), &type, bytes.data(), &length);
        bytes.resize(length);
    }
    services.RegCloseKey(handle);
    return status == platform::ERROR_SUCCESS;
}

void CheckRestore(platform::Services& services, engine::Host& host,
                  const std::vector<repair::BackupEntry>& entries) {
    for (const repair::BackupEntry& entry : entries) {
        const std::string texts = entry.keyLine + entry.nameText + entry.dataText;
        const repair::RestoreOutcome outcome = repair::RestoreEntries(services, host, {entry});
        if (outcome.restored + outcome.failed != 1 ||
            outcome.failures.size() != static_cast<std::size_t>(outcome.failed))
            Violated("entry not counted once", texts);
        if (outcome.restored == 0) continue;
        // Restored: so its key line, name and data all read.
        const auto key = repair::ParseKeyLine(entry.keyLine);
        const auto name = repair::ParseNameText(entry.nameText);
        const auto value = repair::DecodeData(entry.dataText, nullptr);
        if (!key || !name || !value) Violated("restored an entry that does not read", texts);
        platform::DWORD type = 0;
        std::vector<platform::BYTE> bytes;
        if (!QueryBack(services, *key, *name, type, bytes))
            Violated("restored value is not there", texts);
        if (type != value->type || bytes != value->bytes)
            Violated("restored value reads back changed", texts);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzzing::FuzzPrefix prefix;  // one prefix and backend per process
    static const std::unique_ptr<platform::Services> services = prefix.Open();
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckLines(text);
    fuzzing::FuzzPrefix::WriteFile(prefix.BackupFile(), text);
    // Nothing restored outlives its input: the registry is read again from the files.
    struct Discard {
        platform::Services& services;
        ~Discard() {
            if (!services.DiscardChanges().ok()) std::abort();
        }
    } discard{*services};
    engine::QuietHost host;
    repair::BackupCatalogue catalogue(*services, host);
    catalogue.LoadCatalogue();
    for (int row = 0; row < catalogue.ListedCount(); ++row) {
        catalogue.LoadBackupEntries(row);
        CheckRestore(*services, host, catalogue.Entries());
    }
    return 0;
}
