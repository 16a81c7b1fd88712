#include "repair/BrowserSettings.h"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "engine/RootNames.h"
#include "repair/CommitOrDiscard.h"
#include "repair/EntryText.h"
#include "repair/Messages.h"

namespace repair {

namespace {

constexpr platform::DWORD kBufferSize = 10000;

std::string ReadString(platform::Services& services, platform::HKEY key, const char* name) {
    std::vector<platform::BYTE> buffer(kBufferSize, 0);
    platform::DWORD type = 0;
    platform::DWORD length = kBufferSize;
    platform::LONG status = services.RegQueryValueExA(key, name, &type, buffer.data(), &length);
    if (status == platform::ERROR_MORE_DATA) {
        buffer.assign(length + 1, 0);
        status = services.RegQueryValueExA(key, name, &type, buffer.data(), &length);
    }
    if (status != platform::ERROR_SUCCESS) return {};
    if (type != platform::REG_SZ && type != platform::REG_EXPAND_SZ) return {};
    const auto filled = static_cast<std::ptrdiff_t>(std::min<std::size_t>(length, buffer.size()));
    const auto end = std::find(buffer.begin(), buffer.begin() + filled, platform::BYTE{0});
    return std::string(buffer.begin(), end);
}

struct ValueWrite {
    platform::HKEY root;
    const char* keyPath;
    const char* name;
    platform::DWORD type;
    std::vector<platform::BYTE> bytes;
};

std::vector<platform::BYTE> StringBytes(const std::string& text) {
    std::vector<platform::BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// Writes every value, commits, and reports. Writing stops at nothing: each value is tried,
// and the message names every one that failed.
platform::Status WriteAndReport(platform::Services& services, engine::Host& host,
                                const std::vector<ValueWrite>& writes) {
    platform::Status result;
    // The settings act on no scan: they are written into the registry as it is on disk now.
    platform::Status writable = services.Refresh();
    if (writable.ok()) writable = services.CanWrite();
    if (!writable.ok()) {
        result = writable;
    } else {
        std::vector<std::string> failures;
        for (const ValueWrite& write : writes) {
            platform::HKEY handle = 0;
            platform::LONG status = services.RegCreateKeyA(write.root, write.keyPath, &handle);
            if (status == platform::ERROR_SUCCESS) {
                status =
                    services.RegSetValueExA(handle, write.name, 0, write.type, write.bytes.data(),
                                            static_cast<platform::DWORD>(write.bytes.size()));
                services.RegCloseKey(handle);
            }
            if (status != platform::ERROR_SUCCESS) {
                failures.push_back(fmt::format("{}\\{} \"{}\" (error {})",
                                               engine::RootName(write.root), write.keyPath,
                                               write.name, status));
            }
        }
        const platform::Status commit = CommitOrDiscard(services);
        if (!commit.ok()) failures.push_back(commit.message);
        if (!failures.empty()) {
            result = {platform::ERROR_CANTWRITE,
                      "These settings could not be written:" + FailureLines(failures)};
        }
    }
    if (result.ok()) {
        host.MessageBox("Apply Successed!", kInformationCaption, engine::Buttons::Ok);
    } else {
        host.MessageBox(result.message, kInformationCaption, engine::Icon::Information);
    }
    return result;
}

// Trims; refuses a text longer than the edits hold.
bool PrepareText(std::string& text, const char* fallback, engine::Host& host,
                 platform::Status& status) {
    text = std::string(TrimAscii(text));
    if (text.empty()) text = fallback;
    if (text.size() > kMaxSettingLength) {
        status = {platform::ERROR_INVALID_PARAMETER,
                  fmt::format("The text is {} characters long; at most {} fit.", text.size(),
                              kMaxSettingLength)};
        host.MessageBox(status.message, kInformationCaption, engine::Icon::Information);
        return false;
    }
    return true;
}

}  // namespace

BrowserSettings ReadBrowserSettings(platform::Services& services) {
    BrowserSettings settings;
    platform::HKEY key = 0;
    if (services.RegOpenKeyExA(platform::HKEY_CURRENT_USER, kBrowserMainKey, 0, platform::KEY_READ,
                               &key) == platform::ERROR_SUCCESS) {
        settings.startPage = ReadString(services, key, "Start Page");
        settings.windowTitle = ReadString(services, key, "Window Title");
        services.RegCloseKey(key);
    }
    if (settings.windowTitle.empty()) settings.windowTitle = kDefaultWindowTitle;
    return settings;
}

platform::Status ApplyHomePage(platform::Services& services, engine::Host& host,
                               const std::string& text) {
    std::string page = text;
    platform::Status status;
    if (!PrepareText(page, kDefaultStartPage, host, status)) return status;
    const auto bytes = StringBytes(page);
    std::vector<ValueWrite> writes;
    for (platform::HKEY root : {platform::HKEY_CURRENT_USER, platform::HKEY_LOCAL_MACHINE}) {
        writes.push_back({root, kBrowserMainKey, "Start Page", platform::REG_SZ, bytes});
        writes.push_back({root, kBrowserMainKey, "First Home Page", platform::REG_SZ, bytes});
    }
    return WriteAndReport(services, host, writes);
}

platform::Status ApplyWindowTitle(platform::Services& services, engine::Host& host,
                                  const std::string& text) {
    std::string title = text;
    platform::Status status;
    if (!PrepareText(title, kDefaultWindowTitle, host, status)) return status;
    const auto bytes = StringBytes(title);
    std::vector<ValueWrite> writes;
    for (platform::HKEY root : {platform::HKEY_LOCAL_MACHINE, platform::HKEY_CURRENT_USER}) {
        writes.push_back({root, kBrowserMainKey, "Window Title", platform::REG_SZ, bytes});
    }
    return WriteAndReport(services, host, writes);
}

platform::Status ApplyRegeditLock(platform::Services& services, engine::Host& host, bool lock) {
    const platform::DWORD value = lock ? 1 : 0;
    std::vector<platform::BYTE> bytes;
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<platform::BYTE>(value >> (8 * i)));
    return WriteAndReport(services, host,
                          {{platform::HKEY_CURRENT_USER, kPolicySystemKey, "DisableRegistryTools",
                            platform::REG_DWORD, bytes}});
}

}  // namespace repair
