#pragma once
// Shared pieces of the repair tests: a real test prefix opened with a still clock, file bytes,
// and reading values back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Services.h"
#include "tests/fixtures/TestPrefix.h"
#include "tests/repair/FixedTimeServices.h"

namespace repairtest {

inline constexpr const char* kBackupWindowsPath =
    "C:\\Program Files\\Norlix Drennow\\backup\\backup.txt";

inline std::unique_ptr<FixedTimeServices> OpenFixed(fixtures::TestPrefix& prefix,
                                                    platform::LocalTime time = {2026, 5, 4, 21, 6,
                                                                                3}) {
    auto real = prefix.Open();
    if (!real) return nullptr;
    return std::make_unique<FixedTimeServices>(std::move(real), time);
}

inline std::string ReadBytes(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& hostPath, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(hostPath).parent_path());
    std::ofstream(hostPath, std::ios::binary) << bytes;
}

// LF to CR LF, so expected file texts can be written plainly.
inline std::string Crlf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct RegValue {
    platform::DWORD type = 0;
    std::vector<platform::BYTE> data;
    bool operator==(const RegValue&) const = default;
};

inline std::optional<RegValue> Query(platform::Services& services, platform::HKEY root,
                                     const std::string& subKey, const std::string& name) {
    platform::HKEY key = 0;
    if (services.RegOpenKeyExA(root, subKey.c_str(), 0, platform::KEY_READ, &key) !=
        platform::ERROR_SUCCESS) {
        return std::nullopt;
    }
    RegValue value;
    platform::DWORD length = 0;
    platform::LONG status =
        services.RegQueryValueExA(key, name.c_str(), &value.type, nullptr, &length);
    if (status == platform::ERROR_SUCCESS) {
        value.data.resize(length);
        status =
            services.RegQueryValueExA(key, name.c_str(), &value.type, value.data.data(), &length);
        value.data.resize(length);
    }
    services.RegCloseKey(key);
    if (status != platform::ERROR_SUCCESS) return std::nullopt;
    return value;
}

inline bool KeyExists(platform::Services& services, platform::HKEY root,
                      const std::string& subKey) {
    platform::HKEY key = 0;
    if (services.RegOpenKeyExA(root, subKey.c_str(), 0, platform::KEY_READ, &key) !=
        platform::ERROR_SUCCESS) {
        return false;
    }
    services.RegCloseKey(key);
    return true;
}

inline RegValue Sz(const std::string& text) {
    RegValue value{platform::REG_SZ, std::vector<platform::BYTE>(text.begin(), text.end())};
    value.data.push_back(0);
    return value;
}

inline RegValue Dword(platform::DWORD number) {
    return {platform::REG_DWORD,
            {static_cast<platform::BYTE>(number), static_cast<platform::BYTE>(number >> 8),
             static_cast<platform::BYTE>(number >> 16), static_cast<platform::BYTE>(number >> 24)}};
}

}  // namespace repairtest
