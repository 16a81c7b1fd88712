#include "repair/RestoreEntries.h"

#include <fmt/format.h>

#include "repair/EntryText.h"
#include "repair/ValueDecoding.h"

namespace repair {

namespace {

void AddFailure(RestoreOutcome& outcome, std::string text) {
    ++outcome.failed;
    outcome.failures.push_back(std::move(text));
}

}  // namespace

RestoreOutcome RestoreEntries(platform::Services& services, engine::Host& host,
                              const std::vector<BackupEntry>& entries) {
    RestoreOutcome outcome;
    host.BeginWaitCursor();
    for (const BackupEntry& entry : entries) {
        const std::string& keyLine = entry.keyLine;
        const std::string& nameText = entry.nameText;
        const std::string& dataText = entry.dataText;
        const auto key = repair::ParseKeyLine(keyLine);
        if (!key) {
            AddFailure(outcome, fmt::format("{}: not a registry key", keyLine));
            continue;
        }
        std::string_view rest;
        const auto name = repair::ParseExactNameText(nameText, &rest);
        if (!name || !rest.empty() || (name->empty() && nameText != "@")) {
            AddFailure(outcome, fmt::format("{} {}: not a value name", keyLine, nameText));
            continue;
        }
        std::string error;
        const auto value = repair::DecodeData(dataText, &error);
        if (!value) {
            AddFailure(outcome, fmt::format("{} {}: {}", keyLine, nameText, error));
            continue;
        }
        platform::HKEY handle = 0;
        const platform::LONG created =
            services.RegCreateKeyW(key->root, key->exact.c_str(), &handle);
        if (created != platform::ERROR_SUCCESS) {
            AddFailure(outcome,
                       fmt::format("{}: the key cannot be created (error {})", keyLine, created));
            continue;
        }
        const platform::LONG set =
            services.RegSetValueExW(handle, name->c_str(), 0, value->type, value->wide.data(),
                                    static_cast<platform::DWORD>(value->wide.size()));
        services.RegCloseKey(handle);
        if (set == platform::ERROR_SUCCESS) {
            ++outcome.restored;
        } else {
            AddFailure(outcome, fmt::format("{} {}: the value cannot be written (error {})",
                                            keyLine, nameText, set));
        }
    }
    host.EndWaitCursor();
    return outcome;
}

}  // namespace repair
